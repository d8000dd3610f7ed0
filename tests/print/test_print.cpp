// Printing through a real print server: test_print.sh starts one with a default queue that writes each
// job to ALMARIN_PRINT_OUTPUT, and runs the NoPrinter tests with no server at all.
#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/printcommands.h"
#include "app/printing.h"
#include "app/printpreviewdialog.h"
#include "editor/calendarpanel32.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include "platform/inifile.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kDocument = QStringLiteral(ALMARIN_SOURCE_DIR "/scripts/pages/l00-text.qxf");

QString printOutput()
{
    return qEnvironmentVariable("ALMARIN_PRINT_OUTPUT");
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr, QString* errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Waits until the server has no job left; the output then holds the last one.
bool jobsDone()
{
    return QTest::qWaitFor([] { return run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty(); },
                           60000);
}

int pages(const QString& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString pageSize(const QString& pdf)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+)"))
                                          .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.captured(1);
}

struct Window : ::testing::Test
{
    ScratchProgramFolder folder;
    TCalendarMain main;
    QStringList messages;
    QStringList questions;
    bool answer = true;

    void SetUp() override
    {
        QFile::remove(printOutput());
        SetMessageResponder([this](MessageKind kind, const QString& text, const QString&) {
            (kind == MessageKind::Question ? questions : messages) << text;
            return answer;
        });
        main.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading() && main.PrintCommands().PrinterChecked(); }, 10000));
    }
    void TearDown() override { SetMessageResponder({}); }
    void openDocument()
    {
        main.Documents().OpenCalendarFile(kDocument);
        ASSERT_FALSE(main.CalendarPanel()->isHidden());
        messages.clear();
    }
};

using ThroughCups = Window;
using NoPrinter = Window;
using NoDefaultPrinter = Window;

} // namespace

TEST_F(ThroughCups, ALandscapePageArrivesOnceForEachCopyTheQueueCannotMake)
{
    ASSERT_FALSE(printOutput().isEmpty()) << "run through test_print.sh";
    openDocument();
    TCalendarPanel32* page = main.CalendarPanel();
    EXPECT_TRUE(main.Action(QStringLiteral("mnuPrint"))->isEnabled());
    page->SetCalendarLayout(LOFullCalendarLS);
    page->SetLeftMarginInch(0.5f);
    page->SetTopMarginInch(0.5f);
    page->SetRightMarginInch(0.5f);
    page->SetBottomMarginInch(0.5f);
    int maxCopies = 0;
    main.PrintCommands().SetRunPrintDialog([&](TReportPrinter& report) {
        report.SetCopies(3);
        maxCopies = report.MaxCopies();
        return true;
    });
    main.PrintCommands().mnuPrintCalendarClick();
    EXPECT_EQ(maxCopies, 1);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Print job completed and sent to printer!")});
    ASSERT_TRUE(jobsDone());
    EXPECT_EQ(pages(printOutput()), 3);
    // The queue turns a landscape page onto its portrait paper: the title runs up the sheet.
    EXPECT_EQ(pageSize(printOutput()), QStringLiteral("612 x 792"));
    const QString month = page->GetMonthName(page->MainCalMonth());
    int titles = 0;
    for (const PdfWord& word : PdfWords(printOutput())) {
        if (word.text == month) {
            ++titles;
            EXPECT_GT(word.box.height(), word.box.width());
        }
    }
    EXPECT_EQ(titles, 3);
}

TEST_F(ThroughCups, PreviewShowsTheQueuesPaperWithItsUnprintableBorderShaded)
{
    ASSERT_FALSE(printOutput().isEmpty()) << "run through test_print.sh";
    openDocument();
    EXPECT_TRUE(main.Action(QStringLiteral("mnuPrintPreview"))->isEnabled());
    TCalendarPanel32* page = main.CalendarPanel();
    page->SetA4Paper(false);
    for (const auto setMargin : {&TCalendarPanel32::SetLeftMarginInch, &TCalendarPanel32::SetTopMarginInch,
                                 &TCalendarPanel32::SetRightMarginInch, &TCalendarPanel32::SetBottomMarginInch})
        (page->*setMargin)(1.0f);
    // The queue's letter sheet keeps a quarter inch at its sides and half an inch at its top and bottom;
    // a landscape page lies turned on it. At 96 dpi:
    const struct
    {
        TCalendarLayout layout;
        QSize sheet;
        int left;
        int top;
    } cases[] = {{loFullCalendar, {816, 1056}, 24, 48}, {LOFullCalendarLS, {1056, 816}, 48, 24}};
    for (const auto& c : cases) {
        page->SetCalendarLayout(c.layout);
        QImage shown;
        WhenModalShown<TPrintPreviewDialog>([&](TPrintPreviewDialog* dialog) {
            shown = dialog->ShownPage();
            dialog->reject();
        });
        main.PrintCommands().mnuPrintPreviewClick();
        ASSERT_EQ(shown.size(), c.sheet);
        const QPoint middle = shown.rect().center();
        for (const QPoint border : {QPoint(c.left - 1, middle.y()), QPoint(c.sheet.width() - c.left, middle.y()),
                                    QPoint(middle.x(), c.top - 1), QPoint(middle.x(), c.sheet.height() - c.top)})
            EXPECT_NE(shown.pixel(border), qRgb(255, 255, 255)) << border.x() << "," << border.y();
        for (const QPoint inside : {QPoint(c.left, c.top), QPoint(c.sheet.width() - c.left - 1, middle.y())})
            EXPECT_EQ(shown.pixel(inside), qRgb(255, 255, 255)) << inside.x() << "," << inside.y();
    }
}

