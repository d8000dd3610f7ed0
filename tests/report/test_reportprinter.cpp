#include "platform/rounding.h"
#include "report/pdfpagelabels.h"
#include "report/reportprinter.h"
#include "support/testsupport.h"

#include <QFile>
#include <QImage>
#include <QPicture>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString outputFile(const QString& name)
{
    return TestOutputDir(QStringLiteral("report")) + QLatin1Char('/') + name;
}

QString pdfInfo(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF's first page rendered at 96 pixels per inch, or at the resolution given.
QImage rasterize(const QString& file, int dpi = 96)
{
    const QString stem = file + QStringLiteral("-raster");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                               QStringLiteral("-singlefile"), file, stem});
    process.waitForFinished(30000);
    return QImage(stem + QStringLiteral(".png"));
}

bool dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

} // namespace

TEST(ReportPrinter, InchesBecomeDevicePixels)
{
    TReportPrinter report;
    const double dpi = report.XPixelsPerInch();
    ASSERT_GT(dpi, 0);
    EXPECT_EQ(report.XInchesToDevice(1.0), qRound(dpi));
    EXPECT_EQ(report.YInchesToDevice(0.5), qRound(dpi * 0.5));
    EXPECT_DOUBLE_EQ(report.XDeviceToInches(dpi * 2), 2.0);
    const QRect r = report.InchRectToDevice(1, 2, 3, 5);
    EXPECT_EQ(r.left(), report.XInchesToDevice(1));
    EXPECT_EQ(r.top(), report.YInchesToDevice(2));
    EXPECT_EQ(r.left() + r.width(), report.XInchesToDevice(3));
    EXPECT_EQ(r.top() + r.height(), report.YInchesToDevice(5));
    EXPECT_EQ(report.FontPixelSize(72), qRound(dpi));
    EXPECT_GE(report.FontPixelSize(0), 1);
    EXPECT_EQ(report.DefaultPen().width(), std::max(1, RoundHalfEven(dpi / 96))); // one screen pixel
}

TEST(ReportPrinter, CopiesAndOrientation)
{
    TReportPrinter report;
    report.SetCopies(3);
    EXPECT_EQ(report.Copies(), 3);
    report.SetCopies(0);
    EXPECT_EQ(report.Copies(), 1);
    report.SetOrientation(QPageLayout::Landscape);
    EXPECT_EQ(report.Orientation(), QPageLayout::Landscape);
    EXPECT_GE(report.MaxCopies(), 1);
    report.SetOutputFileName(outputFile(QStringLiteral("none.pdf")));
    const QMarginsF border = report.UnprintableBorder();
    EXPECT_GE(border.left(), 0.0);
    EXPECT_LT(border.left() + border.right(), 2.0);
}

TEST(ReportPrinter, PagesAndOrientationReachThePdf)
{
    const QString file = outputFile(QStringLiteral("two-pages.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(file);
    report.SetTitle(QStringLiteral("ReportPrinter Report"));
    report.SetPaperSize(QPageSize(QPageSize::Letter));
    report.SetOrientation(QPageLayout::Landscape);
    QStringList statuses;
    report.SetOnStatus([&statuses](const QString& status) { statuses << status; });
    int pagesSeen = 0;
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
        EXPECT_TRUE(r.Printing());
        r.SetFont(QFont(QStringLiteral("Arial"), 20), Qt::black);
        r.TextAtBaseline(r.XInchesToDevice(1), r.YInchesToDevice(1), QStringLiteral("First page"));
        EXPECT_TRUE(r.NewPage());
        r.TextAtBaseline(r.XInchesToDevice(1), r.YInchesToDevice(1), QStringLiteral("Second page"));
        pagesSeen = r.PageNumber();
    }));
    EXPECT_FALSE(report.Printing());
    EXPECT_EQ(pagesSeen, 2);
    EXPECT_EQ(statuses, (QStringList{QStringLiteral("Printing page 1"), QStringLiteral("Printing page 2")}));
    const QString info = pdfInfo(file);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("ReportPrinter Report")));
}

