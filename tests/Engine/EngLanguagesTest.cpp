#include "Engine/EngLanguages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"
#include "Engine/TextFile.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::ReadWholeFile;
using qwtest::WriteWholeFile;

// Whether any message in the debug log's ring holds the text.
bool LogHas(const std::string &text) {
  for (EngInt32 i = 0; i < DebugGetNumMessages(); i++) {
    _DebugMessage *message = DebugGetMessage(i);
    if (message && std::string(message->text).find(text) != std::string::npos) return true;
  }
  return false;
}

const char *const kEnglish =
    "; comment = not an entry\r\n"
    "[Section]\r\n"
    "Language=English\r\n"
    "FlagCountryCode=GB\r\n"
    "MENU_PLAY=Play\r\n"
    "=Play\r\n"
    "MENU_PLAY Play\r\n"
    "EMPTY=\r\n"
    "LIST=One#Two#Three\r\n"
    "NUM=No ##1\r\n"
    "X=A##B#D\r\n"
    "Y=A#\r\n"
    "Z=A###B\r\n"
    "T=Line1\\nLine2\r\n"
    "SPACES=trailing  \r\n"
    "EQ=a=b\r\n"
    "ARGS=%1 beat %2 (%1)\r\n"
    "ARGS3=%3-%2-%1\r\n"
    "ONLY_EN=English only#second\r\n"
    "MENU_PLAY=Second definition\r\n";

class EngLanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override { EngLanguagesExit(); }
  void TearDown() override { EngLanguagesExit(); }
  std::string Folder() const { return dir.Path(); }
  void Write(const std::string &name, const std::string &bytes) { WriteWholeFile(dir.File(name), bytes); }
  void StartEnglish() {
    Write("English.txt", kEnglish);
    ASSERT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 1);
    ASSERT_EQ(EngLanguagesInitFinished(), 1);
  }
  std::vector<std::string> SubTexts(const char *token) {
    std::vector<std::string> subs;
    EngInt32 count = 0;
    if (EngLanguagesGetTokenNumAndNumSubTextsForToken(token, &count) < 0) return subs;
    for (EngInt32 i = 0; i < count; i++) subs.push_back(EngLanguagesGetString(token, i));
    return subs;
  }

  qwtest::TempDir dir;
};

TEST_F(EngLanguagesTest, LinesAndSubTexts) {
  StartEnglish();
  EXPECT_EQ(EngLanguagesGetNumberOfLanguages(), 1);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameInEnglish(), "English");
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameNative(), "English");
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageFlagCode(), "GB");
  EXPECT_EQ(EngLangIsCurrentLangEnglish(), 1);

  struct Case {
    const char *token;
    std::vector<std::string> subs;
  };
  const Case cases[] = {
      {"Language", {"English"}},
      {"MENU_PLAY", {"Play"}},  // the first of two definitions
      {"EMPTY", {""}},
      {"LIST", {"One", "Two", "Three"}},
      {"NUM", {"No #1"}},
      {"X", {"A#B", "D"}},
      {"Y", {"A", ""}},
      {"Z", {"A##B"}},
      {"T", {"Line1\nLine2"}},
      {"SPACES", {"trailing  "}},
      {"EQ", {"a=b"}},
  };
  for (const Case &c : cases) EXPECT_EQ(SubTexts(c.token), c.subs) << c.token;
  // The two header entries and 14 more, in file order; skipped lines are not among them.
  EXPECT_EQ(EngLanguagesGetNumTokensForCurrentLanguage(), 16);
  EXPECT_STREQ(EngLanguagesGetTokenAtPos(2), "MENU_PLAY");
  EXPECT_STREQ(EngLanguagesGetTextAtPos(4), "One");
  EXPECT_STREQ(EngLanguagesGetTokenAtPos(16), "");
  EXPECT_STREQ(EngLanguagesGetString(EngInt32(4), 2), "Three");
  EXPECT_STREQ(EngLanguagesGetString(EngInt32(4)), "One");
  EXPECT_STREQ(EngLanguagesGetString(EngInt32(4), 3), "");
  EXPECT_STREQ(EngLanguagesGetString(EngInt32(99)), "");
  EXPECT_EQ(EngLanguagesGetTokenNumForToken("LIST", 2, 1), 4);
  EXPECT_EQ(EngLanguagesGetTokenNumForToken("LIST", 3, 1), -1);
  EXPECT_EQ(EngLanguagesGetTokenNumForToken("LIST", 0), 4);
  EXPECT_EQ(EngLanguagesGetTokenNumThatMatchesText("one", 1, 0, 0), -1);
  EXPECT_EQ(EngLanguagesGetTokenNumThatMatchesText("one", 0, 1, 0), 4);
  EXPECT_EQ(EngLanguagesGetTokenNumThatMatchesText("Play", 1, 0, 3), -1);
  EXPECT_EQ(EngLanguagesGetTokenNumThatMatchesText(nullptr, 1, 0, 0), -1);
}

