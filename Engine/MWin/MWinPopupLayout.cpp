// The popup's style and size settings per kind of device, and the building of the popup window:
// measuring the title and message, sizing the box, the message and the OK/Yes, Cancel, No and
// Extra buttons with their texts, callbacks and key bindings, fitted and centred in a row.
#include <cstring>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMainOrientation.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinWindow.h"

// Light shades, read on the dark popup at better than 4.5:1: a leaf green and a coral.
_ColourRGBA eng_good_colour = {0.604f, 0.847f, 0.384f, 1.0f};
_ColourRGBA eng_bad_colour = {1.0f, 0.6f, 0.5f, 1.0f};

static const float kDesktopDefaults[4] = {50, 600, 60, 30};
static const float kPhoneDefaults[8] = {500, 630, 160, 40, 400, 630, 120, 50};
static const float kTabletDefaults[8] = {300, 600, 110, 30, 200, 600, 90, 35};

static int OrientationIndex() { return EngMainIsOrientationPortraitOrPortraitUpsideDown() ? 0 : 1; }

void MWin::PopupInit() {
  _MWinPopupState &p = m_popup;
  p.on = 0;
  p.saved_activate_collection = -1;
  p.menu_disabled = -1;
  p.dont_darken_next = 0;
  p.auto_close_time = 0;
  p.callback = nullptr;
  p.user = nullptr;
  p.collection = nullptr;
  p.window = nullptr;
  p.msg = p.ok = p.cancel = p.no = p.extra = p.script = nullptr;
  p.panel = nullptr;
  p.sel_callback = nullptr;
  const char *ids[5] = {"MWIN_TEXBUT_DEFAULT", "MWIN_TEXBUT_DEFAULT", "MWIN_FONT_DEFAULT", "MWIN_TEXBUT_DEFAULT",
                        "MWIN_FONT_DEFAULT"};
  for (int i = 0; i < 5; i++) MWinCopyID(p.ids[i], ids[i]);
  const float black[4] = {0, 0, 0, 1};
  memcpy(p.button_text_colour, black, sizeof(black));
  memcpy(p.title_text_colour, black, sizeof(black));
  p.button_text_scale[0] = p.button_text_scale[1] = 1;
  p.title_text_scale[0] = p.title_text_scale[1] = 1;
  memcpy(p.desktop_defaults, kDesktopDefaults, sizeof(kDesktopDefaults));
  memcpy(p.phone_defaults, kPhoneDefaults, sizeof(kPhoneDefaults));
  memcpy(p.tablet_defaults, kTabletDefaults, sizeof(kTabletDefaults));
  p.next_w = p.next_h = 0;
  p.colour_mode = 0;
  p.title_align = MWIN_ALIGN_LEFT;
  memset(p.texts, 0, sizeof(p.texts));
  PopupInitButtonSizes();
}

// The defaults of this kind of device for one orientation: min box w, max box w, button w, h.
static const float *DeviceDefaults(const _MWinPopupState &p, int o) {
  if (IS_DESKTOP) return p.desktop_defaults;
  return (IS_TABLET ? p.tablet_defaults : p.phone_defaults) + 4 * o;
}

void MWin::PopupInitButtonSizes() {
  for (int o = 0; o < 2; o++) {
    const float *d = DeviceDefaults(m_popup, o);
    m_popup.min_box_w[o] = d[0];
    m_popup.max_box_w[o] = d[1];
    m_popup.button_h[o] = d[3];
    if (IS_DESKTOP)
      m_popup.default_button_w_desktop[o] = d[2];
    else
      m_popup.default_button_w_mobile[o] = d[2];
    m_popup.button_w[o] = d[2];
  }
}

// ---- Style ----

static void TakeId(MWinID to, const char *from) {
  if (from && from[0]) MWinCopyID(to, from);
}

static void TakeFloat(float *to, float from) {
  if (from >= 0) *to = from;
}

