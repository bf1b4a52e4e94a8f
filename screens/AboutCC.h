// The about screen 'ABOT': the title picture, the version, credit rows that fade in over two
// seconds, the maker's home page and forums (after the player confirms) and the way to the log
// viewer. Back (and Escape) return to the main menu.
#pragma once

#include "Engine/EngTypes.h"
#include "screens/layouts/AboutCollectionController.h"

enum { ABOUT_NUM_TEXTS = 8, ABOUT_TEXT_SIZE = 81 };

struct _AboutText {
  char text[ABOUT_TEXT_SIZE];
  int style;  // 1 to 5; 0 keeps the previous row's
};

class AboutCC : public AboutCollectionController {
 public:
  AboutCC();

  void StartingCB(void *data) override;
  void TickCB() override;
  void RenderCB(_MWinRenderStage stage) override;
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

  float GetAlphaMult() const { return ac_alpha_mult; }
  const _AboutText *GetText(int row) const { return row >= 0 && row < ABOUT_NUM_TEXTS ? &about_texts[row] : nullptr; }
  // The top of a row's text in design units.
  static float GetRowY(int row, int style);

 private:
  // Leaves for another screen; when it is not there the about screen stays,
  // title and all.
  void GoToScreen(euint id, char back);
  void FillTexts();

  float ac_alpha_mult;
  _AboutText about_texts[ABOUT_NUM_TEXTS];
};
