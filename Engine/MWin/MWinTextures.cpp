#include "Engine/MWin/MWinTextures.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinID.h"

MWinTextures::MWinTextures(MWin *mwin) : m_mwin(mwin) {
  if (!mwin) DebugExitPopup("MWinTextures", "Internal Error (MWinTextures)");
  memset(m_textures, 0, sizeof(m_textures));
  memset(m_texbuts, 0, sizeof(m_texbuts));
  UnbindAllSlots();
}

MWinTextures::~MWinTextures() {
  DebugCheckOkAlt(m_loaded ? 0 : 1, ENG_FUNC, "Textures still loaded");
  // A partly failed load leaves textures behind while the loaded flag is 0: free them all.
  for (int i = 0; i < m_texture_count; i++) {
    if (!m_textures[i].texture) continue;
    m_textures[i].texture->Destroy();
    delete m_textures[i].texture;
    m_textures[i].texture = nullptr;
  }
  m_loaded = 0;
  m_texture_count = 0;
}

void MWinTextures::UnbindAllSlots() {
  for (int &slot : m_standard) slot = -1;
}

// ---- Textures ----

char MWinTextures::AddTexture(const char *id, const char *file, char with_alpha, char alpha_mode) {
  if (!file || !file[0]) {
    DebugErrorAlt(ENG_FUNC, "No filename passed in");
    return 0;
  }
  if (strnlen(file, 256) >= 256) {
    DebugErrorAlt(ENG_FUNC, "Filename too long");
    return 0;
  }
  if (m_texture_count >= MWIN_MAX_TEXTURES) {
    DebugErrorAlt(ENG_FUNC, "Too many textures");
    return 0;
  }
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", file);
    return 0;
  }
  _MWinTextureEntry *entry = &m_textures[m_texture_count];
  if (!MWinCopyID(entry->id, id)) return 0;
  strcpy(entry->file, file);
  entry->with_alpha = with_alpha;
  entry->alpha_mode = alpha_mode;
  entry->texture = nullptr;
  m_texture_count++;
  return 1;
}

char MWinTextures::AddTexture(const char *id, const char *file) { return AddTexture(id, file, 0, 0); }

// ---- Texture buttons ----

void MWinTextures::InitTextureButton(_MWinTextureButton *button) {
  button->draw_style_x = button->draw_style_y = 1;
  button->texture_edge_x = button->texture_edge_y = 0;
  button->screen_edge_x = button->screen_edge_y = 16;
  button->extra_width = button->extra_top = button->extra_bottom = 0;
}

_MWinTextureButton *MWinTextures::AddTextureButton(const char *id, const char *tex0, float l0, float t0, float r0,
                                                   float b0, const char *tex1, float l1, float t1, float r1,
                                                   float b1, const char *tex2, float l2, float t2, float r2,
                                                   float b2, const char *tex3, float l3, float t3, float r3,
                                                   float b3) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "Invalid ID passed in");
    return nullptr;
  }
  if (m_texbut_count >= MWIN_MAX_TEXTURE_BUTTONS) {
    DebugErrorAlt(ENG_FUNC, "Too many texture buttons");
    return nullptr;
  }
  if (GetTexButFromID(id)) {
    DebugErrorAlt(ENG_FUNC, "Texture button alread exits <%s>", id);
    return nullptr;
  }
  _MWinTextureButton *button = &m_texbuts[m_texbut_count];
  memset(button, 0, sizeof(*button));
  // The id is taken first: the entry is not counted until it is whole.
  if (!MWinCopyID(button->id, id)) return nullptr;
  const char *texs[MWIN_NUM_TEXTURE_STATES] = {tex0, tex1, tex2, tex3};
  const float regions[MWIN_NUM_TEXTURE_STATES][4] = {
      {l0, t0, r0, b0}, {l1, t1, r1, b1}, {l2, t2, r2, b2}, {l3, t3, r3, b3}};
  for (int s = 0; s < MWIN_NUM_TEXTURE_STATES; s++) {
    button->states[s].texture_num = -1;
    if (!MWinIsIDEmpty(texs[s]))
      SetTextureButtonState(button, _MWinTextureState(s), texs[s], regions[s][0], regions[s][1], regions[s][2],
                            regions[s][3]);
  }
  InitTextureButton(button);
  m_texbut_count++;
  return button;
}

