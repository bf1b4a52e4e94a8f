// The garden selection screen 'SELE': the four gardens' pictures in a grid, each with a
// difficulty button that cycles through the difficulties the player has unlocked there. A
// picture picks its garden: the first-game notice first while the player's notice counter
// lasts, else play at once. Also the gardens' pictures, which the high scores show too.
#pragma once

#include "Engine/EngTypes.h"
#include "screens/layouts/SelectCollectionController.h"

class EngTexture;
struct _UserGardenProgress;

// The gardens' pictures, one a garden (index = garden).
extern EngTexture sc_texs[4];
// The garden picked last; play starts there.
extern EngInt32 sc_start_garden;

// Loads every garden picture not loaded yet; 1 only when all four are loaded.
char SelectControlCreateGraphics();
void SelectControlDestroyGraphics();

class SelectCC : public SelectCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  // A garden's difficulty button: hidden while only "Normal" is unlocked, else the chosen
  // difficulty's name. Puts the garden's stored difficulties into range first.
  void UpdateDifficultyButton(MWinButton *button, int garden);
  // Starts a new game in the picked garden at its chosen difficulty and enters play; on a garden
  // that cannot be played the menus stay, with an error popup.
  void StartLevelCB();
  // After the device was made again: the title and the gardens' pictures on the screen.
  void CreateGraphics();

  // A garden's stored (highest, chosen) difficulties put into range: a value of 3 or more is 0,
  // a chosen one above the highest is the highest. Returns the chosen one.
  static int PutDifficultiesInRange(_UserGardenProgress *progress);
  // The chosen difficulty after one press of the garden's difficulty button.
  static int NextDifficulty(const _UserGardenProgress *progress);

 private:
  _UserGardenProgress *Progress(int garden);
  void AttachGardenPictures();
  void LeaveGraphics();
};
