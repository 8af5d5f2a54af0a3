#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

// The text and number conversions that statements, stored rows and box lines share.
// Each exists once; none depends on the user's locale.

// Reads one decimal integer from the start of the text the way a string stream does: leading
// white space skipped, an optional sign, digits up to the first other character. No number
// gives 0; a number out of range gives INT32_MAX or INT32_MIN by its sign.
int32_t stringToInt(const std::string& text);

// Reads one single-precision number from the start of the text, stream style. No number gives
// 0; a number out of range gives the largest finite float by its sign.
float stringToFloat(const std::string& text);

// Six significant digits, general notation, as a default-formatted stream writes a float.
std::string floatToString(float value);

// Decimal text: a minus sign for negatives, no grouping or blanks.
std::string toString(int32_t value);
// "1" or "0".
std::string toString(bool value);

// Stored enumerations are written as their integer value.
template <typename Enum>
requires std::is_enum_v<Enum> std::string toString(Enum value) {
    return toString(static_cast<int32_t>(value));
}

// Anything else (a pointer, a string literal, a 64-bit count) must be converted on purpose,
// rather than silently becoming the bool form.
template <typename T>
std::string toString(T) = delete;

// Upper-case in the POSIX sense: only the bytes 'a' to 'z' change.
int toUpperChar(int code);
void toUpperInPlace(std::string& text);

// A copy without leading and trailing blanks (code 32 only; tabs and line ends stay).
// A text made only of blanks comes back unchanged.
std::string trimSpaces(const std::string& text);
