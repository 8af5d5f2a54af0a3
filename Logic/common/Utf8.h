#pragma once

#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8, as the standard defines it: no overlong forms, no surrogate halves, nothing
// above U+10FFFF, no truncated sequence. Box text and files are checked with these, so a stray
// byte never reaches a place that expects characters.

// The code points of the text (wchar_t holds one on this platform), or nothing when a byte
// breaks the rules.
std::optional<std::wstring> decodeUtf8(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

// The offset of the first byte that breaks the rules, or npos when the text is UTF-8 (files
// name the place of the fault to the user).
size_t firstInvalidUtf8Byte(std::string_view bytes);

// The text as valid UTF-8: each byte that is not part of a valid sequence is read as the Latin-1
// character of its value (a Latin-1 "Zoë" becomes "Zoë"); valid UTF-8 comes back unchanged.
std::string toValidUtf8(std::string text);
