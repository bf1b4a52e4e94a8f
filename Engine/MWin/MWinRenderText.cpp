// The toolkit's text drawing: a line or wrapped text placed in a box in a registered font.
#include <cstring>

#include "Engine/EngFont.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"

void MWin::RenderTextPart(int font_num, _MWinTextAlign align, float margin, float x, float y, float w, float h,
                          _Dimension *offset, const char *text, int count, char unused, char orientation,
                          char narrow) {
  (void)unused;
  EngFont *font = m_fonts ? m_fonts->GetFont(font_num) : nullptr;
  if (!font || !text || !text[0]) return;
  const float m = margin * eng_main_window_x_widescreen_ratio;
  if (offset) {
    x += offset->x;
    y += offset->y;
  }
  float sx = 1, sy = 1;
  char narrowed = 0;
  if (narrow) {
    const float available = align == MWIN_ALIGN_CENTRE ? w - 2 * m : w - m;
    font->GetScale(&sx, &sy);
    const float width = font->GetStringWidth(text);
    if (width >= available && width > 0) {
      // Only for this call: the scale is put back below.
      font->SetScale(available * sx / width, sy);
      narrowed = 1;
    }
  }
  float anchor_x = x + m;
  if (align == MWIN_ALIGN_CENTRE)
    anchor_x = x + w / 2;
  else if (align == MWIN_ALIGN_RIGHT)
    anchor_x = x + w;
  const float anchor_y = y + h / 2;
  if (orientation) EngFontPrepareForDrawingWithOrientation(1);
  font->DrawStringPartAlign(anchor_x, anchor_y, char(align), 1, text, count, 0, 0);
  if (orientation) EngFontRestoreAfterDrawing();
  if (narrowed) font->SetScale(sx, sy);
}

void MWin::RenderText(int font, _MWinTextAlign align, float margin, _Dimension *box, _Dimension *offset,
                      const char *text, char unused, char orientation, char narrow) {
  if (!box) return;
  RenderTextPart(font, align, margin, box->x, box->y, box->width, box->height, offset, text, 0, unused, orientation,
                 narrow);
}

void MWin::RenderText(int font, _MWinTextAlign align, float margin, float x, float y, float w, float h,
                      _Dimension *offset, const char *text, char unused, char orientation, char narrow) {
  RenderTextPart(font, align, margin, x, y, w, h, offset, text, 0, unused, orientation, narrow);
}

void MWin::RenderMultilineText(int font_num, _MWinTextAlign align, float margin, _Dimension *box,
                               _Dimension *offset, const char *text, char unused, char orientation, char unused2) {
  (void)unused;
  (void)unused2;
  EngFont *font = m_fonts ? m_fonts->GetFont(font_num) : nullptr;
  if (!font || !text || !text[0] || !box) return;
  float x = box->x, y = box->y;
  if (offset) {
    x += offset->x;
    y += offset->y;
  }
  float anchor_x = x + margin;
  if (align == MWIN_ALIGN_CENTRE)
    anchor_x = x + box->width / 2;
  else if (align == MWIN_ALIGN_RIGHT)
    anchor_x = x + box->width - margin;
  if (orientation) EngFontPrepareForDrawingWithOrientation(1);
  font->DrawMultilineText(anchor_x, y, box->width, box->height, char(align), 0, text, 1, 0, nullptr, nullptr,
                          nullptr, nullptr);
  if (orientation) EngFontRestoreAfterDrawing();
}