TEST_F(EngLanguagesTest, MissingTokensGiveEmptyTextsOrTheDefault) {
  StartEnglish();
  EXPECT_STREQ(EngLanguagesGetString("NO_SUCH"), "");
  EXPECT_STREQ(EngLanguagesGetString("LIST", 7), "");
  EXPECT_STREQ(EngLanguagesGetString(static_cast<const char *>(nullptr)), "");
  EXPECT_STREQ(EngLanguagesGetString(""), "");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("NO_SUCH", "Default"), "Default");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("MENU_PLAY", "Default"), "Play");
  EXPECT_EQ(EngLangTokenExists("NO_SUCH"), 0);
  EXPECT_EQ(EngLangTokenExists("LIST", 2), 1);
  EXPECT_EQ(EngLangTokenExists("LIST", 3), 0);
  EngInt32 count = 5;
  EXPECT_EQ(EngLanguagesGetTokenNumAndNumSubTextsForToken("NO_SUCH", &count), -1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(EngLanguagesGetTokenNumAndNumSubTextsForToken("", &count), -1);

  EngLanguagesExit();  // nothing loaded: lookups still answer
  EXPECT_STREQ(EngLanguagesGetString("MENU_PLAY"), "");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("MENU_PLAY", "Play"), "Play");
  EXPECT_EQ(EngLanguagesIsSetup(), 0);
}

