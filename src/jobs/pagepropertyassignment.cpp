#include "pagepropertyassignment.h"

#include "document/calendarpagemodel.h"
#include "document/calendarsettings.h"
#include "platform/rounding.h"
#include "stream/namedcolors.h"

#include <QMetaEnum>

#include <cmath>
#include <functional>
#include <map>

namespace {

using Setter = std::function<QString(CalendarSettings&, const QString&)>;

QString OutOfRange(const QString& value)
{
    return QStringLiteral("value %1 is out of range").arg(value);
}

bool ReadInt(const QString& text, qint32* value)
{
    bool ok = false;
    const qint64 wide = text.toLongLong(&ok);
    if (!ok || wide < INT32_MIN || wide > INT32_MAX)
        return false;
    *value = qint32(wide);
    return true;
}

Setter Boolean(bool CalendarSettings::*field)
{
    return [field](CalendarSettings& s, const QString& value) {
        if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            s.*field = true;
        else if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            s.*field = false;
        else
            return QStringLiteral("%1 is not True or False").arg(value);
        return QString();
    };
}

// An enumeration by its identifier or its stored index.
template <class E> Setter Enumeration(E CalendarSettings::*field)
{
    return [field](CalendarSettings& s, const QString& value) {
        const QMetaEnum meta = QMetaEnum::fromType<E>();
        bool known = false;
        int index = meta.keyToValue(value.toLatin1().constData(), &known);
        if (!known && !ReadInt(value, &index))
            return QStringLiteral("%1 is not one of the values of %2").arg(value, QLatin1String(meta.enumName()));
        if (index < 0 || index >= meta.keyCount())
            return OutOfRange(value);
        s.*field = static_cast<E>(index);
        return QString();
    };
}

// A colour as an integer or by its name (clWhite).
Setter Color(TColor CalendarSettings::*field)
{
    return [field](CalendarSettings& s, const QString& value) {
        qint32 color = 0;
        if (const auto named = IdentToColor(value))
            color = *named;
        else if (!ReadInt(value, &color))
            return QStringLiteral("%1 is not a colour").arg(value);
        s.*field = color;
        return QString();
    };
}

Setter Integer(int CalendarSettings::*field, qint32 least, qint32 most)
{
    return [=](CalendarSettings& s, const QString& value) {
        qint32 number = 0;
        if (!ReadInt(value, &number))
            return QStringLiteral("%1 is not a whole number").arg(value);
        if (number < least || number > most)
            return OutOfRange(value);
        s.*field = number;
        return QString();
    };
}

// Inches, kept to the hundredth as documents store them.
Setter Margin(float CalendarSettings::*field)
{
    return [field](CalendarSettings& s, const QString& value) {
        bool ok = false;
        const double inches = value.toDouble(&ok);
        if (!ok || !std::isfinite(inches))
            return QStringLiteral("%1 is not a number of inches").arg(value);
        const double hundredths = inches * 100.0;
        if (hundredths < 0 || hundredths > kMaxMarginHundredths)
            return OutOfRange(value);
        s.*field = float(RoundHalfEven(hundredths) * 0.01);
        return QString();
    };
}

const std::map<QString, Setter>& Setters()
{
    using S = CalendarSettings;
    static const std::map<QString, Setter> setters = {
        {QStringLiteral("A4Paper"), Boolean(&S::A4Paper)},
        {QStringLiteral("CalendarOrientation"), Enumeration(&S::CalendarOrientation)},
        {QStringLiteral("LeftMarginInch"), Margin(&S::LeftMarginInch)},
        {QStringLiteral("TopMarginInch"), Margin(&S::TopMarginInch)},
        {QStringLiteral("RightMarginInch"), Margin(&S::RightMarginInch)},
        {QStringLiteral("BottomMarginInch"), Margin(&S::BottomMarginInch)},
        {QStringLiteral("CalendarLayout"), Enumeration(&S::CalendarLayout)},
        {QStringLiteral("CalendarBorder"), Enumeration(&S::CalendarBorder)},
        {QStringLiteral("CalendarLineLayout"), Enumeration(&S::CalendarLineLayout)},
        {QStringLiteral("TitleBGColor"), Color(&S::TitleBGColor)},
        {QStringLiteral("TitleShowYear"), Boolean(&S::TitleShowYear)},
        {QStringLiteral("HeadersBorder"), Enumeration(&S::HeadersBorder)},
        {QStringLiteral("HeadersStyle"), Enumeration(&S::HeadersStyle)},
        {QStringLiteral("HeadersBGColor"), Color(&S::HeadersBGColor)},
        {QStringLiteral("CellBorder"), Enumeration(&S::CellBorder)},
        {QStringLiteral("MiniCalendarLineLayout"), Enumeration(&S::MiniCalendarLineLayout)},
        {QStringLiteral("MiniCalBorder"), Enumeration(&S::MiniCalBorder)},
        {QStringLiteral("MiniCalBGColor"), Color(&S::MiniCalBGColor)},
        {QStringLiteral("MiniShowYear"), Boolean(&S::MiniShowYear)},
        {QStringLiteral("MiniHeadersBGColor"), Color(&S::MiniHeadersBGColor)},
        {QStringLiteral("MiniHeadersStyle"), Enumeration(&S::MiniHeadersStyle)},
        {QStringLiteral("MiniHeadersBorder"), Enumeration(&S::MiniHeadersBorder)},
        {QStringLiteral("MiniCellBorder"), Enumeration(&S::MiniCellBorder)},
        {QStringLiteral("NumberPosition"), Enumeration(&S::NumberPosition)},
        {QStringLiteral("MainCalDay"), Integer(&S::MainCalDay, 0, 31)},
        {QStringLiteral("MainCalMonth"), Integer(&S::MainCalMonth, 1, 12)},
        {QStringLiteral("MainCalYear"), Integer(&S::MainCalYear, kMinPageYear, kMaxPageYear)},
        // Any whole number: 1 means Sunday first, every other Monday first.
        {QStringLiteral("StartOfWeek"), Integer(&S::StartOfWeek, INT32_MIN, INT32_MAX)},
        {QStringLiteral("UserTitle"),
         [](S& s, const QString& value) {
             s.UserTitle = value;
             return QString();
         }},
        {QStringLiteral("ShowWeekNumbers"), Boolean(&S::ShowWeekNumbers)},
        {QStringLiteral("ShowMoonPhases"), Boolean(&S::ShowMoonPhases)},
    };
    return setters;
}

} // namespace

