#include "commandline.h"

#include "app/almarinversion.h"
#include "holidaycommand.h"
#include "pageexport.h"
#include "pageoutput.h"
#include "pagepreparation.h"
#include "pagepropertyassignment.h"
#include "pagerun.h"
#include "pagesjob.h"
#include "preferences.h"
#include "printing.h"

#include "calendardraw/layoutkind.h"
#include "calendardraw/moonphase.h"
#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "graphics/metafile.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "recurring/recurringfill.h"
#include "recurring/recurringmatch.h"
#include "render/calendarpage.h"
#include "richtext/wprtfstorage.h"
#include "stream/classregistry.h"
#include "stream/componenttext.h"
#include "stream/namedcolors.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double kMinZoomPercent = 1;
// A page image at 600% is about 250 MB and takes a second or two; at 1000% it took 650 MB and, on a
// busy machine, well over five seconds.
constexpr double kMaxZoomPercent = 600;
// Thumbnails as file managers ask for them (normal 128 up to xx-large 1024).
constexpr int kMinThumbnail = 16;
constexpr int kMaxThumbnail = 1024;
// A year of pages in a few copies each, not a typing slip that fills the tray.
constexpr int kMaxCopies = 999;

TCommandLine Invalid(const QString& error)
{
    TCommandLine command;
    command.action = TCommandLine::TAction::Invalid;
    command.error = error;
    return command;
}

template <class E> QString EnumText(E value)
{
    const char* key = QMetaEnum::fromType<E>().valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(int(value));
}

QString Quoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QChar(0x2029), QLatin1String("\\n"))
        .replace(QChar(0x2028), QLatin1String("\\n"))
        .replace(QChar::ObjectReplacementCharacter, QLatin1String("[picture]"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString ColorText(TColor color)
{
    const auto ident = ColorToIdent(color);
    return ident ? QStringLiteral("%1 (%2)").arg(*ident).arg(color) : QString::number(color);
}

QString FontText(const FontDescription& font)
{
    QStringList styles;
    if (font.style & fsBold)
        styles.append(QStringLiteral("fsBold"));
    if (font.style & fsItalic)
        styles.append(QStringLiteral("fsItalic"));
    if (font.style & fsUnderline)
        styles.append(QStringLiteral("fsUnderline"));
    if (font.style & fsStrikeOut)
        styles.append(QStringLiteral("fsStrikeOut"));
    return QStringLiteral("%1 %2 pt [%3] %4")
        .arg(Quoted(font.name))
        .arg(font.size)
        .arg(styles.join(QLatin1String(", ")), ColorText(font.color));
}

QString Margin(float inches)
{
    return QString::number(double(inches), 'g', 6);
}

QString Boolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void DumpSettings(QStringList& lines, const CalendarSettings& s)
{
    const auto line = [&lines](const char* name, const QString& value) {
        lines.append(QLatin1String(name) + QLatin1String(" = ") + value);
    };
    line("A4Paper", Boolean(s.A4Paper));
    line("CalendarOrientation", EnumText(s.CalendarOrientation));
    line("LeftMarginInch", Margin(s.LeftMarginInch));
    line("TopMarginInch", Margin(s.TopMarginInch));
    line("RightMarginInch", Margin(s.RightMarginInch));
    line("BottomMarginInch", Margin(s.BottomMarginInch));
    line("CalendarLayout", EnumText(s.CalendarLayout));
    line("CalendarBorder", EnumText(s.CalendarBorder));
    line("CalendarLineLayout", EnumText(s.CalendarLineLayout));
    for (int month = 1; month <= 12; ++month)
        lines.append(QStringLiteral("MonthName%1 = %2").arg(month).arg(Quoted(s.MonthNames[month])));
    for (int day = 1; day <= 7; ++day)
        lines.append(QStringLiteral("DayName%1 = %2").arg(day).arg(Quoted(s.DayNames[day])));
    line("TitleBGColor", ColorText(s.TitleBGColor));
    line("TitleFont", FontText(s.TitleFont));
    line("TitleShowYear", Boolean(s.TitleShowYear));
    line("HeadersFont", FontText(s.HeadersFont));
    line("HeadersBorder", EnumText(s.HeadersBorder));
    line("HeadersStyle", EnumText(s.HeadersStyle));
    line("HeadersBGColor", ColorText(s.HeadersBGColor));
    line("CellFont", FontText(s.CellFont));
    line("CellBorder", EnumText(s.CellBorder));
    line("MiniCalendarLineLayout", EnumText(s.MiniCalendarLineLayout));
    line("MiniCalBorder", EnumText(s.MiniCalBorder));
    line("MiniCalBGColor", ColorText(s.MiniCalBGColor));
    line("MiniShowYear", Boolean(s.MiniShowYear));
    line("MiniTitleFont", FontText(s.MiniTitleFont));
    line("MiniHeadersFont", FontText(s.MiniHeadersFont));
    line("MiniHeadersBGColor", ColorText(s.MiniHeadersBGColor));
    line("MiniHeadersStyle", EnumText(s.MiniHeadersStyle));
    line("MiniHeadersBorder", EnumText(s.MiniHeadersBorder));
    line("MiniCellBorder", EnumText(s.MiniCellBorder));
    line("MiniCellFont", FontText(s.MiniCellFont));
    line("NumberPosition", EnumText(s.NumberPosition));
    line("ShowWeekNumbers", Boolean(s.ShowWeekNumbers));
    line("ShowMoonPhases", Boolean(s.ShowMoonPhases));
}

void DumpObjects(QStringList& lines, const QByteArray& objectBytes)
{
    TStreamReader reader(objectBytes);
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList())
            lines += ReadComponentText(reader);
        reader.ReadListEnd();
    } catch (const EStreamError& error) {
        lines.append(QStringLiteral("(the rest cannot be read: %1)").arg(error.Message()));
    }
}

