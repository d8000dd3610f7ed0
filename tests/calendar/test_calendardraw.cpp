#include "calendardraw/calendardraw.h"
#include "calendardraw/monthgrid.h"
#include "platform/datearithmetic.h"
#include "platform/deviceprofile.h"
#include "platform/rounding.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {

const char* const kMonthNames[13] = {"",     "January", "February",  "March",   "April",    "May",     "June",
                                     "July", "August",  "September", "October", "November", "December"};
const char* const kDayNames[8] = {"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

FontDescription timesBold(int pixels)
{
    FontDescription f;
    f.name = QStringLiteral("Times New Roman");
    f.size = pixels;
    f.style = fsBold;
    return f;
}

// The page's main month at a zoom: 26, 16 and 16 point Times New Roman bold, English names.
CalendarDrawParams monthParams(int month, int year, const TRect& rect, double zoom = 1.0)
{
    CalendarDrawParams p;
    p.Month = month;
    p.Year = year;
    p.Rect = rect;
    p.TitleFont = timesBold(FontPixelSize(26, zoom));
    p.HeadersFont = timesBold(FontPixelSize(16, zoom));
    p.CellFont = timesBold(FontPixelSize(16, zoom));
    p.HeadersStyle = dsWhole;
    for (int m = 1; m <= 12; ++m)
        p.MonthNames[m] = QString::fromLatin1(kMonthNames[m]);
    for (int d = 1; d <= 7; ++d)
        p.DayNames[d] = QString::fromLatin1(kDayNames[d]);
    return p;
}

int textHeight(const FontDescription& f)
{
    const QFontMetrics m(f.toQFontPixels(f.size));
    return m.ascent() + m.descent();
}

QImage whiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

void save(const QImage& image, const char* name)
{
    image.save(TestOutputDir(QStringLiteral("calendar")) + QLatin1Char('/') + QLatin1String(name) +
               QLatin1String(".png"));
}

const DeviceProfile kScreen = DeviceProfile::Screen(1.0);

QImage drawMonth(const CalendarDrawParams& p, const QString& title = QString())
{
    QImage image = whiteImage(p.Rect.right + 10, p.Rect.bottom + 10);
    QPainter painter(&image);
    DrawMonth(painter, p, title, kScreen);
    return image;
}

MonthGeometry screenMonth(const CalendarDrawParams& p)
{
    return ComputeMonthGeometry(p, kScreen);
}

// Paper as the page prints on it: the report's resolution and metrics, its lines in the page's pen.
DeviceProfile paperOf(TReportPrinter& r)
{
    const DeviceProfile paper = r.PaperProfile();
    r.Canvas().setPen(paper.LinePen());
    return paper;
}

class EnglishLocale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// Rect (10, 10, 717, 710): r = (10, 10, 716, 709), title band 119 high, columns 100 wide,
// day names 32 high (21 px font × 1.5, halves to even), rows (709 − 163) div 6 = 91 high.
const TRect kMonthRect{10, 10, 717, 710};

} // namespace

TEST(MonthDrawing, CellTableWithNumbersUpperRight)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    p.NumberPosition = cnpUpperRight;
    save(drawMonth(p), "month-jan1997-upperright");

    const MonthGeometry g = screenMonth(p);
    EXPECT_EQ(g.TitleRect, (TRect{10, 11, 716, 130}));
    EXPECT_EQ(g.DayNamesRect, (TRect{10, 131, 716, 163}));
    const int nine = textHeight(p.CellFont);
    EXPECT_EQ(g.Cells[1].rTotal, (TRect{15, 164, 104, 253}));
    EXPECT_EQ(g.Cells[1].iDay, 0);
    EXPECT_EQ(g.Cells[1].rFree, (TRect{15, 164 + nine, 104, 253}));
    EXPECT_EQ(g.Cells[4].rTotal, (TRect{315, 164, 404, 253}));
    EXPECT_EQ(g.Cells[4].iDay, 1);
    EXPECT_EQ(g.Cells[4].rFree, (TRect{315, 164 + nine, 404, 253}));
    EXPECT_EQ(g.Cells[34].rTotal, (TRect{515, 528, 604, 617}));
    EXPECT_EQ(g.Cells[34].iDay, 31);
    EXPECT_EQ(g.Cells[42].rTotal, (TRect{615, 619, 704, 708}));
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_EQ(g.Cells[i].iDay, DayOfGridCell(i, 1, 1997, 1)) << i;
}