TEST(ReportPrinter, AJobThatCannotOpenItsFileFails)
{
    TReportPrinter report;
    report.SetOutputFileName(QStringLiteral("/nonexistent-folder/x/out.pdf"));
    bool called = false;
    EXPECT_FALSE(report.Execute([&](TReportPrinter&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(report.ErrorString(), QStringLiteral("No such file or directory"));
    EXPECT_FALSE(report.NewPage());
}

TEST(ReportPrinter, AJobCutShortLeavesThePreviousPdf)
{
    const QString file = outputFile(QStringLiteral("kept.pdf"));
    QFile previous(file);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();
    TReportPrinter report;
    report.SetOutputFileName(file);
    EXPECT_THROW(report.Execute([](TReportPrinter& r) {
        r.FillRect(r.InchRectToDevice(1, 1, 2, 2));
        throw std::runtime_error("stopped");
    }),
                 std::runtime_error);
    EXPECT_FALSE(report.Printing());
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), QByteArray("previous"));
}

TEST(ReportPrinter, FillsLinesAndPicturesLandWhereTheInchesSay)
{
    const QString file = outputFile(QStringLiteral("geometry.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(file);
    report.SetPaperSize(QPageSize(QPageSize::Letter));
    QPicture picture;
    {
        QPainter p(&picture);
        p.fillRect(QRect(0, 0, 100, 50), Qt::black);
    }
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
        r.SetBrush(QBrush(Qt::black));
        r.FillRect(r.InchRectToDevice(1, 1, 2, 2));
        r.SetPen(r.DefaultPen());
        r.Line(r.XInchesToDevice(3), r.YInchesToDevice(1), r.XInchesToDevice(3), r.YInchesToDevice(4));
        r.StretchPicture(picture, 4, 5, 6, 6);
    }));
    const QImage image = rasterize(file);
    ASSERT_EQ(image.width(), 816);
    ASSERT_EQ(image.height(), 1056);
    // The filled inch square covers pixels 96..191.
    EXPECT_TRUE(dark(image, 97, 97));
    EXPECT_TRUE(dark(image, 190, 190));
    EXPECT_FALSE(dark(image, 94, 150));
    EXPECT_FALSE(dark(image, 193, 150));
    // The vertical line at 3 in.
    EXPECT_TRUE(dark(image, 288, 200));
    EXPECT_FALSE(dark(image, 291, 200));
    EXPECT_FALSE(dark(image, 288, 400));
    // The picture stretched over (4, 5)..(6, 6) in.
    EXPECT_TRUE(dark(image, 385, 481));
    EXPECT_TRUE(dark(image, 574, 574));
    EXPECT_FALSE(dark(image, 380, 530));
    EXPECT_FALSE(dark(image, 580, 530));
    EXPECT_FALSE(dark(image, 480, 580));
}

// Bitmaps keep their exact colours on paper, as on screen: a four-colour picture and a two-colour texture
// show no colours of their own after the PDF is rendered at 300 dpi.
TEST(ReportPrinter, PicturesAndTexturesReachThePdfLosslessly)
{
    const QString file = outputFile(QStringLiteral("lossless.pdf"));
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 160, 40), qRgb(20, 40, 200), qRgb(250, 220, 20)};
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, colours[(x / 5 + y / 5) % 4]);
    QImage texture(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            texture.setPixel(x, y, (x + y) % 2 ? colours[0] : colours[3]);
    TReportPrinter report;
    report.SetOutputFileName(file);
    report.SetPaperSize(QPageSize(QPageSize::Letter));
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
        r.Canvas().drawImage(QRectF(r.InchRectToDevice(1, 1, 3, 2.5)), picture);
        QBrush textured(texture);
        textured.setTransform(QTransform::fromScale(r.XPixelsPerInch() / 30, r.XPixelsPerInch() / 30));
        r.Canvas().fillRect(r.InchRectToDevice(4, 1, 6, 2.5), textured);
    }));
    const QImage page = rasterize(file, 300);
    ASSERT_EQ(page.width(), 2550);
    // The areas inside the two, clear of their edges.
    for (const auto& [area, most] :
         {std::pair{QRect(310, 310, 580, 430), 4}, std::pair{QRect(1210, 310, 580, 430), 2}}) {
        QSet<QRgb> seen;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen.insert(page.pixel(x, y));
        EXPECT_LE(seen.size(), most) << area.x();
    }
}

TEST(ReportPrinter, TextMeasures)
{
    TReportPrinter report;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(100);
    report.SetFont(font, Qt::black);
    EXPECT_GT(report.TextWidth(QStringLiteral("WWW")), report.TextWidth(QStringLiteral("iii")));
    EXPECT_EQ(report.TextWidth(QString()), 0.0);
    EXPECT_GT(report.TextHeight(), report.TextAscent());
    EXPECT_NEAR(report.TextHeight(), 112, 4); // Arial's line is about 1.12 em
}

TEST(PdfPageLabels, APdfNotInTheFormExpectedIsLeftAsItWas)
{
    const QByteArray catalog = "%PDF-1.4\n1 0 obj\n<<\n/Type /Catalog\n/Pages 2 0 R\n>>\nendobj\n";
    const QByteArray trailer = "trailer\n<<\n/Size 3\n/Root 1 0 R\n>>\nstartxref\n9\n%%EOF\n";
    const QStringList labels{QStringLiteral("2027-01")};
    for (const QByteArray& pdf :
         {QByteArray(), catalog, trailer, QByteArray(catalog).replace("/Pages", "/PageLabels << >>\n/Pages") + trailer,
          QByteArray(catalog).replace("1 0 obj", "4 0 obj") + trailer})
        EXPECT_EQ(WithPdfPageLabels(pdf, labels), pdf) << pdf.constData();
    const QByteArray labelled = WithPdfPageLabels(catalog + trailer, labels);
    EXPECT_TRUE(labelled.startsWith(catalog + trailer) && labelled.contains("/Prev 9\n")) << labelled.constData();
    EXPECT_EQ(WithPdfPageLabels(catalog + trailer, {}), catalog + trailer);
}
