#include "Engine/MWin/SWin.h"

#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngResModes.h"

SWinPlatform *SWinNativePlatform();

static SWinPlatform *test_platform = nullptr;

void SWin::SetPlatformForTests(SWinPlatform *platform) { test_platform = platform; }

static SWinPlatform *Platform() { return test_platform ? test_platform : SWinNativePlatform(); }

SWin::SWin()
    : created(0),
      area{0, 0, 0, 0},
      font_scale(1),
      quit(0),
      count(0),
      buttons(),
      event_handler(nullptr),
      window(nullptr),
      loop_running(0) {}

SWin::~SWin() {
  if (window) DestroyMainWindow();
}

char SWin::HaveButton(int index) const { return window && index >= 0 && index < count; }

// ---------------------------------------------------------------------------------------------
// The window

char SWin::CreateMainWindow(_SWinCreateInfo *info) {
  if (!info) {
    DebugErrorAlt(ENG_FUNC, "No info specified");
    return 0;
  }
  if (window) {
    DebugErrorAlt(ENG_FUNC, "Window already created");
    return 0;
  }
  int desktop_width = 1280, desktop_height = 1024;
  int got_width = 0, got_height = 0;
  if (EngMiscGetDesktopDimensions(nullptr, nullptr, &got_width, &got_height, 0) && got_width > 0 && got_height > 0) {
    desktop_width = got_width;
    desktop_height = got_height;
  }
  float x = float(info->x), y = float(info->y);
  float width = float(info->width), height = float(info->height - SWIN_TITLE_BAR_HEIGHT);
  if (width > desktop_width) width = float(desktop_width);
  if (height > desktop_height) height = float(desktop_height);
  if (x < 0) x = (desktop_width - width) * 0.5f;
  if (y < 0) y = (desktop_height - height) * 0.5f;
  if (x + width > desktop_width) x = desktop_width - width;
  if (y + height > desktop_height) y = desktop_height - height;
  _Dimension placed = {x, y, width, height};
  AdjustSizeForFontScale(nullptr, &placed, float(desktop_width), float(desktop_height), 0);
  area = placed;

  SWinPlatform *platform = Platform();
  void *made = nullptr;
  if (!platform->CreateWindow(this, EngInt16(area.x), EngInt16(area.y), EngInt16(area.width), EngInt16(area.height),
                              &made) ||
      !made) {
    DebugErrorAlt(ENG_FUNC, "CreateNewWindow() Failed");
    return 0;
  }
  window = made;
  event_handler = made;
  platform->SetTitle(window, EngLanguagesGetStringIfExists("SWIN", "Quarrelwick"));
  platform->ShowWindow(window);
  count = 0;
  created = 1;
  quit = 0;
  return 1;
}

char SWin::DestroyMainWindow() {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  Platform()->DestroyWindow(window);
  window = nullptr;
  event_handler = nullptr;
  created = 0;
  loop_running = 0;
  count = 0;
  memset(buttons, 0, sizeof(buttons));
  return 1;
}

char SWin::GetSize(int *width, int *height) {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  if (width) *width = int(area.width);
  if (height) *height = int(area.height);
  return 1;
}

