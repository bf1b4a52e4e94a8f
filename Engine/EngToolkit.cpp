#include "Engine/EngToolkit.h"

static _EngToolkitHooks hooks = {};

void EngToolkitSetHooks(const _EngToolkitHooks *new_hooks) { hooks = new_hooks ? *new_hooks : _EngToolkitHooks{}; }

char EngToolkitIsOn(MWin *mwin) { return mwin && hooks.is_on ? hooks.is_on(mwin) : 0; }

char EngToolkitPopupIsOn(MWin *mwin) { return mwin && hooks.popup_is_on ? hooks.popup_is_on(mwin) : 0; }

char EngToolkitPopupOkCancel(MWin *mwin, const char *title, const char *text, EngToolkitOkCancelCB callback,
                             void *user_data) {
  if (!mwin || !hooks.popup_ok_cancel) return 0;
  hooks.popup_ok_cancel(mwin, title, text, callback, user_data);
  return 1;
}

char EngToolkitPopupNoticeShowItAndRemoveIt(MWin *mwin, const char *title, const char *text) {
  if (!mwin || !hooks.popup_notice_show_it_and_remove_it) return 0;
  return hooks.popup_notice_show_it_and_remove_it(mwin, title, text);
}

void EngToolkitSetScreenLayout(MWin *mwin, _EngLayout layout) {
  if (mwin && hooks.set_screen_layout) hooks.set_screen_layout(mwin, layout);
}

void EngToolkitUpdateOrientation(MWin *mwin) {
  if (mwin && hooks.update_orientation) hooks.update_orientation(mwin);
}