bool ParseZoom(const QString& text, double* zoom)
{
    bool ok = false;
    const double percent = text.toDouble(&ok);
    // "nan" and "inf" read as numbers; NaN would slip through both comparisons.
    if (!ok || !std::isfinite(percent) || percent < kMinZoomPercent || percent > kMaxZoomPercent)
        return false;
    *zoom = percent / 100.0;
    return true;
}

// "YYYY-MM", year 1 to 9999.
bool ParseMonth(const QString& text, int* month, int* year)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    const int y = match.captured(1).toInt();
    const int m = match.captured(2).toInt();
    if (y < 1 || m < 1 || m > 12)
        return false;
    *year = y;
    *month = m;
    return true;
}

bool IsOption(const QString& argument)
{
    return argument.startsWith(QLatin1String("--")) || (argument.startsWith(QLatin1Char('-')) && argument.size() > 1);
}

QString OneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.simplified();
}

// Reads the document into a fresh page that is never shown. Returns the error line when it cannot;
// `complete` tells whether every placed object was read.
QString LoadForJob(TPageDocument& page, const QString& fileName, QTextStream& err, bool* complete)
{
    if (!QFileInfo(fileName).isFile())
        return QStringLiteral("%1: no such file").arg(fileName);
    try {
        const TDocumentReadInfo info = LoadFromFile(page, fileName, page.ObjectParent());
        *complete = info.objectsError.isEmpty();
        if (!*complete)
            err << QStringLiteral("almarin: warning: %1: placed objects after the first %2 were not read (%3)")
                       .arg(fileName)
                       .arg(info.objectsRead)
                       .arg(info.objectsError)
                << Qt::endl;
        else if (!info.valuesIgnored.isEmpty() || !info.borderArtMissing.isEmpty())
            err << QStringLiteral("almarin: warning: ") << OneLine(DocumentReadNotice(fileName, info)) << Qt::endl;
    } catch (const ECalendarFileError& error) {
        return OneLine(UnableToOpenDocumentMessage(fileName)) + QStringLiteral(" (%1)").arg(error.Detail());
    }
    return QString();
}

bool LoadRecurringDatesForJob(QStringList& lines, QTextStream& err)
{
    QString error;
    if (LoadRecurringDates(lines, &error))
        return true;
    err << QStringLiteral("almarin: ") << OneLine(error) << Qt::endl;
    return false;
}

// The month's recurring dates as "YYYY-MM-DD<TAB>text" lines, by day and then in file order; days the
// month does not have are left out.
QStringList RecurringDatesOfMonth(const QStringList& lines, int month, int year)
{
    const int days = QDate(year, month, 1).daysInMonth();
    QList<std::pair<int, QString>> found;
    ApplyRecurringDates(EntriesForMonth(lines, month, year), month, year, [&](int day, const QString& text) {
        if (day >= 1 && day <= days)
            found.append({day, text});
    });
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList listed;
    for (const auto& [day, text] : std::as_const(found))
        listed << QDate(year, month, day).toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\t') + text;
    return listed;
}

// What the jobs of one process share, read once: the recurring dates and the look of added text.
class TJobResources
{
public:
    // Null, with the error line written, when the recurring dates file cannot be read.
    const QStringList* RecurringDates(QTextStream& err)
    {
        if (!m_recurring) {
            QStringList lines;
            if (!LoadRecurringDatesForJob(lines, err))
                return nullptr;
            m_recurring = lines;
        }
        return &*m_recurring;
    }
    const FontDescription& Font()
    {
        if (!m_font)
            m_font = LoadPreferences().DefaultFont;
        return *m_font;
    }

private:
    std::optional<QStringList> m_recurring;
    std::optional<FontDescription> m_font;
};

