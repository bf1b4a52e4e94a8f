// The window's look: texture buttons of its title bar, back and title-bar buttons, its own
// back textures, the title font, the title bar's geometry and the drawing of the window.
#include <algorithm>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMemory.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

// ---- What the window needs of the texture and font registries ----

static const int kSlotWindowBack = 0;
static const int kSlotWindowTitle = 1;
static const int kSlotHScrollThumb = 9;
static const int kSlotHScrollTrack = 10;
static const int kSlotVScrollThumb = 11;
static const int kSlotVScrollTrack = 12;
static const int kSlotTitleButton = 27;

static int SkinTexButNumFromID(MWin *mwin, const char *id) {
  MWinTextures *textures = mwin ? mwin->GetTextures() : nullptr;
  return textures ? textures->GetTexButNumFromID(id) : -1;
}

static int SkinStandardTexButNum(MWin *mwin, int slot) {
  MWinTextures *textures = mwin ? mwin->GetTextures() : nullptr;
  return textures ? textures->GetStandardTexButNum(slot) : -1;
}

// The registered id of a texture button, for handing to a widget.
static const char *SkinTexButID(MWin *mwin, int num) {
  MWinTextures *textures = mwin ? mwin->GetTextures() : nullptr;
  const char *id = textures ? textures->GetIDFromTexButNum(num, 1) : nullptr;
  return id ? id : "MWIN_TEXBUT_NONE";
}

static void SkinDrawTexBut(MWin *mwin, int num, _MWinTextureState state, const _Dimension *area,
                           const _ColourRGBA *colour) {
  MWinTextures *textures = mwin ? mwin->GetTextures() : nullptr;
  if (textures && num >= 0) textures->DrawTextureButton(num, state, area, nullptr, colour);
}

static int SkinFontNumFromID(MWin *mwin, const char *id) {
  MWinFonts *fonts = mwin ? mwin->GetFonts() : nullptr;
  return fonts ? fonts->GetFontNumFromID(id) : -1;
}

// Applies scale and colour to a user font; 0 when there is no such font.
static char SkinStyleUserFont(MWin *mwin, int font, float scale_x, float scale_y, const _ColourRGBA *colour) {
  MWinFonts *fonts = mwin ? mwin->GetFonts() : nullptr;
  EngFont *engine_font = fonts ? fonts->GetUserFont(font) : nullptr;
  if (!engine_font) return 0;
  engine_font->SetScale(scale_x, scale_y);
  if (colour) engine_font->SetColour(colour);
  return 1;
}

// The standard font as it was set up (scale 1, white): widgets drawn in it leave their own
// colour and scale on it, which a title in that font must not take over.
static void SkinRestoreStandardFontLook(MWin *mwin) {
  MWinFonts *fonts = mwin ? mwin->GetFonts() : nullptr;
  EngFont *standard = fonts ? fonts->GetStandardFont() : nullptr;
  if (!standard) return;
  standard->SetScale(1.0f, 1.0f);
  standard->SetColour(1.0f, 1.0f, 1.0f, 1.0f);
}

static void SkinRenderText(MWin *mwin, int font, _MWinTextAlign align, float margin, _Dimension *box,
                           _Dimension *offset, const char *text, char active) {
  if (mwin) mwin->RenderText(font, align, margin, box, offset, text, active, 1, 1);
}

// ---- Texture buttons ----

// The common rule of the four "to texture button" forms.
static char SetTexButByID(MWin *mwin, const char *id, char *record_id, EngInt32 *num) {
  *num = SkinTexButNumFromID(mwin, id);
  if (MWinIsIDEmpty(id) || *num >= 0) {
    if (id != record_id) MWinCopyID(record_id, id ? id : "");
    return 1;
  }
  return 0;
}

static char IsDefaultID(const char *id) { return MWinAreIDsTheSame(id, "MWIN_TEXBUT_DEFAULT"); }
static char IsNoneID(const char *id) { return MWinAreIDsTheSame(id, "MWIN_TEXBUT_NONE"); }

