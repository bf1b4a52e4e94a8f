#include "Engine/MWin/MWinGraph.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngMain.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGroup.h"
#include "Engine/MWin/MWinSettings.h"
#include "Engine/MWin/MWinWindow.h"

static char HaveDevice() { return eng_main_device && eng_main_device_type == 1 ? 1 : 0; }

MWinGraph::MWinGraph(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x, float y, float w,
                     float h)
    : MWinButton(mwin, id, group, MWIN_BUTTON_GRAPH, texbut_id, "", x, y, w, h) {
  m_value_line_count = 0;
  m_value_lines = nullptr;
  m_marks = nullptr;
  m_vert_marks = nullptr;
  m_vert_marks_placed = m_horz_marks_placed = 0;
  m_captions = nullptr;
  memset(m_caption_pos, 0, sizeof(m_caption_pos));
  memset(&m_lines_info, 0, sizeof(m_lines_info));
  m_block_offset_on = 0;
  m_block_offset_start = m_block_offset_width = 0;
  m_style = MWIN_GRAPH_LINE;
  m_draw_axes = 1;
  m_marks_type = MWIN_GRAPH_MARKS_ENDS;
  m_margin = 0;
  m_line_thickness = 4;
  m_axis_thickness = m_mark_thickness = 2;
  m_mark_length = 8;
  m_block_gap = 0;
  m_axes_colour = m_marks_colour = {0.6f, 0.6f, 0.6f};
  m_graph_colour = {1, 1, 1};
  Reset();
}

MWinGraph::~MWinGraph() {
  Free();
  Reset();
  DestroyLists();
}

void MWinGraph::Reset() {
  m_horz_min = 0;
  m_horz_max = 100;
  m_horz_count = 0;
  m_vert_min = 0;
  m_vert_max = 100;
  m_vert_count = 4;
  MWinLayoutSettings *layout = GetLayoutSettings();
  if (!layout || !GetMWin()) return;
  const _MWinSettings *settings = GetMWin()->GetSettings();
  m_style = _MWinGraphStyle(settings->graph_flags[0]);
  m_draw_axes = settings->graph_flags[1];
  m_marks_type = _MWinGraphDrawMarksType(settings->graph_flags[2]);
  m_margin = layout->graph_offset;
  m_line_thickness = layout->graph_margin;
  m_axis_thickness = layout->graph_line_width;
  m_mark_thickness = layout->graph_point_size;
  m_mark_length = layout->graph_steps;
  m_block_gap = 0;
  memset(&m_lines_info, 0, sizeof(m_lines_info));
  m_block_offset_on = 0;
  m_block_offset_start = m_block_offset_width = 0;
  const float *c = settings->graph_colours;
  m_axes_colour = {c[0], c[1], c[2]};
  m_marks_colour = {c[3], c[4], c[5]};
  m_graph_colour = {c[6], c[7], c[8]};
  Free();
  CalcMarks();
}

void MWinGraph::Free() {
  if (m_marks) EngFree(m_marks, 0, ENG_FUNC);
  if (m_vert_marks) EngFree(m_vert_marks, 0, ENG_FUNC);
  if (m_captions) EngFree(m_captions, 0, ENG_FUNC);
  if (m_value_lines) EngFree(m_value_lines, 0, ENG_FUNC);
  m_marks = nullptr;
  m_vert_marks = nullptr;
  m_vert_marks_placed = m_horz_marks_placed = 0;
  m_captions = nullptr;
  m_value_lines = nullptr;
  m_value_line_count = 0;
}

void MWinGraph::DestroyLists() {
  m_axes_list.Destroy();
  m_lines_list.Destroy();
  m_ticks_list.Destroy();
  m_data_list.Destroy();
}

char MWinGraph::CreateGraphicsObjects() { return MWinButton::CreateGraphicsObjects() ? 1 : 0; }

void MWinGraph::DestroyGraphicsObjects() {
  DestroyLists();
  MWinButton::DestroyGraphicsObjects();
}

// ---- Settings ----