TEST(MonthDrawing, CellTableWithNumbersCentredLeavesNoTextRoom)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    p.NumberPosition = cnpCenter;
    save(drawMonth(p), "month-jan1997-centre");
    const MonthGeometry g = screenMonth(p);

    EXPECT_EQ(g.Cells[1].rTotal, (TRect{11, 164, 109, 253}));
    EXPECT_EQ(g.Cells[4].rTotal, (TRect{311, 164, 409, 253}));
    EXPECT_EQ(g.Cells[4].iDay, 1);
    EXPECT_EQ(g.Cells[34].rTotal, (TRect{511, 528, 609, 617}));
    for (int i = 1; i <= kCellCount; ++i)
        EXPECT_EQ(g.Cells[i].rFree, TRect()) << i;
}

TEST(MonthDrawing, MinimumTitleHeightMovesDayNamesButNotTitleRect)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    p.MinTitleHeight = 144;
    const MonthGeometry g = screenMonth(p);
    EXPECT_EQ(g.TitleRect, (TRect{10, 11, 716, 130}));
    EXPECT_EQ(g.DayNamesRect, (TRect{10, 156, 716, 188}));
    EXPECT_EQ(g.Cells[1].rTotal.top, 189);
}

TEST(MonthDrawing, TitleTexts)
{
    CalendarDrawParams p = monthParams(12, 1997, kMonthRect);
    EXPECT_EQ(MonthTitleText(p, QString()), QStringLiteral("December 1997"));
    p.TitleShowYear = false;
    EXPECT_EQ(MonthTitleText(p, QString()), QStringLiteral("December"));
    EXPECT_EQ(MonthTitleText(p, QStringLiteral("Our year")), QStringLiteral("Our year"));
    EXPECT_EQ(CutDayName(QStringLiteral("Wednesday"), dsFirstChar), QStringLiteral("W"));
    EXPECT_EQ(CutDayName(QStringLiteral("Wednesday"), dsThreeChars), QStringLiteral("Wed"));
    EXPECT_EQ(CutDayName(QStringLiteral("Wednesday"), dsWhole), QStringLiteral("Wednesday"));
}

// Rows of the days area whose pixels are all dark from r.left to r.right.
std::set<int> fullRows(const QImage& image, const TRect& r, int fromY)
{
    std::set<int> rows;
    for (int y = fromY; y <= r.bottom; ++y) {
        bool full = true;
        for (int x = r.left; x <= r.right && full; ++x)
            full = dark(image, x, y);
        if (full)
            rows.insert(y);
    }
    return rows;
}

// Columns whose pixels are all dark from fromY to r.bottom.
std::set<int> fullColumns(const QImage& image, const TRect& r, int fromY)
{
    std::set<int> columns;
    for (int x = r.left; x <= r.right; ++x) {
        bool full = true;
        for (int y = fromY; y <= r.bottom && full; ++y)
            full = dark(image, x, y);
        if (full)
            columns.insert(x);
    }
    return columns;
}

