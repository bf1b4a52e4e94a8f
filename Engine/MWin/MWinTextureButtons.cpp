// The toolkit's default skin: one atlas texture and a texture button for every standard slot.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinTextures.h"

namespace {

// Which states a default texture button sets; unset states fall back to normal when drawn.
enum StdStates { NORMAL_ONLY, NORMAL_AND_HIGHLIGHTED, ALL_STATES, ALL_BUT_PRESSED };

struct StdTexBut {
  const char *name;
  float region[4];    // left, top, right, bottom
  float disabled[4];  // the disabled state's own region (ALL_BUT_PRESSED only)
  StdStates states;
  int style_x;
  float edge_x, screen_x;
  int style_y;
  float edge_y, screen_y;
};

#define STD_SAME 0.006f, 0.001f, 0.494f, 0.125f

const StdTexBut std_texbuts[MWIN_NUM_STANDARD_TEXBUTS] = {
    {"StdWinBack", {0.0005f, 0.1265f, 0.4995f, 0.4995f}, {}, NORMAL_ONLY, 2, 0.16f, 12, 2, 0.16f, 12},
    {"StdWinTitle", {0.0005f, 0.0005f, 0.4995f, 0.125f}, {}, NORMAL_ONLY, 2, 0.16f, 12, 2, 0.2f, 12},
    {"StdButtonHide", {0.004f, 0.7667f, 0.2509f, 0.981f}, {}, NORMAL_AND_HIGHLIGHTED, 2, 0.09f, 6, 0, 0, 0},
    {"StdButtonBack", {0.0015f, 0.122f, 0.4988f, 0.499f}, {}, NORMAL_ONLY, 2, 0.1f, 5, 2, 0.1f, 5},
    {"StdButtonBack2", {0.0005f, 0.1266f, 0.4995f, 0.4995f}, {}, NORMAL_ONLY, 2, 0.15f, 10, 2, 0.15f, 10},
    {"StdLeftArrow", {0.2604f, 0.5066f, 0.3682f, 0.6185f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdRightArrow", {0.3797f, 0.508f, 0.4867f, 0.6173f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdUpArrow", {0.5053f, 0.5106f, 0.6179f, 0.6218f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdDownArrow", {0.5075f, 0.6274f, 0.6188f, 0.7363f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdScrollButton", {0.002f, 0.627f, 0.249f, 0.749f}, {}, NORMAL_ONLY, 2, 0.3f, 10, 2, 0.3f, 10},
    {"StdScrollBack", {0.002f, 0.502f, 0.249f, 0.624f}, {0.004f, 0.502f, 0.249f, 0.624f}, ALL_BUT_PRESSED, 2,
     0.12f, 3, 2, 0.13f, 2},
    {"StdVScrollButton", {0.002f, 0.63f, 0.249f, 0.744f}, {}, NORMAL_ONLY, 2, 0.3f, 10, 2, 0.25f, 3},
    {"StdVScrollBack", {0.002f, 0.502f, 0.249f, 0.624f}, {0.004f, 0.502f, 0.246f, 0.6225f}, ALL_BUT_PRESSED, 2,
     0.18f, 7, 2, 0.31f, 4},
    {"StdListOpenMain", {0.502f, 0.176f, 0.999f, 0.195f}, {}, ALL_STATES, 2, 0.15f, 16, 2, 0.15f, 4},
    {"StdListOpenTop", {0.502f, 0.126f, 0.999f, 0.176f}, {}, ALL_STATES, 2, 0.15f, 16, 2, 0.15f, 4},
    {"StdListOpenBot", {0.502f, 0.195f, 0.999f, 0.245f}, {}, ALL_STATES, 2, 0.15f, 16, 2, 0.15f, 4},
    {"StdListOpenSel", {0.502f, 0.176f, 0.999f, 0.195f}, {}, ALL_STATES, 2, 0.15f, 16, 2, 0.15f, 4},
    {"StdCheckButton", {0.376f, 0.627f, 0.499f, 0.746f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdUnCheckButton", {0.251f, 0.627f, 0.374f, 0.746f}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelHeading", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelVertDiv", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelRowBack1", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelRowBack2", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelRowSel", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdTabPanelRowEmpty", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdBackHeading", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdBackMain", {STD_SAME}, {}, NORMAL_ONLY, 0, 0, 0, 0, 0, 0},
    {"StdPushButton", {0.501f, 0.005f, 1, 0.1192f}, {}, ALL_STATES, 2, 0.15f, 7, 2, 0.44f, 4},
    {"StdTextEdit", {STD_SAME}, {}, ALL_STATES, 0, 0, 0, 0, 0, 0},
    {"StdChoice", {0.5004f, 0.1218f, 1, 0.2514f}, {}, ALL_STATES, 2, 0.1f, 10, 0, 0, 0},
    {"StdPanel", {0.004f, 0.5045f, 0.2466f, 0.6203f}, {}, ALL_STATES, 2, 0.14f, 5, 0, 0, 0},
    {"StdBlack", {STD_SAME}, {}, ALL_STATES, 0, 0, 0, 0, 0, 0},
    {"StdWhite", {STD_SAME}, {}, ALL_STATES, 0, 0, 0, 0, 0, 0},
};

#undef STD_SAME

// The grey each state is tinted with: normal, highlighted, pressed, disabled.
const float std_state_greys[MWIN_NUM_TEXTURE_STATES] = {0.85f, 1.0f, 0.7f, 0.45f};

}  // namespace

char MWin::SetupDefaultTextures(const char *file) {
  MWinTextures *textures = m_textures;
  if (!textures || !textures->AddTexture("StandardButtons", file, 1, 2)) {
    DebugErrorAlt(ENG_FUNC, "Could not load texture <%s>", file ? file : "");
    return 0;
  }
  char ok = 1;
  for (int slot = 0; slot < MWIN_NUM_STANDARD_TEXBUTS; slot++) {
    const StdTexBut &t = std_texbuts[slot];
    const char *tex = "StandardButtons";
    const char *high = t.states == NORMAL_ONLY ? "" : tex;
    const char *pressed = t.states == ALL_STATES ? tex : "";
    const char *disabled = (t.states == ALL_STATES || t.states == ALL_BUT_PRESSED) ? tex : "";
    const float *dis = t.states == ALL_BUT_PRESSED ? t.disabled : t.region;
    const float *r = t.region;
    if (!textures->AddStandardTextureButton(slot, t.name, tex, r[0], r[1], r[2], r[3], high, r[0], r[1], r[2], r[3],
                                            pressed, r[0], r[1], r[2], r[3], disabled, dis[0], dis[1], dis[2],
                                            dis[3], t.style_x, t.edge_x, t.screen_x, t.style_y, t.edge_y,
                                            t.screen_y)) {
      DebugErrorAlt(ENG_FUNC, "Could not load texbut <%s>", t.name);
      ok = 0;
    }
  }
  if (!ok) {
    DebugErrorAlt(ENG_FUNC, "Problem setting up textures");
    return 0;
  }
  for (int slot = 0; slot < MWIN_NUM_STANDARD_TEXBUTS; slot++) {
    const char *id = textures->GetStandardTexButID(slot);
    if (!id || !id[0]) continue;
    for (int s = 0; s < MWIN_NUM_TEXTURE_STATES; s++)
      textures->SetTextureButtonStateColourMultiplier(id, _MWinTextureState(s), std_state_greys[s]);
  }
  return 1;
}
