// The day of the March or September equinox from the Sun's position, as a clock `utcOffsetMinutes`
// east of Greenwich shows it (Japan's equinox holidays fall on the equinox's day in Japan).
#pragma once

#include <QDate>

// month is 3 or 9; accurate to about a minute from 1000 to 3000.
QDate EquinoxDay(int year, int month, int utcOffsetMinutes);
