// The widget's registered variable: a program variable bound to the widget, written whenever
// the widget's value changes. Binding a new kind keeps the other kinds' pointers.
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinID.h"

static char RefuseZeroMult(const char *signature, const char *id) {
  DebugErrorAlt(signature, "ID: %s - 0 val passed as mult", MWinDisplayID(id));
  return 0;
}

char MWinButton::RegisterCharVariable(char *var) {
  m_reg.char_p = var;
  m_reg.kind = var ? MWIN_REGVAR_CHAR : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterUnsignedCharVariable(unsigned char *var) {
  m_reg.uchar_p = var;
  m_reg.kind = var ? MWIN_REGVAR_UCHAR : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterIntVariable(int *var, int mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  m_reg.int_p = var;
  m_reg.int_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_INT : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterInt16Variable(EngInt16 *var, EngInt16 mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  m_reg.int16_p = var;
  m_reg.int16_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_INT16 : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterUInt16Variable(EngUInt16 *var, EngUInt16 mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  m_reg.uint16_p = var;
  m_reg.uint16_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_UINT16 : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterLongVariable(EngInt32 *var, EngInt32 mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  m_reg.int32_p = var;
  m_reg.int32_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_INT32 : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterUnsignedLongVariable(EngUInt32 *var, EngUInt32 mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  m_reg.uint32_p = var;
  m_reg.uint32_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_UINT32 : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterFloatVariable(float *var, float mult) {
  m_reg.float_p = var;
  m_reg.float_mult = mult;
  m_reg.kind = var ? MWIN_REGVAR_FLOAT : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterTwoFloatVariables(float *low, float *high, float mult) {
  if (mult == 0) return RefuseZeroMult(ENG_FUNC, m_id);
  if (low && high) {
    m_reg.float_p = low;
    m_reg.float2_p = high;
    m_reg.float_mult = mult;
    m_reg.kind = MWIN_REGVAR_TWO_FLOATS;
    if (m_type == MWIN_BUTTON_RANGE) RangeUpdateFromRegisteredVariables(0);
    return 1;
  }
  m_reg.kind = MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterColourRGBVariable(_ColourRGB *var) {
  m_reg.colour_p = var;
  m_reg.colour_mult = 1.0f;
  m_reg.kind = var ? MWIN_REGVAR_COLOUR : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::RegisterStringVariable(char *buffer, int size) {
  if (buffer && size < 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  m_reg.string_p = buffer;
  m_reg.string_size = buffer ? size : 0;
  m_reg.kind = buffer ? MWIN_REGVAR_STRING : MWIN_REGVAR_NONE;
  return 1;
}

char MWinButton::WriteRegisteredVariable(int value) {
  switch (m_reg.kind) {
    case MWIN_REGVAR_CHAR:
      if (!m_reg.char_p) return 0;
      *m_reg.char_p = char(value);
      return 1;
    case MWIN_REGVAR_UCHAR:
      if (!m_reg.uchar_p) return 0;
      *m_reg.uchar_p = static_cast<unsigned char>(value);
      return 1;
    case MWIN_REGVAR_INT:
      if (!m_reg.int_p) return 0;
      *m_reg.int_p = value;
      return 1;
    case MWIN_REGVAR_INT16:
      if (!m_reg.int16_p) return 0;
      *m_reg.int16_p = EngInt16(value);
      return 1;
    case MWIN_REGVAR_UINT16:
      if (!m_reg.uint16_p) return 0;
      *m_reg.uint16_p = EngUInt16(value);
      return 1;
    case MWIN_REGVAR_INT32:
      if (!m_reg.int32_p) return 0;
      *m_reg.int32_p = EngInt32(value);
      return 1;
    case MWIN_REGVAR_UINT32:
      if (!m_reg.uint32_p) return 0;
      *m_reg.uint32_p = EngUInt32(value);
      return 1;
    default: return 0;
  }
}

char MWinButton::ReadRegisteredVariable(int *value) {
  if (!value) return 0;
  switch (m_reg.kind) {
    case MWIN_REGVAR_CHAR:
      if (!m_reg.char_p) return 0;
      *value = *m_reg.char_p;
      return 1;
    case MWIN_REGVAR_UCHAR:
      if (!m_reg.uchar_p) return 0;
      *value = *m_reg.uchar_p;
      return 1;
    case MWIN_REGVAR_INT:
      if (!m_reg.int_p) return 0;
      *value = *m_reg.int_p;
      return 1;
    case MWIN_REGVAR_INT16:
      if (!m_reg.int16_p) return 0;
      *value = *m_reg.int16_p;
      return 1;
    case MWIN_REGVAR_UINT16:
      if (!m_reg.uint16_p) return 0;
      *value = *m_reg.uint16_p;
      return 1;
    case MWIN_REGVAR_INT32:
      if (!m_reg.int32_p) return 0;
      *value = int(*m_reg.int32_p);
      return 1;
    case MWIN_REGVAR_UINT32:
      if (!m_reg.uint32_p) return 0;
      *value = int(*m_reg.uint32_p);
      return 1;
    default: return 0;
  }
}

char MWinButton::WriteRegisteredFloat(float value) {
  if (m_reg.kind != MWIN_REGVAR_FLOAT || !m_reg.float_p) return 0;
  *m_reg.float_p = value;
  return 1;
}

char MWinButton::WriteRegisteredString(const char *text) {
  if (m_reg.kind != MWIN_REGVAR_STRING || !m_reg.string_p || m_reg.string_size < 1) return 0;
  EngSafeStrcpy(m_reg.string_p, text ? text : "", size_t(m_reg.string_size));
  return 1;
}
