// The item panel (widget kind 9): a scrolling list of text rows from a string array, a string
// callback or a language token's sub-texts, with single or multiple selection, a sidebar with
// a draggable thumb, keys, first-letter search, per-item colours and a per-row drawing callback.
#pragma once

#include "Engine/EngMathTypes.h"
#include "Engine/MWin/MWinButton.h"

typedef void (*MWIN_PANEL_ITEM_RENDER_CB)(MWinButton *button, _Dimension *row, _MWinTextureState state, int item,
                                          void *user);

// Drag states kept in the widget's dragging field.
enum : EngUInt8 { MWIN_PANEL_DRAG_NONE = 0, MWIN_PANEL_DRAG_THUMB = 1 };

class MWinPanel : public MWinButton {
 public:
  MWinPanel(MWin *mwin, const char *id, MWinGroup *group, const char *back_texbut_id, const ENG_CHAR *text, float x,
            float y, float w, float h);
  ~MWinPanel() override;
  void PositionUpdated() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void HandleMouseMove() override;
  char HandleMouseWheel(int delta) override;
  char HandleKeyDown(int key) override;
  void Deactivate() override;

  // Filling.
  char PanelSetStrings(int count, int per_page, const char **strings);
  char PanelSetStringsCallback(int count, int per_page, MWIN_STR_CB callback, void *user);
  char PanelSetStringsLanguageToken(int count, int per_page, const char *token);
  void PanelEmpty();
  void PanelReset();

  // Options.
  void PanelAllowNoPos() { m_allow_no_selection = 1; }
  void PanelAllowMultisel(char multi, char toggle);
  void PanelShowSel(char on) { m_show_selection = on; }
  void PanelSetMaxStringLength(int n) { m_max_string_length = n; }
  void PanelSetPanelItemRenderCB(MWIN_PANEL_ITEM_RENDER_CB callback, void *user);
  char PanelSetEntryColour(int item, const _ColourRGBA *colour);
  char PanelUpdateNumPerPageVar(int n);

  // Selection.
  char PanelSetPos(int item, char call, int how);
  int PanelGetPos() const { return m_selected; }
  char PanelSelectItem(int item, char flag);
  char PanelIsItemSelected(int item);
  void PanelClearAllSelectedItems();
  int PanelGetNumSelectedItems();
  int PanelGetNthSelectedItemNum(int n);
  char PanelSetPosToString(const char *text);

  // Texts.
  const char *PanelGetSelString() { return PanelGetStringAtPos(m_selected); }
  const char *PanelGetStringAtPos(int item);

  // Scrolling and shown rows.
  void PanelSetDisplayPos(float position);
  float PanelGetDisplayPos() const { return m_display; }
  void PanelCenterToPosIfPossible();
  void PanelEnsurePosIsVisible();
  char PanelGetStartAndEndDisplayPos(int *start, int *end);
  int PanelGetNumDisplayedItems();
  int PanelGetNthDisplayedItemsItemNumber(int n);
  char PanelGetNthDisplayedItemsDimension(int n, _Dimension *row);
  char PanelGetNthItemsDimension(int item, _Dimension *row);
  int PanelGetNumEntries() const { return m_count; }
  int PanelGetNumEntriesPerPage() const { return m_per_page; }

  // Registered variables.
  char PanelRegisterIntVariable(int *var, char call);
  char PanelRegisterInt16Variable(EngInt16 *var, char call);
  char PanelRegisterCharVariable(char *var, char call);
  char PanelUpdateFromRegisteredVariable(char call);
  char PanelRefresh();

  // The slots' work and the sidebar, callable by name.
  void PanelGetSidebarDimensions();
  char PanelIsSidebarShown() const { return m_sidebar_shown; }
  const _Dimension *PanelGetThumbArea() const { return &m_thumb; }
  const _Dimension *PanelGetSidebarArea() const { return &m_sidebar; }
  float PanelGetTextAreaWidth() const { return m_text_width; }
  float PanelGetYPosFromScreen(float y);
  float PanelGetScreenYPos();
  char PanelHandleMouseButtonPressed(char button, char pressed);
  void PanelHandleDragging();
  char PanelHandleMouseWheel(int steps);
  char PanelHandleKeyDown(int code);
  char PanelHandleMouseButtonDoubleClicked();
  void PanelRenderBack(_MWinTextureState state);
  void PanelRenderText();

 private:
  void FreeArrays();
  char AllocSelectionFlags();
  void ClampDisplay();
  float MaxDisplay() const;
  void PlaySelectionSound();
  void FlagRange(int from, int to);

  char m_allow_no_selection = 0;
  int m_selected = 0;
  int m_anchor = 0;
  char *m_selection_flags = nullptr;  // count + 1, multi-selection only
  int m_count = 0;
  int m_per_page = 0;
  char m_per_page_mode = 1;
  char m_multi = 0;
  char m_toggle_on_click = 0;
  char m_show_selection = 1;
  MWIN_STR_CB m_strings_cb = nullptr;
  const char **m_strings = nullptr;
  char m_language = 0;
  MWIN_PANEL_ITEM_RENDER_CB m_item_render_cb = nullptr;
  void *m_item_render_user = nullptr;
  float m_display = 0;
  float m_row_height = 0;
  int m_max_string_length = 0;
  char m_sidebar_shown = 0;
  float m_text_width = 0;
  _Dimension m_sidebar = {0, 0, 0, 0};
  float m_sidebar_right = 0, m_sidebar_bottom = 0;
  _Dimension m_thumb = {0, 0, 0, 0};
  float m_thumb_bottom = 0;
  float m_thumb_height_unclamped = 0;
  float m_track_top = 0, m_track_bottom = 0, m_track_length = 0;
  _ColourRGBA *m_colours = nullptr;
  float m_drag_offset = 0;
};
