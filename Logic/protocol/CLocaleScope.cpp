#include "Logic/protocol/CLocaleScope.h"

namespace {

// Made once and never freed: every thread may switch to it at any time.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

CLocaleScope::CLocaleScope() {
    const locale_t target = cLocale();
    // Should the C locale be unobtainable, the thread keeps its own rather than losing one.
    m_previous =
        target != static_cast<locale_t>(nullptr) ? uselocale(target) : static_cast<locale_t>(nullptr);
}

CLocaleScope::~CLocaleScope() {
    if (m_previous != static_cast<locale_t>(nullptr))
        uselocale(m_previous);
}