char SWin::AdjustSizeForFontScale(const char *, _Dimension *dimension, float area_width, float area_height,
                                  char keep_origin) {
  if (font_scale <= 1 || !dimension) return 1;
  dimension->width *= font_scale;
  dimension->height *= font_scale;
  if (keep_origin) {
    if (dimension->x >= 0) dimension->x *= font_scale;
    if (dimension->y >= 0) dimension->y *= font_scale;
  } else {
    if (dimension->x >= 0) dimension->x = area_width / 2 - (area_width / 2 - dimension->x) * font_scale;
    if (dimension->y >= 0) dimension->y = area_height / 2 - (area_height / 2 - dimension->y) * font_scale;
  }
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Adding controls

int SWin::AddButtonToWindow(_SWinButtonType kind, int x, int y, int width, int height, const char *text) {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return -1;
  }
  if (count >= SWIN_MAX_BUTTONS) {
    DebugErrorAlt(ENG_FUNC, "Too many buttons");
    return -1;
  }
  float fx = float(x), fy = float(y), fw = float(width), fh = float(height);
  if (fw > area.width) fw = area.width;
  if (fh > area.height) fh = area.height;
  if (fx < 0) fx = area.width * 0.5f - 0.5f * fw;
  if (fy < 0) fy = area.height * 0.5f - 0.5f * fh;
  if (fx + fw > area.width) fx = area.width - fw;
  if (fy + fh > area.height) fy = area.height - fh;
  if (font_scale > 1) {
    if (fx >= 0) fx *= font_scale;
    fw *= font_scale;
    fh *= font_scale;
    if (fy >= 0) fy *= font_scale;
  }
  _SWinButton &b = buttons[count];
  memset(&b, 0, sizeof(b));
  b.kind = kind == SWIN_CHOICE ? SWIN_LIST : kind;
  b.x = int(fx);
  b.y = int(fy);
  b.width = int(fw);
  b.height = int(fh);

  SWinPlatform *platform = Platform();
  void *control = nullptr;
  switch (int(kind)) {
    case SWIN_GROUP_FRAME: return 0;
    case SWIN_CHOICE: return AddButtonToWindow(SWIN_LIST, b.x, b.y, b.width, b.height, text);
    case SWIN_STATIC_TEXT:
      control = platform->CreateControl(window, kind, b.x, b.y + SWIN_STATIC_TEXT_DROP, b.width, b.height);
      break;
    case SWIN_PUSH_BUTTON:
    case SWIN_EDIT_TEXT:
    case SWIN_PICTURE: control = platform->CreateControl(window, kind, b.x, b.y, b.width, b.height); break;
    case SWIN_LIST:
      control = platform->CreateControl(window, kind, b.x, b.y, b.width, b.height);
      if (control && !platform->HasMenu(control)) DebugErrorAlt(ENG_FUNC, "Could not create popup menu");
      break;
    default: DebugErrorAlt(ENG_FUNC, "Unknown button type %d", int(kind)); return -1;
  }
  if (!control) {
    DebugErrorAlt(ENG_FUNC, "Could not create button.");
    return -1;
  }
  if (kind != SWIN_LIST && kind != SWIN_PICTURE) platform->SetText(control, kind, text ? text : "");
  platform->SetCommandID(control, SWIN_COMMAND_BASE + EngUInt32(count));
  b.control = control;
  return count++;
}

int SWin::AddGroupFrameToWindow(int x, int y, int width, int height, const char *text) {
  return AddButtonToWindow(SWIN_GROUP_FRAME, x, y, width, height, text);
}

int SWin::AddTextButtonToWindow(int x, int y, int width, int height, const char *text, _SWinTextAlign align) {
  int index = AddButtonToWindow(SWIN_STATIC_TEXT, x, y, width, height, text);
  if (index >= 0) SetButtonTextAlign(index, align);
  return index;
}

int SWin::AddPushButtonToWindow(int x, int y, int width, int height, const char *text, SWinPushCB cb) {
  int index = AddButtonToWindow(SWIN_PUSH_BUTTON, x, y, width, height, text);
  if (index >= 0) PushButtonSetCallback(index, cb);
  return index;
}

int SWin::AddChoiceButtonToWindow(int x, int y, int width, int height, int n, char (*strings)[SWIN_STRING_SIZE],
                                  SWinChoiceCB cb) {
  int index = AddButtonToWindow(SWIN_CHOICE, x, y, width, height, "");
  if (index < 0 || !ListSetStrs(index, n, strings)) return -1;
  ListSetCharCallback(index, cb);
  return index;
}

int SWin::AddListButtonToWindow(int x, int y, int width, int height, int n, char (*strings)[SWIN_STRING_SIZE],
                                SWinListCB cb) {
  int index = AddButtonToWindow(SWIN_LIST, x, y, width, height, "");
  if (index < 0 || !ListSetStrs(index, n, strings)) return -1;
  ListSetCallback(index, cb);
  return index;
}

int SWin::AddPictureButtonToWindow(int x, int y, int width, int height, char *file) {
  int index = AddButtonToWindow(SWIN_PICTURE, x, y, width, height, "");
  if (index < 0 || !PictureSetFromFile(index, file)) return -1;
  return index;
}

// ---------------------------------------------------------------------------------------------
// Controls of any kind

char SWin::EnableButton(int index, char on) {
  if (!HaveButton(index)) return 0;
  Platform()->Enable(buttons[index].control, on);
  return 1;
}

char SWin::Show(int index, char on) {
  if (!HaveButton(index)) return 0;
  Platform()->Show(buttons[index].control, on);
  return 1;
}

char SWin::GetButtonPos(int index, int *x, int *y, int *width, int *height) {
  if (!HaveButton(index)) return 0;
  const _SWinButton &b = buttons[index];
  if (x) *x = b.x;
  if (y) *y = b.y;
  if (width) *width = b.width;
  if (height) *height = b.height;
  return 1;
}

