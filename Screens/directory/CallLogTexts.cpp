#include "Screens/directory/CallLogTexts.h"

#include "App/CallTexts.h"
#include "Logic/bridge/PreferencesSettingsManager.h"
#include "Logic/common/Codes.h"

#include <QDateTime>

namespace CallLogTexts {

namespace {

QDateTime localMoment(const std::chrono::system_clock::time_point& moment) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds));
}

} // namespace

DateTimeFormats currentFormats() {
    const PreferencesSettingsPtr preferences = PreferencesSettingsManager::preferencesSettings();
    return {QString::fromStdString(preferences->dateFormat()),
            QString::fromStdString(preferences->timeFormat())};
}

QString formatDate(const CallLog::Moment& moment, const DateTimeFormats& formats) {
    return moment ? formats.date(localMoment(*moment)) : QString();
}

QString formatTime(const CallLog::Moment& moment, const DateTimeFormats& formats) {
    return moment ? formats.time(localMoment(*moment)) : QString();
}

QString formatDuration(int64_t seconds) {
    return seconds == 0 ? QStringLiteral("--|--|--") : durationToString(seconds);
}

QString formatType(int64_t callType) {
    switch (callType) {
    case CallType::RECEIVED:
        return QStringLiteral("Received");
    case CallType::PLACED:
        return QStringLiteral("Placed");
    case CallType::MISSED:
        return QStringLiteral("Missed");
    default:
        return QString();
    }
}

} // namespace CallLogTexts
