#include "datearithmetic.h"

namespace {

// Floor division and modulo, so that years before year 1 count the same way.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t floorMod(std::int64_t a, std::int64_t b)
{
    return a - floorDiv(a, b) * b;
}

// Days since 1970-01-01 (a Thursday).
std::int64_t dayNumber(const CivilDate& date)
{
    const std::int64_t y = date.month <= 2 ? date.year - 1 : date.year;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (date.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int dayInMonth(const CivilDate& date, int month)
{
    return date.month == month ? date.day : 0;
}

CivilDate stepBackTo(CivilDate date, int weekday)
{
    do
        date = PreviousDay(date);
    while (DayOfWeek(date) != weekday);
    return date;
}

constexpr int kSunday = 1;
constexpr int kFriday = 6;

} // namespace

bool IsLeapYear(std::int64_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(std::int64_t year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int DayOfWeek(const CivilDate& date)
{
    // 1970-01-01 was a Thursday, day 5.
    return int(floorMod(dayNumber(date) + 4, 7)) + 1;
}

CivilDate PreviousDay(const CivilDate& date)
{
    if (date.day > 1)
        return {date.year, date.month, date.day - 1};
    if (date.month > 1)
        return {date.year, date.month - 1, DaysInMonth(date.year, date.month - 1)};
    return {date.year - 1, 12, 31};
}

CivilDate EasterSunday(std::int64_t year)
{
    // The full Gregorian computus: the short method it replaces is exact only for 1900 to 2099,
    // and pages reach far beyond those years.
    const std::int64_t a = floorMod(year, 19);
    const std::int64_t b = floorDiv(year, 100);
    const std::int64_t c = floorMod(year, 100);
    const std::int64_t d = floorDiv(b, 4);
    const std::int64_t e = floorMod(b, 4);
    const std::int64_t f = floorDiv(b + 8, 25);
    const std::int64_t g = floorDiv(b - f + 1, 3);
    const std::int64_t h = floorMod(19 * a + b - d - g + 15, 30);
    const std::int64_t i = c / 4;
    const std::int64_t k = c % 4;
    const std::int64_t l = floorMod(32 + 2 * e + 2 * i - h - k, 7);
    const std::int64_t m = (a + 11 * h + 22 * l) / 451;
    const std::int64_t n = h + l - 7 * m + 114;
    return {year, int(n / 31), int(n % 31) + 1};
}

CivilDate GoodFriday(std::int64_t year)
{
    return stepBackTo(EasterSunday(year), kFriday);
}

CivilDate PalmSunday(std::int64_t year)
{
    return stepBackTo(EasterSunday(year), kSunday);
}

int EasterDayInMonth(std::int64_t year, int month)
{
    return dayInMonth(EasterSunday(year), month);
}

int GoodFridayDayInMonth(std::int64_t year, int month)
{
    return dayInMonth(GoodFriday(year), month);
}

int PalmSundayDayInMonth(std::int64_t year, int month)
{
    return dayInMonth(PalmSunday(year), month);
}
