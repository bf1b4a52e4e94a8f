#include "screens/ScreenLayout.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinCollectionController.h"
#include "Engine/MWin/MWinColour.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFrameButton.h"
#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinScreens.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinVertScrollbar.h"
#include "Engine/MWin/MWinWindow.h"

static std::string fail_widget_for_tests;

void ScreenLayoutFailWidgetForTests(const char *id) { fail_widget_for_tests = id ? id : ""; }

const ScreenLayoutWidget *ScreenLayoutGetWidget(const ScreenLayoutWindow &window, int n, _EngLayout layout) {
  if (n < 0 || n >= window.num_widgets) return nullptr;
  const ScreenLayoutWidget *row = &window.widgets[n];
  if (layout < 0 || layout >= ENG_NUM_LAYOUTS) return row;
  for (int v = 0; v < window.num_variants; v++) {
    const ScreenLayoutVariant &variant = window.variants[v];
    if ((variant.layouts & (1 << layout)) && strcmp(variant.widget.id, window.widgets[n].id) == 0)
      row = &variant.widget;
  }
  return row;
}

_EngLayout ScreenLayoutChooseBuilder(const ScreenLayout &layout, _EngLayout root_layout) {
  if (root_layout >= ENG_LAYOUT_PHONE_PORTRAIT && root_layout <= ENG_LAYOUT_TABLET_LANDSCAPE) return root_layout;
  return layout.has_normal ? ENG_LAYOUT_DESKTOP : ENG_LAYOUT_PHONE_PORTRAIT;
}

char ScreenLayoutBuildCollection(const char *signature, MWin *mwin,
                                 const std::function<MWinCollection *(MWin *, MWinDesktop *)> &add_to_desktop) {
  if (!mwin) {
    DebugErrorAlt(signature, "No mwinp");
    return 0;
  }
  return add_to_desktop(mwin, mwin->GetDesktop()) ? 1 : 0;
}

MWinCollection *ScreenLayoutBuildCollectionOnDesktop(
    const char *signature, const ScreenLayout &layout, MWin *mwin, MWinDesktop *desktop, MWinCollection **member,
    const std::function<void(MWinCollection *, _EngLayout)> &add_windows) {
  *member = nullptr;
  if (!mwin) {
    DebugErrorAlt(signature, "No mwinp");
    return nullptr;
  }
  if (!desktop) desktop = mwin->GetDesktop();
  if (!desktop) {
    DebugErrorAlt(signature, "Could not get default desktop");
    return nullptr;
  }
  MWinCollection *collection = desktop->AddCollection(layout.collection);
  if (!collection) {
    DebugErrorAlt(signature, "Could not create collection <%s>", layout.collection);
    return nullptr;
  }
  collection->SetScreenLayout(mwin->GetScreenLayout());
  // A window that fails is reported by its builder; the collection is kept all the same.
  add_windows(collection, ScreenLayoutChooseBuilder(layout, mwin->GetScreenLayout()));
  *member = collection;
  return collection;
}

static void FillRecord(const ScreenLayoutWindow &table, _EngLayout device, _MWinWindowCreateInfo *info) {
  memset(info, 0, sizeof(*info));
  const ScreenLayoutWindowRecord &r = table.record;
  const _Dimension &area = table.area[device];
  info->window_type = r.window_type;
  info->x = area.x;
  info->y = area.y;
  info->width = area.width;
  info->height = area.height;
  info->move_mode = r.move_mode;
  info->has_hide_button = r.has_hide_button;
  info->has_extra_button = r.has_extra_button;
  info->has_title_bar = r.has_title_bar;
  EngSafeStrcpy(info->title_text, r.title, sizeof(info->title_text));
  EngSafeStrcpy(info->title_texbut, r.title_texbut, sizeof(info->title_texbut));
  EngSafeStrcpy(info->back_texbut, r.back_texbut, sizeof(info->back_texbut));
  EngSafeStrcpy(info->title_font, r.title_font, sizeof(info->title_font));
  EngSafeStrcpy(info->hide_button_text, r.hide_text, sizeof(info->hide_button_text));
  EngSafeStrcpy(info->hide_button_texbut, r.hide_texbut, sizeof(info->hide_button_texbut));
  EngSafeStrcpy(info->extra_button_text, r.extra_text, sizeof(info->extra_button_text));
  EngSafeStrcpy(info->extra_button_texbut, r.extra_texbut, sizeof(info->extra_button_texbut));
  // The window shows a token's text in place of its own even when the token is missing, so a
  // token only goes in when the texts have it: else the record's English stays.
  if (EngLangTokenExists(r.title_token))
    EngSafeStrcpy(info->title_lang_token, r.title_token, sizeof(info->title_lang_token));
  if (EngLangTokenExists(r.hide_token))
    EngSafeStrcpy(info->hide_button_lang_token, r.hide_token, sizeof(info->hide_button_lang_token));
  if (EngLangTokenExists(r.extra_token))
    EngSafeStrcpy(info->extra_button_lang_token, r.extra_token, sizeof(info->extra_button_lang_token));
}

