#include "Engine/MWin/MWinSettings.h"

#include <cstring>

#include "Engine/EngMainOrientation.h"
#include "Engine/EngMath.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"

namespace {

// A value is either one constant per layout or a multiple of a standard size.
enum Base { CONST, W, H, M1, M2 };

struct LayoutValue {
  float MWinLayoutSettings::*field;
  Base base;
  float mult;
  float v[ENG_NUM_LAYOUTS];
  char full;        // only a full set-up writes it
  char widescreen;  // scaled by the widescreen ratio in the working copy
};

#define ALL(a) {a, a, a, a, a}
#define L MWinLayoutSettings

const LayoutValue kValues[] = {
    {&L::title_bar_height, CONST, 0, {30, 50, 55, 35, 40}, 1, 0},
    {&L::title_text_margin, CONST, 0, ALL(7), 1, 1},
    {&L::hide_button_width, CONST, 0, {50, 140, 100, 90, 80}, 0, 0},
    {&L::hide_button_height, CONST, 0, {22, 36, 50, 28, 33}, 0, 0},
    {&L::hide_button_gap, CONST, 0, {5, 6, 4, 7, 6}, 0, 1},
    {&L::hide_button_y_shift, CONST, 0, ALL(0), 0, 0},
    {&L::default_button_width, CONST, 0, {60, 100, 60, 60, 60}, 1, 0},
    {&L::default_button_height, CONST, 0, {20, 45, 65, 25, 35}, 1, 0},
    {&L::window_edge_margin_x, CONST, 0, ALL(3), 0, 0},
    {&L::window_edge_margin_y, CONST, 0, {3, 6, 6, 3, 3}, 0, 0},
    {&L::vscroll_track_width, CONST, 0, {30, 20, 14, 4, 4}, 0, 1},
    {&L::vscroll_thumb_width, CONST, 0, {28, 20, 14, 4, 4}, 0, 1},
    {&L::hscroll_track_height, CONST, 0, {30, 20, 14, 4, 4}, 0, 0},
    {&L::hscroll_thumb_height, CONST, 0, {28, 20, 14, 4, 4}, 0, 0},
    {&L::text_margin, M1, 1, ALL(0), 0, 1},
    {&L::text_margin_per_width, CONST, 0, ALL(0), 0, 0},
    {&L::two_line_text_offset, CONST, 0, ALL(10), 0, 0},
    {&L::panel_text_margin, CONST, 0, {3, 7, 4, 7, 6}, 0, 1},
    {&L::choice_arrow_width, W, 1, ALL(0), 0, 1},
    {&L::choice_arrow_height, H, 1, ALL(0), 0, 0},
    {&L::choice_arrow_margin, M1, 1, ALL(0), 0, 1},
    {&L::slider_button_height, H, 1, ALL(0), 0, 0},
    {&L::hscrollbar_arrow_width, H, 2, ALL(0), 0, 0},
    {&L::vscrollbar_width, W, 1, ALL(0), 0, 1},
    {&L::vscrollbar_arrow_height, W, 2, ALL(0), 0, 0},
    {&L::side_bar_width, W, 1.25f, ALL(0), 0, 1},
    {&L::side_bar_margin, CONST, 0, ALL(3), 0, 0},
    {&L::hscrollbar_margin, M1, 1, ALL(0), 0, 0},
    {&L::vscrollbar_margin, M2, 1, ALL(0), 0, 0},
    {&L::list_arrow_width, W, 1, ALL(0), 0, 1},
    {&L::list_arrow_height, H, 1, ALL(0), 0, 0},
    {&L::list_arrow_margin, M1, 1, ALL(0), 0, 1},
    {&L::checkbox_width, W, 1, ALL(0), 0, 1},
    {&L::checkbox_height, H, 1, ALL(0), 0, 0},
    {&L::checkbox_gap, W, 0.25f, ALL(0), 0, 1},
    {&L::checkbox_margin, M1, 1, ALL(0), 0, 1},
    {&L::choice_text_margin, CONST, 0, {3, 6, 3, 6, 3}, 0, 1},
    {&L::script_margin_x, CONST, 0, {5, 12, 8, 8, 5}, 0, 1},
    {&L::script_margin_y, CONST, 0, {5, 8, 5, 5, 5}, 0, 0},
    {&L::tab_height, CONST, 0, {20, 22, 36, 25, 25}, 0, 0},
    {&L::tab_background_margin, CONST, 0, ALL(2), 0, 1},
    {&L::tab_border, CONST, 0, ALL(1), 0, 0},
    {&L::tab_offset, CONST, 0, ALL(0), 0, 0},
    {&L::pie_start, CONST, 0, ALL(0), 0, 0},
    {&L::pie_gap, CONST, 0, ALL(0.05f), 0, 0},
    {&L::graph_offset, CONST, 0, ALL(0), 0, 0},
    {&L::graph_margin, CONST, 0, ALL(4), 0, 1},
    {&L::graph_line_width, CONST, 0, ALL(2), 0, 1},
    {&L::graph_point_size, CONST, 0, ALL(2), 0, 1},
    {&L::graph_steps, CONST, 0, ALL(8), 0, 0},
    {&L::range_bar_height, H, 2.0f / 3.0f, ALL(0), 0, 1},
    {&L::range_thumb_height, H, 2.0f / 3.0f, ALL(0), 0, 1},
    {&L::range_thumb_width, H, 2, ALL(0), 0, 1},
    {&L::spare_56, CONST, 0, ALL(0), 0, 1},
    {&L::spare_57, CONST, 0, ALL(0), 0, 0},
    {&L::spare_58, CONST, 0, ALL(1), 0, 1},
    {&L::spare_61, CONST, 0, ALL(12), 0, 1},
    {&L::spare_62, CONST, 0, ALL(4), 0, 0},
    {&L::frame_edge_height, CONST, 0, {30, 30, 45, 25, 30}, 0, 0},
    {&L::frame_edge_width, CONST, 0, {30, 30, 60, 25, 40}, 0, 1},
    {&L::frame_inset_x, CONST, 0, {3, 0, 4, 0, 0}, 0, 1},
    {&L::frame_inset_y, CONST, 0, {5, 0, 5, 0, 0}, 0, 0},
};

#undef L
#undef ALL

void SetupLayout(MWinLayoutSettings *block, int layout, char full, float w, float h, float m1, float m2) {
  for (const LayoutValue &value : kValues) {
    if (value.full && !full) continue;
    float result = value.v[layout];
    switch (value.base) {
      case CONST: break;
      case W: result = value.mult * w; break;
      case H: result = value.mult * h; break;
      case M1: result = value.mult * m1; break;
      case M2: result = value.mult * m2; break;
    }
    block->*value.field = result;
  }
  block->swap_hide_and_extra = 0;
  block->colour_border = 2;
  block->colour_gap = 2;
}

void Fill(float *values, int count, float value) {
  for (int i = 0; i < count; i++) values[i] = value;
}

}  // namespace