char MWinWindow::SetTitleTexButToTexBut(const char *id) {
  if (!m_mwin || !m_mwin->GetTextures()) return 0;
  if (IsDefaultID(id)) return SetTitleTexButToDefault(), 1;
  if (IsNoneID(id)) return SetTitleTexButToNone(), 1;
  return SetTexButByID(m_mwin, id, m_info.title_texbut, &m_title_texbut_num);
}

char MWinWindow::SetBackTexButToTexBut(const char *id) {
  if (!m_mwin || !m_mwin->GetTextures()) return 0;
  if (IsDefaultID(id)) return SetBackTexButToDefault(), 1;
  if (IsNoneID(id)) return SetBackTexButToNone(), 1;
  return SetTexButByID(m_mwin, id, m_info.back_texbut, &m_back_texbut_num);
}

char MWinWindow::SetHideTexButToTexBut(const char *id) {
  if (!m_mwin || !m_mwin->GetTextures()) return 0;
  if (IsDefaultID(id)) return SetHideTexButToDefault(), 1;
  if (IsNoneID(id)) return SetHideTexButToNone(), 1;
  char ok = SetTexButByID(m_mwin, id, m_info.hide_button_texbut, &m_hide_texbut_num);
  if (m_hide_button) m_hide_button->SetBackTexButToTexBut(id);
  return ok;
}

char MWinWindow::SetExtraTexButToTexBut(const char *id) {
  if (!m_mwin || !m_mwin->GetTextures()) return 0;
  if (IsDefaultID(id)) return SetExtraTexButToDefault(), 1;
  if (IsNoneID(id)) return SetExtraTexButToNone(), 1;
  char ok = SetTexButByID(m_mwin, id, m_info.extra_button_texbut, &m_extra_texbut_num);
  if (m_extra_button) m_extra_button->SetBackTexButToTexBut(id);
  return ok;
}

void MWinWindow::SetTitleTexButToDefault() {
  MWinCopyID(m_info.title_texbut, "MWIN_TEXBUT_DEFAULT");
  m_title_texbut_num = SkinStandardTexButNum(m_mwin, kSlotWindowTitle);
}

void MWinWindow::SetBackTexButToDefault() {
  MWinCopyID(m_info.back_texbut, "MWIN_TEXBUT_DEFAULT");
  m_back_texbut_num = SkinStandardTexButNum(m_mwin, kSlotWindowBack);
  m_custom_back_on = 0;
  DestroyCustomTexBut();
}

void MWinWindow::SetHideTexButToDefault() {
  MWinCopyID(m_info.hide_button_texbut, "MWIN_TEXBUT_DEFAULT");
  m_hide_texbut_num = SkinStandardTexButNum(m_mwin, kSlotTitleButton);
  if (m_hide_button) m_hide_button->SetBackTexButToTexBut(SkinTexButID(m_mwin, m_hide_texbut_num));
}

void MWinWindow::SetExtraTexButToDefault() {
  MWinCopyID(m_info.extra_button_texbut, "MWIN_TEXBUT_DEFAULT");
  m_extra_texbut_num = SkinStandardTexButNum(m_mwin, kSlotTitleButton);
  if (m_extra_button) m_extra_button->SetBackTexButToTexBut(SkinTexButID(m_mwin, m_extra_texbut_num));
}

void MWinWindow::SetTitleTexButToNone() {
  MWinCopyID(m_info.title_texbut, "MWIN_TEXBUT_NONE");
  m_title_texbut_num = -1;
}

void MWinWindow::SetBackTexButToNone() {
  MWinCopyID(m_info.back_texbut, "MWIN_TEXBUT_NONE");
  m_back_texbut_num = -1;
  m_custom_back_on = 0;
  DestroyCustomTexBut();
}

void MWinWindow::SetHideTexButToNone() {
  MWinCopyID(m_info.hide_button_texbut, "MWIN_TEXBUT_NONE");
  m_hide_texbut_num = -1;
  if (m_hide_button) m_hide_button->SetBackTexButToNone();
}

