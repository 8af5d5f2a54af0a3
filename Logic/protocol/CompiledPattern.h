#pragma once

#include <regex.h>

#include <cstddef>
#include <string>
#include <vector>

// One POSIX extended expression, compiled once. Matching only reads it, so threads may share
// an instance (the C library serialises matching on one compiled expression).
class CompiledPattern {
public:
    explicit CompiledPattern(const std::string& pattern);
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    bool isValid() const { return m_valid; }

    // The text with every character that has a meaning in an extended expression escaped, so
    // the expression made of it matches exactly that text.
    static std::string literal(const std::string& text);

    // Runs the expression over text (up to its first NUL) with room for count entries.
    // False when it does not match or did not compile.
    bool execute(const std::string& text, size_t count, regmatch_t* matches) const;

    // On a match, groups (when given) receives the pieces of source at the matched offsets:
    // entry 0 and the following groups, up to count, stopping at the first unset one.
    bool match(const std::string& text, const std::string& source, size_t count,
               std::vector<std::string>* groups) const;

private:
    std::vector<std::string> m_literalPieces;
    regex_t m_regex{};
    bool m_valid = false;
};
