// The screens manager as the toolkit root sees it: whether it is on and which screens are
// current, previous and entered from. The screens table and fades build on this class.
#pragma once

#include "Engine/MWin/MWinTypes.h"

class MWinScreens {
 public:
  MWinScreens() = default;
  virtual ~MWinScreens() = default;
  MWinScreens(const MWinScreens &) = delete;
  MWinScreens &operator=(const MWinScreens &) = delete;

  // 1 when the toolkit and the screens are on.
  virtual char AreOn() { return m_on; }
  EngUInt32 GetCurrentScreen() const { return m_current_screen; }
  EngUInt32 GetPreviousScreen() const { return m_previous_screen; }
  EngUInt32 GetFromScreen() const { return m_from_screen; }

 protected:
  char m_on = 0;
  EngUInt32 m_current_screen = 0;
  EngUInt32 m_previous_screen = 0;
  EngUInt32 m_from_screen = 0;
};