void MWinWindow::SetExtraTexButToNone() {
  MWinCopyID(m_info.extra_button_texbut, "MWIN_TEXBUT_NONE");
  m_extra_texbut_num = -1;
  if (m_extra_button) m_extra_button->SetBackTexButToNone();
}

// ---- The window's own back textures ----

char MWinWindow::SetBackTexButToCustom(_MWinTextureState state, const char *file, char with_alpha, char alpha_mode,
                                       char flag, float left, float top, float right, float bottom, float r, float g,
                                       float b, float a) {
  m_back_texbut_num = -1;
  MWinCopyID(m_info.back_texbut, "MWIN_TEXBUT_NONE");
  DestroyCustomTexBut();
  if (!file || !file[0]) {
    m_custom_back_on = 0;
    return 1;
  }
  if (strlen(file) >= 256) {
    DebugErrorAlt(ENG_FUNC, "Invalid filename");
    return 0;
  }
  int s = int(state);
  if (s == -1) s = 0;
  if (s < 0 || s > 3) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  _MWinWindowCustomBack *back = &m_custom_back[s];
  back->with_alpha = with_alpha;
  back->alpha_mode = alpha_mode;
  back->flag = flag;
  EngSafeStrcpy(back->file, file, sizeof(back->file));
  back->left = left;
  back->top = top;
  back->right = right;
  back->bottom = bottom;
  back->colour = {r, g, b, a};
  back->caller_texture = nullptr;
  m_custom_back_on = 1;
  if (!CreateCustomTexBut()) {
    m_custom_back_on = 0;
    return 0;
  }
  return 1;
}

char MWinWindow::SetBackTexButToCustom(const char *file, char with_alpha, char alpha_mode, char flag, float left,
                                       float top, float right, float bottom) {
  return SetBackTexButToCustom(_MWinTextureState(-1), file, with_alpha, alpha_mode, flag, left, top, right, bottom, 1,
                               1, 1, 1);
}

char MWinWindow::SetBackTexButToCustom(const char *file, char with_alpha, char alpha_mode, char flag) {
  return SetBackTexButToCustom(file, with_alpha, alpha_mode, flag, 0, 0, 1, 1);
}

char MWinWindow::SetBackTexButToCustom(const char *file) { return SetBackTexButToCustom(file, 0, 0, 0); }

char MWinWindow::SetBackTexButToCustomTexP(_MWinTextureState state, EngTexture *texture, char with_alpha,
                                           char alpha_mode, char flag, float left, float top, float right, float bottom,
                                           float r, float g, float b, float a) {
  m_back_texbut_num = -1;
  MWinCopyID(m_info.back_texbut, "MWIN_TEXBUT_NONE");
  DestroyCustomTexBut();
  int s = int(state);
  if (s == -1) s = 0;
  if (s < 0 || s > 3) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!texture) {
    m_custom_back_on = 0;
    return 1;
  }
  _MWinWindowCustomBack *back = &m_custom_back[s];
  back->with_alpha = with_alpha;
  back->alpha_mode = alpha_mode;
  back->flag = flag;
  back->file[0] = 0;
  back->left = left;
  back->top = top;
  back->right = right;
  back->bottom = bottom;
  back->whole_texture = (left == 0 && top == 0 && right == 1 && bottom == 1) ? 1 : 0;
  back->colour = {r, g, b, a};
  back->caller_texture = texture;
  m_custom_back_on = 1;
  return 1;
}

char MWinWindow::SetBackTexButToCustomTexP(EngTexture *texture) {
  return SetBackTexButToCustomTexP(_MWinTextureState(-1), texture, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1);
}

const char *MWinWindow::GetBackCustomTexButFilename() { return m_custom_back_on ? m_custom_back[0].file : nullptr; }

