// The registry of skin textures and texture buttons that widgets and windows are drawn from,
// with the 33 standard slots of the default skin's roles. Registrations are plain data that
// survive the device; the textures are loaded with the toolkit's graphics.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinTypes.h"

constexpr int MWIN_MAX_TEXTURES = 64;
constexpr int MWIN_MAX_TEXTURE_BUTTONS = 256;
constexpr int MWIN_NUM_STANDARD_TEXBUTS = 33;
constexpr int MWIN_NUM_TEXTURE_STATES = 4;

// The standard slots: the role each one plays in the toolkit's default skin.
enum _MWinStdTexBut : EngInt32 {
  MWIN_STDTEX_WIN_BACK = 0,
  MWIN_STDTEX_WIN_TITLE = 1,
  MWIN_STDTEX_BUTTON_HIDE = 2,
  MWIN_STDTEX_BUTTON_BACK = 3,
  MWIN_STDTEX_BUTTON_BACK2 = 4,
  MWIN_STDTEX_LEFT_ARROW = 5,
  MWIN_STDTEX_RIGHT_ARROW = 6,
  MWIN_STDTEX_UP_ARROW = 7,
  MWIN_STDTEX_DOWN_ARROW = 8,
  MWIN_STDTEX_SCROLL_BUTTON = 9,
  MWIN_STDTEX_SCROLL_BACK = 10,
  MWIN_STDTEX_VSCROLL_BUTTON = 11,
  MWIN_STDTEX_VSCROLL_BACK = 12,
  MWIN_STDTEX_LIST_OPEN_MAIN = 13,
  MWIN_STDTEX_LIST_OPEN_TOP = 14,
  MWIN_STDTEX_LIST_OPEN_BOT = 15,
  MWIN_STDTEX_LIST_OPEN_SEL = 16,
  MWIN_STDTEX_CHECK_BUTTON = 17,
  MWIN_STDTEX_UNCHECK_BUTTON = 18,
  MWIN_STDTEX_TAB_PANEL_HEADING = 19,
  MWIN_STDTEX_TAB_PANEL_VERT_DIV = 20,
  MWIN_STDTEX_TAB_PANEL_ROW_BACK1 = 21,
  MWIN_STDTEX_TAB_PANEL_ROW_BACK2 = 22,
  MWIN_STDTEX_TAB_PANEL_ROW_SEL = 23,
  MWIN_STDTEX_TAB_PANEL_ROW_EMPTY = 24,
  MWIN_STDTEX_BACK_HEADING = 25,
  MWIN_STDTEX_BACK_MAIN = 26,
  MWIN_STDTEX_PUSH_BUTTON = 27,
  MWIN_STDTEX_TEXT_EDIT = 28,
  MWIN_STDTEX_CHOICE = 29,
  MWIN_STDTEX_PANEL = 30,
  MWIN_STDTEX_BLACK = 31,
  MWIN_STDTEX_WHITE = 32,
};

// One registered texture; the two flags go unchanged to the texture loader.
struct _MWinTextureEntry {
  MWinID id;
  char file[256];
  char with_alpha;
  char alpha_mode;
  EngTexture *texture;  // owned; null until loaded
};

// What one state draws: a region of a registered texture in texture fractions.
struct _MWinTextureButtonState {
  EngInt32 texture_num;  // -1: the state is not set
  float left, top, right, bottom;
  char colour_multiplier_on;
  _ColourRGBA colour_multiplier;
};

struct _MWinTextureButton {
  MWinID id;
  _MWinTextureButtonState states[MWIN_NUM_TEXTURE_STATES];  // by _MWinTextureState
  EngInt32 draw_style_x, draw_style_y;  // 2 or more slices that axis in three
  float texture_edge_x, texture_edge_y;  // border slices as fractions of the state's region
  float screen_edge_x, screen_edge_y;    // border slices on screen, design units
  float extra_width, extra_top, extra_bottom;  // overhang of the drawn image around the area
};

class MWinTextures {
 public:
  explicit MWinTextures(MWin *mwin);
  ~MWinTextures();
  MWinTextures(const MWinTextures &) = delete;
  MWinTextures &operator=(const MWinTextures &) = delete;

  // Textures.
  char AddTexture(const char *id, const char *file, char with_alpha, char alpha_mode);
  char AddTexture(const char *id, const char *file);

