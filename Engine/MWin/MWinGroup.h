// A window's group of widgets: a doubly linked list of buttons that the group owns, drawn
// first to last. Windows start with one group and pass their button operations to it.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinGroup {
 public:
  MWinGroup(MWin *mwin, MWinWindow *window);
  ~MWinGroup();
  MWinGroup(const MWinGroup &) = delete;
  MWinGroup &operator=(const MWinGroup &) = delete;

  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback);
  // Appends a button made elsewhere (a subclass) to the list.
  MWinButton *CompleteAddButton(MWinButton *button);
  char RemoveButton(MWinButton *button);
  char RemoveAllButtonsAfterButton(MWinButton *button);
  void RemoveAllButtons();
  int GetNumButtons();

  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  void NewLanguageSet();
  char Render();
  void UpdateButtonsActualAreas();

  // Fields, in order; the window and its buttons read them.
  MWin *m_mwin;
  char m_shown = 1;
  char m_valid = 1;
  MWinWindow *m_window;
  MWinButton *m_first = nullptr;
  MWinButton *m_last = nullptr;
  MWinGroup *m_prev = nullptr;
  MWinGroup *m_next = nullptr;
};
