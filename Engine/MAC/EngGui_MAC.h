// Native dialog windows over GTK 3: dialogs loaded from GtkBuilder files ("<name>.ui" in the
// resources) or built in code on a fixed layout, their controls, popup menus, texts and pictures.
// Texts cross this interface as ISO 8859-1; no GTK type shows here.
#pragma once

#include "Engine/EngTypes.h"

struct _TexCoords;
struct _EngGuiDialog;
struct _EngGuiNib;
struct _EngGuiControl;
struct _EngGuiImage;

// A dialog window (its builder, its widget, its handler and its loop), a loaded interface file,
// a control (a GTK widget), a popup's menu (the popup itself) and a picture.
typedef _EngGuiDialog *EngGuiWindowRef;
typedef _EngGuiDialog *EngGuiHandlerRef;
typedef _EngGuiNib *EngGuiNibRef;
typedef _EngGuiControl *EngGuiControlRef;
typedef _EngGuiControl *EngGuiMenuRef;
typedef _EngGuiImage *EngGuiImageRef;

// Event classes and kinds handed to a window's handler.
enum : EngUInt32 {
  ENG_GUI_CLASS_COMMAND = EngFourCC("cmds"),
  ENG_GUI_CLASS_WINDOW = EngFourCC("wind"),
  ENG_GUI_CLASS_KEYBOARD = EngFourCC("keyb"),
  ENG_GUI_KIND_COMMAND_PROCESS = 1,
  ENG_GUI_KIND_KEY_DOWN = 1,
  ENG_GUI_KIND_WINDOW_CLOSE = 72,
};
// A handler's answer: 0 handled, or not handled (the standard handling goes on: a close that
// no handler takes ends the window's loop).
enum : EngInt32 { ENG_GUI_NOT_HANDLED = -9874 };
enum : EngUInt32 { ENG_GUI_MODIFIER_CONTROL = 1 };

struct _EngGuiEvent {
  EngUInt32 event_class;
  EngUInt32 kind;
  EngUInt32 command;  // command events: the control's command (its `name`, or one set in code)
  EngGuiControlRef control;
  EngUInt32 key;        // key events: the character, lower case
  EngUInt32 modifiers;  // ENG_GUI_MODIFIER_*
};
typedef EngInt32 (*EngGuiEventHandler)(EngGuiWindowRef window, const _EngGuiEvent *event, void *user);

// GTK starts once (the "C" number format kept); 0 when there is no display.
char EngGuiInit_MAC();

// Dialogs
char EngGuiLoadNIB_MAC(const char *name, EngGuiNibRef *nib);
void EngGuiReleaseNIB_MAC(EngGuiNibRef nib);
char EngGuiLoadMenuFromNIB_MAC(const char *name);
char EngGuiLoadDialogFromNib_MAC(const char *file, const char *window_name, EngGuiEventHandler handler, char run,
                                 EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window);
char EngGuiLoadAndRunDialogFromNib_MAC(const char *file, const char *window_name, EngGuiEventHandler handler,
                                       EngGuiWindowRef *window);
char EngGuiDoDialog_MAC(EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window, char modal_for_window,
                        char destroy_after);
void EngGuiDestroyDialog_MAC(EngGuiHandlerRef *handler_ref, EngGuiWindowRef *window);
void EngGuiSetWindowTitle_MAC(EngGuiWindowRef window, const char *title);
char EngGuiIsReturnCodeOk_MAC(const char *name, EngInt32 status);
// Ends the loop that runs the window (the modal or the application loop).
void EngGuiQuitDialogLoop_MAC(EngGuiWindowRef window);

// Windows built in code: a modal window whose content is a fixed layout of controls at pixel
// places; its handler gets commands, the close box and key presses.
enum _EngGuiControlKind {
  ENG_GUI_STATIC_TEXT = 1,
  ENG_GUI_PUSH_BUTTON = 2,
  ENG_GUI_EDIT_TEXT = 3,
  ENG_GUI_POPUP = 6,
  ENG_GUI_PICTURE = 7,
};
char EngGuiCreateWindow_MAC(int x, int y, int width, int height, EngGuiEventHandler handler, void *user,
                            EngGuiWindowRef *window);
void EngGuiShowWindow_MAC(EngGuiWindowRef window);
void EngGuiActivateWindow_MAC(EngGuiWindowRef window, char active);
EngGuiControlRef EngGuiCreateControl_MAC(EngGuiWindowRef window, _EngGuiControlKind kind, int x, int y, int width,
                                         int height);
