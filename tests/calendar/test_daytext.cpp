#include "editor/calendarpanel32.h"
#include "report/reportprinter.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"

#include "support/testsupport.h"

#include "pdftext.h"

#include <QPainter>

#include <QTextDocument>
#include <cmath>

#include <gtest/gtest.h>

namespace {

void putText(TCalendarPanel32& page, int cell, const QString& text, int points = 12)
{
    QTextDocument doc;
    AppendRichParagraph(doc, text, {QStringLiteral("Arial"), points, fsBold, clNavy});
    TWPRtfStorage storage;
    storage.SetDocument(doc);
    page.SetCellText(cell, storage);
}

QRectF freeArea(const TRect& r)
{
    return QRectF(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
}

// The box around every pixel of the rectangle that is not white.
QRect inkBox(const QImage& image, const TRect& r)
{
    QRect box;
    for (int y = r.top; y <= r.bottom; ++y)
        for (int x = r.left; x <= r.right; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The lines of text inside an area of an image, as runs of pixel rows holding ink, each with its
// extent, in page pixels at 100% from the area's top-left corner (the image shows the page at `scale`).
QList<QRectF> inkLines(const QImage& image, const QRectF& area, double scale)
{
    QList<QRectF> lines;
    QRect run;
    const auto close = [&] {
        if (!run.isEmpty())
            lines.append(QRectF(run.left() / scale, run.top() / scale, run.width() / scale, run.height() / scale));
        run = QRect();
    };
    const QRect pixels = area.toAlignedRect() & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        QRect row;
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(image.pixel(x, y)) < 170)
                row |= QRect(x - pixels.left(), y - pixels.top(), 1, 1);
        if (row.isEmpty())
            close();
        else
            run |= row;
    }
    close();
    return lines;
}

struct DayTextPage
{
    TCalendarPanel32 page;
    DayTextPage()
    {
        page.ResetToDefaults();
        page.SetCalendarLayout(loFullCalendar);
        page.SetMainCalMonth(3);
        page.SetMainCalYear(1997);
        page.SetScale(1.0f);
        page.RenderToBitmap(); // fills the cell table
    }
};

} // namespace

TEST(DayText, BelongsToTheCellNotTheDate)
{
    DayTextPage f;
    putText(f.page, 10, QStringLiteral("Dentist"));
    const int marchDay = f.page.DayOfCell(10);
    f.page.SetMainCalMonth(4);
    QImage april = f.page.RenderToBitmap();
    EXPECT_NE(f.page.DayOfCell(10), marchDay);
    EXPECT_EQ(f.page.CellStorage(10)->PlainText(), QStringLiteral("Dentist"));
    EXPECT_FALSE(inkBox(april, f.page.Cell(10).rFree).isEmpty());
    EXPECT_TRUE(inkBox(april, f.page.Cell(11).rFree).isEmpty());
    april.save(TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/daytext-april1997.png"));
}

TEST(DayText, CentredNumbersHideTextsWithoutLosingThem)
{
    DayTextPage f;
    putText(f.page, 12, QStringLiteral("Choir"));
    f.page.SetNumberPosition(cnpCenter);
    QImage centred = f.page.RenderToBitmap();
    EXPECT_TRUE(f.page.Cell(12).rFree.isEmpty());
    EXPECT_FALSE(f.page.CellStorage(12)->IsEmpty());
    f.page.SetNumberPosition(cnpUpperRight);
    QImage shown = f.page.RenderToBitmap();
    EXPECT_FALSE(inkBox(shown, f.page.Cell(12).rFree).isEmpty());
    // Texts that change while the calendar stays are drawn afresh over it.
    putText(f.page, 13, QStringLiteral("Swim"));
    f.page.CellStorage(12)->Clear();
    shown = f.page.RenderToBitmap();
    EXPECT_FALSE(inkBox(shown, f.page.Cell(13).rFree).isEmpty());
    EXPECT_TRUE(inkBox(shown, f.page.Cell(12).rFree).isEmpty());
}

TEST(DayText, IndexesOutsideTheCellsAndClearing)
{
    DayTextPage f;
    TWPRtfStorage fallback;
    putText(f.page, 0, QStringLiteral("ignored"));
    putText(f.page, 43, QStringLiteral("ignored"));
    EXPECT_FALSE(f.page.HasAnyText());
    EXPECT_EQ(&f.page.GetCellText(43, fallback), &fallback);
    EXPECT_EQ(f.page.CellStorage(0), nullptr);

    putText(f.page, 42, QStringLiteral("last"));
    EXPECT_TRUE(f.page.HasAnyText());
    EXPECT_EQ(f.page.GetCellText(42, fallback).PlainText(), QStringLiteral("last"));
    f.page.ClearAllCells();
    EXPECT_FALSE(f.page.HasAnyText());
    // Clearing empties the texts, not the cells.
    EXPECT_FALSE(f.page.Cell(42).rFree.isEmpty());
}

TEST(DayText, ScalesWithThePage)
{
    DayTextPage f;
    putText(f.page, 9, QStringLiteral("Soccer practice"), 14);
    const QRect full = inkBox(f.page.RenderToBitmap(), f.page.Cell(9).rFree);
    f.page.SetScale(0.5f);
    const QImage halfPage = f.page.RenderToBitmap();
    halfPage.save(TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/daytext-zoom50.png"));
    const QRect half = inkBox(halfPage, f.page.Cell(9).rFree);
    ASSERT_FALSE(full.isEmpty());
    ASSERT_FALSE(half.isEmpty());
    EXPECT_NEAR(half.width(), full.width() / 2.0, 4);
    EXPECT_NEAR(half.height(), full.height() / 2.0, 3);
}

TEST(DayText, PrintedAsText)
{
    DayTextPage f;
    putText(f.page, 10, QStringLiteral("Piano recital"));
    putText(f.page, 30, QStringLiteral("Grandma visits"));
    const QString pdf = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/daytext.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { f.page.PrintPage(r, 0, 0); }));
    const QString words = PdfText(pdf);
    EXPECT_TRUE(words.contains(QStringLiteral("Piano")));
    EXPECT_TRUE(words.contains(QStringLiteral("recital")));
    EXPECT_TRUE(words.contains(QStringLiteral("Grandma")));
    EXPECT_TRUE(words.contains(QStringLiteral("visits")));
}

TEST(DayText, PrintedEvenWhenThePageWasNeverShown)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    putText(page, 12, QStringLiteral("Bake sale"));
    const QString pdf = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/daytext-unshown.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { page.PrintPage(r, 0, 0); }));
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("Bake sale")));
}

