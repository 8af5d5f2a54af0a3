#pragma once

#include <QDateTime>
#include <QString>

// The date and time formats the user picks in the preferences, by their stored names, as Qt
// date patterns. Texts are always in English (QLocale::c()), whatever the user's locale, with
// "AM"/"PM" in the 12-hour forms. The title bar clock and the call log both format through here.
class DateTimeFormats {
public:
    // Unknown names fall back to "MM/dd/yy" and "HH:mm:ss".
    static QString datePattern(const QString& dateFormatName);
    static QString timePattern(const QString& timeFormatName);

    DateTimeFormats(const QString& dateFormatName, const QString& timeFormatName);

    const QString& datePattern() const { return m_datePattern; }
    const QString& timePattern() const { return m_timePattern; }
    QString date(const QDateTime& moment) const;
    QString time(const QDateTime& moment) const;
    // The date, one blank and the time: the clock's text.
    QString dateTime(const QDateTime& moment) const;

private:
    QString m_datePattern;
    QString m_timePattern;
};