void MWin::PopupSetupTexturesAndFonts(const char *win_texbut1, const char *win_texbut2, const char *win_font,
                                      const char *button_texbut, const char *button_font, float button_r,
                                      float button_g, float button_b, float button_a, float button_scale_x,
                                      float button_scale_y, float title_r, float title_g, float title_b,
                                      float title_a, float title_scale_x, float title_scale_y, int title_align) {
  PopupSetupTexturesAndFonts(win_texbut1, win_texbut2, win_font, button_texbut, button_font);
  // Each colour is kept in the order given: red, green, blue, alpha.
  const float button[6] = {button_r, button_g, button_b, button_a, button_scale_x, button_scale_y};
  const float title[6] = {title_r, title_g, title_b, title_a, title_scale_x, title_scale_y};
  for (int i = 0; i < 4; i++) {
    TakeFloat(&m_popup.button_text_colour[i], button[i]);
    TakeFloat(&m_popup.title_text_colour[i], title[i]);
  }
  for (int i = 0; i < 2; i++) {
    TakeFloat(&m_popup.button_text_scale[i], button[4 + i]);
    TakeFloat(&m_popup.title_text_scale[i], title[4 + i]);
  }
  if (title_align != -1) m_popup.title_align = _MWinTextAlign(title_align);
}

void MWin::PopupSetupTexturesAndFonts(const char *win_texbut1, const char *win_texbut2, const char *win_font,
                                      const char *button_texbut, const char *button_font) {
  const char *ids[5] = {win_texbut1, win_texbut2, win_font, button_texbut, button_font};
  for (int i = 0; i < 5; i++) TakeId(m_popup.ids[i], ids[i]);
}

void MWin::PopupSetupTexturesAndFonts(const char *win_texbut, const char *button_texbut, const char *font) {
  PopupSetupTexturesAndFonts(win_texbut, button_texbut, font, button_texbut, font);
}

// ---- Sizes ----

void MWin::PopupSetDefaultBoxAndButtonSizesDesktop(float min_w, float max_w, float button_w, float button_h) {
  const float v[4] = {min_w, max_w, button_w, button_h};
  for (int i = 0; i < 4; i++)
    if (v[i] > 0) m_popup.desktop_defaults[i] = v[i];
}

void MWin::PopupSetDefaultBoxAndButtonSizesMobile(const float values[16]) {
  DebugErrorAlt(ENG_FUNC, "NOT TESTED");
  if (!values) return;
  for (int i = 0; i < 8; i++) {
    if (values[i] > 0) m_popup.phone_defaults[i] = values[i];
    if (values[8 + i] > 0) m_popup.tablet_defaults[i] = values[8 + i];
  }
}

// Positive: taken; -2: the default; anything else keeps the value.
static void TakeSize(float *to, float from, float fallback) {
  if (from > 0)
    *to = from;
  else if (from == -2)
    *to = fallback;
}

void MWin::PopupSetupButtonSizesDesktop(float min_w, float max_w, float button_w, float button_h) {
  const float *d = m_popup.desktop_defaults;
  for (int o = 0; o < 2; o++) {
    TakeSize(&m_popup.min_box_w[o], min_w, d[0]);
    TakeSize(&m_popup.max_box_w[o], max_w, d[1]);
    TakeSize(&m_popup.button_w[o], button_w, d[2]);
    TakeSize(&m_popup.button_h[o], button_h, d[3]);
  }
}

void MWin::PopupSetupButtonSizesMobile(float portrait_min_w, float portrait_max_w, float landscape_min_w,
                                       float landscape_max_w, float portrait_button_w, float portrait_button_h,
                                       float landscape_button_w, float landscape_button_h) {
  const float *p = DeviceDefaults(m_popup, 0), *l = DeviceDefaults(m_popup, 1);
  TakeSize(&m_popup.min_box_w[0], portrait_min_w, p[0]);
  TakeSize(&m_popup.max_box_w[0], portrait_max_w, p[1]);
  TakeSize(&m_popup.min_box_w[1], landscape_min_w, l[0]);
  TakeSize(&m_popup.max_box_w[1], landscape_max_w, l[1]);
  TakeSize(&m_popup.button_w[0], portrait_button_w, p[2]);
  TakeSize(&m_popup.button_h[0], portrait_button_h, p[3]);
  TakeSize(&m_popup.button_w[1], landscape_button_w, l[2]);
  TakeSize(&m_popup.button_h[1], landscape_button_h, l[3]);
}

void MWin::PopupSetupButtonWidths(float desktop_w, float portrait_w, float landscape_w) {
  if (IS_DESKTOP)
    PopupSetupButtonWidthsDesktop(desktop_w);
  else
    PopupSetupButtonWidthsMobile(portrait_w, landscape_w);
}

void MWin::PopupSetupButtonWidthsDesktop(float w) {
  for (int o = 0; o < 2; o++) TakeSize(&m_popup.button_w[o], w, m_popup.default_button_w_desktop[o]);
}

