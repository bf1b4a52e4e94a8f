// The toolkit's shared small types: the identifier, the numbered settings and events, the
// callback signatures and the record a widget's callback receives. Classes are only declared
// here; each lives in its own file pair.
#pragma once

#include "Engine/EngTypes.h"

class MWin;
class MWinDesktop;
class MWinCollection;
class MWinWindow;
class MWinGroup;
class MWinButton;
class MWinHorzScrollbar;
class MWinVertScrollbar;
class MWinScriptButton;
class MWinTextures;
class MWinFonts;
class MWinScreens;
class MWinCollectionController;
class EngTexture;
class Game;

// A NUL-terminated name of at most 31 characters; empty means no id.
typedef char MWinID[32];
constexpr int MWIN_ID_SIZE = 32;

enum _MWinClearMethod : EngInt32 {
  MWIN_CLEAR_NONE = 0,
  MWIN_CLEAR_COLOUR = 1,
  MWIN_CLEAR_COLOUR_AND_DEPTH = 2,
  MWIN_CLEAR_BACKGROUND_TEXTURE = 3,
};

enum _MWinSoundEvent : EngInt32 {
  MWIN_SOUND_PRESS = 0,
  MWIN_SOUND_KEY_OR_SCROLL = 1,
  MWIN_SOUND_SELECTION_CHANGED = 2,
  MWIN_SOUND_ONTO_BUTTON = 3,
};

enum _MWinTextAlign : EngInt32 { MWIN_ALIGN_LEFT = 0, MWIN_ALIGN_CENTRE = 1, MWIN_ALIGN_RIGHT = 2 };

enum _MWinMessageNum : EngInt32 { MWIN_MSG_CALL_CALLBACK = 0 };

enum _MWinTextureState : EngInt32 {
  MWIN_TEXSTATE_NORMAL = 0,
  MWIN_TEXSTATE_HIGHLIGHTED = 1,
  MWIN_TEXSTATE_PRESSED = 2,
  MWIN_TEXSTATE_DISABLED = 3,
};

enum _MWinRenderStage : EngInt32 { MWIN_RENDER_STAGE_0 = 0, MWIN_RENDER_STAGE_1 = 1, MWIN_RENDER_STAGE_2 = 2 };

// Type 1 is modal: drawn after the others and keeping input to itself while visible.
enum _MWinWindowType : EngInt32 { MWIN_WINDOW_NORMAL = 0, MWIN_WINDOW_MODAL = 1 };

enum _MWinButtonType : EngInt32 {
  MWIN_BUTTON_INVALID = -1,
  MWIN_BUTTON_WINDOW_OWN = 0,
  MWIN_BUTTON_PUSH = 1,
  MWIN_BUTTON_STATIC = 2,
  MWIN_BUTTON_TEXT_EDIT = 3,
  MWIN_BUTTON_HORZ_SCROLLBAR = 4,
  MWIN_BUTTON_VERT_SCROLLBAR = 5,
  MWIN_BUTTON_LIST = 6,
  MWIN_BUTTON_CHECKBOX = 7,
  MWIN_BUTTON_CHOICE = 8,
  MWIN_BUTTON_PANEL = 9,
  MWIN_BUTTON_COLOUR = 10,
  MWIN_BUTTON_PIE = 11,
  MWIN_BUTTON_GRAPH = 12,
  MWIN_BUTTON_DRAG = 13,
  MWIN_BUTTON_TAB_PANEL = 14,
  MWIN_BUTTON_RANGE = 15,
  MWIN_BUTTON_FRAME = 16,
  MWIN_NUM_BUTTON_TYPES = 17,
};

struct _MWinButtonCallbackInfo {
  MWinID button_id;
  MWinID window_id;
  MWinButton *button;
  EngUInt8 text_edit_status;
  EngUInt8 scrollbar_flag;
  double scrollbar_pos;
  EngUInt8 list_event;
  EngInt32 list_pos;
  EngUInt8 checkbox_state;
  EngInt32 choice_entry;
  EngUInt8 choice_event;
  EngInt32 panel_reason;
  EngInt32 panel_item;
  EngUInt8 panel_flag;
  EngUInt8 colour_flag;
  EngInt32 tab_row;
  EngUInt8 tab_flags[3];
  EngUInt8 range_flag;
};

typedef void (*MWIN_BUTTON_CB)(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b);
typedef void (*MWIN_BUTTON_CB_2)(MWin *mwin, _MWinButtonCallbackInfo *info, int a, int b, void *user);
typedef void (*MWIN_BUTTON_PLAIN_CB)();
typedef void (*MWIN_BUTTON_PLAIN_CB_2)(void *user);
// Entry texts for choices, drop-down lists, panels and the list popup.
typedef const ENG_CHAR *(*MWIN_STR_CB)(int entry, MWinButton *button, void *user);
typedef void (*MWIN_SOUND_CB)(_MWinSoundEvent event, void *user);
typedef void (*MWIN_CURSOR_CB)(int *x, int *y, void *a, void *b);
// Gives a choice, drop-down list, panel or list popup the text of one entry.
typedef const char *(*MWIN_STR_CB)(int entry, MWinButton *button, void *user);
