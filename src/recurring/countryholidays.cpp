#include "countryholidays.h"

#include "eastercomputus.h"
#include "equinox.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace {

using Rule = TCountryHolidays::Rule;
using Substitute = TCountryHolidays::Substitute;

int weekdayNumber(QStringView name)
{
    static const char* const kNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    for (int i = 0; i < 7; ++i) {
        if (name == QLatin1String(kNames[i]))
            return i + 1;
    }
    return 0;
}

// "MM-DD" of a day some year has (29 February included).
bool readMonthDay(const QString& text, int& month, int& day)
{
    static const QRegularExpression kForm(QStringLiteral("^(\\d\\d)-(\\d\\d)$"));
    const QRegularExpressionMatch m = kForm.match(text);
    if (!m.hasMatch())
        return false;
    month = m.captured(1).toInt();
    day = m.captured(2).toInt();
    return QDate::isValid(2000, month, day);
}

bool readYear(const QString& text, int& year)
{
    static const QRegularExpression kForm(QStringLiteral("^\\d{4}$"));
    if (!kForm.match(text).hasMatch())
        return false;
    year = text.toInt();
    return true;
}

std::optional<Rule> readRule(const QString& text)
{
    Rule rule;
    static const QRegularExpression kEaster(QStringLiteral("^(o?easter)(?:([+-])(\\d{1,3}))?$"));
    if (const QRegularExpressionMatch m = kEaster.match(text); m.hasMatch()) {
        rule.kind = m.captured(1) == QLatin1String("easter") ? Rule::Kind::Easter : Rule::Kind::OrthodoxEaster;
        rule.offset = m.captured(3).toInt() * (m.captured(2) == QLatin1String("-") ? -1 : 1);
        return rule;
    }
    if (text == QLatin1String("equinox-03") || text == QLatin1String("equinox-09")) {
        rule.kind = Rule::Kind::Equinox;
        rule.month = text.right(2).toInt();
        return rule;
    }
    static const QRegularExpression kNth(QStringLiteral("^([a-z]{3})#([1-5L])/(\\d\\d)$"));
    if (const QRegularExpressionMatch m = kNth.match(text); m.hasMatch()) {
        rule.kind = Rule::Kind::NthWeekday;
        rule.weekday = weekdayNumber(m.captured(1));
        rule.nth = m.captured(2) == QLatin1String("L") ? -1 : m.captured(2).toInt();
        rule.month = m.captured(3).toInt();
        if (rule.weekday == 0 || rule.month < 1 || rule.month > 12)
            return std::nullopt;
        return rule;
    }
    static const QRegularExpression kRelative(QStringLiteral("^([a-z]{3})(>=|<=|~)(.*)$"));
    if (const QRegularExpressionMatch m = kRelative.match(text); m.hasMatch()) {
        const QString relation = m.captured(2);
        rule.kind = relation == QLatin1String(">=")   ? Rule::Kind::OnOrAfter
                    : relation == QLatin1String("<=") ? Rule::Kind::OnOrBefore
                                                      : Rule::Kind::Nearest;
        rule.weekday = weekdayNumber(m.captured(1));
        if (rule.weekday == 0 || !readMonthDay(m.captured(3), rule.month, rule.day))
            return std::nullopt;
        return rule;
    }
    if (text.size() == 10 && text.at(4) == QLatin1Char('-')) {
        rule.kind = Rule::Kind::OneOff;
        if (!readYear(text.left(4), rule.year) || !readMonthDay(text.mid(5), rule.month, rule.day) ||
            !QDate::isValid(rule.year, rule.month, rule.day))
            return std::nullopt;
        return rule;
    }
    rule.kind = Rule::Kind::Fixed;
    if (!readMonthDay(text, rule.month, rule.day))
        return std::nullopt;
    return rule;
}

std::optional<Substitute> readSubstitute(const QString& text)
{
    if (text == QLatin1String("sat-fri,sun-mon"))
        return Substitute::SatFriSunMon;
    if (text == QLatin1String("sun-mon"))
        return Substitute::SunMon;
    if (text == QLatin1String("sat-mon,sun-mon"))
        return Substitute::SatSunMon;
    if (text == QLatin1String("next-workday"))
        return Substitute::NextWorkday;
    if (text == QLatin1String("jp"))
        return Substitute::Japan;
    return std::nullopt;
}

