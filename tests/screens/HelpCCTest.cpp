// The help screen's page text: the formatting of one page from its texts, every page of the
// game's help as the text box gets it, and a page that is not there.
#include "screens/HelpCC.h"

#include <gtest/gtest.h>

#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "tests/Engine/MWin/MWinTestSupport.h"

namespace {

std::string Formatted(const char *title_a, const char *text_a, const char *text_a2, const char *title_b,
                      const char *text_b, const char *text_b2, const char *text_b3) {
  char *text = HelpCC_UpdatesTextsFromTexts(title_a, text_a, text_a2, title_b, text_b, text_b2, text_b3);
  if (!text) return "(null)";
  std::string result = text;
  EngFree(text, 0, "test");
  return result;
}

TEST(HelpCCTest, APageIsTitleATextsAThenTitleBAndItsTexts) {
  struct Case {
    const char *title_a, *text_a, *text_a2, *title_b, *text_b, *text_b2, *text_b3;
    const char *expected;
  };
  const Case cases[] = {
      {"TA", "a", nullptr, nullptr, nullptr, nullptr, nullptr, "<0>TA\n\na"},
      {"TA", "a", "a2", nullptr, nullptr, nullptr, nullptr, "<0>TA\n\naa2"},
      {"TA", "a", nullptr, "TB", "b", nullptr, nullptr, "<0>TA\n\na\n\n\n<1>TB\n\nb"},
      {"TA", "a", "a2", "TB", "b", "b2", nullptr, "<0>TA\n\naa2\n\n\n<1>TB\n\nbb2"},
      {"TA", "a", nullptr, "TB", "b", "b2", "b3", "<0>TA\n\na\n\n\n<1>TB\n\nbb2b3"},
      // Texts B go with title B: without it they are left out.
      {"TA", "a", nullptr, nullptr, "b", "b2", "b3", "<0>TA\n\na"},
      {"TA", nullptr, nullptr, "TB", nullptr, nullptr, "b3", "<0>TA\n\n\n\n\n<1>TB\n\nb3"},
      {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "<0>\n\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Formatted(c.title_a, c.text_a, c.text_a2, c.title_b, c.text_b, c.text_b2, c.text_b3), c.expected);
  }
  // Long texts are whole: the 64 spare bytes are only for the tags and line breaks.
  const std::string a(5000, 'a'), b(7000, 'b');
  EXPECT_EQ(Formatted("T", a.c_str(), a.c_str(), "U", b.c_str(), b.c_str(), b.c_str()),
            "<0>T\n\n" + a + a + "\n\n\n<1>U\n\n" + b + b + b);
}

TEST(HelpCCTest, EveryPageOfTheHelpOpensWithItsTitleAndAFifthPageIsNotThere) {
  DebugResetForTests();
  HelpCC help;
  const char *titles[] = {"<0>Objective\n\n", "<0>Upgrading\n\n", "<0>Weapons\n\n", "<0>Targeting\n\n",
                          "<0>Tips\n\n"};
  const char *seconds[] = {"<1>Creating Factories & Weapons\n\n", "<1>Full Upgrades\n\n", nullptr,
                           "<1>Pausing & Resuming\n\n", nullptr};
  for (int page = 0; page < HELP_NUM_PAGES; page++) {
    SCOPED_TRACE(page);
    help.SetPageForTests(EngUInt8(page));
    help.UpdateText();
    ASSERT_NE(help.GetPageText(), nullptr);
    const std::string text = help.GetPageText();
    EXPECT_EQ(text.rfind(titles[page], 0), 0u) << text;
    EXPECT_EQ(text.find("<1>") != std::string::npos, seconds[page] != nullptr) << text;
    if (seconds[page]) {
      EXPECT_NE(text.find(std::string("\n\n\n") + seconds[page]), std::string::npos) << text;
    }
  }
  // A text's own trailing space is kept: "To create a factory, " runs on into the next text.
  help.SetPageForTests(0);
  help.UpdateText();
  EXPECT_NE(std::string(help.GetPageText()).find("To create a factory, first select one"), std::string::npos);

  for (int page : {5, 200}) {
    help.SetPageForTests(EngUInt8(page));
    std::string log = qwtest::Logged([&] { help.UpdateText(); });
    EXPECT_NE(log.find("Bad page num " + std::to_string(page) + "."), std::string::npos) << log;
    EXPECT_EQ(help.GetPageText(), nullptr);
  }
  DebugResetForTests();
}

}  // namespace
