#include "game/QuarrelwickMWin.h"

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngImageDecode.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"

namespace {

#define R(l, t, r, b) \
  { QW_SKIN_STATE_RECT, l, t, r, b }
#define NONE \
  { QW_SKIN_STATE_NONE, 0.0f, 0.0f, 1.0f, 1.0f }
#define SAME \
  { QW_SKIN_STATE_SAME, 0.0f, 0.0f, 0.0f, 0.0f }
#define C(s, r, g, b, a) \
  { s, r, g, b, a }
#define GREY(s, v) \
  { s, v, v, v, 1.0f }
#define END \
  { -1, 0.0f, 0.0f, 0.0f, 0.0f }

const char *const kButtonsTexture = "Buttons";

// One row per texture button: id, standard slot (-1 named), the four states, draw style x
// and y (style, edge fraction, edge size), draw extra, colour multipliers by state.
const _QuarrelwickSkinButton kSkin[] = {
    {"ArrowL", -1,
     {R(0.007f, 0.635f, 0.124f, 0.875f), R(0.127f, 0.627f, 0.249f, 0.874f), R(0.251f, 0.628f, 0.374f, 0.875f),
      R(0.376f, 0.627f, 0.498f, 0.874f)},
     0, 0.0f, 0.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"ArrowR", -1,
     {R(0.124f, 0.629f, 0.002f, 0.875f), R(0.25f, 0.628f, 0.127f, 0.874f), R(0.374f, 0.628f, 0.251f, 0.876f),
      R(0.499f, 0.627f, 0.377f, 0.873f)},
     1, 0.0f, 0.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"Back1", -1, {R(0.003f, 0.003f, 0.247f, 0.247f), NONE, NONE, NONE}, 2, 0.09f, 7.0f, 2, 0.09f, 7.0f,
     {8.0f, 4.0f, 4.0f}, {END}},
    {"Back1NoHead", -1, {R(0.001f, 0.057f, 0.249f, 0.247f), NONE, NONE, NONE}, 2, 0.04f, 3.0f, 2, 0.09f, 5.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"Back2", -1, {R(0.256f, 0.001f, 0.495f, 0.249f), NONE, NONE, NONE}, 2, 0.18f, 12.0f, 2, 0.18f, 12.0f,
     {4.0f, 2.0f, 2.0f}, {END}},
    {"Back3", -1, {R(0.002f, 0.002f, 0.248f, 0.248f), NONE, NONE, NONE}, 2, 0.09f, 5.0f, 2, 0.09f, 5.0f,
     {4.0f, 2.0f, 2.0f}, {GREY(0, 0.597f), END}},
    {"Back4", -1, {R(0.649f, 0.774f, 0.726f, 0.851f), NONE, NONE, NONE}, 2, 0.4f, 14.0f, 2, 0.3f, 12.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"Black", -1, {R(0.649f, 0.774f, 0.726f, 0.851f), NONE, NONE, NONE}, 2, 0.08f, 3.0f, 2, 0.09f, 3.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"Black2", -1, {R(0.661f, 0.784f, 0.711f, 0.841f), NONE, NONE, NONE}, 1, 0.0f, 0.0f, 1, 0.0f, 0.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"Box", -1, {R(0.0f, 0.0f, 1.0f, 1.0f), NONE, NONE, NONE}, 0, 0.0f, 0.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f},
     {END}},
    {"Heading", -1, {R(0.001f, 0.315f, 0.249f, 0.369f), NONE, NONE, NONE}, 2, 0.04f, 3.0f, 1, 0.18f, 3.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"HorzLine", -1, {R(0.784f, 0.775f, 0.843f, 0.851f), NONE, NONE, NONE}, 1, 0.43f, 19.0f, 2, 0.03f, 1.0f,
     {0.0f, 0.0f, 0.0f}, {C(0, 1.0f, 1.0f, 1.0f, 0.303f), END}},
    {"Main", -1,
     {R(0.503f, 0.002f, 0.746f, 0.06f), R(0.503f, 0.063f, 0.749f, 0.124f), R(0.503f, 0.126f, 0.746f, 0.187f),
      R(0.503f, 0.189f, 0.746f, 0.248f)},
     2, 0.08f, 4.0f, 2, 0.23f, 3.0f, {0.0f, 0.0f, 0.0f}, {GREY(0, 0.874f), GREY(2, 0.81f), END}},
    {"Panel", -1,
     {R(0.501f, 0.375f, 0.749f, 0.436f), R(0.502f, 0.313f, 0.749f, 0.374f), R(0.501f, 0.44f, 0.749f, 0.499f), SAME},
     2, 0.04f, 4.0f, 2, 0.07f, 2.0f, {2.0f, 1.8f, 1.8f}, {GREY(3, 0.475f), END}},
    {"Start", -1, {R(0.879f, 0.752f, 0.997f, 0.87f), NONE, NONE, NONE}, 2, 0.12f, 3.0f, 0, 0.0f, 0.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"Title", -1, {R(0.001f, 0.254f, 0.249f, 0.31f), NONE, NONE, NONE}, 2, 0.18f, 12.0f, 2, 0.25f, 5.0f,
     {4.0f, 2.0f, 2.0f}, {END}},
    {"TitleBack", -1, {R(0.033f, 0.022f, 0.47f, 0.447f), NONE, NONE, NONE}, 2, 0.13f, 7.0f, 2, 0.11f, 4.0f,
     {0.0f, 0.0f, 0.0f}, {END}},
    {"TitleInv", -1, {R(0.02f, 0.311f, 0.23f, 0.251f), NONE, NONE, NONE}, 0, 0.04f, 3.0f, 0, 0.0f, 0.0f,
     {0.001f, 0.0f, 0.0f}, {END}},

