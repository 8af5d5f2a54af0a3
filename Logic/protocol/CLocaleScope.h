#pragma once

#include <locale.h>

// Switches the calling thread to the C locale for its lifetime and back afterwards, so that
// pattern compilation and matching never depend on the locale the application chose.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};