TEST_F(EngLanguagesTest, LongLinesAndTokensAreSkipped) {
  const std::string token63(63, 'T'), token64(64, 'U');
  const std::string fill = "X=" + std::string(4093, 'x');  // 4095 characters
  Write("English.txt", "Language=English\nFlagCountryCode=GB\n" + token63 + "=ok\n" + token64 + "=no\n" + fill +
                           "\n" + fill + "y\nAFTER=still read\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "English", 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_STREQ(EngLanguagesGetString(token63.c_str()), "ok");
  EXPECT_EQ(EngLangTokenExists(token64.c_str()), 0);
  EXPECT_EQ(std::string(EngLanguagesGetString("X")), fill.substr(2));
  EXPECT_EQ(EngLanguagesGetNumTokensForCurrentLanguage(), 5);  // the 4096-character line is not among them
  EXPECT_STREQ(EngLanguagesGetString("AFTER"), "still read");
}

TEST_F(EngLanguagesTest, BadLinesAndMissingTokensAreReported) {
  DebugResetForTests();
  ASSERT_EQ(DebugSetLogFilename(dir.File("log.txt").c_str(), 0), 1);
  Write("English.txt", "Language=English\nFlagCountryCode=GB\n" + std::string(64, 'U') + "=no\nX=" +
                           std::string(4094, 'x') + "\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_TRUE(LogHas("Token on line 3 of <" + dir.File("English.txt") + "> is longer than 63 characters"));
  EXPECT_TRUE(LogHas("Line 4 of <" + dir.File("English.txt") + "> is longer than 4095 characters"));
  EXPECT_STREQ(EngLanguagesGetString("NO_SUCH", 2), "");
  EXPECT_TRUE(LogHas("Token <NO_SUCH:2> not found"));
  char out[8];
  EXPECT_EQ(EngLanguagesSetStringFromTokenWithArg("Language", "toolong", out, sizeof out), 0);
  EXPECT_TRUE(LogHas("Lengths not ok (7 > 8 - 7 - 0)"));
  DebugResetForTests();
}

TEST_F(EngLanguagesTest, EveryEncodingReadsAlike) {
  const std::string text = "Language=Fran\xE7" "ais \t\nFlagCountryCode=FRA\nGREETING=Caf\xE9#Cr\xE8me\n";
  for (int encoding : {TF_ANSI, TF_UTF8, TF_UTF16LE, TF_UTF16BE}) {
    SCOPED_TRACE(encoding);
    EngLanguagesExit();
    TextFile file;
    ASSERT_EQ(file.Open(dir.File("French.txt").c_str(), TF_WRITE, encoding, 0), TF_OK);
    ASSERT_EQ(file.WriteString(nullptr, text.c_str()), TF_OK);
    ASSERT_EQ(file.Close(), TF_OK);
    ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "french", 0), 1);
    ASSERT_EQ(EngLanguagesInitFinished(), 1);
    EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameNative(), "Fran\xE7" "ais");  // trailing blanks trimmed
    EXPECT_STREQ(EngLanguagesGetCurrentLanguageFlagCode(), "FR");                // cut to 2
    EXPECT_EQ(EngLangIsCurrentLangEnglish(), 0);
    EXPECT_STREQ(EngLanguagesGetString("GREETING", 1), "Cr\xE8me");
  }
  // UTF-8 bytes in a single-byte file of a translation become their Latin-1 characters.
  EngLanguagesExit();
  Write("French.txt", "Language=Fran\xC3\xA7" "ais\nFlagCountryCode=FR\nGREETING=Caf\xC3\xA9 \xE2\x82\xAC\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "French", 0), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameNative(), "Fran\xE7" "ais");
  EXPECT_STREQ(EngLanguagesGetString("GREETING"), "Caf\xE9 ");
}

TEST_F(EngLanguagesTest, TranslationFallsBackToEnglish) {
  Write("English.txt", kEnglish);
  Write("German.txt", "Language=Deutsch\nFlagCountryCode=DE\nMENU_PLAY=Spielen\nEXTRA=Nur hier\nLIST=Eins\n");
  Write("Notes.md", "not a language");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "GERMAN", 0), 1);
  EXPECT_EQ(EngLanguagesGetNumberOfLanguages(), 2);
  EXPECT_STREQ(EngLanguagesGetLanguageNameInEnglish(0), "English");  // English is language 0
  EXPECT_STREQ(EngLanguagesGetLanguageNameNative(1), "Deutsch");
  EXPECT_STREQ(EngLanguagesGetLanguageNameInEnglishAnsi(1), "German");
  EXPECT_STREQ(EngLanguagesGetLanguageCountryFlagCode(5), "");
  ASSERT_EQ(EngLanguagesInitFinished(), 1);  // also runs the translation check
  EXPECT_EQ(EngLanguagesGetCurrentLanguageNumber(), 1);
  EXPECT_EQ(EngLangIsCurrentLangEnglish(), 0);

  EXPECT_STREQ(EngLanguagesGetString("MENU_PLAY"), "Spielen");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("ONLY_EN", "Default"), "Default");  // no fallback here
  const EngInt32 before = EngLanguagesGetNumTokensForCurrentLanguage();
  EXPECT_STREQ(EngLanguagesGetString("ONLY_EN", 1), "second");
  EXPECT_EQ(EngLanguagesGetNumTokensForCurrentLanguage(), before + 1);  // copied into the translation
  EXPECT_STREQ(EngLanguagesGetString("ONLY_EN"), "English only");
  EXPECT_EQ(EngLanguagesGetNumTokensForCurrentLanguage(), before + 1);
  EXPECT_STREQ(EngLanguagesGetString("LIST", 1), "");  // the translation's entry wins, with one sub text
  EXPECT_STREQ(EngLanguagesGetString("NOWHERE"), "");

  ASSERT_EQ(EngLanguagesSetCurrentLanguage("english"), 1);
  EXPECT_EQ(EngLangIsCurrentLangEnglish(), 1);
  EXPECT_STREQ(EngLanguagesGetString("MENU_PLAY"), "Play");
  EXPECT_EQ(EngLangTokenExists("EXTRA"), 0);
  EXPECT_EQ(EngLanguagesSetCurrentLanguage(7), 0);
  EXPECT_EQ(EngLanguagesSetCurrentLanguage("Klingon"), 0);
  EXPECT_EQ(EngLanguagesGetCurrentLanguageNumber(), 0);
}