void MWinGraph::SetStyle(_MWinGraphStyle style, char draw_axes, _MWinGraphDrawMarksType marks_type, float margin,
                         float line_thickness, float axis_thickness, float mark_thickness, float mark_length,
                         float block_gap) {
  if (static_cast<EngUInt32>(style) < 3) m_style = style;
  if (draw_axes >= 0) m_draw_axes = draw_axes;
  if (marks_type >= 0) m_marks_type = marks_type;
  if (margin >= 0) m_margin = margin;
  if (line_thickness >= 0) m_line_thickness = line_thickness;
  if (axis_thickness >= 0) m_axis_thickness = axis_thickness;
  if (mark_thickness >= 0) m_mark_thickness = mark_thickness;
  if (mark_length >= 0) m_mark_length = mark_length;
  if (block_gap >= 0) m_block_gap = block_gap;
}

void MWinGraph::SetColours(float axes_r, float axes_g, float axes_b, float marks_r, float marks_g, float marks_b,
                           float graph_r, float graph_g, float graph_b) {
  if (axes_r >= 0) m_axes_colour = {axes_r, axes_g, axes_b};
  if (marks_r >= 0) m_marks_colour = {marks_r, marks_g, marks_b};
  if (graph_r >= 0) m_graph_colour = {graph_r, graph_g, graph_b};
  PositionUpdated();
}

void MWinGraph::SetTexts(const char *text1, const char *text2, const char *text3, const char *text4) {
  if (!text1 && !text2 && !text3 && !text4) {
    if (m_captions) EngFree(m_captions, 0, ENG_FUNC);
    m_captions = nullptr;
    return;
  }
  if (!m_captions) {
    m_captions = static_cast<char(*)[32]>(EngMalloc(4 * 32, ENG_FUNC, 0));
    if (!m_captions) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
      return;
    }
  }
  const char *texts[4] = {text1, text2, text3, text4};
  for (int i = 0; i < 4; i++) EngSafeStrcpy(m_captions[i], texts[i] ? texts[i] : "", 32);
  if (GetMWin()) GetMWin()->RenderNeeded();
}

const char *MWinGraph::GetCaption(int n) const {
  if (!m_captions || n < 0 || n >= 4) return nullptr;
  return m_captions[n];
}

void MWinGraph::SetVerticalLinesSettings(const _MWinGraphVerticalLinesInfo *info) {
  if (info)
    m_lines_info = *info;
  else
    memset(&m_lines_info, 0, sizeof(m_lines_info));
  PositionUpdated();
}

void MWinGraph::SetBlocksOffset(float start, float width) {
  if (width > 0) {
    m_block_offset_on = 1;
    m_block_offset_start = start;
    m_block_offset_width = width;
  } else {
    m_block_offset_on = 0;
  }
  PositionUpdated();
}

// ---- Marks ----

