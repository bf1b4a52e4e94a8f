// The sound and music screen 'PLRS': on/off switches and volume sliders bound to the player's
// sound options (sounds, main music and when it plays, game-won and game-over music), each
// volume enabled only while its switch is on, every change applied at once through the game's
// sound layer. Back (and Escape) return.
#pragma once

#include "screens/layouts/SoundsCollectionController.h"

struct UserOptions;

enum {
  SOUNDS_NUM_MUSIC_WHEN = 3,  // 0 always, 1 menus only, 2 game only
};

// The sliders' ranges.
constexpr float SOUNDS_SOUND_VOLUME_MIN = 0.02f;
constexpr float SOUNDS_SOUND_VOLUME_MAX = 1.0f;
constexpr float SOUNDS_MUSIC_VOLUME_MIN = 0.02f;
constexpr float SOUNDS_MUSIC_VOLUME_MAX = 0.5f;

class SoundsCC : public SoundsCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // Puts the screen's options into what its widgets can show (an edited player file): a
  // non-zero switch becomes 1, a "when" above 2 becomes 0, a volume outside its slider's range
  // is clamped to it and one that is not a number becomes the minimum. Returns how many changed.
  static int PutOptionsInRange(UserOptions *options);

 private:
  UserOptions *Options();
  // Each volume (and the "when" choice) enabled while its switch is on.
  void UpdateEnabled();
  void GoBack();
};