TEST_F(EngLanguagesTest, SetUpFailuresAndOrder) {
  EXPECT_EQ(EngLanguagesInit(dir.File("missing").c_str(), nullptr, 1), 0);
  EXPECT_EQ(EngLanguagesInit(nullptr, nullptr, 1), 0);
  EXPECT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 0);  // no language files
  Write("French.txt", "Language=Fran\xE7" "ais\nFlagCountryCode=FR\n");
  EXPECT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 0);  // English only, and no English
  EXPECT_EQ(EngLanguagesIsSetup(), 0);
  EXPECT_EQ(EngLanguagesGetCurrentLanguageNumber(), 0);
  EXPECT_EQ(EngLanguagesInitFinished(), 0);

  // An unknown default language falls back to language 0.
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "Welsh", 0), 1);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameInEnglish(), "French");
  EXPECT_EQ(EngLanguagesInitAddExtraTextsPath(Folder().c_str()), 0);  // already present
  EXPECT_EQ(EngLanguagesInitAddExtraTextsPath(dir.File("none").c_str()), 0);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_EQ(EngLanguagesInitFinished(), 0);
  EXPECT_EQ(EngLanguagesInitAddExtraTextsPath(Folder().c_str()), 0);

  // A header without its flag code is reported, the language stays.
  EngLanguagesExit();
  Write("French.txt", "Language=Fran\xE7" "ais\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "French", 0), 1);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageFlagCode(), "");
  // Initialising again starts over.
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), "French", 0), 1);
  EXPECT_EQ(EngLanguagesGetNumberOfLanguages(), 1);
}

TEST_F(EngLanguagesTest, EntriesFromSeveralTextFolders) {
  qwtest::TempDir extra;
  Write("English.txt", "Language=English\nFlagCountryCode=GB\nA=common\n");
  WriteWholeFile(extra.File("English.txt"), "Language=English\nFlagCountryCode=US\nB=extra\nA=shadowed\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitAddExtraTextsPath(extra.Path().c_str()), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_STREQ(EngLanguagesGetString("A"), "common");
  EXPECT_STREQ(EngLanguagesGetString("B"), "extra");
}

TEST_F(EngLanguagesTest, ArgumentsFillPlaceholders) {
  StartEnglish();
  char out[64];
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args("ARGS", "Ann", "Bob", out, sizeof out), 1);
  EXPECT_STREQ(out, "Ann beat Bob (%1)");  // only the first %1
  EXPECT_EQ(EngLanguagesSetStringFromTokenWithArg("ARGS", "%2", out, sizeof out), 1);
  EXPECT_STREQ(out, "%2 beat %2 (%1)");  // an argument's '%' is not a placeholder
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith3Args("ARGS3", "a", "b", "c", out, sizeof out), 1);
  EXPECT_STREQ(out, "c-b-a");

  // The text must be shorter than the room left by the arguments.
  char small[24];
  memset(small, 'Z', sizeof small);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args("ARGS", "Ann", "Bob", small, 20), 0);
  EXPECT_EQ(small[0], 'Z');
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args("ARGS", "Ann", "Bob", small, 24), 1);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith3Args("ARGS3", "aaaaaaaaaa", "b", "c", small, 12), 0);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args(nullptr, "a", "b", out, sizeof out), 0);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args("ARGS", nullptr, "b", out, sizeof out), 0);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWith2Args("ARGS", "a", "b", nullptr, 10), 0);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWithArg("EMPTY", "a", out, sizeof out), 0);
  EXPECT_EQ(EngLanguagesSetStringFromTokenWithArg("NO_SUCH", "a", out, sizeof out), 0);

  const std::string long_arg(300, 'L');
  char *made = EngLanguagesAllocAndSetStringFromTokenWith2Args("ARGS", long_arg.c_str(), "B");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(std::string(made), long_arg + " beat B (%1)");
  EngFree(made, 0, "test");
  made = EngLanguagesAllocAndSetStringFromTokenWithArg("T", "x");
  ASSERT_NE(made, nullptr);
  EXPECT_STREQ(made, "Line1\nLine2");
  EngFree(made, 0, "test");
  made = EngLanguagesAllocAndSetStringFromTokenWith3Args("ARGS3", "1", "2", "3");
  ASSERT_NE(made, nullptr);
  EXPECT_STREQ(made, "3-2-1");
  EngFree(made, 0, "test");
  EXPECT_EQ(EngLanguagesAllocAndSetStringFromTokenWithArg("NO_SUCH", "x"), nullptr);
}

