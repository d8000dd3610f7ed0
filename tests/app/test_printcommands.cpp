#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/printcommands.h"
#include "app/printercheck.h"
#include "document/label/qplabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "jobs/printing.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include "platform/messages.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString pdfInfo(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A shown main window with a page of December 1997 in English, a day text and a label on it.
struct PrintCommands : ::testing::Test
{
    ScratchProgramFolder folder;
    TCalendarMain main;
    TCalendarPanel32* page = nullptr;
    MessageLog messages;
    QStringList proposals;
    QString exportTo;

    void SetUp() override
    {
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
        page = main.CalendarPanel();
        page->show();
        const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
        for (int m = 1; m <= 12; ++m)
            page->SetMonthName(m, QLatin1String(months[m - 1]));
        page->SetCalendarLayout(loFullCalendar);
        page->SetMainCalMonth(12);
        page->SetMainCalYear(1997);
        main.PuttextOnDay(24, QStringLiteral("Bakery"));
        auto* label = new TQPLabel;
        page->PlaceObject(label, {200, 300, 342, 333});
        label->SetCaption(QStringLiteral("Carols"));
        main.DoSaveRichtext();
        main.SetButtons();
        main.PrintCommands().SetChooseExportFile([this](const QString&, const QString&, const QString& proposed) {
            proposals << proposed;
            return exportTo;
        });
    }
};

// Counts the paints of the widget it watches.
struct PaintCount : QObject
{
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

TEST(PrintChecks, ThePrinterCheckWaitsForTheWindowsFirstPaint)
{
    ScratchProgramFolder folder;
    PaintCount painted;
    int paintsAtCheck = -1;
    SetPrinterCheck([&] {
        paintsAtCheck = painted.paints;
        return TPrinterSituation::NoPrinters;
    });
    const auto restore = qScopeGuard([] { SetPrinterCheck([] { return TPrinterSituation::NoPrinters; }); });
    TCalendarMain main;
    main.installEventFilter(&painted);
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paintsAtCheck >= 0; }, 5000));
    EXPECT_GE(paintsAtCheck, 1);
}

TEST(PrintChecks, MarginWarningComparesBordersCutToHundredths)
{
    const QString left = QStringLiteral("\rLeft Margin is possibly outside of Printer printable area");
    const QString top = QStringLiteral("\rTop Margin is possibly outside of Printer printable area");
    const QString right = QStringLiteral("\rRight Margin is possibly outside of Printer printable area");
    const QString bottom = QStringLiteral("\rBottom Margin is possibly outside of Printer printable area");
    struct Case
    {
        QMarginsF border;
        QMarginsF margins;
        QString lines;
    };
    const Case cases[] = {
        {{0.2, 0.2, 0.2, 0.2}, {0.25, 0.25, 0.25, 0.25}, {}},
        {{0.254, 0, 0, 0}, {0.25, 0.25, 0.25, 0.25}, {}},
        {{0.3, 0, 0, 0}, {0.25, 0.25, 0.25, 0.25}, left},
        {{0.3, 0.3, 0.3, 0.3}, {0.25, 0.25, 0.25, 0.25}, left + top + right + bottom},
        {{0, 0.5, 0, 0.5}, {0.25, 0.25, 0.25, 0.25}, top + bottom},
        // A border equal to a margin stored in single precision is inside it.
        {{0.29, 0.29, 0.29, 0.29}, {double(0.29f), double(0.29f), double(0.29f), double(0.29f)}, {}},
        // 0.29 in is 28.999... hundredths in binary; it still cuts to 0.29.
        {{0.29, 0, 0, 0}, {0.285, 0.25, 0.25, 0.25}, left},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MarginWarningLines(c.border, c.margins), c.lines) << c.border.left() << " " << c.border.top();
    EXPECT_EQ(MarginWarningQuestion(left),
              QStringLiteral(
                  "Margin Warning:\r\rLeft Margin is possibly outside of Printer printable area\r\rPrint anyways?"));
}

TEST(PrintChecks, CopiesAreMadeByTheDriverOnlyWhenItCanMakeThemAll)
{
    struct Case
    {
        int requested, maxCopies, driverCopies, repeats;
    };
    for (const Case& c :
         {Case{3, 1, 1, 3}, Case{3, 3, 3, 1}, Case{3, 9999, 3, 1}, Case{0, 1, 1, 1}, Case{-2, 5, 1, 1}}) {
        const TCopiesPlan plan = PlanCopies(c.requested, c.maxCopies);
        EXPECT_EQ(plan.driverCopies, c.driverCopies) << c.requested << " of " << c.maxCopies;
        EXPECT_EQ(plan.repeats, c.repeats) << c.requested << " of " << c.maxCopies;
    }
}

