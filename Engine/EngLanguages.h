// Language texts: every text shown is looked up by token in the current language, read from
// "<language>.txt" files (TOKEN=text lines, '#' between sub texts) in text folders of the
// resources folder; tokens missing from a translation come from language 0 (English).
#pragma once

#include <string>

#include "Engine/EngTypes.h"

enum { ENG_LANG_MAX_LINE_LENGTH = 4095, ENG_LANG_MAX_TOKEN_LENGTH = 63, ENG_LANG_NAME_SIZE = 64 };

// Set-up: folders are relative to the working folder (the resources folder) or absolute.
char EngLanguagesInit(const char *folder, const char *default_language, char english_only);
char EngLanguagesInitWithCommonTexts(const char *default_language, char english_only);
char EngLanguagesInitAddExtraTextsPath(const char *folder);
char EngLanguagesInitAddCommonTextsPath();
char EngLanguagesInitAddCardsTextsPath();
char EngLanguagesInitFinished();
void EngLanguagesExit();
char EngLanguagesIsSetup();
char EngLanguagesDirListUnicodeMatchCB(EngInt32 index, const char *name, const char *folder, void *user_data);

// Languages.
EngInt32 EngLanguagesGetNumberOfLanguages();
EngInt32 EngLanguagesGetCurrentLanguageNumber();
char EngLanguagesSetCurrentLanguage(EngInt32 number);
char EngLanguagesSetCurrentLanguage(const char *name_in_english);
const char *EngLanguagesGetLanguageNameInEnglish(EngInt32 number);
const char *EngLanguagesGetLanguageNameInEnglishAnsi(EngInt32 number);
const char *EngLanguagesGetLanguageNameNative(EngInt32 number);
const char *EngLanguagesGetLanguageCountryFlagCode(EngInt32 number);
const char *EngLanguagesGetCurrentLanguageNameInEnglish();
const char *EngLanguagesGetCurrentLanguageNameInEnglishAnsi();
const char *EngLanguagesGetCurrentLanguageNameNative();
const char *EngLanguagesGetCurrentLanguageFlagCode();
char EngLangIsCurrentLangEnglish();
// buffer holds ENG_LANG_NAME_SIZE characters.
char EngLanguagesSetLangNameStringToEnglish(char *buffer, char keep_non_empty, char note_empty);

// Lookups. Returned texts stay valid until the current language changes or the module exits.
EngInt32 EngLanguagesGetTokenNumForToken(const char *token, EngInt32 sub_text, char fallback);
EngInt32 EngLanguagesGetTokenNumForToken(const char *token, char fallback);
char EngLangTokenExists(const char *token);
char EngLangTokenExists(const char *token, EngInt32 sub_text);
const char *EngLanguagesGetString(const char *token, EngInt32 sub_text);
const char *EngLanguagesGetString(const char *token);
const char *EngLanguagesGetString(EngInt32 token_number, EngInt32 sub_text);
const char *EngLanguagesGetString(EngInt32 token_number);
const char *EngLanguagesGetStringIfExists(const char *token, const char *default_text);
const char *EngLanguagesGetStringIfExists(const char *token, EngInt32 sub_text, const char *default_text);
// A text the player sees: the token's text in the current language, else default_text (the
// English the code carries), with its first %1, %2 and %3 replaced by the arguments given. A
// null argument leaves its mark; an argument's own '%' signs are never taken for marks.
std::string EngLanguagesText(const char *token, const char *default_text, const char *arg1 = nullptr,
                             const char *arg2 = nullptr, const char *arg3 = nullptr);
// The same replacement in a text already looked up.
std::string EngLanguagesFillArgs(const char *text, const char *arg1, const char *arg2 = nullptr,
                                 const char *arg3 = nullptr);
EngInt32 EngLanguagesGetNumTokensForCurrentLanguage();
const char *EngLanguagesGetTokenAtPos(EngInt32 number);
const char *EngLanguagesGetTextAtPos(EngInt32 number);
EngInt32 EngLanguagesGetTokenNumAndNumSubTextsForToken(const char *token, EngInt32 *sub_text_count);
EngInt32 EngLanguagesGetTokenNumThatMatchesText(const char *text, char exact_only, char report, EngInt32 first);

// The token's text with %1, %2 (and %3) replaced by the arguments.
char EngLanguagesSetStringFromTokenWithArg(const char *token, const char *arg1, char *output, EngInt32 output_size);
char EngLanguagesSetStringFromTokenWith2Args(const char *token, const char *arg1, const char *arg2, char *output,
                                            EngInt32 output_size);
char EngLanguagesSetStringFromTokenWith3Args(const char *token, const char *arg1, const char *arg2,
                                            const char *arg3, char *output, EngInt32 output_size);
// New blocks from EngMalloc; the caller frees them with EngFree.
char *EngLanguagesAllocAndSetStringFromTokenWithArg(const char *token, const char *arg1);
char *EngLanguagesAllocAndSetStringFromTokenWith2Args(const char *token, const char *arg1, const char *arg2);
char *EngLanguagesAllocAndSetStringFromTokenWith3Args(const char *token, const char *arg1, const char *arg2,
                                                     const char *arg3);

// Developer tools: the translation report in the log, and a new token appended to English.
void EngLangCheckTranslation();
char *EngLangChangeNewLinesToSlashNsInString(const char *text);
EngInt32 EngLanguagesAddTokenAndTextToAppTexts(const char *token, const char *text);

// Narrow text holding UTF-8 forms of U+00A1..U+00FF (not U+00AD): a new line with each as its
// byte (free with EngFree), or null when the line holds none.
char *ConvertUtf8ToExtendedAscii(const char *line);
// The byte for a two-byte UTF-8 form at text, or 0 when it is not one of the table's.
EngInt32 GetExtendedAsciiCharNum(const char *text);
