#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>

// Whole files as the CSV tests write and read them, bytes unchanged.
inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline unsigned modeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Every "\n" as "\r\n".
inline std::string withCrLf(const std::string& text) {
    std::string converted;
    for (const char character : text)
        converted += character == '\n' ? std::string("\r\n") : std::string(1, character);
    return converted;
}

// Texts made of what breaks naive CSV: separators, quotes single and doubled, every line end,
// blanks, non-ASCII letters and emoji. Each draw number gives the same texts, so a failing one comes back on
// every run.
class RandomText {
public:
    explicit RandomText(uint32_t draw) : m_engine(draw) {}

    std::string next() {
        static const char* const pieces[] = {
            ",", ",,", "x,y", "\"", "\"\"", "'", "\n", "\r\n", "\r", " ", "\t", "a", "ü", "漢",
            // An emoji, one joined of three, and the other line ends the old reader split at.
            "\xF0\x9F\x98\x80", "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB", "\xE2\x80\xA8", "\xC2\x85",
            "\v", "\f"};
        std::string text;
        for (uint32_t count = below(12); count > 0; --count)
            text += pieces[below(std::size(pieces))];
        return text;
    }

    uint32_t below(size_t bound) { return static_cast<uint32_t>(m_engine() % bound); }

private:
    std::mt19937 m_engine;
};