TEST_F(PrintCommands, PrintingKeepsModifiedAndZoomAndPutsEveryCopyOnPaper)
{
    struct Case
    {
        bool modified;
        TCalendarLayout layout;
        int copies;
        const char* size;
        const char* message;
    };
    const char* plain = "Print job completed and sent to printer!";
    const char* patience = "Print job completed and sent to printer!\r\rNote: this design contains complex shapes or "
                           "text.\rPlease be patient while the printer produces its\routput...";
    for (const Case& c :
         {Case{false, loFullCalendar, 1, "612 x 792", plain}, Case{true, LOFullCalendarLS, 3, "792 x 612", patience}}) {
        if (c.message == patience) {
            auto* text = new TQSuperText;
            page->PlaceObject(text, {300, 500, 500, 560});
        }
        const QString pdf = folder.file(QStringLiteral("printed-%1.pdf").arg(c.copies));
        page->SetCalendarLayout(c.layout);
        page->SetScale(0.6f);
        main.SetModified(c.modified);
        messages.clear();
        main.PrintCommands().SetRunPrintDialog([&](TReportPrinter& report) {
            report.SetOutputFileName(pdf);
            report.SetCopies(c.copies);
            return true;
        });
        main.PrintCommands().mnuPrintCalendarClick();
        EXPECT_EQ(messages, QStringList{QLatin1String(c.message)});
        EXPECT_EQ(main.Modified(), c.modified);
        EXPECT_FLOAT_EQ(page->Scale(), 0.6f);
        EXPECT_FALSE(page->Printing());
        const QString info = pdfInfo(pdf);
        EXPECT_TRUE(info.contains(QStringLiteral("Pages:           %1").arg(c.copies))) << info.toStdString();
        EXPECT_TRUE(info.contains(QLatin1String(c.size))) << info.toStdString();
        EXPECT_TRUE(info.contains(page->PageTitle())) << info.toStdString();
        const QString text = PdfText(pdf);
        EXPECT_EQ(text.count(QStringLiteral("Bakery")), c.copies) << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("Carols")), c.copies) << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("December")), c.copies) << text.toStdString();
    }
}

TEST_F(PrintCommands, AJobThatFailsIsReportedAndNotCompleted)
{
    main.PrintCommands().SetRunPrintDialog([&](TReportPrinter& report) {
        report.SetOutputFileName(folder.file(QStringLiteral("no-such-folder/out.pdf")));
        return true;
    });
    main.PrintCommands().mnuPrintCalendarClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to print the calendar"))) << messages[0].toStdString();
}

TEST_F(PrintCommands, ExportsProposeTheMonthAndWriteThePageInsideItsMarginsAtTheScreenZoom)
{
    page->SetLeftMarginInch(0.5f);
    page->SetTopMarginInch(0.5f);
    page->SetRightMarginInch(0.5f);
    page->SetBottomMarginInch(0.5f);
    page->SetScale(1.0f);
    main.SetModified(true);
    const QImage whole = page->RenderToBitmap();
    struct Case
    {
        void (TPrintCommands::*command)();
        const char* proposed;
        const char* format;
    };
    for (const Case& c : {Case{&TPrintCommands::mnuSaveAsBitmapClick, "Dec1997.BMP", "bmp"},
                          Case{&TPrintCommands::mnuSaveAsJPGClick, "Dec1997.JPG", "jpeg"},
                          Case{&TPrintCommands::mnuSaveAsPDFClick, "Dec1997.pdf", "pdf"}}) {
        proposals.clear();
        messages.clear();
        exportTo = folder.file(QLatin1String(c.proposed));
        (main.PrintCommands().*c.command)();
        EXPECT_EQ(proposals, QStringList{QLatin1String(c.proposed)});
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Saved as ") + exportTo)) << messages[0].toStdString();
        EXPECT_TRUE(main.Modified()) << "an export does not stand for a save";
        if (QLatin1String(c.format) == QLatin1String("pdf")) {
            EXPECT_TRUE(PdfText(exportTo).contains(QStringLiteral("Bakery")));
            continue;
        }
        EXPECT_TRUE(messages[0].endsWith(QStringLiteral("current magnification level of 100%")));
        QImageReader reader(exportTo);
        EXPECT_EQ(reader.format(), QByteArray(c.format));
        const QImage image = reader.read();
        // 48 pixels off each side and one more off the width and height.
        EXPECT_EQ(image.size(), whole.size() - QSize(97, 97));
        if (reader.format() == "bmp") {
            EXPECT_EQ(image,
                      whole.copy(48, 48, whole.width() - 97, whole.height() - 97).convertToFormat(image.format()));
        }
    }
}

TEST_F(PrintCommands, AFailedExportSaysWhyAndAnOldFileOfTheNameDoesNotPassForSuccess)
{
    // A folder where the file should go exists, and nothing can be written there; a missing folder
    // cannot take a file either. The system's own reason is what the user needs to hear.
    const QString blocked = folder.file(QStringLiteral("Old.BMP"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    const QString missing = folder.file(QStringLiteral("no-such-folder/"));
    const struct
    {
        void (TPrintCommands::*command)();
        QString target;
        const char* reason;
    } cases[] = {
        {&TPrintCommands::mnuSaveAsBitmapClick, blocked, "refers to a directory"},
        {&TPrintCommands::mnuSaveAsBitmapClick, missing + QStringLiteral("a.BMP"), "No such file or directory"},
        {&TPrintCommands::mnuSaveAsJPGClick, missing + QStringLiteral("a.JPG"), "No such file or directory"},
        {&TPrintCommands::mnuSaveAsPDFClick, missing + QStringLiteral("a.pdf"), "No such file or directory"},
    };
    for (const auto& c : cases) {
        messages.clear();
        exportTo = c.target;
        (main.PrintCommands().*c.command)();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to save ") + exportTo + QStringLiteral("\r\r")))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QLatin1String(c.reason))) << messages[0].toStdString();
        EXPECT_FALSE(messages[0].contains(QStringLiteral("Possible reasons"))) << messages[0].toStdString();
    }
}

TEST_F(PrintCommands, ExportsOfADocumentProposeItsName)
{
    const QString document = folder.file(QStringLiteral("Family.QXF"));
    ASSERT_TRUE(main.Documents().SaveCalendarFile(document));
    main.PrintCommands().mnuSaveAsJPGClick();
    main.PrintCommands().mnuSaveAsPDFClick();
    EXPECT_EQ(proposals, (QStringList{QStringLiteral("Family.JPG"), QStringLiteral("Family.pdf")}));
}
