// The pie gauge (widget kind 11): an outer disc, an inner disc and a sector for the value, each
// a fan of 64 triangles in its own list, fed by a value and maximum or by a bound float. The
// lists are made on the first position update and dropped with the device's objects.
#include <cmath>

#include "Engine/EngDebug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMain.h"
#include "Engine/EngMath.h"
#include "Engine/EngTriangleList.h"
#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinSettings.h"

void MWinButton::PieReset() {
  m_pie.max = 1.0f;
  m_pie.value = 0.5f;
  if (!m_mwin) return;
  const float *c = m_mwin->GetSettings()->pie_colours;
  for (int fan = 0; fan < MWIN_PIE_NUM_FANS; fan++) m_pie.colours[fan] = {c[fan * 3], c[fan * 3 + 1], c[fan * 3 + 2]};
}

void MWinButton::PieSetColours(float vr, float vg, float vb, float ir, float ig, float ib, float or_, float og,
                               float ob) {
  const _ColourRGB given[MWIN_PIE_NUM_FANS] = {{vr, vg, vb}, {ir, ig, ib}, {or_, og, ob}};
  for (int fan = 0; fan < MWIN_PIE_NUM_FANS; fan++)
    if (given[fan].r >= 0) m_pie.colours[fan] = given[fan];
  PieUpdatePositions();
}

char MWinButton::PieSetValuesFloat(float value, float max) {
  if (!(value >= 0 && value <= max && max > 0)) return 0;
  m_pie.value = value;
  m_pie.max = max;
  PieUpdatePositions();
  return 1;
}

char MWinButton::PieRegisterFloatVariable(float *var, float mult) {
  RegisterFloatVariable(var, mult);
  PieUpdateFromRegisteredVariable(0);
  return 1;
}

// The gauge has no callback of its own: the flag is kept for the callers' common form.
void MWinButton::PieUpdateFromRegisteredVariable(char /*call*/) {
  if (m_reg.kind == MWIN_REGVAR_FLOAT && m_reg.float_p) {
    float value = *m_reg.float_p * m_reg.float_mult;
    // A variable holding no number would put every corner of the sector at no place.
    if (!std::isfinite(value) || value < 0) value = 0;
    if (value > m_pie.max) value = m_pie.max;
    m_pie.value = value;
  }
  PieUpdatePositions();
}

char MWinButton::PieCreateGraphicsObjects() { return 1; }

void MWinButton::PieDestroyGraphicsObjects() {
  for (EngTriangleList *&list : m_pie.lists) {
    delete list;
    list = nullptr;
  }
}

void MWinButton::PieUpdatePositions() {
  if (!eng_main_device || eng_main_device_type != 1 || !m_mwin) return;
  const _MWinSettings *settings = m_mwin->GetSettings();
  const MWinLayoutSettings *layout = GetLayoutSettings();
  const float inset = layout ? layout->pie_start : 0.0f;
  const float ring = layout ? layout->pie_gap : 0.0f;
  const float w = m_actual_area.width, h = m_actual_area.height;
  const float cx = m_actual_area.x + w / 2, cy = m_actual_area.y + h / 2;
  float outer_rx = w / 2, outer_ry = h / 2;
  if (inset != 0) {
    outer_rx = w / 2 - inset * w;
    outer_ry = h / 2 - inset * h;
  }
  float inner_rx = outer_rx, inner_ry = outer_ry;
  if (ring != 0) {
    inner_rx -= ring * w;
    inner_ry -= ring * h;
  }
  const float value_span = m_pie.max > 0 ? m_pie.value / m_pie.max * 2 * ENG_MATH_PI : 0.0f;
  const struct {
    float rx, ry, span;
  } fans[MWIN_PIE_NUM_FANS] = {
      {inner_rx, inner_ry, value_span}, {inner_rx, inner_ry, ENG_MATH_TWO_PI}, {outer_rx, outer_ry, ENG_MATH_TWO_PI}};
  const float alpha = m_colouring ? m_colour.a : 1.0f;
  for (int fan = 0; fan < MWIN_PIE_NUM_FANS; fan++) {
    if (!settings->pie_flags[fan]) continue;
    EngTriangleList *&list = m_pie.lists[fan];
    if (!list) list = new EngTriangleList();
    if (!list->IsCreated() && !list->Create(ETL_TYPE_POS_COL, nullptr, MWIN_PIE_NUM_TRIANGLES)) return;
    const float rx = fans[fan].rx < 1 ? 1.0f : fans[fan].rx;
    const float ry = fans[fan].ry < 1 ? 1.0f : fans[fan].ry;
    const _ColourRGB &c = m_pie.colours[fan];
    if (!list->PrepareToAlterData()) return;
    for (int k = 0; k < MWIN_PIE_NUM_TRIANGLES; k++) {
      const float a0 = k * fans[fan].span / MWIN_PIE_NUM_TRIANGLES + 0.5f * ENG_MATH_PI;
      const float a1 = (k + 1) * fans[fan].span / MWIN_PIE_NUM_TRIANGLES + 0.5f * ENG_MATH_PI;
      list->SetPositionsRatioed(k, cx + std::sin(-a0) * rx, cy + std::cos(-a0) * ry, 0, cx + std::sin(-a1) * rx,
                                cy + std::cos(-a1) * ry, 0, cx, cy, 0);
      list->SetColour(k, c.r, c.g, c.b, alpha);
    }
    list->DoneAlteringData();
  }
}

void MWinButton::PieRenderButton(_MWinTextureState /*state*/) {
  if (!eng_main_device || eng_main_device_type != 1 || !m_mwin) return;
  const _MWinSettings *settings = m_mwin->GetSettings();
  char changed = 0, on = 0;
  EngInt32 source = 0, destination = 0;
  if (settings->pie_flag_signed >= 0) {
    eng_main_device->GetBlendingState(&on, &source, &destination);
    eng_main_device->EnableBlendingType(settings->pie_flag_signed);
    changed = 1;
  }
  static const int order[MWIN_PIE_NUM_FANS] = {MWIN_PIE_OUTER, MWIN_PIE_INNER, MWIN_PIE_VALUE};
  for (int fan : order)
    if (settings->pie_flags[fan] && m_pie.lists[fan]) m_pie.lists[fan]->SetupAndDraw();
  if (changed) eng_main_device->SetBlendingState(on, source, destination);
}