    {"StdWinBack", MWIN_STDTEX_WIN_BACK, {R(0.001f, 0.001f, 0.249f, 0.249f), NONE, NONE, NONE}, 2, 0.1f, 6.0f, 2,
     0.14f, 6.0f, {4.0f, 2.0f, 2.0f}, {END}},
    {"StdWinTitle", MWIN_STDTEX_WIN_TITLE, {R(0.001f, 0.318f, 0.249f, 0.369f), NONE, NONE, NONE}, 2, 0.04f, 5.0f,
     2, 0.1f, 3.0f, {4.0f, 0.0f, 0.0f}, {END}},
    {"StdButtonHide", MWIN_STDTEX_BUTTON_HIDE, {R(0.001f, 0.438f, 0.249f, 0.498f), SAME, SAME, SAME}, 2, 0.09f,
     6.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f},
     {GREY(0, 0.865f), C(2, 0.974f, 0.962f, 1.0f, 1.0f), GREY(3, 0.452f), END}},
    {"StdButtonBack", MWIN_STDTEX_BUTTON_BACK, {R(0.001f, 0.001f, 0.249f, 0.249f), NONE, NONE, NONE}, 2, 0.09f,
     7.0f, 2, 0.09f, 7.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdLeftArrow", MWIN_STDTEX_LEFT_ARROW, {R(0.003f, 0.255f, 0.12f, 0.37f), SAME, SAME, SAME}, 1, 0.0f, 0.0f, 0,
     0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {GREY(0, 0.829f), GREY(1, 1.0f), GREY(2, 0.846f), GREY(3, 0.558f)}},
    {"StdRightArrow", MWIN_STDTEX_RIGHT_ARROW, {R(0.131f, 0.255f, 0.246f, 0.37f), SAME, SAME, SAME}, 1, 0.0f, 0.0f,
     0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {GREY(0, 0.883f), GREY(1, 1.0f), GREY(2, 0.892f), GREY(3, 0.533f)}},
    {"StdUpArrow", MWIN_STDTEX_UP_ARROW, {R(0.751f, 0.876f, 0.874f, 0.999f), NONE, NONE, NONE}, 0, 0.0f, 0.0f, 0,
     0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdDownArrow", MWIN_STDTEX_DOWN_ARROW, {R(0.876f, 0.876f, 0.999f, 0.999f), NONE, NONE, NONE}, 0, 0.0f, 0.0f,
     0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdScrollButton", MWIN_STDTEX_SCROLL_BUTTON, {R(0.506f, 0.504f, 0.619f, 0.563f), SAME, SAME, SAME}, 0, 0.0f,
     0.0f, 0, 0.0f, 0.0f, {0.0f, 0.5f, 0.5f}, {GREY(0, 0.933f), GREY(2, 0.907f), GREY(3, 0.716f), END}},
    {"StdScrollBack", MWIN_STDTEX_SCROLL_BACK, {R(0.501f, 0.128f, 0.749f, 0.184f), NONE, NONE, SAME}, 2, 0.08f,
     6.0f, 0, 0.0f, 0.0f, {2.5f, 0.75f, 0.75f}, {GREY(3, 0.443f), END}},
    {"StdVScrollButton", MWIN_STDTEX_VSCROLL_BUTTON, {R(0.628f, 0.508f, 0.682f, 0.616f), NONE, NONE, NONE}, 0,
     0.0f, 0.0f, 2, 0.15f, 4.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdVScrollBack", MWIN_STDTEX_VSCROLL_BACK, {R(0.688f, 0.507f, 0.746f, 0.747f), NONE, NONE, NONE}, 0, 0.0f,
     0.0f, 2, 0.14f, 13.0f, {2.0f, 0.65f, 0.65f}, {END}},
    {"StdListOpenMain", MWIN_STDTEX_LIST_OPEN_MAIN, {R(0.001f, 0.025f, 0.249f, 0.226f), NONE, NONE, NONE}, 2,
     0.08f, 4.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {END}},
    {"StdListOpenTop", MWIN_STDTEX_LIST_OPEN_TOP, {R(0.001f, 0.001f, 0.249f, 0.024f), NONE, NONE, NONE}, 2, 0.08f,
     4.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {END}},
    {"StdListOpenBot", MWIN_STDTEX_LIST_OPEN_BOT, {R(0.001f, 0.22f, 0.249f, 0.248f), NONE, NONE, NONE}, 2, 0.08f,
     4.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {END}},
    {"StdListOpenSel", MWIN_STDTEX_LIST_OPEN_SEL, {R(0.501f, 0.445f, 0.749f, 0.494f), NONE, NONE, NONE}, 2, 0.08f,
     4.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdCheckButton", MWIN_STDTEX_CHECK_BUTTON, {R(0.561f, 0.563f, 0.625f, 0.624f), NONE, NONE, NONE}, 0, 0.0f,
     0.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdUnCheckButton", MWIN_STDTEX_UNCHECK_BUTTON, {R(0.499f, 0.563f, 0.562f, 0.624f), NONE, NONE, NONE}, 0,
     0.0f, 0.0f, 0, 0.0f, 0.0f, {0.0f, 0.0f, 0.0f}, {END}},
    {"StdTabPanelHeading", MWIN_STDTEX_TAB_PANEL_HEADING, {R(0.015f, 0.267f, 0.234f, 0.296f), SAME, SAME, SAME}, 2,
     0.18f, 12.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {GREY(3, 0.69f), END}},
    {"StdTabPanelVertDiv", MWIN_STDTEX_TAB_PANEL_VERT_DIV, {R(0.691f, 0.508f, 0.743f, 0.745f), NONE, NONE, NONE},
     0, 0.0f, 0.0f, 1, 0.21f, 4.0f, {0.0f, 0.0f, 0.0f}, {C(0, 1.0f, 1.0f, 1.0f, 0.339f), END}},
    {"StdTabPanelRowBack1", MWIN_STDTEX_TAB_PANEL_ROW_BACK1, {R(0.501f, 0.32f, 0.749f, 0.369f), NONE, NONE, NONE},
     2, 0.18f, 12.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {GREY(0, 0.545f), END}},
    {"StdTabPanelRowBack2", MWIN_STDTEX_TAB_PANEL_ROW_BACK2, {R(0.501f, 0.258f, 0.749f, 0.305f), NONE, NONE, NONE},
     2, 0.18f, 12.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {GREY(0, 0.727f), END}},
    {"StdTabPanelRowSel", MWIN_STDTEX_TAB_PANEL_ROW_SEL, {R(0.501f, 0.317f, 0.749f, 0.37f), NONE, NONE, NONE}, 2,
     0.18f, 12.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {GREY(0, 1.0f), END}},
    {"StdTabPanelRowEmpty", MWIN_STDTEX_TAB_PANEL_ROW_EMPTY, {R(0.02f, 0.027f, 0.212f, 0.089f), NONE, NONE, NONE},
     2, 0.18f, 12.0f, 0, 0.0f, 0.0f, {4.0f, 0.0f, 0.0f}, {GREY(0, 0.379f), END}},
    {"StdBackHeading", MWIN_STDTEX_BACK_HEADING, {R(0.001f, 0.313f, 0.249f, 0.369f), NONE, NONE, NONE}, 2, 0.04f,
     3.0f, 2, 0.18f, 3.0f, {4.025f, 0.0f, 0.0f}, {END}},
    {"StdBackMain", MWIN_STDTEX_BACK_MAIN, {R(0.0f, 0.057f, 0.249f, 0.246f), NONE, NONE, NONE}, 2, 0.18f, 12.0f, 2,
     0.24f, 11.0f, {4.011f, 0.0f, 0.0f}, {END}},
    {"StdPushButton", MWIN_STDTEX_PUSH_BUTTON,
     {R(0.752f, 0.005f, 0.998f, 0.058f), R(0.752f, 0.068f, 0.998f, 0.12f), R(0.752f, 0.13f, 0.998f, 0.183f),
      R(0.752f, 0.192f, 0.998f, 0.246f)},
     2, 0.11f, 6.0f, 2, 0.28f, 4.0f, {6.0f, 1.75f, 1.75f}, {GREY(0, 0.874f), GREY(2, 0.81f), END}},
    {"StdTextEdit", MWIN_STDTEX_TEXT_EDIT,
     {R(0.503f, 0.25f, 0.746f, 0.311f), SAME, R(0.503f, 0.312f, 0.746f, 0.374f), SAME}, 2, 0.04f, 5.0f, 2, 0.14f,
     5.0f, {0.0f, 2.0f, 2.0f}, {GREY(0, 0.837f), GREY(1, 1.0f), GREY(3, 0.625f), END}},
    {"StdChoice", MWIN_STDTEX_CHOICE, {R(0.503f, 0.377f, 0.746f, 0.436f), SAME, R(0.503f, 0.439f, 0.746f, 0.498f), SAME},
     2, 0.08f, 8.0f, 0, 0.0f, 0.0f, {2.0f, 1.05f, 1.05f}, {GREY(1, 0.925f), GREY(3, 0.543f), END}},
    {"StdPanel", MWIN_STDTEX_PANEL,
     {R(0.503f, 0.379f, 0.746f, 0.433f), R(0.503f, 0.442f, 0.746f, 0.496f), R(0.503f, 0.442f, 0.746f, 0.496f), SAME},
     2, 0.09f, 6.0f, 1, 0.18f, 3.0f, {2.0f, 1.8f, 1.8f}, {GREY(3, 0.475f), END}},
    {"StdBlack", MWIN_STDTEX_BLACK, {R(0.649f, 0.774f, 0.726f, 0.851f), NONE, NONE, NONE}, 2, 0.08f, 3.0f, 2, 0.08f,
     3.0f, {3.2f, 2.0f, 2.0f}, {END}},
    {"StdWhite", MWIN_STDTEX_WHITE, {R(0.774f, 0.774f, 0.851f, 0.851f), NONE, NONE, NONE}, 2, 0.08f, 3.0f, 2, 0.08f,
     3.0f, {3.2f, 2.0f, 2.0f}, {END}},
};

