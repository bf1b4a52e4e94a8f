#include "Engine/MWin/MWinScriptButton.h"

#include <cstring>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/EngMemory.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinVertScrollbar.h"

// Deep enough for any paragraph when only its lines are counted.
static const float kMeasureHeight = 1.0e9f;

// ---- Tags and paragraphs ----

// A tag: '<' or '>', a digit 0 to 5, '<' or '>'.
static char IsTagAt(const char *text, int i, int length) {
  if (i + 2 >= length) return 0;
  char a = text[i], d = text[i + 1], b = text[i + 2];
  return (a == '<' || a == '>') && d >= '0' && d <= '5' && (b == '<' || b == '>') ? 1 : 0;
}

static int TagAlignment(char first, char third) {
  if (first == '<') return third == '<' ? 0 : 1;
  return third == '>' ? 2 : -1;
}

int MWinScriptParseParagraphs(const char *text, _MWinScriptParagraph *records) {
  if (!text) return 0;
  int length = int(strlen(text)), count = 0, pos = 0;
  while (pos < length) {
    _MWinScriptParagraph p = {};
    p.text_length = length;
    if (IsTagAt(text, pos, length)) {
      p.style = (signed char)(text[pos + 1] - '0');
      p.alignment = TagAlignment(text[pos], text[pos + 2]);
      p.start = pos + 3;
      pos += 3;
    } else {
      p.style = -1;
      p.alignment = -1;
      p.start = pos;
    }
    int j = pos;
    while (j < length && text[j] != '\n' && !IsTagAt(text, j, length)) j++;
    p.end = j;
    if (j >= length) {
      p.ends_line = 1;
      pos = length;
    } else if (text[j] == '\n') {
      p.ends_line = 1;
      pos = j + 1;
    } else {
      p.ends_line = 0;  // a tag follows on the same text line
      pos = j;
    }
    if (records) records[count] = p;
    count++;
  }
  return count;
}

// ---- Life ----

MWinScriptButton::MWinScriptButton(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x,
                                   float y, float w, float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_TAB_PANEL, texbut_id, "", x, y, w, h) {
  m_text = nullptr;
  m_paragraphs = nullptr;
  m_scrollbar = nullptr;
  Reset();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (mwin && mwin->GetTextures() && layout) {
    float bar = layout->vscrollbar_width;
    // Kept out of the group's list: the box forwards input and drawing to it.
    m_scrollbar = new MWinVertScrollbar(mwin, "Script_VS", group, "MWIN_TEXBUT_DEFAULT", nullptr, x + w - bar, y, bar,
                                        h);
    m_scrollbar->SetValues(0, 1, 0, 0);
    m_scrollbar->SetPos(0, 0);
  }
}

MWinScriptButton::~MWinScriptButton() {
  delete m_scrollbar;
  m_scrollbar = nullptr;
  Free();
  EngFree(m_text, 0, ENG_FUNC);
  m_text = nullptr;
  Reset();
}

void MWinScriptButton::Reset() {
  SetType(MWIN_BUTTON_DRAG);
  Free();
  m_first_line = 0;
  for (_MWinScriptStyle &s : m_styles) s = {1, 1, 1, 1, 0};
  m_visible_lines = 1;
  m_total_lines = 1;
  m_overflows = 0;
  m_text_width = 0;
  m_side_bar_shown = 0;
  m_side_bar_width = 0;
  m_scroller.TurnOff();
  m_draw_reports = 0;
}

void MWinScriptButton::Free() {
  EngFree(m_paragraphs, 0, ENG_FUNC);
  m_paragraphs = nullptr;
  m_num_paragraphs = 0;
  m_total_lines = 1;
  m_overflows = 0;
}

char MWinScriptButton::SetStyle(int style, float r, float g, float b, float a, float scale) {
  if (style == 0) {
    DebugErrorAlt(ENG_FUNC, "Style 0 is the button style and cannot be changed");
    return 0;
  }
  if (style < 1 || style > 4) {
    DebugErrorAlt(ENG_FUNC, "Invalid style num %d", style);
    return 0;
  }
  m_styles[style - 1] = {r, g, b, a, scale};
  return 1;
}

// ---- Text ----

void MWinScriptButton::SetTextPointer(const char *text) {
  if (!text) return;
  size_t length = strlen(text);
  char *copy = static_cast<char *>(EngMalloc(length + 1, ENG_FUNC, 0));
  if (!copy) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return;
  }
  memcpy(copy, text, length + 1);
  EngFree(m_text, 0, ENG_FUNC);
  m_text = copy;
  m_first_line = 0;
  ParseText();
  SetArrowsShown(0, 0);
  SetReady(1);
  GetSideBarDimensions();
}

void MWinScriptButton::SetTextPointerToButtonText() {
  if (!HasText()) {
    DebugErrorAlt(ENG_FUNC, "No text");
    return;
  }
  SetTextPointer(GetTextP());
}

void MWinScriptButton::ClearText() {
  Free();
  m_first_line = 0;
  GetSideBarDimensions();
}

