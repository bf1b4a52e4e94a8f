// The checkbox kind of widget: an on/off value drawn as a box beside the widget's text,
// toggled by the left mouse button (never by keys), written into a bound char or int and
// reported through the widget's callback.
#pragma once

#include "Engine/MWin/MWinButton.h"

class MWinCheckbox : public MWinButton {
 public:
  MWinCheckbox(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text,
               float x, float y, float w, float h);
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void RenderBack(_MWinTextureState state) override;
  void RenderText() override;

  // A checkbox behind a plain widget pointer; null (and logged) when it is no checkbox.
  static MWinCheckbox *From(MWinButton *button);

  void CheckboxReset();
  char CheckboxSet(char value, char call);
  char CheckboxGet() const { return m_check_state; }
  char CheckboxRegisterIntVariable(int *var, char call);
  char CheckboxRegisterCharVariable(char *var, char call);
  void CheckboxHandleMouseButtonPressed(char button, char pressed);
  char CheckboxHandleMouseButtonDoubleClicked(char button);
  void CheckboxHandleKeyPress(int key) { (void)key; }
  void CheckboxRenderButton(_MWinTextureState state);
  void CheckboxRenderText(_MWinTextureState state);
  // Where the centred text ended when last drawn; 0 until then.
  float CheckboxGetTextEndX() const { return m_text_end_x; }

 private:
  // Box width, gap and margin, stretched with a window that resizes with the display.
  void GetSpacing(float *box_w, float *gap, float *margin);

  char m_check_state = 0;
  float m_text_end_x = 0;
};
