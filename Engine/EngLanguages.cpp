#include "Engine/EngLanguages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <strings.h>
#include <unordered_map>
#include <vector>

#include "Engine/EngDebug.h"
#include "Engine/EngDirList.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/TextFile.h"

class EngLangInfoC {
 public:
  void SetNameInEnglish(const char *name) {
    if (!name) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
      name_in_english.clear();
      name_in_english_ansi.clear();
      return;
    }
    name_in_english = name_in_english_ansi = name;
  }
  std::string name_in_english, name_native, name_in_english_ansi, flag_country_code;
};

class EngLangSubTextC {
 public:
  explicit EngLangSubTextC(std::string text_) : text(std::move(text_)) {}
  std::string text;
};

class EngLangTextC {
 public:
  std::string token;
  std::vector<EngLangSubTextC> sub_texts;
};

class EngLangPathC {
 public:
  char SetPath(const char *path_) {
    if (!path_) {
      DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
      return 0;
    }
    path = path_;
    return 1;
  }
  std::string path;
};

namespace {

// Entries are held by pointer so texts handed out stay put while a table grows.
struct TextTable {
  std::vector<std::unique_ptr<EngLangTextC>> entries;
  std::unordered_map<std::string, EngInt32> first;  // a token's first entry

  void Clear() {
    entries.clear();
    first.clear();
  }
  EngInt32 Find(const char *token) const {
    auto found = first.find(token);
    return found == first.end() ? -1 : found->second;
  }
  EngInt32 Append(std::unique_ptr<EngLangTextC> entry) {
    const EngInt32 number = EngInt32(entries.size());
    first.emplace(entry->token, number);
    entries.push_back(std::move(entry));
    return number;
  }
};

std::vector<EngLangInfoC> eng_languages;
std::vector<EngLangPathC> eng_lang_paths;
TextTable eng_lang_tables[2];
int eng_lang_table_selector = 0;
EngInt32 eng_lang_current = -1;
bool eng_lang_current_is_english = true;
int eng_lang_setup_state = 0;

const char kEmpty[1] = "";

TextTable &LookupTable() { return eng_lang_tables[eng_lang_table_selector]; }

bool ValidLanguage(EngInt32 number) { return number >= 0 && number < EngInt32(eng_languages.size()); }

void DecideEnglish() {
  eng_lang_current_is_english =
      !ValidLanguage(eng_lang_current) || (eng_languages[size_t(eng_lang_current)].name_in_english == "English" &&
                                           eng_languages[size_t(eng_lang_current)].name_native == "English");
}

// The two-byte UTF-8 form of each byte value from 128, or zeros where none is recognised.
struct ExtendedAsciiTable {
  unsigned char bytes[128][2];
  ExtendedAsciiTable() : bytes() {
    for (int value = 161; value < 256; value++) {
      if (value == 173) continue;
      bytes[value - 128][0] = (unsigned char)(0xC0 | (value >> 6));
      bytes[value - 128][1] = (unsigned char)(0x80 | (value & 0x3F));
    }
  }
};
const ExtendedAsciiTable uni_char_bytes;

// Cuts a text into sub texts at each single '#', then turns "\n" into line feeds and the first
// "##" of each sub text into '#'.
std::vector<EngLangSubTextC> SplitSubTexts(const std::string &text) {
  std::vector<EngLangSubTextC> subs;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); i++) {
    const bool cut = i < text.size() && text[i] == '#' && (i == 0 || text[i - 1] != '#') &&
                     (i + 1 >= text.size() || text[i + 1] != '#');
    if (i < text.size() && !cut) continue;
    std::string sub;
    for (size_t j = start; j < i; j++) {
      if (text[j] == '\\' && j + 1 < i && text[j + 1] == 'n') {
        sub += '\n';
        j++;
      } else {
        sub += text[j];
      }
    }
    const size_t pair = sub.find("##");
    if (pair != std::string::npos) sub.erase(pair, 1);
    subs.emplace_back(std::move(sub));
    start = i + 1;
  }
  return subs;
}

std::string TrimEnd(std::string text) {
  while (!text.empty() && strchr("\t\n\r ", text.back())) text.pop_back();
  return text;
}

