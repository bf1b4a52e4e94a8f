// The widget's tick and drawing: the state it is drawn in, the crop to its area, the back
// from its texture button or its own textures, then its texts through the toolkit's text
// drawing, then the caller's extra drawing.
#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMain.h"
#include "Engine/EngMenu.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextEdit.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

// ---- Tick ----

char MWinButton::ShouldTick() { return m_ready && m_enabled && m_shown ? 1 : 0; }

char MWinButton::Tick() {
  if (!ShouldTick()) return 0;
  // The marquee moves with the frames of the widget that shows it. The kinds with a tick of
  // their own (panel, list, text edit) add it here; every other kind animates its picture.
  char ticked = 0;
  if (m_scroll_text) {
    ScrollingTextTick();
    ticked = 1;
  }
  if (m_type != MWIN_BUTTON_PANEL && m_type != MWIN_BUTTON_LIST && m_type != MWIN_BUTTON_TEXT_EDIT && PictureTick())
    ticked = 1;
  if (ticked && m_mwin) m_mwin->RenderNeeded();
  return ticked;
}

// ---- State and crop ----

_MWinTextureState MWinButton::GetRenderState() {
  if (m_override_state >= 0 && m_override_state < 4) return _MWinTextureState(m_override_state);
  if (!m_enabled) return MWIN_TEXSTATE_DISABLED;
  if (m_pressed) return MWIN_TEXSTATE_PRESSED;
  if (m_active) return MWIN_TEXSTATE_HIGHLIGHTED;
  return MWIN_TEXSTATE_NORMAL;
}

static char HaveDevice() { return eng_main_device && eng_main_device_type == 1 ? 1 : 0; }

static void CropTo(float x, float y, float w, float h) {
  if (eng_main_device->IsViewportFullScreen())
    EngMenuCropToAreaRatioed(x, y, w, h);
  else
    eng_main_device->CropToAreaInViewportRatioed(x, y, w, h);
}

char MWinButton::CropRenderAreaToButtonNew2() {
  m_crop_set = 0;
  if (!HaveDevice() || m_render_area.height <= 0) return 0;
  // A plain label draws its text uncropped, so a text a little wider than it stays whole.
  if (m_type == MWIN_BUTTON_STATIC && m_back_texbut_num < 0 && !m_custom_back && !m_picture.kind) return 1;
  if (!m_mwin || !m_mwin->GetCropRendering()) return 1;
  CropTo(m_render_area.x, m_render_area.y, m_render_area.width, m_render_area.height);
  m_crop_set = 1;
  return 1;
}

char MWinButton::CropRenderAreaToWindow() { return CropRenderAreaToArea(nullptr); }

char MWinButton::CropRenderAreaToArea(_Dimension *area) {
  if (!m_window) return 0;
  const _Dimension *a = area ? area : m_window->GetActualAreaReal();
  return CropRenderAreaToArea(a->x, a->y, a->width, a->height);
}

char MWinButton::CropRenderAreaToArea(float x, float y, float w, float h) {
  if (!HaveDevice() || !m_window) return 0;
  if (!m_mwin || !m_mwin->GetCropRendering()) return 1;
  const _Dimension *win = m_window->GetActualAreaReal();
  if (y < win->y) {
    h -= win->y - y;
    y = win->y;
  }
  if (x < win->x) {
    w -= win->x - x;
    x = win->x;
  }
  CropTo(x, y, w, h);
  m_crop_set = 1;
  return 1;
}

void MWinButton::RestoreAfterRenderAreaCrop() {
  if (m_crop_set && HaveDevice() && eng_main_device->IsCropOn()) eng_main_device->TurnOffCrop();
  m_crop_set = 0;
}

char MWinButton::PrepareForRender() {
  if (!m_shown) return 0;
  if (m_colouring && m_colour.a == 0) return 0;
  return CropRenderAreaToButtonNew2();
}

// ---- Render ----

char MWinButton::Render() {
  if (!m_on_screen || !PrepareForRender()) return 0;
  RenderNoPrepare();
  RestoreAfterRenderAreaCrop();
  return 1;
}

