// The country screen 'mCTY': the 222 countries with their flags, opening on the user's own
// country; Continue (or a double click, or Return on a row) stores the row's code in
// country_code_selected and goes back, or calls the country module's Continue callback.
#pragma once

#include "screens/layouts/CountryCollectionController.h"

class CountryCC : public CountryCollectionController {
 public:
  void StartingCB(void *data) override;
  void TickCB() override {}
  void RenderCB(_MWinRenderStage stage) override;
  char ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) override;

 private:
  // The game's window reports every click as a click: a second click on the same row within
  // kDoubleClickSeconds is the double click that continues.
  int m_last_click_row = -1;
  double m_last_click_time = 0;
};

// The list's text callback: row n's name, an empty text outside the table.
const char *CountryFillCountryPanel(int n, MWinButton *button, void *user);
void CountryControlContinueCB(MWin *mwin, CountryCC *controller);

// The flag's size beside a list row, by device layout: width, height limit, extra height.
struct CountryListFlagSize {
  float width, height_limit, extra_height;
};
CountryListFlagSize CountryGetListFlagSize(_EngLayout layout);
