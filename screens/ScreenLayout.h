// Screen layouts from data: one builder makes every generated screen layout (the screen's
// collection on the desktop, its windows for the device layout, their widgets and each
// widget's look) from the screen's tables, and reports each failure under the signature of the
// layout operation that asked. Behaviour stays in the screens' own controllers.
//
// Table format. A layout class `<Name>CollectionController` (screens/layouts/) holds, in a .cpp:
//   - one `ScreenLayoutWidget` row per widget, in builder order, with the desktop (Normal) values:
//       {id, kind, texture button, default text, font, text colour {r, g, b, a},
//        text scale {x, y}, align, settings}
//     kind is the toolkit's widget kind; 4 and 5 (scrollbars), 10 (colour picker), 12 (graph),
//     13 (script text box), 14 (tab panel) and 16 (frame) are made as their own classes, all
//     others with MWinWindow::AddButton. settings is ScreenText() (the text is shown through the language
//     token "<Collection>_<Id>" when it is not empty), ScreenPlaceholder() (a text the
//     behaviour class replaces: no token) or ScreenToken("Token"), each optionally followed by
//     .Colour(r, g, b, a), .Hidden() and .Label(); the builder applies token, colour and Hide in
//     that order, after font, text colour, scale and align. Label() marks a widget that is
//     there to be read or looked at (a label, a logo, a frame, a message) and shows nothing
//     under the pointer: Tab passes it by, though a click still reaches its screen.
//   - one row of five rectangles {x, y, w, h} per widget, layouts 0 to 4, same order;
//   - `ScreenLayoutVariant` rows for layouts 1 to 4 whose text, kind or settings differ:
//       {ScreenLayouts(1, 3, 4), {the whole widget row as those layouts build it}}
//     matched by widget id; the last matching variant wins; a row of kind
//     MWIN_BUTTON_INVALID is a widget those layouts do not make (its member stays null);
//   - one `ScreenLayoutWindow` per window (record, five window rectangles, title look, the
//     three tables above) and one `ScreenLayout` (collection name, windows).
// The layout class keeps its collection, window and widget pointers as named members, and its
// thirteen operations are one-line calls of the ScreenLayoutBuild... functions below; a class of
// one window built alike on every device layout has them, with its constructor, GetLayout and
// RemoveVars, from SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS.
#pragma once

#include <functional>

#include "Engine/EngLayouts.h"
#include "Engine/EngMathTypes.h"
#include "Engine/EngTypes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinTypes.h"

class MWinCollectionController;

enum { SCREEN_LAYOUT_MAX_WINDOWS = 4 };

// The further settings of one widget.
struct ScreenLayoutSettings {
  char token_rule;  // 0 none, 1 "<Collection>_<Id>" when the text is not empty, 2 the token below
  const char *token;
  char has_colour;
  _ColourRGBA colour;
  char hidden;
  char label;

  constexpr ScreenLayoutSettings Colour(float r, float g, float b, float a) const {
    return {token_rule, token, 1, {r, g, b, a}, hidden, label};
  }
  constexpr ScreenLayoutSettings Hidden() const { return {token_rule, token, has_colour, colour, 1, label}; }
  constexpr ScreenLayoutSettings Label() const { return {token_rule, token, has_colour, colour, hidden, 1}; }
};

constexpr ScreenLayoutSettings ScreenText() { return {1, nullptr, 0, {0, 0, 0, 0}, 0, 0}; }
constexpr ScreenLayoutSettings ScreenPlaceholder() { return {0, nullptr, 0, {0, 0, 0, 0}, 0, 0}; }
constexpr ScreenLayoutSettings ScreenToken(const char *token) { return {2, token, 0, {0, 0, 0, 0}, 0, 0}; }

struct ScreenLayoutWidget {
  const char *id;
  _MWinButtonType kind;
  const char *texbut;
  const char *text;
  const char *font;
  _ColourRGBA text_colour;
  _Vector2d text_scale;
  _MWinTextAlign align;
  ScreenLayoutSettings settings;
};

