// A fixture for the weapon and bullet tests: a game on a straight road along y = 0 from
// x = -1.2 to 1.2 (4,800 steps of 0.0005; the grid's rows 246..266 are road), running, its
// wave emptied so the test puts each bug where it wants, and a frame step of 1/60 s.
#pragma once

#include "game/Bugs.h"
#include "tests/game/PlayFieldTestSupport.h"

namespace qwtest {

class WeaponFieldTest : public PlayFieldTest {
 protected:
  void SetUp() override;
  // A bug of 100 hit points in that slot at that step of the road (step 2400 is (0, 0)), on
  // the road and on screen; the wave's count grows to hold it.
  static Bug *AddBug(int slot, int step);
  // Weapons and their bullets for one frame; the bugs stand still.
  static void Tick();
  // Places without caring for cash.
  static char Place(int type, float x, float y);
};

}  // namespace qwtest
