// Gregorian calendar arithmetic shared by the page and the recurring dates: month lengths, weekdays
// and the Easter feasts, in 64-bit years so that any year a document holds is safe.
#pragma once

#include <cstdint>

struct CivilDate
{
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};

bool IsLeapYear(std::int64_t year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonth(std::int64_t year, int month);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(const CivilDate& date);
// One day earlier.
CivilDate PreviousDay(const CivilDate& date);

// The full Gregorian computus (anonymous, Meeus/Jones/Butcher), valid for every Gregorian year.
CivilDate EasterSunday(std::int64_t year);
// Stepping back from the day before Easter Sunday to the first Friday, or the first Sunday.
CivilDate GoodFriday(std::int64_t year);
CivilDate PalmSunday(std::int64_t year);

// The feast's day number when it falls in `month` of `year`, else 0.
int EasterDayInMonth(std::int64_t year, int month);
int GoodFridayDayInMonth(std::int64_t year, int month);
int PalmSundayDayInMonth(std::int64_t year, int month);
