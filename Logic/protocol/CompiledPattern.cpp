#include "Logic/protocol/CompiledPattern.h"

#include "Logic/protocol/CLocaleScope.h"

CompiledPattern::CompiledPattern(const std::string& pattern) {
    CLocaleScope cLocale;
    m_valid = regcomp(&m_regex, pattern.c_str(), REG_EXTENDED) == 0;
}

CompiledPattern::~CompiledPattern() {
    if (m_valid)
        regfree(&m_regex);
}

bool CompiledPattern::execute(const std::string& text, size_t count, regmatch_t* matches) const {
    if (!m_valid)
        return false;
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