_MWinTextureButton *MWinTextures::AddTextureButton(const char *id, const char *tex, float left, float top,
                                                   float right, float bottom) {
  return AddTextureButton(id, tex, left, top, right, bottom, tex, left, top, right, bottom, tex, left, top, right,
                          bottom, tex, left, top, right, bottom);
}

_MWinTextureButton *MWinTextures::AddTextureButton(const char *id, const char *tex0, const char *tex1,
                                                   const char *tex2, const char *tex3) {
  const char *t1 = MWinIsIDEmpty(tex1) ? tex0 : tex1;
  const char *t2 = MWinIsIDEmpty(tex2) ? tex0 : tex2;
  const char *t3 = MWinIsIDEmpty(tex3) ? tex0 : tex3;
  return AddTextureButton(id, tex0, 0, 0, 1, 1, t1, 0, 0, 1, 1, t2, 0, 0, 1, 1, t3, 0, 0, 1, 1);
}

_MWinTextureButton *MWinTextures::AddTextureButton(const char *id, const char *tex) {
  return AddTextureButton(id, tex, 0, 0, 1, 1);
}

_MWinTextureButton *MWinTextures::AddTextureWithOneTextureButton(const char *id, const char *file, char with_alpha,
                                                                 char alpha_mode) {
  if (!AddTexture(id, file, with_alpha, alpha_mode)) return nullptr;
  return AddTextureButton(id, id);
}

_MWinTextureButton *MWinTextures::AddTextureWithOneTextureButton(const char *id, const char *file) {
  return AddTextureWithOneTextureButton(id, file, 0, 0);
}

char MWinTextures::SetTextureButtonState(_MWinTextureButton *button, _MWinTextureState state, const char *tex,
                                         float left, float top, float right, float bottom) {
  if (!button || state < 0 || state >= MWIN_NUM_TEXTURE_STATES) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters passed in");
    return 0;
  }
  _MWinTextureButtonState *s = &button->states[state];
  s->texture_num = -1;
  if (MWinIsIDEmpty(tex)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters passed in");
    return 0;
  }
  int num = GetTextureNumFromID(tex);
  if (num < 0) {
    DebugErrorAlt(ENG_FUNC, "Texture <%s> does not exist", tex);
    return 0;
  }
  s->texture_num = num;
  s->left = left;
  s->top = top;
  s->right = right;
  s->bottom = bottom;
  return 1;
}

char MWinTextures::SetTextureButtonState(const char *button, _MWinTextureState state, const char *tex, float left,
                                         float top, float right, float bottom) {
  if (MWinIsIDEmpty(button) || MWinIsIDEmpty(tex)) {
    DebugErrorAlt(ENG_FUNC, "Invalid parameters passed in");
    return 0;
  }
  _MWinTextureButton *b = GetTexButFromID(button);
  if (!b) {
    DebugErrorAlt(ENG_FUNC, "Texture Button <%s> does not exist", button);
    return 0;
  }
  return SetTextureButtonState(b, state, tex, left, top, right, bottom);
}

char MWinTextures::CopyAllStatesFromNormalState(const char *id) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "Invalid ID passed in");
    return 0;
  }
  _MWinTextureButton *button = GetTexButFromID(id);
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "Could not find texture button <%s>", id);
    return 0;
  }
  if (button->states[MWIN_TEXSTATE_NORMAL].texture_num < 0) {
    DebugErrorAlt(ENG_FUNC, "No normal state texture set on button <%s>", id);
    return 0;
  }
  for (int s = 1; s < MWIN_NUM_TEXTURE_STATES; s++) button->states[s] = button->states[MWIN_TEXSTATE_NORMAL];
  return 1;
}

