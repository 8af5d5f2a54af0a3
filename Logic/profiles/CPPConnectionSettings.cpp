#include "Logic/profiles/CPPConnectionSettings.h"

#include "Logic/common/Conversions.h"

namespace {

// The address is built afresh and raised as a whole, field and closing blank included.
bool lineContainsAddress(const std::string& line, const char* prefix, const std::string& field) {
    std::string address = prefix;
    address += field;
    address += ' ';
    CPPConnectionSettings::toUpperInPlace(address);
    return line.find(address) != std::string::npos;
}

} // namespace

bool CPPConnectionSettings::matchesEndpoint(const std::string& line) const {
    if (!m_isEPN)
        return lineContainsAddress(line, "EP ", m_label);
    // The box writes a numbered endpoint in its named form or with its type code.
    if (m_phoneType == 1)
        return lineContainsAddress(line, "EP UA ", m_telcoVoIPEPN) ||
               lineContainsAddress(line, "EP 20 ", m_telcoVoIPEPN);
    return lineContainsAddress(line, "EP TELCO_RX ", m_telcoVoIPEPN) ||
           lineContainsAddress(line, "EP 3 ", m_telcoVoIPEPN);
}

void CPPConnectionSettings::toUpperInPlace(std::string& text) {
    ::toUpperInPlace(text);
}
