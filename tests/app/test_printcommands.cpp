#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/exportresolutiondialog.h"
#include "app/printcommands.h"
#include "app/printing.h"
#include "app/printpreviewdialog.h"
#include "document/label/qplabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include "platform/messages.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>
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

bool Inked(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

int InkPixels(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += Inked(image, x, y);
    return ink;
}

// The ink of `a` with no ink of `b` at or next to it.
int UnmatchedInk(const QImage& a, const QImage& b)
{
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = Inked(b, x + dx, y + dy);
            unmatched += Inked(a, x, y) && !near;
        }
    return unmatched;
}

// The rows, then the columns, more than half inked: the page's rules.
QList<int> RuledLines(const QImage& image)
{
    QList<int> lines;
    for (const QImage& turn : {image, image.transformed(QTransform().rotate(90))}) {
        for (int y = 0; y < turn.height(); ++y) {
            int ink = 0;
            for (int x = 0; x < turn.width(); ++x)
                ink += Inked(turn, x, y);
            if (ink > turn.width() / 2)
                lines << y;
        }
        lines << -1;
    }
    return lines;
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
    // The resolution the export dialog is answered with: 0 is the screen's zoom.
    int dotsPerInch = 0;

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
        SetExportResolutionChooser([this](QWidget*, double) { return std::optional<int>(dotsPerInch); });
    }
    void TearDown() override { SetExportResolutionChooser({}); }
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

TEST(PrintChecks, PreviewShadesOnlyTheUnprintableBorder)
{
    QImage white(200, 100, QImage::Format_RGB32);
    white.fill(Qt::white);
    // At 100 dpi the border is 10, 20, 30 and 40 pixels wide.
    const QImage shaded = ShadeUnprintableBorder(white, QMarginsF(0.1, 0.2, 0.3, 0.4), 100);
    const struct
    {
        QPoint at;
        bool shaded;
    } cases[] = {{{9, 50}, true},  {{10, 50}, false}, {{169, 50}, false}, {{170, 50}, true},
                 {{50, 19}, true}, {{50, 20}, false}, {{50, 59}, false},  {{50, 60}, true}};
    for (const auto& c : cases)
        EXPECT_EQ(shaded.pixel(c.at) != qRgb(255, 255, 255), c.shaded) << c.at.x() << "," << c.at.y();
}

TEST_F(PrintCommands, PreviewIsThePrintedPageAndItsPrintButtonPrintsIt)
{
    for (const TCalendarLayout layout : {loFullCalendar, LOFullCalendarLS}) {
        page->SetCalendarLayout(layout);
        const QString pdf = folder.file(QStringLiteral("previewed-%1.pdf").arg(int(layout)));
        // The job goes to a PDF, which has no unprintable border: the preview shows the bare page.
        main.PrintCommands().ReportPrinter().SetOutputFileName(pdf);
        main.PrintCommands().SetRunPrintDialog([](TReportPrinter&) { return true; });
        QImage shown;
        WhenModalShown<TPrintPreviewDialog>([&](TPrintPreviewDialog* dialog) {
            shown = dialog->ShownPage();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Print")), Qt::LeftButton);
        });
        messages.clear();
        main.PrintCommands().mnuPrintPreviewClick();
        EXPECT_EQ(messages, QStringList{QStringLiteral("Print job completed and sent to printer!")});
        const QImage printed = PdfPageImage(pdf, 96).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(printed.isNull());
        ASSERT_EQ(shown.size(), printed.size());
        // The rules of the grid lie on the same pixels; a glyph's baseline may round to the next pixel
        // row in one rasterizer and not the other, so ink is matched within one pixel.
        EXPECT_EQ(RuledLines(shown), RuledLines(printed));
        const int ink = InkPixels(printed);
        EXPECT_GT(ink, 5000);
        EXPECT_LE(UnmatchedInk(printed, shown) + UnmatchedInk(shown, printed), ink / 1000);
    }
    // Close prints nothing.
    messages.clear();
    WhenModalShown<TPrintPreviewDialog>([](TPrintPreviewDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Close")), Qt::LeftButton);
    });
    main.PrintCommands().mnuPrintPreviewClick();
    EXPECT_TRUE(messages.isEmpty());
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

TEST_F(PrintCommands, ImagesAtAResolutionAreTheCommandLinesPixelsAtItsZoom)
{
    const QString document = folder.file(QStringLiteral("Family.QXF"));
    page->SetScale(0.6f);
    ASSERT_TRUE(main.Documents().SaveCalendarFile(document));
    const struct
    {
        int dotsPerInch;
        const char* zoomPercent;
        const char* note;
    } cases[] = {{150, "156.25", "saved at 150 dpi"},
                 {96, "100", "saved at 96 dpi"},
                 {300, "312.5", "saved at 300 dpi"},
                 {0, "60", "current magnification level of 60%"}};
    for (const auto& c : cases) {
        dotsPerInch = c.dotsPerInch;
        messages.clear();
        exportTo = folder.file(QStringLiteral("window-%1.PNG").arg(c.dotsPerInch));
        main.PrintCommands().mnuSaveAsPNGClick();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].endsWith(QLatin1String(c.note))) << messages[0].toStdString();
        EXPECT_EQ(page->Scale(), 0.6f) << "the window keeps its zoom";
        const QString cli = folder.file(QStringLiteral("cli-%1.png").arg(c.dotsPerInch));
        QProcess run;
        run.start(QStringLiteral(ALMARIN_BINARY),
                  {QStringLiteral("--export"), cli, document, QStringLiteral("--zoom"), QLatin1String(c.zoomPercent)});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        const QImage written(exportTo);
        ASSERT_FALSE(written.isNull());
        EXPECT_EQ(QImageReader(exportTo).format(), QByteArray("png"));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), QImage(cli).convertToFormat(QImage::Format_RGB32))
            << c.dotsPerInch;
    }
    // Cancelling the resolution writes nothing.
    messages.clear();
    SetExportResolutionChooser([](QWidget*, double) { return std::optional<int>(); });
    exportTo = folder.file(QStringLiteral("cancelled.PNG"));
    main.PrintCommands().mnuSaveAsPNGClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QFile::exists(exportTo));
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