char MWinTextures::SetTexButDrawStyle(const char *id, int style_x, float texture_edge_x, float screen_edge_x,
                                      int style_y, float texture_edge_y, float screen_edge_y) {
  _MWinTextureButton *button = GetTexButFromID(id);
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "Texture Button <%s> does not exist", MWinDisplayID(id));
    return 0;
  }
  button->draw_style_x = style_x;
  button->texture_edge_x = texture_edge_x;
  button->screen_edge_x = screen_edge_x;
  button->draw_style_y = style_y;
  button->texture_edge_y = texture_edge_y;
  button->screen_edge_y = screen_edge_y;
  return 1;
}

char MWinTextures::SetTexButDrawExtra(const char *id, float width, float top, float bottom) {
  _MWinTextureButton *button = GetTexButFromID(id);
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "Texture Button <%s> does not exist", MWinDisplayID(id));
    return 0;
  }
  button->extra_width = width;
  button->extra_top = top;
  button->extra_bottom = bottom;
  return 1;
}

char MWinTextures::SetTexButDrawExtra(const char *id, float width, float height, float unused1, float unused2) {
  (void)unused1;
  (void)unused2;
  return SetTexButDrawExtra(id, width, height * 0.5f, height * 0.5f);
}

char MWinTextures::SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state,
                                                         const _ColourRGBA *colour) {
  if (MWinIsIDEmpty(id)) {
    DebugErrorAlt(ENG_FUNC, "Empty texbut ID");
    return 0;
  }
  _MWinTextureButton *button = GetTexButFromID(id);
  if (!button) {
    DebugErrorAlt(ENG_FUNC, "Unknown texbut ID <%s>", id);
    return 0;
  }
  if (state < 0 || state >= MWIN_NUM_TEXTURE_STATES) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  _MWinTextureButtonState *s = &button->states[state];
  if (!colour || colour->a <= 0.0f) {
    s->colour_multiplier_on = 0;
    return 1;
  }
  s->colour_multiplier_on = 1;
  s->colour_multiplier = *colour;
  return 1;
}

char MWinTextures::SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state, float r, float g,
                                                         float b, float a) {
  _ColourRGBA colour = {r, g, b, a};
  return SetTextureButtonStateColourMultiplier(id, state, &colour);
}

char MWinTextures::SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state, float grey) {
  return SetTextureButtonStateColourMultiplier(id, state, grey, grey, grey, 1.0f);
}

char MWinTextures::SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state,
                                                         const _ColourRGBA *colour) {
  return SetTextureButtonStateColourMultiplier(GetStandardTexButID(slot), state, colour);
}

char MWinTextures::SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state, float r, float g,
                                                         float b, float a) {
  return SetTextureButtonStateColourMultiplier(GetStandardTexButID(slot), state, r, g, b, a);
}

char MWinTextures::SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state, float grey) {
  return SetTextureButtonStateColourMultiplier(GetStandardTexButID(slot), state, grey);
}

// ---- Standard slots ----

char MWinTextures::SetStandardTextureToTexBut(int slot, const char *id) {
  if (slot < 0 || slot >= MWIN_NUM_STANDARD_TEXBUTS) {
    DebugErrorAlt(ENG_FUNC, "Invalid std tex num %d", slot);
    return 0;
  }
  if (MWinIsIDEmpty(id)) {
    m_standard[slot] = -1;
    return 1;
  }
  int num = GetTexButNumFromID(id);
  if (num < 0) {
    DebugErrorAlt(ENG_FUNC, "Texture Button <%s> does not exist", id);
    return 0;
  }
  m_standard[slot] = num;
  return 1;
}

char MWinTextures::SetStandardTextureToTexBut(int slot, _MWinTextureButton *button) {
  return SetStandardTextureToTexBut(slot, button ? button->id : nullptr);
}

char MWinTextures::AddStandardTextureButton(int slot, const char *id, const char *tex0, float l0, float t0, float r0,
                                            float b0, const char *tex1, float l1, float t1, float r1, float b1,
                                            const char *tex2, float l2, float t2, float r2, float b2,
                                            const char *tex3, float l3, float t3, float r3, float b3) {
  if (!AddTextureButton(id, tex0, l0, t0, r0, b0, tex1, l1, t1, r1, b1, tex2, l2, t2, r2, b2, tex3, l3, t3, r3, b3))
    return 0;
  return SetStandardTextureToTexBut(slot, id);
}

