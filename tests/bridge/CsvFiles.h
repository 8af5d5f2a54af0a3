#pragma once

#include <fstream>
#include <iterator>
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