// The page as an export or print job shows it: another month, its recurring dates, the events of a file.
// Returns the error line when one of them cannot be done.
QString PreparePageForJob(TPageDocument& page, const TCommandLine& command, TJobResources& resources, QTextStream& err)
{
    const QString propertyError = ApplyPageProperties(page.Model(), command);
    if (!propertyError.isEmpty())
        return QStringLiteral("--set %1").arg(propertyError);
    if (command.month != 0)
        ShowMonth(page.Model(), command.month, command.year);
    if (command.fill) {
        const QString fillError = FillWithRecurringDates(page, *resources.RecurringDates(err), resources.Font());
        if (!fillError.isEmpty())
            return QStringLiteral("cannot fill %1: %2").arg(command.documentFile, fillError);
    }
    if (!command.eventsFile.isEmpty()) {
        QString error, warning;
        const QByteArray events = ReadEventsFile(command.eventsFile, &error);
        if (error.isEmpty())
            error = ImportEventsIntoPage(page, command.eventsFile, events, resources.Font(), &warning);
        if (!error.isEmpty())
            return QStringLiteral("cannot import events from %1").arg(error);
        if (!warning.isEmpty())
            err << QStringLiteral("almarin: warning: ") << warning << Qt::endl;
    }
    return QString();
}

// "YYYY-MM..YYYY-MM": the first month and how many from it to the last, both included.
bool ParseMonthRange(const QString& text, int* month, int* year, int* count)
{
    const QStringList ends = text.split(QStringLiteral(".."));
    int lastMonth = 0, lastYear = 0;
    if (ends.size() != 2 || !ParseMonth(ends[0], month, year) || !ParseMonth(ends[1], &lastMonth, &lastYear))
        return false;
    *count = (lastYear * 12 + lastMonth) - (*year * 12 + *month) + 1;
    return *count >= 1 && *count <= TPageRun::kMaxMonths;
}

// Several documents, or one in a run of months: one PDF, one image per page, or one print job.
int RunPagesJob(const TCommandLine& command, TJobResources& resources, QTextStream& err)
{
    const auto fail = [&err](const QString& error, int status = 1) {
        err << QStringLiteral("almarin: ") << error << Qt::endl;
        return status;
    };
    TPageRun run;
    if (command.fill) {
        const QStringList* recurring = resources.RecurringDates(err);
        if (!recurring)
            return 2;
        run.SetRecurringDates(*recurring);
    }
    run.SetFont(resources.Font());
    // Everything is read before anything is written.
    for (const QString& file : command.documentFiles) {
        const QString error = run.AddDocumentFile(file);
        if (!error.isEmpty())
            return fail(error);
    }
    if (command.monthCount > 0)
        run.SetMonths(command.month, command.year, command.monthCount);
    if (!command.eventsFile.isEmpty()) {
        QString error;
        const QByteArray events = ReadEventsFile(command.eventsFile, &error);
        if (!error.isEmpty())
            return fail(QStringLiteral("cannot import events from %1").arg(error));
        run.SetEvents(command.eventsFile, events);
    }
    // Each page gets what a page of a one-page job gets, but for its month, dates and events, which the
    // run gives it.
    TCommandLine eachPage = command;
    eachPage.month = 0;
    eachPage.fill = false;
    eachPage.eventsFile.clear();
    run.SetPreparation([&eachPage, &resources, &err](TPageDocument& page) {
        return PreparePageForJob(page, eachPage, resources, err);
    });

    std::unique_ptr<TPageOutput> output;
    if (command.action == TCommandLine::TAction::Print) {
        QString error;
        output = MakePrinterOutput(command.printerName, command.copies, run.Title(), &error);
        if (!output)
            return fail(QStringLiteral("cannot print: %1").arg(error));
    } else if (QFileInfo(command.outputFile).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        output = MakePdfOutput(command.outputFile, run.Title());
    } else {
        output = MakeImageOutput(command.outputFile, command.zoom);
    }
    TPagesJob job(run, std::move(output));
    const QString error = job.Run();
    for (const QString& warning : job.TakeWarnings())
        err << QStringLiteral("almarin: warning: ") << warning << Qt::endl;
    if (error.isEmpty())
        return 0;
    return fail(command.action == TCommandLine::TAction::Print
                    ? QStringLiteral("cannot print: %1").arg(error)
                    : QStringLiteral("cannot write %1: %2").arg(command.outputFile, error));
}

// One line of a batch file split into words as a shell splits them: blanks separate words, single quotes
// keep everything inside, double quotes keep all but the escapes \\, \", \$ and \`, and a backslash
// outside quotes keeps the next character. False on an unclosed quote or a trailing backslash.
bool SplitShellWords(const QString& line, QStringList* words)
{
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype close = line.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0)
                return false;
            word += line.mid(i + 1, close - i - 1);
            i = close;
            inWord = true;
        } else if (c == QLatin1Char('"')) {
            for (++i;; ++i) {
                if (i >= line.size())
                    return false;
                if (line[i] == QLatin1Char('"'))
                    break;
                if (line[i] == QLatin1Char('\\') && i + 1 < line.size() &&
                    QStringLiteral("\\\"$`").contains(line[i + 1]))
                    ++i;
                word += line[i];
            }
            inWord = true;
        } else if (c == QLatin1Char('\\')) {
            if (++i >= line.size())
                return false;
            word += line[i];
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words->append(std::exchange(word, QString()));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words->append(word);
    return true;
}

