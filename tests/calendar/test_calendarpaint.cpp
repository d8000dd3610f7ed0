#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"
#include "pdftext.h"
#include "platform/deviceprofile.h"
#include "render/calendarpagerender.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TestObject : public TQGraphicControl
{
public:
    using TQGraphicControl::TQGraphicControl;

protected:
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile&) override
    {
        canvas.fillRect(target, Qt::red);
    }
};

int darkPixels(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int dark = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        dark += int(std::count_if(line, line + grey.width(), [](uchar v) { return v < 128; }));
    }
    return dark;
}

void englishNames(TCalendarPanel32& page)
{
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 12; ++i)
        page.SetMonthName(i + 1, QLatin1String(months[i]));
    for (int i = 0; i < 7; ++i)
        page.SetDayName(i + 1, QLatin1String(days[i]));
}

} // namespace

TEST(CalendarPaint, CellTableAfterRenderingJanuary1997)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(1997);
    page.RenderToBitmap();
    EXPECT_EQ(page.DayOfCell(3), 0);
    EXPECT_EQ(page.DayOfCell(4), 1);
    EXPECT_EQ(page.DayOfCell(34), 31);
    EXPECT_EQ(page.DayOfCell(35), 0);
    EXPECT_EQ(page.CellOfDay(0), 1);
    EXPECT_EQ(page.CellOfDay(32), -1);
    page.SetStartOfWeek(2);
    page.RenderToBitmap();
    EXPECT_EQ(page.CellOfDay(1), 3);
    EXPECT_FALSE(page.TitleRect().isEmpty());
    EXPECT_FALSE(page.DayNamesRect().isEmpty());
    EXPECT_FALSE(page.Cell(10).rFree.isEmpty());
    page.SetNumberPosition(cnpCenter);
    page.RenderToBitmap();
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_TRUE(page.Cell(i).rFree.isEmpty()) << i;
}

TEST(CalendarPaint, PlannerAfterAMonthLeavesNoHiddenCells)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    englishNames(page);
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(1997);
    page.SetMainCalDay(5);
    page.RenderToBitmap();
    const QPoint labelColumn = page.Cell(15).rTotal.toQRect().center(); // in the planner's label column
    page.SetCalendarLayout(loWeek);
    page.RenderToBitmap();
    EXPECT_EQ(page.PageTitle(), QStringLiteral("January 5-11, 1997"));
    EXPECT_EQ(page.DayOfCell(7), 11);
    int leftOver = 0;
    for (int i = 9; i <= kCellCount; ++i)
        leftOver += page.Cell(i) == TCellInfo() ? 0 : 1;
    EXPECT_EQ(leftOver, 0);
    EXPECT_TRUE(page.DayNamesRect().isEmpty());
    EXPECT_EQ(page.CellAt(labelColumn), 0);
    EXPECT_EQ(page.CellOfDay(20), -1); // a fill finds no cell for a day the week does not show
}

// A page of small months has no title band or cells to click, whatever the page showed before.
TEST(CalendarPaint, SmallMonthsAfterAMonthLeaveNothingToClick)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.RenderToBitmap();
    const QPoint title = page.TitleRect().toQRect().center();
    const QPoint cell = page.Cell(10).rTotal.toQRect().center();
    page.SetCalendarLayout(loMC12Month);
    page.RenderToBitmap();
    QSignalSpy header(&page, &TCalendarPanel32::OnClickedHeader);
    QTest::mouseClick(&page, Qt::LeftButton, {}, title);
    EXPECT_EQ(header.count(), 0);
    EXPECT_EQ(page.CellAt(cell), 0);
    EXPECT_EQ(page.DayOfCell(10), 0);
}

// Sizes are whole points at the zoom first, then pixels: 16 points at 30% are 5 points, 7 pixels,
// and the day-name band is round(7 × 1.5) = 10 pixels high.
TEST(CalendarPaint, FontsAtAZoomAreWholePointsFirst)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    for (const auto& [zoom, band] : {std::pair{1.0f, 32}, {0.6f, 20}, {0.4f, 12}, {0.3f, 10}}) {
        page.SetScale(zoom);
        page.RenderToBitmap();
        EXPECT_EQ(page.DayNamesRect().height(), band) << zoom;
    }
}