char MWinWindow::CreateCustomTexBut() {
  DestroyCustomTexBut();
  for (int s = 0; s < 4; s++) {
    _MWinWindowCustomBack *back = &m_custom_back[s];
    if (!back->file[0]) continue;
    back->texture = new EngTexture();
    if (!back->texture->LoadFromFileUsingExt(back->file, back->with_alpha, back->alpha_mode,
                                             m_mwin ? m_mwin->GetTextureFileType() : 2, 0)) {
      DebugErrorAlt(ENG_FUNC, "Could not load custom texture state %d <%s>", s, back->file);
      DestroyCustomTexBut();
      m_custom_back_on = 0;
      return 0;
    }
  }
  return 1;
}

void MWinWindow::DestroyCustomTexBut() {
  for (_MWinWindowCustomBack &back : m_custom_back) {
    if (!back.texture) continue;
    back.texture->Destroy();
    delete back.texture;
    back.texture = nullptr;
  }
}

// ---- Title font ----

char MWinWindow::SetTitleFontFromFontID(const char *id, char store) {
  if (MWinAreIDsTheSame(id, "MWIN_FONT_DEFAULT"))
    m_title_font_num = -1;
  else if (MWinAreIDsTheSame(id, "MWIN_FONT_NONE"))
    m_title_font_num = -2;
  else
    m_title_font_num = SkinFontNumFromID(m_mwin, id);
  if (store && id != m_info.title_font) MWinCopyID(m_info.title_font, id ? id : "");
  return 1;
}

void MWinWindow::UpdateTitleFontColourAndScale() {
  if (m_title_font_num < 0) return;
  float scale_x = m_title_scale_x, scale_y = m_title_scale_y;
  MWinLayoutSettings *layout = GetScreenLayout();
  if (layout && layout->orientation_text_scale_x > 0 && layout->orientation_text_scale_y > 0) {
    scale_x *= layout->orientation_text_scale_x;
    scale_y *= layout->orientation_text_scale_y;
  }
  scale_x *= GetAutoResizeScaleX();
  scale_y *= GetAutoResizeScaleY();
  _ColourRGBA colour = m_title_colour;
  if (m_colour_on) {
    colour.r *= m_colour.r;
    colour.g *= m_colour.g;
    colour.b *= m_colour.b;
    colour.a *= m_colour.a;
  }
  if (!SkinStyleUserFont(m_mwin, m_title_font_num, scale_x, scale_y, &colour)) return;
  UpdateHideAndExtraButtons(0, 0, 0);
}

// ---- Title bar ----

void MWinWindow::UpdateTitleBar(char skip_buttons) {
  MWinLayoutSettings *layout =
      m_mwin ? m_mwin->GetLayoutSettings(m_collection ? m_collection->GetScreenLayout() : m_mwin->GetScreenLayout())
             : nullptr;
  if (m_info.has_title_bar && layout) {
    float height = layout->title_bar_height;
    m_title_area = {0, -height, m_actual_area.width, height};
    m_title_text_area = m_title_area;
    if (m_info.has_hide_button || m_info.has_extra_button) {
      float inset = layout->hide_button_width + layout->hide_button_gap;
      m_title_text_area.x += inset;
      m_title_text_area.width -= 2 * inset;
    }
  } else {
    m_title_area = m_title_text_area = {0, 0, 0, 0};
  }
  m_client_area = {0, 0, m_actual_area.width, m_actual_area.height};
  if (!skip_buttons) UpdateHideAndExtraButtons(0, 0, 0);
  UpdateExtraSizeInfo();
}

// Where the title-bar buttons go, in window coordinates before the scroll offset.
struct TitleButtonGeometry {
  float hide_x, extra_x, y, width, height;
};

static char GetTitleButtonGeometry(MWinLayoutSettings *layout, float window_width, TitleButtonGeometry *out) {
  if (!layout) return 0;
  out->width = layout->hide_button_width;
  out->height = layout->hide_button_height;
  float gap = layout->hide_button_gap;
  out->y = -0.5f * layout->title_bar_height - 0.5f * out->height + layout->hide_button_y_shift;
  out->hide_x = gap;
  out->extra_x = window_width - gap - out->width;
  if (layout->swap_hide_and_extra == 1) {
    float x = out->hide_x;
    out->hide_x = out->extra_x;
    out->extra_x = x;
  }
  return 1;
}

