// The script text box's drawing: the back beside the side bar, then the paragraphs from the
// first visible line, each in its style and alignment, shifted up by the part of a line
// scrolled past, then the scrollbar.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngFont.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinScriptButton.h"
#include "Engine/MWin/MWinVertScrollbar.h"

static const int kMaxDrawReports = 5;

char MWinScriptButton::Render() {
  if (!PrepareForRender()) return 0;
  RenderBack(GetRenderState());
  RenderTexts();
  RestoreAfterRenderAreaCrop();
  if (m_scrollbar) m_scrollbar->Render();
  return 1;
}

void MWinScriptButton::RenderBack(_MWinTextureState state) {
  const _Dimension *a = GetActualArea();
  float width = a->width - (m_side_bar_shown ? m_side_bar_width : 0);
  RenderNormalBack(state, a->x, a->y, width, a->height);
}

void MWinScriptButton::RenderTexts() {
  if (!m_num_paragraphs || !m_text) return;
  TextBox box;
  if (!GetTextBox(&box)) return;
  float old_x = 1, old_y = 1, base_x = 1, base_y = 1;
  EngFont *font = PrepareFont(&old_x, &old_y, &base_x, &base_y);
  if (!font) return;
  char prepared = 0;
  EngFontPrepareForDrawingWithOrientationIfNeeded(1, &prepared);
  _ColourRGBA old_colour;
  font->GetColour(&old_colour);
  float scale_x = 1, scale_y = 1;
  font->GetScale(&scale_x, &scale_y);
  const float line_height = font->GetLineHeight() * scale_y;
  box.w = m_text_width - 2 * box.margin_x;

  // The paragraph holding the first visible line, and its lines above the box.
  int whole = int(m_first_line);
  int first = 0;
  for (int n = 0; n < m_num_paragraphs; n++)
    if (m_paragraphs[n].first_line <= whole) first = n;
  int skip = whole - m_paragraphs[first].first_line;
  if (skip < 0) skip = 0;
  if (skip > 0 && m_paragraphs[first].lines <= skip) {
    first++;
    skip = 0;
  }
  // A paragraph that leaves its line open shares the start paragraph's first line.
  if (skip == 0 && first > 0 && first < m_num_paragraphs && !m_paragraphs[first - 1].ends_line) {
    first--;
    skip = m_paragraphs[first].lines;
  }

  float y = box.y - (m_first_line - float(whole)) * line_height;
  const float bottom = box.y + box.h + 2 * line_height;
  if (GetMWin() && GetMWin()->GetCropRendering())
    CropRenderAreaToArea(box.x - box.margin_x, box.y, box.w + 2 * box.margin_x, box.h);

  _ColourRGBA own_colour;
  GetTextColour(&own_colour);
  const int length = int(strlen(m_text));
  for (int n = first; n < m_num_paragraphs; n++) {
    const _MWinScriptParagraph &p = m_paragraphs[n];
    char styled = p.style >= 1 && p.style <= 4 ? 1 : 0;
    if (styled)
      font->SetColour(m_styles[p.style - 1].r, m_styles[p.style - 1].g, m_styles[p.style - 1].b,
                      m_styles[p.style - 1].a);
    else
      font->SetColour(&own_colour);
    int align = p.alignment;
    if (align == -1) align = GetTextAlign() == MWIN_ALIGN_CENTRE ? 1 : GetTextAlign() == MWIN_ALIGN_RIGHT ? 2 : 0;
    float x = align == 1 ? box.x + box.w / 2 : align == 2 ? box.x + box.w : box.x;
    float sx = base_x, sy = base_y;
    if (styled && m_styles[p.style - 1].scale > 0) {
      sx *= m_styles[p.style - 1].scale;
      sy *= m_styles[p.style - 1].scale;
    }
    font->SetScaleIncWidescreen(sx, sy);

    char cut = 0, kept = 0;
    if (p.end >= 0 && p.end < length) {
      kept = m_text[p.end];
      m_text[p.end] = 0;
      cut = 1;
    } else if (p.end != length) {
      DebugErrorAlt(ENG_FUNC, "Something wrong A (%d, %d).", p.end, length);
    }
    float height = 0;
    int lines = 0;
    char fitted = 1;
    const char *part = (p.start >= 0 && p.start <= length) ? m_text + p.start : "";
    font->DrawMultilineText(x, y, box.w, bottom - y, char(align), 0, part, 1, n == first ? skip : 0, nullptr, &height,
                            &lines, &fitted);
    if ((height <= 0 || lines <= 0) && m_draw_reports < kMaxDrawReports) {
      m_draw_reports++;
      DebugErrorAlt(ENG_FUNC, "Multi-line not working for paragraph %d: <%s>", n, part);
    }
    if (cut) {
      m_text[p.end] = kept;
    } else if (p.end != length) {
      DebugErrorAlt(ENG_FUNC, "Something wrong B (%d, %d).", p.end, length);
    }
    y += height;
    if (!p.ends_line) y -= lines > 1 ? height / float(lines) : height;
    if (!fitted || y > bottom) break;
  }

  RestoreAfterRenderAreaCrop();
  font->SetScale(old_x, old_y);
  font->SetColour(&old_colour);
  if (prepared) EngFontRestoreAfterDrawing();
}
