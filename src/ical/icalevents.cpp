#include "icalevents.h"

#include "recurrencebounds.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
// The parser takes about a kilobyte for each line it keeps; a large calendar export has far fewer.
constexpr int kMaxLines = 250000;
// An event whose rule needs more steps than this to cross the page's days is left out, and so are the
// events after the file's rules needed more altogether: a rule repeating every second from a distant
// start would otherwise keep the program busy for hours.
constexpr int kMaxStepsPerRule = 50000;
constexpr qint64 kMaxStepsPerFile = 500000;
// Rules handed to libical from one file; a large calendar export has a few hundred.
constexpr int kMaxRulesPerFile = 5000;
// A rule left to libical that no period can meet sends its single step to year 2582 (most of a second).
// After this many such searches in one file, rules left to libical are no longer expanded.
constexpr int kMaxFruitlessSearches = 3;
// Days the rules of one file may have looked at for a day they could fall on.
constexpr qint64 kMaxSieveDaysPerFile = 20000000;
// A time zone changes its offset twice a year; a rule that needs many more changes, or many steps to
// reach the page's years, describes no zone anyone lives in.
constexpr int kMaxZoneChangesPerYear = 4;
constexpr int kMaxZoneSteps = 2000;
// More occurrences than a page can show in any useful way (a rule repeating every minute).
constexpr int kMaxOccurrences = 10000;
// A day cell shows a few words; a summary of megabytes would only stall the page's text layout.
constexpr qsizetype kMaxSummaryChars = 1000;
// Time zones move a date by at most this many days (UTC-12 to UTC+14 is 26 hours).
constexpr int kZoneDays = 2;
// Longer events are cut here, so that day arithmetic stays within the calendar.
constexpr qint64 kMaxEventDays = 100000;
// The parser is handed this property after every BEGIN line, so each component carries its line.
constexpr char kLineProperty[] = "X-ALMARIN-LINE";

struct ContentLine
{
    QByteArray text;
    int number = 0; // of the first physical line
};

// Physical lines joined where they fold (a continuation starts with a space or a tab).
QList<ContentLine> ContentLines(const QByteArray& bytes)
{
    QList<ContentLine> lines;
    int number = 0;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray text = bytes.mid(start, end - start);
        if (text.endsWith('\r'))
            text.chop(1);
        ++number;
        start = end + 1;
        if (!lines.isEmpty() && !text.isEmpty() && (text[0] == ' ' || text[0] == '\t'))
            lines.last().text += text.mid(1);
        else
            lines.append({text, number});
    }
    return lines;
}

QString LineError(int line, const QString& what)
{
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

// Calendar services write properties without a value ("DESCRIPTION:"), which the parser takes for an
// error. Such a line says the value is empty, which is what leaving it out says too.
bool HasEmptyValue(const QByteArray& line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i + 1 == line.size() && line.left(6).compare("BEGIN:", Qt::CaseInsensitive) != 0 &&
                   line.left(4).compare("END:", Qt::CaseInsensitive) != 0;
    }
    return false;
}

int LineOf(icalcomponent* component)
{
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(p);
        const char* value = icalproperty_get_x(p);
        if (name && value && qstrcmp(name, kLineProperty) == 0)
            return QByteArray(value).toInt();
    }
    return 0;
}

struct ComponentsDeleter
{
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using OwnedComponent = std::unique_ptr<icalcomponent, ComponentsDeleter>;

struct ParserDeleter
{
    void operator()(icalparser* p) const { icalparser_free(p); }
};

struct IteratorDeleter
{
    void operator()(icalrecur_iterator* i) const { icalrecur_iterator_free(i); }
};

// What identifies an instance of a recurring event: its start in UTC seconds, or its date (Julian day)
// for all-day values.
struct InstanceKey
{
    bool date = false;
    qint64 value = 0;
    bool operator==(const InstanceKey&) const = default;
};
size_t qHash(const InstanceKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.date, key.value);
}

bool IsFloating(const icaltimetype& t)
{
    return !t.is_date && t.zone == nullptr;
}

qint64 Seconds(const icaltimetype& t)
{
    // Floating times compare with floating times only; read as UTC they keep their order.
    return IsFloating(t) ? qint64(icaltime_as_timet(t)) : qint64(icaltime_as_timet_with_zone(t, t.zone));
}