void MWinWindow::PlaceTitleButtons() {
  TitleButtonGeometry geometry;
  if (!GetTitleButtonGeometry(GetScreenLayout(), m_orig_area.width, &geometry)) return;
  float text_scale = IS_MOBILE ? 0.9f : 0.8f;
  struct {
    MWinButton *button;
    float x;
    const char *text;
    const char *token;
  } parts[2] = {{m_hide_button, geometry.hide_x, m_info.hide_button_text, m_info.hide_button_lang_token},
                {m_extra_button, geometry.extra_x, m_info.extra_button_text, m_info.extra_button_lang_token}};
  for (auto &part : parts) {
    if (!part.button) continue;
    // Against the scroll offset, so the button stays in the title bar while the content scrolls.
    part.button->SetOrigPos(part.x, geometry.y - m_virtual_offset[1], geometry.width, geometry.height);
    part.button->SetFont(m_info.title_font);
    part.button->SetTextColour(&m_title_colour);
    part.button->SetTextScale(m_title_scale_x * text_scale, m_title_scale_y * text_scale);
    if (part.token[0]) {
      part.button->SetTextLanguageToken(part.token);
    } else {
      part.button->SetTextLanguageToken(nullptr);
      part.button->SetText(part.text[0] ? part.text : nullptr);
    }
  }
}

void MWinWindow::UpdateHideAndExtraButtons(char renew_hide, char renew_extra, char flag) {
  (void)flag;
  if (m_hide_button && !m_info.has_hide_button) {
    MWinButton *old = m_hide_button;
    m_hide_button = nullptr;
    m_mwin->Discard(old);
  }
  if (m_extra_button && !m_info.has_extra_button) {
    MWinButton *old = m_extra_button;
    m_extra_button = nullptr;
    m_mwin->Discard(old);
  }
  if (!m_info.has_hide_button && !m_info.has_extra_button) return;
  TitleButtonGeometry geometry;
  if (!GetTitleButtonGeometry(GetScreenLayout(), m_orig_area.width, &geometry) || !m_first_group) return;
  if (renew_hide && m_hide_button) {
    MWinButton *old = m_hide_button;
    m_hide_button = nullptr;
    m_mwin->Discard(old);
  }
  if (renew_extra && m_extra_button) {
    MWinButton *old = m_extra_button;
    m_extra_button = nullptr;
    m_mwin->Discard(old);
  }
  if (m_info.has_hide_button && !m_hide_button) {
    if (MWinIsIDEmpty(m_info.hide_button_texbut)) SetHideTexButToDefault();
    m_hide_button = new MWinButton(m_mwin, "STD_HIDE", m_first_group, MWIN_BUTTON_WINDOW_OWN, m_info.hide_button_texbut,
                                   nullptr, geometry.hide_x, geometry.y, geometry.width, geometry.height);
    char id[MWIN_ID_SIZE];
    memcpy(id, m_info.hide_button_texbut, sizeof(id));
    SetHideTexButToTexBut(id);
  }
  if (m_info.has_extra_button && !m_extra_button) {
    if (MWinIsIDEmpty(m_info.extra_button_texbut)) SetExtraTexButToDefault();
    m_extra_button =
        new MWinButton(m_mwin, "STD_EXTRA", m_first_group, MWIN_BUTTON_WINDOW_OWN, m_info.extra_button_texbut, nullptr,
                       geometry.extra_x, geometry.y, geometry.width, geometry.height);
    char id[MWIN_ID_SIZE];
    memcpy(id, m_info.extra_button_texbut, sizeof(id));
    SetExtraTexButToTexBut(id);
  }
  PlaceTitleButtons();
}