// A set of device layouts as bits: ScreenLayouts(1, 3, 4).
constexpr EngUInt8 ScreenLayouts(int a, int b = -1, int c = -1, int d = -1) {
  return EngUInt8((a >= 0 ? 1 << a : 0) | (b >= 0 ? 1 << b : 0) | (c >= 0 ? 1 << c : 0) | (d >= 0 ? 1 << d : 0));
}

struct ScreenLayoutVariant {
  EngUInt8 layouts;
  ScreenLayoutWidget widget;
};

// The window record's values other than the rectangle (the toolkit's _MWinWindowCreateInfo).
struct ScreenLayoutWindowRecord {
  EngInt32 window_type;
  EngInt32 move_mode;
  char has_hide_button, has_extra_button, has_title_bar;
  const char *title;
  const char *title_texbut;
  const char *back_texbut;
  const char *title_font;
  const char *hide_text;
  const char *hide_texbut;
  const char *extra_text;
  const char *extra_texbut;
  const char *title_token;
  const char *hide_token;
  const char *extra_token;
};

// A whole-screen window without title bar, background or title: most screens' window.
constexpr ScreenLayoutWindowRecord kScreenLayoutPlainWindow = {
    0, 0, 0, 0, 0, "", "MWIN_TEXBUT_NONE", "MWIN_TEXBUT_NONE", "MWIN_FONT_DEFAULT", "", "", "", "", "", "", ""};

struct ScreenLayoutWindow {
  const char *id;
  ScreenLayoutWindowRecord record;
  _Dimension area[ENG_NUM_LAYOUTS];
  _ColourRGBA title_colour;
  _Vector2d title_scale;
  _MWinTextAlign title_align;
  const ScreenLayoutWidget *widgets;
  int num_widgets;
  const _Dimension (*widget_areas)[ENG_NUM_LAYOUTS];
  const ScreenLayoutVariant *variants;
  int num_variants;
};

