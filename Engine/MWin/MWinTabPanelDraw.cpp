// The tab panel's drawing: the title row with its sort arrow, row and entry backgrounds,
// column dividers, then the texts of the shown rows, each cropped to its cell.
#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngWhichDevice.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinTabPanel.h"
#include "Engine/MWin/MWinTextures.h"

static int Trunc(float f) { return int(f); }

void MWinTabPanel::DrawStdSlot(int slot, _MWinTextureState state, float x, float y, float w, float h,
                               const _ColourRGBA *tint) {
  MWinTextures *textures = GetMWin() ? GetMWin()->GetTextures() : nullptr;
  if (!textures) return;
  textures->DrawTextureButton(textures->GetStandardTexButNum(slot), state, x, y, w, h, tint);
}

char MWinTabPanel::Render() {
  if (!IsOnScreen() || !PrepareForRender()) return 0;
  const _MWinTextureState state = GetRenderState();
  if (m_draw_back) RenderNormalBack(state);
  RenderBack(state);
  RenderText(state);
  CallExtraRenderCB(state);
  if (m_sidebar && m_sidebar->shown) {
    CropRenderAreaToWindow();
    SidebarRender();
    RestoreAfterRenderAreaCrop();
  }
  RestoreAfterRender();
  return 1;
}

void MWinTabPanel::RenderBack(_MWinTextureState state) {
  const _Dimension *a = GetActualArea();
  (void)state;
  if (m_show_title_row) {
    CropToTableRowsArea(1);
    if (m_draw_title_back) {
      const _ColourRGBA tint = {1, 1, 1, m_title_back_alpha};
      DrawStdSlot(MWIN_STDTEX_TAB_PANEL_HEADING, IsEnabled() ? MWIN_TEXSTATE_NORMAL : MWIN_TEXSTATE_DISABLED,
                  a->x + m_border_x, a->y + m_title_gap, a->width - 2 * m_border_x, m_title_height, &tint);
    }
    if (m_sort.column >= 0 && m_sort.column < m_num_cols) {
      const _MWinTabPanelColumnInfo &c = m_columns[m_sort.column];
      const float side = m_title_height / 3;
      const float right = a->x + m_border_x + c.x + c.width;
      DrawStdSlot(m_sort.direction == 1 ? MWIN_STDTEX_UP_ARROW : MWIN_STDTEX_DOWN_ARROW, MWIN_TEXSTATE_NORMAL,
                  right - side, a->y + m_title_gap + (m_title_height - side) / 2, side, side, nullptr);
    }
    RestoreAfterRenderAreaCrop();
  }
  if (m_num_per_page < 1) {
    DebugErrorAlt(ENG_FUNC, "%s: NUM PER PAGE <= 0", GetID());
    return;
  }
  if (m_row_height > 0) {
    CropToTableRowsArea(0);
    const int first = Trunc(m_first_row) < 0 ? 0 : Trunc(m_first_row);
    const float fraction = m_first_row - float(Trunc(m_first_row));
    const int last = first + m_num_per_page + 1;
    const _ColourRGBA row_tint = {1, 1, 1, m_row_back_alpha};
    const _ColourRGBA *tint = (m_row_back_alpha >= 0 && m_row_back_alpha < 1.0f) ? &row_tint : nullptr;
    for (int r = first; r <= last; r++) {
      const float y = m_rows_area.y + (float(r - Trunc(m_first_row)) - fraction) * m_row_height;
      int slot = -1;
      if (r >= m_num_rows) {
        if (m_fill_page && m_draw_row_backs) slot = MWIN_STDTEX_TAB_PANEL_ROW_EMPTY;
      } else if (m_rows[r].selected) {
        slot = MWIN_STDTEX_TAB_PANEL_ROW_SEL;
      } else if (m_draw_row_backs) {
        slot = (m_alternate_rows && (r & 1)) ? MWIN_STDTEX_TAB_PANEL_ROW_BACK2 : MWIN_STDTEX_TAB_PANEL_ROW_BACK1;
      }
      if (slot < 0) continue;
      if (m_whole_row_backs || m_num_cols < 1) {
        DrawStdSlot(slot, MWIN_TEXSTATE_NORMAL, m_rows_area.x, y, m_rows_area.width, m_row_height, tint);
      } else {
        for (int c = 0; c < m_num_cols; c++) {
          if (m_columns[c].width <= 0) continue;
          DrawStdSlot(slot, MWIN_TEXSTATE_NORMAL, a->x + m_border_x + m_columns[c].x, y, m_columns[c].width,
                      m_row_height, tint);
        }
      }
    }
    if (m_entry_bg_colour_cb && m_num_cols > 0) {
      for (int c = 0; c < m_num_cols; c++) {
        if (m_columns[c].width <= 0) continue;
        for (int r = first; r <= last; r++) {
          char slot = -1;
          const _ColourRGBA *colour = m_entry_bg_colour_cb(r, c, &slot, this);
          if (!colour || slot < 0 || slot >= MWIN_NUM_STANDARD_TEXBUTS) continue;
          const float y = m_rows_area.y + (float(r - Trunc(m_first_row)) - fraction) * m_row_height;
          DrawStdSlot(slot, MWIN_TEXSTATE_NORMAL, a->x + m_border_x + m_columns[c].x, y, m_columns[c].width,
                      m_row_height, colour);
        }
      }
    }
    RestoreAfterRenderAreaCrop();
  }
  RenderDividers();
}

