// The frame widget (kind 16): a panel drawn behind other widgets, plain or with a heading that
// shows its text as a title, and optionally a close box at the heading's right end that calls
// a close callback when clicked or, if asked, when Escape is pressed.
#pragma once

#include "Engine/MWin/MWinButton.h"

class MWinFrameButton : public MWinButton {
 public:
  MWinFrameButton(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, const ENG_CHAR *text,
                  float x, float y, float w, float h);
  ~MWinFrameButton() override;
  void PositionUpdated() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  void HandleMouseButtonPressCanceled() override;
  void HandleMouseMove() override;
  char HandleKeyDown(int key) override;
  char KeepFocusOnMouseMove() override;

  void Reset();
  void AddCloseButton(MWIN_BUTTON_CB callback, char escape_closes);
  void AddCloseButton(MWIN_BUTTON_PLAIN_CB callback, char escape_closes);
  char HasCloseButton() const { return m_has_close; }
  char IsOverCloseButton() const { return m_over_close; }
  // The close box as drawn and as hit, in design units; 0 without layout settings.
  char GetCloseBoxArea(_Dimension *drawn, _Dimension *hit);

 private:
  void RunCloseCallback();

  char m_has_close = 0;
  MWIN_BUTTON_CB m_close_callback = nullptr;
  MWIN_BUTTON_PLAIN_CB m_close_plain_callback = nullptr;
  char m_escape_closes = 0;
  char m_over_close = 0;
};
