// The page model and the page of a job compute their geometry, draw, print and export with no widget:
// this test runs under a QGuiApplication, so anything that needed a QApplication would abort it.
#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/pagehistory.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/richlabel/richlabeldraw.h"
#include "document/supertext/qsupertext.h"
#include "jobs/pageexport.h"
#include "pdftext.h"
#include "platform/deviceprofile.h"
#include "render/calendarpage.h"
#include "render/calendarpagerender.h"
#include "report/reportprinter.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

// The text lines of a picture on white: each run of rows holding dark pixels, with its left and right ink.
struct InkBand
{
    int top;
    int left;
    int right;
};

std::vector<InkBand> inkBands(const QImage& image)
{
    std::vector<InkBand> bands;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        int left = image.width();
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = x;
            }
        }
        if (right < 0) {
            inBand = false;
        } else if (!inBand) {
            bands.push_back({y, left, right});
            inBand = true;
        } else {
            bands.back().left = std::min(bands.back().left, left);
            bands.back().right = std::max(bands.back().right, right);
        }
    }
    return bands;
}

} // namespace

// A rich text label drawn onto an image: its text lies where the RTF puts it, and at 70% (a zoom of the
// label's float Scale) and on paper the picture is the one at 100% exactly scaled, line for line.
TEST(PageModel, RichLabelDrawsItsTextAtTheExactZoom)
{
    // A centred line, words without descenders that wrap, a right-aligned last line.
    TWPRtfStorage text;
    ASSERT_TRUE(text.SetRtfData("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24\\qc Centred\\par\\pard "
                                "the old mill stands in the dark oak wood where the kettle is hot when the "
                                "shadows fall on the little hill beside the"
                                "\\par\\pard\\qr Right\\par}"));
    const QSize page(480, 200);
    std::vector<InkBand> atFull;
    for (const DeviceProfile& device :
         {DeviceProfile::Screen(1.0f), DeviceProfile::Screen(0.7f), DeviceProfile::Paper(144, 144)}) {
        const double scale = device.XScale();
        const QRect target(0, 0, qRound(page.width() * scale), qRound(page.height() * scale));
        QImage image(target.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            DrawRichLabel(painter, text, {QColor(), false}, target, device);
        }
        const std::vector<InkBand> bands = inkBands(image);
        ASSERT_GE(bands.size(), 4u) << scale;
        if (atFull.empty())
            atFull = bands;
        ASSERT_EQ(bands.size(), atFull.size()) << scale;
        EXPECT_NEAR(bands.front().left + bands.front().right, target.width(), 3) << scale;
        EXPECT_NEAR(bands.back().right, target.right(), 3) << scale;
        for (size_t i = 0; i < bands.size(); ++i) {
            EXPECT_NEAR(bands[i].top, atFull[i].top * scale, 1.5) << scale << " line " << i;
            EXPECT_NEAR(bands[i].left, atFull[i].left * scale, 1.5) << scale << " line " << i;
            EXPECT_NEAR(bands[i].right, atFull[i].right * scale, 1.5) << scale << " line " << i;
        }
    }
}

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

