#include "Logic/protocol/CompiledPattern.h"

#include "Logic/protocol/CLocaleScope.h"

#include <string_view>

namespace {

constexpr std::string_view ANY_GROUP = "(.*)";
constexpr const char* METACHARACTERS = ".[]()*+?{}|^$\\";

// The literal pieces between "(.*)" groups, in order; empty for patterns using any other
// operator. A text matches such a pattern exactly when the pieces occur in it in this order
// without overlapping, which a plain search can tell.
std::vector<std::string> literalPieces(const std::string& pattern) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= pattern.size()) {
        const size_t group = pattern.find(ANY_GROUP, start);
        const size_t end = group == std::string::npos ? pattern.size() : group;
        std::string piece = pattern.substr(start, end - start);
        if (piece.find_first_of(METACHARACTERS) != std::string::npos)
            return {};
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        start = end + ANY_GROUP.size();
    }
    return pieces;
}

} // namespace

CompiledPattern::CompiledPattern(const std::string& pattern) : m_literalPieces(literalPieces(pattern)) {
    CLocaleScope cLocale;
    m_valid = regcomp(&m_regex, pattern.c_str(), REG_EXTENDED) == 0;
}

std::string CompiledPattern::literal(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char character : text) {
        if (std::string_view(METACHARACTERS).find(character) != std::string_view::npos)
            escaped += '\\';
        escaped += character;
    }
    return escaped;
}

CompiledPattern::~CompiledPattern() {
    if (m_valid)
        regfree(&m_regex);
}

bool CompiledPattern::execute(const std::string& text, size_t count, regmatch_t* matches) const {
    if (!m_valid)
        return false;
    // The matcher retries from every possible start, which is quadratic on long lines;
    // searching for the pieces first keeps it to the lines it will match.
    const std::string_view subject(text.c_str());
    size_t from = 0;
    for (const std::string& piece : m_literalPieces) {
        const size_t found = subject.find(piece, from);
        if (found == std::string_view::npos)
            return false;
        from = found + piece.size();
    }
    CLocaleScope cLocale;
    return regexec(&m_regex, text.c_str(), count, matches, 0) == 0;
}

bool CompiledPattern::match(const std::string& text, const std::string& source, size_t count,
                            std::vector<std::string>* groups) const {
    std::vector<regmatch_t> matches(count > 0 ? count : 1);
    if (!execute(text, count, count > 0 ? matches.data() : nullptr))
        return false;
    if (groups == nullptr)
        return true;
    for (size_t index = 0; index < count; ++index) {
        const regmatch_t& entry = matches[index];
        if (entry.rm_so < 0)
            break;
        const auto start = static_cast<size_t>(entry.rm_so);
        const auto end = static_cast<size_t>(entry.rm_eo);
        // The caller promises source is as long as text; a shorter one yields what it holds.
        groups->push_back(start < source.size() ? source.substr(start, end - start) : std::string());
    }
    return true;
}
