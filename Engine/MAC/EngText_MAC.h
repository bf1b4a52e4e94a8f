// Conversions at the platform's UTF-8 boundaries (SDL, the clipboard, message boxes, user
// names): the engine's narrow text is ISO 8859-1, and code points above 255 become '?'.
#pragma once

#include <string>

std::string EngLatin1ToUtf8_MAC(const char *text);
// The one conversion of text coming in (typed text, the clipboard, dialogs): a malformed
// sequence becomes one '?' as well, and so do overlong forms (C0 80 would be a NUL that cuts a
// field's text, C0 AF a '/') and surrogates, so nothing typed or pasted ever gives a NUL.
std::string EngUtf8ToLatin1_MAC(const char *text);