void MWinScriptButton::Reload() {
  m_first_line = 0;
  if (m_text) ParseText();
  GetSideBarDimensions();
}

void MWinScriptButton::ParseText() {
  Free();
  int count = MWinScriptParseParagraphs(m_text, nullptr);
  if (count <= 0) return;
  m_paragraphs =
      static_cast<_MWinScriptParagraph *>(EngMalloc(sizeof(_MWinScriptParagraph) * size_t(count), ENG_FUNC, 1));
  if (!m_paragraphs) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return;
  }
  m_num_paragraphs = MWinScriptParseParagraphs(m_text, m_paragraphs);
  CalcLinesInPars();
}

EngFont *MWinScriptButton::PrepareFont(float *old_x, float *old_y, float *base_x, float *base_y) {
  EngFont *font = GetTextFont();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!font || !layout) return nullptr;
  font->GetScale(old_x, old_y);
  float sx = 1, sy = 1;
  GetTextScaleNoOrientation(&sx, &sy);
  if (layout->orientation_text_scale_x > 0 && layout->orientation_text_scale_y > 0) {
    sx *= layout->orientation_text_scale_x;
    sy *= layout->orientation_text_scale_y;
  }
  *base_x = sx;
  *base_y = sy;
  font->SetScaleIncWidescreen(sx, sy);
  return font;
}

char MWinScriptButton::GetTextBox(TextBox *box) {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return 0;
  const _Dimension *a = GetActualArea();
  box->margin_x = layout->script_margin_x;
  box->margin_y = layout->script_margin_y;
  box->x = a->x + box->margin_x;
  box->y = a->y + box->margin_y;
  box->w = a->width - 2 * box->margin_x;
  box->h = a->height - 2 * box->margin_y;
  return 1;
}

void MWinScriptButton::CalcLinesInPars() {
  float old_x = 1, old_y = 1, sx = 1, sy = 1;
  TextBox box;
  if (!m_text || !GetTextBox(&box)) return;
  EngFont *font = PrepareFont(&old_x, &old_y, &sx, &sy);
  if (!font) return;
  MWinLayoutSettings *layout = GetLayoutSettings();

  std::string plain;
  int length = int(strlen(m_text));
  for (int i = 0; i < length; i++) {
    if (IsTagAt(m_text, i, length)) {
      i += 2;
      continue;
    }
    plain += m_text[i];
  }
  char fitted = 1;
  int lines = 0;
  float height = 0;
  font->DrawMultilineText(box.x, box.y, box.w, box.h, 0, 0, plain.c_str(), 0, 0, nullptr, &height, &lines, &fitted);
  m_overflows = fitted ? 0 : 1;
  // Lines are counted in the width they will be drawn in, beside the side bar.
  if (m_overflows) box.w -= layout->side_bar_width;

  float scale_x = 1, scale_y = 1;
  font->GetScale(&scale_x, &scale_y);
  float line_height = font->GetLineHeight() * scale_y;
  int sum = 0;
  for (int n = 0; n < m_num_paragraphs; n++) {
    _MWinScriptParagraph &p = m_paragraphs[n];
    int count = 1;
    if (p.end > p.start && p.start >= 0 && p.end <= length) {
      char kept = m_text[p.end];
      m_text[p.end] = 0;
      font->DrawMultilineText(box.x, box.y, box.w, kMeasureHeight, 0, 0, m_text + p.start, 0, 0, nullptr, nullptr,
                              &count, nullptr);
      if (count <= 0) {
        DebugErrorAlt(ENG_FUNC, "Bad num lines for string <%s>", m_text + p.start);
        count = 1;
      }
      m_text[p.end] = kept;
    }
    if (!p.ends_line) count--;
    p.lines = count;
    p.first_line = sum;
    sum += count;
  }
  if (line_height > 0) {
    m_visible_lines = int(box.h / line_height);
    if (m_visible_lines < 1) m_visible_lines = 1;
    m_total_lines = sum + 1;
  } else {
    m_visible_lines = 1;
    m_total_lines = 0;
  }
  font->SetScale(old_x, old_y);

  char bad = 0;
  for (int n = 0; n < m_num_paragraphs; n++) {
    const _MWinScriptParagraph &p = m_paragraphs[n];
    if (p.start >= p.text_length) {
      DebugErrorAlt(ENG_FUNC, "%d: Bad start pos %d (%d).", n, p.start, p.text_length);
      bad = 1;
    }
    if (p.end > p.text_length) {
      DebugErrorAlt(ENG_FUNC, "%d: Bad end pos %d (%d).", n, p.end, p.text_length);
      bad = 1;
    }
  }
  if (bad) ClearText();
}