  // Texture buttons (null on failure).
  _MWinTextureButton *AddTextureButton(const char *id, const char *tex0, float l0, float t0, float r0, float b0,
                                       const char *tex1, float l1, float t1, float r1, float b1, const char *tex2,
                                       float l2, float t2, float r2, float b2, const char *tex3, float l3, float t3,
                                       float r3, float b3);
  _MWinTextureButton *AddTextureButton(const char *id, const char *tex, float left, float top, float right,
                                       float bottom);
  _MWinTextureButton *AddTextureButton(const char *id, const char *tex0, const char *tex1, const char *tex2,
                                       const char *tex3);
  _MWinTextureButton *AddTextureButton(const char *id, const char *tex);
  _MWinTextureButton *AddTextureWithOneTextureButton(const char *id, const char *file, char with_alpha,
                                                     char alpha_mode);
  _MWinTextureButton *AddTextureWithOneTextureButton(const char *id, const char *file);
  char SetTextureButtonState(_MWinTextureButton *button, _MWinTextureState state, const char *tex, float left,
                             float top, float right, float bottom);
  char SetTextureButtonState(const char *button, _MWinTextureState state, const char *tex, float left, float top,
                             float right, float bottom);
  char CopyAllStatesFromNormalState(const char *id);
  char SetTexButDrawStyle(const char *id, int style_x, float texture_edge_x, float screen_edge_x, int style_y,
                          float texture_edge_y, float screen_edge_y);
  char SetTexButDrawExtra(const char *id, float width, float top, float bottom);
  char SetTexButDrawExtra(const char *id, float width, float height, float unused1, float unused2);
  // A null colour or an alpha of 0 or less turns the state's multiplier off.
  char SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state, const _ColourRGBA *colour);
  char SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state, float r, float g, float b,
                                             float a);
  char SetTextureButtonStateColourMultiplier(const char *id, _MWinTextureState state, float grey);
  char SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state, const _ColourRGBA *colour);
  char SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state, float r, float g, float b, float a);
  char SetTextureButtonStateColourMultiplier(int slot, _MWinTextureState state, float grey);

  // Standard slots.
  char SetStandardTextureToTexBut(int slot, const char *id);
  char SetStandardTextureToTexBut(int slot, _MWinTextureButton *button);
  char AddStandardTextureButton(int slot, const char *id, const char *tex0, float l0, float t0, float r0, float b0,
                                const char *tex1, float l1, float t1, float r1, float b1, const char *tex2,
                                float l2, float t2, float r2, float b2, const char *tex3, float l3, float t3,
                                float r3, float b3);
  char AddStandardTextureButton(int slot, const char *id, const char *tex0, float l0, float t0, float r0, float b0,
                                const char *tex1, float l1, float t1, float r1, float b1, const char *tex2,
                                float l2, float t2, float r2, float b2, const char *tex3, float l3, float t3,
                                float r3, float b3, int style_x, float texture_edge_x, float screen_edge_x,
                                int style_y, float texture_edge_y, float screen_edge_y);
  char AddStandardTextureButton(int slot, const char *id, const char *file, char with_alpha, char alpha_mode);
  char AddStandardTextureButton(int slot, const char *id, const char *file);
  int GetStandardTexButNum(int slot);
  const char *GetStandardTexButID(int slot);
  // 1 removed, 0 the slot was unbound, -1 a slot outside 0..32.
  char RemoveStandardTextureButton(int slot);

  // Look-ups.
  int GetTexButNumFromID(const char *id);
  int GetTextureNumFromID(const char *id);
  _MWinTextureEntry *GetTextureFromID(const char *id);
  _MWinTextureButton *GetTexButFromID(const char *id);
  // "MWIN_TEXBUT_NONE" outside the table; "MWIN_TEXBUT_DEFAULT" for a button bound to a slot
  // unless the real id is asked for.
  const char *GetIDFromTexButNum(int num, char real_id);
  char GetTextureButtonExtraRenderSize(int num, float *width, float *top, float *bottom);
  _MWinTextureButton *GetTexButFromNum(int num);
  int GetNumTextures() const { return m_texture_count; }
  int GetNumTextureButtons() const { return m_texbut_count; }

  // Graphics.
  char CreateTextures();
  void DestroyTextures();
  char AreTexturesLoaded() const { return m_loaded; }

  // Drawing in design units; colour may be null.
  char DrawTextureButton(int num, _MWinTextureState state, float x, float y, float w, float h,
                         const _ColourRGBA *colour);
  char DrawTextureButton(int num, _MWinTextureState state, const _Dimension *area, const _ColourRGBA *colour);
  char DrawTextureButton(int num, _MWinTextureState state, const _Dimension *area, const _Dimension *offset,
                         const _ColourRGBA *colour);
  // One piece: fractions (f0, g0)..(f1, g1) of the state's region in the rectangle.
  char DrawTextureButtonPart(int num, _MWinTextureState state, float x, float y, float w, float h, float f0,
                             float g0, float f1, float g1, const _ColourRGBA *colour);

  // Clearing.
  void RemoveAllTexButs();
  void RemoveAllTexturesAndTexButs();

 private:
  // The state drawn for a request (unset states fall back to normal) and its texture; null
  // when nothing can be drawn.
  const _MWinTextureButtonState *GetDrawableState(int num, _MWinTextureState state, EngTexture **texture);
  void InitTextureButton(_MWinTextureButton *button);
  void UnbindAllSlots();

  MWin *m_mwin;
  char m_loaded = 0;
  _MWinTextureEntry m_textures[MWIN_MAX_TEXTURES];
  int m_texture_count = 0;
  _MWinTextureButton m_texbuts[MWIN_MAX_TEXTURE_BUTTONS];
  int m_texbut_count = 0;
  int m_standard[MWIN_NUM_STANDARD_TEXBUTS];
};