#undef R
#undef NONE
#undef SAME
#undef C
#undef GREY
#undef END

const int kSkinCount = int(sizeof(kSkin) / sizeof(kSkin[0]));

const char *StandardSlotName(int slot) {
  switch (slot) {
    case 2: return "MWIN_STD_TEX_BUTTON_HIDE";
    case 5: return "MWIN_STD_TEX_LEFT_ARROW";
    case 6: return "MWIN_STD_TEX_RIGHT_ARROW";
    case 9: return "MWIN_STD_TEX_SCROLL_BUTTON";
    case 10: return "MWIN_STD_TEX_SCROLL_BACK";
    case 19: return "MWIN_STD_TEX_TABPANEL_HEADING";
    case 20: return "MWIN_STD_TEX_TABPANEL_VERT_DIV";
    case 21: return "MWIN_STD_TEX_TABPANEL_ROW_BACK_1";
    case 22: return "MWIN_STD_TEX_TABPANEL_ROW_BACK_2";
    case 23: return "MWIN_STD_TEX_TABPANEL_ROW_SEL";
    case 24: return "MWIN_STD_TEX_TABPANEL_ROW_EMPTY";
    case 27: return "MWIN_STD_TEX_PUSH_BUTTON";
    case 28: return "MWIN_STD_TEX_TEXT_EDIT";
    case 29: return "MWIN_STD_TEX_CHOICE";
    case 30: return "MWIN_STD_TEX_PANEL";
    default: return "MWIN_STD_TEX";
  }
}

