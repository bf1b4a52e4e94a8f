// What the program and the native dialogs' module (quarrelwick-gtk.so, loaded the first time a
// dialog is needed) hand each other: the calls of EngGui_MAC.h that the module answers, and the
// few engine calls it makes back. No GTK type shows here.
#pragma once

#include <cstddef>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/MAC/EngGui_MAC.h"

// The statuses the dialog calls answer with, numbered as the system's own so that logs read alike.
enum : EngInt32 {
  ENG_GUI_STATUS_PARAM = -50,
  ENG_GUI_STATUS_MENU_ITEM_NOT_FOUND = -5622,
};

// clang-format off

// X(return type, name, (parameters), (arguments), answer when the module cannot be loaded):
// what GTK cannot start gives too. The program's twin of each forwards to the module.
#define ENG_GUI_MODULE_CALLS(X) \
  X(char, EngGuiInit_MAC, (), (), 0) \
  X(char, EngGuiLoadNIB_MAC, (const char *name, EngGuiNibRef *nib), (name, nib), 0) \
  X(void, EngGuiReleaseNIB_MAC, (EngGuiNibRef nib), (nib), void()) \
  X(char, EngGuiLoadMenuFromNIB_MAC, (const char *name), (name), 0) \
  X(char, EngGuiLoadDialogFromNib_MAC, (const char *file, const char *window_name, EngGuiEventHandler handler, char run, EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window), (file, window_name, handler, run, handler_ref, window), 0) \
  X(char, EngGuiLoadAndRunDialogFromNib_MAC, (const char *file, const char *window_name, EngGuiEventHandler handler, EngGuiWindowRef *window), (file, window_name, handler, window), 0) \
  X(char, EngGuiDoDialog_MAC, (EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window, char modal_for_window, char destroy_after), (handler_ref, window, modal_for_window, destroy_after), 0) \
  X(void, EngGuiDestroyDialog_MAC, (EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window), (handler_ref, window), void()) \
  X(void, EngGuiSetWindowTitle_MAC, (EngGuiWindowRef window, const char *title), (window, title), void()) \
  X(void, EngGuiQuitDialogLoop_MAC, (EngGuiWindowRef window), (window), void()) \
  X(char, EngGuiCreateWindow_MAC, (int x, int y, int width, int height, EngGuiEventHandler handler, void *user, EngGuiWindowRef *window), (x, y, width, height, handler, user, window), 0) \
  X(void, EngGuiShowWindow_MAC, (EngGuiWindowRef window), (window), void()) \
  X(void, EngGuiActivateWindow_MAC, (EngGuiWindowRef window, char active), (window, active), void()) \
  X(EngGuiControlRef, EngGuiCreateControl_MAC, (EngGuiWindowRef window, _EngGuiControlKind kind, int x, int y, int width, int height), (window, kind, x, y, width, height), nullptr) \
  X(void, EngGuiMoveControl_MAC, (EngGuiControlRef control, int x, int y), (control, x, y), void()) \
  X(void, EngGuiSizeControl_MAC, (EngGuiControlRef control, int width, int height), (control, width, height), void()) \
  X(void, EngGuiSetControlCommandID_MAC, (EngGuiControlRef control, EngUInt32 command), (control, command), void()) \
  X(EngUInt32, EngGuiGetControlCommandID_MAC, (EngGuiControlRef control), (control), 0) \
  X(void, EngGuiSetDefaultButton_MAC, (EngGuiWindowRef window, EngGuiControlRef control), (window, control), void()) \
  X(char, EngGuiSetTextAlignment_MAC, (EngGuiControlRef control, int align), (control, align), 0) \
  X(char, EngGuiRunWindowLoop_MAC, (EngGuiWindowRef window), (window), 0) \
  X(char, EngGuiProcessOneEvent_MAC, (EngGuiWindowRef window), (window), 0) \
  X(char, EngGuiDoesControlExist_MAC, (EngGuiWindowRef window, EngUInt32 signature, EngInt32 id), (window, signature, id), 0) \
  X(char, EngGuiGetControl_MAC, (EngGuiWindowRef window, EngUInt32 signature, EngInt32 id, EngGuiControlRef *control), (window, signature, id, control), 0) \
  X(void, EngGuiEnableControl_MAC, (EngGuiControlRef control, char on), (control, on), void()) \
  X(void, EngGuiDisableControl_MAC, (EngGuiControlRef control), (control), void()) \
  X(void, EngGuiShowControl_MAC, (EngGuiControlRef control, char show), (control, show), void()) \
  X(void, EngGuiHideControl_MAC, (EngGuiControlRef control), (control), void()) \
  X(char, EngGuiIsControlEnabled_MAC, (EngGuiControlRef control), (control), 0) \
  X(char, EngGuiIsControlVisible_MAC, (EngGuiControlRef control), (control), 0) \
  X(void, EngGuiCheckButton_MAC, (EngGuiControlRef control, char on), (control, on), void()) \
  X(char, EngGuiIsButtonChecked_MAC, (EngGuiControlRef control), (control), 0) \
  X(EngInt32, EngGuiGetControlValue_MAC, (EngGuiControlRef control), (control), 0) \
  X(void, EngGuiSetControlValue_MAC, (EngGuiControlRef control, EngInt32 value), (control, value), void()) \
  X(void, EngGuiGetControlRange_MAC, (EngGuiControlRef control, EngInt32 *minimum, EngInt32 *maximum), (control, minimum, maximum), void()) \
  X(void, EngGuiSetStaticTextString_MAC, (EngGuiControlRef control, const char *text), (control, text), void()) \
  X(int, EngGuiGetStaticTextString_MAC, (EngGuiControlRef control, char *buffer, int size), (control, buffer, size), 0) \
  X(void, EngGuiSetEditableTextString_MAC, (EngGuiControlRef control, const char *text), (control, text), void()) \
  X(void, EngGuiSetEditableTextString2_MAC, (EngGuiControlRef control, const char *text), (control, text), void()) \
  X(int, EngGuiGetEditableTextString_MAC, (EngGuiControlRef control, char *buffer, int size), (control, buffer, size), 0) \
  X(void, EngGuiSetEditableTextInt_MAC, (EngGuiControlRef control, int value), (control, value), void()) \
  X(int, EngGuiGetEditableTextInt_MAC, (EngGuiControlRef control), (control), -1) \
  X(void, EngGuiSetBevelButtonTextString_MAC, (EngGuiControlRef control, const char *text), (control, text), void()) \
  X(void, EngGuiSetBevelButtonTextAlignment, (EngGuiControlRef control, char align), (control, align), void()) \
  X(void, EngGuiSetRadioControlEntryTextString_MAC, (EngGuiControlRef control, int index, const char *text), (control, index, text), void()) \
  X(void, EngGuiCenterControlHorizontallyInWindow_MAC, (EngGuiWindowRef window, EngGuiControlRef control), (window, control), void()) \
  X(EngGuiControlRef, EngGuiGetSuperControl_MAC, (EngGuiControlRef control), (control), nullptr) \
  X(char, EngGuiGetControlBounds_MAC, (EngGuiControlRef control, int *left, int *top, int *right, int *bottom), (control, left, top, right, bottom), 0) \
  X(void, EngGuiGetControlSize_MAC, (EngGuiControlRef control, int *width, int *height), (control, width, height), void()) \
  X(char, EngGuiEmbedControlAt_MAC, (EngGuiControlRef control, EngGuiControlRef enclosing, int left, int top, int right, int bottom), (control, enclosing, left, top, right, bottom), 0) \
  X(int, EngGuiShowControlsWithCommand_MAC, (EngGuiWindowRef window, EngUInt32 command, char show), (window, command, show), 0) \
  X(char, EngGuiGetPopupButtonMenu_MAC, (EngGuiControlRef control, EngGuiMenuRef *menu), (control, menu), 0) \
  X(int, EngGuiGetPopupButtonMenuRef_MAC, (EngGuiControlRef control, EngGuiMenuRef *menu), (control, menu), -1) \
  X(int, EngGuiGetMenuCount_MAC, (EngGuiMenuRef menu), (menu), 0) \
  X(void, EngGuiResetMenu_MAC, (EngGuiMenuRef menu), (menu), void()) \
  X(void, EngGuiAddStringToMenu_MAC, (EngGuiMenuRef menu, const char *text), (menu, text), void()) \
  X(void, EngGuiGetMenuItemString_MAC, (EngGuiMenuRef menu, int index, char *buffer, int size), (menu, index, buffer, size), void()) \
  X(void, EngGuiGetPopupMenuCurrentText_MAC, (EngGuiMenuRef menu, EngGuiControlRef control, char *buffer, int size), (menu, control, buffer, size), void()) \
  X(void, EngGuiSetPopupControlCurrentSelection_MAC, (EngGuiControlRef control, int selection), (control, selection), void()) \
  X(int, EngGuiGetPopupControlCurrentSelection_MAC, (EngGuiControlRef control), (control), -1) \
  X(int, EngGuiSyncPopupButtonToMenu_MAC, (EngGuiControlRef control), (control), -1) \
  X(void, EngGuiSetPopupMenuAsNotAvailable_MAC, (EngGuiWindowRef window, EngUInt32 signature, EngInt32 id), (window, signature, id), void()) \
  X(void, EngGuiSetMenuTitleText_MAC, (EngGuiMenuRef menu, const char *text), (menu, text), void()) \
  X(void, EngGuiSetMenuItemText_MAC, (EngGuiMenuRef menu, int item, const char *text), (menu, item, text), void()) \
  X(void, EngGuiEnableMenuItemUsingCommandId_MAC, (EngGuiMenuRef menu, EngUInt32 command, char on), (menu, command, on), void()) \
  X(void, EngGuiCheckMenuItemUsingCommandId_MAC, (EngGuiMenuRef menu, EngUInt32 command, char on), (menu, command, on), void()) \
  X(EngGuiImageRef, EngGuiCreateCGImageFromBundleResource, (const char *file, const _TexCoords *coords), (file, coords), nullptr) \
  X(void, EngGuiReleaseImage_MAC, (EngGuiImageRef image), (image), void()) \
  X(void, EngGuiGetImageSize_MAC, (EngGuiImageRef image, int *width, int *height), (image, width, height), void()) \
  X(char, EngGuiSetHiViewControlsPicture_MAC, (EngGuiControlRef control, const char *file, const _TexCoords *coords), (control, file, coords), 0) \
  X(EngGuiControlRef, EngGuiCreateHiViewPictureControl_MAC, (EngGuiWindowRef window, int left, int top, int right, int bottom, const char *file, const _TexCoords *coords), (window, left, top, right, bottom, file, coords), nullptr) \
  X(void, EngGuiGetPictureSize_MAC, (EngGuiControlRef control, int *width, int *height), (control, width, height), void()) \
  X(EngGuiControlRef, EngGuiTestFindObject_MAC, (EngGuiWindowRef window, const char *object_id), (window, object_id), nullptr) \
  X(EngGuiControlRef, EngGuiTestGetCreatedControl_MAC, (EngGuiWindowRef window, int n), (window, n), nullptr) \
  X(void, EngGuiTestClick_MAC, (EngGuiControlRef control), (control), void()) \
  X(void, EngGuiTestChoose_MAC, (EngGuiControlRef control, int index), (control, index), void()) \
  X(void, EngGuiTestTypeText_MAC, (EngGuiControlRef control, const char *text), (control, text), void()) \
  X(void, EngGuiTestPressCloseBox_MAC, (EngGuiWindowRef window), (window), void()) \
  X(void, EngGuiTestPressKey_MAC, (EngGuiWindowRef window, char key, char control_held), (window, key, control_held), void()) \
  X(char, EngGuiTestSaveScreenshot_MAC, (EngGuiWindowRef window, const char *png_path), (window, png_path), 0)