QString AssignPageProperty(CalendarSettings& settings, const QString& assignment, QString* name)
{
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return QStringLiteral("%1 is not NAME=VALUE").arg(assignment);
    const QString property = assignment.left(equals);
    const auto found = Setters().find(property);
    if (found == Setters().end())
        return QStringLiteral("%1 is not a page property that can be set").arg(property);
    if (name)
        *name = property;
    const QString error = found->second(settings, assignment.mid(equals + 1));
    return error.isEmpty() ? QString() : property + QStringLiteral(": ") + error;
}

QString ApplyPageProperty(TCalendarPageModel& page, const QString& assignment)
{
    CalendarSettings settings = page.Settings();
    QString name;
    const QString error = AssignPageProperty(settings, assignment, &name);
    if (!error.isEmpty())
        return error;
    if (name == QLatin1String("CalendarLayout")) {
        // As the properties dialog does when a layout is chosen: the small months take the layout's sizes.
        page.SetCalendarLayout(settings.CalendarLayout);
        page.Relayout(true);
    } else if (name == QLatin1String("CalendarLineLayout")) {
        page.SetCalendarLineLayout(settings.CalendarLineLayout);
    } else if (name == QLatin1String("MiniCalendarLineLayout")) {
        page.SetMiniCalendarLineLayout(settings.MiniCalendarLineLayout);
    } else {
        page.SetSettingsQuietly(settings);
        page.Relayout(false);
    }
    return QString();
}