TEST(CalendarPaint, ClicksOpenCellsUnlessAnObjectCoversThem)
{
    QWidget owner;
    auto* page = new TCalendarPanel32(&owner);
    page->ResetToDefaults();
    page->SetCalendarLayout(loFullCalendar);
    owner.resize(page->size());
    owner.show();
    page->RenderToBitmap();
    std::vector<int> opened;
    page->ClickedInCellEvent = [&](TRect, TRect, int cell, int) { opened.push_back(cell); };
    const QPoint inCell10 = page->Cell(10).rTotal.toQRect().center();
    const QPoint inCell20 = page->Cell(20).rTotal.toQRect().center();
    QTest::mouseClick(page, Qt::LeftButton, {}, inCell10);
    ASSERT_EQ(opened, std::vector<int>{10});

    auto* object = new TestObject(page);
    object->SetUnselectable(true); // its presses pass through to the page
    object->SetScreenRect(QRect(inCell20 - QPoint(10, 10), QSize(20, 20)));
    page->HookObject(object);
    QTest::mouseClick(page, Qt::LeftButton, {}, inCell20);
    EXPECT_EQ(opened, std::vector<int>{10});

    // Neighbours: none before cell 1; only cells with room for text.
    opened.clear();
    page->OpenPreviousCell(1);
    page->OpenNextCell(kCellCount);
    EXPECT_TRUE(opened.empty());
    page->OpenNextCell(10);
    EXPECT_EQ(opened, std::vector<int>{11});
}

TEST(CalendarPaint, TitleAndDayNameClicksRaiseTheirEvents)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loMC12Month);
    page.show();
    page.RenderToBitmap();
    int clicks = 0;
    QObject::connect(&page, &TCalendarPanel32::OnClick, [&] { ++clicks; });
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(400, 400));
    EXPECT_EQ(clicks, 1); // a multi-month page has no cells to open
}

TEST(CalendarPaint, EveryLayoutRendersOnBothPapersAndZooms)
{
    ScratchProgramFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("Borders")));
    QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/Borders/Holly.wpo"),
                folder.file(QStringLiteral("Borders/Holly.wpo")));
    QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/Borders/Holly.wls"),
                folder.file(QStringLiteral("Borders/Holly.wls")));
    const QString out = TestOutputDir(QStringLiteral("calendar/layouts"));
    TCalendarPanel32 page;
    page.ResetToDefaults();
    englishNames(page);
    page.SetMainCalMonth(12);
    page.SetMainCalYear(1997);
    page.SetMainCalDay(29);
    page.SetWMFBorderFile(QStringLiteral("Holly"));
    ASSERT_EQ(page.WMFBorderFile(), QStringLiteral("Holly"));
    for (bool a4 : {false, true}) {
        page.SetA4Paper(a4);
        for (float zoom : {1.0f, 0.5f}) {
            page.SetScale(zoom);
            for (int layout = 0; layout < kLayoutCount; ++layout) {
                page.SetCalendarLayout(static_cast<TCalendarLayout>(layout));
                const QImage image = page.RenderToBitmap();
                EXPECT_EQ(image.size(), page.size());
                EXPECT_GT(darkPixels(image), 500) << layout;
                image.save(QStringLiteral("%1/layout%2_%3_%4.png")
                               .arg(out)
                               .arg(layout, 2, 10, QLatin1Char('0'))
                               .arg(a4 ? QStringLiteral("A4") : QStringLiteral("Letter"))
                               .arg(int(zoom * 100)));
            }
        }
    }
    page.SetCalendarLayout(loWeek);
    page.SetScale(1.0f);
    page.RenderToBitmap();
    EXPECT_EQ(page.DayOfCell(1), 29);
    EXPECT_EQ(page.DayOfCell(8), 0); // the notes row
}

TEST(CalendarPaint, BorderFilesMissingBrokenAndRefused)
{
    ScratchProgramFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("borders")));
    QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/Borders/Stars.wls"),
                folder.file(QStringLiteral("borders/STARS.WLS")));
    {
        QFile broken(folder.file(QStringLiteral("borders/Broken.wls")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
    }
    TCalendarPanel32 page;
    page.ResetToDefaults(); // landscape layout
    const TRect plain = page.CalendarRect();
    page.SetWMFBorderFile(QStringLiteral("Stars"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("Stars"));
    EXPECT_EQ(page.CalendarRect().left, plain.left + 45); // px(0.97) − px(0.5)
    EXPECT_EQ(page.BorderRect(), (TRect{48, 48, 1008, 768}));
    page.SetWMFBorderFile(QStringLiteral("Missing"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("Stars"));
    page.SetWMFBorderFile(QStringLiteral("../borders/Stars"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("Stars"));
    page.SetWMFBorderFile(QStringLiteral("Broken"));
    EXPECT_TRUE(page.WMFBorderFile().isEmpty());
    EXPECT_EQ(page.CalendarRect(), plain);
}

TEST(CalendarPaint, PrintedPageCarriesTitleDayNamesAndNumbers)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    englishNames(page);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(1997);
    const QString pdf = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/printed_page.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    report.SetOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { page.PrintPage(r, 0, 0); }));
    const QString words = PdfText(pdf, true);
    EXPECT_TRUE(words.contains(QStringLiteral("January 1997")));
    EXPECT_TRUE(words.contains(QStringLiteral("Wed")));
    EXPECT_TRUE(words.contains(QStringLiteral("31")));
    EXPECT_TRUE(words.contains(QStringLiteral("December 1996"))); // the mini in the title

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(20000));
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts"))
                                             .match(QString::fromUtf8(info.readAllStandardOutput()));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()); // landscape
}

