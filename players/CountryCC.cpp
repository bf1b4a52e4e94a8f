#include "players/CountryCC.h"

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinPanel.h"
#include "Engine/MWin/MWinScreens.h"
#include "players/Country.h"
#include "screens/ScreensText.h"

// The layout's places of the widgets that the module's insets move, taken once a run so the
// insets never add up over visits.
namespace {
struct SavedPositions {
  char taken = 0;
  float title_y = 0, country_y = 0, country_h = 0, note_y = 0, continue_y = 0;
};
SavedPositions saved_positions;
const double kDoubleClickSeconds = 0.5;

MWinPanel *AsPanel(MWinButton *button) {
  return button && button->GetType() == MWIN_BUTTON_PANEL ? static_cast<MWinPanel *>(button) : nullptr;
}

void MoveY(MWinButton *button, float y, float h) {
  if (!button) return;
  _Dimension area = *button->GetOrigArea();
  area.y = y;
  if (h >= 0) area.height = h;
  button->SetOrigArea(&area);
}
}  // namespace

const char *CountryFillCountryPanel(int n, MWinButton *, void *) {
  if (n < 0 || n >= COUNTRY_NUM_COUNTRIES) return "";
  return CountryGetCountryName(n);
}

CountryListFlagSize CountryGetListFlagSize(_EngLayout layout) {
  static const CountryListFlagSize sizes[ENG_NUM_LAYOUTS] = {
      {20, 10, 2}, {70, 35, 4}, {40, 40, 4}, {45, 22, 4}, {30, 30, 4}};
  return sizes[EngLayoutsGetLayout(layout)];
}

void CountryCC::StartingCB(void *) {
  MWinPanel *panel = AsPanel(mwinCountryMainWinCountryButton);
  if (!panel) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_DNEX);
    return;
  }
  panel->PanelSetStringsCallback(COUNTRY_NUM_COUNTRIES, -1, CountryFillCountryPanel, nullptr);
  int local = CountryGetLocalCountryPos();
  if (local >= 0) {
    panel->PanelSetPos(local, 0, 0);
    panel->PanelCenterToPosIfPossible();
  }
  if (!saved_positions.taken) {
    saved_positions.taken = 1;
    if (mwinCountryMainWinTitleButton) saved_positions.title_y = mwinCountryMainWinTitleButton->GetOrigArea()->y;
    saved_positions.country_y = panel->GetOrigArea()->y;
    saved_positions.country_h = panel->GetOrigArea()->height;
    if (mwinCountryMainWinNoteButton) saved_positions.note_y = mwinCountryMainWinNoteButton->GetOrigArea()->y;
    if (mwinCountryMainWinContinueButton)
      saved_positions.continue_y = mwinCountryMainWinContinueButton->GetOrigArea()->y;
  }
  if (cc_border_y1 != 0 || cc_border_y2 != 0) {
    MoveY(mwinCountryMainWinTitleButton, saved_positions.title_y + cc_border_y1, -1);
    MoveY(panel, saved_positions.country_y + cc_border_y1, saved_positions.country_h - cc_border_y1 - cc_border_y2);
    MoveY(mwinCountryMainWinNoteButton, saved_positions.note_y - cc_border_y2, -1);
    MoveY(mwinCountryMainWinContinueButton, saved_positions.continue_y - cc_border_y2, -1);
  }
  m_last_click_row = -1;
  CountryCreateGraphics();
}

void CountryCC::RenderCB(_MWinRenderStage stage) {
  if (stage != MWIN_RENDER_STAGE_1 || !eng_main_device) return;
  MWinPanel *panel = AsPanel(mwinCountryMainWinCountryButton);
  if (!panel || panel->PanelGetNumDisplayedItems() <= 0) return;
  char entered = eng_main_device->PrepareFor2DWithOrientationIfNeeded(1);
  eng_main_device->EnableBlendingType(0);
  CountryListFlagSize size = CountryGetListFlagSize(ENG_LAYOUT_CURRENT);
  // The flags stand left of the list: widen its area for the crop only.
  _Dimension *area = panel->GetActualArea();
  _Dimension kept = *area;
  area->x -= 1.5f * size.width;
  area->width += 1.5f * size.width;
  char cropped = panel->CropRenderAreaToArea(area);
  *area = kept;
  _Dimension first;
  if (cropped && panel->PanelGetNthDisplayedItemsDimension(0, &first)) {
    float hh = first.height < size.height_limit ? first.height : size.height_limit;
    const int first_item = panel->PanelGetNthDisplayedItemsItemNumber(0);
    int shown = panel->PanelGetNumDisplayedItems();
    // After a drag of the scrollbar one more row shows in part below the others, as its name.
    if (first_item + shown < COUNTRY_NUM_COUNTRIES) shown++;
    for (int i = 0; i < shown; i++) {
      const int n = first_item + i;
      if (n < 0 || n >= COUNTRY_NUM_COUNTRIES) continue;
      _Dimension row = first;
      row.y += float(i) * first.height;
      CountryDrawFlagFitted(n, row.x - size.width - 1,
                            row.y + row.height / 2 + size.extra_height / 2 + 0.5f - hh / 2, size.width,
                            size.extra_height + hh);
    }
    panel->RestoreAfterRenderAreaCrop();
  }
  eng_main_device->DisableBlending();
  if (entered) eng_main_device->RestoreAfter2D();
}

char CountryCC::ButtonsCallback(MWinButton *button, _MWinButtonCallbackInfo *info) {
  if (!button) return 0;
  if (button == mwinCountryMainWinCountryButton) {
    if (!info) return 1;
    if (info->panel_reason == 1) {
      CountryControlContinueCB(m_mwin, this);
      return 1;
    }
    // A mouse click (the panel's flag 1); keys and the program move the selection with 0.
    if (info->panel_flag != 1) return 1;
    double now = EngMainGetCurrentTimeWithoutUpdatingGlobalCurrentTime();
    if (info->panel_item == m_last_click_row && now - m_last_click_time <= kDoubleClickSeconds) {
      m_last_click_row = -1;
      CountryControlContinueCB(m_mwin, this);
      return 1;
    }
    m_last_click_row = info->panel_item;
    m_last_click_time = now;
    return 1;
  }
  if (button == mwinCountryMainWinContinueButton) {
    CountryControlContinueCB(m_mwin, this);
    return 1;
  }
  return 0;
}

void CountryControlContinueCB(MWin *mwin, CountryCC *controller) {
  DebugAssertAlt(mwin ? 1 : 0, ENG_FUNC, "No mwin");
  DebugAssertAlt(controller ? 1 : 0, ENG_FUNC, "No controller");
  MWinPanel *panel = AsPanel(controller->mwinCountryMainWinCountryButton);
  if (!panel) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return;
  }
  int pos = panel->PanelGetPos();
  if (pos < 0 || pos >= COUNTRY_NUM_COUNTRIES) {
    mwin->PopupMessage(ScreensText("Country_PleaseSelectACountryFirst", "Please select a country first"));
    return;
  }
  EngSafeStrcpy(country_code_selected, CountryGetCountryCode(pos), sizeof(country_code_selected));
  if (cc_destroy_tex_when_done) CountryDestroyGraphics();
  if (cc_on_continue_cb)
    cc_on_continue_cb(cc_on_continue_cb_context);
  else if (MWinScreens *screens = mwin->GetScreens())
    screens->GoBack();
}