char SWin::MoveButton(int index, int x, int y, int width, int height) {
  if (!HaveButton(index)) return 0;
  _SWinButton &b = buttons[index];
  if (x >= 0) b.x = x;
  if (y >= 0) b.y = y;
  if (width >= 0) b.width = width;
  if (height >= 0) b.height = height;
  int drop = b.kind == SWIN_STATIC_TEXT ? SWIN_STATIC_TEXT_DROP : 0;
  Platform()->Place(b.control, b.x, b.y + drop, b.width, b.height);
  return 1;
}

char SWin::SetButtonTextAlign(int index, _SWinTextAlign align) {
  if (!HaveButton(index)) return 0;
  if (align < SWIN_ALIGN_LEFT || align > SWIN_ALIGN_RIGHT) return 0;
  int status = Platform()->SetAlignment(buttons[index].control, align);
  if (status != 0) DebugErrorAlt(ENG_FUNC, "Problem setting the alignment <%d>", status);
  return 1;
}

char SWin::SetButtonText(int index, const char *text) {
  if (!HaveButton(index)) return 0;
  _SWinButton &b = buttons[index];
  if (!b.control) {
    DebugErrorAlt(ENG_FUNC, "No button");
    return 0;
  }
  if (b.kind != SWIN_STATIC_TEXT && b.kind != SWIN_PUSH_BUTTON && b.kind != SWIN_EDIT_TEXT) {
    DebugErrorAlt(ENG_FUNC, "Only supported for push button,static and edit text buttons");
    return 0;
  }
  Platform()->SetText(b.control, b.kind, text ? text : "");
  return 1;
}

