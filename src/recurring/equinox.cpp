#include "equinox.h"

#include <cmath>
#include <numbers>

namespace {

double cosDegrees(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180.0);
}

// The mean equinox and the periodic terms of the Earth's orbit (Meeus, Astronomical Algorithms, ch. 27).
double equinoxEphemerisDay(int year, int month)
{
    const double y = (year - 2000) / 1000.0;
    const double mean =
        month == 3 ? 2451623.80984 + 365242.37404 * y + 0.05169 * y * y - 0.00411 * y * y * y - 0.00057 * y * y * y * y
                   : 2451810.21715 + 365242.01767 * y - 0.11575 * y * y + 0.00337 * y * y * y + 0.00078 * y * y * y * y;
    static constexpr double kTerms[24][3] = {
        {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},   {182, 27.85, 445267.112},
        {156, 73.14, 45036.886}, {136, 171.52, 22518.443}, {77, 222.54, 65928.934}, {74, 296.72, 3034.906},
        {70, 243.58, 9037.513},  {58, 119.81, 33718.147},  {52, 297.17, 150.678},   {50, 21.02, 2281.232},
        {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},   {18, 155.12, 67555.328},
        {17, 288.79, 4562.452},  {16, 198.04, 62894.029},  {14, 199.76, 31436.921}, {12, 95.39, 14577.848},
        {12, 287.11, 31931.756}, {12, 320.81, 34777.259},  {9, 227.73, 1222.114},   {8, 15.45, 16859.074},
    };
    const double t = (mean - 2451545.0) / 36525.0;
    const double w = 35999.373 * t - 2.47;
    const double lambda = 1 + 0.0334 * cosDegrees(w) + 0.0007 * cosDegrees(2 * w);
    double sum = 0;
    for (const auto& term : kTerms)
        sum += term[0] * cosDegrees(term[1] + term[2] * t);
    return mean + 0.00001 * sum / lambda;
}

// Terrestrial minus universal time in seconds (Espenak and Meeus's polynomials).
double deltaTSeconds(int year)
{
    const double t = year - 2000.0;
    if (year >= 1986 && year < 2005)
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
               0.00002373599 * t * t * t * t * t;
    if (year >= 2005 && year < 2050)
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    const double u = (year - 1820) / 100.0;
    if (year >= 2050 && year < 2150)
        return -20 + 32 * u * u - 0.5628 * (2150 - year);
    return -20 + 32 * u * u;
}

} // namespace

QDate EquinoxDay(int year, int month, int utcOffsetMinutes)
{
    const double universal = equinoxEphemerisDay(year, month) - deltaTSeconds(year) / 86400.0;
    const double local = universal + utcOffsetMinutes / 1440.0;
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(local + 0.5)));
}