// The texture id and rectangle that one state is registered with.
void StateArgs(const _QuarrelwickSkinButton &button, int state, const char **tex, float *rect) {
  const _QuarrelwickSkinState &s = button.states[state];
  const _QuarrelwickSkinState &from = s.kind == QW_SKIN_STATE_SAME ? button.states[0] : s;
  *tex = s.kind == QW_SKIN_STATE_NONE ? "" : kButtonsTexture;
  rect[0] = from.left;
  rect[1] = from.top;
  rect[2] = from.right;
  rect[3] = from.bottom;
}

// A file that is missing or does not decode is not registered, so the toolkit keeps its own
// look instead of drawing nothing where the skin should be.
// Decoded as the texture loader will decode it, and kept for it: the file is read once.
char AddSkinTexture(const char *func, MWinTextures *textures, const char *id, const char *file) {
  int w = 0, h = 0, channels = 0;
  unsigned char *pixels = SOIL_load_OGL_texture_to_memory(file, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA, &w, &h, &channels);
  char ok = pixels ? 1 : 0;
  if (!ok) DebugInfoAlt(func, "%s", EngImageDecodeLastResult());
  EngImageDecodeKeepForLoader(file, 4, ENG_SOIL_FLAG_MULTIPLY_ALPHA, pixels, w, h, channels);
  if (!ok || !textures->AddTexture(id, file, 1, 2)) {
    DebugErrorAlt(func, "Could not load texture <%s>", file);
    return 0;
  }
  return 1;
}

