// Many pages in one job: a run of months from one document, several documents in order, batches of jobs.
#include "app/commandline.h"
#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct TJobRun
{
    int status = -1;
    QString err;
};

TJobRun RunJob(const QStringList& arguments)
{
    TJobRun run;
    QString out;
    QTextStream outStream(&out);
    QTextStream errStream(&run.err);
    run.status = RunCommandLineJob(ParseCommandLine(arguments), outStream, errStream);
    errStream.flush();
    return run;
}

QString PdfInfo(const QString& pdf, int page = 0)
{
    QProcess info;
    QStringList arguments{pdf};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    info.start(QStringLiteral("pdfinfo"), arguments);
    info.waitForFinished(20000);
    return QString::fromUtf8(info.readAllStandardOutput());
}

QString InfoField(const QString& info, const QString& field)
{
    const QRegularExpression line(QRegularExpression::escape(field) + QStringLiteral(":\\s*([^\\n]*)"));
    return line.match(info).captured(1).trimmed();
}

// The text of each page, in order, every run of blanks and line breaks one space: a day's text may wrap.
QStringList PageTexts(const QString& pdf)
{
    QStringList pages = PdfText(pdf).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString& page : pages)
        page = page.simplified();
    return pages;
}

// The page labels of a PDF as another reader finds them (Ghostscript's PDF reader); empty when it cannot run.
QStringList PageLabels(const QString& pdf)
{
    QProcess gs;
    gs.start(QStringLiteral("gs"),
             {QStringLiteral("-q"), QStringLiteral("-dNODISPLAY"), QStringLiteral("-dNOSAFER"),
              QStringLiteral("-dNEWPDF=false"), QStringLiteral("-dBATCH"), QStringLiteral("-c"),
              QStringLiteral("(%1) (r) file runpdfbegin Trailer /Root oget /PageLabels oget /Nums oget "
                             "{ dup type /dicttype eq { /P oget = } { pop } ifelse } forall quit")
                  .arg(pdf)});
    gs.waitForFinished(30000);
    return QString::fromLatin1(gs.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString MonthTitle(int month, int year)
{
    return QLocale(QLocale::English).monthName(month) + QLatin1Char(' ') + QString::number(year);
}

class PageRuns : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto entry = [](const char* event, const char* formula) {
            return MakeEntryLine(QLatin1String(event), QLatin1String(formula));
        };
        ASSERT_TRUE(SaveRecurringDates(
            {entry("Thanksgiving Day", "$3 4 11"), entry("Independence Day", "@0704"), entry("Leap Day", "@0229")}));
        m_template = Document(QStringLiteral("template.QXF"), 6, 2024, false);
    }

    QString Document(const QString& name, int month, int year, bool landscape)
    {
        TCalendarPanel32 page;
        page.SetCalendarLayout(landscape ? LOFullCalendarLS : loFullCalendar);
        page.SetMainCalMonth(month);
        page.SetMainCalYear(year);
        page.CellStorage(5)->SetRtfData(QByteArray("{\\rtf1\\ansi June note}"));
        SaveToFile(page, m_folder.file(name));
        return m_folder.file(name);
    }

    QString Out(const QString& name) const { return m_folder.file(name); }

    ScratchProgramFolder m_folder;
    QString m_template;
};

} // namespace

