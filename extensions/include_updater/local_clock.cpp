#include "local_clock.h"

#include "updater_texts.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

namespace varnel::tool::updater {

namespace {

// A name from a table, or "?" for a value outside it.
const char* Name(const char* const* names, int count, int index)
{
    return index >= 0 && index < count ? names[index] : "?";
}

} // namespace

LocalTime CurrentLocalTime()
{
    LocalTime now;
#if defined(_WIN32)
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    SYSTEMTIME local;
    if (!SystemTimeToTzSpecificLocalTime(&zone, &utc, &local))
        local = utc;
    now.year = local.wYear;
    now.month = local.wMonth;
    now.day = local.wDay;
    now.weekday = local.wDayOfWeek;
    now.hour = local.wHour;
    now.minute = local.wMinute;
    now.second = local.wSecond;
#else
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return now;
    now.year = local.tm_year + 1900;
    now.month = local.tm_mon + 1;
    now.day = local.tm_mday;
    now.weekday = local.tm_wday;
    now.hour = local.tm_hour;
    now.minute = local.tm_min;
    now.second = local.tm_sec;
#endif
    return now;
}

std::string FormatDate(const LocalTime& time)
{
    char text[63];
    std::snprintf(text, sizeof text, "%s %s %02d %04d", Name(kWeekdayNames, 7, time.weekday),
                  Name(kMonthNames, 12, time.month - 1), time.day, time.year);
    return text;
}

std::string FormatTime(const LocalTime& time)
{
    char text[63];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

} // namespace varnel::tool::updater