void EngGuiMoveControl_MAC(EngGuiControlRef control, int x, int y);
void EngGuiSizeControl_MAC(EngGuiControlRef control, int width, int height);
void EngGuiSetControlCommandID_MAC(EngGuiControlRef control, EngUInt32 command);
EngUInt32 EngGuiGetControlCommandID_MAC(EngGuiControlRef control);
void EngGuiSetDefaultButton_MAC(EngGuiWindowRef window, EngGuiControlRef control);
// 0 left, 1 centre, 2 right.
char EngGuiSetTextAlignment_MAC(EngGuiControlRef control, int align);
// Runs the window's loop until its handler (or EngGuiQuitDialogLoop_MAC) ends it.
char EngGuiRunWindowLoop_MAC(EngGuiWindowRef window);
// Handles one waiting event without blocking: 0 none was waiting, 1 one was handled. A
// non-interactive run presses the window's close box instead.
char EngGuiProcessOneEvent_MAC(EngGuiWindowRef window);

// Controls, found by (signature, id): the builder object "<signature without trailing blanks>-<id>".
char EngGuiDoesControlExist_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id);
char EngGuiGetControl_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id, EngGuiControlRef *control);
void EngGuiEnableControl_MAC(EngGuiControlRef control, char on);
void EngGuiDisableControl_MAC(EngGuiControlRef control);
void EngGuiShowControl_MAC(EngGuiControlRef control, char show);
void EngGuiHideControl_MAC(EngGuiControlRef control);
char EngGuiIsControlEnabled_MAC(EngGuiControlRef control);
char EngGuiIsControlVisible_MAC(EngGuiControlRef control);
void EngGuiCheckButton_MAC(EngGuiControlRef control, char on);
char EngGuiIsButtonChecked_MAC(EngGuiControlRef control);
// A control's 32-bit value: a popup's selection + 1, a radio group's active index + 1, a check
// button's state; and the range a popup was synchronised to.
EngInt32 EngGuiGetControlValue_MAC(EngGuiControlRef control);
void EngGuiSetControlValue_MAC(EngGuiControlRef control, EngInt32 value);
void EngGuiGetControlRange_MAC(EngGuiControlRef control, EngInt32 *minimum, EngInt32 *maximum);
void EngGuiSetStaticTextString_MAC(EngGuiControlRef control, const char *text);
// Copies the text, always ended, into at most size bytes: 1 when it fitted, -1 when cut, 0 for
// a null control or buffer or a size below 1.
int EngGuiGetStaticTextString_MAC(EngGuiControlRef control, char *buffer, int size);
void EngGuiSetEditableTextString_MAC(EngGuiControlRef control, const char *text);
void EngGuiSetEditableTextString2_MAC(EngGuiControlRef control, const char *text);
int EngGuiGetEditableTextString_MAC(EngGuiControlRef control, char *buffer, int size);
void EngGuiSetEditableTextInt_MAC(EngGuiControlRef control, int value);
int EngGuiGetEditableTextInt_MAC(EngGuiControlRef control);
void EngGuiSetBevelButtonTextString_MAC(EngGuiControlRef control, const char *text);
void EngGuiSetBevelButtonTextAlignment(EngGuiControlRef control, char align);
void EngGuiSetRadioControlEntryTextString_MAC(EngGuiControlRef control, int index, const char *text);
void EngGuiCenterControlHorizontallyInWindow_MAC(EngGuiWindowRef window, EngGuiControlRef control);
// The control that encloses a control, or null; and a control's rectangle in it (its position
// in a fixed layout, its asked-for or natural size): 0 and nothing written when it lies in none.
EngGuiControlRef EngGuiGetSuperControl_MAC(EngGuiControlRef control);
char EngGuiGetControlBounds_MAC(EngGuiControlRef control, int *left, int *top, int *right, int *bottom);
void EngGuiGetControlSize_MAC(EngGuiControlRef control, int *width, int *height);
// Puts a control into an enclosing fixed layout (taking it from where it was) at a rectangle in
// the layout's coordinates; 0 when the enclosing control is not a fixed layout.
char EngGuiEmbedControlAt_MAC(EngGuiControlRef control, EngGuiControlRef enclosing, int left, int top, int right,
                              int bottom);