void MWinTabPanel::RenderDividers() {
  MWinLayoutSettings *layout = GetLayoutSettings();
  // Layout block 43 is the divider width.
  const float width = layout ? layout->tab_background_margin : 0;
  if (!m_draw_dividers || !m_whole_row_backs || m_num_cols < 2 || width <= 0) return;
  const _Dimension *a = GetActualArea();
  const _Dimension *v = GetOrigArea();
  const _ColourRGBA tint = {1, 1, 1, 0.5f};
  const float top_border = m_show_title_row ? m_title_gap : m_border_y;
  const float borders = m_show_title_row ? m_border_y + m_title_gap : 2 * m_border_y;
  for (int c = 0; c < m_num_cols - 1; c++) {
    if (m_columns[c].width <= 0) continue;
    const float x = a->x + m_border_x + m_columns[c].x + m_columns[c].width;
    if (m_fill_page) {
      CropToTableRowsArea(1);
      DrawStdSlot(MWIN_STDTEX_TAB_PANEL_VERT_DIV, MWIN_TEXSTATE_NORMAL, x, a->y + m_divider_inset_top + top_border,
                  width, v->height - borders - m_divider_inset_top - m_divider_inset_bottom, &tint);
      RestoreAfterRenderAreaCrop();
      continue;
    }
    if (m_show_title_row)
      DrawStdSlot(MWIN_STDTEX_TAB_PANEL_VERT_DIV, MWIN_TEXSTATE_NORMAL, x, a->y + m_divider_inset_top, width,
                  m_title_height - m_divider_inset_top + m_divider_inset_bottom, &tint);
    CropToTableRowsArea(0);
    const float y = a->y + top_border + m_title_height - m_first_row * m_row_height;
    DrawStdSlot(MWIN_STDTEX_TAB_PANEL_VERT_DIV, MWIN_TEXSTATE_NORMAL, x, y, width,
                float(m_num_rows) * m_row_height - borders - m_divider_inset_top - m_divider_inset_bottom, &tint);
    RestoreAfterRenderAreaCrop();
  }
}

