#include "moonphase.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegree = M_PI / 180.0;
constexpr double kUnixEpochJd = 2440587.5;

double sinDeg(double degrees)
{
    return std::sin(std::fmod(degrees, 360.0) * kDegree);
}

double cosDeg(double degrees)
{
    return std::cos(std::fmod(degrees, 360.0) * kDegree);
}

double polynomial(double t, std::initializer_list<double> coefficients)
{
    double sum = 0;
    double power = 1;
    for (const double c : coefficients) {
        sum += c * power;
        power *= t;
    }
    return sum;
}

// The periodic terms of the true phase, from the Sun's and Moon's mean anomalies m and mp, the Moon's
// argument of latitude f, the longitude of its ascending node om and the eccentricity factor e.
double periodicTerms(MoonPhase phase, double m, double mp, double f, double om, double e)
{
    if (phase == MoonPhase::New || phase == MoonPhase::Full) {
        const bool isNew = phase == MoonPhase::New;
        double sum = (isNew ? -0.40720 : -0.40614) * sinDeg(mp) + (isNew ? 0.17241 : 0.17302) * e * sinDeg(m) +
                     (isNew ? 0.01608 : 0.01614) * sinDeg(2 * mp) + (isNew ? 0.01039 : 0.01043) * sinDeg(2 * f) +
                     (isNew ? 0.00739 : 0.00734) * e * sinDeg(mp - m) -
                     (isNew ? 0.00514 : 0.00515) * e * sinDeg(mp + m) +
                     (isNew ? 0.00208 : 0.00209) * e * e * sinDeg(2 * m);
        sum += -0.00111 * sinDeg(mp - 2 * f) - 0.00057 * sinDeg(mp + 2 * f) + 0.00056 * e * sinDeg(2 * mp + m) -
               0.00042 * sinDeg(3 * mp) + 0.00042 * e * sinDeg(m + 2 * f) + 0.00038 * e * sinDeg(m - 2 * f) -
               0.00024 * e * sinDeg(2 * mp - m) - 0.00017 * sinDeg(om) - 0.00007 * sinDeg(mp + 2 * m) +
               0.00004 * sinDeg(2 * mp - 2 * f) + 0.00004 * sinDeg(3 * m) + 0.00003 * sinDeg(mp + m - 2 * f) +
               0.00003 * sinDeg(2 * mp + 2 * f) - 0.00003 * sinDeg(mp + m + 2 * f) + 0.00003 * sinDeg(mp - m + 2 * f) -
               0.00002 * sinDeg(mp - m - 2 * f) - 0.00002 * sinDeg(3 * mp + m) + 0.00002 * sinDeg(4 * mp);
        return sum;
    }
    double sum = -0.62801 * sinDeg(mp) + 0.17172 * e * sinDeg(m) - 0.01183 * e * sinDeg(mp + m) +
                 0.00862 * sinDeg(2 * mp) + 0.00804 * sinDeg(2 * f) + 0.00454 * e * sinDeg(mp - m) +
                 0.00204 * e * e * sinDeg(2 * m) - 0.00180 * sinDeg(mp - 2 * f) - 0.00070 * sinDeg(mp + 2 * f) -
                 0.00040 * sinDeg(3 * mp) - 0.00034 * e * sinDeg(2 * mp - m) + 0.00032 * e * sinDeg(m + 2 * f) +
                 0.00032 * e * sinDeg(m - 2 * f) - 0.00028 * e * e * sinDeg(mp + 2 * m) +
                 0.00027 * e * sinDeg(2 * mp + m) - 0.00017 * sinDeg(om) - 0.00005 * sinDeg(mp - m - 2 * f) +
                 0.00004 * sinDeg(2 * mp + 2 * f) - 0.00004 * sinDeg(mp + m + 2 * f) + 0.00004 * sinDeg(mp - 2 * m) +
                 0.00003 * sinDeg(mp + m - 2 * f) + 0.00003 * sinDeg(3 * m) + 0.00002 * sinDeg(2 * mp - 2 * f) +
                 0.00002 * sinDeg(mp - m + 2 * f) - 0.00002 * sinDeg(3 * mp + m);
    const double w = 0.00306 - 0.00038 * e * cosDeg(m) + 0.00026 * cosDeg(mp) - 0.00002 * cosDeg(mp - m) +
                     0.00002 * cosDeg(mp + m) + 0.00002 * cosDeg(2 * f);
    return sum + (phase == MoonPhase::FirstQuarter ? w : -w);
}