TEST(MonthDrawing, GridLinesLieOnRowAndColumnBoundaries)
{
    // r.bottom − y0 = 546 is a multiple of 6; shrink by 3 so the last row line moves to r.bottom.
    CalendarDrawParams p = monthParams(1, 1997, TRect{10, 10, 717, 707});
    p.CalendarBorder = cbNone;
    p.HeadersBorder = cbNone;
    const QImage image = drawMonth(p);
    save(image, "month-grid-cball");
    const TRect r{10, 10, 716, 706};
    const int y0 = screenMonth(p).DayNamesRect.bottom;
    const int rh = (r.bottom - y0) / 6;
    const int cw = (r.right - r.left) / 7;
    ASSERT_NE(y0 + 6 * rh, r.bottom);

    std::set<int> rows;
    for (int k = 0; k < 6; ++k)
        rows.insert(y0 + k * rh);
    rows.insert(r.bottom);
    EXPECT_EQ(fullRows(image, r, y0), rows);

    std::set<int> columns;
    for (int c = 0; c < 7; ++c)
        columns.insert(r.left + c * cw);
    columns.insert(r.right);
    EXPECT_EQ(fullColumns(image, r, y0), columns);
}

TEST(MonthDrawing, CellBorderStylesDrawTheirRowLines)
{
    struct Case
    {
        TCalBorderStyle style;
        int firstRow;
        int lastRow;
    };
    for (const Case& c : {Case{cbNone, 0, -1}, Case{cbTop, 0, 5}, Case{cbBottom, 1, 6}, Case{cbTopBottom, 0, 6}}) {
        CalendarDrawParams p = monthParams(1, 1997, TRect{10, 10, 717, 707});
        p.CalendarBorder = cbNone;
        p.HeadersBorder = cbNone;
        p.CellBorder = c.style;
        const QImage image = drawMonth(p);
        const TRect r{10, 10, 716, 706};
        const int y0 = screenMonth(p).DayNamesRect.bottom;
        const int rh = (r.bottom - y0) / 6;
        std::set<int> rows;
        for (int k = c.firstRow; k <= c.lastRow; ++k)
            rows.insert(k == 6 ? r.bottom : y0 + k * rh);
        EXPECT_EQ(fullRows(image, r, y0), rows) << c.style;
        EXPECT_TRUE(fullColumns(image, r, y0 + 1).empty()) << c.style;
    }
}

TEST(MonthDrawing, MonthsOfFourAndFiveRowsStillDrawSix)
{
    // February 2015 begins on a Sunday and fills exactly four rows; March 1997 needs five.
    for (const auto& [month, year] : {std::pair{2, 2015}, std::pair{3, 1997}}) {
        CalendarDrawParams p = monthParams(month, year, TRect{10, 10, 717, 707});
        p.CalendarBorder = cbNone;
        const QImage image = drawMonth(p);
        const MonthGeometry g = screenMonth(p);
        const TRect r{10, 10, 716, 706};
        EXPECT_EQ(fullRows(image, r, g.DayNamesRect.bottom).size(), 7u) << month;
        const int days = DaysInMonth(year, month);
        int counted = 0;
        for (int i = 1; i <= kCellCount; ++i) {
            EXPECT_FALSE(g.Cells[i].rTotal.isEmpty()) << i;
            counted += g.Cells[i].iDay != 0;
        }
        EXPECT_EQ(counted, days);
        EXPECT_EQ(g.Cells[42].iDay, 0);
        EXPECT_EQ(g.Cells[42].rTotal.bottom, r.bottom - 1 - (r.bottom - g.DayNamesRect.bottom) % 6);
    }
    CalendarDrawParams february = monthParams(2, 2015, kMonthRect);
    save(drawMonth(february), "month-feb2015-four-rows");
}

TEST(MonthDrawing, LinesUseThePaintersPenAndLeaveItAsFound)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    QImage image = whiteImage(730, 720);
    QPainter painter(&image);
    const QPen red(QColor(255, 0, 0), 1);
    painter.setPen(red);
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawMonth(painter, p, QString(), kScreen);
    EXPECT_EQ(painter.pen(), red);
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    painter.end();
    EXPECT_EQ(image.pixel(10, 400), qRgb(255, 0, 0)); // left edge of the calendar border
    EXPECT_EQ(image.pixel(300, screenMonth(p).DayNamesRect.bottom), qRgb(255, 0, 0));
}

