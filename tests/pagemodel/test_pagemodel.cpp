// The page model computes its geometry, draws and prints with no widget: this test runs under a
// QGuiApplication, so anything that needed a QApplication would abort it.
#include "calendar/calendarpagemodel.h"
#include "calendar/calendarpagerender.h"
#include "pdftext.h"
#include "platform/deviceprofile.h"
#include "report/reportprinter.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString outputDir()
{
    QString dir = qEnvironmentVariable("ALMARIN_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::currentPath() + QStringLiteral("/test-output");
    dir += QStringLiteral("/pagemodel");
    QDir().mkpath(dir);
    return dir;
}

bool hasInk(const QImage& image, const TRect& r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

TEST(PageModel, GeometryImageAndPdfWithoutWidgets)
{
    TCalendarPageModel model;
    model.SetCalendarLayout(loFullCalendar);
    model.SetMonthName(2, QStringLiteral("February"));
    model.SetLayoutValue(&CalendarSettings::MainCalMonth, 2);
    model.SetLayoutValue(&CalendarSettings::MainCalYear, 2026);
    model.SetLayoutValue(&CalendarSettings::StartOfWeek, 1);
    QTextDocument doc;
    AppendRichParagraph(doc, QStringLiteral("Valentine"), {QStringLiteral("Arial"), 14, fsBold, clBlack});
    TWPRtfStorage text;
    text.SetDocument(doc);
    model.SetCellText(14, text);

    // February 2026 begins on a Sunday and has 28 days: cell i shows day i, the rest are blank; the
    // cells lie in rows of seven equal columns, text room under each number.
    const MonthGeometry g = model.MainGeometry(DeviceProfile::Screen(1.0), [](TRect r) { return r; });
    const int columnWidth = g.Cells[2].rTotal.left - g.Cells[1].rTotal.left;
    const int rowHeight = g.Cells[8].rTotal.top - g.Cells[1].rTotal.top;
    ASSERT_GT(columnWidth, 0);
    ASSERT_GT(rowHeight, 0);
    for (int i = 1; i <= kCellCount; ++i) {
        EXPECT_EQ(g.Cells[i].iDay, i <= 28 ? i : 0) << i;
        EXPECT_EQ(g.Cells[i].rTotal.left - g.Cells[1].rTotal.left, (i - 1) % 7 * columnWidth) << i;
        EXPECT_EQ(g.Cells[i].rTotal.top - g.Cells[1].rTotal.top, (i - 1) / 7 * rowHeight) << i;
        EXPECT_GT(g.Cells[i].rFree.top, g.Cells[i].rTotal.top) << i;
    }
    EXPECT_LT(g.TitleRect.bottom, g.DayNamesRect.top);

    const QImage image = RenderCalendarPage(model, 1.0);
    ASSERT_EQ(image.size(), QSize(model.Geometry().PageWidth, model.Geometry().PageHeight));
    EXPECT_TRUE(image.save(outputDir() + QStringLiteral("/february.png")));
    EXPECT_TRUE(hasInk(image, g.Cells[14].rFree));
    EXPECT_FALSE(hasInk(image, g.Cells[15].rFree));

    const QString pdf = outputDir() + QStringLiteral("/february.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { PrintCalendarPage(r, model, 0, 0); }));
    const QString words = PdfText(pdf);
    EXPECT_TRUE(words.contains(QStringLiteral("February 2026")));
    EXPECT_TRUE(words.contains(QStringLiteral("Valentine")));

    EXPECT_TRUE(QGuiApplication::topLevelWindows().isEmpty());
    EXPECT_FALSE(QCoreApplication::instance()->inherits("QApplication"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