QDate DateOf(const icaltimetype& t)
{
    return QDate(t.year, t.month, t.day);
}

QDateTime LocalStart(const icaltimetype& t)
{
    if (IsFloating(t))
        return QDateTime(DateOf(t), QTime(t.hour, t.minute, t.second));
    return QDateTime::fromSecsSinceEpoch(Seconds(t));
}

// Letters, digits and "_+-/." without "..": a name that could not climb out of the zone folder.
bool IsZoneName(const QByteArray& id)
{
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '+' ||
               c == '-' || c == '/' || c == '.';
    };
    return !id.isEmpty() && !id.contains("..") && std::all_of(id.cbegin(), id.cend(), allowed);
}

// Looks up time zones by TZID: the file's own VTIMEZONEs first, then the zones the system knows.
class ZoneFinder
{
public:
    explicit ZoneFinder(icalcomponent* calendar) : m_calendar(calendar) {}

    icaltimezone* find(const char* tzid)
    {
        const QByteArray id(tzid);
        const auto known = m_zones.constFind(id);
        if (known != m_zones.cend())
            return *known;
        icaltimezone* zone = icalcomponent_get_timezone(m_calendar, tzid);
        // A system zone is a file under the zone folder.
        if (!zone && IsZoneName(id))
            zone = icaltimezone_get_builtin_timezone(tzid);
        if (!zone && id.startsWith('/') && IsZoneName(id))
            zone = icaltimezone_get_builtin_timezone_from_tzid(tzid);
        // Some services name zones the Windows way ("Tokyo Standard Time") and leave out their VTIMEZONE.
        if (!zone) {
            const QByteArray location = QTimeZone::windowsIdToDefaultIanaId(id);
            if (IsZoneName(location))
                zone = icaltimezone_get_builtin_timezone(location.constData());
        }
        m_zones.insert(id, zone);
        return zone;
    }

    // The value with the zone its TZID names; without one (or with one nobody knows) it stays floating.
    icaltimetype attach(icaltimetype t, icalproperty* property)
    {
        if (icaltime_is_null_time(t) || t.is_date || icaltime_is_utc(t))
            return t;
        t.zone = nullptr;
        if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
            if (const char* id = icalparameter_get_tzid(tzid))
                t.zone = find(id);
        }
        return t;
    }

private:
    icalcomponent* m_calendar;
    QHash<QByteArray, icaltimezone*> m_zones;
};

class Expander
{
public:
    Expander(QDate first, QDate last) : m_first(first), m_last(last) {}

    // Adds the occurrences of every event of the calendar; false (with the error) when reading must stop.
    bool addCalendar(icalcomponent* calendar)
    {
        if (!boundZoneRules(calendar))
            return false;
        ZoneFinder zones(calendar);
        std::vector<icalcomponent*> events;
        for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
             c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events.push_back(c);
        // A changed or cancelled instance of a recurring event comes as an event of its own that names
        // the instance it replaces.
        QHash<QByteArray, QSet<InstanceKey>> replaced;
        for (icalcomponent* event : events) {
            icalproperty* id = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
            const char* uid = icalcomponent_get_uid(event);
            if (id && uid)
                replaced[QByteArray(uid)].insert(keyOf(zones.attach(icalproperty_get_recurrenceid(id), id)));
        }
        for (icalcomponent* event : events) {
            if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED)
                continue;
            QSet<InstanceKey> excluded;
            const char* uid = icalcomponent_get_uid(event);
            if (uid && !icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
                excluded = replaced.value(QByteArray(uid));
            if (!addEvent(event, zones, excluded))
                return false;
        }
        return true;
    }

    QList<IcalEvent> events()
    {
        std::stable_sort(m_events.begin(), m_events.end(), [](const IcalEvent& a, const IcalEvent& b) {
            if (a.firstDay != b.firstDay)
                return a.firstDay < b.firstDay;
            if (a.time.isNull() != b.time.isNull())
                return a.time.isNull();
            return a.time < b.time;
        });
        return m_events;
    }

