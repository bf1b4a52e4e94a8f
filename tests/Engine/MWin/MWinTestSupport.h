// A toolkit root for the toolkit tests: turned on with no device and a 640 by 480 window
// size, so window pixels are design units; helpers to build windows and buttons and to click.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Engine/MWin/MWin.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinWindow.h"

namespace qwtest {

// Sets the window size, ratios and widescreen ratio that the toolkit reads.
void SetWindowSizeForToolkit(int width, int height, float widescreen_ratio = 1.0f);

// What was logged while running f.
std::string Logged(const std::function<void()> &f);

class MWinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  MWinDesktop *Desktop() { return mwin->GetDesktop(); }
  MWinWindow *AddWindow(MWinCollection *collection, const char *id, float x, float y, float w, float h,
                        _MWinWindowType type = MWIN_WINDOW_NORMAL);
  // A push button that counts its presses in `presses` under its own id.
  MWinButton *AddCountingButton(MWinWindow *window, const char *id, float x, float y, float w, float h);
  int Presses(const std::string &id);
  void Click(float x, float y, char button = 0);

  MWin *mwin = nullptr;
};

}  // namespace qwtest