void MWinTabPanel::RenderText(_MWinTextureState state) {
  (void)state;
  UpdateTextFontColourAndScale();
  MWin *mwin = GetMWin();
  EngFont *font = GetTextFont();
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!mwin || !font || !layout || m_num_cols < 1 || (m_num_rows < 1 && !m_show_title_row)) return;
  if (m_num_per_page < 1) {
    DebugErrorAlt(ENG_FUNC, "%s: NUM PER PAGE <= 0", GetID());
    return;
  }
  const float row_height = m_rows_area.height / float(m_num_per_page);
  if (row_height <= 0) return;
  _Vector2d font_scale;
  _ColourRGBA font_colour;
  font->GetScale(&font_scale);
  font->GetColour(&font_colour);
  // Prepared once for every cell, so each text below is drawn without its own preparation.
  EngFontPrepareForDrawingWithOrientation(1);
  const char crop_was_on = (eng_main_device && eng_main_device->IsCropOn()) ? 1 : 0;
  const _Dimension *a = GetActualArea();
  const float margin = layout->text_margin;
  const float left = a->x + m_border_x;

  if (m_show_title_row) {
    for (int c = 0; c < m_num_cols; c++) {
      const _MWinTabPanelColumnInfo &col = m_columns[c];
      if (col.width <= 0 || !m_entry_cb) continue;
      const _Vector2d *cb_scale = m_entry_text_scale_cb ? m_entry_text_scale_cb(-1, c, this) : nullptr;
      const float sx = (cb_scale ? cb_scale->x : 1) * font_scale.x * m_title_text_scale.x;
      const float sy = (cb_scale ? cb_scale->y : 1) * font_scale.y * m_title_text_scale.y;
      font->SetScale(sx, sy);
      const _ColourRGBA *cb_colour = m_entry_text_colour_cb ? m_entry_text_colour_cb(-1, c, this) : nullptr;
      if (cb_colour) {
        font->SetColour(cb_colour);
      } else {
        font->SetColour(font_colour.r * m_title_text_colour.r, font_colour.g * m_title_text_colour.g,
                        font_colour.b * m_title_text_colour.b, font_colour.a * m_title_text_colour.a);
      }
      const float x = left + col.x, y = a->y + m_title_gap;
      CropRenderAreaToArea(x, y, col.width, m_title_height);
      const _MWinTextAlign align = col.text_align < 0 ? GetTextAlign() : _MWinTextAlign(col.text_align);
      const char *text = m_entry_cb(-1, c, this);
      if (text) mwin->RenderTextPart(GetFontNum(), align, margin, x, y, col.width, m_title_height, nullptr, text, 0, 0,
                                     0, 0);
    }
  }

  const int first = Trunc(m_first_row) < 0 ? 0 : Trunc(m_first_row);
  int end = Trunc(m_first_row) + m_num_per_page;
  if (end > m_num_rows - 1) end = m_num_rows - 1;
  for (int c = 0; c < m_num_cols && m_entry_cb; c++) {
    const _MWinTabPanelColumnInfo &col = m_columns[c];
    if (col.width <= 0) continue;
    const _MWinTextAlign align = col.text_align < 0 ? GetTextAlign() : _MWinTextAlign(col.text_align);
    for (int r = first; r <= end; r++) {
      const float y = m_rows_area.y + (float(r) - m_first_row) * row_height;
      if (y < 0) continue;
      const int style = r & 1;
      const _Vector2d *cb_scale = m_entry_text_scale_cb ? m_entry_text_scale_cb(r, c, this) : nullptr;
      float sx = (cb_scale ? cb_scale->x : 1) * font_scale.x * m_row_text_scale[style].x;
      float sy = (cb_scale ? cb_scale->y : 1) * font_scale.y * m_row_text_scale[style].y;
      if (col.has_text_scale) {
        sx *= col.text_scale_x;
        sy *= col.text_scale_y;
      }
      font->SetScale(sx, sy);
      const _ColourRGBA *cb_colour = m_entry_text_colour_cb ? m_entry_text_colour_cb(r, c, this) : nullptr;
      _ColourRGBA colour;
      if (cb_colour) {
        colour = *cb_colour;
      } else {
        const _ColourRGBA &s = m_row_text_colour[style];
        colour = {font_colour.r * s.r, font_colour.g * s.g, font_colour.b * s.b, font_colour.a * s.a};
      }
      if (col.has_text_colour) {
        colour.r *= col.text_colour.r;
        colour.g *= col.text_colour.g;
        colour.b *= col.text_colour.b;
        colour.a *= col.text_colour.a;
      }
      font->SetColour(&colour);
      const float x = left + col.x;
      float crop_top = y, crop_bottom = y + row_height;
      if (crop_top < m_rows_area.y) crop_top = m_rows_area.y;
      if (crop_bottom > m_rows_area.y + m_rows_area.height) crop_bottom = m_rows_area.y + m_rows_area.height;
      if (crop_bottom <= crop_top) continue;
      CropRenderAreaToArea(x, crop_top, col.width, crop_bottom - crop_top);
      const char *text = m_entry_cb(r, c, this);
      if (text) mwin->RenderTextPart(GetFontNum(), align, margin, x, y, col.width, row_height, nullptr, text, 0, 0, 0, 0);
    }
  }

  font->SetScale(&font_scale);
  font->SetColour(&font_colour);
  EngFontRestoreAfterDrawing();
  if (crop_was_on)
    CropRenderAreaToButtonNew2();
  else
    RestoreAfterRenderAreaCrop();
}
