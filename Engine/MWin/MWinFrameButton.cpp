#include "Engine/MWin/MWinFrameButton.h"

#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

static const int kKeyEscape = 27;

MWinFrameButton::MWinFrameButton(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id,
                                 const ENG_CHAR *text, float x, float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_FRAME, texbut_id, text, x, y, w, h) {}

MWinFrameButton::~MWinFrameButton() = default;

void MWinFrameButton::Reset() {
  if (!GetLayoutSettings()) return;
  m_has_close = 0;
  m_close_callback = nullptr;
  m_close_plain_callback = nullptr;
  m_escape_closes = 0;
  m_over_close = 0;
}

void MWinFrameButton::AddCloseButton(MWIN_BUTTON_CB callback, char escape_closes) {
  m_has_close = 1;
  m_close_callback = callback;
  m_escape_closes = escape_closes;
  SetReady(1);
}

void MWinFrameButton::AddCloseButton(MWIN_BUTTON_PLAIN_CB callback, char escape_closes) {
  m_has_close = 1;
  m_close_plain_callback = callback;
  m_escape_closes = escape_closes;
  SetReady(1);
}

static float HeadingHeight(const MWinLayoutSettings *layout) {
  return layout->frame_edge_height * eng_main_window_y_narrowscreen_ratio;
}

char MWinFrameButton::GetCloseBoxArea(_Dimension *drawn, _Dimension *hit) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return 0;
  const _Dimension *a = GetActualArea();
  float heading = HeadingHeight(layout);
  float x = a->x + a->width - layout->frame_inset_x - layout->frame_edge_width;
  if (drawn) *drawn = {x, a->y + layout->frame_inset_y, layout->frame_edge_width, heading - 2 * layout->frame_inset_y};
  if (hit) *hit = {x, a->y, layout->frame_edge_width, heading};
  return 1;
}

void MWinFrameButton::PositionUpdated() {
  m_over_close = 0;
  MWinButton::PositionUpdated();
}

char MWinFrameButton::Render() {
  MWin *mwin = GetMWin();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !mwin->GetTextures() || !layout) return 0;
  if (!PrepareForRender()) return 0;
  MWinTextures *textures = mwin->GetTextures();
  const _ColourRGBA *tint = GetColouringMode() ? GetColour() : nullptr;
  _MWinTextureState state = GetRenderState();
  _Dimension *a = GetActualArea();
  float heading = HeadingHeight(layout);
  if (HasText()) {
    CropRenderAreaToWindow();
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_BACK_HEADING), state, a->x, a->y,
                                a->width, heading, tint);
    CropRenderAreaToButtonNew2();
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_BACK_MAIN), state, a->x, a->y + heading,
                                a->width, a->height - heading, tint);
    UpdateTextFontColourAndScale();
    // The title is the normal text drawn in the heading's height.
    _Dimension kept = *a;
    a->height = heading;
    RenderNormalText();
    *a = kept;
  } else {
    CropRenderAreaToWindow();
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_BUTTON_BACK), state, a, tint);
    CropRenderAreaToButtonNew2();
  }
  _Dimension box;
  if (m_has_close && GetWindow() && GetCloseBoxArea(&box, nullptr) && box.height >= 0) {
    textures->DrawTextureButton(textures->GetStandardTexButNum(MWIN_STDTEX_PUSH_BUTTON),
                                m_over_close ? MWIN_TEXSTATE_HIGHLIGHTED : MWIN_TEXSTATE_NORMAL, &box, tint);
    mwin->RenderText(GetFontNum(), MWIN_ALIGN_CENTRE, 0, &box, nullptr, "X", 0, 1, 0);
  }
  RestoreAfterRender();
  return 1;
}

void MWinFrameButton::HandleMouseMove() {
  MWinButton::HandleMouseMove();
  if (!ShouldHandleMouseMove() || !m_has_close || !GetWindow() || !GetMWin()) return;
  _Dimension hit;
  if (!GetCloseBoxArea(nullptr, &hit)) return;
  char over = GetMWin()->IsMouseViewportCursorInArea(&hit);
  if (over != m_over_close) GetMWin()->RenderNeeded();
  m_over_close = over;
}

void MWinFrameButton::RunCloseCallback() {
  if (m_close_callback) {
    _MWinButtonCallbackInfo info;
    FillCallbackInfo(&info);
    m_close_callback(GetMWin(), &info, 0, 0);
  } else if (m_close_plain_callback) {
    m_close_plain_callback();
  }
}

char MWinFrameButton::HandleMouseButtonPressed(char button, char pressed, char flag) {
  if (!ShouldHandleMouseButtonPressed(button, pressed, flag) || !m_over_close) return 0;
  // The callback may remove this widget: nothing of it is read afterwards.
  if (!pressed && button == 0) RunCloseCallback();
  return 1;
}

void MWinFrameButton::HandleMouseButtonPressCanceled() {}

char MWinFrameButton::HandleKeyDown(int key) {
  if (!ShouldHandleKeyDown()) return 0;
  if (key == kKeyEscape && m_escape_closes) {
    RunCloseCallback();
    return 1;
  }
  return PostHandleKeyDown(key, 0);
}

char MWinFrameButton::KeepFocusOnMouseMove() { return 0; }

MWinFrameButton *MWinGroup::AddFrameButton(const char *id, const char *texbut_id, const ENG_CHAR *text, float x,
                                           float y, float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_FRAME, nullptr)) return nullptr;
  MWinFrameButton *button = new MWinFrameButton(m_mwin, id, this, texbut_id, text, x, y, w, h);
  CompleteAddButton(button);
  return button;
}
