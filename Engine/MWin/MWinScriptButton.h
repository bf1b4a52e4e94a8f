// The script text box: long styled text (help pages) split by three-character tags into
// paragraphs, each with a style and an alignment, word-wrapped, scrolled by whole and partial
// lines with its own vertical scrollbar, and on phones and tablets by dragging the text.
#pragma once

#include "Engine/MWin/EngScroller.h"
#include "Engine/MWin/MWinButton.h"

class MWinVertScrollbar;

struct _MWinScriptParagraph {
  signed char style;  // 0..5, or -1 without a tag
  int alignment;      // -1 the box's own, 0 left, 1 centre, 2 right
  int start;          // first shown character, after the tag
  int end;            // one past the last shown character; a newline is not shown
  int text_length;    // of the whole text
  char ends_line;     // 0 when the next paragraph goes on with the same line
  int lines;          // wrapped lines, one less when it does not end its line
  int first_line;
};

struct _MWinScriptStyle {
  float r, g, b, a;
  float scale;  // 0 keeps the box's text scale
};

// Reads the tags of a text into paragraph records; null records only count. Answers the count.
int MWinScriptParseParagraphs(const char *text, _MWinScriptParagraph *records);

class MWinScriptButton : public MWinButton {
 public:
  MWinScriptButton(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x, float y, float w,
                   float h);
  ~MWinScriptButton() override;
  void PositionUpdated() override;
  char Tick() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void HandleMouseButtonPressCanceled() override;
  void HandleMouseMove() override;
  char HandleMouseWheel(int delta) override;
  char HandleKeyDown(int key) override;
  char KeepFocusOnMouseMove() override;
  void Activate() override;
  void Deactivate() override;

  void Reset();
  void Free();
  // Styles 1 to 4; style 0 is the box's own text style.
  char SetStyle(int style, float r, float g, float b, float a, float scale);
  void SetTextColours(float r, float g, float b, float a) { SetTextColour(r, g, b, a); }
  // Shows a copy of the text; the caller's text is never written.
  void SetTextPointer(const char *text);
  void SetTextPointerToButtonText();
  void ClearText();
  void Reload();
  void ParseText();
  void CalcLinesInPars();
  void GetSideBarDimensions();
  void RenderBack(_MWinTextureState state) override;
  void RenderTexts();

  const char *GetScriptText() const { return m_text; }
  int GetNumParagraphs() const { return m_num_paragraphs; }
  const _MWinScriptParagraph *GetParagraph(int n) const {
    return (n >= 0 && n < m_num_paragraphs) ? &m_paragraphs[n] : nullptr;
  }
  float GetFirstLine() const { return m_first_line; }
  int GetVisibleLines() const { return m_visible_lines; }
  int GetTotalLines() const { return m_total_lines; }
  char Overflows() const { return m_overflows; }
  float GetTextAreaWidth() const { return m_text_width; }
  char IsSideBarShown() const { return m_side_bar_shown; }
  MWinVertScrollbar *GetScrollbar() const { return m_scrollbar; }
  EngScroller *GetScroller() { return &m_scroller; }

 private:
  struct TextBox {
    float x, y, w, h;
    float margin_x, margin_y;
  };
  // Sets the font's scale for the box; answers the font with its previous scale, or null.
  EngFont *PrepareFont(float *old_x, float *old_y, float *base_x, float *base_y);
  char GetTextBox(TextBox *box);
  char ScrollbarHoldsMouse();
  char CursorOverScrollbar();

  char *m_text;  // own copy
  _MWinScriptParagraph *m_paragraphs;
  int m_num_paragraphs;
  float m_first_line;
  _MWinScriptStyle m_styles[4];
  int m_visible_lines;
  int m_total_lines;
  char m_overflows;
  float m_text_width;
  char m_side_bar_shown;
  float m_side_bar_width;
  EngScroller m_scroller;
  MWinVertScrollbar *m_scrollbar;
  int m_draw_reports;
};