// The planets' small pull, the same for every phase.
double planetaryTerms(double k, double t)
{
    static constexpr struct
    {
        double amplitude, start, rate;
    } kTerms[] = {{0.000165, 251.88, 0.016321}, {0.000164, 251.83, 26.651886}, {0.000126, 349.42, 36.412478},
                  {0.000110, 84.66, 18.206239}, {0.000062, 141.74, 53.303771}, {0.000060, 207.14, 2.453732},
                  {0.000056, 154.84, 7.306860}, {0.000047, 34.52, 27.261239},  {0.000042, 207.19, 0.121824},
                  {0.000040, 291.34, 1.844379}, {0.000037, 161.72, 24.198154}, {0.000035, 239.56, 25.513099},
                  {0.000023, 331.55, 3.592518}};
    // The first argument alone has a term in t.
    double sum = 0.000325 * sinDeg(299.77 + 0.107408 * k - 0.009173 * t * t);
    for (const auto& term : kTerms)
        sum += term.amplitude * sinDeg(term.start + term.rate * k);
    return sum;
}

// To the nearest minute, as almanacs give it: the date shown is then the date of the time shown.
QDateTime localTimeOfJde(double jde)
{
    const double year = 2000.0 + (jde - 2451545.0) / 365.25;
    const double jd = jde - DeltaTSeconds(year) / 86400.0;
    const qint64 minutes = std::llround((jd - kUnixEpochJd) * 1440.0);
    return QDateTime::fromMSecsSinceEpoch(minutes * 60000);
}

} // namespace

double MoonPhaseJde(int lunation, MoonPhase phase)
{
    const double k = lunation + int(phase) * 0.25;
    const double t = k / 1236.85;
    const double mean =
        2451550.09766 + 29.530588861 * k + polynomial(t, {0, 0, 0.00015437, -0.000000150, 0.00000000073});
    const double e = polynomial(t, {1, -0.002516, -0.0000074});
    const double m = 2.5534 + 29.10535670 * k + polynomial(t, {0, 0, -0.0000014, -0.00000011});
    const double mp = 201.5643 + 385.81693528 * k + polynomial(t, {0, 0, 0.0107582, 0.00001238, -0.000000058});
    const double f = 160.7108 + 390.67050284 * k + polynomial(t, {0, 0, -0.0016118, -0.00000227, 0.000000011});
    const double om = 124.7746 - 1.56375588 * k + polynomial(t, {0, 0, 0.0020672, 0.00000215});
    return mean + periodicTerms(phase, m, mp, f, om, e) + planetaryTerms(k, t);
}

// The polynomials Espenak and Meeus fitted to the observed and extrapolated values.
double DeltaTSeconds(double y)
{
    if (y < 1860 || y >= 2150) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 1900)
        return polynomial(y - 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174});
    if (y < 1920)
        return polynomial(y - 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
    if (y < 1941)
        return polynomial(y - 1920, {21.20, 0.84493, -0.076100, 0.0020936});
    if (y < 1961)
        return polynomial(y - 1950, {29.07, 0.407, -1.0 / 233, 1.0 / 2547});
    if (y < 1986)
        return polynomial(y - 1975, {45.45, 1.067, -1.0 / 260, -1.0 / 718});
    if (y < 2005)
        return polynomial(y - 2000, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    if (y < 2050)
        return polynomial(y - 2000, {62.92, 0.32217, 0.005589});
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

QList<MoonPhaseTime> MoonPhasesOfMonth(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    const QDate last = first.addDays(first.daysInMonth() - 1);
    // From two lunations before the month's start to one after its end: time zones and the spread of
    // the true phases about the mean ones move no phase further.
    const int firstLunation = int(std::floor((year + (month - 1) / 12.0 - 2000.0) * 12.3685)) - 2;
    QList<MoonPhaseTime> phases;
    for (int k = firstLunation; k <= firstLunation + 4; ++k) {
        for (const MoonPhase phase :
             {MoonPhase::New, MoonPhase::FirstQuarter, MoonPhase::Full, MoonPhase::LastQuarter}) {
            const QDateTime when = localTimeOfJde(MoonPhaseJde(k, phase));
            if (when.date() >= first && when.date() <= last)
                phases.append({phase, when});
        }
    }
    std::sort(phases.begin(), phases.end(),
              [](const MoonPhaseTime& a, const MoonPhaseTime& b) { return a.when < b.when; });
    return phases;
}

QString MoonPhaseName(MoonPhase phase)
{
    switch (phase) {
    case MoonPhase::New:
        return QStringLiteral("new moon");
    case MoonPhase::FirstQuarter:
        return QStringLiteral("first quarter");
    case MoonPhase::Full:
        return QStringLiteral("full moon");
    case MoonPhase::LastQuarter:
        return QStringLiteral("last quarter");
    }
    return QString();
}
