// The drop-down list kind of widget: closed it shows the selected entry with an arrow pair;
// opened (click, Enter, or for a moment the wheel and arrow keys) it lays a column of entries
// over the other widgets, takes every event first, scrolls by itself and selects by mouse,
// keys and first letters. Entries come from an array, a string callback or a language token.
#pragma once

#include "Engine/MWin/MWinButton.h"

// Clears what every list shares: the time of the last automatic scroll step and the guards
// of the wheel and keys that open a list for a moment. For tests.
void MWinListResetShared();

class MWinList : public MWinButton {
 public:
  MWinList(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text, float x,
           float y, float w, float h);
  char Tick() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  void HandleMouseMove() override;
  char HandleMouseWheel(int delta) override;
  char HandleKeyDown(int key) override;
  char KeepFocusOnMouseMove() override;
  void Deactivate() override;
  void RenderBack(_MWinTextureState state) override;
  void RenderText() override;
  char RenderOnTopOfOtherButtons() override;

  // A list behind a plain widget pointer; null and "button %s not a list" when it is none.
  static MWinList *From(MWinButton *button);

  // Entries (MWinList.cpp).
  void ListReset();
  char ListSetStrings(int count, const ENG_CHAR **strings);
  char ListSetStrings(const ENG_CHAR **strings);
  char ListSetStringsCallback(int count, MWIN_STR_CB callback, void *user);
  char ListSetStringsLanguageToken(int count, const char *token);
  const ENG_CHAR *ListGetString();
  const ENG_CHAR *ListGetOpenString();
  const ENG_CHAR *ListGetStringAtPos(int pos);
  char ListSetPosToString(const ENG_CHAR *text, char call);
  int ListGetFirstPosWithString(const ENG_CHAR *text);
  int ListGetNumEntries() const { return m_count; }
  int ListGetPos();
  char ListIsOpen() { return MWinButton::ListIsOpen() && IsReady() ? 1 : 0; }
  int ListGetOpenPos() { return ListIsOpen() ? m_open_pos : -1; }

  // Selection and binding.
  char ListSetPos(int pos, char call);
  char ListSetPos(int pos) { return ListSetPos(pos, 0); }
  char ListRegisterIntVariable(int *var);
  char ListRegisterLongVariable(EngInt32 *var);
  char ListRegisterCharVariable(char *var);
  char ListUpdateFromRegisteredVariable(char call);
  void ListRefresh();

  // The open list (MWinListOpen.cpp).
  void ListOpen();
  void ListClose(char take, char call);
  char ListCalcOpenListVariables();
  char ListSelectNewOpenPos(int pos, char reanchor);
  char ListTraverse(int step);
  char ListTick();
  char ListHandleEscape();
  char ListHandleMouseButtonPressed(char button, char pressed);
  char ListHandleMouseMove();
  char ListHandleMouseWheel(int delta);
  char ListHandleKeyDown(int key);

  // Drawing (MWinListDraw.cpp).
  void ListRenderBack(_MWinTextureState state);
  void ListRenderText();
  void ListRenderOnTopOfOtherButtons(_MWinTextureState state);
  void ListRenderBackPart(_MWinTextureState state, int slot, float x, float y, float w, float h);

  // The open layout, for drawing and tests; -1 where unset.
  struct OpenLayout {
    int first_shown, end_shown, anchor, scroll, delay_ms;
    float box_y, box_h, top_cap_y, top_cap_h, bottom_cap_y, bottom_cap_h, highlight_y;
    float up_row_y, up_row_h, down_row_y, down_row_h, open_x, open_y;
    char can_scroll_up, can_scroll_down;
  };
  const OpenLayout &ListGetOpenLayout() const { return m_open; }

 private:
  const ENG_CHAR *EntryText(int pos);
  // Report, Close, SelectOpenPos and Traverse tell whether the list outlived the callback
  // they may have run: 0 (or -1) means it is gone and must not be touched.
  char Report(int event, int pos);
  char Close(char take, char call);
  int SelectOpenPos(int pos, char reanchor);  // -1 gone, 0 no change, 1 moved
  int Traverse(int step);
  void ClearOpenLayout();

  int m_pos = 0;
  int m_count = 0;
  MWIN_STR_CB m_str_cb = nullptr;
  const ENG_CHAR **m_strings = nullptr;
  char m_token_list = 0;
  char m_token[64] = {0};  // kept apart: showing an entry as the text turns the widget's token off
  int m_open_pos = -1;
  OpenLayout m_open;
  double m_open_time = 0;
  EngUInt8 m_touch_state = 0;
};