    QString error() const { return m_error; }
    int leftOut() const { return m_leftOut; }
    int firstLeftOut() const { return m_firstLeftOut; }
    qint64 steps() const { return m_steps; }

private:
    static InstanceKey keyOf(const icaltimetype& t)
    {
        if (t.is_date)
            return {true, DateOf(t).toJulianDay()};
        return {false, Seconds(t)};
    }

    static bool isExcluded(const QSet<InstanceKey>& excluded, const icaltimetype& t)
    {
        return excluded.contains(keyOf(t)) || excluded.contains({true, DateOf(t).toJulianDay()});
    }

    bool fail(icalcomponent* event, const QString& what)
    {
        m_error = LineError(LineOf(event), what);
        return false;
    }

    // Drops the occurrences the event has added since there were `kept`, and counts it as a line left out.
    bool leaveOut(icalcomponent* event, qsizetype kept)
    {
        m_events.resize(kept);
        if (m_leftOut++ == 0)
            m_firstLeftOut = LineOf(event);
        return true;
    }

    bool addEvent(icalcomponent* event, ZoneFinder& zones, QSet<InstanceKey> excluded)
    {
        icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (!startProperty)
            return true;
        const icaltimetype start = zones.attach(icalproperty_get_dtstart(startProperty), startProperty);
        if (icaltime_is_null_time(start) || !DateOf(start).isValid())
            return true;
        measure(event, zones, start);
        m_summary = QString::fromUtf8(icalcomponent_get_summary(event)).simplified().left(kMaxSummaryChars);

        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
            excluded.insert(keyOf(zones.attach(icalproperty_get_exdate(p), p)));

        const qsizetype kept = m_events.size();
        QSet<InstanceKey> seen;
        auto instance = [&](icaltimetype t) {
            t.zone = start.zone;
            if (!seen.contains(keyOf(t)) && !isExcluded(excluded, t)) {
                seen.insert(keyOf(t));
                addInstance(t);
            }
            return m_events.size() <= kMaxOccurrences;
        };
        if (!instance(start))
            return fail(event, QStringLiteral("more than %1 events fall on these days").arg(kMaxOccurrences));

        std::vector<icalproperty*> rules;
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
            rules.push_back(p);
        for (icalproperty* p : rules) {
            const icalrecurrencetype rule = icalproperty_get_rrule(p);
            if (RuleSearchesTooFar(rule))
                return leaveOut(event, kept);
            // A rule that cannot fall on the page's days, or whose set positions no period can hold, is
            // not handed to libical, whose search for it could run for centuries.
            const bool mayFallIn =
                RuleMayFallIn(rule, m_first.addDays(-(spanDays() + 2)), m_last.addDays(kZoneDays), m_sieveDays) &&
                SetPositionsCanBeMet(rule, m_sieveDays);
            if (m_sieveDays < 0)
                return fail(event, QStringLiteral("the events repeat in too many ways to be read"));
            if (!mayFallIn)
                continue;
            if (++m_rules > kMaxRulesPerFile || m_steps >= kMaxStepsPerFile ||
                (RuleIsLeftToLibical(rule) && m_fruitless >= kMaxFruitlessSearches))
                return leaveOut(event, kept);
            // libical looks for the first occurrence as it makes the iterator (a step of its own), and gives
            // none without one.
            ++m_steps;
            const std::unique_ptr<icalrecur_iterator, IteratorDeleter> it(icalrecur_iterator_new(rule, start));
            if (!it) {
                ++m_fruitless;
                continue;
            }
            skipAhead(it.get(), rule, start);
            for (int steps = 0;; ++steps) {
                if (steps >= kMaxStepsPerRule || m_steps >= kMaxStepsPerFile)
                    return leaveOut(event, kept);
                ++m_steps;
                const icaltimetype t = icalrecur_iterator_next(it.get());
                // Without an end of its own, a rule that gives out searched to libical's last year.
                const bool endless =
                    rule.count == 0 && (icaltime_is_null_time(rule.until) || DateOf(rule.until) > m_last);
                if (icaltime_is_null_time(t) && endless)
                    ++m_fruitless;
                if (icaltime_is_null_time(t) || !DateOf(t).isValid() || DateOf(t) > m_last.addDays(kZoneDays))
                    break;
                if (!instance(t))
                    return fail(event, QStringLiteral("more than %1 events fall on these days").arg(kMaxOccurrences));
            }
        }
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            if (++m_steps > kMaxStepsPerFile)
                return leaveOut(event, kept);
            const icaldatetimeperiodtype date = icalproperty_get_rdate(p);
            icaltimetype t = icaltime_is_null_time(date.time) ? date.period.start : date.time;
            t = zones.attach(t, p);
            if (icaltime_is_null_time(t) || !DateOf(t).isValid())
                continue;
            // An instance keeps the event's zone; one given in another zone is moved into it.
            if (!t.is_date && !start.is_date && start.zone && t.zone != start.zone && !IsFloating(t))
                t = icaltime_convert_to_zone(t, const_cast<icaltimezone*>(start.zone));
            t.is_date = start.is_date;
            if (!instance(t))
                return fail(event, QStringLiteral("more than %1 events fall on these days").arg(kMaxOccurrences));
        }
        return true;
    }

    // libical expands a zone's rules from their first onset to years past today, one change at a time: a
    // rule repeating every second from 1601 would never end. Each rule of each observance is replaced by
    // the onsets it gives in the years around the page (and the last one before them), which is all the
    // page's times are converted with.
    bool boundZoneRules(icalcomponent* calendar)
    {
        const QDate from(m_first.year() - 1, 1, 1);
        const QDate to(m_last.year() + 1, 12, 31);
        const int maxChanges = (to.year() - from.year() + 1) * kMaxZoneChangesPerYear;
        for (icalcomponent* zone = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT); zone;
             zone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
            std::vector<icalcomponent*> observances;
            for (icalcomponent* o = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT); o;
                 o = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT))
                observances.push_back(o);
            for (icalcomponent* observance : observances) {
                std::vector<icalproperty*> rules;
                for (icalproperty* p = icalcomponent_get_first_property(observance, ICAL_RRULE_PROPERTY); p;
                     p = icalcomponent_get_next_property(observance, ICAL_RRULE_PROPERTY))
                    rules.push_back(p);
                icalproperty* startProperty = icalcomponent_get_first_property(observance, ICAL_DTSTART_PROPERTY);
                const icaltimetype start =
                    startProperty ? icalproperty_get_dtstart(startProperty) : icaltime_null_time();
                std::vector<icaltimetype> onsets;
                for (icalproperty* p : rules) {
                    const icalrecurrencetype rule = icalproperty_get_rrule(p);
                    if (!icaltime_is_null_time(start) && DateOf(start).isValid() &&
                        !zoneOnsets(rule, start, from, to, maxChanges, onsets))
                        return fail(zone, QStringLiteral("the time zone changes too often to be read"));
                    icalcomponent_remove_property(observance, p);
                    icalproperty_free(p);
                }
                for (const icaltimetype& onset : onsets) {
                    icaldatetimeperiodtype date;
                    date.time = onset;
                    date.period = icalperiodtype_null_period();
                    icalcomponent_add_property(observance, icalproperty_new_rdate(date));
                }
            }
        }
        return true;
    }

    // Adds the onsets of one rule from `from` to `to`, and the last one before `from`. False when the rule
    // needs too many steps or the observance more than `maxChanges` onsets.
    bool zoneOnsets(const icalrecurrencetype& rule, icaltimetype start, QDate from, QDate to, int maxChanges,
                    std::vector<icaltimetype>& onsets)
    {
        if (RuleSearchesTooFar(rule))
            return false;
        const bool mayFallIn = RuleMayFallIn(rule, DateOf(start), to, m_sieveDays);
        if (m_sieveDays < 0)
            return false;
        if (!mayFallIn)
            return true;
        const std::unique_ptr<icalrecur_iterator, IteratorDeleter> it(icalrecur_iterator_new(rule, start));
        if (!it)
            return true;
        // Without a count, and unless the rule ended before, the iterator may start at the years asked for.
        const bool endsBefore = !icaltime_is_null_time(rule.until) && DateOf(rule.until) < from;
        if (rule.count == 0 && !endsBefore && DateOf(start) < from) {
            icaltimetype t = start;
            t.year = from.year();
            t.month = from.month();
            t.day = from.day();
            icalrecur_iterator_set_start(it.get(), t);
        }
        icaltimetype before = icaltime_null_time();
        for (int steps = 0;; ++steps) {
            if (steps >= kMaxZoneSteps || ++m_steps > kMaxStepsPerFile)
                return false;
            const icaltimetype t = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(t) || !DateOf(t).isValid() || DateOf(t) > to)
                break;
            if (DateOf(t) < from)
                before = t;
            else
                onsets.push_back(t);
            if (onsets.size() > size_t(maxChanges))
                return false;
        }
        if (!icaltime_is_null_time(before))
            onsets.push_back(before);
        return onsets.size() <= size_t(maxChanges);
    }

    // The event's length from DTEND or DURATION: whole days for all-day events, else seconds.
    void measure(icalcomponent* event, ZoneFinder& zones, const icaltimetype& start)
    {
        m_days = 1;
        m_seconds = 0;
        icalproperty* endProperty = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
        icalproperty* durationProperty = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
        if (endProperty) {
            const icaltimetype end = zones.attach(icalproperty_get_dtend(endProperty), endProperty);
            if (icaltime_is_null_time(end) || !DateOf(end).isValid())
                return;
            if (start.is_date)
                m_days = DateOf(start).daysTo(DateOf(end));
            else if (IsFloating(start) == IsFloating(end))
                m_seconds = Seconds(end) - Seconds(start);
            else
                m_seconds = LocalStart(start).secsTo(LocalStart(end));
        } else if (durationProperty) {
            const icaldurationtype duration = icalproperty_get_duration(durationProperty);
            if (icaldurationtype_is_bad_duration(duration) || duration.is_neg)
                return;
            const qint64 days = qint64(duration.weeks) * 7 + duration.days;
            if (start.is_date)
                m_days = days;
            else
                m_seconds = ((days * 24 + duration.hours) * 60 + duration.minutes) * 60 + duration.seconds;
        }
        m_days = std::clamp<qint64>(m_days, 1, kMaxEventDays);
        m_seconds = std::clamp<qint64>(m_seconds, 0, kMaxEventDays * 86400);
    }

    // Days the event may touch after its start's date.
    qint64 spanDays() const { return std::max(m_days, m_seconds / 86400 + 1); }

    // Without a COUNT the iterator may start near the page instead of at the event's first instance.
    void skipAhead(icalrecur_iterator* it, const icalrecurrencetype& rule, const icaltimetype& start)
    {
        if (rule.count != 0)
            return;
        const QDate from = m_first.addDays(-(spanDays() + 2));
        if (!from.isValid() || from <= DateOf(start))
            return;
        icaltimetype t = start;
        t.year = from.year();
        t.month = from.month();
        t.day = from.day();
        icalrecur_iterator_set_start(it, t);
    }

    void addInstance(const icaltimetype& t)
    {
        // Far from the page whatever the zones: not worth a conversion to local time.
        const QDate near = DateOf(t);
        if (near.addDays(spanDays() + kZoneDays) < m_first || near.addDays(-kZoneDays) > m_last)
            return;
        IcalEvent event;
        event.summary = m_summary;
        if (t.is_date) {
            event.firstDay = DateOf(t);
            event.lastDay = event.firstDay.addDays(m_days - 1);
        } else {
            const QDateTime start = LocalStart(t);
            if (!start.isValid())
                return;
            event.firstDay = start.date();
            event.time = QTime(start.time().hour(), start.time().minute());
            // An event that ends at midnight does not reach into the day after.
            event.lastDay = m_seconds > 0 ? start.addSecs(m_seconds - 1).date() : event.firstDay;
        }
        if (!event.firstDay.isValid() || !event.lastDay.isValid() || event.lastDay < m_first || event.firstDay > m_last)
            return;
        m_events.append(event);
    }

    QDate m_first;
    QDate m_last;
    QList<IcalEvent> m_events;
    QString m_error;
    qint64 m_steps = 0;
    int m_rules = 0;
    int m_fruitless = 0;
    int m_leftOut = 0;
    int m_firstLeftOut = 0;
    qint64 m_sieveDays = kMaxSieveDaysPerFile;
    // Of the event being expanded.
    QString m_summary;
    qint64 m_days = 1;
    qint64 m_seconds = 0;
};

} // namespace