// Module state the program hands on or asks for only once the module is loaded.
#define ENG_GUI_MODULE_STATE_CALLS(X) \
  X(void, EngGuiSetTestDriver_MAC, (EngGuiTestDriver driver, void *user), (driver, user), void()) \
  X(void, EngGuiResetForTests, (), (), void()) \
  X(int, EngGuiTestGetNumWindowsShown_MAC, (), (), 0)

// The engine calls the module makes (besides DebugErrorAlt and DebugInfo, which take a format).
#define ENG_GUI_MODULE_IMPORTS(X) \
  X(void, DebugStandardError, (const char *signature, _DebugStandardErrorNumber code), (signature, code)) \
  X(char, EngFileExists, (const char *path, char report), (path, report)) \
  X(std::string, EngLatin1ToUtf8_MAC, (const char *text), (text)) \
  X(std::string, EngUtf8ToLatin1_MAC, (const char *text), (text)) \
  X(char, EngMiscQuitRequested_MAC, (), ()) \
  X(const char *, EngLanguagesGetStringIfExists, (const char *token, const char *default_text), (token, default_text)) \
  X(char, EngGuiIsNonInteractive_MAC, (), ()) \
  X(char, EngGuiIsReturnCodeOk_MAC, (const char *name, EngInt32 status), (name, status))

// clang-format on

#define ENG_GUI_MODULE_MEMBER(ret, name, params, ...) ret(*name) params;

struct EngGuiModuleImports {
  void (*DebugErrorAlt)(const char *signature, const char *format, ...);
  void (*DebugInfo)(const char *format, ...);
  ENG_GUI_MODULE_IMPORTS(ENG_GUI_MODULE_MEMBER)
};

struct EngGuiModuleCalls {
  ENG_GUI_MODULE_CALLS(ENG_GUI_MODULE_MEMBER)
  ENG_GUI_MODULE_STATE_CALLS(ENG_GUI_MODULE_MEMBER)
};

// The module's one exported function: its calls, given the program's (null when the two tables'
// sizes show the module was built from other sources).
#define ENG_GUI_MODULE_OPEN "EngGuiModuleOpen"
typedef const EngGuiModuleCalls *(*EngGuiModuleOpenFunction)(const EngGuiModuleImports *imports, size_t imports_size,
                                                             size_t calls_size);