TEST(MonthDrawing, SmallAndZoomedMonthsForALook)
{
    CalendarDrawParams half = monthParams(12, 1997, kMonthRect.scaled(0.5), 0.5);
    half.StartOfWeek = 2;
    half.HeadersStyle = dsThreeChars;
    half.TitleBackColor = RGBValue(255, 255, 200);
    half.HeadersBGColor = RGBValue(200, 220, 255);
    save(drawMonth(half), "month-dec1997-zoom50-monday");
    EXPECT_EQ(screenMonth(half).Cells[1].iDay, 1); // 1 December 1997 was a Monday

    CalendarDrawParams mini = monthParams(2, 1998, TRect{4, 4, 124, 124});
    mini.TitleFont = timesBold(FontPixelSize(10, 1.0));
    mini.HeadersFont = timesBold(FontPixelSize(8, 1.0));
    mini.CellFont = timesBold(FontPixelSize(8, 1.0));
    mini.NumberPosition = cnpCenter;
    mini.HeadersStyle = dsFirstChar;
    mini.HeadersBorder = cbTopBottom;
    mini.CellBorder = cbNone;
    save(drawMonth(mini), "mini-feb1998");
    EXPECT_EQ(screenMonth(mini).Cells[1].iDay, 1); // 1 February 1998 was a Sunday
}

TEST(MonthDrawing, DayNamesTooWideForTheirColumnShrinkToFit)
{
    // The ink of each whole day name, in columns 100 (98 between the lines) and 150 pixels wide.
    const auto names = [](int columnWidth) {
        CalendarDrawParams p = monthParams(1, 1997, {10, 10, 10 + 7 * columnWidth + 1, 710});
        const QImage image = drawMonth(p);
        const TRect band = screenMonth(p).DayNamesRect;
        save(image, columnWidth == 100 ? "month-whole-day-names" : "month-whole-day-names-wide");
        std::array<QRect, 7> ink;
        for (int c = 0; c < 7; ++c) {
            const int left = 10 + c * columnWidth + 1;
            for (int y = band.top + 1; y < band.bottom; ++y)
                for (int x = left; x < left + columnWidth - 2; ++x)
                    if (dark(image, x, y))
                        ink[c] |= QRect(x - left, y, 1, 1);
            // Not cut off at the column's edges.
            EXPECT_GT(ink[c].left(), 0) << columnWidth << " " << c;
            EXPECT_LT(ink[c].right(), columnWidth - 3) << columnWidth << " " << c;
        }
        return ink;
    };
    // Wednesday shrinks in the narrow columns, and the rest of its row with it.
    const std::array<QRect, 7> narrow = names(100);
    const std::array<QRect, 7> wide = names(150);
    for (int c = 0; c < 7; ++c)
        EXPECT_LT(narrow[c].width(), wide[c].width()) << c;
}

TEST(BorderEdges, EachStyleStrokesExactlyItsEdges)
{
    const TRect r{10, 12, 40, 30};
    std::set<std::pair<int, int>> top, bottom, left, right;
    for (int x = r.left; x <= r.right; ++x) {
        top.insert({x, r.top});
        bottom.insert({x, r.bottom});
    }
    for (int y = r.top; y <= r.bottom; ++y) {
        left.insert({r.left, y});
        right.insert({r.right, y});
    }
    const auto join = [](std::initializer_list<std::set<std::pair<int, int>>> parts) {
        std::set<std::pair<int, int>> all;
        for (const auto& part : parts)
            all.insert(part.begin(), part.end());
        return all;
    };
    const std::pair<TCalBorderStyle, std::set<std::pair<int, int>>> cases[] = {
        {cbNone, {}},       {cbAll, join({top, bottom, left, right})}, {cbTop, top},
        {cbBottom, bottom}, {cbTopBottom, join({top, bottom})},
    };
    for (const auto& [style, expected] : cases) {
        QImage image = whiteImage(60, 50);
        QPainter painter(&image);
        DrawBorderEdges(painter, r, style, kScreen);
        painter.end();
        std::set<std::pair<int, int>> drawn;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    drawn.insert({x, y});
        EXPECT_EQ(drawn, expected) << style;
    }
}

