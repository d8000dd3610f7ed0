#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"
#include "report/reportprinter.h"

#include "support/testsupport.h"

#include "pdftext.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A placed object that paints a solid block and prints a word where it lies.
class TMarkObject : public TQGraphicControl
{
public:
    using TQGraphicControl::TQGraphicControl;
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile&) override
    {
        canvas.fillRect(target, QColor(200, 0, 0));
    }
    void PrintTo(TReportPrinter& report, double x, double y) override
    {
        report.SetFont(QFont(QStringLiteral("Arial"), 12), Qt::black);
        report.TextAtBaseline(Left() / 96.0 + x, Top() / 96.0 + y + 0.2, QStringLiteral("Birthday"));
    }
};

} // namespace

TEST(PageObjects, ExportedAndPrintedAtTheirPlaces)
{
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetScale(1.0f);
    auto* mark = new TMarkObject(&page);
    mark->SetScreenRect(QRect(300, 200, 40, 30));
    page.HookAllObjects();

    const QImage image = page.RenderToBitmap();
    image.save(TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/page-with-object.png"));
    EXPECT_EQ(image.pixel(320, 215), qRgb(200, 0, 0));
    EXPECT_NE(image.pixel(360, 215), qRgb(200, 0, 0));

    EXPECT_TRUE(page.HasObjectAt(320, 215));

    const QString pdf = TestOutputDir(QStringLiteral("calendar")) + QStringLiteral("/page-with-object.pdf");
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    report.SetOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { page.PrintPage(r, 0, 0); }));
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("Birthday")));
}
