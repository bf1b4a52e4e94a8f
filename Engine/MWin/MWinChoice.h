// The choice kind of widget: one of n entries, shown as a row of boxes with the selected one
// pressed, or as one text between a left and a right arrow. Entries come from a string array,
// a string callback or the sub-texts of a language token; the selection may be bound.
#pragma once

#include "Engine/MWin/MWinButton.h"

class MWinChoice : public MWinButton {
 public:
  MWinChoice(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text,
             float x, float y, float w, float h);
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void HandleMouseMove() override;
  char HandleKeyDown(int key) override;
  void RenderBack(_MWinTextureState state) override;
  void RenderText() override;

  // A choice behind a plain widget pointer; null (and logged) when it is no choice.
  static MWinChoice *From(MWinButton *button);

  // Entries and mode (MWinChoice.cpp).
  void ChoiceReset();
  void ChoiceUseArrows(char on, char unused);
  void ChoiceUpdateArrows();
  char ChoiceIsUsingArrows() const { return GetType() == MWIN_BUTTON_CHOICE ? m_use_arrows : 0; }
  char ChoiceSetStrings(int count, const ENG_CHAR **strings);
  char ChoiceSetStringsCallback(int count, MWIN_STR_CB callback, void *user);
  char ChoiceSetStringsLanguageToken(int count, const char *token);
  char ChoiceSetNumItems(int count);
  // Entry i's text; empty when there is none.
  const ENG_CHAR *ChoiceGetString(int entry);

  // Selection and binding.
  char ChoiceSetSel(int entry, char mode);
  char ChoiceSetSel(int entry) { return ChoiceSetSel(entry, 0); }
  int ChoiceGetSel() const { return m_sel; }
  int ChoiceGetNumItems() const { return m_count; }
  char ChoiceRegisterCharVariable(char *var, char call);
  char ChoiceRegisterCharVariable(signed char *var);
  char ChoiceRegisterIntVariable(int *var, char call);
  char ChoiceRegisterInt16Variable(EngInt16 *var, char call);
  char ChoiceRegisterLongVariable(EngInt32 *var, char call);
  void ChoiceWantHighlightCallbacks(char on) { m_want_highlight = on ? 1 : 0; }
  int ChoiceGetHighlightedEntry() const { return m_highlighted; }
  void ChoiceSetSelectionExtraWidthMultiplier(float m);
  float ChoiceGetItemWidth(int entry);
  int ChoiceGetItemFromMousePos(char clamp);

  // Input.
  char ChoiceHandleMouseButtonPressed(char button, char pressed);
  char ChoiceArrowsHandleMousePress();
  char ChoiceBoxesHandleMousePress();
  char ChoiceHandleMouseButtonDoubleClicked(char button);
  char ChoiceHandleMouseMove();
  char ChoiceHandleKeyDown(int key);

  // Drawing (MWinChoiceDraw.cpp).
  void ChoiceRenderBacks(_MWinTextureState state);
  void ChoiceArrowsDraw(_MWinTextureState state);
  void ChoiceBoxesDraw(_MWinTextureState state);
  void ChoiceRenderText();
  void ChoiceArrowsDrawTexts();
  void ChoiceBoxesDrawTexts();

 private:
  char Report(int entry, char highlight);

  char m_use_arrows = 0;
  int m_sel = 0;
  int m_count = 0;
  MWIN_STR_CB m_str_cb = nullptr;
  const ENG_CHAR **m_strings = nullptr;
  char m_token_list = 0;
  char m_token[64] = {0};  // kept apart: showing an entry as the text turns the widget's token off
  char m_want_highlight = 0;
  int m_highlighted = -1;
  char m_wide_selection = 0;
  float m_width_multiplier = 0;
};
