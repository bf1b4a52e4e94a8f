// The colour picker (widget kind 10): three stacked horizontal scrollbars for hue, saturation
// and brightness over generated strips of what each selects, optionally bound to a caller's
// colour that it keeps up to date. The scrollbars are its own, outside its group's list.
#pragma once

#include "Engine/MWin/MWinButton.h"

class MWinHorzScrollbar;

constexpr int MWIN_COLOUR_STRIP_W = 256;
constexpr int MWIN_COLOUR_STRIP_H = 32;
constexpr int MWIN_COLOUR_STRIP_BYTES = MWIN_COLOUR_STRIP_W * MWIN_COLOUR_STRIP_H * 3;

class MWinColour : public MWinButton {
 public:
  MWinColour(MWin *mwin, const char *id, MWinGroup *group, const char *texbut_id, const ENG_CHAR *text, float x,
             float y, float w, float h);
  ~MWinColour() override;
  void PositionUpdated() override;
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
  char CreateScrollbarsIfNeeded();
  void Set(float r, float g, float b, char call_callback);
  void Set(const _ColourRGB *colour, char call_callback);
  char Get(_ColourRGB *out);
  char Get(float *r, float *g, float *b);
  char RegisterVariable(_ColourRGB *var);
  char RegisterVariableMult(_ColourRGB *var, float multiplier, float offset);
  void UpdateFromRegisteredVariable(char call_callback);
  void UpdateVar();
  void CalcCurrentColour();
  void UpdatePartsFromValue();
  void UpdateFromScrollbars(char call_callback);
  void UpdateFromCurrentValues(char call_callback);
  void ScrollbarsCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int bar, int b);

  float GetHuePos() const { return m_hue_pos; }
  float GetSaturation() const { return m_saturation; }
  float GetValue() const { return m_value; }
  MWinHorzScrollbar *GetScrollbar(int bar) { return (bar >= 0 && bar < 3) ? m_scrollbars[bar] : nullptr; }
  // A bar's strip, RGB rows of 256 pixels, 32 rows; null before the bar exists.
  const unsigned char *GetStripPixels(int bar) const { return (bar >= 0 && bar < 3) ? m_pixels[bar] : nullptr; }

 private:
  void DeleteScrollbars();
  char AnyScrollbarHoldsMouse();

  _ColourRGB m_colour = {0.5f, 0.5f, 0.5f};
  float m_multiplier = 1.0f;
  float m_offset = 0.0f;
  float m_hue_pos = 127.5f;
  float m_saturation = 0.5f;
  float m_value = 0.5f;
  unsigned char *m_pixels[3] = {nullptr, nullptr, nullptr};
  MWinHorzScrollbar *m_scrollbars[3] = {nullptr, nullptr, nullptr};
};

void MWinColour_ScrollbarsCallback(MWin *mwin, _MWinButtonCallbackInfo *info, int bar, int b, void *data);