// Whether a line is an entry, and where its '='. Reports only what a person would want fixed.
enum LineKind { LINE_SKIP, LINE_ENTRY };
LineKind ClassifyLine(const std::string &line, size_t *equals, bool report, const char *path, int line_number) {
  if (line.empty()) return LINE_SKIP;
  if (line.size() > ENG_LANG_MAX_LINE_LENGTH) {
    if (report)
      DebugErrorAlt(ENG_FUNC, "Line %d of <%s> is longer than %d characters - skipped", line_number, path,
                    ENG_LANG_MAX_LINE_LENGTH);
    return LINE_SKIP;
  }
  if (line[0] == ';' || line[0] == '[' || line[0] == '=') return LINE_SKIP;
  *equals = line.find('=');
  if (*equals == std::string::npos) return LINE_SKIP;
  if (*equals > ENG_LANG_MAX_TOKEN_LENGTH) {
    if (report)
      DebugErrorAlt(ENG_FUNC, "Token on line %d of <%s> is longer than %d characters - skipped", line_number, path,
                    ENG_LANG_MAX_TOKEN_LENGTH);
    return LINE_SKIP;
  }
  return LINE_ENTRY;
}

std::string ConvertedLine(const char *line, bool convert) {
  if (!convert) return line;
  char *converted = ConvertUtf8ToExtendedAscii(line);
  if (!converted) return line;
  std::string result(converted);
  EngFree(converted, 0, "EngLangParseLanguage");
  return result;
}

// Reads one language's files: every entry into the table the lookups read, or (header mode)
// only its native name and flag code.
char EngLangParseLanguage(EngInt32 number, char header_mode) {
  if ((!header_mode && eng_lang_setup_state != 2) || eng_lang_paths.empty()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!ValidLanguage(number)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return 0;
  }
  EngLangInfoC &language = eng_languages[size_t(number)];
  if (!header_mode) LookupTable().Clear();
  try {
    for (const EngLangPathC &folder : eng_lang_paths) {
      const std::string path = folder.path + "/" + language.name_in_english + ".txt";
      TextFile file;
      if (file.Open(path.c_str(), TF_READ, TF_DETECT, 0) != TF_OK) {
        DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", path.c_str());
        return 0;
      }
      char *raw = nullptr;
      bool seen_name = false, seen_flag = false;
      int line_number = 0;
      while (file.ReadLine(nullptr, &raw) == TF_OK) {
        line_number++;
        const std::string line = ConvertedLine(raw, !header_mode && !eng_lang_current_is_english);
        size_t equals = 0;
        if (ClassifyLine(line, &equals, !header_mode, path.c_str(), line_number) != LINE_ENTRY) continue;
        if (header_mode) {
          if (line.compare(0, 9, "Language=") == 0) {
            std::string name = ConvertedLine(raw, true).substr(9, ENG_LANG_NAME_SIZE - 1);
            language.name_native = TrimEnd(name);
            seen_name = true;
          } else if (line.compare(0, 16, "FlagCountryCode=") == 0) {
            language.flag_country_code = TrimEnd(line.substr(16, 2));
            seen_flag = true;
          }
          if (seen_name && seen_flag) break;
          continue;
        }
        std::unique_ptr<EngLangTextC> entry(new EngLangTextC);
        entry->token = line.substr(0, equals);
        entry->sub_texts = SplitSubTexts(line.substr(equals + 1));
        LookupTable().Append(std::move(entry));
      }
      free_block(raw);
      if (header_mode && !(seen_name && seen_flag)) {
        if (!seen_name) DebugErrorAlt(ENG_FUNC, "Could not get language name.");
        if (!seen_flag) DebugErrorAlt(ENG_FUNC, "No FlagCountryCode entry.");
        return 0;
      }
    }
  } catch (const std::bad_alloc &) {
    DebugErrorAlt(ENG_FUNC, "No memory (1)");
    EngLanguagesExit();
    return 0;
  }
  return 1;
}

char EngLanguagesAddTextsPath(const char *folder) {
  if (!folder || !EngFileDirectoryExists(folder)) {
    DebugErrorAlt(ENG_FUNC, "Languages directory does not exists <%s>", folder ? folder : "");
    return 0;
  }
  for (const EngLangPathC &path : eng_lang_paths) {
    if (path.path == folder) {
      DebugErrorAlt(ENG_FUNC, "Path already present <%s>", folder);
      return 0;
    }
  }
  EngLangPathC path;
  path.SetPath(folder);
  eng_lang_paths.push_back(path);
  return 1;
}

// The language files of a folder, English first (it is the fallback), the rest by name.
bool ListLanguageFiles(const char *folder, std::vector<std::string> *names) {
  DirList list;
  if (!list.OpenDir(folder, EngLanguagesDirListUnicodeMatchCB, nullptr)) {
    DebugErrorAlt(ENG_FUNC, "dir_list.OpenDir() failed");
    return false;
  }
  if (!list.PrepareToGetFilenamesInDir()) return false;
  for (const char *name = list.GetNextFilenameInDir(); *name; name = list.GetNextFilenameInDir())
    names->push_back(name);
  list.CleanupAfterGettingFilenamesInDir();
  list.CloseDir();
  std::sort(names->begin(), names->end(), [](const std::string &a, const std::string &b) {
    if ((a == "English.txt") != (b == "English.txt")) return a == "English.txt";
    return a < b;
  });
  return true;
}