char MWinGraph::SetMarks(double horz_min, double horz_max, int horz_count, double vert_min, double vert_max,
                         int vert_count) {
  int minimum = GetMinimumCount();
  if (horz_count < minimum || horz_min > horz_max || vert_count < minimum || vert_min > vert_max) {
    DebugErrorAlt(ENG_FUNC, "Invalid Parameters");
    return 0;
  }
  if (m_marks) EngFree(m_marks, 0, ENG_FUNC);
  if (m_vert_marks) EngFree(m_vert_marks, 0, ENG_FUNC);
  m_marks = nullptr;
  m_vert_marks = nullptr;
  m_vert_marks_placed = m_horz_marks_placed = 0;
  size_t horz_bytes = (size_t(horz_count) + 1) * sizeof(_MWinGraphMark);
  size_t vert_bytes = size_t(vert_count) * sizeof(float);
  m_marks = static_cast<_MWinGraphMark *>(EngMalloc(horz_bytes, ENG_FUNC, 0));
  m_vert_marks = static_cast<float *>(EngMalloc(vert_bytes, ENG_FUNC, 0));
  if (!m_marks || !m_vert_marks) {
    if (m_marks) EngFree(m_marks, 0, ENG_FUNC);
    if (m_vert_marks) EngFree(m_vert_marks, 0, ENG_FUNC);
    m_marks = nullptr;
    m_vert_marks = nullptr;
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  memset(m_marks, 0, horz_bytes);
  memset(m_vert_marks, 0, vert_bytes);
  m_horz_min = horz_min;
  m_horz_max = horz_max;
  m_horz_count = horz_count;
  m_vert_min = vert_min;
  m_vert_max = vert_max;
  m_vert_count = vert_count;
  CalcMarks();
  PositionUpdated();
  return 1;
}

void MWinGraph::CalcMarks() {
  if (!m_marks) return;
  int minimum = GetMinimumCount();
  if (!(m_horz_max - m_horz_min > 0 && m_horz_count > minimum)) m_horz_count = minimum;
}

char MWinGraph::SetMarkValue(int mark, double value) {
  if (!m_marks) {
    DebugErrorAlt(ENG_FUNC, "Marks not setup");
    return 0;
  }
  if (mark < 0 || mark >= m_horz_count) {
    DebugErrorAlt(ENG_FUNC, "Invalid horz mark num %d", mark);
    return 0;
  }
  if (value < m_vert_min || value > m_vert_max) {
    DebugErrorAlt(ENG_FUNC, "Warning - Invalid vert val %f - cropping", value);
    value = value < m_vert_min ? m_vert_min : m_vert_max;
  }
  m_marks[mark].value = value;
  PositionUpdated();
  return 1;
}

double MWinGraph::GetVertMarkValue(int mark) {
  if (!m_marks) {
    DebugErrorAlt(ENG_FUNC, "Marks not setup");
    return 0;
  }
  if (mark < 0 || mark >= m_horz_count) {
    DebugErrorAlt(ENG_FUNC, "Invalid horz mark num %d", mark);
    return 0;
  }
  return m_marks[mark].value;
}

int MWinGraph::GetHorzTickCount() const {
  if (!m_marks || !m_horz_marks_placed) return 0;
  return m_style == MWIN_GRAPH_BLOCKS ? m_horz_count + 1 : m_horz_count;
}

float MWinGraph::GetHorzTickX(int n) const {
  if (n < 0 || n >= GetHorzTickCount()) return 0;
  return float(m_marks[n].x_translation * 320.0);
}

float MWinGraph::GetVertTickY(int n) const {
  if (!m_vert_marks || !m_vert_marks_placed || n < 0 || n >= m_vert_count) return 0;
  return m_vert_marks[n] * -240.0f;
}

const _MWinGraphValueLine *MWinGraph::GetValueLine(int n) const {
  if (!m_value_lines || n < 0 || n >= m_value_line_count) return nullptr;
  return &m_value_lines[n];
}

// ---- Geometry ----

double MWinGraph::ValueLineStep(double range) {
  // The last three bounds are the single-precision values of 0.2, 0.02 and 0.002.
  static const double bounds[9] = {200000, 20000, 2000, 200, 20, 2, double(0.2f), double(0.02f), double(0.002f)};
  static const double steps[9] = {100000, 10000, 1000, 100, 10, 1, 0.1, 0.01, 0.001};
  for (int i = 0; i < 9; i++)
    if (range > bounds[i]) return steps[i];
  return 0;
}

// Takes whole steps off a value above the step until it is no longer above it; the bulk in
// one go, so a large value with a small step costs no long loop.
static double ReduceByStep(double value, double step) {
  if (value <= step) return value;
  double reduced = value - std::floor((value - step) / step) * step;
  while (reduced > step) reduced -= step;
  return reduced;
}

void MWinGraph::BuildValueLines(float bottom, float top, float base) {
  if (m_value_lines) EngFree(m_value_lines, 0, ENG_FUNC);
  m_value_lines = nullptr;
  m_value_line_count = 0;
  if (!(m_vert_min < m_vert_max)) return;
  double range = m_vert_max - m_vert_min;
  double step = ValueLineStep(range);
  if (step <= 0) return;
  double reduced_max = ReduceByStep(m_vert_max, step), reduced_min = ReduceByStep(m_vert_min, step);
  double span = (m_vert_max - reduced_max) - (m_vert_min - reduced_min);
  int count = int(span / step + 1e-6);
  if (count >= 21) {
    DebugErrorAlt(ENG_FUNC, "VLines problem");
    return;
  }
  if (count <= 0) return;
  m_value_lines = static_cast<_MWinGraphValueLine *>(EngMalloc(sizeof(_MWinGraphValueLine) * size_t(count), ENG_FUNC, 0));
  if (!m_value_lines) return;
  m_value_line_count = count;
  for (int k = 1; k <= count; k++) {
    _MWinGraphValueLine &line = m_value_lines[k - 1];
    double value = k * step;
    snprintf(line.label, sizeof(line.label), m_lines_info.decimals == 2 ? "%.2f" : "%.0f", double(float(value)));
    line.y = float(bottom - m_mark_thickness / 2 + ((value - m_vert_min) / range) * (top - base));
    line.y_translation = line.y / -240.0f;
  }
}

static void SetRect(EngTriangleList *list, unsigned int first, float x0, float y0, float x1, float y1,
                    const _ColourRGB &c, float a) {
  // Clockwise on screen, so the list keeps them through back-face culling.
  list->SetPositionsRatioed(first, x0, y0, 0, x1, y1, 0, x0, y1, 0);
  list->SetPositionsRatioed(first + 1, x0, y0, 0, x1, y0, 0, x1, y1, 0);
  list->SetColour(first, c.r, c.g, c.b, a);
  list->SetColour(first + 1, c.r, c.g, c.b, a);
}

void MWinGraph::PositionUpdated() {
  MWinButton::PositionUpdated();
  if (!HaveDevice()) return;
  if (!m_axes_list.IsCreated() && !m_axes_list.Create(ETL_TYPE_POS_COL, nullptr, 4)) return;
  if (m_lines_info.on && !m_lines_list.IsCreated() && !m_lines_list.Create(ETL_TYPE_POS_COL, nullptr, 2)) return;
  if (!m_ticks_list.IsCreated() && !m_ticks_list.Create(ETL_TYPE_POS_COL, nullptr, 4)) return;
  int minimum = GetMinimumCount();
  int segments = m_style == MWIN_GRAPH_BLOCKS ? m_horz_count : m_horz_count - 1;
  char data = segments >= minimum ? 1 : 0;
  m_data_list.Destroy();
  if (data && !m_data_list.Create(ETL_TYPE_POS_COL, nullptr, unsigned(2 * segments))) return;

  const _Dimension *a = GetActualArea();
  float left = a->x + m_margin, right = a->x + a->width - m_margin;
  float top = a->y + m_margin, bottom = a->y + a->height - m_margin;
  float base = bottom - m_axis_thickness;
  m_caption_pos[0] = {left - m_mark_length - 3, top};
  m_caption_pos[1] = {left - m_mark_length - 3, base};
  m_caption_pos[2] = {left + m_axis_thickness, bottom + m_mark_length + 3};
  m_caption_pos[3] = {right, bottom + m_mark_length + 3};

  m_axes_list.PrepareToAlterData();
  SetRect(&m_axes_list, 0, left, top, left + m_axis_thickness, bottom, m_axes_colour, 1);
  SetRect(&m_axes_list, 2, left, base, right, bottom, m_axes_colour, 1);
  m_axes_list.DoneAlteringData();

  float half_mark = m_mark_thickness / 2;
  m_ticks_list.PrepareToAlterData();
  SetRect(&m_ticks_list, 0, left - m_mark_length, -half_mark, left, half_mark, m_marks_colour, 1);
  SetRect(&m_ticks_list, 2, -half_mark, bottom, half_mark, bottom + m_mark_length, m_marks_colour, 1);
  m_ticks_list.DoneAlteringData();

  m_horz_marks_placed = m_vert_marks_placed = 0;
  if (m_marks) {
    if (segments >= minimum) {
      int positions = m_style == MWIN_GRAPH_BLOCKS ? m_horz_count + 1 : m_horz_count;
      for (int i = 0; i < positions; i++) {
        float x = left + half_mark + i * (right - left - m_mark_thickness) / segments;
        m_marks[i].x_translation = x / 320.0;
      }
      m_horz_marks_placed = 1;
    }
    if (m_vert_count > 1 && m_vert_marks) {
      for (int j = 0; j < m_vert_count; j++) {
        float y = bottom - half_mark - j * (bottom - top - m_mark_thickness) / (m_vert_count - 1);
        m_vert_marks[j] = y / -240.0f;
      }
      m_vert_marks_placed = 1;
    }
    if (data) {
      double vrange = m_vert_max - m_vert_min;
      auto x_at = [&](int i) { return left + m_axis_thickness + i * (right - left - m_axis_thickness) / segments; };
      auto y_at = [&](int i) {
        if (vrange <= 0) return base;
        return float(base - ((m_marks[i].value - m_vert_min) / vrange) * (base - top));
      };
      const _ColourRGB &c = m_graph_colour;
      m_data_list.PrepareToAlterData();
      for (int i = 0; i < segments; i++) {
        float x0 = x_at(i), x1 = x_at(i + 1), y0 = y_at(i);
        unsigned t = unsigned(2 * i);
        if (m_style == MWIN_GRAPH_LINE) {
          float y1 = y_at(i + 1);
          float half = m_line_thickness / 2, angle = std::atan2(y0 - y1, x1 - x0);
          float s = std::sin(angle) * half, co = std::cos(angle) * half;
          m_data_list.SetPositionsRatioed(t, x0 + s, y0 + co, 0, x0 - s, y0 - co, 0, x1 - s, y1 - co, 0);
          m_data_list.SetPositionsRatioed(t + 1, x0 + s, y0 + co, 0, x1 - s, y1 - co, 0, x1 + s, y1 + co, 0);
        } else if (m_style == MWIN_GRAPH_AREA) {
          float y1 = y_at(i + 1);
          m_data_list.SetPositionsRatioed(t, x0, y0, 0, x1, base, 0, x0, base, 0);
          m_data_list.SetPositionsRatioed(t + 1, x0, y0, 0, x1, y1, 0, x1, base, 0);
        } else {
          float slot = x1 - x0, g = m_block_gap / 2 < slot ? m_block_gap / 2 : 0;
          float l = x0, r = x1;
          if (m_block_offset_on) {
            l = x0 + m_block_offset_start * slot;
            r = l + m_block_offset_width * slot;
          }
          l += g;
          r -= g;
          m_data_list.SetPositionsRatioed(t, l, y0, 0, r, base, 0, l, base, 0);
          m_data_list.SetPositionsRatioed(t + 1, l, y0, 0, r, y0, 0, r, base, 0);
        }
        m_data_list.SetColour(t, c.r, c.g, c.b, 1);
        m_data_list.SetColour(t + 1, c.r, c.g, c.b, 1);
      }
      m_data_list.DoneAlteringData();
    }
  }

  if (m_lines_info.on) {
    float half = m_lines_info.line_thickness / 2;
    const _ColourRGBA &lc = m_lines_info.line_colour;
    m_lines_list.PrepareToAlterData();
    m_lines_list.SetPositionsRatioed(0, left, -half, 0, right, half, 0, left, half, 0);
    m_lines_list.SetPositionsRatioed(1, left, -half, 0, right, -half, 0, right, half, 0);
    m_lines_list.SetColour(0, lc.r, lc.g, lc.b, lc.a);
    m_lines_list.SetColour(1, lc.r, lc.g, lc.b, lc.a);
    m_lines_list.DoneAlteringData();
    BuildValueLines(bottom, top, base);
  }
}

// ---- Drawing ----

char MWinGraph::Render() {
  if (!PrepareForRender()) return 0;
  RenderNormalBack(GetRenderState());
  RestoreAfterRender();
  RenderGraph();
  RenderTexts();
  return 1;
}

void MWinGraph::RenderGraph() {
  if (!HaveDevice()) return;
  EngDevice *device = eng_main_device;
  if (m_draw_axes && m_axes_list.IsCreated()) m_axes_list.SetupAndDraw();
  if (m_marks_type >= 1 && m_marks && m_ticks_list.IsCreated()) {
    m_ticks_list.SetupForDrawing();
    device->PushTransformMatrix();
    auto draw_at = [&](int count, char vertical) {
      // Type 2 marks every position, any other type the first and the last.
      for (int n = 0; n < count; n++) {
        if (m_marks_type != MWIN_GRAPH_MARKS_ALL && n != 0 && n != count - 1) continue;
        if (vertical)
          device->SetTransformMatrixPos(0, m_vert_marks[n], 0);
        else
          device->SetTransformMatrixPos(float(m_marks[n].x_translation), 0, 0);
        m_ticks_list.DrawTrianglesSet(vertical ? 0 : 2, 2);
      }
    };
    if (m_vert_marks_placed) draw_at(m_vert_count, 1);
    draw_at(GetHorzTickCount(), 0);
    device->PopTransformMatrix();
    m_ticks_list.CleanupAfterDrawing();
  }
  if (m_lines_info.on && m_value_lines && m_lines_list.IsCreated()) {
    m_lines_list.SetupForDrawing();
    device->PushTransformMatrix();
    for (int k = 0; k < m_value_line_count; k++) {
      device->SetTransformMatrixPos(0, m_value_lines[k].y_translation, 0);
      m_lines_list.DrawTriangles();
    }
    device->PopTransformMatrix();
    m_lines_list.CleanupAfterDrawing();
  }
  if (m_data_list.IsCreated()) m_data_list.SetupAndDraw();
}

void MWinGraph::RenderTexts() {
  UpdateTextFontColourAndScale();
  MWin *mwin = GetMWin();
  if (!m_captions || GetFontNum() < 0 || !mwin || !mwin->GetFonts()) return;
  EngFont *font = mwin->GetFonts()->GetUserFont(GetFontNum());
  if (!font) return;
  EngFontPrepareForDrawingWithOrientation(1);
  // Alignments: horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 bottom.
  static const char h_align[4] = {2, 2, 1, 1}, v_align[4] = {1, 2, 0, 0};
  for (int i = 0; i < 4; i++)
    if (m_captions[i][0])
      font->DrawStringAlign(m_caption_pos[i].x, m_caption_pos[i].y, h_align[i], v_align[i], m_captions[i], 0);
  if (m_lines_info.on && m_lines_info.labels_on && m_value_lines) {
    font->SetColour(&m_lines_info.label_colour);
    font->SetScale(m_lines_info.label_scale_x, m_lines_info.label_scale_y);
    for (int k = 0; k < m_value_line_count; k++) {
      float y = m_value_lines[k].y;
      // A label too near the top or bottom caption would run into it.
      if (y > m_caption_pos[0].y + 20 && y < m_caption_pos[1].y - 20)
        font->DrawStringAlign(m_caption_pos[0].x, y, 2, 1, m_value_lines[k].label, 0);
    }
  }
  EngFontRestoreAfterDrawing();
}

// ---- Creation ----

MWinGraph *MWinGroup::AddGraph(const char *id, const char *texbut_id, float x, float y, float w, float h) {
  if (!PreAddButton(id, MWIN_BUTTON_GRAPH, nullptr)) return nullptr;
  MWinGraph *graph = new MWinGraph(m_mwin, id, this, texbut_id, x, y, w, h);
  CompleteAddButton(graph);
  return graph;
}

MWinGraph *MWinWindow::AddGraph(const char *id, const char *texbut_id, float x, float y, float w, float h) {
  MWinGroup *group = GetFirstGroup();
  if (!group) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return nullptr;
  }
  return group->AddGraph(id, texbut_id, x, y, w, h);
}
