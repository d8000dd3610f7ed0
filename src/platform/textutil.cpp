#include "textutil.h"

QString TrimLeft(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString TrimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString TrimSpaces(const QString& s)
{
    return TrimRight(TrimLeft(s));
}

QString OrdinalText(int n)
{
    static const char* const suffixes[10] = {"th", "st", "nd", "rd", "th", "th", "th", "th", "th", "th"};
    const char* suffix = (n >= 11 && n <= 19) ? "th" : suffixes[((n % 10) + 10) % 10];
    return QString::number(n) + QLatin1String(suffix);
}
