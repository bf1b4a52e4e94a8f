// What the horizontal and vertical scrollbars share: a value in [min, max] kept as a double,
// page and arrow steps, snapping, the value written after a text prefix, a bound variable of
// the caller, and the thumb, track, arrow, wheel and key input along one axis.
#pragma once

#include "Engine/MWin/MWinButton.h"

class MWinScrollbar : public MWinButton {
 public:
  ~MWinScrollbar() override;
  char Render() override;
  char HandleMouseButtonPressed(char button, char pressed, char flag) override;
  char HandleMouseButtonDoubleClicked(char button) override;
  void HandleMouseButtonPressCanceled() override;
  void HandleMouseMove() override;
  char HandleMouseWheel(int delta) override;
  char HandleKeyDown(int key) override;
  char KeepFocusOnMouseMove() override;
  void Deactivate() override;

  void Reset();

  // Range and steps; ignored when min > max. Each puts the value at the minimum and makes the
  // scrollbar ready, without rebuilding the text, writing the variable or calling back.
  void SetValues(int min, int max, int page, int step);
  void SetValuesLong(int min, int max, int page, int step);
  void SetValuesFloat(float min, float max, float page, float step);
  void SetValuesDouble(double min, double max, double page, double step);
  void DoSetValuesDouble(double min, double max, double page, double step);
  void TurnOnArrows(char on) { SetArrowsShown(on, on); }
  void SetSnapFloat(float unit) { m_snap = unit; }

  // The one way the value changes: clamped, snapped, text rebuilt, variable written, callback.
  char SetPosDouble(double value, char dragging, char force, char notify);
  char SetPos(int value, char notify) { return SetPosDouble(value, 0, 0, notify); }
  char SetPosFloat(float value, char notify) { return SetPosDouble(value, 0, 0, notify); }
  char SetPosLong(EngInt32 value, char notify) { return SetPosDouble(value, 0, 0, notify); }
  char SetPosUnsignedLong(EngUInt32 value, char notify) { return SetPosDouble(value, 0, 0, notify); }
  // -1 on a widget of another kind.
  double GetPosDouble();
  float GetPosFloat();
  int GetPos();
  int GetPosLong() { return GetPos(); }

  // Binds a variable and moves to its value times the multiplier.
  char RegisterCharVariable(char *var, char notify = 0);
  char RegisterUnsignedCharVariable(unsigned char *var, char notify = 0);
  char RegisterIntVariable(int *var, int mult, char notify = 0);
  char RegisterLongVariable(EngInt32 *var, EngInt32 mult, char notify = 0);
  char RegisterUnsignedLongVariable(EngUInt32 *var, EngUInt32 mult, char notify = 0);
  char RegisterFloatVariable(float *var, float mult, char notify = 0);
  void UpdateFromRegisteredVariable(char notify);

  // One page: direction < 1 down, else up.
  void Jump(int direction);
  // One arrow step (0 down, 1 up), never onto a bound closer than a step: 1 when it moved.
  char ArrowPress(int direction);
  void DraggingOver();
  char RenderNoPrepare();
  void UpdateText();
  double ApplySnap(double value);

  // Along the axis: the thumb's leading edge on screen and the value whose thumb centre lies
  // at a screen coordinate.
  float GetScreenPos();
  float GetThumbLength();
  double DoGetPosFromScreen(float screen);

  // The fields, in order. Others read them; changes go through the operations above.
  double m_pos;
  double m_min;
  double m_max;
  double m_page;
  double m_step;
  char m_auto_text;  // 0 off, 1..5 a value with 0..4 decimals, 100 an integer
  int m_auto_text_prefix_len;
  float m_auto_text_multiplier;
  float m_snap;
  char m_auto_text_brackets;
  char m_moved_by_drag;
  float m_drag_offset;

 protected:
  MWinScrollbar(MWin *mwin, const char *id, MWinGroup *group, _MWinButtonType kind, const char *texbut_id,
                const ENG_CHAR *text, float x, float y, float w, float h);
  char IsOwnKind() const { return GetType() == m_kind; }
  char IsVertical() const { return m_kind == MWIN_BUTTON_VERT_SCROLLBAR; }
  // The decimal auto text's settings, shared by both kinds' SetAutoTextFloat.
  void DoSetAutoTextFloat(char on, char decimals, char use_prefix, float multiplier, char brackets);
  void SetPrefixFromText(char use_prefix);

 private:
  struct Geometry {
    float start, length;       // the widget along the axis
    float thumb, thickness;    // thumb length along the axis, thickness across it
    float arrow_length, arrow_inset;
    float track_start, travel;
  };
  char GetGeometry(Geometry *g);
  void StoreValues(double min, double max, double page, double step);
  void RenderButton(_MWinTextureState state);
  void WriteBoundVariable();
  void Notify(char dragging);
  void PageMove(int direction);
  char DoArrowStep(int direction, char notify);
  float MouseAlongAxis();

  _MWinButtonType m_kind;
};