char MWinTextures::AddStandardTextureButton(int slot, const char *id, const char *tex0, float l0, float t0, float r0,
                                            float b0, const char *tex1, float l1, float t1, float r1, float b1,
                                            const char *tex2, float l2, float t2, float r2, float b2,
                                            const char *tex3, float l3, float t3, float r3, float b3, int style_x,
                                            float texture_edge_x, float screen_edge_x, int style_y,
                                            float texture_edge_y, float screen_edge_y) {
  if (!AddStandardTextureButton(slot, id, tex0, l0, t0, r0, b0, tex1, l1, t1, r1, b1, tex2, l2, t2, r2, b2, tex3, l3,
                                t3, r3, b3))
    return 0;
  return SetTexButDrawStyle(id, style_x, texture_edge_x, screen_edge_x, style_y, texture_edge_y, screen_edge_y);
}

char MWinTextures::AddStandardTextureButton(int slot, const char *id, const char *file, char with_alpha,
                                            char alpha_mode) {
  if (!AddTextureWithOneTextureButton(id, file, with_alpha, alpha_mode)) return 0;
  return SetStandardTextureToTexBut(slot, id);
}

char MWinTextures::AddStandardTextureButton(int slot, const char *id, const char *file) {
  return AddStandardTextureButton(slot, id, file, 0, 0);
}

int MWinTextures::GetStandardTexButNum(int slot) {
  if (slot < 0 || slot >= MWIN_NUM_STANDARD_TEXBUTS) {
    DebugErrorAlt(ENG_FUNC, "Invalid standard texbut num: %d", slot);
    return -1;
  }
  return m_standard[slot];
}

const char *MWinTextures::GetStandardTexButID(int slot) {
  int num = GetStandardTexButNum(slot);
  if (num < 0 || num >= m_texbut_count) return nullptr;
  return m_texbuts[num].id;
}

char MWinTextures::RemoveStandardTextureButton(int slot) {
  if (slot < 0 || slot >= MWIN_NUM_STANDARD_TEXBUTS) {
    DebugErrorAlt(ENG_FUNC, "Invalid standard texbut num: %d", slot);
    return -1;
  }
  int num = m_standard[slot];
  if (num < 0) return 0;
  if (num < m_texbut_count) m_texbuts[num].id[0] = 0;
  m_standard[slot] = -1;
  return 1;
}

// ---- Look-ups ----

int MWinTextures::GetTexButNumFromID(const char *id) {
  for (int i = 0; i < m_texbut_count; i++)
    if (MWinAreIDsTheSame(m_texbuts[i].id, id)) return i;
  return -1;
}

int MWinTextures::GetTextureNumFromID(const char *id) {
  for (int i = 0; i < m_texture_count; i++)
    if (MWinAreIDsTheSame(m_textures[i].id, id)) return i;
  return -1;
}

_MWinTextureEntry *MWinTextures::GetTextureFromID(const char *id) {
  int num = GetTextureNumFromID(id);
  return num < 0 ? nullptr : &m_textures[num];
}

_MWinTextureButton *MWinTextures::GetTexButFromID(const char *id) {
  int num = GetTexButNumFromID(id);
  return num < 0 ? nullptr : &m_texbuts[num];
}

_MWinTextureButton *MWinTextures::GetTexButFromNum(int num) {
  return (num < 0 || num >= m_texbut_count) ? nullptr : &m_texbuts[num];
}

const char *MWinTextures::GetIDFromTexButNum(int num, char real_id) {
  if (num < 0 || num >= m_texbut_count) return "MWIN_TEXBUT_NONE";
  if (!real_id)
    for (int slot : m_standard)
      if (slot == num) return "MWIN_TEXBUT_DEFAULT";
  return m_texbuts[num].id;
}

