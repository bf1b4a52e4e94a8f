// A window's group of widgets: a doubly linked list of buttons that the group owns, drawn
// first to last. Windows start with one group and pass their button operations to it; the
// centring and spacing of shown buttons live here for the window's use as well.
#pragma once

#include <vector>

#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTypes.h"

class MWinFrameButton;
class MWinGraph;
class MWinColour;
class MWinTabPanel;

class MWinGroup {
 public:
  MWinGroup(MWin *mwin, MWinWindow *window);
  ~MWinGroup();
  MWinGroup(const MWinGroup &) = delete;
  MWinGroup &operator=(const MWinGroup &) = delete;

  char CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  MWinLayoutSettings *GetScreenLayout();
  void Show(char show) { m_shown = show ? 1 : 0; }
  void Hide() { m_shown = 0; }
  void UpdateButtonsActualAreas();
  void NewLanguageSet();
  void UpdateButtonsTextStylesFromFontStyleID(const char *id);
  char Tick();
  char Render();

  char PreAddButton(const char *id, _MWinButtonType type, float *values);
  MWinButton *CompleteAddButton(MWinButton *button);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_CB callback, int a, int b);
  MWinButton *AddButton(const char *id, _MWinButtonType type, const char *texbut_id, const ENG_CHAR *text, float x,
                        float y, float w, float h, MWIN_BUTTON_PLAIN_CB callback);
  MWinButton *AddButton(MWinButton *source);
  // The widget kinds with classes of their own, each defined in its kind's file.
  MWinFrameButton *AddFrameButton(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y,
                                  float w, float h);
  MWinGraph *AddGraph(const char *id, const char *texbut_id, float x, float y, float w, float h);
  MWinColour *AddColour(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y, float w,
                        float h);
  MWinHorzScrollbar *AddHorzScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y,
                                      float w, float h);
  MWinVertScrollbar *AddVertScrollbar(const char *id, const char *texbut_id, const ENG_CHAR *text, float x, float y,
                                      float w, float h);
  MWinScriptButton *AddScriptButton(const char *id, const char *texbut_id, float x, float y, float w, float h);
  MWinTabPanel *AddTabPanel(const char *id, const char *texbut_id, float x, float y, float w, float h);
  char RemoveButton(MWinButton *button);
  char RemoveAllButtonsAfterButton(MWinButton *button);
  void RemoveAllButtons();
  int GetNumButtons();
  MWinButton *GetNthButton(int n);

  void CenterAllShownButtons(char horizontally, char vertically);
  void CenterGroupOfButtons(MWinButton **list, char horizontally, char vertically);
  void SpaceAllShownButtons(char horizontally, char vertically);
  void SpaceGroupOfButtons(MWinButton **list, char horizontally, char vertically);

  // Moves the buttons together so that their bounding box is centred in the window; the
  // vertical target is raised by half the title bar when asked.
  static void CenterButtons(MWinWindow *window, const std::vector<MWinButton *> &buttons, char horizontally,
                            char vertically, char raise_for_title);
  // Keeps the first button and evens out the gaps between the following ones.
  static void SpaceButtons(const std::vector<MWinButton *> &buttons, char horizontally, char vertically);

  // Fields, in order; the window and its buttons read them.
  MWin *m_mwin;
  char m_shown = 1;
  char m_valid = 1;
  MWinWindow *m_window;
  MWinButton *m_first = nullptr;
  MWinButton *m_last = nullptr;
  MWinGroup *m_prev = nullptr;
  MWinGroup *m_next = nullptr;
  char m_removed = 0;

 private:
  // Removing asks the root to discard each button; the destructor deletes them with itself.
  void DeleteAllButtons(char removing);
};
