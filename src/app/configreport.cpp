#include "configreport.h"

#include "app/almarinversion.h"

#include "platform/rounding.h"

namespace {

const QString kUnknown = QStringLiteral("unknown");

QString orUnknown(const QString& value)
{
    return value.isEmpty() ? kUnknown : value;
}

// Whole numbers always with the thousands separator, which Qt's C locale leaves out by default.
QString grouped(qint64 value, const QLocale& locale)
{
    if (value < 0)
        return kUnknown;
    QLocale withGroups = locale;
    withGroups.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return withGroups.toString(value);
}

QString totalAndAvailable(const char* label, qint64 total, qint64 available, const QLocale& locale)
{
    return QLatin1String(label) + QStringLiteral("Total: ") + grouped(total, locale) +
           QStringLiteral(";    Available: ") + grouped(available, locale);
}

QString userAndSystem(const char* label, const QString& user, const QString& system)
{
    return QLatin1String(label) + QStringLiteral("User: ") + orUnknown(user) + QStringLiteral(";    System: ") +
           orUnknown(system);
}

QString shortAndLong(const char* label, const QString& shortFormat, const QString& longFormat)
{
    return QLatin1String(label) + QStringLiteral("Short: ") + orUnknown(shortFormat) + QStringLiteral(";    Long: ") +
           orUnknown(longFormat);
}

QString GetWindowsVersion(const TSystemFacts& facts)
{
    QString text = orUnknown(facts.OsName);
    if (!facts.OsVersion.isEmpty() || !facts.KernelVersion.isEmpty())
        text += QStringLiteral(" (version ") + orUnknown(facts.OsVersion) + QStringLiteral(" build:") +
                orUnknown(facts.KernelVersion) + QLatin1Char(')');
    return QStringLiteral("Windows:     \t") + text;
}

QString GetProcessorInfo(const TSystemFacts& facts)
{
    return QStringLiteral("CPU:         \tProcessor:  ") + orUnknown(facts.CpuArchitecture) + QLatin1Char(' ') +
           orUnknown(facts.CpuModel);
}

QString Getvideo(const TSystemFacts& facts)
{
    const QLocale& locale = facts.UserLocale;
    if (facts.ScreenSize.isEmpty())
        return QStringLiteral("Video:       \t") + kUnknown;
    const QString colors = facts.ScreenDepth > 0 ? ColorCountText(facts.ScreenDepth, locale) : kUnknown;
    return QStringLiteral("Video:       \t") + QString::number(facts.ScreenSize.width()) + QStringLiteral(" x ") +
           QString::number(facts.ScreenSize.height()) + QStringLiteral(" x ") + colors + QStringLiteral(" colors");
}

QString GetFontSize(const TSystemFacts& facts)
{
    QString text = QStringLiteral("Custom font size in use");
    if (facts.LogicalDpi == 96)
        text = QStringLiteral("Small Fonts in use");
    else if (facts.LogicalDpi == 120)
        text = QStringLiteral("Large Fonts in use");
    else if (facts.LogicalDpi <= 0)
        text = kUnknown;
    return QStringLiteral("Font:        \t") + text;
}

QStringList LoadMemoryValues(const TSystemFacts& facts)
{
    const QLocale& locale = facts.UserLocale;
    const bool physKnown = facts.PhysTotal > 0 && facts.PhysAvailable >= 0;
    // The share of physical memory in use.
    const QString load =
        physKnown ? QString::number(
                        RoundHalfEven(100.0 * double(facts.PhysTotal - facts.PhysAvailable) / double(facts.PhysTotal)))
                  : kUnknown;
    // Virtual memory is what physical memory and swap hold together.
    auto sum = [](qint64 a, qint64 b) { return a < 0 || b < 0 ? qint64(-1) : a + b; };
    return {QStringLiteral("Memory Load: \t") + load,
            totalAndAvailable("Phys Memory: \t", facts.PhysTotal, facts.PhysAvailable, locale),
            totalAndAvailable("Page File:   \t", facts.SwapTotal, facts.SwapAvailable, locale),
            totalAndAvailable("Virt Memory: \t", sum(facts.PhysTotal, facts.SwapTotal),
                              sum(facts.PhysAvailable, facts.SwapAvailable), locale)};
}

QString languageName(const QLocale& locale)
{
    return QLocale::languageToString(locale.language());
}

QString countryName(const QLocale& locale)
{
    return QLocale::territoryToCode(locale.territory());
}

QString GetLanguage(const TSystemFacts& facts)
{
    return userAndSystem("Language:    \t", languageName(facts.UserLocale),
                         facts.SystemLocale ? languageName(*facts.SystemLocale) : QString());
}

QString GetCountry(const TSystemFacts& facts)
{
    return userAndSystem("Country:     \t", countryName(facts.UserLocale),
                         facts.SystemLocale ? countryName(*facts.SystemLocale) : QString());
}

// The printers take the place of the printer sections of other systems' settings files.
QStringList FillWithPrinterValues(const TSystemFacts& facts)
{
    QStringList lines = {QString(), QStringLiteral("[Devices]")};
    for (const auto& [name, model] : facts.Printers)
        lines << name + QLatin1Char('=') + orUnknown(model);
    lines << QString();
    return lines;
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString ColorCountText(int bitsPerPixel, const QLocale& locale)
{
    qint64 colors = bitsPerPixel;
    switch (bitsPerPixel) {
    case 1:
        colors = 2;
        break;
    case 4:
        colors = 16;
        break;
    case 8:
        colors = 256;
        break;
    case 15:
        colors = 32768;
        break;
    case 16:
        colors = 65536;
        break;
    case 24:
    case 32:
        colors = 16777216;
        break;
    default:
        break;
    }
    return grouped(colors, locale);
}

QStringList ProductLines(const QDate& today, const QLocale& locale)
{
    return {locale.toString(today, QLocale::LongFormat),
            QString(),
            QStringLiteral("[Product]"),
            QStringLiteral("Program:     \tAlmarin"),
            QStringLiteral("Version:     \t") + QLatin1String(kAlmarinVersion),
            QStringLiteral("Build Date:  \t") + locale.toString(QDate(2001, 5, 17), QLocale::ShortFormat)};
}

QStringList EnvironmentLines(const TSystemFacts& facts)
{
    const QLocale& locale = facts.UserLocale;
    QStringList lines = {QString(),
                         QStringLiteral("[Environment]"),
                         GetWindowsVersion(facts),
                         GetProcessorInfo(facts),
                         Getvideo(facts),
                         GetFontSize(facts)};
    lines << LoadMemoryValues(facts);
    lines << GetLanguage(facts) << GetCountry(facts);
    lines << shortAndLong("Date Format: \t", locale.dateFormat(QLocale::ShortFormat),
                          locale.dateFormat(QLocale::LongFormat));
    lines << shortAndLong("Time Format: \t", locale.timeFormat(QLocale::ShortFormat),
                          locale.timeFormat(QLocale::LongFormat));
    lines << FillWithPrinterValues(facts);
    return lines;
}

QStringList PreferenceLines(const TPreferences& preferences)
{
    const FontDescription& font = preferences.DefaultFont;
    return {QString(),
            QStringLiteral("[QX.INI]"),
            QString(),
            QStringLiteral("LastZoom:    \t") + QString::number(preferences.MainZoomPercent) + QLatin1Char('/') +
                QString::number(preferences.PropZoomPercent),
            QStringLiteral("DeFFont      \t") + font.name + QLatin1Char(',') + QString::number(font.size) +
                QLatin1Char(',') + flag(font.style & fsBold) + QLatin1Char(',') + flag(font.style & fsItalic) +
                QLatin1Char(',') + flag(font.style & fsUnderline) + QLatin1Char(',') + QString::number(font.color),
            QStringLiteral("LastIconFile:\t") + preferences.IconFile,
            QStringLiteral("IconShowing :\t") + flag(preferences.IconToolVisible),
            QStringLiteral("ShowHint:   :\t") + flag(preferences.ShowHints)};
}