// The text the code shows: the language's, else the default the code carries, filled alike.
TEST_F(EngLanguagesTest, TextsFallBackToTheDefaultAndFillTheirArguments) {
  StartEnglish();
  const struct {
    const char *token, *fallback, *arg1, *arg2, *expected;
  } cases[] = {
      {"ARGS", "unused", "Ann", "Bob", "Ann beat Bob (%1)"},
      {"ARGS", "unused", "%2", nullptr, "%2 beat %2 (%1)"},  // a null argument keeps its mark
      {"NO_SUCH", "Level %1 of %2", "3", "9", "Level 3 of 9"},
      {"NO_SUCH", "Welcome, %1.", nullptr, nullptr, "Welcome, %1."},
      {"MENU_PLAY", "unused", nullptr, nullptr, "Play"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(EngLanguagesText(c.token, c.fallback, c.arg1, c.arg2), c.expected) << c.token << " " << c.fallback;
  EXPECT_EQ(EngLanguagesText("ARGS3", "", "a", "b", "c"), "c-b-a");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("LIST", 1, "none"), "Two");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("LIST", 3, "none"), "none");
  EXPECT_STREQ(EngLanguagesGetStringIfExists("NO_SUCH", 1, "none"), "none");
}

TEST_F(EngLanguagesTest, NewTokensAreAppendedInTheFilesEncoding) {
  Write("English.txt", "\xEF\xBB\xBFLanguage=English\r\nFlagCountryCode=GB\r\nA=a\r\n");
  ASSERT_EQ(EngLanguagesInit(Folder().c_str(), nullptr, 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_EQ(EngLanguagesAddTokenAndTextToAppTexts("A", "ignored"), 2);
  EXPECT_EQ(EngLanguagesAddTokenAndTextToAppTexts("", "x"), -1);
  EXPECT_EQ(EngLanguagesAddTokenAndTextToAppTexts("NEW", "Caf\xE9"), 3);
  EXPECT_EQ(EngLanguagesAddTokenAndTextToAppTexts("BLANK", nullptr), 4);
  EXPECT_STREQ(EngLanguagesGetString("NEW"), "Caf\xE9");
  EXPECT_EQ(ReadWholeFile(dir.File("English.txt")),
            "\xEF\xBB\xBFLanguage=English\r\nFlagCountryCode=GB\r\nA=a\r\nNEW=Caf\xC3\xA9\r\nBLANK=\r\n");
}

TEST(EngLanguagesHelpersTest, Utf8FormsBecomeLatin1Bytes) {
  struct Case {
    const char *line;
    const char *converted;  // null: used unchanged
  };
  const Case cases[] = {
      {"plain", nullptr},
      {"caf\xC3\xA9", "caf\xE9"},
      {"\xC2\xA1!\xC3\xBF", "\xA1!\xFF"},
      {"\xC2\xA0 no-break space", nullptr},  // U+00A0 and U+00AD are not in the table
      {"\xE9 alone", nullptr},                // Latin-1 already: left alone
      {"\xE9 and \xC3\xA9", " and \xE9"},     // mixed: other high bytes are dropped
  };
  for (const Case &c : cases) {
    char *converted = ConvertUtf8ToExtendedAscii(c.line);
    if (!c.converted) {
      EXPECT_EQ(converted, nullptr) << c.line;
    } else {
      ASSERT_NE(converted, nullptr) << c.line;
      EXPECT_STREQ(converted, c.converted);
      EngFree(converted, 0, "test");
    }
  }
  EXPECT_EQ(GetExtendedAsciiCharNum("\xC3\xA9"), 0xE9);
  EXPECT_EQ(GetExtendedAsciiCharNum("\xC2\xAD"), 0);
  EXPECT_EQ(GetExtendedAsciiCharNum("a"), 0);

  char *shown = EngLangChangeNewLinesToSlashNsInString("a\r\nb\n");
  EXPECT_STREQ(shown, "a\\nb\\n");
  EngFree(shown, 0, "test");
  EXPECT_EQ(EngLangChangeNewLinesToSlashNsInString(nullptr), nullptr);

  EXPECT_EQ(EngLanguagesDirListUnicodeMatchCB(0, "a.txt", ".", nullptr), 1);
  EXPECT_EQ(EngLanguagesDirListUnicodeMatchCB(0, ".txt", ".", nullptr), 0);
  EXPECT_EQ(EngLanguagesDirListUnicodeMatchCB(0, "English.TXT", ".", nullptr), 0);
  EXPECT_EQ(EngLanguagesDirListUnicodeMatchCB(0, (std::string(56, 'n') + ".txt").c_str(), ".", nullptr), 0);
}

TEST(EngLanguagesHelpersTest, LanguageNameBufferBecomesEnglish) {
  struct Case {
    const char *before;
    char keep, note, result;
    const char *after;
  };
  const Case cases[] = {
      {"", 0, 1, 1, "English"},      {"German", 0, 0, 1, "English"}, {"German", 1, 0, 0, "German"},
      {"", 1, 1, 1, "English"},      {"English", 0, 0, 0, "English"},
  };
  for (const Case &c : cases) {
    char buffer[ENG_LANG_NAME_SIZE];
    strcpy(buffer, c.before);
    EXPECT_EQ(EngLanguagesSetLangNameStringToEnglish(buffer, c.keep, c.note), c.result) << c.before;
    EXPECT_STREQ(buffer, c.after);
  }
  EXPECT_EQ(EngLanguagesSetLangNameStringToEnglish(nullptr, 0, 0), 0);
}

TEST(EngLanguagesResourceTest, TheGamesEnglishTextsLoad) {
  EngLanguagesExit();
  const std::string folder = qwtest::SourceDir() + "/resources/CommonTexts";
  ASSERT_EQ(EngLanguagesInit(folder.c_str(), "English", 1), 1);
  ASSERT_EQ(EngLanguagesInitFinished(), 1);
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageNameNative(), "English");
  EXPECT_STREQ(EngLanguagesGetCurrentLanguageFlagCode(), "GB");
  EXPECT_EQ(EngLangIsCurrentLangEnglish(), 1);
  // Every token is defined once.
  const EngInt32 count = EngLanguagesGetNumTokensForCurrentLanguage();
  for (EngInt32 i = 0; i < count; i++)
    EXPECT_EQ(EngLanguagesGetTokenNumForToken(EngLanguagesGetTokenAtPos(i), 0), i) << EngLanguagesGetTokenAtPos(i);
  EngLanguagesExit();
}

}  // namespace
