#include "Logic/store/CPPCallLog.h"

#include <algorithm>
#include <limits>

namespace {

int32_t saturatedDuration(time_t start, time_t end, int32_t extraSeconds) {
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    // Moments far apart overflow even 64 bits; past int32 the result saturates anyway.
    int64_t duration = 0;
    if (__builtin_sub_overflow(static_cast<int64_t>(end), static_cast<int64_t>(start), &duration) ||
        __builtin_add_overflow(duration, int64_t{extraSeconds}, &duration))
        return static_cast<int32_t>(end > start ? highest : lowest);
    return static_cast<int32_t>(std::clamp(duration, lowest, highest));
}

std::string formatted(const std::tm& moment, const char* format) {
    char text[64] = {};
    const size_t length = std::strftime(text, sizeof text, format, &moment);
    return std::string(text, length);
}

} // namespace

void CPPCallLog::setCallTimes(time_t start, time_t end, int32_t extraSeconds) {
    m_callDuration = saturatedDuration(start, end, extraSeconds);
    std::tm moment{};
    if (localtime_r(&start, &moment) == nullptr) {
        m_callDate.clear();
        m_startTime.clear();
        return;
    }
    m_callDate = formatted(moment, "%Y/%m/%d");
    m_startTime = formatted(moment, "%H:%M:%S");
}
