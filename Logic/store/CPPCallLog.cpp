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

const char* const dateFormat = "%Y/%m/%d";
const char* const timeFormat = "%H:%M:%S";

std::string formatted(const std::tm& moment, const char* format) {
    char text[64] = {};
    const size_t length = std::strftime(text, sizeof text, format, &moment);
    return std::string(text, length);
}

std::string formattedLocal(time_t moment, const char* format) {
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return "";
    return formatted(local, format);
}

// Reads "a<separator>b<separator>c" of 4, 2 and 2 digits (first, second, third width given);
// nothing else, not even blanks, may stand in the text.
bool readThreeNumbers(const std::string& text, char separator, size_t firstWidth, int& first, int& second,
                      int& third) {
    const size_t length = firstWidth + 6;
    if (text.size() != length || text[firstWidth] != separator || text[firstWidth + 3] != separator)
        return false;
    int* const targets[] = {&first, &second, &third};
    const size_t starts[] = {0, firstWidth + 1, firstWidth + 4};
    const size_t widths[] = {firstWidth, 2, 2};
    for (size_t part = 0; part < 3; ++part) {
        int value = 0;
        for (size_t at = starts[part]; at < starts[part] + widths[part]; ++at) {
            if (text[at] < '0' || text[at] > '9')
                return false;
            value = value * 10 + (text[at] - '0');
        }
        *targets[part] = value;
    }
    return true;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::optional<time_t> localMoment(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    // Whether summer time applies is the time zone's to say for that day.
    local.tm_isdst = -1;
    const time_t moment = std::mktime(&local);
    if (moment == static_cast<time_t>(-1))
        return std::nullopt;
    return moment;
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
    m_callDate = formatted(moment, dateFormat);
    m_startTime = formatted(moment, timeFormat);
}

std::string CPPCallLog::formatCallDate(time_t moment) {
    return formattedLocal(moment, dateFormat);
}

std::string CPPCallLog::formatStartTime(time_t moment) {
    return formattedLocal(moment, timeFormat);
}

std::optional<time_t> CPPCallLog::parseCallDate(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (!readThreeNumbers(text, '/', 4, year, month, day) || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return localMoment(year, month, day, 0, 0, 0);
}

std::optional<time_t> CPPCallLog::parseStartTime(const std::string& text) {
    const std::optional<int32_t> seconds = parseSecondsOfDay(text);
    if (!seconds)
        return std::nullopt;
    return localMoment(2000, 1, 1, *seconds / 3600, *seconds / 60 % 60, *seconds % 60);
}

std::optional<int32_t> CPPCallLog::parseSecondsOfDay(const std::string& text) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!readThreeNumbers(text, ':', 2, hour, minute, second) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}
