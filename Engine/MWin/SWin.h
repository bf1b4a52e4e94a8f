// SWin: a small modal dialog window of the platform's own controls (at most 24, addressed by
// index in order of creation), apart from the OpenGL window and the rest of the toolkit; the
// update check shows its messages in one. The logic here reaches the platform only through
// SWinPlatform (native dialogs over GTK by default; tests put in a fake).
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"

enum _SWinButtonType : int {
  SWIN_GROUP_FRAME = 0,
  SWIN_STATIC_TEXT = 1,
  SWIN_PUSH_BUTTON = 2,
  SWIN_EDIT_TEXT = 3,
  SWIN_CHOICE = 4,
  SWIN_LIST = 6,
  SWIN_PICTURE = 7,
};

enum _SWinTextAlign : int { SWIN_ALIGN_LEFT = 0, SWIN_ALIGN_CENTRE = 1, SWIN_ALIGN_RIGHT = 2 };

enum {
  SWIN_MAX_BUTTONS = 24,
  SWIN_TITLE_SIZE = 256,
  SWIN_STRING_SIZE = 256,
  SWIN_TITLE_BAR_HEIGHT = 30,
  SWIN_STATIC_TEXT_DROP = 3,
};
enum : EngUInt32 { SWIN_COMMAND_BASE = EngFourCC("SWBT") };
enum : EngInt32 { SWIN_NOT_HANDLED = -9874 };

// Screen pixels; a negative x or y centres. The height includes the title bar's 30 pixels.
struct _SWinCreateInfo {
  int x, y, width, height;
  char flag1, flag2;  // set by the update check; not read here
  char title[SWIN_TITLE_SIZE];  // not read here: the window carries the program's name
};

class SWin;
typedef void (*SWinPushCB)(SWin *swin);
typedef void (*SWinListCB)(SWin *swin, int selection);
typedef void (*SWinChoiceCB)(SWin *swin, char selection);
typedef char *(*SWinStringCB)(int index, void *user);

struct _SWinButton {
  _SWinButtonType kind;
  int x, y, width, height;
  SWinPushCB push_cb;
  int num_strings;
  SWinListCB list_cb;
  SWinChoiceCB choice_cb;
  int selection;
  int *int_var;
  char *char_var;
  void *control;
};

// The platform's steps. Handles are opaque; a window's events come back through the owner's
// MacEventsHandler, OnCloseBox and OnKeyDown.
class SWinPlatform {
 public:
  virtual ~SWinPlatform() {}
  virtual char CreateWindow(SWin *owner, int x, int y, int width, int height, void **window) = 0;
  virtual void DestroyWindow(void *window) = 0;
  virtual void SetTitle(void *window, const char *title) = 0;
  virtual void ShowWindow(void *window) = 0;
  virtual void SetDefaultButton(void *window, void *control) = 0;
  // Kinds 1, 2, 3, 6 and 7; null on failure.
  virtual void *CreateControl(void *window, _SWinButtonType kind, int x, int y, int width, int height) = 0;
  virtual void SetCommandID(void *control, EngUInt32 command) = 0;
  virtual void SetText(void *control, _SWinButtonType kind, const char *text) = 0;
  virtual int GetText(void *control, char *buffer, int size) = 0;
  // 0 done, else the platform's status.
  virtual int SetAlignment(void *control, _SWinTextAlign align) = 0;
  virtual void Enable(void *control, char on) = 0;
  virtual void Show(void *control, char on) = 0;
  virtual void Place(void *control, int x, int y, int width, int height) = 0;
  virtual char HasMenu(void *control) = 0;
  virtual void ResetMenu(void *control) = 0;
  virtual void AddMenuItem(void *control, const char *text) = 0;
  virtual void SelectMenuItem(void *control, int selection) = 0;
  virtual int GetMenuSelection(void *control) = 0;
  virtual void SyncMenu(void *control) = 0;
  virtual char SetPicture(void *control, const char *file) = 0;
  virtual void RunLoop(void *window) = 0;
  virtual void QuitLoop(void *window) = 0;
  // Handles one waiting event: 0 none was waiting, 1 one was handled.
  virtual char ProcessOneEvent(void *window) = 0;
};