char MWinTextures::GetTextureButtonExtraRenderSize(int num, float *width, float *top, float *bottom) {
  const _MWinTextureButton *button = GetTexButFromNum(num);
  if (width) *width = button ? button->extra_width : 0.0f;
  if (top) *top = button ? button->extra_top : 0.0f;
  if (bottom) *bottom = button ? button->extra_bottom : 0.0f;
  return button ? 1 : 0;
}

// ---- Graphics ----

char MWinTextures::CreateTextures() {
  if (m_loaded) {
    DebugCheckOkAlt(0, ENG_FUNC, "Textures already loaded");
    DestroyTextures();
  }
  char ok = 1;
  for (int i = 0; i < m_texture_count; i++) {
    _MWinTextureEntry *entry = &m_textures[i];
    if (entry->texture) {
      entry->texture->Destroy();
      delete entry->texture;
    }
    entry->texture = new EngTexture();
    if (!entry->texture->LoadFromFileUsingExt(entry->file, entry->with_alpha, entry->alpha_mode,
                                              m_mwin ? m_mwin->GetTextureFileType() : 2, 0)) {
      delete entry->texture;
      entry->texture = nullptr;
      ok = 0;
    }
  }
  m_loaded = ok;
  return ok;
}

void MWinTextures::DestroyTextures() {
  DebugCheckOkAlt(m_loaded, ENG_FUNC, "Textures not loaded");
  for (int i = 0; i < m_texture_count; i++) {
    if (!m_textures[i].texture) continue;
    m_textures[i].texture->Destroy();
    delete m_textures[i].texture;
    m_textures[i].texture = nullptr;
  }
  m_loaded = 0;
}

// ---- Drawing ----

const _MWinTextureButtonState *MWinTextures::GetDrawableState(int num, _MWinTextureState state,
                                                              EngTexture **texture) {
  const _MWinTextureButton *button = GetTexButFromNum(num);
  if (!button) return nullptr;
  if (state < 0 || state >= MWIN_NUM_TEXTURE_STATES || button->states[state].texture_num < 0)
    state = MWIN_TEXSTATE_NORMAL;
  const _MWinTextureButtonState *s = &button->states[state];
  if (s->texture_num < 0 || s->texture_num >= m_texture_count) return nullptr;
  EngTexture *t = m_textures[s->texture_num].texture;
  if (!t || !t->IsOk()) return nullptr;
  *texture = t;
  return s;
}

// The tint of every piece: the caller's colour times the state's multiplier, either alone, or white.
static _ColourRGBA PieceColour(const _MWinTextureButtonState *s, const _ColourRGBA *colour) {
  if (colour && s->colour_multiplier_on)
    return {colour->r * s->colour_multiplier.r, colour->g * s->colour_multiplier.g,
            colour->b * s->colour_multiplier.b, colour->a * s->colour_multiplier.a};
  if (colour) return *colour;
  if (s->colour_multiplier_on) return s->colour_multiplier;
  return {1.0f, 1.0f, 1.0f, 1.0f};
}

static void DrawPiece(EngTexture *texture, const _MWinTextureButtonState *s, const _ColourRGBA *colour, float x,
                      float y, float w, float h, float f0, float g0, float f1, float g1) {
  const float rw = s->right - s->left, rh = s->bottom - s->top;
  texture->PositionRatioed(x, y, w, h);
  texture->DrawPartWithColour(s->left + f0 * rw, s->top + g0 * rh, s->left + f1 * rw, s->top + g1 * rh, colour);
}