void MWinScriptButton::GetSideBarDimensions() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout) return;
  m_side_bar_width = layout->side_bar_width;
  const _Dimension *a = GetActualArea();
  if (m_overflows && m_total_lines > m_visible_lines && m_total_lines > 0) {
    m_side_bar_shown = 1;
    m_text_width = a->width - m_side_bar_width;
    float max = float(m_total_lines - m_visible_lines);
    if (IS_MOBILE) {
      if (m_total_lines >= 1 && m_visible_lines >= 1) {
        _Dimension area = *a;
        m_scroller.TurnOn(&area, 1, 0, 0, 0, 0, 0, 0, 0, 1, m_first_line, 0, max, float(m_visible_lines), 0, 1,
                          1.0f);
      } else {
        m_scroller.TurnOff();
      }
    }
    if (m_scrollbar) {
      const _Dimension *orig = GetOrigArea();
      float bar = layout->vscrollbar_width;
      m_scrollbar->SetOrigPos(orig->x + orig->width - bar, orig->y, bar, orig->height);
      m_scrollbar->SetShownFlag(1);
      m_scrollbar->SetValuesFloat(-0.1f, max, float(m_visible_lines), 1.0f);
      m_scrollbar->RegisterFloatVariable(&m_first_line, 1.0f, 0);
    }
    return;
  }
  m_side_bar_shown = 0;
  m_text_width = a->width;
  if (m_scrollbar) m_scrollbar->Hide();
}

void MWinScriptButton::PositionUpdated() {
  MWinButton::PositionUpdated();
  GetSideBarDimensions();
}

// ---- Input ----

char MWinScriptButton::ScrollbarHoldsMouse() { return m_scrollbar && m_scrollbar->KeepFocusOnMouseMove() ? 1 : 0; }

char MWinScriptButton::CursorOverScrollbar() {
  return m_scrollbar && m_scrollbar->IsShown() && GetMWin() &&
                 GetMWin()->IsMouseViewportCursorInArea(m_scrollbar->GetActualArea())
             ? 1
             : 0;
}

char MWinScriptButton::HandleMouseButtonPressed(char button, char pressed, char flag) {
  if (ScrollbarHoldsMouse() || CursorOverScrollbar()) {
    char handled = m_scrollbar->HandleMouseButtonPressed(button, pressed, flag);
    // The bar's notify reaches the window's controller, which may have removed the box.
    if (IsGone()) return 1;
    if (IS_MOBILE && m_scroller.m_on) m_scroller.SetYPos(m_first_line);
    return handled;
  }
  if (!ShouldHandleMouseButtonPressed(button, pressed, flag)) return 0;
  if (!IS_MOBILE) return 0;
  float x = 0, y = 0;
  GetMWin()->GetViewportMousePos(&x, &y);
  return m_scroller.MouseButtonPressed(button, pressed, x, y, 0, 0);
}

char MWinScriptButton::HandleMouseButtonDoubleClicked(char button) {
  if (m_scrollbar && m_scrollbar->HandleMouseButtonDoubleClicked(button)) return 1;
  if (!IS_MOBILE) return 0;
  float x = 0, y = 0;
  GetMWin()->GetViewportMousePos(&x, &y);
  return m_scroller.MouseButtonDoubleClicked(button, x, y);
}

void MWinScriptButton::HandleMouseButtonPressCanceled() {
  if (m_scrollbar) m_scrollbar->HandleMouseButtonPressCanceled();
  if (!IS_MOBILE) return;
  float x = 0, y = 0;
  GetMWin()->GetViewportMousePos(&x, &y);
  m_scroller.MouseButtonPressed(0, 0, x, y, 1, 0);
}

void MWinScriptButton::HandleMouseMove() {
  if (ScrollbarHoldsMouse()) {
    m_scrollbar->HandleMouseMove();
    return;
  }
  if (!IS_MOBILE) return;
  float x = 0, y = 0;
  GetMWin()->GetViewportMousePos(&x, &y);
  m_scroller.MouseMoved(x, y, 0);
}

char MWinScriptButton::HandleMouseWheel(int delta) {
  if (!m_scrollbar) return 0;
  double before = m_scrollbar->GetPosDouble();
  char handled = m_scrollbar->HandleMouseWheel(delta);
  if (IsGone()) return 1;
  // Arrow steps stop short of a bound closer than a step: the top is reached here.
  if (delta > 0 && m_scrollbar->GetPosDouble() == before && m_first_line > 0) {
    m_first_line = 0;
    m_scrollbar->UpdateFromRegisteredVariable(0);
  }
  return handled;
}

char MWinScriptButton::HandleKeyDown(int key) { return m_scrollbar ? m_scrollbar->HandleKeyDown(key) : 0; }

char MWinScriptButton::KeepFocusOnMouseMove() { return ScrollbarHoldsMouse(); }

void MWinScriptButton::Activate() {
  MWinButton::Activate();
  if (m_scrollbar) m_scrollbar->Activate();
}

void MWinScriptButton::Deactivate() {
  MWinButton::Deactivate();
  if (m_scrollbar && !IsGone()) m_scrollbar->Deactivate();
}

char MWinScriptButton::Tick() {
  if (!IS_MOBILE || !ShouldTick()) return 0;
  if (!m_scroller.m_on || ScrollbarHoldsMouse()) return 0;
  m_scroller.Tick();
  m_first_line = m_scroller.m_pos[1];
  if (m_scrollbar) m_scrollbar->UpdateFromRegisteredVariable(0);
  return 1;
}