TEST_F(ThroughCups, MarginsOutsideThePrintableAreaAreAskedAboutAndNoStopsThePrint)
{
    openDocument();
    TCalendarPanel32* page = main.CalendarPanel();
    page->SetCalendarLayout(loFullCalendar);
    page->SetLeftMarginInch(0.25f);
    page->SetTopMarginInch(0.25f);
    page->SetRightMarginInch(0.3f);
    page->SetBottomMarginInch(0.5f);
    main.PrintCommands().SetRunPrintDialog([](TReportPrinter&) { return true; });
    answer = false;
    main.PrintCommands().mnuPrintCalendarClick();
    // The queue cannot print the outer quarter inch at the sides and half an inch at the top and bottom.
    EXPECT_EQ(questions, QStringList{QStringLiteral("Margin Warning:\r\rTop Margin is possibly outside of Printer "
                                                    "printable area\r\rPrint anyways?")});
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_TRUE(jobsDone());
    EXPECT_FALSE(QFile::exists(printOutput()));

    answer = true;
    main.PrintCommands().mnuPrintCalendarClick();
    ASSERT_TRUE(jobsDone());
    EXPECT_EQ(pages(printOutput()), 1);
    EXPECT_EQ(pageSize(printOutput()), QStringLiteral("612 x 792"));

    // Turned onto the sheet, a landscape page has the half inch at its left and right.
    page->SetCalendarLayout(LOFullCalendarLS);
    page->SetTopMarginInch(0.3f);
    questions.clear();
    answer = false;
    main.PrintCommands().mnuPrintCalendarClick();
    EXPECT_EQ(questions, QStringList{QStringLiteral("Margin Warning:\r\rLeft Margin is possibly outside of Printer "
                                                    "printable area\rRight Margin is possibly outside of Printer "
                                                    "printable area\r\rPrint anyways?")});
}

TEST_F(ThroughCups, AJobTheQueueRefusesIsReportedAsNotPrinted)
{
    openDocument();
    main.PrintCommands().SetRunPrintDialog([](TReportPrinter&) { return true; });
    ASSERT_TRUE(run(QStringLiteral("cupsreject"), {QStringLiteral("AlmarinPdf")}).isEmpty());
    const auto reopen = qScopeGuard([] { run(QStringLiteral("cupsaccept"), {QStringLiteral("AlmarinPdf")}); });
    main.PrintCommands().mnuPrintCalendarClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to print the calendar\r\r")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("not accepting jobs"))) << messages[0].toStdString();

    int status = -1;
    QString errors;
    run(QStringLiteral(ALMARIN_BINARY),
        {QStringLiteral("--print"), kDocument, QStringLiteral("--printer"), QStringLiteral("AlmarinPdf")}, &status,
        &errors);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("not accepting jobs"))) << errors.toStdString();
}

TEST(ThroughCupsCommandLine, PrintsOnTheNamedQueueAndRefusesAnUnknownOne)
{
    QFile::remove(printOutput());
    int status = -1;
    QString errors;
    run(QStringLiteral(ALMARIN_BINARY),
        {QStringLiteral("--print"), kDocument, QStringLiteral("--printer"), QStringLiteral("AlmarinPdf"),
         QStringLiteral("--copies"), QStringLiteral("2")},
        &status, &errors);
    EXPECT_EQ(status, 0) << errors.toStdString();
    ASSERT_TRUE(jobsDone());
    EXPECT_EQ(pages(printOutput()), 2);
    EXPECT_EQ(PdfText(printOutput()).count(QStringLiteral("Day 29 text")), 2);

    // Another month prints as the export would show it: its own days, empty.
    QFile::remove(printOutput());
    run(QStringLiteral(ALMARIN_BINARY),
        {QStringLiteral("--print"), kDocument, QStringLiteral("--printer"), QStringLiteral("AlmarinPdf"),
         QStringLiteral("--month"), QStringLiteral("2027-02")},
        &status, &errors);
    EXPECT_EQ(status, 0) << errors.toStdString();
    ASSERT_TRUE(jobsDone());
    const QString february = PdfText(printOutput());
    EXPECT_TRUE(february.contains(QStringLiteral("February 2027"))) << february.toStdString();
    EXPECT_FALSE(february.contains(QStringLiteral("Day 29 text")));

    run(QStringLiteral(ALMARIN_BINARY),
        {QStringLiteral("--print"), kDocument, QStringLiteral("--printer"), QStringLiteral("Nowhere")}, &status,
        &errors);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("no printer named \"Nowhere\""))) << errors.toStdString();
}