char MWinTextures::DrawTextureButton(int num, _MWinTextureState state, float x, float y, float w, float h,
                                     const _ColourRGBA *colour) {
  EngTexture *texture = nullptr;
  const _MWinTextureButtonState *s = GetDrawableState(num, state, &texture);
  if (!s) return 0;
  const _MWinTextureButton *b = &m_texbuts[num];
  if (b->extra_width != 0.0f) {
    x -= b->extra_width / 2;
    w += b->extra_width;
  }
  if (b->extra_top != 0.0f) {
    y -= b->extra_top;
    h += b->extra_top;
  }
  if (b->extra_bottom != 0.0f) h += b->extra_bottom;

  float bh = b->screen_edge_y * eng_main_window_y_narrowscreen_ratio;
  char slice_y = (b->draw_style_y > 1 && bh > 0 && h > 2 * bh) ? 1 : 0;
  if (slice_y) {
    bh *= 1.333333f;
    slice_y = (bh > 0 && 2 * bh < h) ? 1 : 0;
  }
  float bw = 0;
  char slice_x = 0;
  if (b->draw_style_x >= 2) {
    bw = b->screen_edge_x * eng_main_window_x_widescreen_ratio;
    slice_x = (bw > 0 && w > 2 * bw) ? 1 : 0;
    const _EngLayout layout = m_mwin ? m_mwin->GetScreenLayout() : ENG_LAYOUT_DESKTOP;
    if (layout == 1 || layout == 3) bw *= 2.4f;
  }

  const _ColourRGBA tint = PieceColour(s, colour);
  const float ex = b->texture_edge_x, ey = b->texture_edge_y;
  // Columns and rows as (screen start, screen size, fraction start, fraction end).
  float cols[3][4] = {{x, w, 0, 1}}, rows[3][4] = {{y, h, 0, 1}};
  int ncols = 1, nrows = 1;
  if (slice_x) {
    const float c[3][4] = {{x, bw, 0, ex}, {x + bw, w - 2 * bw, ex, 1 - ex}, {x + w - bw, bw, 1 - ex, 1}};
    memcpy(cols, c, sizeof(c));
    ncols = 3;
  }
  if (slice_y) {
    const float r[3][4] = {{y, bh, 0, ey}, {y + bh, h - 2 * bh, ey, 1 - ey}, {y + h - bh, bh, 1 - ey, 1}};
    memcpy(rows, r, sizeof(r));
    nrows = 3;
  }
  for (int r = 0; r < nrows; r++)
    for (int c = 0; c < ncols; c++)
      DrawPiece(texture, s, &tint, cols[c][0], rows[r][0], cols[c][1], rows[r][1], cols[c][2], rows[r][2],
                cols[c][3], rows[r][3]);
  return 1;
}

char MWinTextures::DrawTextureButton(int num, _MWinTextureState state, const _Dimension *area,
                                     const _ColourRGBA *colour) {
  if (!area) return 0;
  return DrawTextureButton(num, state, area->x, area->y, area->width, area->height, colour);
}

char MWinTextures::DrawTextureButton(int num, _MWinTextureState state, const _Dimension *area,
                                     const _Dimension *offset, const _ColourRGBA *colour) {
  if (!area) return 0;
  const float dx = offset ? offset->x : 0.0f, dy = offset ? offset->y : 0.0f;
  return DrawTextureButton(num, state, area->x + dx, area->y + dy, area->width, area->height, colour);
}

char MWinTextures::DrawTextureButtonPart(int num, _MWinTextureState state, float x, float y, float w, float h,
                                         float f0, float g0, float f1, float g1, const _ColourRGBA *colour) {
  EngTexture *texture = nullptr;
  const _MWinTextureButtonState *s = GetDrawableState(num, state, &texture);
  if (!s) return 0;
  const _ColourRGBA tint = PieceColour(s, colour);
  DrawPiece(texture, s, &tint, x, y, w, h, f0, g0, f1, g1);
  return 1;
}

// ---- Clearing ----

void MWinTextures::RemoveAllTexButs() {
  if (m_loaded) DestroyTextures();
  memset(m_texbuts, 0, sizeof(m_texbuts));
  m_texbut_count = 0;
  UnbindAllSlots();
}

void MWinTextures::RemoveAllTexturesAndTexButs() {
  if (m_loaded) DestroyTextures();
  for (int i = 0; i < m_texture_count; i++) {
    if (!m_textures[i].texture) continue;
    m_textures[i].texture->Destroy();
    delete m_textures[i].texture;
  }
  memset(m_textures, 0, sizeof(m_textures));
  m_texture_count = 0;
  memset(m_texbuts, 0, sizeof(m_texbuts));
  m_texbut_count = 0;
  UnbindAllSlots();
}
