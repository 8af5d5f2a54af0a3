#include "Logic/bridge/LineParty.h"

LineParty::LineParty(int64_t id, int64_t state, int64_t statePre, int64_t status,
                     const std::string& callParty, int64_t activeDuration, int64_t holdDuration,
                     const std::string& displayName, ContactPtr contact)
    : m_id(id), m_state(state), m_statePre(statePre), m_status(status), m_callParty(callParty),
      m_activeDuration(activeDuration), m_holdDuration(holdDuration), m_displayName(displayName),
      m_contact(std::move(contact)) {}
