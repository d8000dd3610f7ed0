// Importing the events of an iCalendar file onto a month page and a week planner, through the File
// menu's command and through the command line, leaving out lines it cannot read and refusing a file that holds no
// calendar.
#include "app/calendarmain.h"
#include "app/commandline.h"
#include "app/documentcommands.h"
#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "ical/selectevents.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

#include <gtest/gtest.h>

#include <ctime>

namespace {

const QString kEvents = QStringLiteral(ALMARIN_SOURCE_DIR "/tests/ical/events.ics");

// Times as the file's events give them in Berlin; every text checked by the day number its cell shows.
struct EventImport : ::testing::Test
{
    QByteArray previousZone = qgetenv("TZ");
    QLocale previousLocale;
    ScratchProgramFolder folder;
    TCalendarMain main;
    TCalendarPanel32* page = nullptr;
    MessageLog messages;

    void SetUp() override
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!main.Loading(), 5000);
        page = main.CalendarPanel();
    }
    void TearDown() override
    {
        QLocale::setDefault(previousLocale);
        if (previousZone.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", previousZone);
        tzset();
    }

    static void show(TCalendarPanel32& shown, TCalendarLayout layout, int day)
    {
        shown.SetCalendarLayout(layout);
        shown.SetStartOfWeek(1);
        shown.SetMainCalMonth(3);
        shown.SetMainCalYear(2026);
        shown.SetMainCalDay(day);
        shown.show();
        shown.RenderToBitmap();
    }
    // By the day number the cell shows; a day planner's rows show none and go by their row.
    static QMap<QString, QString> dayTexts(const TCalendarPanel32& shown)
    {
        QMap<QString, QString> texts;
        for (int cell = 1; cell <= 42; ++cell) {
            const int day = shown.DayOfCell(cell);
            if (!shown.CellStorage(cell)->IsEmpty())
                texts.insert(day ? QString::number(day) : QStringLiteral("row %1").arg(cell),
                             shown.CellStorage(cell)->PlainText());
        }
        return texts;
    }
    void import(const QString& file)
    {
        WhenModalShown<TSelectEvents>([](TSelectEvents* d) {
            EXPECT_EQ(d->selectedEvents().size(), d->list()->count()) << "every row starts chosen";
            d->okButton()->click();
        });
        main.ImportEventsFile(file);
    }
};

QMap<QString, QString> Texts(std::initializer_list<std::pair<const char*, const char*>> texts)
{
    QMap<QString, QString> map;
    for (const auto& [key, text] : texts)
        map.insert(QLatin1String(key), QString::fromUtf8(text));
    return map;
}

const QMap<QString, QString> kMarch = Texts({
    {"1", "Trip"},
    {"2", "15:00 Standup"},
    {"5", "Conference"},
    {"6", "Conference"},
    {"7", "Conference"},
    {"9", "14:00 Standup"},
    {"12", "18:30 Dinner, Ann"},
    {"15", "19:00 Book club"},
    {"17", "St Patrick's Day"},
    {"20", "22:00 Party"},
    {"21", "Party"},
    {"24", "15:00 Standup (moved)"},
    {"26", "09:00 Call Tokyo"},
    {"30", "10:00 Flight"},
});

} // namespace

TEST_F(EventImport, EventsLandOnTheirDaysOnceOnMonthPagesAndWeekPlanners)
{
    const struct
    {
        TCalendarLayout layout;
        int day;
        QMap<QString, QString> expected;
    } cases[] = {
        {loFullCalendar, 1, kMarch},
        // Saturday 28 March to Friday 3 April.
        {loWeek, 28, Texts({{"30", "10:00 Flight"}, {"2", "Easter hike"}})},
        // Ten hours from 08:00, then the notes row.
        {loDay10, 2, Texts({{"row 8", "15:00 Standup"}})},
        {loDay10, 20, Texts({{"row 11", "22:00 Party"}})},
    };
    for (const auto& c : cases) {
        main.Documents().mnuClearAllCellContentsClick();
        show(*page, c.layout, c.day);
        main.SetModified(false);
        main.SetButtons();
        ASSERT_TRUE(main.Action(QStringLiteral("mnuImportEvents"))->isEnabled());
        import(kEvents);
        EXPECT_EQ(dayTexts(*page), c.expected) << c.layout;
        EXPECT_TRUE(main.Modified());

        main.SetModified(false);
        messages.clear();
        import(kEvents);
        EXPECT_EQ(dayTexts(*page), c.expected) << "a second import adds nothing";
        EXPECT_FALSE(main.Modified());
        EXPECT_EQ(messages, QStringList{QStringLiteral("The chosen events are on the page already")});

        // The command line's export imports the same way into a page without a window.
        const QString document = folder.file(QStringLiteral("empty.QXF"));
        const QString exported = folder.file(QStringLiteral("exported.qxf"));
        TCalendarPanel32 empty;
        show(empty, c.layout, c.day);
        SaveToFile(empty, document);
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        EXPECT_EQ(RunCommandLineJob(ParseCommandLine({QStringLiteral("--export"), exported, document,
                                                      QStringLiteral("--ics"), kEvents}),
                                    outStream, errStream),
                  0)
            << err.toStdString();
        TCalendarPanel32 written;
        LoadFromFile(written, exported, &written);
        written.RenderToBitmap();
        EXPECT_EQ(dayTexts(written), c.expected);
    }
}

TEST_F(EventImport, UnreadableLinesAreLeftOutOnceToldAndOnlyAFileWithoutACalendarIsRefused)
{
    show(*page, loFullCalendar, 1);
    const QString document = folder.file(QStringLiteral("page.QXF"));
    SaveToFile(*page, document);
    const QString damaged = folder.file(QStringLiteral("damaged.ics"));
    const QString diary = folder.file(QStringLiteral("diary.ics"));
    for (const auto& [file, bytes] :
         {std::pair{damaged, QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Later\r\n"
                                        "DTSTART:tomorrow\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                                        "SUMMARY:Fine\r\nDTSTART:20260303T100000Z\r\n"
                                        "DESCRIPTION:\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")},
          std::pair{diary, QByteArray("Dear diary,\r\ntoday nothing happened.\r\n")}}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    main.SetModified(false);
    main.ImportEventsFile(diary);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("line 1: this is not an iCalendar file")))
        << messages[0].toStdString();
    EXPECT_TRUE(dayTexts(*page).isEmpty());
    EXPECT_FALSE(main.Modified());

    messages.clear();
    import(damaged);
    EXPECT_EQ(messages, QStringList{QStringLiteral("damaged.ics: 1 line could not be read and was left out: line 4")});
    EXPECT_EQ(dayTexts(*page), Texts({{"3", "11:00 Fine"}}));

    const auto run = [&](const QString& events, QString* err) {
        QString out;
        QTextStream outStream(&out), errStream(err);
        return RunCommandLineJob(ParseCommandLine({QStringLiteral("--export"), folder.file(QStringLiteral("o.qxf")),
                                                   document, QStringLiteral("--ics"), events}),
                                 outStream, errStream);
    };
    QString err;
    EXPECT_EQ(run(damaged, &err), 0);
    EXPECT_EQ(err,
              QStringLiteral("almarin: warning: %1: 1 line could not be read and was left out: line 4\n").arg(damaged));
    err.clear();
    EXPECT_EQ(run(diary, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("line 1: this is not an iCalendar file"))) << err.toStdString();
}