// "+09:00" or "-03:30" as minutes east of Greenwich.
std::optional<int> readUtcOffset(const QString& text)
{
    static const QRegularExpression kForm(QStringLiteral("^([+-])(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch m = kForm.match(text);
    if (!m.hasMatch() || m.captured(2).toInt() > 14 || m.captured(3).toInt() > 59)
        return std::nullopt;
    const int minutes = m.captured(2).toInt() * 60 + m.captured(3).toInt();
    return m.captured(1) == QLatin1String("-") ? -minutes : minutes;
}

// Everything after the keyword and its separating spaces.
QString restAfter(const QString& line, int keywordLength)
{
    return line.mid(keywordLength).trimmed();
}

QString failure(int lineNumber, const QString& what)
{
    return QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
}

bool isWeekend(const QDate& date)
{
    return date.dayOfWeek() >= 6;
}

struct DatedHoliday
{
    QDate date;
    QString name;
    Substitute substitute = Substitute::None;
};

} // namespace

std::optional<TCountryHolidays> TCountryHolidays::Parse(const QByteArray& text, QString* error)
{
    auto fail = [error](int lineNumber, const QString& what) {
        if (error)
            *error = failure(lineNumber, what);
        return std::nullopt;
    };
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(text);
    if (decoder.hasError())
        return fail(0, QStringLiteral("the text is not UTF-8"));

    TCountryHolidays table;
    const QStringList lines = decoded.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const int number = index + 1;
        const QString line = lines.at(index).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString keyword = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = restAfter(line, keyword.size());
        if (keyword != QLatin1String("country") && table.m_country.code.isEmpty())
            return fail(number, QStringLiteral("the table must start with its country"));
        if (keyword == QLatin1String("country")) {
            static const QRegularExpression kCode(QStringLiteral("^[A-Z]{2}$"));
            const QString code = rest.section(QLatin1Char(' '), 0, 0);
            if (!table.m_country.code.isEmpty() || !kCode.match(code).hasMatch())
                return fail(number, QStringLiteral("one country with a two-letter upper-case code is expected"));
            table.m_country = {code, restAfter(rest, code.size())};
        } else if (keyword == QLatin1String("region")) {
            static const QRegularExpression kCode(QStringLiteral("^[A-Z]{2}-[A-Z0-9]{1,3}$"));
            const QString code = rest.section(QLatin1Char(' '), 0, 0);
            if (!kCode.match(code).hasMatch() || !code.startsWith(table.m_country.code + QLatin1Char('-')) ||
                table.HasPlace(code))
                return fail(number, QStringLiteral("bad or repeated region code \"%1\"").arg(code));
            table.m_regions << HolidayPlace{code, restAfter(rest, code.size())};
        } else if (keyword == QLatin1String("substitute-name")) {
            table.m_substituteName = rest;
        } else if (keyword == QLatin1String("bridge")) {
            table.m_bridgeName = rest;
        } else if (keyword == QLatin1String("utc-offset")) {
            const std::optional<int> offset = readUtcOffset(rest);
            if (!offset)
                return fail(number, QStringLiteral("the offset must read like +09:00"));
            table.m_utcOffsetMinutes = *offset;
        } else if (keyword == QLatin1String("holiday")) {
            const int bar = rest.indexOf(QLatin1String(" | "));
            if (bar < 0 || rest.mid(bar + 3).trimmed().isEmpty())
                return fail(number, QStringLiteral("a holiday needs \" | \" and a name"));
            Holiday holiday;
            holiday.name = rest.mid(bar + 3).trimmed();
            const QStringList parts = rest.left(bar).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.isEmpty())
                return fail(number, QStringLiteral("a holiday needs a rule"));
            const std::optional<Rule> rule = readRule(parts.first());
            if (!rule)
                return fail(number, QStringLiteral("unknown rule \"%1\"").arg(parts.first()));
            holiday.rule = *rule;
            for (const QString& option : parts.mid(1)) {
                const QString name = option.section(QLatin1Char('='), 0, 0);
                const QString value = option.section(QLatin1Char('='), 1);
                bool ok = !value.isEmpty();
                if (name == QLatin1String("in")) {
                    holiday.regions = value.split(QLatin1Char(','));
                    for (const QString& region : std::as_const(holiday.regions))
                        ok = ok && table.HasPlace(region) && region != table.m_country.code;
                } else if (name == QLatin1String("from")) {
                    ok = ok && readYear(value, holiday.from);
                } else if (name == QLatin1String("until")) {
                    ok = ok && readYear(value, holiday.until);
                } else if (name == QLatin1String("except")) {
                    for (const QString& year : value.split(QLatin1Char(',')))
                        ok = ok && readYear(year, holiday.exceptYears.emplace_back());
                } else if (name == QLatin1String("sub")) {
                    const std::optional<Substitute> substitute = readSubstitute(value);
                    ok = ok && substitute.has_value();
                    holiday.substitute = substitute.value_or(Substitute::None);
                } else {
                    ok = false;
                }
                if (!ok)
                    return fail(number, QStringLiteral("bad option \"%1\"").arg(option));
            }
            if (holiday.from > holiday.until)
                return fail(number, QStringLiteral("from= lies after until="));
            table.m_holidays << holiday;
        } else {
            return fail(number, QStringLiteral("unknown keyword \"%1\"").arg(keyword));
        }
    }
    if (table.m_country.code.isEmpty())
        return fail(lines.size(), QStringLiteral("the table names no country"));
    return table;
}