void MWinWindow::RemoveHideButton() {
  m_info.has_hide_button = 0;
  UpdateHideAndExtraButtons(1, 1, 0);
}

void MWinWindow::RemoveExtraButton() {
  m_info.has_extra_button = 0;
  UpdateHideAndExtraButtons(1, 1, 0);
}

// ---- Graphics and drawing ----

char MWinWindow::CreateGraphicsObjects() {
  char ok = 1;
  if (m_custom_back_on && !CreateCustomTexBut()) ok = 0;
  for (MWinGroup *g = m_first_group; g; g = g->m_next)
    if (!g->CreateGraphicsObjects()) ok = 0;
  return ok;
}

void MWinWindow::DestroyGraphicsObjects() {
  DestroyCustomTexBut();
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->DestroyGraphicsObjects();
}

void MWinWindow::RenderBack(_MWinTextureState state, const _ColourRGBA *colour) {
  if (m_back_texbut_num < 0) return;
  MWinLayoutSettings *layout = GetScreenLayout();
  _Dimension area = m_actual_area;
  if (m_extra_size[1] > 0)
    area.width -= layout->vscroll_track_width;
  else if (m_extra_size[0] > 0)
    area.height -= layout->hscroll_track_height;
  SkinDrawTexBut(m_mwin, m_back_texbut_num, state, &area, colour);
}

char MWinWindow::Render() {
  if (!m_created || !m_collection || !m_mwin || !m_mwin->GetTextures() || !m_shown) return 1;
  MWinLayoutSettings *layout = GetScreenLayout();
  if (!layout) return 0;
  _MWinTextureState state = m_active ? MWIN_TEXSTATE_HIGHLIGHTED : MWIN_TEXSTATE_NORMAL;
  const _ColourRGBA *colour = m_colour_on ? &m_colour : nullptr;
  if (m_info.has_title_bar) {
    _Dimension title = m_title_area;
    title.x += m_actual_area.x;
    title.y += m_actual_area.y;
    SkinDrawTexBut(m_mwin, m_title_texbut_num, state, &title, colour);
    if ((m_info.title_text[0] || m_info.title_lang_token[0]) && m_title_font_num != -2) {
      if (m_title_font_num == -1)
        SkinRestoreStandardFontLook(m_mwin);
      else
        UpdateTitleFontColourAndScale();
      _Dimension offset = {m_actual_area.x, m_actual_area.y, 0, 0};
      SkinRenderText(m_mwin, m_title_font_num, m_title_align, layout->title_text_margin, &m_title_text_area, &offset,
                     GetTitleText(), m_active);
    }
    if (m_hide_button && m_hide_button->IsShown()) m_hide_button->RenderNoPrepare();
    if (m_extra_button && m_extra_button->IsShown()) m_extra_button->RenderNoPrepare();
  }
  RenderBack(state, colour);
  if (m_scrolling_on) {
    if (m_extra_size[0] > 0) {
      SkinDrawTexBut(m_mwin, SkinStandardTexButNum(m_mwin, kSlotHScrollTrack), MWIN_TEXSTATE_NORMAL,
                     &m_scrollbar_x.track, nullptr);
      SkinDrawTexBut(m_mwin, SkinStandardTexButNum(m_mwin, kSlotHScrollThumb), MWIN_TEXSTATE_NORMAL,
                     &m_scrollbar_x.thumb, nullptr);
    }
    if (m_extra_size[1] > 0) {
      SkinDrawTexBut(m_mwin, SkinStandardTexButNum(m_mwin, kSlotVScrollTrack), MWIN_TEXSTATE_NORMAL,
                     &m_scrollbar_y.track, nullptr);
      SkinDrawTexBut(m_mwin, SkinStandardTexButNum(m_mwin, kSlotVScrollThumb), MWIN_TEXSTATE_NORMAL,
                     &m_scrollbar_y.thumb, nullptr);
    }
  }
  for (MWinGroup *g = m_first_group; g; g = g->m_next) g->Render();
  return 1;
}
