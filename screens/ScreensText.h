// The screens' texts: the current language's text of a token, else the English default that
// the code carries (before the texts are loaded, or for a token a language file lacks).
#pragma once

const char *ScreensText(const char *token, const char *english);
// The text with its first %1 replaced by arg, bounded by size (always terminated).
void ScreensTextWithArg(const char *token, const char *english, const char *arg, char *out, int size);