using PlannerDrawing = EnglishLocale;

TEST_F(PlannerDrawing, WeekAcrossTheYearEnd)
{
    CalendarDrawParams p = monthParams(12, 1997, kMonthRect);
    p.Day = 29;
    p.HeadersStyle = dsThreeChars;
    QImage image = whiteImage(730, 720);
    QPainter painter(&image);
    DrawWeekPlanner(painter, p, QString(), kScreen);
    painter.end();
    save(image, "week-dec29-1997");
    const MonthGeometry g = ComputeMainGeometry(p, loWeek, kScreen);

    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("December 29, 1997 - January 4, 1998"));
    const TRect r{10, 10, 716, 709};
    const int title = textHeight(p.TitleFont);
    EXPECT_EQ(g.TitleRect, (TRect{15, 11, 711, 11 + title}));
    const int bodyTop = 11 + title + 1;
    const int rh = (r.bottom - bodyTop) / 8;
    const int column = 10 + RoundHalfEven(706 * 0.15);
    const int days[8] = {29, 30, 31, 1, 2, 3, 4, 0};
    for (int i = 0; i < 8; ++i) {
        const TRect expected{column + 4, bodyTop + rh * i + 4, r.right - 4,
                             i == 7 ? r.bottom - 4 : bodyTop + rh * (i + 1) - 4};
        EXPECT_EQ(g.Cells[i + 1].rTotal, expected) << i;
        EXPECT_EQ(g.Cells[i + 1].rFree, expected) << i;
        EXPECT_EQ(g.Cells[i + 1].iDay, days[i]) << i;
    }
    // Row lines across the body and the label column's edge.
    for (int i = 1; i < 8; ++i)
        EXPECT_TRUE(dark(image, 400, bodyTop + rh * i)) << i;
    EXPECT_TRUE(dark(image, column, bodyTop + rh / 3));

    const PlannerLines lines = WeekPlannerLines(p);
    ASSERT_EQ(lines.rows(), 8);
    EXPECT_EQ(lines.first[0], QStringLiteral("Mon"));
    EXPECT_EQ(lines.second[0], QStringLiteral("29 Dec"));
    EXPECT_EQ(lines.second[3], QStringLiteral("1 Jan"));
    EXPECT_EQ(lines.first[7], QStringLiteral("Notes"));
    EXPECT_EQ(lines.second[7], QString());
}

TEST_F(PlannerDrawing, WeekTitleForms)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    p.Day = 5;
    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("January 5-11, 1997"));
    p.Day = 27;
    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("January 27 - February 2, 1997"));
    p.PlannerDays = 14;
    p.Day = 5;
    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("January 5-18, 1997"));
    EXPECT_EQ(WeekPlannerTitleText(p, QStringLiteral("Mine")), QStringLiteral("Mine"));
    EXPECT_EQ(WeekPlannerLines(p).rows(), 15);
}

TEST_F(PlannerDrawing, UnsetDayStartsAtTheFirst)
{
    // A page that never chose a day holds 0; a day past the month's end is held to the last day.
    CalendarDrawParams p = monthParams(2, 1997, kMonthRect);
    p.Day = 0;
    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("February 1-7, 1997"));
    p.Day = 31;
    EXPECT_EQ(WeekPlannerTitleText(p, QString()), QStringLiteral("February 28 - March 6, 1997"));
}