// A loaded button's draw style, extra and state colours, the same for both kinds; a standard
// button's messages say so and its colours go by its slot.
char SetButtonLooks(const char *func, MWinTextures *textures, const _QuarrelwickSkinButton &b, bool standard) {
  char ok = 1;
  if (!textures->SetTexButDrawStyle(b.id, b.style_x, b.edge_x, b.size_x, b.style_y, b.edge_y, b.size_y)) {
    if (standard)
      DebugErrorAlt(func, "Could not set standard texbut draw style <%s>", b.id);
    else
      DebugErrorAlt(func, "Could not set texbut draw style <%s>", b.id);
    ok = 0;
  }
  if (!textures->SetTexButDrawExtra(b.id, b.extra[0], b.extra[1], b.extra[2])) {
    DebugErrorAlt(func, "Could not set texbut draw extra <%s>", b.id);
    ok = 0;
  }
  for (const _QuarrelwickSkinColour &c : b.colours) {
    if (c.state < 0) break;
    const _MWinTextureState state = _MWinTextureState(c.state);
    if (standard) {
      if (!textures->SetTextureButtonStateColourMultiplier(b.slot, state, c.r, c.g, c.b, c.a)) {
        DebugErrorAlt(func, "Could not set standard texbut colour <%s>", StandardSlotName(b.slot));
        ok = 0;
      }
    } else if (!textures->SetTextureButtonStateColourMultiplier(b.id, state, c.r, c.g, c.b, c.a)) {
      DebugErrorAlt(func, "Could not set colour <%s>", b.id);
      ok = 0;
    }
  }
  return ok;
}