int RunJob(const TCommandLine& command, QTextStream& out, QTextStream& err, TJobResources& resources);

// Each non-empty line that is not a comment is the arguments of one --export or --print job; a failing
// job names its line and the others still run.
int RunBatch(const TCommandLine& command, QTextStream& out, QTextStream& err, TJobResources& resources)
{
    const bool standardInput = command.batchFile == QLatin1String("-");
    QFile file(standardInput ? QString() : command.batchFile);
    // A folder opens as a file that reads as empty.
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : QFileInfo(command.batchFile).isFile() && file.open(QIODevice::ReadOnly);
    if (!opened) {
        const QFileInfo info(command.batchFile);
        const QString reason = standardInput || info.isFile() ? file.errorString()
                               : info.exists()                ? QStringLiteral("not a file")
                                                              : QStringLiteral("no such file");
        err << QStringLiteral("almarin: %1: cannot read the jobs (%2)").arg(command.batchFile, reason) << Qt::endl;
        return 1;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    int status = 0;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString errors;
        QTextStream jobErr(&errors);
        QStringList words;
        int jobStatus = 1;
        if (!SplitShellWords(line, &words)) {
            jobErr << QStringLiteral("almarin: a quote or a backslash is not closed") << Qt::endl;
        } else {
            const TCommandLine job = ParseCommandLine(words);
            if (job.action == TCommandLine::TAction::Export || job.action == TCommandLine::TAction::Print)
                jobStatus = RunJob(job, out, jobErr, resources);
            else if (job.action == TCommandLine::TAction::Invalid)
                jobErr << QStringLiteral("almarin: %1").arg(job.error) << Qt::endl;
            else
                jobErr << QStringLiteral("almarin: a batch holds --export and --print jobs only") << Qt::endl;
        }
        jobErr.flush();
        for (const QString& message : errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            QString text = message;
            if (text.startsWith(QLatin1String("almarin: ")))
                text = text.mid(9);
            err << QStringLiteral("almarin: line %1: %2").arg(n + 1).arg(text) << Qt::endl;
        }
        if (jobStatus != 0)
            status = 1;
    }
    return status;
}

} // namespace

bool ParseJobOption(const QStringList& arguments, qsizetype& i, TCommandLine& command, QString* error)
{
    const QString& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size() && !IsOption(arguments[i + 1]);
    if (argument == QLatin1String("--month")) {
        if (command.action == TCommandLine::TAction::Recurring || command.action == TCommandLine::TAction::Moon)
            *error = QStringLiteral("--month goes with --export and --print only");
        else if (i + 1 >= arguments.size() || !ParseMonth(arguments[i + 1], &command.month, &command.year))
            *error = QStringLiteral("--month needs a month as YYYY-MM");
        ++i;
    } else if (argument == QLatin1String("--fill")) {
        command.fill = true;
    } else if (argument == QLatin1String("--ics")) {
        if (!hasValue)
            *error = QStringLiteral("--ics needs an iCalendar file");
        else
            command.eventsFile = arguments[++i];
    } else if (argument == QLatin1String("--set")) {
        if (i + 1 >= arguments.size()) {
            *error = QStringLiteral("--set needs NAME=VALUE");
            return true;
        }
        // Checked now, so that a mistake stops the job before any file is read or written.
        const QString assignment = arguments[++i];
        CalendarSettings scratch;
        const QString wrong = AssignPageProperty(scratch, assignment);
        if (!wrong.isEmpty())
            *error = QStringLiteral("--set %1").arg(wrong);
        else
            command.pageProperties.append(assignment);
    } else {
        return false;
    }
    return true;
}

