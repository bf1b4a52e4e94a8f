// Conversions at the platform's UTF-8 boundaries (SDL, the clipboard, message boxes, user
// names): the engine's narrow text is ISO 8859-1, and code points above 255 become '?'.
#pragma once

#include <string>

std::string EngLatin1ToUtf8_MAC(const char *text);
// Malformed sequences become '?' as well.
std::string EngUtf8ToLatin1_MAC(const char *text);
