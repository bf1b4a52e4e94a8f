// The toolkit root's popup state: the shown popup's collection, window, widgets and result
// callback, what the popup turned off to be modal, and the style and size settings that shape
// later popups (some of them for the next popup only).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinTypes.h"

class MWinPanel;

// The program-wide "good" and "error" text colours; the game may change them.
extern _ColourRGBA eng_good_colour;
extern _ColourRGBA eng_bad_colour;

// Runs after the popup has closed: the root, the result and the caller's user pointer.
typedef void (*MWIN_POPUP_CALLBACK)(MWin *mwin, char result, void *user);
// The list popup's selection changes: the root, the item and the caller's user pointer.
typedef void (*MWIN_POPUP_SEL_CB)(MWin *mwin, int item, void *user);
typedef int *MWIN_POPUP_INT_P;

// Button kinds: first button 0 none, 1 "OK", 2 "Yes"; Cancel slot 0 none, 1 "Cancel", 2 "No".
enum : char { MWIN_POPUP_NONE = 0, MWIN_POPUP_OK = 1, MWIN_POPUP_YES = 2 };
enum : char { MWIN_POPUP_CANCEL = 1, MWIN_POPUP_NO = 2 };

struct _MWinPopupState {
  char on = 0;
  signed char saved_activate_collection = -1;  // -1 while no popup saved it
  signed char menu_disabled = -1;              // 1 when this popup switched the menu bar off
  char dont_darken_next = 0;
  double auto_close_time = 0;
  MWIN_POPUP_CALLBACK callback = nullptr;
  void *user = nullptr;
  MWinCollection *collection = nullptr;
  MWinWindow *window = nullptr;
  MWinButton *msg = nullptr, *ok = nullptr, *cancel = nullptr, *no = nullptr, *extra = nullptr;
  MWinPanel *panel = nullptr;
  MWIN_POPUP_SEL_CB sel_callback = nullptr;
  MWinButton *script = nullptr;
  // What was active when the popup opened, by ids, to be made active again on closing.
  std::vector<std::string> active_collections;
  std::vector<std::pair<std::string, std::string>> active_windows;

  // Style and sizes.
  MWinID ids[5] = {};  // window texture buttons (2), window font, button texture button, button font
  float button_text_colour[4] = {};
  float button_text_scale[2] = {};
  float title_text_colour[4] = {};
  float title_text_scale[2] = {};
  float min_box_w[2] = {}, max_box_w[2] = {};  // per orientation: 0 portrait, 1 landscape
  float desktop_defaults[4] = {};         // min box w, max box w, button w, button h
  float phone_defaults[8] = {};           // portrait four, then landscape four
  float tablet_defaults[8] = {};
  float default_button_w_mobile[2] = {}, default_button_w_desktop[2] = {}, button_w[2] = {}, button_h[2] = {};
  float next_w = 0, next_h = 0;
  signed char colour_mode = 0;  // 1 good colours, -1 error colours, for the next popup
  _MWinTextAlign title_align = MWIN_ALIGN_LEFT;
  char texts[4][64] = {};  // replacement texts: OK/Yes, Cancel, No, Extra
};

// The popup buttons' plain callbacks; the user pointer is the root.
void MWinPopupOkCallback(void *mwin);
void MWinPopupNoCallback(void *mwin);
void MWinPopupCancelCallback(void *mwin);
void MWinPopupExtraCallback(void *mwin);