char SWin::GetButtonText(int index, char *buffer, int size) {
  if (!HaveButton(index) || !buffer || size < 1) return 0;
  _SWinButton &b = buttons[index];
  if (b.kind != SWIN_EDIT_TEXT && b.kind != SWIN_STATIC_TEXT) {
    DebugErrorAlt(ENG_FUNC, "Only supported for Edit buttons");
    return 0;
  }
  // Whatever the platform does, the copy ends inside the buffer.
  buffer[0] = 0;
  Platform()->GetText(b.control, buffer, size);
  buffer[size - 1] = 0;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Push buttons

char SWin::PushButtonSetCallback(int index, SWinPushCB cb) {
  if (!HaveButton(index)) return 0;
  if (buttons[index].kind != SWIN_PUSH_BUTTON) {
    DebugErrorAlt(ENG_FUNC, "Not a push button");
    return 0;
  }
  buttons[index].push_cb = cb;
  return 1;
}

char SWin::SetDefaultPushButton(int index) {
  if (!HaveButton(index)) return 0;
  if (buttons[index].kind != SWIN_PUSH_BUTTON) {
    DebugErrorAlt(ENG_FUNC, "Not a push button");
    return 0;
  }
  Platform()->SetDefaultButton(window, buttons[index].control);
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Lists and choices

char SWin::ListReady(const char *signature, int index) {
  if (!HaveButton(index)) return 0;
  if (buttons[index].kind != SWIN_LIST) {
    DebugErrorAlt(signature, "Not a list button");
    return 0;
  }
  return 1;
}

char SWin::ListSetStrs(int index, int n, char (*strings)[SWIN_STRING_SIZE]) {
  if (!ListReady(ENG_FUNC, index)) return 0;
  if (n < 1) {
    DebugErrorAlt(ENG_FUNC, "No entries");
    return 0;
  }
  if (!strings) {
    DebugErrorAlt(ENG_FUNC, "No strings");
    return 0;
  }
  SWinPlatform *platform = Platform();
  _SWinButton &b = buttons[index];
  if (!platform->HasMenu(b.control)) return 0;
  platform->ResetMenu(b.control);
  b.num_strings = n;
  for (int i = 0; i < n; i++) {
    char item[SWIN_STRING_SIZE];
    memcpy(item, strings[i], SWIN_STRING_SIZE);
    item[SWIN_STRING_SIZE - 1] = 0;  // a record filled to its end still ends
    platform->AddMenuItem(b.control, item);
  }
  platform->SelectMenuItem(b.control, 0);
  platform->SyncMenu(b.control);
  return 1;
}

char SWin::ListSetStrsCallback(int index, int n, SWinStringCB cb, void *user) {
  if (!ListReady(ENG_FUNC, index)) return 0;
  if (n < 1) {
    DebugErrorAlt(ENG_FUNC, "No entries");
    return 0;
  }
  if (!cb) {
    DebugErrorAlt(ENG_FUNC, "No strings callback");
    return 0;
  }
  SWinPlatform *platform = Platform();
  _SWinButton &b = buttons[index];
  if (!platform->HasMenu(b.control)) return 0;
  platform->ResetMenu(b.control);
  b.num_strings = n;
  for (int i = 0; i < n; i++) {
    const char *item = cb(i, user);
    platform->AddMenuItem(b.control, item ? item : "");
  }
  platform->SelectMenuItem(b.control, 0);
  platform->SyncMenu(b.control);
  return 1;
}

char SWin::ListSetCallback(int index, SWinListCB cb) {
  if (!ListReady(ENG_FUNC, index)) return 0;
  buttons[index].list_cb = cb;
  return 1;
}

char SWin::ListSetCharCallback(int index, SWinChoiceCB cb) {
  if (!ListReady(ENG_FUNC, index)) return 0;
  buttons[index].choice_cb = cb;
  return 1;
}

char SWin::ListSetSel(int index, int selection) {
  if (!ListReady(ENG_FUNC, index)) return 0;
  _SWinButton &b = buttons[index];
  b.selection = selection;
  Platform()->SelectMenuItem(b.control, selection);
  Platform()->SyncMenu(b.control);
  // Read again after each callback: a callback may destroy the window.
  SWinListCB list_cb = b.list_cb;
  SWinChoiceCB choice_cb = b.choice_cb;
  if (list_cb) list_cb(this, selection);
  if (choice_cb) choice_cb(this, char(selection));
  return 1;
}

int SWin::ListGetSel(int index) {
  if (!HaveButton(index)) return -1;
  if (buttons[index].kind != SWIN_LIST) {
    DebugErrorAlt(ENG_FUNC, "Not a list button");
    return -1;
  }
  return buttons[index].selection;
}

char SWin::ListRegisterIntVariable(int index, int *variable) {
  if (!ListReady(ENG_FUNC, index) || !variable) return 0;
  buttons[index].int_var = variable;
  return ListSetSel(index, *variable);
}

char SWin::ListRegisterCharVariable(int index, char *variable) {
  if (!ListReady(ENG_FUNC, index) || !variable) return 0;
  buttons[index].char_var = variable;
  return ListSetSel(index, *variable);
}

// ---------------------------------------------------------------------------------------------
// Pictures

char SWin::PictureSetFromFile(int index, char *file) {
  if (!HaveButton(index)) return 0;
  if (buttons[index].kind != SWIN_PICTURE) {
    DebugErrorAlt(ENG_FUNC, "Not a picture button");
    return 0;
  }
  if (!file) return 0;
  if (!EngFileExists(file, 0)) {
    DebugErrorAlt(ENG_FUNC, "File <%s> does not exist", file);
    return 0;
  }
  return Platform()->SetPicture(buttons[index].control, file);
}

// ---------------------------------------------------------------------------------------------
// Events

EngInt32 SWin::MacEventsHandler(void *, EngUInt32 command, void *user) {
  auto *swin = static_cast<SWin *>(user);
  if (!swin) return -1;
  if (command >= SWIN_COMMAND_BASE && command < SWIN_COMMAND_BASE + EngUInt32(swin->count)) {
    swin->HandleButtonCallback(int(command - SWIN_COMMAND_BASE));
    return 0;
  }
  return SWIN_NOT_HANDLED;
}

void SWin::HandleButtonCallback(int index) {
  if (index < 0 || index >= count) return;
  _SWinButton &b = buttons[index];
  if (b.kind == SWIN_LIST) {
    int selection = Platform()->GetMenuSelection(b.control);
    b.selection = selection;
    if (b.int_var) *b.int_var = selection;
    if (b.char_var) *b.char_var = char(selection);
    SWinListCB list_cb = b.list_cb;
    SWinChoiceCB choice_cb = b.choice_cb;
    if (list_cb) list_cb(this, selection);
    if (choice_cb) choice_cb(this, char(selection));
  } else if (b.kind == SWIN_PUSH_BUTTON) {
    if (b.push_cb) b.push_cb(this);
  }
}

void SWin::OnCloseBox() {
  if (window) QuitWindowLoop();
}

void SWin::OnKeyDown(char key, char control_held) {
  if (window && control_held && (key == 'q' || key == 'Q')) QuitWindowLoop();
}

char SWin::RunWindowLoop() {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  if (quit) return 1;
  loop_running = 1;
  Platform()->RunLoop(window);
  loop_running = 0;
  return 1;
}

char SWin::ProcessAnyWindowsMessages() {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  if (quit) return 0;
  if (!Platform()->ProcessOneEvent(window)) return 1;
  return quit ? 0 : 2;
}

char SWin::QuitWindowLoop() {
  if (!window) {
    DebugErrorAlt(ENG_FUNC, "No window");
    return 0;
  }
  quit = 1;
  if (loop_running) {
    loop_running = 0;
    Platform()->QuitLoop(window);
  }
  return 1;
}
