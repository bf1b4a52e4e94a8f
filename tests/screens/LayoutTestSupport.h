// For tests of the generated screen layouts on the real toolkit: a layout class without its
// screen's behaviour, the toolkit with the game's font id, and the checks of built rectangles
// and members that every layout's test makes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>

#include "Engine/EngFont.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {

// The generated layout alone: no behaviour.
template <class Layout>
class LayoutOnly : public Layout {
 public:
  void StartingCB(void *) override {}
  void TickCB() override {}
  void RenderCB(_MWinRenderStage) override {}
  char ButtonsCallback(MWinButton *, _MWinButtonCallbackInfo *) override { return 0; }
};

// The toolkit with the game's font id, as its skin registers it.
class LayoutTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    mwin->GetFonts()->AddUserFontPointer("Main", &m_font);
  }
  EngFont m_font;
};

// A widget's rectangle as built.
inline void ExpectArea(const _Dimension *a, const _Dimension &area) {
  EXPECT_FLOAT_EQ(a->x, area.x);
  EXPECT_FLOAT_EQ(a->y, area.y);
  EXPECT_FLOAT_EQ(a->width, area.width);
  EXPECT_FLOAT_EQ(a->height, area.height);
}

// Every member is built and is the window's widget of its id, in the builders' order (call
// through ASSERT_NO_FATAL_FAILURE: a member not built stops the test).
template <std::size_t N>
void ExpectMembersInOrder(const std::array<MWinButton *, N> &members, MWinWindow *window,
                          const char *const (&order)[N]) {
  for (std::size_t i = 0; i < N; i++) {
    ASSERT_NE(members[i], nullptr) << order[i];
    EXPECT_EQ(members[i], window->GetButtonFromID(order[i], 0)) << order[i];
  }
}

}  // namespace qwtest