QString ApplyPageProperties(TCalendarPageModel& page, const TCommandLine& command)
{
    for (const QString& assignment : command.pageProperties) {
        const QString error = ApplyPageProperty(page, assignment);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QStringList MoonPhaseLines(int year, int month)
{
    QStringList lines;
    for (const MoonPhaseTime& phase : MoonPhasesOfMonth(year, month))
        lines << phase.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")) + QLatin1Char('\t') +
                     MoonPhaseName(phase.phase);
    return lines;
}

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine command;
    QStringList files;
    bool zoomGiven = false;
    bool printerGiven = false;
    bool monthGiven = false;
    bool monthsGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            command.action = TCommandLine::TAction::Help;
            return command;
        }
        if (argument == QLatin1String("--version")) {
            command.action = TCommandLine::TAction::Version;
            return command;
        }
        if (argument == QLatin1String("--holidays")) {
            // --holidays alone, or --holidays CC[-RR] YEAR.
            static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2}(-[A-Za-z0-9]{1,3})?$"));
            command.action = TCommandLine::TAction::Holidays;
            if (arguments.size() == 1)
                return command;
            bool ok = false;
            command.year = arguments.size() == 3 && i == 0 ? arguments[2].toInt(&ok) : 0;
            if (!ok || command.year < 1583 || command.year > 9999 || !code.match(arguments[1]).hasMatch())
                return Invalid(QStringLiteral("--holidays takes a country or region code and a year (1583 to 9999)"));
            command.holidayPlace = arguments[1].toUpper();
            return command;
        }
        if (argument == QLatin1String("--thumbnail")) {
            // A thumbnailer's fixed form: --thumbnail SIZE INPUT OUTPUT.
            if (command.action != TCommandLine::TAction::Window || arguments.size() - i != 4 || command.month != 0 ||
                command.fill || !command.eventsFile.isEmpty())
                return Invalid(QStringLiteral("--thumbnail takes SIZE INPUT OUTPUT, after --set options only"));
            bool ok = false;
            command.thumbnailSize = arguments[i + 1].toInt(&ok);
            if (!ok || command.thumbnailSize < kMinThumbnail || command.thumbnailSize > kMaxThumbnail)
                return Invalid(QStringLiteral("--thumbnail needs a size from %1 to %2 pixels")
                                   .arg(kMinThumbnail)
                                   .arg(kMaxThumbnail));
            command.action = TCommandLine::TAction::Thumbnail;
            command.documentFile = arguments[i + 2];
            command.outputFile = arguments[i + 3];
            return command;
        }
        if (argument == QLatin1String("--export") || argument == QLatin1String("--dump") ||
            argument == QLatin1String("--print")) {
            if (command.action != TCommandLine::TAction::Window)
                return Invalid(QStringLiteral("only one of --export, --print, --dump and --recurring may be given"));
            if (argument == QLatin1String("--print")) {
                command.action = TCommandLine::TAction::Print;
            } else if (argument == QLatin1String("--export")) {
                if (i + 1 >= arguments.size() || IsOption(arguments[i + 1]))
                    return Invalid(QStringLiteral("--export needs an output file"));
                command.outputFile = arguments[++i];
                command.action = TCommandLine::TAction::Export;
            } else {
                command.action = TCommandLine::TAction::Dump;
            }
        } else if (argument == QLatin1String("--recurring") || argument == QLatin1String("--moon")) {
            if (command.action != TCommandLine::TAction::Window || command.month != 0)
                return Invalid(QStringLiteral("%1 goes alone").arg(argument));
            command.action = argument == QLatin1String("--recurring") ? TCommandLine::TAction::Recurring
                                                                      : TCommandLine::TAction::Moon;
            if (i + 1 >= arguments.size() || !ParseMonth(arguments[i + 1], &command.month, &command.year))
                return Invalid(QStringLiteral("%1 needs a month as YYYY-MM").arg(argument));
            ++i;
        } else if (argument == QLatin1String("--months")) {
            if (i + 1 >= arguments.size() ||
                !ParseMonthRange(arguments[i + 1], &command.month, &command.year, &command.monthCount))
                return Invalid(
                    QStringLiteral("--months needs 1 to %1 months as YYYY-MM..YYYY-MM, the first to the last")
                        .arg(TPageRun::kMaxMonths));
            ++i;
            monthsGiven = true;
        } else if (argument == QLatin1String("--batch")) {
            if (command.action != TCommandLine::TAction::Window || i != 0 || arguments.size() != 2)
                return Invalid(
                    QStringLiteral("--batch takes a file of jobs (or - for standard input) and nothing else"));
            command.action = TCommandLine::TAction::Batch;
            command.batchFile = arguments[++i];
            return command;
        } else if (argument == QLatin1String("--printer") || argument == QLatin1String("--copies")) {
            if (i + 1 >= arguments.size() || IsOption(arguments[i + 1]))
                return Invalid(QStringLiteral("%1 needs a value").arg(argument));
            const QString value = arguments[++i];
            if (argument == QLatin1String("--printer")) {
                command.printerName = value;
            } else {
                bool ok = false;
                command.copies = value.toInt(&ok);
                if (!ok || command.copies < 1 || command.copies > kMaxCopies)
                    return Invalid(QStringLiteral("--copies needs a number from 1 to %1").arg(kMaxCopies));
            }
            printerGiven = true;
        } else if (QString error; ParseJobOption(arguments, i, command, &error)) {
            monthGiven = monthGiven || argument == QLatin1String("--month");
            if (!error.isEmpty())
                return Invalid(error);
        } else if (argument == QLatin1String("--zoom") || argument.startsWith(QLatin1String("--zoom="))) {
            QString value;
            if (argument.startsWith(QLatin1String("--zoom=")))
                value = argument.mid(7);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (!ParseZoom(value, &command.zoom))
                return Invalid(QStringLiteral("--zoom needs a percentage from %1 to %2")
                                   .arg(kMinZoomPercent)
                                   .arg(kMaxZoomPercent));
            zoomGiven = true;
        } else if (argument == QLatin1String("--")) {
            files += arguments.mid(i + 1);
            break;
        } else if (IsOption(argument)) {
            return Invalid(QStringLiteral("unknown option %1").arg(argument));
        } else {
            files.append(argument);
        }
    }
    if (zoomGiven && command.action != TCommandLine::TAction::Export)
        return Invalid(QStringLiteral("--zoom goes with --export only"));
    if (printerGiven && command.action != TCommandLine::TAction::Print)
        return Invalid(QStringLiteral("--printer and --copies go with --print only"));
    const bool listing =
        command.action == TCommandLine::TAction::Recurring || command.action == TCommandLine::TAction::Moon;
    const bool job = command.action == TCommandLine::TAction::Export || command.action == TCommandLine::TAction::Print;
    if ((monthGiven || monthsGiven || command.fill || !command.eventsFile.isEmpty()) && !job)
        return Invalid(QStringLiteral("--month, --months, --fill and --ics go with --export and --print only"));
    if (monthGiven && monthsGiven)
        return Invalid(QStringLiteral("--month and --months go apart"));
    if (!command.pageProperties.isEmpty() && !job)
        return Invalid(QStringLiteral("--set goes with --export, --print and --thumbnail only"));
    if (listing) {
        if (!files.isEmpty())
            return Invalid(QStringLiteral("--recurring and --moon take no document"));
        return command;
    }
    if (files.size() > 1 && !job)
        return Invalid(QStringLiteral("one document at a time, not %1").arg(files.size()));
    if (command.action != TCommandLine::TAction::Window && files.isEmpty())
        return Invalid(QStringLiteral("which document? Give a .QXF file"));
    if (files.size() > 1 && (monthGiven || monthsGiven))
        return Invalid(QStringLiteral("--month and --months show one document, not %1").arg(files.size()));
    if (!files.isEmpty())
        command.documentFile = files.first();
    command.documentFiles = files;
    if (command.action == TCommandLine::TAction::Export && (files.size() > 1 || monthsGiven)) {
        const QString extension = QFileInfo(command.outputFile).suffix().toLower();
        if (extension != QLatin1String("pdf") && !ImageFormatOf(command.outputFile))
            return Invalid(QStringLiteral("several pages go to a .pdf file or to .bmp, .jpg or .png images"));
        if (extension != QLatin1String("pdf") && std::max<qsizetype>(files.size(), command.monthCount) > 1 &&
            !NamesEachPage(command.outputFile))
            return Invalid(QStringLiteral("an image name for several pages holds {month} or {n}"));
    }
    return command;
}