// Most screens' window covers the whole design space on every device layout, its title plain
// (white, unscaled, left); its widget and variant counts are its tables' own, and a table of
// areas without a row for each widget does not compile.
constexpr _Dimension kScreenLayoutWholeScreen = {0, 0, ENG_DESIGN_WIDTH, ENG_DESIGN_HEIGHT};
template <int N, int V>
constexpr ScreenLayoutWindow ScreenLayoutWholeScreenWindow(const char *id, const ScreenLayoutWindowRecord &record,
                                                           const ScreenLayoutWidget (&widgets)[N],
                                                           const _Dimension (&areas)[N][ENG_NUM_LAYOUTS],
                                                           const ScreenLayoutVariant (&variants)[V]) {
  const _Dimension &a = kScreenLayoutWholeScreen;
  return {id, record, {a, a, a, a, a}, {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_LEFT, widgets, N, areas, variants, V};
}
template <int N>
constexpr ScreenLayoutWindow ScreenLayoutWholeScreenWindow(const char *id, const ScreenLayoutWindowRecord &record,
                                                           const ScreenLayoutWidget (&widgets)[N],
                                                           const _Dimension (&areas)[N][ENG_NUM_LAYOUTS]) {
  const _Dimension &a = kScreenLayoutWholeScreen;
  return {id, record, {a, a, a, a, a}, {1, 1, 1, 1}, {1, 1}, MWIN_ALIGN_LEFT, widgets, N, areas, nullptr, 0};
}

struct ScreenLayout {
  const char *collection;
  const ScreenLayoutWindow *windows;
  int num_windows;
  // 0 for a layout built only for phones and tablets: IPhonePortrait stands in for Normal.
  char has_normal;
};

// The row a device layout builds for widget n (its variant, else the desktop row); null when
// n is out of range.
const ScreenLayoutWidget *ScreenLayoutGetWidget(const ScreenLayoutWindow &window, int n, _EngLayout layout);
// The window builder that runs for the root's layout: 0 to 4.
_EngLayout ScreenLayoutChooseBuilder(const ScreenLayout &layout, _EngLayout root_layout);

// The operations of a layout class, each called with the operation's own ENG_FUNC.
// CreateCollection: whether add_to_desktop (the class's AddCollectionToDesktop) made one.
char ScreenLayoutBuildCollection(const char *signature, MWin *mwin,
                                 const std::function<MWinCollection *(MWin *, MWinDesktop *)> &add_to_desktop);
// AddCollectionToDesktop: the collection (stored in *member) after add_windows ran the window
// builders of the chosen layout.
MWinCollection *ScreenLayoutBuildCollectionOnDesktop(
    const char *signature, const ScreenLayout &layout, MWin *mwin, MWinDesktop *desktop, MWinCollection **member,
    const std::function<void(MWinCollection *, _EngLayout)> &add_windows);
// A window builder: the window (stored in *member) with its widgets from add_buttons (the
// class's buttons builder of the same layout) and this controller.
MWinWindow *ScreenLayoutBuildWindow(const char *signature, const ScreenLayout &layout, int window, _EngLayout device,
                                    MWinCollection *collection, MWinWindow **member,
                                    MWinCollectionController *controller,
                                    const std::function<char(MWinWindow *)> &add_buttons);
// A buttons builder: members holds the window's widget pointers in builder order.
char ScreenLayoutBuildWidgets(const char *signature, const ScreenLayout &layout, int window, _EngLayout device,
                              MWinWindow *target, MWinButton **const *members);
// The builder among a layout class's five of one kind that builds a device layout: desktop,
// phone portrait and landscape, tablet portrait and landscape; any other layout, the desktop's.
template <class Self, class Result, class Arg>
Result ScreenLayoutCallBuilder(Self *self, _EngLayout device, Arg arg, Result (Self::*normal)(Arg),
                               Result (Self::*phone_portrait)(Arg), Result (Self::*phone_landscape)(Arg),
                               Result (Self::*tablet_portrait)(Arg), Result (Self::*tablet_landscape)(Arg)) {
  switch (device) {
    case ENG_LAYOUT_PHONE_PORTRAIT: return (self->*phone_portrait)(arg);
    case ENG_LAYOUT_PHONE_LANDSCAPE: return (self->*phone_landscape)(arg);
    case ENG_LAYOUT_TABLET_PORTRAIT: return (self->*tablet_portrait)(arg);
    case ENG_LAYOUT_TABLET_LANDSCAPE: return (self->*tablet_landscape)(arg);
    default: return (self->*normal)(arg);
  }
}
// SetScreensVar: stores the table, its root and the root's game in the controller.
void ScreenLayoutSetScreensVar(MWinCollectionController *controller, MWinScreens *screens, char game_may_be_null);

// The constructor, GetLayout, the operations and RemoveVars of Class, a layout class of one
// window, Win, which each of the five device layouts builds from table (a ScreenLayout) with its
// own builders: Add<Win>Window, Add<Win>WindowToCollection<Device> and
// Add<Win>WindowButtonsToWindow<Device>, as the class declares them, and its Widgets(). A macro,
// not a function or base class: each operation reports failures under its own signature
// (ENG_FUNC), which the logs and their readers know.
#define SCREEN_LAYOUT_ONE_WINDOW_OPERATIONS(Class, Win, table, collection_member, window_member)                       \
  Class::Class() { RemoveVars(); }                                                                                     \
  const ScreenLayout &Class::GetLayout() { return table; }                                                             \
  char Class::CreateCollection(MWin *mwin) {                                                                           \
    return ScreenLayoutBuildCollection(ENG_FUNC, mwin,                                                                 \
                                       [this](MWin *m, MWinDesktop *d) { return AddCollectionToDesktop(m, d); });      \
  }                                                                                                                    \
  MWinCollection *Class::AddCollectionToDesktop(MWin *mwin, MWinDesktop *desktop) {                                    \
    return ScreenLayoutBuildCollectionOnDesktop(                                                                       \
        ENG_FUNC, table, mwin, desktop, &collection_member, [this](MWinCollection *c, _EngLayout device) {             \
          ScreenLayoutCallBuilder(                                                                                     \
              this, device, c, &Class::Add##Win##WindowToCollectionNormal,                                             \
              &Class::Add##Win##WindowToCollectionIPhonePortrait, &Class::Add##Win##WindowToCollectionIPhoneLandscape, \
              &Class::Add##Win##WindowToCollectionIPadPortrait, &Class::Add##Win##WindowToCollectionIPadLandscape);    \
        });                                                                                                            \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##Window(const char *signature, _EngLayout device, MWinCollection *c) {                   \
    return ScreenLayoutBuildWindow(                                                                                    \
        signature, table, 0, device, c, &window_member, this, [this, device](MWinWindow *w) {                          \
          return ScreenLayoutCallBuilder(this, device, w, &Class::Add##Win##WindowButtonsToWindowNormal,               \
                                         &Class::Add##Win##WindowButtonsToWindowIPhonePortrait,                        \
                                         &Class::Add##Win##WindowButtonsToWindowIPhoneLandscape,                       \
                                         &Class::Add##Win##WindowButtonsToWindowIPadPortrait,                          \
                                         &Class::Add##Win##WindowButtonsToWindowIPadLandscape);                        \
        });                                                                                                            \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##WindowToCollectionNormal(MWinCollection *c) {                                           \
    return Add##Win##Window(ENG_FUNC, ENG_LAYOUT_DESKTOP, c);                                                          \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##WindowToCollectionIPhonePortrait(MWinCollection *c) {                                   \
    return Add##Win##Window(ENG_FUNC, ENG_LAYOUT_PHONE_PORTRAIT, c);                                                   \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##WindowToCollectionIPhoneLandscape(MWinCollection *c) {                                  \
    return Add##Win##Window(ENG_FUNC, ENG_LAYOUT_PHONE_LANDSCAPE, c);                                                  \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##WindowToCollectionIPadPortrait(MWinCollection *c) {                                     \
    return Add##Win##Window(ENG_FUNC, ENG_LAYOUT_TABLET_PORTRAIT, c);                                                  \
  }                                                                                                                    \
  MWinWindow *Class::Add##Win##WindowToCollectionIPadLandscape(MWinCollection *c) {                                    \
    return Add##Win##Window(ENG_FUNC, ENG_LAYOUT_TABLET_LANDSCAPE, c);                                                 \
  }                                                                                                                    \
  char Class::Add##Win##WindowButtonsToWindowNormal(MWinWindow *w) {                                                   \
    return ScreenLayoutBuildWidgets(ENG_FUNC, table, 0, ENG_LAYOUT_DESKTOP, w, Widgets().data());                      \
  }                                                                                                                    \
  char Class::Add##Win##WindowButtonsToWindowIPhonePortrait(MWinWindow *w) {                                           \
    return ScreenLayoutBuildWidgets(ENG_FUNC, table, 0, ENG_LAYOUT_PHONE_PORTRAIT, w, Widgets().data());               \
  }                                                                                                                    \
  char Class::Add##Win##WindowButtonsToWindowIPhoneLandscape(MWinWindow *w) {                                          \
    return ScreenLayoutBuildWidgets(ENG_FUNC, table, 0, ENG_LAYOUT_PHONE_LANDSCAPE, w, Widgets().data());              \
  }                                                                                                                    \
  char Class::Add##Win##WindowButtonsToWindowIPadPortrait(MWinWindow *w) {                                             \
    return ScreenLayoutBuildWidgets(ENG_FUNC, table, 0, ENG_LAYOUT_TABLET_PORTRAIT, w, Widgets().data());              \
  }                                                                                                                    \
  char Class::Add##Win##WindowButtonsToWindowIPadLandscape(MWinWindow *w) {                                            \
    return ScreenLayoutBuildWidgets(ENG_FUNC, table, 0, ENG_LAYOUT_TABLET_LANDSCAPE, w, Widgets().data());             \
  }                                                                                                                    \
  void Class::RemoveVars() {                                                                                           \
    collection_member = nullptr;                                                                                       \
    window_member = nullptr;                                                                                           \
    for (MWinButton * *member : Widgets()) *member = nullptr;                                                          \
  }                                                                                                                    \
  void Class::SetScreensVar(MWinScreens *screens) { ScreenLayoutSetScreensVar(this, screens, 1); }

// Test seam: widgets with this id fail to be added, as a window without a button group does.
void ScreenLayoutFailWidgetForTests(const char *id);