qint64 IcalMaxFileBytes()
{
    return kMaxFileBytes;
}

QString IcalSizeError(qint64 size)
{
    if (size <= kMaxFileBytes)
        return QString();
    return QStringLiteral("the file is larger than %1 MB").arg(kMaxFileBytes / (1024 * 1024));
}

IcalEvents ReadIcalEvents(const QByteArray& bytes, QDate first, QDate last)
{
    IcalEvents result;
    result.error = IcalSizeError(bytes.size());
    if (!result.error.isEmpty())
        return result;
    // A damaged file is an answer to give, never a reason to stop the program.
    icalerror_set_errors_are_fatal(0);
    if (bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1) > kMaxLines) {
        result.error = LineError(kMaxLines + 1, QStringLiteral("the file has more than %1 lines").arg(kMaxLines));
        return result;
    }
    const QList<ContentLine> lines = ContentLines(bytes);
    const std::unique_ptr<icalparser, ParserDeleter> parser(icalparser_new());
    std::vector<OwnedComponent> roots;
    int lastLine = 0;
    for (const ContentLine& line : lines) {
        if (line.text.trimmed().isEmpty() || HasEmptyValue(line.text))
            continue;
        lastLine = line.number;
        QByteArray text = line.text;
        icalcomponent* done = icalparser_add_line(parser.get(), text.data());
        if (done)
            roots.emplace_back(done);
        // The parser leaves out a line it cannot read and goes on with the next.
        if (icalparser_get_state(parser.get()) == ICALPARSER_ERROR) {
            if (result.skippedLines++ == 0)
                result.firstSkippedLine = line.number;
            continue;
        }
        if (!done && text.left(6).compare("BEGIN:", Qt::CaseInsensitive) == 0) {
            QByteArray mark = QByteArray(kLineProperty) + ':' + QByteArray::number(line.number);
            icalparser_add_line(parser.get(), mark.data());
        }
    }
    // The parser keeps what it returns here and frees it with itself.
    if (icalcomponent* unfinished = icalparser_clean(parser.get())) {
        result.error = LineError(
            lastLine,
            QStringLiteral("the file ends before the calendar that begins at line %1").arg(LineOf(unfinished)));
        return result;
    }
    if (roots.empty()) {
        result.error = LineError(lines.isEmpty() ? 1 : lines.first().number,
                                 QStringLiteral("this is not an iCalendar file (BEGIN:VCALENDAR is missing)"));
        return result;
    }
    Expander expander(first, last);
    for (const OwnedComponent& root : roots) {
        if (icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT) {
            result.error =
                LineError(LineOf(root.get()), QStringLiteral("an iCalendar file holds calendars (BEGIN:VCALENDAR)"));
            return result;
        }
        if (!expander.addCalendar(root.get())) {
            result.error = expander.error();
            return result;
        }
    }
    result.events = expander.events();
    result.recurrenceSteps = expander.steps();
    if (expander.leftOut() > 0) {
        if (result.skippedLines == 0 || expander.firstLeftOut() < result.firstSkippedLine)
            result.firstSkippedLine = expander.firstLeftOut();
        result.skippedLines += expander.leftOut();
    }
    return result;
}

QString IcalSkippedLinesNotice(const IcalEvents& read)
{
    if (read.skippedLines == 0)
        return QString();
    if (read.skippedLines == 1)
        return QStringLiteral("1 line could not be read and was left out: line %1").arg(read.firstSkippedLine);
    return QStringLiteral("%1 lines could not be read and were left out, the first at line %2")
        .arg(read.skippedLines)
        .arg(read.firstSkippedLine);
}

QString IcalTimeText(QTime time, const QLocale& locale)
{
    static const QRegularExpression seconds(QStringLiteral("[:.]?s+"));
    return locale.toString(time, locale.timeFormat(QLocale::ShortFormat).remove(seconds));
}

QString IcalEventParagraph(const IcalEvent& event, QDate day, const QLocale& locale)
{
    if (event.time.isNull() || day != event.firstDay)
        return event.summary;
    return (IcalTimeText(event.time, locale) + QLatin1Char(' ') + event.summary).trimmed();
}
