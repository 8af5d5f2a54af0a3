#include "App/DateTimeFormats.h"

#include <QLocale>

#include <array>
#include <utility>

namespace {

using NamedPattern = std::pair<const char*, const char*>;

// The stored names are compared exactly, in this order. Qt's "dddd" is the day's name and "AP"
// gives "AM"/"PM" (with it, "hh" counts 12 hours).
constexpr std::array<NamedPattern, 5> datePatterns{{
    {"Day, Month Date, Year", "dddd, MMMM d, yyyy"},
    {"Day, Date Month, Year", "dddd, d MMMM, yyyy"},
    {"DD/MM/YYYY", "dd/MM/yyyy"},
    {"DD/MM/YY", "dd/MM/yy"},
    {"MM/DD/YYYY", "MM/dd/yyyy"},
}};
constexpr const char* otherDatePattern = "MM/dd/yy";

constexpr std::array<NamedPattern, 3> timePatterns{{
    {"HH:MM AM/PM", "hh:mm AP"},
    {"HH:MM:SS AM/PM", "hh:mm:ss AP"},
    {"HH:MM (24 Hour Clock)", "HH:mm"},
}};
constexpr const char* otherTimePattern = "HH:mm:ss";

template <size_t Count>
QString patternFor(const std::array<NamedPattern, Count>& table, const QString& name, const char* other) {
    for (const NamedPattern& entry : table) {
        if (name == QLatin1String(entry.first)) {
            return QLatin1String(entry.second);
        }
    }
    return QLatin1String(other);
}

} // namespace

QString DateTimeFormats::datePattern(const QString& dateFormatName) {
    return patternFor(datePatterns, dateFormatName, otherDatePattern);
}

QString DateTimeFormats::timePattern(const QString& timeFormatName) {
    return patternFor(timePatterns, timeFormatName, otherTimePattern);
}

DateTimeFormats::DateTimeFormats(const QString& dateFormatName, const QString& timeFormatName)
    : m_datePattern(datePattern(dateFormatName)), m_timePattern(timePattern(timeFormatName)) {}

QString DateTimeFormats::date(const QDateTime& moment) const {
    return QLocale::c().toString(moment, m_datePattern);
}

QString DateTimeFormats::time(const QDateTime& moment) const {
    return QLocale::c().toString(moment, m_timePattern);
}

QString DateTimeFormats::dateTime(const QDateTime& moment) const {
    return QLocale::c().toString(moment, m_datePattern + QLatin1Char(' ') + m_timePattern);
}