char SetNamedButton(const char *func, MWinTextures *textures, const _QuarrelwickSkinButton &b) {
  const char *tex[4];
  float r[4][4];
  for (int s = 0; s < 4; s++) StateArgs(b, s, &tex[s], r[s]);
  char ok = 1;
  if (!textures->AddTextureButton(b.id, tex[0], r[0][0], r[0][1], r[0][2], r[0][3], tex[1], r[1][0], r[1][1],
                                  r[1][2], r[1][3], tex[2], r[2][0], r[2][1], r[2][2], r[2][3], tex[3], r[3][0],
                                  r[3][1], r[3][2], r[3][3])) {
    DebugErrorAlt(func, "Could not load texbut <%s>", b.id);
    ok = 0;
  }
  return SetButtonLooks(func, textures, b, false) && ok;
}

char SetStandardButton(const char *func, MWinTextures *textures, const _QuarrelwickSkinButton &b) {
  const char *tex[4];
  float r[4][4];
  for (int s = 0; s < 4; s++) StateArgs(b, s, &tex[s], r[s]);
  char ok = 1;
  textures->RemoveStandardTextureButton(b.slot);
  if (!textures->AddStandardTextureButton(b.slot, b.id, tex[0], r[0][0], r[0][1], r[0][2], r[0][3], tex[1],
                                          r[1][0], r[1][1], r[1][2], r[1][3], tex[2], r[2][0], r[2][1], r[2][2],
                                          r[2][3], tex[3], r[3][0], r[3][1], r[3][2], r[3][3])) {
    DebugErrorAlt(func, "Could not load standard texbut <%s>", b.id);
    ok = 0;
  }
  return SetButtonLooks(func, textures, b, true) && ok;
}

// The per-layout spacing values. The game counts its positions from the toolkit's default
// button width (the block's eighth value): the six values before it are the window's title
// bar and hide buttons, which the game leaves as the toolkit sets them.
const int kLayoutPositionBase = 7;
const int kLayoutPositions[] = {0, 1, 2, 3, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19,
                                20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
const float kLayoutValues[][ENG_NUM_LAYOUTS] = {
    {60, 60, 60, 60, 60},         {20, 45, 50, 30, 35},          {3, 3, 3, 3, 3},
    {3, 6, 6, 3, 3},              {0, 2.5f, 1.7f, 1.6f, 1.4f},  {0, 1.2f, 1.8f, 0.8f, 1.2f},
    {4.5f, 10, 5, 7, 5},          {0, 0, 0, 0, 0},               {7.1f, 8, 6, 6.6f, 6},
    {12, 12, 12, 12, 12},         {12, 12, 12, 12, 12},          {3, 3, 3, 3, 3},
    {14, 27.1f, 35, 20, 25},      {27.1f, 75, 45.1f, 44.3f, 45.1f}, {12.3f, 40, 40, 28.9f, 20},
    {24.8f, 30.1f, 40.9f, 40.1f, 30.2f}, {13.7f, 42.1f, 42.2f, 30.1f, 22}, {17, 30.2f, 49.8f, 20.7f, 30.1f},
    {3, 3, 3, 3, 3},              {3, 3, 3, 3, 3},               {12, 23.2f, 16.7f, 20.6f, 16},
    {15.6f, 25.5f, 32.1f, 16.1f, 32.5f}, {3, 5.8f, 3, 5, 3},     {12, 25, 18.3f, 14.1f, 12},
    {12, 15.9f, 20.2f, 12, 12},   {3, 10.9f, 8.1f, 9.1f, 8.9f},  {3, 9.3f, 6.1f, 9, 5.9f},
};
static_assert(sizeof(kLayoutPositions) / sizeof(kLayoutPositions[0]) ==
                  sizeof(kLayoutValues) / sizeof(kLayoutValues[0]),
              "one row of values per position");

// Every position the game writes is a float of the block (the one byte and the two integers
// lie elsewhere).
float *LayoutFloat(MWinLayoutSettings *block, int position) {
  return reinterpret_cast<float *>(reinterpret_cast<unsigned char *>(block) +
                                   4 * (kLayoutPositionBase + position));
}

}  // namespace