// Shows or hides every control of a dialog from a file that sends the command; the count of them.
int EngGuiShowControlsWithCommand_MAC(EngGuiWindowRef window, EngUInt32 command, char show);

// Popup menus (selections are 0-based here; the control's value is selection + 1).
char EngGuiGetPopupButtonMenu_MAC(EngGuiControlRef control, EngGuiMenuRef *menu);
int EngGuiGetPopupButtonMenuRef_MAC(EngGuiControlRef control, EngGuiMenuRef *menu);
int EngGuiGetMenuCount_MAC(EngGuiMenuRef menu);
void EngGuiResetMenu_MAC(EngGuiMenuRef menu);
void EngGuiAddStringToMenu_MAC(EngGuiMenuRef menu, const char *text);
void EngGuiGetMenuItemString_MAC(EngGuiMenuRef menu, int index, char *buffer, int size);
void EngGuiGetPopupMenuCurrentText_MAC(EngGuiMenuRef menu, EngGuiControlRef control, char *buffer, int size);
void EngGuiSetPopupControlCurrentSelection_MAC(EngGuiControlRef control, int selection);
int EngGuiGetPopupControlCurrentSelection_MAC(EngGuiControlRef control);
int EngGuiSyncPopupButtonToMenu_MAC(EngGuiControlRef control);
void EngGuiSetPopupMenuAsNotAvailable_MAC(EngGuiWindowRef window, EngUInt32 signature, EngInt32 id);
// The title is the label whose builder id is the popup's with "-title" appended.
void EngGuiSetMenuTitleText_MAC(EngGuiMenuRef menu, const char *text);
void EngGuiSetMenuItemText_MAC(EngGuiMenuRef menu, int item, const char *text);
void EngGuiEnableMenuItemUsingCommandId_MAC(EngGuiMenuRef menu, EngUInt32 command, char on);
void EngGuiCheckMenuItemUsingCommandId_MAC(EngGuiMenuRef menu, EngUInt32 command, char on);

// Pictures: files in the resources (the working folder), cropped to the coordinates when given.
EngGuiImageRef EngGuiCreateCGImageFromBundleResource(const char *file, const _TexCoords *coords);
void EngGuiReleaseImage_MAC(EngGuiImageRef image);
void EngGuiGetImageSize_MAC(EngGuiImageRef image, int *width, int *height);
char EngGuiSetHiViewControlsPicture_MAC(EngGuiControlRef control, const char *file, const _TexCoords *coords);
EngGuiControlRef EngGuiCreateHiViewPictureControl_MAC(EngGuiWindowRef window, int left, int top, int right,
                                                      int bottom, const char *file, const _TexCoords *coords);
// The picture an image view shows: its size, 0 x 0 when empty.
void EngGuiGetPictureSize_MAC(EngGuiControlRef control, int *width, int *height);

// Non-interactive runs (QUARRELWICK_NONINTERACTIVE) show no window: a dialog's loop is answered
// with its default button's command (else its close box), a code-built window's with its close box.
char EngGuiIsNonInteractive_MAC();

// Tests: a driver called once inside the loop of each window shown, with the window and its name
// ("" for one built in code), that works the real widgets with the calls below as a person would.
// A window still open when the driver returns gets its close box pressed.
typedef void (*EngGuiTestDriver)(EngGuiWindowRef window, const char *window_name, void *user);
void EngGuiSetTestDriver_MAC(EngGuiTestDriver driver, void *user);
// The control under a builder id ("RES-13", "LIOK"), or null.
EngGuiControlRef EngGuiTestFindObject_MAC(EngGuiWindowRef window, const char *object_id);
// The n-th control (0-based) of a window built in code, in order of creation.
EngGuiControlRef EngGuiTestGetCreatedControl_MAC(EngGuiWindowRef window, int n);
void EngGuiTestClick_MAC(EngGuiControlRef control);
// Chooses a popup's item or turns a radio group's button on.
void EngGuiTestChoose_MAC(EngGuiControlRef control, int index);
void EngGuiTestTypeText_MAC(EngGuiControlRef control, const char *text);
void EngGuiTestPressCloseBox_MAC(EngGuiWindowRef window);
void EngGuiTestPressKey_MAC(EngGuiWindowRef window, char key, char control_held);
// Lets the window draw, then writes what it shows as PNG.
char EngGuiTestSaveScreenshot_MAC(EngGuiWindowRef window, const char *png_path);
int EngGuiTestGetNumWindowsShown_MAC();
void EngGuiResetForTests();