char MWinButton::RenderNoPrepare() {
  if (!m_on_screen) return 0;
  _MWinTextureState state = GetRenderState();
  RenderBack(state);
  RenderText();
  if (m_extra_render_cb && m_type != MWIN_BUTTON_PANEL)
    m_extra_render_cb(this, &m_actual_area, state, m_extra_render_value, m_extra_render_user);
  return 1;
}

void MWinButton::SetExtraRenderCB(MWIN_BUTTON_RENDER_CB callback, int value, void *user) {
  m_extra_render_cb = callback;
  m_extra_render_value = value;
  m_extra_render_user = user;
}

void MWinButton::CallExtraRenderCB(_MWinTextureState state) {
  if (m_extra_render_cb) m_extra_render_cb(this, &m_actual_area, state, m_extra_render_value, m_extra_render_user);
}

// The drop-down list draws its open list here when it is built.
char MWinButton::RenderOnTopOfOtherButtons() { return 0; }

// ---- Back ----

void MWinButton::RenderBack(_MWinTextureState state) {
  // Panels, choices and lists draw their own backs in their files.
  if (m_type == MWIN_BUTTON_PANEL || m_type == MWIN_BUTTON_CHOICE || m_type == MWIN_BUTTON_LIST) return;
  RenderNormalBack(state);
  if (m_type == MWIN_BUTTON_RANGE) RangeRenderButton(state);
  if (m_type == MWIN_BUTTON_PIE) PieRenderButton(state);
  if (m_picture.kind) PictureDraw();
}

void MWinButton::RenderNormalBack(_MWinTextureState state) {
  if (IS_MOBILE && state == MWIN_TEXSTATE_HIGHLIGHTED) state = MWIN_TEXSTATE_NORMAL;
  RenderNormalBack(state, &m_actual_area);
}

void MWinButton::RenderNormalBack(_MWinTextureState state, float x, float y, float w, float h) {
  _Dimension area = {x, y, w, h};
  RenderNormalBack(state, &area);
}

void MWinButton::RenderNormalBack(_MWinTextureState state, _Dimension *area) {
  if (!area || !m_mwin || !m_mwin->GetTextures()) return;
  int s = (state >= 0 && state < 4) ? int(state) : 0;
  if (m_custom_back) {
    const _MWinButtonCustomBack *rec = &m_custom[s];
    if (!rec->file[0] && !rec->caller_texture) rec = &m_custom[0];
    EngTexture *texture = rec->file[0] ? rec->texture : rec->caller_texture;
    if (!texture) return;
    _ColourRGBA c = rec->colour;
    if (m_colouring) {
      c.r *= m_colour.r;
      c.g *= m_colour.g;
      c.b *= m_colour.b;
      c.a *= m_colour.a;
    }
    texture->PositionRatioed(area);
    texture->DrawPartWithColour(rec->left, rec->top, rec->right, rec->bottom, &c);
    return;
  }
  m_mwin->GetTextures()->DrawTextureButton(m_back_texbut_num, _MWinTextureState(s), area,
                                           m_colouring ? &m_colour : nullptr);
}

// ---- Text ----

void MWinButton::UpdateTextFontColour(EngFont *font, const _ColourRGBA *colour) {
  if (!font) return;
  _ColourRGBA c;
  if (colour) {
    c = *colour;
  } else {
    c = m_text_colour;
    if (m_colouring == 1) {
      c.r *= m_colour.r;
      c.g *= m_colour.g;
      c.b *= m_colour.b;
      c.a *= m_colour.a;
    }
  }
  if (!m_enabled && m_mwin) c.a *= m_mwin->GetSettings()->text_alpha_multiplier;
  font->SetColour(&c);
}