TEST(ThroughCupsCommandLine, ARunOfMonthsIsOneJobItsCopiesInWholeSets)
{
    QFile::remove(printOutput());
    int status = -1;
    QString errors;
    run(QStringLiteral(ALMARIN_BINARY),
        {QStringLiteral("--print"), kDocument, QStringLiteral("--months"), QStringLiteral("2027-01..2027-03"),
         QStringLiteral("--copies"), QStringLiteral("2")},
        &status, &errors);
    EXPECT_EQ(status, 0) << errors.toStdString();
    ASSERT_TRUE(jobsDone());
    // The queue makes one copy per job: the program sends each set whole, one after the other.
    const QStringList sheets = PdfText(printOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(sheets.size(), 6);
    const char* expected[] = {"January", "February", "March", "January", "February", "March"};
    for (int page = 0; page < 6; ++page)
        EXPECT_TRUE(sheets[page].contains(QLatin1String(expected[page]) + QStringLiteral(" 2027"))) << page;
}

TEST_F(NoPrinter, TheNoticeAppearsOnceAndPrintingStaysDisabledSayingWhy)
{
    const QString notice =
        QStringLiteral("There are no installed printers.\r\nUnable to perform printer related operations");
    EXPECT_EQ(messages, QStringList{notice});
    openDocument();
    EXPECT_FALSE(main.PrintCommands().PrintersPresent());
    EXPECT_FALSE(main.Control(QStringLiteral("Printbutton"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("mnuSaveAsPDF"))->isEnabled());
    const QString why = QStringLiteral("Printing is unavailable: there are no installed printers");
    for (const char* name : {"mnuPrint", "mnuPrintPreview"}) {
        EXPECT_FALSE(main.Action(QLatin1String(name))->isEnabled()) << name;
        EXPECT_EQ(main.Action(QLatin1String(name))->toolTip(), why) << name;
    }
    EXPECT_EQ(main.Control(QStringLiteral("Printbutton"))->toolTip(), why);

    // The next start in the same situation says nothing; one after the situation changed tells again.
    TCalendarMain again;
    again.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again.Loading() && again.PrintCommands().PrinterChecked(); }, 10000));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(again.Action(QStringLiteral("mnuPrint"))->isEnabled());
    ASSERT_TRUE(TIniFile(SettingsFileName())
                    .WriteString(QStringLiteral("Printers"), QStringLiteral("Situation"), QStringLiteral("Ready")));
    EXPECT_EQ(CheckPrintersPresent(), TPrinterSituation::NoPrinters);
    EXPECT_EQ(messages, QStringList{notice});

    int status = -1;
    QString errors;
    run(QStringLiteral(ALMARIN_BINARY), {QStringLiteral("--print"), kDocument}, &status, &errors);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("there are no installed printers"))) << errors.toStdString();
}

TEST_F(NoDefaultPrinter, TheNoticeAppearsAndPrintingStaysDisabled)
{
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "There is no default printer selected.\r\nUnable to perform printer related operations")});
    openDocument();
    EXPECT_FALSE(main.Action(QStringLiteral("mnuPrint"))->isEnabled());

    int status = -1;
    QString errors;
    run(QStringLiteral(ALMARIN_BINARY), {QStringLiteral("--print"), kDocument}, &status, &errors);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("no default printer"))) << errors.toStdString();
}

TEST_F(NoDefaultPrinter, APrinterChosenInPrintSetupServesPrintingAtOnce)
{
    openDocument();
    ASSERT_FALSE(main.Action(QStringLiteral("mnuPrint"))->isEnabled());
    QString title;
    QString confirm;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("PrinterBox"));
        if (!buttons || !printers || !buttons->button(QDialogButtonBox::Ok)) {
            dialog->reject();
            return;
        }
        confirm = buttons->button(QDialogButtonBox::Ok)->text();
        printers->setCurrentIndex(printers->findText(QStringLiteral("AlmarinPdf")));
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    main.PrintCommands().mnuPrintSetupClick();
    EXPECT_EQ(title, QStringLiteral("Print Setup"));
    EXPECT_EQ(confirm, QStringLiteral("OK"));
    EXPECT_TRUE(main.Action(QStringLiteral("mnuPrint"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("mnuPrintPreview"))->isEnabled());
    EXPECT_TRUE(main.Control(QStringLiteral("Printbutton"))->isEnabled());

    main.PrintCommands().SetRunPrintDialog([](TReportPrinter&) { return true; });
    main.PrintCommands().mnuPrintCalendarClick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Print job completed and sent to printer!")});
    ASSERT_TRUE(jobsDone());
    EXPECT_EQ(pages(printOutput()), 1);
}