const char *SubText(const EngLangTextC &entry, EngInt32 sub_text) {
  return entry.sub_texts[size_t(sub_text)].text.c_str();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Set-up

char EngLanguagesDirListUnicodeMatchCB(EngInt32, const char *name, const char *, void *) {
  if (!name) return 0;
  const size_t length = strlen(name);
  return length >= 5 && length <= 59 && strcmp(name + length - 4, ".txt") == 0 ? 1 : 0;
}

char EngLanguagesInit(const char *folder, const char *default_language, char english_only) {
  if (eng_lang_setup_state != 0) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_ALSU);
    EngLanguagesExit();
  }
  eng_lang_current = -1;
  eng_languages.clear();
  eng_lang_paths.clear();
  if (!folder || !EngFileDirectoryExists(folder)) {
    DebugErrorAlt(ENG_FUNC, "Languages directory does not exists <%s>", folder ? folder : "");
    EngLanguagesExit();
    return 0;
  }
  std::vector<std::string> names;
  if (!ListLanguageFiles(folder, &names)) {
    EngLanguagesExit();
    return 0;
  }
  const char *wanted = default_language ? default_language : "English";
  for (const std::string &name : names) {
    if (english_only && name != "English.txt") continue;
    EngLangInfoC language;
    language.SetNameInEnglish(name.substr(0, name.size() - 4).c_str());
    if (strcasecmp(language.name_in_english.c_str(), wanted) == 0) eng_lang_current = EngInt32(eng_languages.size());
    eng_languages.push_back(language);
  }
  if (eng_languages.empty()) {
    DebugErrorAlt(ENG_FUNC, "No language files found in directory <%s>", folder);
    EngLanguagesExit();
    return 0;
  }
  if (eng_lang_current < 0) {
    if (default_language)
      DebugErrorAlt(ENG_FUNC, "Could not find default language <%s> - using language 0 <%s>", default_language,
                    eng_languages[0].name_in_english.c_str());
    else
      DebugErrorAlt(ENG_FUNC, "Could not find default language - using language 0 <%s>",
                    eng_languages[0].name_in_english.c_str());
    eng_lang_current = 0;
  }
  if (!EngLanguagesAddTextsPath(folder)) {
    EngLanguagesExit();
    return 0;
  }
  for (size_t i = 0; i < eng_languages.size(); i++) {
    if (!EngLangParseLanguage(EngInt32(i), 1))
      DebugErrorAlt(ENG_FUNC, "Could not read the header of language <%s>", eng_languages[i].name_in_english.c_str());
  }
  DecideEnglish();
  eng_lang_setup_state = 1;
  return 1;
}

char EngLanguagesInitWithCommonTexts(const char *default_language, char english_only) {
  return EngLanguagesInit("CommonTexts", default_language, english_only);
}

