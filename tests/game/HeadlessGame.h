// A whole game played without a window or sound: frames of 1/60 s through the play field's
// tick and a fixed player script (places beside the road found by scanning the grid in a fixed
// order, factories first, then weapons, upgrades when affordable). Used by the game-play tests
// and the benchmarks.
#pragma once

#include <string>
#include <vector>

namespace qwtest {

class HeadlessGame {
 public:
  // Starts a new game in the current garden (its path file in the working folder), running.
  bool Start();
  // One frame: the clock, the play field, and every `act_every` frames the script.
  void Step();
  // Runs until the garden is won, the game is lost, or max_waves waves have begun (0: no
  // limit); stops at the first broken rule, which Fault() then names.
  void Play(int max_waves, long max_frames);
  // The first rule found broken (cash or score below 0, a count beyond its array, a bullet not
  // owned by a live weapon), or empty.
  const std::string &Fault() const { return m_fault; }
  long Frames() const { return m_frames; }
  // The script's one decision: what it buys, places or upgrades now.
  void Act();
  // Checks the rules once; false (and the fault kept) when one is broken.
  bool Check();
  // Places a weapon of that type at the script's next open place beside the road (paid for).
  bool PlaceBesideTheRoad(int type) { return PlaceAt(m_near, &m_next_near, type); }
  // Places a factory of that type at the script's next open place away from the road.
  bool PlaceAwayFromTheRoad(int type) { return PlaceAt(m_far, &m_next_far, type); }
  int act_every = 15;
  // When set, a place the rules allow is also passed over where this says no.
  bool (*place_allowed)(int type, float x, float y) = nullptr;

 private:
  struct Place {
    float x, y;
  };
  void FindPlaces();
  bool PlaceAt(std::vector<Place> &places, size_t *next, int type);
  std::vector<Place> m_near;  // beside the road, nearest first
  std::vector<Place> m_far;   // away from it, for factories
  size_t m_next_near = 0, m_next_far = 0;
  long m_frames = 0;
  std::string m_fault;
};

}  // namespace qwtest