std::optional<TCountryHolidays> TCountryHolidays::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    std::optional<TCountryHolidays> table = Parse(file.readAll(), error);
    if (!table && error)
        *error = path + QStringLiteral(": ") + *error;
    return table;
}

bool TCountryHolidays::HasPlace(const QString& place) const
{
    if (place.compare(m_country.code, Qt::CaseInsensitive) == 0)
        return true;
    return std::any_of(m_regions.begin(), m_regions.end(), [&place](const HolidayPlace& region) {
        return region.code.compare(place, Qt::CaseInsensitive) == 0;
    });
}

QStringList TCountryHolidays::HolidayNames(const QString& place, int fromYear) const
{
    QStringList names;
    if (!HasPlace(place))
        return names;
    const bool wholeCountry = place.compare(m_country.code, Qt::CaseInsensitive) == 0;
    auto add = [&names](const QString& name) {
        if (!names.contains(name))
            names << name;
    };
    for (const Holiday& holiday : m_holidays) {
        const int last = holiday.rule.kind == Rule::Kind::OneOff ? holiday.rule.year : holiday.until;
        if (last < fromYear ||
            (!holiday.regions.isEmpty() && (wholeCountry || !holiday.regions.contains(place.toUpper()))))
            continue;
        add(holiday.name);
        if (holiday.substitute != Substitute::None)
            add(QString(m_substituteName).replace(QLatin1String("%s"), holiday.name));
    }
    if (!m_bridgeName.isEmpty())
        add(m_bridgeName);
    return names;
}

QDate TCountryHolidays::RuleDate(const Rule& rule, int year) const
{
    switch (rule.kind) {
    case Rule::Kind::Fixed:
        return QDate(year, rule.month, rule.day);
    case Rule::Kind::OneOff:
        return year == rule.year ? QDate(year, rule.month, rule.day) : QDate();
    case Rule::Kind::NthWeekday: {
        if (rule.nth < 0) {
            QDate last(year, rule.month, QDate(year, rule.month, 1).daysInMonth());
            return last.addDays(-((last.dayOfWeek() - rule.weekday + 7) % 7));
        }
        const QDate first(year, rule.month, 1);
        const QDate date = first.addDays((rule.weekday - first.dayOfWeek() + 7) % 7 + 7 * (rule.nth - 1));
        return date.month() == rule.month ? date : QDate();
    }
    case Rule::Kind::OnOrAfter:
    case Rule::Kind::OnOrBefore:
    case Rule::Kind::Nearest: {
        const QDate anchor(year, rule.month, rule.day);
        if (!anchor.isValid())
            return {};
        const int after = (rule.weekday - anchor.dayOfWeek() + 7) % 7;
        const int before = (anchor.dayOfWeek() - rule.weekday + 7) % 7;
        if (rule.kind == Rule::Kind::OnOrAfter)
            return anchor.addDays(after);
        if (rule.kind == Rule::Kind::OnOrBefore)
            return anchor.addDays(-before);
        return after <= before ? anchor.addDays(after) : anchor.addDays(-before);
    }
    case Rule::Kind::Easter:
        return WesternEaster(year).addDays(rule.offset);
    case Rule::Kind::OrthodoxEaster:
        return OrthodoxEaster(year).addDays(rule.offset);
    case Rule::Kind::Equinox:
        return EquinoxDay(year, rule.month, m_utcOffsetMinutes);
    }
    return {};
}