char EngLanguagesInitAddExtraTextsPath(const char *folder) {
  if (eng_lang_setup_state != 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  return EngLanguagesAddTextsPath(folder);
}

char EngLanguagesInitAddCommonTextsPath() { return EngLanguagesInitAddExtraTextsPath("CommonTexts"); }

char EngLanguagesInitAddCardsTextsPath() { return EngLanguagesInitAddExtraTextsPath("CardsTexts"); }

char EngLanguagesInitFinished() {
  if (eng_lang_setup_state != 1) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  eng_lang_setup_state = 2;
  char ok = EngLangParseLanguage(eng_lang_current, 0);
  if (ok && eng_lang_current > 0) EngLangCheckTranslation();
  return ok;
}

void EngLanguagesExit() {
  eng_lang_tables[0].Clear();
  eng_lang_tables[1].Clear();
  eng_lang_table_selector = 0;
  eng_languages.clear();
  eng_lang_paths.clear();
  eng_lang_current = -1;
  eng_lang_current_is_english = true;
  eng_lang_setup_state = 0;
}

char EngLanguagesIsSetup() { return eng_languages.empty() ? 0 : 1; }

// ---------------------------------------------------------------------------------------------
// Languages

EngInt32 EngLanguagesGetNumberOfLanguages() { return EngInt32(eng_languages.size()); }

EngInt32 EngLanguagesGetCurrentLanguageNumber() {
  if (eng_languages.empty()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return 0;
  }
  if (!ValidLanguage(eng_lang_current)) {
    DebugErrorAlt(ENG_FUNC, "Bad cur lang %d.", eng_lang_current);
    eng_lang_current = 0;
  }
  return eng_lang_current;
}

char EngLanguagesSetCurrentLanguage(EngInt32 number) {
  if (!ValidLanguage(number)) {
    DebugErrorAlt(ENG_FUNC, "Bad lang num %d.", number);
    return 0;
  }
  if (number == eng_lang_current) return 1;
  eng_lang_tables[0].Clear();
  eng_lang_current = number;
  DecideEnglish();
  return EngLangParseLanguage(number, 0);
}

char EngLanguagesSetCurrentLanguage(const char *name_in_english) {
  for (size_t i = 0; name_in_english && i < eng_languages.size(); i++) {
    if (strcasecmp(eng_languages[i].name_in_english.c_str(), name_in_english) == 0)
      return EngLanguagesSetCurrentLanguage(EngInt32(i));
  }
  DebugErrorAlt(ENG_FUNC, "Could not find language <%s>", name_in_english ? name_in_english : "");
  return 0;
}

const char *EngLanguagesGetLanguageNameInEnglish(EngInt32 number) {
  return ValidLanguage(number) ? eng_languages[size_t(number)].name_in_english.c_str() : kEmpty;
}
const char *EngLanguagesGetLanguageNameInEnglishAnsi(EngInt32 number) {
  return ValidLanguage(number) ? eng_languages[size_t(number)].name_in_english_ansi.c_str() : kEmpty;
}
const char *EngLanguagesGetLanguageNameNative(EngInt32 number) {
  return ValidLanguage(number) ? eng_languages[size_t(number)].name_native.c_str() : kEmpty;
}
const char *EngLanguagesGetLanguageCountryFlagCode(EngInt32 number) {
  return ValidLanguage(number) ? eng_languages[size_t(number)].flag_country_code.c_str() : kEmpty;
}
const char *EngLanguagesGetCurrentLanguageNameInEnglish() {
  return EngLanguagesGetLanguageNameInEnglish(eng_lang_current);
}
const char *EngLanguagesGetCurrentLanguageNameInEnglishAnsi() {
  return EngLanguagesGetLanguageNameInEnglishAnsi(eng_lang_current);
}
const char *EngLanguagesGetCurrentLanguageNameNative() { return EngLanguagesGetLanguageNameNative(eng_lang_current); }
const char *EngLanguagesGetCurrentLanguageFlagCode() {
  return EngLanguagesGetLanguageCountryFlagCode(eng_lang_current);
}

char EngLangIsCurrentLangEnglish() { return eng_lang_current_is_english ? 1 : 0; }

char EngLanguagesSetLangNameStringToEnglish(char *buffer, char keep_non_empty, char note_empty) {
  if (!buffer) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (keep_non_empty && buffer[0]) return 0;
  if (!buffer[0] && note_empty) DebugNoteAlt(2, ENG_FUNC, "String empty.");
  if (strcmp(buffer, "English") == 0) return 0;
  EngSafeStrcpy(buffer, "English", ENG_LANG_NAME_SIZE);
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Lookups

EngInt32 EngLanguagesGetTokenNumForToken(const char *token, EngInt32 sub_text, char fallback) {
  if (!token || !*token) {
    DebugErrorAlt(ENG_FUNC, "Invalid token name");
    return -1;
  }
  TextTable &table = LookupTable();
  EngInt32 number = table.Find(token);
  if (number >= 0) {
    if (sub_text >= 0 && sub_text < EngInt32(table.entries[size_t(number)]->sub_texts.size())) return number;
    DebugErrorAlt(ENG_FUNC, "Invalid sub text num %d for token <%s>", sub_text, token);
    return -1;
  }
  if (!fallback) return -1;
  if (!eng_lang_current_is_english && eng_lang_current > 0 && eng_lang_table_selector == 0) {
    DebugNoteAlt(2, ENG_FUNC, "Token <%s:%d> not translated", token, sub_text);
    TextTable &english = eng_lang_tables[1];
    if (english.entries.empty()) {
      DebugInfoAlt(ENG_FUNC, "Loading english texts");
      const EngInt32 current = eng_lang_current;
      eng_lang_table_selector = 1;
      eng_lang_current = 0;
      EngLangParseLanguage(0, 0);
      // The loading may have failed so badly that the module was shut down.
      if (eng_lang_setup_state != 0) eng_lang_current = current;
      eng_lang_table_selector = 0;
    }
    if (english.entries.empty()) {
      DebugErrorAlt(ENG_FUNC, "No english texts.");
      return -1;
    }
    const EngInt32 found = english.Find(token);
    if (found < 0) {
      DebugErrorAlt(ENG_FUNC, "Token not found [%s].", token);
      return -1;
    }
    const EngLangTextC &entry = *english.entries[size_t(found)];
    if (sub_text < 0 || sub_text >= EngInt32(entry.sub_texts.size())) {
      DebugErrorAlt(ENG_FUNC, "Invalid sub text num %d for token <%s>", sub_text, token);
      return -1;
    }
    try {
      return eng_lang_tables[0].Append(std::unique_ptr<EngLangTextC>(new EngLangTextC(entry)));
    } catch (const std::bad_alloc &) {
      DebugErrorAlt(ENG_FUNC, "No memory (3)");
      return -1;
    }
  }
  DebugErrorAlt(ENG_FUNC, "Token not found [%s].", token);
  return -1;
}

EngInt32 EngLanguagesGetTokenNumForToken(const char *token, char fallback) {
  return EngLanguagesGetTokenNumForToken(token, 0, fallback);
}

char EngLangTokenExists(const char *token, EngInt32 sub_text) {
  if (eng_languages.empty() || !token || !*token) return 0;
  const EngInt32 number = LookupTable().Find(token);
  return number >= 0 && sub_text >= 0 && sub_text < EngInt32(LookupTable().entries[size_t(number)]->sub_texts.size())
             ? 1
             : 0;
}

char EngLangTokenExists(const char *token) { return EngLangTokenExists(token, 0); }

const char *EngLanguagesGetString(const char *token, EngInt32 sub_text) {
  const EngInt32 number = EngLanguagesGetTokenNumForToken(token, sub_text, 1);
  if (number < 0) {
    DebugErrorAlt(ENG_FUNC, "Token <%s:%d> not found", token ? token : "", sub_text);
    return kEmpty;
  }
  return SubText(*LookupTable().entries[size_t(number)], sub_text);
}

const char *EngLanguagesGetString(const char *token) { return EngLanguagesGetString(token, 0); }

const char *EngLanguagesGetString(EngInt32 token_number, EngInt32 sub_text) {
  TextTable &table = LookupTable();
  if (token_number < 0 || token_number >= EngInt32(table.entries.size())) {
    DebugErrorAlt(ENG_FUNC, "Token <%d> does not exist", token_number);
    return kEmpty;
  }
  const EngLangTextC &entry = *table.entries[size_t(token_number)];
  if (sub_text < 0 || sub_text >= EngInt32(entry.sub_texts.size())) {
    DebugErrorAlt(ENG_FUNC, "Sub text num <%d> does not exist in token <%s>", sub_text, entry.token.c_str());
    return kEmpty;
  }
  return SubText(entry, sub_text);
}

const char *EngLanguagesGetString(EngInt32 token_number) { return EngLanguagesGetString(token_number, 0); }

const char *EngLanguagesGetStringIfExists(const char *token, const char *default_text) {
  return EngLanguagesGetStringIfExists(token, 0, default_text);
}

const char *EngLanguagesGetStringIfExists(const char *token, EngInt32 sub_text, const char *default_text) {
  if (!EngLangTokenExists(token, sub_text)) return default_text;
  return SubText(*LookupTable().entries[size_t(LookupTable().Find(token))], sub_text);
}

EngInt32 EngLanguagesGetNumTokensForCurrentLanguage() { return EngInt32(LookupTable().entries.size()); }

const char *EngLanguagesGetTokenAtPos(EngInt32 number) {
  const TextTable &table = LookupTable();
  if (!ValidLanguage(eng_lang_current) || number < 0 || number >= EngInt32(table.entries.size())) return kEmpty;
  return table.entries[size_t(number)]->token.c_str();
}

const char *EngLanguagesGetTextAtPos(EngInt32 number) {
  const TextTable &table = LookupTable();
  if (!ValidLanguage(eng_lang_current) || number < 0 || number >= EngInt32(table.entries.size())) return kEmpty;
  const EngLangTextC &entry = *table.entries[size_t(number)];
  return entry.sub_texts.empty() ? kEmpty : SubText(entry, 0);
}

EngInt32 EngLanguagesGetTokenNumAndNumSubTextsForToken(const char *token, EngInt32 *sub_text_count) {
  if (sub_text_count) *sub_text_count = 0;
  if (!token || !*token) {
    DebugErrorAlt(ENG_FUNC, "Invalid token");
    return -1;
  }
  const EngInt32 number = LookupTable().Find(token);
  if (number < 0) {
    DebugErrorAlt(ENG_FUNC, "Could not find token [%s]", token);
    return -1;
  }
  if (sub_text_count) *sub_text_count = EngInt32(LookupTable().entries[size_t(number)]->sub_texts.size());
  return number;
}

EngInt32 EngLanguagesGetTokenNumThatMatchesText(const char *text, char exact_only, char report, EngInt32 first) {
  if (!text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return -1;
  }
  const TextTable &table = LookupTable();
  if (first < 0) first = 0;
  for (int pass = 0; pass < (exact_only ? 1 : 2); pass++) {
    for (EngInt32 i = first; i < EngInt32(table.entries.size()); i++) {
      const EngLangTextC &entry = *table.entries[size_t(i)];
      if (entry.sub_texts.empty()) continue;
      const char *sub = SubText(entry, 0);
      if (pass == 0 ? strcmp(sub, text) == 0 : strcasecmp(sub, text) == 0) return i;
    }
  }
  if (report) DebugErrorAlt(ENG_FUNC, "Text not found [%s].", text);
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Arguments

namespace {

// The text with the first %1, %2 and %3 of the text itself replaced; an argument's own '%'
// signs are never taken for placeholders.
std::string Substitute(const char *text, const char *const args[3]) {
  const char *at[3] = {nullptr, nullptr, nullptr};
  for (int i = 0; i < 3; i++) {
    if (!args[i]) continue;
    const char placeholder[3] = {'%', char('1' + i), 0};
    at[i] = strstr(text, placeholder);
  }
  std::string out;
  for (const char *p = text; *p;) {
    int which = -1;
    for (int i = 0; i < 3; i++)
      if (at[i] == p) which = i;
    if (which < 0) {
      out += *p++;
      continue;
    }
    out += args[which];
    p += 2;
  }
  return out;
}

char SetStringWithArgs(const char *signature, const char *token, const char *const args[3], char *output,
                       EngInt32 output_size, bool silent) {
  if (!token || !args[0] || !output) {
    if (!silent) DebugStandardError(signature, DEBUG_ERR_BAPA);
    return 0;
  }
  const char *text = EngLanguagesGetString(token, 0);
  if (!*text) return 0;
  const long long text_length = (long long)strlen(text);
  long long room = output_size;
  long long lengths[3] = {0, 0, 0};
  for (int i = 0; i < 3; i++) {
    if (args[i]) lengths[i] = (long long)strlen(args[i]);
    room -= lengths[i];
  }
  if (text_length >= room) {
    if (!silent)
      DebugErrorAlt(signature, "Lengths not ok (%d > %d - %d - %d)", int(text_length), int(output_size),
                    int(lengths[0]), int(lengths[1]));
    return 0;
  }
  const std::string filled = Substitute(text, args);
  memcpy(output, filled.c_str(), filled.size() + 1);
  return 1;
}

char *AllocWithArgs(const char *signature, const char *token, const char *const args[3], bool silent) {
  if (!token || !args[0]) {
    if (!silent) DebugStandardError(signature, DEBUG_ERR_BAPA);
    return nullptr;
  }
  size_t size = strlen(EngLanguagesGetString(token, 0)) + 3;
  for (int i = 0; i < 3; i++)
    if (args[i]) size += strlen(args[i]);
  char *output = static_cast<char *>(EngMalloc(size, "EngLanguagesAllocAndSetStringFromToken", 0));
  if (!output) return nullptr;
  if (!SetStringWithArgs(signature, token, args, output, EngInt32(size), silent)) {
    EngFree(output, 0, "EngLanguagesAllocAndSetStringFromToken");
    return nullptr;
  }
  return output;
}

}  // namespace

std::string EngLanguagesFillArgs(const char *text, const char *arg1, const char *arg2, const char *arg3) {
  const char *const args[3] = {arg1, arg2, arg3};
  return Substitute(text ? text : "", args);
}

std::string EngLanguagesText(const char *token, const char *default_text, const char *arg1, const char *arg2,
                             const char *arg3) {
  return EngLanguagesFillArgs(EngLanguagesGetStringIfExists(token, default_text), arg1, arg2, arg3);
}

char EngLanguagesSetStringFromTokenWithArg(const char *token, const char *arg1, char *output, EngInt32 output_size) {
  return EngLanguagesSetStringFromTokenWith2Args(token, arg1, nullptr, output, output_size);
}

char EngLanguagesSetStringFromTokenWith2Args(const char *token, const char *arg1, const char *arg2, char *output,
                                            EngInt32 output_size) {
  const char *const args[3] = {arg1, arg2, nullptr};
  return SetStringWithArgs(ENG_FUNC, token, args, output, output_size, false);
}

char EngLanguagesSetStringFromTokenWith3Args(const char *token, const char *arg1, const char *arg2,
                                            const char *arg3, char *output, EngInt32 output_size) {
  const char *const args[3] = {arg1, arg2, arg3};
  return SetStringWithArgs(ENG_FUNC, token, args, output, output_size, true);
}

char *EngLanguagesAllocAndSetStringFromTokenWithArg(const char *token, const char *arg1) {
  const char *const args[3] = {arg1, nullptr, nullptr};
  return AllocWithArgs(ENG_FUNC, token, args, false);
}

char *EngLanguagesAllocAndSetStringFromTokenWith2Args(const char *token, const char *arg1, const char *arg2) {
  const char *const args[3] = {arg1, arg2, nullptr};
  return AllocWithArgs(ENG_FUNC, token, args, false);
}

char *EngLanguagesAllocAndSetStringFromTokenWith3Args(const char *token, const char *arg1, const char *arg2,
                                                     const char *arg3) {
  const char *const args[3] = {arg1, arg2, arg3};
  return AllocWithArgs(ENG_FUNC, token, args, true);
}

// ---------------------------------------------------------------------------------------------
// UTF-8 in single-byte files

EngInt32 GetExtendedAsciiCharNum(const char *text) {
  if (!text || !text[0]) return 0;
  for (int i = 0; i < 128; i++) {
    if (uni_char_bytes.bytes[i][0] && (unsigned char)text[0] == uni_char_bytes.bytes[i][0] &&
        (unsigned char)text[1] == uni_char_bytes.bytes[i][1])
      return 128 + i;
  }
  return 0;
}

char *ConvertUtf8ToExtendedAscii(const char *line) {
  if (!line) return nullptr;
  bool any = false;
  for (const char *p = line; *p && !any; p++) any = GetExtendedAsciiCharNum(p) != 0;
  if (!any) return nullptr;
  char *out = static_cast<char *>(EngMalloc(strlen(line) + 1, "ConvertUtf8ToExtendedAscii", 0));
  if (!out) return nullptr;
  char *to = out;
  for (const char *p = line; *p;) {
    if ((unsigned char)*p < 128) {
      *to++ = *p++;
    } else if (EngInt32 value = GetExtendedAsciiCharNum(p)) {
      *to++ = char(value);
      p += 2;
    } else {
      p++;  // a byte of no recognised form is dropped
    }
  }
  *to = 0;
  return out;
}

// ---------------------------------------------------------------------------------------------
// Developer tools

char *EngLangChangeNewLinesToSlashNsInString(const char *text) {
  if (!text) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return nullptr;
  }
  char *out = static_cast<char *>(EngMalloc(strlen(text) * 2 + 1, "EngLangChangeNewLinesToSlashNsInString", 0));
  if (!out) return nullptr;
  char *to = out;
  for (const char *p = text; *p; p++) {
    if (*p == '\n') {
      *to++ = '\\';
      *to++ = 'n';
    } else if (*p != '\r') {
      *to++ = *p;
    }
  }
  *to = 0;
  return out;
}

namespace {

std::string ShownText(const std::string &text) {
  char *shown = EngLangChangeNewLinesToSlashNsInString(text.c_str());
  std::string result = shown ? shown : "";
  if (shown) EngFree(shown, 0, "EngLangCheckTranslation");
  return result;
}

// One report section: its heading goes out before its first item, two blank lines close it.
class ReportSection {
 public:
  explicit ReportSection(const char *heading_) : heading(heading_), items(0) {}
  ~ReportSection() {
    if (items) {
      DebugPlainText("%s", "");
      DebugPlainText("%s", "");
    }
  }
  void Item(const std::string &line) {
    if (items++ == 0) {
      DebugPlainText("%s", heading);
      DebugPlainText("%s", "");
    }
    DebugPlainText("%s", line.c_str());
  }

 private:
  const char *heading;
  int items;
};

void ReportDuplicates(const char *heading, const std::vector<EngLangTextC> &entries) {
  ReportSection section(heading);
  std::unordered_map<std::string, int> seen;
  for (const EngLangTextC &entry : entries) {
    if (entry.token == "Language" || entry.token == "FlagCountryCode") continue;
    if (++seen[entry.token] == 2) section.Item(entry.token);
  }
}

std::vector<EngLangTextC> CopyOfTable(const TextTable &table) {
  std::vector<EngLangTextC> copy;
  for (const auto &entry : table.entries) copy.push_back(*entry);
  return copy;
}

const EngLangTextC *FindIn(const std::vector<EngLangTextC> &entries, const std::string &token) {
  for (const EngLangTextC &entry : entries)
    if (entry.token == token) return &entry;
  return nullptr;
}

void ReportMissingAndExtra(const std::vector<EngLangTextC> &english, const std::vector<EngLangTextC> &translated) {
  {
    ReportSection section("Missing texts:");
    for (const EngLangTextC &entry : english) {
      const EngLangTextC *translation = FindIn(translated, entry.token);
      if (!translation) {
        // Built as in a 512-byte line: a sub text that would pass 510 characters is left out.
        std::string line = entry.token + "=";
        for (size_t j = 0; j < entry.sub_texts.size(); j++) {
          const std::string part = (j ? "#" : "") + ShownText(entry.sub_texts[j].text);
          if (line.size() + part.size() <= 510) line += part;
        }
        section.Item(line);
        continue;
      }
      if (!translation->sub_texts.empty() && translation->sub_texts[0].text.compare(0, 1, "^") == 0) continue;
      for (size_t j = 0; j < entry.sub_texts.size(); j++) {
        const bool missing = j >= translation->sub_texts.size() || translation->sub_texts[j].text.empty() ||
                             translation->sub_texts[j].text[0] == '^';
        if (missing)
          section.Item("[" + entry.token + ":" + std::to_string(j) + "]=" + ShownText(entry.sub_texts[j].text));
      }
    }
  }
  ReportSection section("Texts that don't exist:");
  for (const EngLangTextC &entry : translated) {
    const EngLangTextC *original = FindIn(english, entry.token);
    if (!original) {
      section.Item(entry.token + "=" + (entry.sub_texts.empty() ? "" : ShownText(entry.sub_texts[0].text)));
      continue;
    }
    for (size_t j = original->sub_texts.size(); j < entry.sub_texts.size(); j++)
      section.Item("[" + entry.token + ":" + std::to_string(j) + "]=" + ShownText(entry.sub_texts[j].text));
  }
}

}  // namespace

void EngLangCheckTranslation() {
  DebugPlainText("%s", "");
  DebugPlainText("Checking translation...");
  DebugPlainText("%s", "");
  DebugPlainText("%s", "");
  if (!ValidLanguage(eng_lang_current)) {
    DebugErrorAlt(ENG_FUNC, "Bad cur lang value %d (%d)", eng_lang_current, EngInt32(eng_languages.size()));
    return;
  }
  try {
    if (eng_lang_current_is_english) {
      DebugNoteAlt(2, ENG_FUNC, "Current language is English.");
      ReportDuplicates("Duplicate texts in English file:", CopyOfTable(eng_lang_tables[0]));
    } else {
      const EngInt32 translation = eng_lang_current;
      std::vector<EngLangTextC> translated = CopyOfTable(eng_lang_tables[0]);
      for (const EngLangTextC &entry : translated)
        for (size_t j = 0; j < entry.sub_texts.size(); j++)
          if (entry.sub_texts[j].text.empty()) DebugPlainText("[%s:%d] is empty", entry.token.c_str(), int(j));
      EngLanguagesSetCurrentLanguage(0);
      if (!eng_lang_current_is_english) {
        DebugNoteAlt(2, ENG_FUNC, "Language 0 is not English.");
        EngLanguagesSetCurrentLanguage(translation);
        return;
      }
      const std::vector<EngLangTextC> english = CopyOfTable(eng_lang_tables[0]);
      ReportMissingAndExtra(english, translated);
      ReportDuplicates("Duplicate texts in English file:", english);
      ReportDuplicates("Duplicate texts in translated file:", translated);
      EngLanguagesSetCurrentLanguage(translation);
    }
  } catch (const std::bad_alloc &) {
    DebugErrorAlt(ENG_FUNC, "No memory (1)");
    return;
  }
  DebugPlainText("Check complete.");
  DebugPlainText("%s", "");
}

EngInt32 EngLanguagesAddTokenAndTextToAppTexts(const char *token, const char *text) {
  if (!token || !*token) return -1;
  const EngInt32 existing = LookupTable().Find(token);
  if (existing >= 0) return existing;
  if (eng_lang_paths.empty()) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_NOSU);
    return -1;
  }
  for (const EngLangInfoC &language : eng_languages) {
    if (strcasecmp(language.name_in_english.c_str(), "english") != 0) continue;
    const std::string path = eng_lang_paths[0].path + "/" + language.name_in_english + ".txt";
    // Appended in the file's own encoding, so a UTF-8 or UTF-16 file stays readable.
    int encoding = TF_ANSI;
    {
      TextFile probe;
      if (probe.Open(path.c_str(), TF_READ, TF_DETECT, 0) == TF_OK && probe.GetEncoding() != TF_DETECT)
        encoding = probe.GetEncoding();
    }
    TextFile file;
    if (file.Open(path.c_str(), TF_APPEND, encoding, 0) != TF_OK) {
      DebugErrorAlt(ENG_FUNC, "Could not open file <%s>", path.c_str());
      continue;
    }
    int result = file.FormatString(nullptr, "%s=%s\n", token, text ? text : "");
    if (file.Close() != TF_OK || result != TF_OK) DebugErrorAlt(ENG_FUNC, "Could not append to file");
  }
  if (ValidLanguage(eng_lang_current) && eng_lang_setup_state == 2) {
    if (!EngLangParseLanguage(eng_lang_current, 0))
      DebugErrorAlt(ENG_FUNC, "Could not reload language <%s>", EngLanguagesGetCurrentLanguageNameInEnglish());
  }
  const EngInt32 number = LookupTable().Find(token);
  if (number < 0) DebugErrorAlt(ENG_FUNC, "Error adding token");
  return number;
}
