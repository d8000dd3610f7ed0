#include "calendar/calendarpanel32.h"
#include "report/reportprinter.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"

#include "support/testsupport.h"

#include "pdftext.h"

#include <QPainter>
#include <QTextDocument>

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
    EXPECT_TRUE(words.contains(QStringLiteral("Piano recital")));
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
