// Test stand-ins for what the play field reaches of the game object, the player record and
// the game's sounds; they record their calls for the tests.
#include "tests/game/PlayFieldStandIns.h"

#include "game/Bugs.h"
#include "game/Bullets.h"
#include "game/Quarrelwick.h"
#include "game/Weapons.h"

namespace qwtest {
std::vector<int> sounds_played;
int tutorial_clears = 0;
std::vector<std::pair<int, int>> launch_sounds, hit_sounds;
std::vector<EffectMade> effects_made;
int popup_updates = 0, sidebar_resets = 0, placings_cancelled = 0, tutorial_advances = 0;
void ClearStandInRecords() {
  sounds_played.clear();
  tutorial_clears = 0;
  launch_sounds.clear();
  hit_sounds.clear();
  effects_made.clear();
  popup_updates = sidebar_resets = placings_cancelled = tutorial_advances = 0;
}
}  // namespace qwtest

EngFont *GameGetMainFont() { return nullptr; }
void SoundPlay(int id) { qwtest::sounds_played.push_back(id); }
void GameClearUserTutorialOn() { qwtest::tutorial_clears++; }
Game *GameGetMainGame() { return nullptr; }
void SoundPlayBulletLaunchSound(int type, int level) { qwtest::launch_sounds.emplace_back(type, level); }
void SoundPlayBulletHitSound(int type, int level) { qwtest::hit_sounds.emplace_back(type, level); }
char EffectsCreateNew(int type, float x, float y, float size) {
  qwtest::effects_made.push_back({type, x, y, size});
  return 1;
}
void PopupUpdate(char) { qwtest::popup_updates++; }
void SidebarReset() { qwtest::sidebar_resets++; }
// As the sidebar does it: placing off, the normal cursor, the dragged weapon gone.
void SidebarCancelAnyPlacing() {
  qwtest::placings_cancelled++;
  play_state = 0;
  QuarrelwickUpdateCursorPos(0);
  delete weapon_to_place;
  weapon_to_place = nullptr;
}
void TutorialAdvanceIfNeeded() { qwtest::tutorial_advances++; }
