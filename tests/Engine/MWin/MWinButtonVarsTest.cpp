#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "Engine/MWin/MWinButton.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace qwtest {
namespace {

class MWinButtonVarsTest : public MWinTest {
 protected:
  void SetUp() override {
    MWinTest::SetUp();
    MWinWindow *w = AddWindow(Desktop()->AddCollection("C"), "W", 0, 0, 200, 100);
    b = w->AddButton("B", MWIN_BUTTON_CHECKBOX, "MWIN_TEXBUT_NONE", nullptr, 0, 0, 40, 20);
  }
  MWinButton *b = nullptr;
};

TEST_F(MWinButtonVarsTest, EachKindIsWrittenCutToItsWidth) {
  char c = 0;
  unsigned char uc = 0;
  int i = 0;
  EngInt16 s = 0;
  EngUInt16 us = 0;
  EngInt32 l = 0;
  EngUInt32 ul = 0;
  struct Case {
    std::function<char()> bind;
    std::function<long long()> read;
    _MWinRegVarKind kind;
    int written;
    long long want;
  } cases[] = {
      {[&] { return b->RegisterCharVariable(&c); }, [&] { return (long long)c; }, MWIN_REGVAR_CHAR, 300, 44},
      {[&] { return b->RegisterUnsignedCharVariable(&uc); }, [&] { return (long long)uc; }, MWIN_REGVAR_UCHAR, -1,
       255},
      {[&] { return b->RegisterIntVariable(&i, 1); }, [&] { return (long long)i; }, MWIN_REGVAR_INT, 70000, 70000},
      {[&] { return b->RegisterInt16Variable(&s, 1); }, [&] { return (long long)s; }, MWIN_REGVAR_INT16, 70000,
       4464},
      {[&] { return b->RegisterUInt16Variable(&us, 1); }, [&] { return (long long)us; }, MWIN_REGVAR_UINT16, -2,
       65534},
      {[&] { return b->RegisterLongVariable(&l, 1); }, [&] { return (long long)l; }, MWIN_REGVAR_INT32, -5, -5},
      {[&] { return b->RegisterUnsignedLongVariable(&ul, 1); }, [&] { return (long long)ul; }, MWIN_REGVAR_UINT32,
       -1, 4294967295ll},
  };
  for (const Case &k : cases) {
    ASSERT_TRUE(k.bind());
    EXPECT_EQ(b->GetRegisteredVariable()->kind, k.kind);
    EXPECT_TRUE(b->WriteRegisteredVariable(k.written));
    EXPECT_EQ(k.read(), k.want) << k.kind;
    int back = 0;
    EXPECT_TRUE(b->ReadRegisteredVariable(&back));
  }
}

TEST_F(MWinButtonVarsTest, ANewKindTakesOverAndAZeroMultiplierIsRefused) {
  char c = 5;
  int i = 0;
  ASSERT_TRUE(b->RegisterCharVariable(&c));
  ASSERT_TRUE(b->RegisterIntVariable(&i, 1));
  b->WriteRegisteredVariable(9);
  EXPECT_EQ(i, 9);
  EXPECT_EQ(c, 5);
  EXPECT_EQ(b->GetRegisteredVariable()->char_p, &c);  // kept, though no longer written

  int other = 0;
  std::string log = Logged([&] { EXPECT_FALSE(b->RegisterIntVariable(&other, 0)); });
  EXPECT_NE(log.find("ID: B - 0 val passed as mult"), std::string::npos) << log;
  EXPECT_EQ(b->GetRegisteredVariable()->int_p, &i);
  float lo = 0, hi = 0;
  EngInt16 s = 0;
  Logged([&] {
    EXPECT_FALSE(b->RegisterTwoFloatVariables(&lo, &hi, 0));
    EXPECT_FALSE(b->RegisterInt16Variable(&s, 0));
  });
  EXPECT_EQ(b->GetRegisteredVariable()->kind, MWIN_REGVAR_INT);

  // Null unbinds.
  EXPECT_TRUE(b->RegisterIntVariable(nullptr, 1));
  EXPECT_EQ(b->GetRegisteredVariable()->kind, MWIN_REGVAR_NONE);
  EXPECT_FALSE(b->WriteRegisteredVariable(3));
  EXPECT_TRUE(b->RegisterTwoFloatVariables(&lo, nullptr, 1));
  EXPECT_EQ(b->GetRegisteredVariable()->kind, MWIN_REGVAR_NONE);
}

TEST_F(MWinButtonVarsTest, FloatsColoursAndStringsBind) {
  float f = 0, lo = 0, hi = 0;
  _ColourRGB colour = {0, 0, 0};
  EXPECT_TRUE(b->RegisterFloatVariable(&f, 0));  // not tested for 0
  EXPECT_TRUE(b->WriteRegisteredFloat(2.5f));
  EXPECT_FLOAT_EQ(f, 2.5f);
  EXPECT_TRUE(b->RegisterTwoFloatVariables(&lo, &hi, 2));
  EXPECT_EQ(b->GetRegisteredVariable()->kind, MWIN_REGVAR_TWO_FLOATS);
  EXPECT_FALSE(b->WriteRegisteredFloat(1));
  EXPECT_TRUE(b->RegisterColourRGBVariable(&colour));
  EXPECT_EQ(b->GetRegisteredVariable()->kind, MWIN_REGVAR_COLOUR);
  EXPECT_FLOAT_EQ(b->GetRegisteredVariable()->colour_mult, 1);

  // The text edit's string: written within its buffer, terminator included.
  char buffer[6];
  memset(buffer, 'x', sizeof(buffer));
  EXPECT_TRUE(b->RegisterStringVariable(buffer, sizeof(buffer)));
  EXPECT_TRUE(b->WriteRegisteredString("abcdefghij"));
  EXPECT_STREQ(buffer, "abcde");
  EXPECT_TRUE(b->WriteRegisteredString(nullptr));
  EXPECT_STREQ(buffer, "");
  Logged([&] { EXPECT_FALSE(b->RegisterStringVariable(buffer, 0)); });
  EXPECT_FALSE(b->WriteRegisteredVariable(1));  // a string takes no number
}

}  // namespace
}  // namespace qwtest
