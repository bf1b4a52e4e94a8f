// The graph widget (kind 12): axes, tick marks, up to four captions, optional horizontal value
// lines with labels, and one data series drawn as a thick line, a filled area or blocks. All
// geometry is built into coloured triangle lists when a setting or the area changes.
#pragma once

#include "Engine/EngTriangleList.h"
#include "Engine/MWin/MWinButton.h"

enum _MWinGraphStyle : EngInt32 { MWIN_GRAPH_LINE = 0, MWIN_GRAPH_AREA = 1, MWIN_GRAPH_BLOCKS = 2 };

enum _MWinGraphDrawMarksType : EngInt32 {
  MWIN_GRAPH_MARKS_NONE = 0,
  MWIN_GRAPH_MARKS_ENDS = 1,
  MWIN_GRAPH_MARKS_ALL = 2,
};

// The horizontal value lines' settings, copied whole.
struct _MWinGraphVerticalLinesInfo {
  char on;
  float line_thickness;
  _ColourRGBA line_colour;
  char labels_on;
  EngInt32 decimals;  // 2: "%.2f"; any other value: "%.0f"
  float label_scale_x, label_scale_y;
  _ColourRGBA label_colour;
};

// One horizontal mark: its tick's x as design x / 320 and the data value there.
struct _MWinGraphMark {
  double x_translation;
  double value;
};

struct _MWinGraphValueLine {
  float y_translation;  // design y / -240
  float y;              // design units
  char label[16];
};

class MWinGraph : public MWinButton {
 public:
  MWinGraph(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, float x, float y, float w, float h);
  ~MWinGraph() override;
  char CreateGraphicsObjects() override;
  void DestroyGraphicsObjects() override;
  void PositionUpdated() override;
  char Render() override;

  void Reset();
  void Free();
  void SetStyle(_MWinGraphStyle style, char draw_axes, _MWinGraphDrawMarksType marks_type, float margin,
                float line_thickness, float axis_thickness, float mark_thickness, float mark_length, float block_gap);
  void SetColours(float axes_r, float axes_g, float axes_b, float marks_r, float marks_g, float marks_b,
                  float graph_r, float graph_g, float graph_b);
  void SetTexts(const char *text1, const char *text2, const char *text3, const char *text4);
  void SetVerticalLinesSettings(const _MWinGraphVerticalLinesInfo *info);
  void SetBlocksOffset(float start, float width);
  char SetMarks(double horz_min, double horz_max, int horz_count, double vert_min, double vert_max, int vert_count);
  char SetMarkValue(int mark, double value);
  double GetVertMarkValue(int mark);
  void CalcMarks();

  // State, for the toolkit's tests and callers that lay captions out themselves.
  _MWinGraphStyle GetStyle() const { return m_style; }
  char GetDrawAxes() const { return m_draw_axes; }
  _MWinGraphDrawMarksType GetMarksType() const { return m_marks_type; }
  int GetHorzCount() const { return m_horz_count; }
  int GetVertCount() const { return m_vert_count; }
  int GetMinimumCount() const { return m_style == MWIN_GRAPH_BLOCKS ? 1 : 2; }
  char HasMarks() const { return m_marks ? 1 : 0; }
  const char *GetCaption(int n) const;
  const _Vector2d *GetCaptionPos(int n) const { return (n >= 0 && n < 4) ? &m_caption_pos[n] : nullptr; }
  int GetValueLineCount() const { return m_value_line_count; }
  const _MWinGraphValueLine *GetValueLine(int n) const;
  // Tick positions: horizontal as design x, vertical as design y; 0 when there is none.
  int GetHorzTickCount() const;
  float GetHorzTickX(int n) const;
  float GetVertTickY(int n) const;
  EngTriangleList *GetDataList() { return &m_data_list; }
  EngTriangleList *GetAxesList() { return &m_axes_list; }
  float GetMargin() const { return m_margin; }
  float GetLineThickness() const { return m_line_thickness; }
  float GetAxisThickness() const { return m_axis_thickness; }
  float GetMarkThickness() const { return m_mark_thickness; }
  float GetMarkLength() const { return m_mark_length; }
  float GetBlockGap() const { return m_block_gap; }

  // The value-line step for a vertical range; 0 when the range is too small for lines.
  static double ValueLineStep(double range);

 private:
  void DestroyLists();
  void BuildValueLines(float bottom, float top, float base);
  void RenderGraph();
  void RenderTexts();

  double m_horz_min, m_horz_max;
  EngInt32 m_horz_count;
  double m_vert_min, m_vert_max;
  EngInt32 m_vert_count;
  _Vector2d m_caption_pos[4];
  _MWinGraphVerticalLinesInfo m_lines_info;
  EngInt32 m_value_line_count;
  _MWinGraphValueLine *m_value_lines;
  char m_block_offset_on;
  float m_block_offset_start, m_block_offset_width;
  _MWinGraphMark *m_marks;       // horizontal count + 1 entries
  float *m_vert_marks;           // vertical count entries: each tick's y as design y / -240
  char m_vert_marks_placed;      // the vertical ticks have positions
  char m_horz_marks_placed;      // the horizontal ticks have positions
  char (*m_captions)[32];        // 4 captions, or null
  _MWinGraphStyle m_style;
  char m_draw_axes;
  _MWinGraphDrawMarksType m_marks_type;
  float m_margin, m_line_thickness, m_axis_thickness, m_mark_thickness, m_mark_length, m_block_gap;
  _ColourRGB m_axes_colour, m_marks_colour, m_graph_colour;
  EngTriangleList m_axes_list, m_lines_list, m_ticks_list, m_data_list;
};