const _QuarrelwickSkinButton *QuarrelwickMWinGetSkinTable(int *count) {
  if (count) *count = kSkinCount;
  return kSkin;
}

char QuarrelwickMWinGetSkinStateRect(const _QuarrelwickSkinButton *button, int state, float *left, float *top,
                                     float *right, float *bottom) {
  if (!button || state < 0 || state > 3 || button->states[state].kind == QW_SKIN_STATE_NONE) return 0;
  const char *tex;
  float r[4];
  StateArgs(*button, state, &tex, r);
  *left = r[0];
  *top = r[1];
  *right = r[2];
  *bottom = r[3];
  return 1;
}

char QuarrelwickMWinSetupTexturesAndTexButs(MWin *mwin) {
  if (!mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwinp");
    return 0;
  }
  MWinTextures *textures = mwin->GetTextures();
  if (!textures) {
    DebugErrorAlt(ENG_FUNC, "No mwin textures");
    return 0;
  }
  char ok = 1;
  char have_buttons = AddSkinTexture(ENG_FUNC, textures, kButtonsTexture, "Buttons.png");
  if (!have_buttons) ok = 0;
  if (!AddSkinTexture(ENG_FUNC, textures, "Popup", "Popup.tga")) ok = 0;
  // Without the atlas every button would point at a texture that is not there.
  if (!have_buttons) return 0;
  for (const _QuarrelwickSkinButton &b : kSkin)
    if (b.slot < 0 && !SetNamedButton(ENG_FUNC, textures, b)) ok = 0;
  for (const _QuarrelwickSkinButton &b : kSkin)
    if (b.slot >= 0 && !SetStandardButton(ENG_FUNC, textures, b)) ok = 0;
  return ok;
}

char QuarrelwickMWinSetMWinSettings(MWin *mwin) {
  if (!mwin) return 0;
  _MWinSettings *settings = mwin->GetSettings();
  for (int layout = 0; layout < ENG_NUM_LAYOUTS; layout++) {
    MWinLayoutSettings *block = &settings->layouts[layout];
    for (size_t i = 0; i < sizeof(kLayoutPositions) / sizeof(kLayoutPositions[0]); i++)
      *LayoutFloat(block, kLayoutPositions[i]) = kLayoutValues[i][layout];
  }
  mwin->SetAutoResize(1);
  mwin->UpdateLayoutSettings();
  return 1;
}

