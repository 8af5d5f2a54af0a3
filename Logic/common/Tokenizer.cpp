#include "Logic/common/Tokenizer.h"

std::optional<std::string> Tokenizer::next(std::string_view delimiters) {
    const std::string_view text(m_text);
    const size_t start = text.find_first_not_of(delimiters, m_position);
    if (start == std::string_view::npos) {
        m_position = text.size();
        return std::nullopt;
    }
    const size_t end = text.find_first_of(delimiters, start);
    if (end == std::string_view::npos) {
        m_position = text.size();
        return std::string(text.substr(start));
    }
    // Only the one delimiter that ended the token is consumed, as strtok_r does.
    m_position = end + 1;
    return std::string(text.substr(start, end - start));
}

std::vector<std::string> splitTokens(std::string_view text, std::string_view delimiters) {
    Tokenizer tokenizer{std::string(text)};
    std::vector<std::string> tokens;
    while (std::optional<std::string> token = tokenizer.next(delimiters))
        tokens.push_back(std::move(*token));
    return tokens;
}