void MWin::PopupSetupButtonWidthsMobile(float portrait_w, float landscape_w) {
  TakeSize(&m_popup.button_w[0], portrait_w, m_popup.default_button_w_mobile[0]);
  TakeSize(&m_popup.button_w[1], landscape_w, m_popup.default_button_w_mobile[1]);
}

static void ScaleButtonWidths(_MWinPopupState *p, float factor) {
  for (int o = 0; o < 2; o++)
    p->button_w[o] = factor * (IS_DESKTOP ? p->default_button_w_desktop[0] : p->default_button_w_mobile[o]);
}

void MWin::PopupMakeButtonsWide() { ScaleButtonWidths(&m_popup, 1.5f); }
void MWin::PopupMakeButtonsExtraWide() { ScaleButtonWidths(&m_popup, 2.0f); }
void MWin::PopupRestoreButtonWidths() { ScaleButtonWidths(&m_popup, 1.0f); }

void MWin::PopupSetSizeOfBoxForNextPopup(float w, float h) {
  m_popup.next_w = w;
  m_popup.next_h = h;
}

void MWin::PopupChangeButtonTextsForNextPopup(const char *ok, const char *cancel) {
  PopupChangeButtonTextsForNextPopup(ok, nullptr, cancel, nullptr);
}

void MWin::PopupChangeButtonTextsForNextPopup(const char *ok, const char *no, const char *cancel) {
  PopupChangeButtonTextsForNextPopup(ok, no, cancel, nullptr);
}

void MWin::PopupChangeButtonTextsForNextPopup(const char *ok, const char *no, const char *cancel,
                                              const char *extra) {
  const char *texts[4] = {ok, cancel, no, extra};
  for (int i = 0; i < 4; i++)
    if (texts[i]) EngSafeStrcpy(m_popup.texts[i], texts[i], sizeof(m_popup.texts[i]));
}

char MWin::PopupSetupButton(MWinButton *button) {
  if (!button) return 0;
  button->SetFont(m_popup.ids[4]);
  const float *c = m_popup.button_text_colour;
  button->SetTextColour(c[0], c[1], c[2], c[3]);
  button->SetTextScale(m_popup.button_text_scale[0], m_popup.button_text_scale[1]);
  return 1;
}

// ---- Building the popup window ----

// A one-line text's width in the widget's font, the standard font included.
static float TextWidth(MWinButton *button) {
  EngFont *font = button->GetTextFont();
  const char *text = button->HasText() ? button->GetTextP() : nullptr;
  if (!font || !text) return 0;
  button->UpdateTextFontColourAndScale();
  return font->GetStringWidth(text);
}

