#pragma once

#include <locale.h>

/// While alive, the calling thread formats and reads numbers in the "C"
/// locale ("1.5", never "1,5"), whatever locale the process has.
class CNumericScope {
public:
    CNumericScope()
    {
        static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
        m_previous = uselocale(cLocale);
    }
    ~CNumericScope() { uselocale(m_previous); }
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    locale_t m_previous;
};