// What the screen shows at any zoom is what images and paper show: the same lines, broken at the same
// words, the glyphs of the same size, and only lines that fit whole. A word wider than its cell breaks
// anywhere and fills whole lines.
TEST(DayText, SameWholeLinesAtEveryZoomInImagesAndOnPaper)
{
    DayTextPage f;
    putText(f.page, 10, QStringLiteral("Grandma and Grandpa visit, pick them up at the station at five o clock"));
    putText(f.page, 11, QStringLiteral("Swim"));
    putText(f.page, 12, QString(40, QLatin1Char('W')));
    const QString dir = TestOutputDir(QStringLiteral("calendar"));
    const QImage screen = f.page.RenderToBitmap();
    screen.save(dir + QStringLiteral("/daytext-lines-100.png"));
    const TCellInfo cells[] = {f.page.Cell(10), f.page.Cell(12)};
    f.page.SetScale(0.6f);
    const QImage small = f.page.RenderToBitmap();
    small.save(dir + QStringLiteral("/daytext-lines-60.png"));
    const TRect smallFree[] = {f.page.Cell(10).rFree, f.page.Cell(12).rFree};
    f.page.SetScale(1.0f);
    const QString pdf = dir + QStringLiteral("/daytext-lines.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { f.page.PrintPage(r, 0, 0); }));
    const QImage paper96 = PdfPageImage(pdf, 96);
    const QImage paper300 = PdfPageImage(pdf, 300);

    for (int cell = 0; cell < 2; ++cell) {
        const TRect free = cells[cell].rFree;
        // The few pixels right of the free area, inside the cell's lines, may hold ink too.
        const QRectF area = freeArea(free).adjusted(0, 0, 3, 0);
        const QList<QRectF> expected = inkLines(screen, area, 1.0);
        ASSERT_GE(expected.size(), 3);
        // Only whole lines: the last one is as tall as the first, which holds capitals and descenders.
        EXPECT_GE(expected.last().height(), expected.first().height() - 1) << cell;
        struct Case
        {
            const char* name;
            const QImage& image;
            QRectF area;
            double scale;
        };
        const auto scaled = [&](double s) {
            return QRectF(area.left() * s, area.top() * s, area.width() * s, area.height() * s);
        };
        const Case cases[] = {
            {"60%", small, freeArea(smallFree[cell]).adjusted(0, 0, 3, 0), 0.6},
            {"PDF at 96 dpi", paper96, scaled(1.0), 1.0},
            {"PDF at 300 dpi", paper300, scaled(300.0 / 96), 300.0 / 96},
        };
        for (const Case& c : cases) {
            ASSERT_FALSE(c.image.isNull()) << c.name;
            const QList<QRectF> lines = inkLines(c.image, c.area, c.scale);
            ASSERT_EQ(lines.size(), expected.size()) << c.name << " cell " << cell;
            // Paper's grid may lie a few pixels lower (its bands follow the printer's font metrics); within
            // the cell the lines lie as on screen.
            const double dy = lines[0].top() - expected[0].top();
            EXPECT_LE(std::abs(dy), 5) << c.name;
            const double tolerance = 1.5 + 2 / c.scale;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                EXPECT_NEAR(lines[i].left(), expected[i].left(), tolerance) << c.name << " " << cell << " line " << i;
                EXPECT_NEAR(lines[i].right(), expected[i].right(), tolerance) << c.name << " " << cell << " line " << i;
                EXPECT_NEAR(lines[i].top() - dy, expected[i].top(), tolerance)
                    << c.name << " " << cell << " line " << i;
                EXPECT_NEAR(lines[i].bottom() - dy, expected[i].bottom(), tolerance)
                    << c.name << " " << cell << " line " << i;
            }
        }
    }

    // The screen marks the cell whose text does not fit, in its lower right corner; the image does not.
    const TRect free = cells[0].rFree;
    f.page.resize(screen.size());
    f.page.show();
    const QImage shown = f.page.grab().toImage();
    const auto marked = [](const QImage& image, const TRect& r) {
        for (int y = r.bottom - 5; y <= r.bottom; ++y)
            for (int x = r.right - 9; x <= r.right; ++x)
                if (qRed(image.pixel(x, y)) > qBlue(image.pixel(x, y)) + 60)
                    return true;
        return false;
    };
    EXPECT_TRUE(marked(shown, free));
    EXPECT_FALSE(marked(shown, f.page.Cell(11).rFree));
    EXPECT_FALSE(marked(screen, free));
}