// Text width or multi-line box of a text in a throw-away window of the popup collection.
static char MeasureText(MWin *mwin, MWinCollection *collection, _MWinWindowCreateInfo *info, const char *text,
                        float width, const float *scale, char multiline, float *out_w, float *out_h) {
  MWinWindow *temp = collection->AddWindow("MWIN_POPUP_WIN_TEMP", info);
  if (!DebugCheckOkAlt(temp ? 1 : 0, ENG_FUNC, "Could not create temp popup window")) return 0;
  MWinButton *b =
      temp->AddButton("TEMP", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_DEFAULT", "Temp", 0, 0, width, ENG_DESIGN_HEIGHT);
  if (!DebugCheckOkAlt(b ? 1 : 0, ENG_FUNC, "Could not create temp button")) {
    collection->RemoveWindow(temp);
    return 0;
  }
  mwin->PopupSetupButton(b);
  if (scale) b->SetTextScale(scale[0], scale[1]);
  b->SetTextToMultiline(multiline);
  b->SetText(text);
  if (multiline) {
    b->CalcMultilineTextBoxSize(out_w, out_h);
  } else {
    *out_w = TextWidth(b);
    if (out_h) *out_h = 0;
  }
  temp->RemoveButton(b);
  collection->RemoveWindow(temp);
  return 1;
}

// What the layout phases work out, in the order they work it out.
struct PopupBox {
  const char *signature = nullptr;  // PopupSetupDefaultButtons, which the messages name
  char has_title = 0, has_text = 0;
  float start_w = 0, max_w = 0;
  float title_box_w = 0, msg_w = 0, msg_h = 0, box_w = 0, box_h = 0;
  char make_no = 0, make_extra = 0;
  int n = 0;  // buttons in the row
  float gap_total = 12, row_w = 0, msg_top = 0;
  float fx = 1, fy = 1, msg_box_w = 0;
};

// 3-5: the title, the message and the box around them.
static char MeasureBox(MWin *mwin, _MWinPopupState &p, _MWinWindowCreateInfo *info, const char *title, const char *text,
                       float extra_w, PopupBox *b) {
  MWinCollection *collection = p.collection;
  if (b->has_title) {
    float text_w = 0;
    if (!MeasureText(mwin, collection, info, title, b->max_w - 60, p.title_text_scale, 0, &text_w, nullptr)) return 0;
    b->title_box_w = 40 + extra_w + text_w;
    if (b->title_box_w > b->max_w) b->title_box_w = b->max_w;
    if (b->title_box_w > b->start_w) b->start_w = b->title_box_w;
  }
  if (b->has_text) {
    if (!MeasureText(mwin, collection, info, text, b->max_w - 60 - extra_w, nullptr, 1, &b->msg_w, &b->msg_h)) return 0;
    b->msg_h += 3;
    if (b->msg_w > b->max_w) {
      DebugErrorAlt(b->signature, "msg_w %.0f > max_box_w %.0f", double(b->msg_w), double(b->max_w));
      b->msg_w = b->max_w;
    }
    if (b->msg_w > b->start_w) b->start_w = b->msg_w;
  }
  b->box_w = b->start_w + (b->has_title || b->has_text ? 40 : 5);
  if (b->box_w > b->max_w) {
    DebugInfoAlt(b->signature, "box_w %.0f > max_box_w %0.f", double(b->box_w), double(b->max_w));
    b->msg_w -= b->box_w - b->max_w;
    b->box_w = b->max_w;
  }
  return 1;
}

// 6-8: the button row and the box height.
static void SizeButtonRow(_MWinPopupState &p, char first_kind, char cancel_kind, char no, char extra, float extra_h,
                          float button_w, float h90, PopupBox *b) {
  b->make_no = no && first_kind && cancel_kind ? 1 : 0;
  b->make_extra = extra && b->make_no ? 1 : 0;
  b->n = (first_kind ? 1 : 0) + (cancel_kind ? 1 : 0) + b->make_no + b->make_extra;
  if (b->n >= 1) {
    b->gap_total = 12 + 6.0f * float(b->n - 1);
    b->row_w = float(b->n) * button_w + b->gap_total;
    if (b->row_w > b->box_w) b->box_w = b->row_w;
  }
  const char any_button = first_kind || cancel_kind || b->make_no ? 1 : 0;
  b->box_h = extra_h;
  if (b->has_text) b->box_h += 10 + b->msg_h;
  if (any_button) b->box_h += h90 + 20;
  b->msg_top = any_button ? 10 : 6;
  if (p.next_w > 0) b->box_w = p.next_w;
  if (p.next_h > 0) {
    b->box_h = p.next_h;
    b->msg_h = b->box_h - 10;
  }
  p.next_w = p.next_h = 0;
}

// 9: scaling for wide and narrow displays.
static void ScaleForDisplay(char auto_resize, _MWinWindowCreateInfo *info, PopupBox *b) {
  if (auto_resize) {
    if (eng_main_window_x_widescreen_ratio > 0) b->fx = 1 / eng_main_window_x_widescreen_ratio;
    if (eng_main_window_y_narrowscreen_ratio > 0) b->fy = 1 / eng_main_window_y_narrowscreen_ratio;
  }
  b->box_h = (b->box_h / 2) * b->fy + b->box_h / 2;
  b->msg_box_w = (b->msg_w + 20) * b->fx;
  float w = b->box_w;
  if (b->has_text && b->msg_box_w > w) w = b->msg_box_w;
  if (b->title_box_w > 0 && b->title_box_w > w) w = b->title_box_w;
  info->width = (b->row_w > w ? b->row_w : w) + 20;
  info->height = b->box_h;
}

// 10-12: the window and its message. Measuring placed a window of its own with this record,
// which took the centring marks out of it.
static char AddPopupWindow(MWin *mwin, _MWinPopupState &p, _MWinWindowCreateInfo *info, const char *text,
                           const PopupBox &b) {
  info->x = info->y = -9999;
  p.window = p.collection->AddWindow("MWIN_POPUP_WIN", info);
  if (!DebugCheckOkAlt(p.window ? 1 : 0, b.signature, "Could not create popup window")) return 0;
  MWinWindow *window = p.window;
  if (b.has_title) {
    const float *c = p.title_text_colour;
    window->SetTitleTextColour(c[0], c[1], c[2], c[3]);
    window->SetTitleTextScale(p.title_text_scale[0], p.title_text_scale[1]);
    window->SetTitleTextAlign(p.title_align);
  }
  if (b.has_text) {
    p.msg = window->AddButton("MSG", MWIN_BUTTON_PUSH, "MWIN_TEXBUT_NONE", text, -1, b.msg_top * b.fy, b.msg_box_w,
                              b.msg_h * b.fy);
    if (!DebugCheckOkAlt(p.msg ? 1 : 0, b.signature, "Could not create message")) return 0;
    mwin->PopupSetupButton(p.msg);
    p.msg->SetTextToMultiline(1);
  }
  if (p.colour_mode) {
    const _ColourRGBA *c = p.colour_mode > 0 ? &eng_good_colour : &eng_bad_colour;
    if (b.has_title) window->SetTitleTextColour(c);
    if (p.msg) p.msg->SetTextColour(c);
    p.colour_mode = 0;
  }
  return 1;
}

// 13-14: the buttons with their callbacks, keys and texts.
static char AddPopupButtons(MWin *mwin, _MWinPopupState &p, char first_kind, char cancel_kind, float button_w,
                            float h90, const PopupBox &b) {
  MWinWindow *window = p.window;
  struct Made {
    MWinButton **slot;
    const char *id;
    const char *text;
    void (*callback)(void *);
    char make;
    int replacement;
    const char *no_language_text;
    const char *token;
  };
  Made made[4] = {
      {&p.ok, "OK", first_kind == MWIN_POPUP_YES ? "Yes" : "Ok", MWinPopupOkCallback, first_kind ? char(1) : char(0), 0,
       first_kind == MWIN_POPUP_YES ? "Yes" : "OK", first_kind == MWIN_POPUP_YES ? "Popup_Yes" : "Popup_OK"},
      {&p.cancel, "CANCEL", cancel_kind == MWIN_POPUP_NO ? "No" : "Cancel", MWinPopupCancelCallback,
       cancel_kind ? char(1) : char(0), 1, cancel_kind == MWIN_POPUP_NO ? "No" : "Cancel",
       cancel_kind == MWIN_POPUP_NO ? "Popup_No" : "Popup_Cancel"},
      {&p.no, "NO", "No", MWinPopupNoCallback, b.make_no, 2, "No", "Popup_No"},
      {&p.extra, "EXTRA", "Extra", MWinPopupExtraCallback, b.make_extra, 3, nullptr, nullptr},
  };
  const float button_y = b.box_h - 10 - h90;
  const char languages = EngLanguagesGetNumberOfLanguages() >= 1 ? 1 : 0;
  for (Made &m : made) {
    if (!m.make) continue;
    MWinButton *button = window->AddButton(m.id, MWIN_BUTTON_PUSH, p.ids[3], m.text, 0, button_y, button_w, h90);
    if (!DebugCheckOkAlt(button ? 1 : 0, b.signature, "Could not create button")) return 0;
    *m.slot = button;
    mwin->PopupSetupButton(button);
    button->SetPlainCallback(m.callback, mwin);
    if (p.texts[m.replacement][0]) {
      button->SetText(p.texts[m.replacement]);
    } else if (!languages) {
      if (m.no_language_text) button->SetText(m.no_language_text);
    } else if (m.token && EngLanguagesGetTokenNumForToken(m.token, 0) >= 0) {
      button->SetTextLanguageToken(m.token);
    }
  }
  if (p.ok && !p.cancel && first_kind == MWIN_POPUP_OK) {
    window->SetDefaultButton(p.ok);
    window->SetEscapeButton(p.ok);
  } else if (p.cancel && !p.ok && cancel_kind == MWIN_POPUP_CANCEL) {
    window->SetDefaultButton(p.cancel);
    window->SetEscapeButton(p.cancel);
  } else if (p.ok && p.cancel && !p.no) {
    if (first_kind == MWIN_POPUP_OK) window->SetDefaultButton(p.ok);
    if (cancel_kind == MWIN_POPUP_CANCEL) window->SetEscapeButton(p.cancel);
  } else if (p.no && !p.extra) {
    if (cancel_kind == MWIN_POPUP_CANCEL) window->SetEscapeButton(p.cancel);
  }
  return 1;
}

// 15-16: the row, fitted to the box and centred.
static void FitButtonRow(_MWinPopupState &p, float button_w, const PopupBox &b) {
  std::vector<MWinButton *> row;
  if (p.ok && p.no && p.cancel) {
    row = {p.ok, p.no, p.cancel};
  } else {
    for (MWinButton *button : {p.ok, p.cancel, p.no})
      if (button) row.push_back(button);
  }
  if (p.extra) row.push_back(p.extra);
  const float min_button_w = 0.9f * button_w;
  std::vector<float> widths;
  float sum = 0;
  const float ws = eng_main_window_x_widescreen_ratio > 0 ? eng_main_window_x_widescreen_ratio : 1;
  for (MWinButton *button : row) {
    button->SetTextScale(0.8f * p.button_text_scale[0], 0.8f * p.button_text_scale[1]);
    float bw = TextWidth(button) / ws + 15;
    if (bw < min_button_w) bw = min_button_w;
    widths.push_back(bw);
    sum += bw;
  }
  if (sum + b.gap_total > b.box_w * b.fx && sum > 0) {
    const float factor = (b.box_w * b.fx - b.gap_total) / sum;
    for (float &bw : widths) {
      bw *= factor;
      if (bw < min_button_w) bw = min_button_w;
    }
  }
  float x = 6 * b.fx;
  for (size_t i = 0; i < row.size(); i++) {
    const _Dimension *a = row[i]->GetOrigArea();
    row[i]->SetOrigPos(x, a->y, widths[i], a->height);
    x += widths[i] + 6 * b.fx;
  }
  if (p.ok) {
    std::vector<MWinButton *> list = row;
    list.push_back(nullptr);
    p.window->CenterGroupOfButtons(list.data(), 1, 0);
  }
}

char MWin::PopupSetupDefaultButtons(const char *title, const char *text, char first_kind, char cancel_kind, char no,
                                    char extra, float extra_w, float extra_h) {
  _MWinPopupState &p = m_popup;
  MWinCollection *collection = p.collection;
  if (!DebugCheckOkAlt(collection ? 1 : 0, ENG_FUNC, "No popup collection")) return 0;
  const int o = OrientationIndex();
  const float h90 = 0.9f * p.button_h[o];
  const float button_w = p.button_w[o];
  PopupBox b;
  b.signature = ENG_FUNC;
  b.start_w = p.min_box_w[o] + extra_w;
  if (b.start_w > ENG_DESIGN_WIDTH) b.start_w = ENG_DESIGN_WIDTH;
  b.max_w = p.max_box_w[o] > b.start_w ? p.max_box_w[o] : b.start_w;
  if (p.next_w > 0 && p.next_w < b.max_w) b.max_w = p.next_w;

  if (title && strlen(title) >= 256) title = nullptr;
  b.has_title = title && title[0] ? 1 : 0;
  b.has_text = text && text[0] ? 1 : 0;
  _MWinWindowCreateInfo info;
  memset(&info, 0, sizeof(info));
  info.x = info.y = -9999;
  info.width = ENG_DESIGN_WIDTH;
  info.height = ENG_DESIGN_HEIGHT;
  info.has_title_bar = b.has_title;
  EngSafeStrcpy(info.title_text, b.has_title ? title : "MWinPopup", sizeof(info.title_text));
  MWinCopyID(info.title_texbut, p.ids[1]);
  MWinCopyID(info.back_texbut, p.ids[0]);
  MWinCopyID(info.title_font, p.ids[2]);

  if (!MeasureBox(this, p, &info, title, text, extra_w, &b)) return 0;
  SizeButtonRow(p, first_kind, cancel_kind, no, extra, extra_h, button_w, h90, &b);
  ScaleForDisplay(m_auto_resize, &info, &b);
  if (!AddPopupWindow(this, p, &info, text, b)) return 0;
  if (!AddPopupButtons(this, p, first_kind, cancel_kind, button_w, h90, b)) return 0;
  if (b.n == 0) {
    memset(p.texts, 0, sizeof(p.texts));
    return 1;
  }
  FitButtonRow(p, button_w, b);
  p.texts[0][0] = p.texts[1][0] = p.texts[2][0] = 0;
  return 1;
}