TEST_F(PageRuns, AYearFromOneTemplateInOneProcessShowsEachMonthWithItsDates)
{
    const QString pdf = Out(QStringLiteral("year.pdf"));
    const TJobRun run = RunJob({QStringLiteral("--export"), pdf, m_template, QStringLiteral("--months"),
                                QStringLiteral("2027-01..2027-12"), QStringLiteral("--fill")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(InfoField(PdfInfo(pdf), QStringLiteral("Title")), QStringLiteral("2027"));
    const QStringList pages = PageTexts(pdf);
    ASSERT_EQ(pages.size(), 12);
    for (int month = 1; month <= 12; ++month) {
        const QString& text = pages[month - 1];
        EXPECT_TRUE(text.contains(MonthTitle(month, 2027))) << month;
        EXPECT_EQ(text.contains(QStringLiteral("Thanksgiving Day")), month == 11) << month;
        EXPECT_EQ(text.contains(QStringLiteral("Independence Day")), month == 7) << month;
        EXPECT_FALSE(text.contains(QStringLiteral("June note"))) << "another month starts with empty days";
    }
    QStringList labels;
    for (int month = 1; month <= 12; ++month)
        labels << QStringLiteral("2027-%1").arg(month, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(PageLabels(pdf), labels);
    EXPECT_FALSE(QDir(m_folder.path()).entryList(QDir::Files).join(QLatin1Char(' ')).contains(QStringLiteral(".tmp")));
    TCalendarPanel32 again;
    LoadFromFile(again, m_template, &again);
    EXPECT_EQ(again.MainCalMonth() * 10000 + again.MainCalYear(), 62024) << "the template is not written";
}

TEST_F(PageRuns, RangesOfMonthsGiveOnePageEachInOrder)
{
    struct Case
    {
        const char* range;
        int pages;
        int firstMonth, firstYear, lastMonth, lastYear;
        const char* title;
        int leapPage; // the page showing 29 February, 0 for none
    };
    const Case cases[] = {
        {"2027-09..2028-08", 12, 9, 2027, 8, 2028, "September 2027 \u2013 August 2028", 6},
        {"2028-01..2028-03", 3, 1, 2028, 3, 2028, "January 2028 \u2013 March 2028", 2},
        {"2027-01..2028-12", 24, 1, 2027, 12, 2028, "January 2027 \u2013 December 2028", 14},
        {"2029-02..2029-02", 1, 2, 2029, 2, 2029, "February 2029", 0},
    };
    // An event on each 29 February, read once for every page.
    QFile events(Out(QStringLiteral("events.ics")));
    ASSERT_TRUE(events.open(QIODevice::WriteOnly));
    events.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Extra day party\r\nDTSTART;VALUE=DATE:20280229\r\n"
                 "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    events.close();
    for (const Case& c : cases) {
        const QString pdf = Out(QStringLiteral("range.pdf"));
        const TJobRun run =
            RunJob({QStringLiteral("--export"), pdf, m_template, QStringLiteral("--months"), QLatin1String(c.range),
                    QStringLiteral("--fill"), QStringLiteral("--ics"), events.fileName()});
        ASSERT_EQ(run.status, 0) << c.range << run.err.toStdString();
        EXPECT_EQ(InfoField(PdfInfo(pdf), QStringLiteral("Title")), QString::fromUtf8(c.title)) << c.range;
        const QStringList pages = PageTexts(pdf);
        ASSERT_EQ(pages.size(), c.pages) << c.range;
        EXPECT_TRUE(pages.first().contains(MonthTitle(c.firstMonth, c.firstYear))) << c.range;
        EXPECT_TRUE(pages.last().contains(MonthTitle(c.lastMonth, c.lastYear))) << c.range;
        for (int page = 1; page <= c.pages; ++page) {
            EXPECT_EQ(pages[page - 1].contains(QStringLiteral("Leap Day")), page == c.leapPage) << c.range << page;
            EXPECT_EQ(pages[page - 1].contains(QStringLiteral("Extra day party")), page == c.leapPage)
                << c.range << page;
        }
    }
}

TEST_F(PageRuns, MistakesAreRefusedBeforeAnythingIsWritten)
{
    const QString pdf = Out(QStringLiteral("kept.pdf"));
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    QFile damaged(Out(QStringLiteral("damaged.QXF")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("TPF0 not a calendar") > 0);
    damaged.close();
    const QString months = QStringLiteral("--months");
    const QString exportJob = QStringLiteral("--export");
    const struct
    {
        QStringList arguments;
        int status;
    } cases[] = {
        {{exportJob, pdf, m_template, months, QStringLiteral("2027-05..2027-04")}, 2},
        {{exportJob, pdf, m_template, months, QStringLiteral("2027-01..2029-01")}, 2},
        {{exportJob, pdf, m_template, months, QStringLiteral("2027-01")}, 2},
        {{exportJob, Out(QStringLiteral("page.png")), m_template, months, QStringLiteral("2027-01..2027-02")}, 2},
        {{exportJob, Out(QStringLiteral("p{n}.qxf")), m_template, months, QStringLiteral("2027-01..2027-02")}, 2},
        {{exportJob, pdf, m_template, m_template, months, QStringLiteral("2027-01..2027-02")}, 2},
        {{exportJob, pdf, damaged.fileName(), months, QStringLiteral("2027-01..2027-12")}, 1},
        {{exportJob, pdf, Out(QStringLiteral("missing.QXF")), months, QStringLiteral("2027-01..2027-12")}, 1},
        {{exportJob, pdf, m_template, m_template, damaged.fileName()}, 1},
        {{exportJob, Out(QStringLiteral("{n}.png")), m_template, damaged.fileName()}, 1},
    };
    const QStringList before = QDir(m_folder.path()).entryList(QDir::Files);
    for (const auto& c : cases) {
        const TJobRun run = RunJob(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), before)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
    }
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
}

TEST_F(PageRuns, SeveralDocumentsArePagesInTheirOrderEachOnItsOwnPaper)
{
    const QString march = Document(QStringLiteral("march.QXF"), 3, 2027, false);
    const QString january = Document(QStringLiteral("january.QXF"), 1, 2027, true);
    const QString july = Document(QStringLiteral("july.QXF"), 7, 2026, false);
    const QString pdf = Out(QStringLiteral("joined.pdf"));
    const TJobRun run = RunJob({QStringLiteral("--export"), pdf, march, january, july});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList pages = PageTexts(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(MonthTitle(3, 2027)));
    EXPECT_TRUE(pages[1].contains(MonthTitle(1, 2027)));
    EXPECT_TRUE(pages[2].contains(MonthTitle(7, 2026)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("June note")) && pages[2].contains(QStringLiteral("June note")))
        << "a document's own days keep their text";
    EXPECT_EQ(InfoField(PdfInfo(pdf, 1), QStringLiteral("Page    1 size")), QStringLiteral("612 x 792 pts (letter)"));
    EXPECT_EQ(InfoField(PdfInfo(pdf, 2), QStringLiteral("Page    2 size")), QStringLiteral("792 x 612 pts (letter)"));
    EXPECT_EQ(InfoField(PdfInfo(pdf), QStringLiteral("Title")), QStringLiteral("March 2027 \u2013 July 2026"));
}

TEST_F(PageRuns, ImageNamesTakeTheMonthOrThePageNumber)
{
    const struct
    {
        const char* pattern;
        QStringList written;
    } cases[] = {
        {"cal-{month}.png",
         {QStringLiteral("cal-2027-11.png"), QStringLiteral("cal-2027-12.png"), QStringLiteral("cal-2028-01.png")}},
        {"{n}-of-year.bmp",
         {QStringLiteral("1-of-year.bmp"), QStringLiteral("2-of-year.bmp"), QStringLiteral("3-of-year.bmp")}},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const TJobRun run = RunJob({QStringLiteral("--export"), folder.filePath(QLatin1String(c.pattern)), m_template,
                                    QStringLiteral("--months"), QStringLiteral("2027-11..2028-01")});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), c.written) << c.pattern;
        EXPECT_FALSE(QImage(folder.filePath(c.written.first())).isNull());
    }
    // Two documents of one month would overwrite each other's image.
    QTemporaryDir folder;
    const TJobRun run =
        RunJob({QStringLiteral("--export"), folder.filePath(QStringLiteral("{month}.png")), m_template, m_template});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(PageRuns, ABatchRunsEveryLineAndNamesTheOneThatFailed)
{
    const QString batch = Out(QStringLiteral("jobs.txt"));
    QFile file(batch);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString good = QStringLiteral("--export '%1' \"%2\" --months 2027-01..2027-02\n");
    QTextStream(&file) << "# a comment, then a blank line\n\n"
                       << good.arg(Out(QStringLiteral("first page.pdf")), m_template) << "--export "
                       << Out(QStringLiteral("lost.pdf")) << " missing.QXF\n"
                       << "--dump " << m_template << "\n"
                       << "--export 'unclosed.pdf " << m_template << "\n"
                       << good.arg(Out(QStringLiteral("last.pdf")), m_template);
    file.close();
    const TJobRun run = RunJob({QStringLiteral("--batch"), batch});
    EXPECT_EQ(run.status, 1);
    const QStringList errors = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 3) << run.err.toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("almarin: line 4: missing.QXF"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("almarin: line 5: "))) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].startsWith(QStringLiteral("almarin: line 6: "))) << errors[2].toStdString();
    EXPECT_EQ(PageTexts(Out(QStringLiteral("first page.pdf"))).size(), 2);
    EXPECT_EQ(PageTexts(Out(QStringLiteral("last.pdf"))).size(), 2);
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("lost.pdf"))));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QTextStream(&file) << good.arg(Out(QStringLiteral("again.pdf")), m_template);
    file.close();
    const TJobRun all = RunJob({QStringLiteral("--batch"), batch});
    EXPECT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_EQ(RunJob({QStringLiteral("--batch"), Out(QStringLiteral("none.txt"))}).status, 1);
    EXPECT_EQ(RunJob({QStringLiteral("--batch"), batch, QStringLiteral("--fill")}).status, 2);
}
