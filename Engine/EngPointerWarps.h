// The pointer warps the program asks for and the motion events they send back late. Needs no
// window: the window's platform half makes the warps and feeds it each motion event.
#pragma once

#include "Engine/EngTypes.h"

// A warp's own motion event comes back after the input already queued, maybe after later
// warps; that of a warp since replaced would put the pointer back on a place it has left.
// Places asked during one pass over the input are warped to as one, the last, so whatever the
// number of Tabs in a pass few warps are in flight; echoes come back in the order of the warps.
class EngPointerWarps {
 public:
  // The program has put the pointer at (x, y), window pixels; the warp waits for TakeAsked.
  void Ask(EngInt32 x, EngInt32 y);
  // The warp to make now: the last place asked since the last take, then counted in flight.
  char TakeAsked(EngInt32 *x, EngInt32 *y);
  // A motion event to (x, y): 1 when it is the echo of a warp since replaced by a later warp
  // or ask, to be dropped. A move that is no echo is the player's and drops the ask not made.
  char IsStaleEcho(EngInt32 x, EngInt32 y);
  void Clear();
  int NumInFlight() const { return m_num_in_flight; }

 private:
  // Warps whose echo has not come back, oldest first; a warp to where the pointer already is
  // sends none and stays until a later one's echo comes.
  static const int kMaxInFlight = 16;
  EngInt32 m_in_flight[kMaxInFlight][2] = {};
  int m_num_in_flight = 0;
  char m_asked = 0;
  EngInt32 m_asked_x = 0, m_asked_y = 0;
};
