#include "Logic/profiles/CPPConnectionSettings.h"

#include "Logic/common/Codes.h"
#include "Logic/common/Conversions.h"

#include <string_view>

namespace {

constexpr std::string_view ADDRESS_START = "EP ";

// The address is built afresh and raised as a whole, field and closing blank included. A line
// that starts with an address is judged by that address alone, since the rest of it may quote
// a caller's display name holding any text; any other line may carry the address anywhere.
bool lineCarriesAddress(const std::string& line, const char* prefix, const std::string& field) {
    std::string address = prefix;
    address += field;
    address += ' ';
    CPPConnectionSettings::toUpperInPlace(address);
    if (line.starts_with(ADDRESS_START))
        return line.starts_with(address);
    return line.find(address) != std::string::npos;
}

} // namespace

bool CPPConnectionSettings::matchesEndpoint(const std::string& line) const {
    if (!m_isEPN)
        return lineCarriesAddress(line, "EP ", m_label);
    // The box writes a numbered endpoint in its named form or with its type code.
    if (m_phoneType == PhoneType::VOIP)
        return lineCarriesAddress(line, "EP UA ", m_telcoVoIPEPN) ||
               lineCarriesAddress(line, "EP 20 ", m_telcoVoIPEPN);
    return lineCarriesAddress(line, "EP TELCO_RX ", m_telcoVoIPEPN) ||
           lineCarriesAddress(line, "EP 3 ", m_telcoVoIPEPN);
}

void CPPConnectionSettings::toUpperInPlace(std::string& text) {
    ::toUpperInPlace(text);
}