void MWinSettingsSetupStandard(_MWinSettings *s, char full, float w, float h, float m1, float m2) {
  if (full) {
    for (char &flag : s->controlled_from_main_settings) flag = 1;
    s->activate_collection_under_mouse = 1;
    s->activate_window_under_mouse = 1;
    s->clear_method = MWIN_CLEAR_NONE;
    s->background_image_file[0] = 0;
    s->background_texture = nullptr;
    memset(s->panel_background_flags, 0, sizeof(s->panel_background_flags));
    s->text_alpha_multiplier = 1.0f;
  }
  s->shrink_text_to_fit_default = 1;
  s->choice_box_style = IS_DESKTOP ? 2 : 0;
  for (char &flag : s->tab_panel_flags) flag = 1;
  for (char &flag : s->pie_flags) flag = 1;
  s->pie_flag_signed = -1;
  const float pie[9] = {0.8f, 0.3984f, 0.3984f, 0.3984f, 0.8f, 0.3984f, 0, 0, 0};
  memcpy(s->pie_colours, pie, sizeof(pie));
  Fill(s->graph_colours, 6, 0.6f);
  Fill(s->graph_colours + 6, 3, 1.0f);
  s->graph_flags[0] = 0;
  s->graph_flags[1] = 1;
  s->graph_flags[2] = 1;
  Fill(s->colour_picker_values, 3, 0.0f);
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++)
    SetupLayout(&s->layouts[layout], layout, full, w, h, m1, m2);
}