void MWinButton::UpdateTextFontColourAndScale() {
  EngFont *font = GetTextFont();
  if (!font) return;
  UpdateTextFontColour(font, nullptr);
  float sx = m_text_scale_x, sy = m_text_scale_y;
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (layout && layout->orientation_text_scale_x > 0 && layout->orientation_text_scale_y > 0) {
    sx *= layout->orientation_text_scale_x;
    sy *= layout->orientation_text_scale_y;
  }
  if (m_text_scale_relative) {
    sx *= eng_main_window_x_ratio_inv;
    sy *= eng_main_window_y_ratio_inv;
  }
  sx *= GetAutoResizeScaleX();
  sy *= GetAutoResizeScaleY();
  font->SetScale(sx, sy);
}

void MWinButton::RenderText() {
  UpdateTextFontColourAndScale();
  switch (m_type) {
    // These kinds draw their own texts in their files.
    case MWIN_BUTTON_TEXT_EDIT:
    case MWIN_BUTTON_LIST:
    case MWIN_BUTTON_CHECKBOX:
    case MWIN_BUTTON_CHOICE:
    case MWIN_BUTTON_PANEL: return;
    case MWIN_BUTTON_RANGE: RangeRenderText(); return;
    default: RenderNormalOrMultilineText(); return;
  }
}

void MWinButton::RenderNormalOrMultilineText() {
  if (m_multiline)
    RenderMultilineText();
  else
    RenderNormalText();
}

void MWinButton::RenderNormalText() {
  if (m_scroll_text) {
    RenderScrollingText();
    return;
  }
  if (!m_mwin) return;
  MWinLayoutSettings *layout = GetLayoutSettings();
  float offset = layout ? -(layout->two_line_text_offset * m_text_scale_y) : 0;
  if (layout && layout->orientation_text_scale_y > 0) offset *= layout->orientation_text_scale_y;
  const char *upper = nullptr, *lower = nullptr, *single = nullptr;
  if (m_lang_token_mode) {
    if (m_lang_token_sub_texts == 2) {
      upper = EngLanguagesGetString(m_lang_token_num, 0);
      lower = EngLanguagesGetString(m_lang_token_num, 1);
    } else if (m_lang_token_sub_texts == 1) {
      single = EngLanguagesGetString(m_lang_token_num, 0);
    }
  } else if (m_text[0] && m_text[0][0]) {
    if (m_text[1] && m_text[1][0]) {
      upper = m_text[0];
      lower = m_text[1];
    } else {
      single = m_text[0];
    }
  }
  _Dimension area = m_actual_area;
  if (single) m_mwin->RenderText(m_font_num, m_text_align, m_text_margin, &area, nullptr, single, 0, 1, m_shrink_text);
  if (upper) {
    area.y = m_actual_area.y + offset;
    m_mwin->RenderText(m_font_num, m_text_align, m_text_margin, &area, nullptr, upper, 0, 1, m_shrink_text);
  }
  if (lower) {
    area.y = m_actual_area.y - offset;
    m_mwin->RenderText(m_font_num, m_text_align, m_text_margin, &area, nullptr, lower, 0, 1, m_shrink_text);
  }
}

void MWinButton::RenderMultilineText() {
  if (!m_mwin || !m_text[0] || !m_text[0][0]) return;
  m_mwin->RenderMultilineText(m_font_num, m_text_align, m_text_margin, &m_actual_area, nullptr, m_text[0], 0, 1,
                              m_shrink_text);
}

void MWinButton::RenderScrollingText() {
  EngFont *font = GetTextFont();
  if (!font || !m_scroll_text) return;
  const _Dimension &a = m_actual_area;
  float x = a.x + m_text_margin - m_scroll_pos;
  float y = font->DrawStringPartAlignGetYPos(a.y + a.height / 2, 1);
  EngFontPrepareForDrawingWithOrientation(1);
  font->DrawStringPartSetXStartPos(1, a.x - 40);
  font->RecordNextTextXPos(m_scroll_length);
  font->DrawStringPart(x, y, m_scroll_text, 0, a.x + a.width + 40);
  float end = font->RecordNextTextXPos(-1);
  font->DrawStringPartSetXStartPos(0, 0);
  EngFontRestoreAfterDrawing();
  // Gone out on the left: enter again from the right.
  if (end <= a.x - 40) m_scroll_pos = -25 - a.width;
}
