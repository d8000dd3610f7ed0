#include "calendarsettings.h"

#include <QLocale>

std::array<QString, 13> LocaleMonthNames()
{
    const QLocale locale = QLocale::system();
    std::array<QString, 13> names;
    for (int m = 1; m <= 12; ++m)
        names[m] = locale.standaloneMonthName(m, QLocale::LongFormat);
    return names;
}

std::array<QString, 8> LocaleDayNames()
{
    const QLocale locale = QLocale::system();
    std::array<QString, 8> names;
    for (int d = 1; d <= 7; ++d)
        names[d] = locale.standaloneDayName(d == 1 ? 7 : d - 1, QLocale::LongFormat);
    return names;
}