MWinWindow *ScreenLayoutBuildWindow(const char *signature, const ScreenLayout &layout, int window, _EngLayout device,
                                    MWinCollection *collection, MWinWindow **member,
                                    MWinCollectionController *controller,
                                    const std::function<char(MWinWindow *)> &add_buttons) {
  *member = nullptr;
  if (window < 0 || window >= layout.num_windows || device < 0 || device >= ENG_NUM_LAYOUTS || !collection) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return nullptr;
  }
  const ScreenLayoutWindow &table = layout.windows[window];
  _MWinWindowCreateInfo info;
  FillRecord(table, device, &info);
  collection->SetScreenLayout(device);
  MWinWindow *made = collection->AddWindow(table.id, &info);
  *member = made;
  if (!made) {
    DebugErrorAlt(signature, "Could not add window");
    return nullptr;
  }
  made->SetTitleTextColour(table.title_colour.r, table.title_colour.g, table.title_colour.b, table.title_colour.a);
  made->SetTitleTextScale(table.title_scale.x, table.title_scale.y);
  made->SetTitleTextAlign(table.title_align);
  made->SetExtraSize(0, 0);
  if (!add_buttons(made)) DebugErrorAlt(signature, "Could not add buttons to window");
  made->SetController(controller);
  return made;
}

// The toolkit's adder for the widget's kind; null when it could not be added.
static MWinButton *AddWidget(MWinWindow *window, const ScreenLayoutWidget &w, const _Dimension &a) {
  if (!fail_widget_for_tests.empty() && fail_widget_for_tests == w.id) return nullptr;
  switch (w.kind) {
    case MWIN_BUTTON_HORZ_SCROLLBAR:
      return window->AddHorzScrollbar(w.id, w.texbut, w.text, a.x, a.y, a.width, a.height);
    case MWIN_BUTTON_DRAG:
      return window->AddScriptButton(w.id, w.texbut, a.x, a.y, a.width, a.height);
    case MWIN_BUTTON_GRAPH:
      return window->AddGraph(w.id, w.texbut, a.x, a.y, a.width, a.height);
    case MWIN_BUTTON_TAB_PANEL: return window->AddTabPanel(w.id, w.texbut, a.x, a.y, a.width, a.height);
    case MWIN_BUTTON_VERT_SCROLLBAR:
    case MWIN_BUTTON_COLOUR:
    case MWIN_BUTTON_FRAME: {
      // The window has no adders of its own for these kinds: its first group makes them.
      MWinGroup *group = window->GetFirstGroup();
      if (!group) {
        DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
        return nullptr;
      }
      if (w.kind == MWIN_BUTTON_VERT_SCROLLBAR)
        return group->AddVertScrollbar(w.id, w.texbut, w.text, a.x, a.y, a.width, a.height);
      if (w.kind == MWIN_BUTTON_COLOUR) return group->AddColour(w.id, w.texbut, w.text, a.x, a.y, a.width, a.height);
      return group->AddFrameButton(w.id, w.texbut, w.text, a.x, a.y, a.width, a.height);
    }
    default:
      return window->AddButton(w.id, w.kind, w.texbut, w.text, a.x, a.y, a.width, a.height);
  }
}

static void ApplySettings(MWinButton *button, const ScreenLayoutWidget &w, const char *collection) {
  button->SetFont(w.font);
  button->SetTextColour(w.text_colour.r, w.text_colour.g, w.text_colour.b, w.text_colour.a);
  button->SetTextScale(w.text_scale.x, w.text_scale.y);
  button->SetTextAlign(w.align);
  const ScreenLayoutSettings &s = w.settings;
  if (s.token_rule == 2 && s.token) {
    button->SetTextLanguageToken(s.token);
  } else if (s.token_rule == 1 && w.text && w.text[0]) {
    char token[64];
    snprintf(token, sizeof(token), "%s_%s", collection, w.id);
    button->SetTextLanguageToken(token);
  }
  if (s.has_colour) button->SetColour(s.colour.r, s.colour.g, s.colour.b, s.colour.a);
  if (s.hidden) button->Hide();
  if (s.label) button->SetLabelOnly(1);
}

char ScreenLayoutBuildWidgets(const char *signature, const ScreenLayout &layout, int window, _EngLayout device,
                              MWinWindow *target, MWinButton **const *members) {
  if (window < 0 || window >= layout.num_windows || device < 0 || device >= ENG_NUM_LAYOUTS) {
    DebugStandardError(signature, DEBUG_ERR_BAPA);
    return 0;
  }
  const ScreenLayoutWindow &table = layout.windows[window];
  for (int n = 0; n < table.num_widgets; n++) *members[n] = nullptr;
  if (!target) {
    DebugErrorAlt(signature, "No window");
    return 0;
  }
  char failed = 0;
  for (int n = 0; n < table.num_widgets; n++) {
    const ScreenLayoutWidget &row = *ScreenLayoutGetWidget(table, n, device);
    if (row.kind == MWIN_BUTTON_INVALID) continue;  // not made in this layout
    MWinButton *button = AddWidget(target, row, table.widget_areas[n][device]);
    *members[n] = button;
    if (!button) {
      failed = 1;
      continue;
    }
    ApplySettings(button, row, layout.collection);
  }
  if (failed) {
    DebugErrorAlt(signature, "Could not add button(s) to window");
    return 0;
  }
  return 1;
}

void ScreenLayoutSetScreensVar(MWinCollectionController *controller, MWinScreens *screens, char game_may_be_null) {
  MWin *mwin = screens ? screens->GetMWin() : nullptr;
  DebugAssertAlt(mwin ? 1 : 0, ENG_FUNC, "No mwinp");
  controller->m_screens = screens;
  controller->m_mwin = mwin;
  controller->m_game = mwin ? mwin->GetGame(game_may_be_null) : nullptr;
}
