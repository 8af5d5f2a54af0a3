#include "Logic/common/Conversions.h"

#include <locale>
#include <sstream>

namespace {

// Streams read and write in the classic locale, whatever the application has set.
std::istringstream classicInput(const std::string& text) {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    return stream;
}

// Reads text that is only an optional minus and one to nine digits, as SQLite writes most
// integers; anything else is left to the stream.
bool readPlainDecimal(const std::string& text, int32_t& value) {
    const size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    const size_t digits = text.size() - first;
    if (digits == 0 || digits > 9)
        return false;
    int32_t magnitude = 0;
    for (size_t i = first; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = first == 1 ? -magnitude : magnitude;
    return true;
}

} // namespace

int32_t stringToInt(const std::string& text) {
    // Large listings read tens of thousands of columns; building a stream for each dominates.
    int32_t plain = 0;
    if (readPlainDecimal(text, plain))
        return plain;
    std::istringstream stream = classicInput(text);
    // On overflow the stream stores the nearest limit; on no number it stores 0.
    int32_t value = 0;
    stream >> value;
    return value;
}

float stringToFloat(const std::string& text) {
    std::istringstream stream = classicInput(text);
    float value = 0;
    stream >> value;
    return value;
}

std::string floatToString(float value) {
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

std::string toString(int32_t value) {
    // Widened first so that INT32_MIN negates safely.
    int64_t magnitude = value;
    const bool negative = magnitude < 0;
    if (negative)
        magnitude = -magnitude;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits.insert(digits.begin(), '-');
    return digits;
}

std::string toString(bool value) {
    return value ? "1" : "0";
}

int toUpperChar(int code) {
    return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
}

void toUpperInPlace(std::string& text) {
    for (char& character : text)
        character = static_cast<char>(toUpperChar(static_cast<unsigned char>(character)));
}

std::string trimSpaces(const std::string& text) {
    const size_t last = text.find_last_not_of(' ');
    if (last == std::string::npos)
        return text;
    const size_t first = text.find_first_not_of(' ');
    return text.substr(first, last - first + 1);
}
