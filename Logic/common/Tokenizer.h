#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Hands out tokens the way strtok_r does, over its own copy of the text: runs of delimiters
// are skipped, no token is ever empty, and one position is kept across calls, so the
// delimiters may change from one call to the next.
class Tokenizer {
public:
    explicit Tokenizer(std::string text) : m_text(std::move(text)) {}

    // The next token, or nothing when only delimiters (or nothing) remain.
    std::optional<std::string> next(std::string_view delimiters);

private:
    std::string m_text;
    size_t m_position = 0;
};

// Every token of the text, in order.
std::vector<std::string> splitTokens(std::string_view text, std::string_view delimiters);
