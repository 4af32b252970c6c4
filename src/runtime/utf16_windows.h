// Windows takes file names as UTF-16; the engine keeps them as UTF-8.
#pragma once
#include <string>

// Empty when text is not valid UTF-8 (a name that then opens nothing).
std::wstring WideFromUtf8(const std::string& text);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);