namespace {

// The main font's rasterising values, shared by both font set-ups: the arguments of
// EngFont::CreateFromFontFile after the file name, and the creation effects.
void MainFontParams(_MWinFontParams *p) {
  *p = {};
  p->two_channels = 1;
  p->unused1 = 144;
  p->size = 32;
  p->min_char = 32;
  p->max_char = 254;
  p->x_scale = 0.160404f;
  p->y_scale = 0.204889f;
  p->letter_y_extra = 1.000135f;
  p->height_extra = 6.747f;
  p->unused6 = 1;
  p->effects.margin = 2;
  p->effects.shadow_x = 7;
  p->effects.shadow_y = 6;
  p->effects.shadow_brightness = 0.0f;
  p->effects.shadow_opacity = 0.766549f;
  p->effects.blur_first = 3;
  p->effects.blur_opacity = 2;
}

struct FontStyle {
  const char *name;
  float scale_x, scale_y, r, g, b, a;
};

const FontStyle kFirstUserFontStyles[] = {
    {"Buttons", 1.0f, 1.1f, 1, 1, 1, 0.7f},      {"Title", 1.0f, 1.3f, 0, 0, 0, 0.8f},
    {"Small", 0.9f, 0.95f, 1, 1, 1, 0.7f},       {"Small2", 0.85f, 0.9f, 0.5f, 0.6f, 0.6f, 0.8f},
    {"Heading1", 1.6f, 1.74f, 1, 1, 1, 0.8f},    {"Heading2", 1.3f, 1.42f, 1, 1, 1, 0.75f},
    {"Thin", 0.75f, 0.9f, 1, 1, 1, 0.7f},        {"Text1", 1.0f, 2.0f, 0.7f, 0.7f, 0.7f, 1},
    {"Low", 0.7f, 0.6f, 1, 1, 1, 0.7f},          {"Small3", 0.5f, 1.2f, 0, 0, 0, 0.7f},
    {"SmallWhite", 0.5f, 1.0f, 1, 1, 1, 1},      {"WhiteMed", 1.0f, 1.0f, 1, 1, 1, 1},
    {"GetFile", 0.6f, 0.9f, 0, 0, 0, 1},         {"Heading", 1.7f, 1.5f, 0, 0, 0, 0.8f},
    {"Thin2", 0.8f, 1.0f, 1, 1, 1, 0.7f},
};

}  // namespace

char QuarrelwickMWinCreateFontApart(int font_num, const char *file, EngFont *font) {
  if (!font || !file || !file[0]) return 0;
  if (font_num != 0) {
    DebugErrorAlt(ENG_FUNC, "Bad font number %d", font_num);
    return 0;
  }
  _MWinFontParams p;
  MainFontParams(&p);
  font->SetCreationEffects(&p.effects);
  if (font->CreateFromFontFile(file, p.two_channels, p.unused1, p.size, p.min_char, p.max_char, p.wanted,
                               p.wanted_count, p.x_scale, p.y_scale, p.letter_y_extra, p.height_extra, p.unused2,
                               p.unused3, p.unused4, p.unused5, p.unused6))
    return 1;
  DebugErrorAlt(ENG_FUNC, "EngFont::Create failed <Main>");
  return 0;
}

char QuarrelwickMWinSetupFonts(MWin *mwin, char load_default_font, char add_main_font, const char *file) {
  if (!mwin) {
    DebugErrorAlt(ENG_FUNC, "No mwinp");
    return 0;
  }
  if (!mwin->GetFonts()) return 0;
  if (load_default_font && !mwin->SetupDefaultFont()) {
    DebugErrorAlt(ENG_FUNC, "Could not load default font");
    return 0;
  }
  if (!add_main_font) return 1;
  if (!file || !file[0]) return 0;
  // The same rasterising as the main font made apart, left to the registry to run.
  _MWinFontParams params;
  MainFontParams(&params);
  return mwin->GetFonts()->AddUserFont("Main", file, &params) >= 0;
}

char QuarrelwickMWinAddFirstUserFontsStylesToFont(MWin *mwin, int font_num) {
  if (font_num < 0 || !mwin || !mwin->GetFonts()) return 0;
  char ok = 1;
  for (const FontStyle &s : kFirstUserFontStyles)
    if (mwin->GetFonts()->AddFontStyleToFont(font_num, s.name, s.scale_x, s.scale_y, s.r, s.g, s.b, s.a) < 0) ok = 0;
  return ok;
}