TEST_F(PlannerDrawing, DayPlannerRows)
{
    CalendarDrawParams p = monthParams(1, 1997, kMonthRect);
    p.Day = 5;
    p.HourRows = 10;
    QImage image = whiteImage(730, 720);
    QPainter painter(&image);
    DrawDayPlanner(painter, p, QString(), kScreen);
    painter.end();
    save(image, "day-jan5-1997");
    const MonthGeometry g = ComputeMainGeometry(p, loDay10, kScreen);

    EXPECT_EQ(DayPlannerTitleText(p, QString()), QStringLiteral("Sunday, January 5, 1997"));
    const PlannerLines lines = DayPlannerLines(p);
    ASSERT_EQ(lines.rows(), 11);
    EXPECT_EQ(lines.first[0], QStringLiteral("8:00 AM"));
    EXPECT_EQ(lines.first[4], QStringLiteral("12:00 PM"));
    EXPECT_EQ(lines.first[9], QStringLiteral("5:00 PM"));
    EXPECT_EQ(lines.first[10], QStringLiteral("Notes"));
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(g.Cells[i].iDay, 0) << i;
        EXPECT_FALSE(g.Cells[i].rFree.isEmpty()) << i;
    }
    EXPECT_EQ(g.Cells[11].rTotal.bottom, 709 - 4);

    p.StartTime = 22.5 / 24.0;
    p.HourRows = 15;
    const PlannerLines late = DayPlannerLines(p);
    EXPECT_EQ(late.first[0], QStringLiteral("10:30 PM"));
    EXPECT_EQ(late.first[2], QStringLiteral("12:30 AM")); // past midnight the clock goes round
    EXPECT_EQ(late.rows(), 16);
}

TEST(PlannerRows, DayReadFromTheSecondLine)
{
    EXPECT_EQ(PlannerRowDay(QStringLiteral("5 Jan")), 5);
    EXPECT_EQ(PlannerRowDay(QStringLiteral("12 Jan")), 12);
    EXPECT_EQ(PlannerRowDay(QString()), 0);
    EXPECT_EQ(PlannerRowDay(QStringLiteral("x1")), 0);
}

TEST(MonthPrinting, PdfHoldsTitleDayNamesAndNumbers)
{
    const QString file = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/month-jan1997.pdf");
    TReportPrinter report;
    report.SetOutputFileName(file);
    report.SetPaperSize(QPageSize(QPageSize::Letter));
    report.SetOrientation(QPageLayout::Landscape);
    CalendarDrawParams p;
    MonthGeometry g;
    double dpi = 0;
    const bool printed = report.Execute([&](TReportPrinter& r) {
        dpi = r.XPixelsPerInch();
        const DeviceProfile paper = paperOf(r);
        p = monthParams(1, 1997, TRect::fromQRect(r.InchRectToDevice(0.52, 0.52, 10.48, 7.98)));
        p.TitleFont.size = r.FontPixelSize(26);
        p.HeadersFont.size = r.FontPixelSize(16);
        p.CellFont.size = r.FontPixelSize(16);
        p.MinTitleHeight = RoundHalfEven(r.YPixelsPerInch() * 1.5);
        DrawMonth(r.Canvas(), p, QString(), paper);
        g = ComputeMonthGeometry(p, paper);
    });
    ASSERT_TRUE(printed);

    const QString text = PdfText(file, true);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.contains(QStringLiteral("January 1997")));
    for (int d = 1; d <= 7; ++d)
        EXPECT_TRUE(text.contains(QString::fromLatin1(kDayNames[d]))) << d;
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (int day = 1; day <= 31; ++day)
        EXPECT_TRUE(words.contains(QString::number(day))) << day;

    // The cell table comes back in the report's device pixels, inside the printed rectangle.
    EXPECT_EQ(g.Cells[4].iDay, 1);
    EXPECT_GT(g.Cells[4].rTotal.left, p.Rect.left);
    EXPECT_LT(g.Cells[42].rTotal.bottom, p.Rect.bottom);
    EXPECT_GT(g.Cells[4].rFree.top, g.Cells[4].rTotal.top);
    // Day text keeps the inset it has on screen: 5 screen pixels right of the cell's left line.
    EXPECT_NEAR((g.Cells[1].rFree.left - p.Rect.left) / dpi, 5.0 / 96, 1.0 / dpi);
}

