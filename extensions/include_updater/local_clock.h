// The local date and time, and their texts for the "$date$" and "$time$" placeholders.
#pragma once

#include <string>

namespace varnel::tool::updater {

struct LocalTime {
    int year = 1970;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int weekday = 4; // 0 (Sunday) to 6
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The system clock, converted to local time.
LocalTime CurrentLocalTime();

// "Sunday December 06 2026": English weekday and month names, two-digit day, the year.
std::string FormatDate(const LocalTime& time);
// "09:05:03": 24-hour clock, two digits each.
std::string FormatTime(const LocalTime& time);

} // namespace varnel::tool::updater