void MWinSettingsScaleLayout(const MWinLayoutSettings *from, MWinLayoutSettings *to, float ratio) {
  *to = *from;
  if (ratio == 1.0f) return;
  for (const LayoutValue &value : kValues)
    if (value.widescreen) to->*value.field = from->*value.field * ratio;
  // The colour picker's border is a whole number of units.
  to->colour_border = EngMathRound(float(from->colour_border) * ratio);
}

// The root's settings operations.

void MWin::SetupStandardSettings(char full) {
  MWinSettingsSetupStandard(&m_settings, full, m_std_button_width, m_std_button_height, m_std_margin1,
                            m_std_margin2);
}

void MWin::SetStandardButtonsWidthAndHeightAndMargins(float width, float height, float margin1, float margin2) {
  if (width > 0) m_std_button_width = width;
  if (height > 0) m_std_button_height = height;
  if (margin1 >= 0) m_std_margin1 = margin1;
  if (margin2 >= 0) m_std_margin2 = margin2;
  SetupStandardSettings(0);
}

void MWin::GetSettings(_MWinSettings *out) {
  if (out) *out = m_settings;
}

void MWin::SetSettings(const _MWinSettings *in) {
  if (in) m_settings = *in;
}

void MWin::SetControlledFromMainSettings(char a, char b, char c, char d) {
  m_settings.controlled_from_main_settings[0] = a;
  m_settings.controlled_from_main_settings[1] = b;
  m_settings.controlled_from_main_settings[2] = c;
  m_settings.controlled_from_main_settings[3] = d;
}

MWinLayoutSettings *MWin::GetLayoutSettings() { return GetLayoutSettings(m_screen_layout); }

MWinLayoutSettings *MWin::GetLayoutSettings(_EngLayout layout) {
  if (layout < 0 || layout >= ENG_NUM_LAYOUTS) return nullptr;
  return &m_layout_settings[layout];
}

void MWin::UpdateLayoutSettings() {
  float ratio = m_auto_resize ? eng_main_window_x_widescreen_ratio : 1.0f;
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++)
    MWinSettingsScaleLayout(&m_settings.layouts[layout], &m_layout_settings[layout], ratio);
}

void MWin::UpdateOrientation() {
  _EngLayout layout = ENG_LAYOUT_DESKTOP;
  if (!IS_DESKTOP) {
    char portrait = EngMainIsOrientationPortraitOrPortraitUpsideDown();
    if (IS_TABLET)
      layout = portrait ? ENG_LAYOUT_TABLET_PORTRAIT : ENG_LAYOUT_TABLET_LANDSCAPE;
    else
      layout = portrait ? ENG_LAYOUT_PHONE_PORTRAIT : ENG_LAYOUT_PHONE_LANDSCAPE;
  }
  SetScreenLayout(layout);
}

void MWin::SetScreenLayout(_EngLayout layout) {
  PopupInitButtonSizes();
  UpdateLayoutSettings();
  MWinCollection *active = m_desktop ? m_desktop->GetActiveCollection() : nullptr;
  if (active) active->Deactivate();
  m_screen_layout = layout;
  if (m_desktop)
    for (MWinCollection *c = m_desktop->GetFirstCollection(); c; c = c->m_next) c->SetScreenLayout(layout);
  if (active) active->Activate();
}

void MWin::GetVirtualSize(_EngLayout layout, float *w, float *h) {
  if (layout < 0 || layout >= ENG_NUM_LAYOUTS) layout = ENG_LAYOUT_DESKTOP;
  if (w) *w = m_virtual_size[layout][0];
  if (h) *h = m_virtual_size[layout][1];
}