QList<PublicHoliday> TCountryHolidays::daysOfYear(int year, const QString& place) const
{
    const bool wholeCountry = place.compare(m_country.code, Qt::CaseInsensitive) == 0;
    QList<DatedHoliday> days;
    for (const Holiday& holiday : m_holidays) {
        if (year < holiday.from || year > holiday.until || holiday.exceptYears.contains(year))
            continue;
        const bool applies = holiday.regions.isEmpty() ||
                             (!wholeCountry && holiday.regions.contains(place.toUpper(), Qt::CaseSensitive));
        const QDate date = applies ? RuleDate(holiday.rule, year) : QDate();
        if (date.isValid())
            days << DatedHoliday{date, holiday.name, holiday.substitute};
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const DatedHoliday& a, const DatedHoliday& b) { return a.date < b.date; });

    QSet<QDate> holidayDates;
    for (const DatedHoliday& day : std::as_const(days))
        holidayDates.insert(day.date);
    QSet<QDate> taken = holidayDates;
    QList<PublicHoliday> result;
    for (const DatedHoliday& day : std::as_const(days))
        result << PublicHoliday{day.date, day.name};
    // In date order, so that a substitute already given pushes the next one further on.
    for (const DatedHoliday& day : std::as_const(days)) {
        const int weekday = day.date.dayOfWeek();
        QDate substitute;
        switch (day.substitute) {
        case Substitute::None:
            break;
        case Substitute::SatFriSunMon:
            substitute = weekday == 6 ? day.date.addDays(-1) : weekday == 7 ? day.date.addDays(1) : QDate();
            break;
        case Substitute::SunMon:
            substitute = weekday == 7 ? day.date.addDays(1) : QDate();
            break;
        case Substitute::SatSunMon:
            substitute = weekday >= 6 ? day.date.addDays(8 - weekday) : QDate();
            break;
        case Substitute::NextWorkday:
            if (isWeekend(day.date)) {
                substitute = day.date.addDays(1);
                while (isWeekend(substitute) || taken.contains(substitute))
                    substitute = substitute.addDays(1);
            }
            break;
        case Substitute::Japan:
            if (weekday == 7) {
                substitute = day.date.addDays(1);
                while (taken.contains(substitute))
                    substitute = substitute.addDays(1);
            }
            break;
        }
        if (substitute.isValid()) {
            taken.insert(substitute);
            result << PublicHoliday{substitute, QString(m_substituteName).replace(QLatin1String("%s"), day.name)};
        }
    }
    if (!m_bridgeName.isEmpty()) {
        for (const QDate& date : std::as_const(holidayDates)) {
            const QDate between = date.addDays(1);
            if (holidayDates.contains(between.addDays(1)) && !taken.contains(between) && between.dayOfWeek() != 7) {
                taken.insert(between);
                result << PublicHoliday{between, m_bridgeName};
            }
        }
    }
    return result;
}

QList<PublicHoliday> TCountryHolidays::InYear(int year, const QString& place) const
{
    if (!HasPlace(place))
        return {};
    // A substitute may cross into the next or the previous year (New Year's Day observed on 31 December).
    QList<PublicHoliday> result;
    for (int around = year - 1; around <= year + 1; ++around) {
        for (const PublicHoliday& day : daysOfYear(around, place)) {
            if (day.date.year() == year)
                result << day;
        }
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const PublicHoliday& a, const PublicHoliday& b) { return a.date < b.date; });
    return result;
}

QString HolidayTablesFolder()
{
    const QString found = FindProgramFile(QStringLiteral("holidays"));
    return found.isEmpty() ? ProgramDirectory() + QStringLiteral("holidays") : found;
}

const TCountryHolidays* ShippedHolidayTable(const QString& place)
{
    // Keyed by path, so that a program folder set elsewhere (as tests do) reads its own tables.
    static QHash<QString, std::optional<TCountryHolidays>> cache;
    const QString path = HolidayTablesFolder() + QLatin1Char('/') + place.left(2).toLower() + QStringLiteral(".txt");
    auto found = cache.find(path);
    if (found == cache.end())
        found = cache.insert(path, TCountryHolidays::Load(path, nullptr));
    return found->has_value() && (*found)->HasPlace(place) ? &**found : nullptr;
}

QList<TCountryHolidays> LoadHolidayTables(const QString& folder)
{
    QList<TCountryHolidays> tables;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (std::optional<TCountryHolidays> table = TCountryHolidays::Load(QDir(folder).filePath(name), nullptr))
            tables << *table;
    }
    std::sort(tables.begin(), tables.end(),
              [](const TCountryHolidays& a, const TCountryHolidays& b) { return a.Country().code < b.Country().code; });
    return tables;
}
