#include "App/CallTexts.h"

#include <array>

namespace {

constexpr std::array<const char*, 28> stateNames{
    "NONE",
    "IDLE",
    "DIAL TONE",
    "DIALING",
    "RINGING",
    "BUSY",
    "ACTIVE",
    "HOLD",
    "INCOMING",
    "CONFERENCE ACTIVE",
    "CONFERENCE HOLD",
    "TRANSFER HOLD",
    "TRANSFER ACTIVE",
    "TRANSFERRING DIAL TONE",
    "TRANSFERRING DIALING",
    "TRANSFERRING RINGING",
    "TRANSFERRING BUSY",
    "TRANFERRING ACTIVE",
    "TRANSFERRING HOLD",
    "BLIND TRANSFER HOLD",
    "BLIND TRANSFERRING DIAL TONE",
    "BLIND TRANSFERRING DIALING",
    "BLIND TRANSFERRING RINGING",
    "BLIND TRANSFERRING BUSY",
    "CALL FORWARDING",
    "IN PROCESS",
    "TRANSFERRING IN PROCESS",
    "BLIND TRANSFERRING IN PROCESS",
};

constexpr std::array<const char*, 7> typeNames{"Home", "Work", "Mobile", "Main", "Office", "Pager", "Other"};

template <size_t Count>
QString nameAt(const std::array<const char*, Count>& names, int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(Count)) {
        return QStringLiteral("");
    }
    return QLatin1String(names[static_cast<size_t>(index)]);
}

} // namespace

QString linePartyStateToString(int64_t state) {
    return nameAt(stateNames, state);
}

QString phoneTypeToString(int64_t type) {
    return nameAt(typeNames, type);
}

QString durationToString(int64_t seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    const int64_t hours = seconds / 3600;
    const int64_t minutes = (seconds - hours * 3600) / 60;
    const int64_t rest = seconds % 60;
    return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(hours),
                             static_cast<long long>(minutes), static_cast<long long>(rest));
}