class SWin {
 public:
  SWin();
  ~SWin();
  SWin(const SWin &) = delete;
  SWin &operator=(const SWin &) = delete;

  char CreateMainWindow(_SWinCreateInfo *info);
  char DestroyMainWindow();
  char GetSize(int *width, int *height);
  char AdjustSizeForFontScale(const char *unused, _Dimension *dimension, float area_width, float area_height,
                              char keep_origin);

  int AddButtonToWindow(_SWinButtonType kind, int x, int y, int width, int height, const char *text);
  int AddGroupFrameToWindow(int x, int y, int width, int height, const char *text);
  int AddTextButtonToWindow(int x, int y, int width, int height, const char *text, _SWinTextAlign align);
  int AddPushButtonToWindow(int x, int y, int width, int height, const char *text, SWinPushCB cb);
  int AddChoiceButtonToWindow(int x, int y, int width, int height, int count, char (*strings)[SWIN_STRING_SIZE],
                              SWinChoiceCB cb);
  int AddListButtonToWindow(int x, int y, int width, int height, int count, char (*strings)[SWIN_STRING_SIZE],
                            SWinListCB cb);
  int AddPictureButtonToWindow(int x, int y, int width, int height, char *file);

  char EnableButton(int index, char on);
  char EnableButton(int index) { return EnableButton(index, 1); }
  char DisableButton(int index) { return EnableButton(index, 0); }
  char Show(int index, char on);
  char Show(int index) { return Show(index, 1); }
  char HideButton(int index) { return Show(index, 0); }
  char GetButtonPos(int index, int *x, int *y, int *width, int *height);
  char MoveButton(int index, int x, int y, int width, int height);
  char SetButtonTextAlign(int index, _SWinTextAlign align);
  char SetButtonText(int index, const char *text);
  char GetButtonText(int index, char *buffer, int size);

  char PushButtonSetCallback(int index, SWinPushCB cb);
  char SetDefaultPushButton(int index);

  char ListSetStrs(int index, int count, char (*strings)[SWIN_STRING_SIZE]);
  char ListSetStrsCallback(int index, int count, SWinStringCB cb, void *user);
  char ListSetCallback(int index, SWinListCB cb);
  char ListSetCharCallback(int index, SWinChoiceCB cb);
  char ListSetSel(int index, int selection);
  int ListGetSel(int index);
  char ListRegisterIntVariable(int index, int *variable);
  char ListRegisterCharVariable(int index, char *variable);
  char ChoiceSetStrs(int index, int count, char (*strings)[SWIN_STRING_SIZE]) {
    return ListSetStrs(index, count, strings);
  }
  char ChoiceSetCallback(int index, SWinChoiceCB cb) { return ListSetCharCallback(index, cb); }
  char ChoiceSetSel(int index, char selection, char) { return ListSetSel(index, selection); }
  char ChoiceGetSel(int index) { return char(ListGetSel(index)); }
  char ChoiceRegisterCharVariable(int index, char *variable) { return ListRegisterCharVariable(index, variable); }
  char ChoiceCleanup(int) { return 1; }

  char PictureSetFromFile(int index, char *file);

  // The window's command handler: 0 handled, SWIN_NOT_HANDLED passed on, -1 without an owner.
  static EngInt32 MacEventsHandler(void *call, EngUInt32 command, void *user);
  void HandleButtonCallback(int index);
  void OnCloseBox();
  // A key pressed in the window; Ctrl+Q quits the loop.
  void OnKeyDown(char key, char control_held);
  char RunWindowLoop();
  char ProcessAnyWindowsMessages();
  char QuitWindowLoop();

  char IsCreated() const { return created; }
  int GetNumButtons() const { return count; }
  void SetFontScale(float scale) { font_scale = scale; }

  // Null puts back the native dialogs.
  static void SetPlatformForTests(SWinPlatform *platform);

 private:
  char HaveButton(int index) const;
  char ListReady(const char *signature, int index);
  void SetSelection(int index, int selection);

  char created;
  _Dimension area;
  float font_scale;
  char quit;
  int count;
  _SWinButton buttons[SWIN_MAX_BUTTONS];
  void *event_handler;
  void *window;
  char loop_running;
};