QString CommandLineUsage()
{
    return QStringLiteral("Usage:\n"
                          "  almarin [FILE.QXF]                          open the calendar window, with the document\n"
                          "  almarin --export OUT FILE.QXF [--zoom PERCENT] [--month YYYY-MM] [--fill]\n"
                          "                  [--ics EVENTS.ics]\n"
                          "                                              write the page to OUT by its extension:\n"
                          "                                              .bmp .jpg .png (inside the margins, at the\n"
                          "                                              zoom, 1 to 600, 100 by default), .pdf (as\n"
                          "                                              printed), .qxf (the document saved again);\n"
                          "                                              --month shows another month with empty\n"
                          "                                              days, --fill puts the month's recurring\n"
                          "                                              dates on them, --ics the events of an\n"
                          "                                              iCalendar file\n"
                          "  almarin --print FILE.QXF [--printer NAME] [--copies N] [--month YYYY-MM] [--fill]\n"
                          "                  [--ics EVENTS.ics]\n"
                          "                                              print the page on the default or named\n"
                          "                                              printer, N copies (1 to 999); --month,\n"
                          "                                              --fill and --ics as for --export\n"
                          "  almarin --export OUT FILE.QXF --months YYYY-MM..YYYY-MM [--fill] [--ics EVENTS.ics]\n"
                          "                                              one page for each month from the first to\n"
                          "                                              the last (1 to 24), the document shown as\n"
                          "                                              --month shows it: OUT.pdf holds them all;\n"
                          "                                              image names hold {month} (YYYY-MM) or {n}\n"
                          "                                              (the page number from 1)\n"
                          "  almarin --export OUT FILE.QXF FILE.QXF ...  one page for each document, in order\n"
                          "  almarin --print FILE.QXF --months YYYY-MM..YYYY-MM | FILE.QXF FILE.QXF ...\n"
                          "                                              every page in one print job\n"
                          "  almarin --batch JOBS                        run the --export and --print jobs of the\n"
                          "                                              file JOBS (- reads them from the standard\n"
                          "                                              input), one a line, quoted as a shell\n"
                          "                                              quotes them; lines starting with # are\n"
                          "                                              comments\n"
                          "  almarin [--set NAME=VALUE]... --thumbnail SIZE FILE.QXF OUT.PNG\n"
                          "                                              draw the whole page to fit SIZE pixels\n"
                          "  almarin --recurring YYYY-MM                 list the recurring dates of the month\n"
                          "  almarin --moon YYYY-MM                      list the month's moon phases in local time\n"
                          "  almarin --holidays [CC[-RR] YEAR]           list the public holidays of a country or\n"
                          "                                              region in YEAR; alone, the codes known\n"
                          "  --set NAME=VALUE (repeatable) sets a page property before --export, --print or\n"
                          "  --thumbnail: StartOfWeek=2, ShowWeekNumbers=True, CalendarLayout=loMC12Month, ...\n"
                          "  almarin --dump FILE.QXF                     print the document as readable text\n"
                          "  almarin --help                              show this text\n"
                          "  almarin --version                           show the version\n");
}

