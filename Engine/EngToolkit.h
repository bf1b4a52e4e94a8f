// What the engine asks of the UI toolkit root (MWin): is it on, is a popup showing, an
// OK/Cancel popup, a passing notice, the screen layout. The toolkit registers these hooks;
// the engine never includes toolkit headers and answers "off" while nothing is registered.
#pragma once

#include "Engine/EngLayouts.h"

class MWin;

// Called with the toolkit root, 1 for OK (anything else for Cancel) and the user data.
typedef void (*EngToolkitOkCancelCB)(MWin *mwin, EngInt32 answer, void *user_data);

struct _EngToolkitHooks {
  char (*is_on)(MWin *mwin);
  char (*popup_is_on)(MWin *mwin);
  void (*popup_ok_cancel)(MWin *mwin, const char *title, const char *text, EngToolkitOkCancelCB callback,
                          void *user_data);
  char (*popup_notice_show_it_and_remove_it)(MWin *mwin, const char *title, const char *text);
  void (*set_screen_layout)(MWin *mwin, _EngLayout layout);
  void (*update_orientation)(MWin *mwin);
};

// Null removes every hook.
void EngToolkitSetHooks(const _EngToolkitHooks *hooks);

char EngToolkitIsOn(MWin *mwin);
char EngToolkitPopupIsOn(MWin *mwin);
// 0 when no toolkit is registered to ask the question.
char EngToolkitPopupOkCancel(MWin *mwin, const char *title, const char *text, EngToolkitOkCancelCB callback,
                             void *user_data);
char EngToolkitPopupNoticeShowItAndRemoveIt(MWin *mwin, const char *title, const char *text);
void EngToolkitSetScreenLayout(MWin *mwin, _EngLayout layout);
void EngToolkitUpdateOrientation(MWin *mwin);