TEST(PageModel, APageWithEveryObjectKindExportsPrintsAndThumbnailsWithoutWidgets)
{
    TCalendarPage page;
    page.Model().SetCalendarLayout(loFullCalendar);
    page.Model().SetLayoutValue(&CalendarSettings::MainCalMonth, 2);
    page.Model().SetLayoutValue(&CalendarSettings::MainCalYear, 2026);
    const QImage bare = page.RenderAt(1.0f);

    QObject* parent = page.ObjectParent();
    auto* label = new TQPLabel(parent);
    label->SetCaption(QStringLiteral("Picnic"));
    auto* super = new TQSuperText(parent);
    super->SetCaption(QStringLiteral("Fair"));
    auto* rich = new TQPRichBaseLabel(parent);
    QTextDocument doc;
    AppendRichParagraph(doc, QStringLiteral("Choir"), {QStringLiteral("Arial"), 14, 0, clBlack});
    TWPRtfStorage text;
    text.SetDocument(doc);
    rich->SetRTFText(text);
    auto* mini = new TQFlatCalendar(parent);
    mini->SetMonth(4);
    mini->SetYear(2026);
    auto* image = new TQImage(parent);
    QImage pixels(40, 30, QImage::Format_RGB32);
    pixels.fill(Qt::blue);
    TPicture picture;
    picture.SetBitmap(pixels);
    image->SetPicture(picture);
    const QList<std::pair<TQGraphicControl*, QRect>> placed = {{label, {60, 200, 200, 40}},
                                                               {super, {300, 200, 200, 60}},
                                                               {rich, {60, 400, 200, 80}},
                                                               {mini, {300, 400, 180, 150}},
                                                               {image, {60, 600, 80, 60}}};
    for (qsizetype i = 0; i < placed.size(); ++i) {
        // Named as reading names them, so that the bytes compare.
        placed[i].first->setObjectName(QStringLiteral("Component%1").arg(i));
        placed[i].first->SetBounds(placed[i].second);
        placed[i].first->Loaded();
    }

    // Each object shows where it lies, on the image as on paper and in a thumbnail.
    const QImage shown = page.RenderAt(1.0f);
    for (const auto& [object, bounds] : placed) {
        const QRect r = object->Bounds();
        EXPECT_NE(shown.copy(r), bare.copy(r)) << object->metaObject()->className();
    }
    const QString dir = outputDir();
    const QString pdf = dir + QStringLiteral("/every-kind.pdf");
    ASSERT_EQ(PrintToPdf(page, pdf), QString());
    const QString words = PdfText(pdf);
    // SuperText's default gradient face is drawn as outlines, not as text.
    for (const char* word : {"Picnic", "Choir", "April"})
        EXPECT_TRUE(words.contains(QLatin1String(word))) << word;
    const QString thumbnail = dir + QStringLiteral("/every-kind-thumbnail.png");
    ASSERT_EQ(ExportThumbnail(page, thumbnail, 128), QString());
    EXPECT_EQ(std::max(QImage(thumbnail).width(), QImage(thumbnail).height()), 128);

    // Written and read again, the page holds the same objects.
    const QString file = dir + QStringLiteral("/every-kind.qxf");
    ASSERT_EQ(ExportPage(page, file, 1.0), QString());
    TCalendarPage again;
    LoadFromFile(again, file, again.ObjectParent());
    EXPECT_EQ(again.Objects().size(), placed.size());
    EXPECT_EQ(DocumentBytes(again), DocumentBytes(page));

    EXPECT_TRUE(QGuiApplication::topLevelWindows().isEmpty());
    EXPECT_FALSE(QCoreApplication::instance()->inherits("QApplication"));
}

TEST(PageModel, UndoAndRedoPutBackAPageWithoutWidgets)
{
    TCalendarPage page;
    auto* label = new TQPLabel(page.ObjectParent());
    label->setObjectName(QStringLiteral("Component0"));
    label->SetCaption(QStringLiteral("Picnic"));
    label->SetBounds({60, 200, 200, 40});
    label->Loaded();
    TPageHistory history(page, nullptr);
    history.Reset(true);
    const QByteArray before = DocumentBytes(page);
    // The label has taken its text's height.
    const QRect placed = label->Bounds();

    label->SetBounds({90, 230, 150, 60});
    page.Model().SetLayoutValue(&CalendarSettings::MainCalMonth, 7);
    history.Record(QStringLiteral("Move"));
    const QByteArray after = DocumentBytes(page);
    ASSERT_NE(after, before);

    history.Undo();
    EXPECT_EQ(DocumentBytes(page), before);
    ASSERT_EQ(page.Objects().size(), 1);
    EXPECT_EQ(page.Objects().constFirst()->Bounds(), placed);
    EXPECT_TRUE(history.Stack().isClean());
    history.Redo();
    EXPECT_EQ(DocumentBytes(page), after);
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