QString DumpDocument(const QString& fileName)
{
    const QByteArray bytes = ReadDocumentFile(fileName);
    TCalendarDocumentContent content;
    try {
        content = ParseDocument(bytes, CalendarSettings());
    } catch (const EStreamError& error) {
        throw ECalendarFileError(fileName, error.Message());
    }
    const CalendarSettings& s = content.settings;
    QStringList lines;
    lines.append(QStringLiteral("Document = %1").arg(Quoted(fileName)));
    lines.append(QStringLiteral("Version = %1").arg(content.version));
    lines.append(QStringLiteral("Kind = %1").arg(content.kind));
    lines.append(QStringLiteral("[Settings]"));
    DumpSettings(lines, s);
    lines.append(QStringLiteral("WMFBorderFile = %1").arg(Quoted(s.WMFBorderFile)));
    lines.append(QStringLiteral("MainCalDay = %1").arg(s.MainCalDay));
    lines.append(QStringLiteral("MainCalMonth = %1").arg(s.MainCalMonth));
    lines.append(QStringLiteral("MainCalYear = %1").arg(s.MainCalYear));
    lines.append(QStringLiteral("StartOfWeek = %1").arg(s.StartOfWeek));
    const int minutes = qRound(s.DayStartTime * 1440.0);
    lines.append(QStringLiteral("DayStartTime = %1:%2")
                     .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                     .arg(minutes % 60, 2, 10, QLatin1Char('0')));
    lines.append(QStringLiteral("[Day cells]"));
    for (int cell = 1; cell <= kCellCount; ++cell) {
        if (content.cells[cell].isEmpty())
            continue;
        TWPRtfStorage storage;
        storage.SetRtfData(content.cells[cell]);
        if (!storage.IsEmpty())
            lines.append(QStringLiteral("Cell%1 = %2").arg(cell).arg(Quoted(storage.PlainText())));
    }
    lines.append(QStringLiteral("[Title]"));
    lines.append(QStringLiteral("UserTitle = %1").arg(Quoted(s.UserTitle)));
    lines.append(QStringLiteral("[Placed objects]"));
    if (content.objectListOffset >= 0)
        DumpObjects(lines, bytes.mid(content.objectListOffset));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int RunCommandLineJob(const TCommandLine& command, QTextStream& out, QTextStream& err)
{
    TJobResources resources;
    return RunJob(command, out, err, resources);
}

namespace {

int RunJob(const TCommandLine& command, QTextStream& out, QTextStream& err, TJobResources& resources)
{
    const bool pages = command.documentFiles.size() > 1 || command.monthCount > 0;
    switch (command.action) {
    case TCommandLine::TAction::Batch:
        return RunBatch(command, out, err, resources);
    case TCommandLine::TAction::Help:
        out << CommandLineUsage();
        return 0;
    case TCommandLine::TAction::Version:
        out << QStringLiteral("Almarin %1").arg(QLatin1String(kAlmarinVersion)) << Qt::endl;
        return 0;
    case TCommandLine::TAction::Invalid:
        err << QStringLiteral("almarin: %1 (see almarin --help)").arg(command.error) << Qt::endl;
        return 2;
    case TCommandLine::TAction::Window:
        err << QStringLiteral("almarin: the window is not a command-line job") << Qt::endl;
        return 2;
    case TCommandLine::TAction::Dump:
        if (!QFileInfo(command.documentFile).isFile()) {
            err << QStringLiteral("almarin: %1: no such file").arg(command.documentFile) << Qt::endl;
            return 1;
        }
        try {
            out << DumpDocument(command.documentFile);
        } catch (const ECalendarFileError& error) {
            err << QStringLiteral("almarin: ") << OneLine(UnableToOpenDocumentMessage(command.documentFile))
                << QStringLiteral(" (%1)").arg(error.Detail()) << Qt::endl;
            return 1;
        }
        return 0;
    case TCommandLine::TAction::Recurring: {
        QStringList lines;
        if (!LoadRecurringDatesForJob(lines, err))
            return 2;
        for (const QString& line : RecurringDatesOfMonth(lines, command.month, command.year))
            out << line << Qt::endl;
        return 0;
    }
    case TCommandLine::TAction::Moon:
        for (const QString& line : MoonPhaseLines(command.year, command.month))
            out << line << Qt::endl;
        return 0;
    case TCommandLine::TAction::Holidays:
        return ListPublicHolidays(command.holidayPlace, command.year, out, err);
    case TCommandLine::TAction::Thumbnail: {
        TCalendarPage page;
        bool complete = true;
        QString error = LoadForJob(page, command.documentFile, err, &complete);
        if (error.isEmpty()) {
            const QString propertyError = ApplyPageProperties(page.Model(), command);
            error = propertyError.isEmpty() ? ExportThumbnail(page, command.outputFile, command.thumbnailSize)
                                            : QStringLiteral("--set ") + propertyError;
        }
        if (!error.isEmpty()) {
            err << QStringLiteral("almarin: ") << error << Qt::endl;
            return 1;
        }
        return 0;
    }
    case TCommandLine::TAction::Print: {
        if (pages)
            return RunPagesJob(command, resources, err);
        if (command.fill && !resources.RecurringDates(err))
            return 2;
        TCalendarPage page;
        bool complete = true;
        QString error = LoadForJob(page, command.documentFile, err, &complete);
        if (error.isEmpty()) {
            const QString prepareError = PreparePageForJob(page, command, resources, err);
            if (!prepareError.isEmpty()) {
                err << QStringLiteral("almarin: ") << prepareError << Qt::endl;
                return 1;
            }
            error = PrintOnPrinter(page, command.printerName, command.copies);
        }
        if (!error.isEmpty()) {
            err << QStringLiteral("almarin: cannot print %1: %2").arg(command.documentFile, error) << Qt::endl;
            return 1;
        }
        return 0;
    }
    case TCommandLine::TAction::Export: {
        if (pages)
            return RunPagesJob(command, resources, err);
        if (command.fill && !resources.RecurringDates(err))
            return 2;
        TCalendarPage page;
        bool complete = true;
        const QString loadError = LoadForJob(page, command.documentFile, err, &complete);
        if (!loadError.isEmpty()) {
            err << QStringLiteral("almarin: ") << loadError << Qt::endl;
            return 1;
        }
        // An image may leave out what could not be read; a document saved again would lose it for good.
        if (!complete &&
            QFileInfo(command.outputFile).suffix().compare(QLatin1String("qxf"), Qt::CaseInsensitive) == 0) {
            err << QStringLiteral("almarin: cannot write %1: not every placed object of %2 could be read")
                       .arg(command.outputFile, command.documentFile)
                << Qt::endl;
            return 1;
        }
        const QString prepareError = PreparePageForJob(page, command, resources, err);
        if (!prepareError.isEmpty()) {
            err << QStringLiteral("almarin: ") << prepareError << Qt::endl;
            return 1;
        }
        const QString exportError = ExportPage(page, command.outputFile, command.zoom);
        if (!exportError.isEmpty()) {
            err << QStringLiteral("almarin: cannot write %1: %2").arg(command.outputFile, exportError) << Qt::endl;
            return 1;
        }
        return 0;
    }
    }
    return 2;
}

} // namespace

int RunCommandLine(int argc, char** argv, const TCommandLine& command)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The names say where the user files are when the program folder cannot hold them.
    QCoreApplication::setApplicationName(QStringLiteral("Almarin"));
    QCoreApplication::setOrganizationName(QStringLiteral("Almarin"));
    if (command.action != TCommandLine::TAction::Export && command.action != TCommandLine::TAction::Thumbnail &&
        command.action != TCommandLine::TAction::Dump && command.action != TCommandLine::TAction::Print &&
        command.action != TCommandLine::TAction::Batch) {
        // Only an application object knows the executable's folder, where the user files are looked for;
        // without one the current folder would stand in for it.
        QCoreApplication app(argc, argv);
        return RunCommandLineJob(command, out, err);
    }
    // Jobs show no window, so they need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The job's own error line is all that goes to stderr; the toolkit's notices about the desktop
    // session (runtime folder, fonts) say nothing about the job.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            QTextStream(stderr) << message << Qt::endl;
    });
    SetMetafileCutShortListener(
        [] { QTextStream(stderr) << QStringLiteral("almarin: warning: ") << MetafileCutShortNotice() << Qt::endl; });
    // Jobs draw and print the page without a window: no widget is made.
    QGuiApplication app(argc, argv);
    return RunCommandLineJob(command, out, err);
}