namespace {

// The box of the dark pixels inside r; empty when there are none.
QRect inkBox(const QImage& image, const TRect& r)
{
    QRect box;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// March 2026, Monday first, fills all six rows: weeks 9 to 14 stand in the column left of the grid,
// each centred on its row, on screen, in the exported image and on paper alike.
TEST(CalendarPaint, WeekNumbersStandBesideTheirRowsOnScreenInImagesAndOnPaper)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(3);
    page.SetMainCalYear(2026);
    page.SetStartOfWeek(2);
    page.SetShowWeekNumbers(true);
    const MonthGeometry g = page.Model().MainGeometry(DeviceProfile::Screen(1.0), [](TRect r) { return r; });
    ASSERT_GT(g.GridLeft - g.Frame.left, 10);
    EXPECT_EQ(g.Cells[1].rTotal.left, g.GridLeft + 1 + 4);
    const auto rowTop = [&](int k) { return g.RowsTop + k * g.RowHeight; };
    const auto rowBottom = [&](int k) { return k == 5 ? g.Frame.bottom : rowTop(k + 1); };

    page.show();
    const QImage screen = page.grab().toImage();
    const QImage exported = RenderCalendarPage(page.Model(), 1.0);
    for (const QImage& image : {screen, exported}) {
        ASSERT_EQ(image.size(), QSize(page.PageWidth(), page.PageHeight()));
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(k);
            const QRect ink = inkBox(image, {g.Frame.left + 1, rowTop(k) + 1, g.GridLeft, rowBottom(k)});
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_NEAR(ink.center().x(), (g.Frame.left + g.GridLeft) / 2.0, 2);
            EXPECT_NEAR(ink.center().y(), (rowTop(k) + rowBottom(k)) / 2.0, 2);
            // The grid's first line closes the column.
            EXPECT_LT(qGray(image.pixel(g.GridLeft, (rowTop(k) + rowBottom(k)) / 2)), 128);
        }
    }

    const QString pdf = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/week_numbers.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { page.PrintPage(r, 0, 0); }));
    const QList<PdfWord> words = PdfWords(pdf);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        const QString week = QString::number(9 + k);
        bool found = false;
        for (const PdfWord& word : words) {
            const QPointF centre = word.box.center() * (96.0 / 72.0);
            if (word.text != week || centre.x() > g.GridLeft)
                continue;
            found = true;
            EXPECT_NEAR(centre.x(), (g.Frame.left + g.GridLeft) / 2.0, 2);
            EXPECT_NEAR(centre.y(), (rowTop(k) + rowBottom(k)) / 2.0, 4);
        }
        EXPECT_TRUE(found);
    }
}

// With the layouts' own small-month fonts, the pages of 6, 12 and 24 small months have room for week
// numbers; the smaller months (48, 60, beside or in the title of a main month) leave them out.
TEST(CalendarPaint, WeekNumbersOnEveryMainMonthAndOnTheLargerSmallMonths)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetShowWeekNumbers(true);
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        page.SetCalendarLayout(TCalendarLayout(layout));
        page.Relayout(true);
        const CalendarGeometry& geometry = page.Geometry();
        const DeviceProfile screen = DeviceProfile::Screen(1.0);
        if (geometry.ShowMainCalendar) {
            const MonthGeometry g = page.Model().MainGeometry(screen, [](TRect r) { return r; });
            EXPECT_GT(g.GridLeft, g.Frame.left);
        }
        for (int i = 1; i <= geometry.MiniCount; ++i) {
            const TMiniSlot& slot = geometry.MiniSlots[i];
            EXPECT_EQ(page.Model().MiniParams(screen, slot, slot.rect).ShowWeekNumbers, layout >= 8 && layout <= 13);
        }
    }
    // The largest cell font a document may hold still leaves the grid three quarters of the width.
    page.SetCalendarLayout(loFullCalendar);
    page.SetCellFont({QStringLiteral("Times New Roman"), 2000, 0, clBlack});
    const MonthGeometry g = page.Model().MainGeometry(DeviceProfile::Screen(1.0), [](TRect r) { return r; });
    EXPECT_EQ(g.GridLeft - g.Frame.left, g.Frame.width() / 4);
    EXPECT_GT(g.ColumnWidth, 0);
}