// The first and last pixel rows of ink between two rows of an image, over the columns given.
std::pair<int, int> inkRows(const QImage& image, int left, int right, int top, int bottom)
{
    int first = -1;
    int last = -1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (dark(image, x, y)) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    return {first, last};
}

// A month an inch from the sheet's corner with a 48 point title, drawn on screen and printed: the title
// and the day names have the same height on the sheet, so what is placed clear of them on screen
// stays clear on paper.
TEST(MonthPrinting, TitleAndDayNamesSitWhereTheScreenPutsThem)
{
    const auto sized = [](CalendarDrawParams p, const std::function<int(int)>& pixels) {
        p.TitleFont.size = pixels(48);
        p.HeadersFont.size = pixels(16);
        p.CellFont.size = pixels(16);
        p.HeadersStyle = dsThreeChars;
        p.HeadersBorder = cbNone;
        return p;
    };
    const CalendarDrawParams onScreen =
        sized(monthParams(1, 1997, {96, 96, 96 + 672, 96 + 480}), [](int points) { return FontPixelSize(points, 1); });
    QImage screen = whiteImage(816, 1056);
    {
        QPainter painter(&screen);
        DrawMonth(painter, onScreen, QString(), kScreen);
    }
    const QString file = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/month-title.pdf");
    TReportPrinter report;
    report.SetOutputFileName(file);
    report.SetPaperSize(QPageSize(QPageSize::Letter));
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
        const CalendarDrawParams p = sized(monthParams(1, 1997, TRect::fromQRect(r.InchRectToDevice(1, 1, 8, 6))),
                                           [&](int points) { return r.FontPixelSize(points); });
        DrawMonth(r.Canvas(), p, QString(), paperOf(r));
    }));
    const QImage paper = PdfPageImage(file, 96);
    ASSERT_FALSE(paper.isNull());
    save(screen, "month-title-screen");
    const MonthGeometry g = screenMonth(onScreen);
    const std::pair<int, int> bands[] = {{g.TitleBand.top + 2, g.DayNamesRect.top - 2},
                                         {g.DayNamesRect.top + 1, g.DayNamesRect.bottom - 1}};
    for (const auto& [top, bottom] : bands) {
        const auto [screenTop, screenBottom] = inkRows(screen, 100, 760, top, bottom);
        const auto [paperTop, paperBottom] = inkRows(paper, 100, 760, top, bottom);
        ASSERT_GE(screenTop, 0);
        EXPECT_NEAR(paperTop, screenTop, 2) << top;
        EXPECT_NEAR(paperBottom, screenBottom, 2) << top;
    }
}

TEST(MonthPrinting, TextsWiderThanTheirBoxAreShortened)
{
    const QString file = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/month-narrow.pdf");
    TReportPrinter report;
    report.SetOutputFileName(file);
    ASSERT_TRUE(report.Execute([](TReportPrinter& r) {
        CalendarDrawParams p = monthParams(1, 1997, TRect::fromQRect(r.InchRectToDevice(1, 1, 4.5, 4)));
        p.TitleFont.size = r.FontPixelSize(40);
        p.HeadersFont.size = r.FontPixelSize(16);
        p.CellFont.size = r.FontPixelSize(10);
        DrawMonth(r.Canvas(), p, QStringLiteral("A title far too long for this little calendar"), paperOf(r));
    }));
    const QString text = PdfText(file, true);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QStringLiteral("little calendar")));
    EXPECT_TRUE(text.contains(QStringLiteral("A title")));

    // Day names shrink instead of losing letters.
    for (int d = 1; d <= 7; ++d)
        EXPECT_TRUE(text.contains(QLatin1String(kDayNames[d]))) << d;
}

