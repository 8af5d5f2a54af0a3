#include "Logic/common/Utf8.h"

#include <cstdint>

namespace {

// The character that starts at the offset: its code point and its length in bytes, or a length
// of 0 when the bytes there break the rules.
struct Sequence {
    uint32_t codePoint = 0;
    size_t length = 0;
};

Sequence sequenceAt(std::string_view bytes, size_t at) {
    const auto lead = static_cast<uint8_t>(bytes[at]);
    uint32_t codePoint = 0;
    size_t length = 0;
    uint32_t lowest = 0;
    if (lead < 0x80)
        return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF) {
        codePoint = lead & 0x1FU;
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        codePoint = lead & 0x0FU;
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        codePoint = lead & 0x07U;
        length = 4;
        lowest = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() - at < length)
        return {};
    for (size_t next = 1; next < length; ++next) {
        const auto continuation = static_cast<uint8_t>(bytes[at + next]);
        if ((continuation & 0xC0U) != 0x80U)
            return {};
        codePoint = (codePoint << 6U) | (continuation & 0x3FU);
    }
    if (codePoint < lowest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {};
    return {codePoint, length};
}

// Walks the bytes; each complete character goes to the sink. The offset of the first broken
// rule, or npos when there is none.
template <typename Sink>
size_t walkUtf8(std::string_view bytes, Sink&& sink) {
    size_t at = 0;
    while (at < bytes.size()) {
        const Sequence sequence = sequenceAt(bytes, at);
        if (sequence.length == 0)
            return at;
        sink(sequence.codePoint);
        at += sequence.length;
    }
    return std::string_view::npos;
}

} // namespace

std::optional<std::wstring> decodeUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    if (walkUtf8(bytes, [&text](uint32_t codePoint) { text.push_back(static_cast<wchar_t>(codePoint)); }) !=
        std::string_view::npos)
        return std::nullopt;
    return text;
}

bool isValidUtf8(std::string_view bytes) {
    return firstInvalidUtf8Byte(bytes) == std::string_view::npos;
}

size_t firstInvalidUtf8Byte(std::string_view bytes) {
    return walkUtf8(bytes, [](uint32_t) {});
}

std::string toValidUtf8(std::string text) {
    // Nearly all box text is ASCII or UTF-8 already and is handed back as it came.
    const size_t bad = firstInvalidUtf8Byte(text);
    if (bad == std::string_view::npos)
        return text;
    const std::string_view bytes = text;
    std::string valid(bytes.substr(0, bad));
    valid.reserve(bytes.size() + 8);
    for (size_t at = bad; at < bytes.size();) {
        const Sequence sequence = sequenceAt(bytes, at);
        if (sequence.length != 0) {
            valid.append(bytes.substr(at, sequence.length));
            at += sequence.length;
            continue;
        }
        // A Latin-1 byte of 0x80 and above is the code point of its value: two UTF-8 bytes.
        const auto byte = static_cast<uint8_t>(bytes[at]);
        valid.push_back(static_cast<char>(0xC0U | (byte >> 6U)));
        valid.push_back(static_cast<char>(0x80U | (byte & 0x3FU)));
        ++at;
    }
    return valid;
}