// The minis of the 6, 12, 24 and 48 month pages with border art, at the sizes those layouts give
// them (screen pixels) and in their own fonts: every day number prints below the day-name band.
TEST(MonthPrinting, MiniDayNumbersStayBelowTheDayNameBand)
{
    struct Mini
    {
        int width, height, titlePoints, points;
    };
    for (const Mini mini :
         {Mini{310, 283, 18, 14}, Mini{205, 210, 18, 14}, Mini{152, 137, 12, 10}, Mini{99, 100, 10, 8}}) {
        const QString file = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/mini-%1.pdf").arg(mini.width);
        TReportPrinter report;
        report.SetOutputFileName(file);
        CalendarDrawParams p;
        TRect band;
        double pointsPerDevicePixel = 0;
        ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
            const DeviceProfile paper = paperOf(r);
            p = monthParams(1, 1997,
                            TRect::fromQRect(r.InchRectToDevice(1, 1, 1 + mini.width / 96.0, 1 + mini.height / 96.0)));
            p.TitleFont.size = r.FontPixelSize(mini.titlePoints);
            p.HeadersFont = p.CellFont =
                FontDescription{QStringLiteral("Times New Roman"), r.FontPixelSize(mini.points)};
            p.NumberPosition = cnpCenter;
            p.HeadersStyle = dsFirstChar;
            p.HeadersBorder = cbTopBottom;
            p.CellBorder = cbNone;
            DrawMonth(r.Canvas(), p, QString(), paper);
            band = ComputeMonthGeometry(p, paper).DayNamesRect;
            pointsPerDevicePixel = 72.0 / r.YPixelsPerInch();
        }));
        const double bandLine = band.bottom * pointsPerDevicePixel;
        int numbers = 0;
        for (const PdfWord& word : PdfWords(file)) {
            if (word.text.toInt() < 1 || word.text.toInt() > 31)
                continue;
            ++numbers;
            EXPECT_GE(word.box.top(), bandLine) << mini.width << " " << word.text.toStdString();
        }
        EXPECT_EQ(numbers, 31) << mini.width;
    }
}

TEST_F(PlannerDrawing, PlannersPrintTheirTitles)
{
    const QString file = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/planners.pdf");
    TReportPrinter report;
    report.SetOutputFileName(file);
    ASSERT_TRUE(report.Execute([](TReportPrinter& r) {
        CalendarDrawParams p = monthParams(12, 1997, TRect::fromQRect(r.InchRectToDevice(0.52, 0.52, 7.98, 10.48)));
        p.Day = 29;
        p.TitleFont.size = r.FontPixelSize(26);
        p.HeadersFont.size = r.FontPixelSize(16);
        p.CellFont.size = r.FontPixelSize(16);
        const DeviceProfile paper = paperOf(r);
        DrawWeekPlanner(r.Canvas(), p, QString(), paper);
        const MonthGeometry g = ComputeMainGeometry(p, loWeek, paper);
        EXPECT_EQ(g.Cells[8].iDay, 0);
        EXPECT_EQ(g.Cells[4].iDay, 1);
        // Its text room lies 4 screen pixels inside the lines, as on screen.
        EXPECT_NEAR((g.Cells[1].rFree.top - g.TitleRect.bottom - 1) / r.YPixelsPerInch(), 4.0 / 96,
                    1.0 / r.YPixelsPerInch());
        r.NewPage();
        p.Month = 1;
        p.Year = 1997;
        p.Day = 5;
        DrawDayPlanner(r.Canvas(), p, QString(), paper);
    }));
    const QString text = PdfText(file, true);
    EXPECT_TRUE(text.contains(QStringLiteral("December 29, 1997 - January 4, 1998")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sunday, January 5, 1997")));
    EXPECT_TRUE(text.contains(QStringLiteral("8:00 AM")));
    EXPECT_TRUE(text.contains(QStringLiteral("Notes")));
}
