#include "surfacetesting.h"

#include "document/supertext/captionfit.h"
#include "document/supertext/qsupertext.h"
#include "document/supertext/supertextgradient.h"
#include "editor/supertext/supertextbrushimagebrowser.h"
#include "editor/supertext/supertextproperties.h"

#include "editor/objectmenu.h"
#include "editor/supertext/supertextmenu.h"
#include "platform/messages.h"
#include "report/reportprinter.h"
#include "stream/componentio.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kYellow = 0xFFFFFF00;

// The object painted alone on white, at its own size at a zoom.
QImage Render(TQSuperText& text, float zoom = 1.0f)
{
    text.CalculateLayout();
    QImage image(QSize(text.Width(), text.Height()) * zoom, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-QPointF(text.Left(), text.Top()) * zoom);
    text.Paint(painter, zoom);
    return image;
}

// The longest run of exactly this colour down any column of the image.
int LongestColumnRun(const QImage& image, QRgb color)
{
    int longest = 0;
    for (int x = 0; x < image.width(); ++x) {
        int run = 0;
        for (int y = 0; y < image.height(); ++y) {
            run = image.pixel(x, y) == color ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

TQSuperText* ReadBack(const QByteArray& bytes, QObject* parent)
{
    TStreamReader reader(bytes);
    return qobject_cast<TQSuperText*>(ReadComponent(reader, TQBasePanel::ObjectClasses(), parent));
}

QByteArray RecordWith(const std::function<void(TStreamWriter&)>& property)
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteChildBegin(QStringLiteral("TQSuperText"), QStringLiteral("Special1"));
    property(writer);
    writer.WriteListEnd();
    writer.WriteListEnd();
    return writer.Data();
}

template <class T> T* Child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

void Choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

TEST(SuperText, NewOneIsABlueToYellowGradientInBoldArial)
{
    TQSuperText text;
    text.Loaded();
    EXPECT_EQ(text.Font(), (FontDescription{QStringLiteral("Arial"), 48, fsBold, clBlack}));
    EXPECT_EQ(text.SurfaceType(), TQSuperText::stGradientFill);
    EXPECT_EQ(text.FillDirection(), TQSuperText::gdRight);
    text.SetCaption(QStringLiteral("HHHHHH"));
    text.resize(400, 100);
    const QImage image = Render(text);
    // The letter faces run from blue at the left to yellow at the right.
    int first = -1;
    int last = -1;
    const int row = text.TextRect().top() + text.TextRect().height() / 2;
    for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, row);
        if (c != Qt::white && c != Qt::black && first < 0)
            first = x;
        if (c != Qt::white && c != Qt::black)
            last = x;
    }
    ASSERT_GE(first, 0);
    const QColor left = image.pixelColor(first + 3, row);
    const QColor right = image.pixelColor(last - 3, row);
    EXPECT_GT(left.blue(), left.red());
    EXPECT_GT(right.red(), right.blue());
    EXPECT_GT(right.green(), right.blue());

    // A repaint after a change of look shows the new look.
    FontDescription green = text.Font();
    green.color = RGBValue(0, 128, 0);
    text.SetFont(green);
    text.SetSurfaceType(TQSuperText::stNormal);
    EXPECT_EQ(Render(text).pixel(first + 3, row), qRgb(0, 128, 0));
}

TEST(SuperText, EveryChangeOfTheLettersDrawsThemAsAFreshObjectWould)
{
    // The outlines of the letters are kept between paints: each change that moves or reshapes them
    // must show, pixel for pixel, as on an object that was never drawn before.
    const auto start = [](TQSuperText& t) {
        t.SetCaption(QStringLiteral("Shadowed"));
        t.SetShadowDepth(4);
        t.resize(400, 120);
    };
    const auto withFont = [](auto change) {
        return [change](TQSuperText& t) {
            FontDescription font = t.Font();
            change(font);
            t.SetFont(font);
        };
    };
    const std::function<void(TQSuperText&)> changes[] = {
        [](TQSuperText& t) { t.SetCaption(QStringLiteral("Other words")); },
        withFont([](FontDescription& f) { f.size = 30; }),
        withFont([](FontDescription& f) { f.style = fsItalic; }),
        withFont([](FontDescription& f) { f.name = QStringLiteral("Times New Roman"); }),
        [](TQSuperText& t) { t.SetShadowDepth(9); },
        [](TQSuperText& t) { t.SetShadowOrientation(TQSuperText::sdDownLeft); },
        [](TQSuperText& t) { t.resize(150, 120); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        TQSuperText drawn;
        start(drawn);
        Render(drawn);
        changes[i](drawn);
        // Laid out as the drawn one was, which may change its height, but never drawn.
        TQSuperText fresh;
        start(fresh);
        fresh.CalculateLayout();
        changes[i](fresh);
        EXPECT_EQ(Render(drawn), Render(fresh)) << "change " << i;
    }
}

TEST(SuperText, GradientBandsAndDirections)
{
    // Channel by channel: start + (i × (end − start)) / 255, rounded.
    EXPECT_EQ(GradientBandColor(0, kBlue, kYellow), kBlue);
    EXPECT_EQ(GradientBandColor(255, kBlue, kYellow), kYellow);
    EXPECT_EQ(GradientBandColor(100, kBlue, kYellow), qRgb(100, 100, 155));
    EXPECT_EQ(GradientBandColor(128, qRgb(10, 20, 30), qRgb(200, 100, 50)), qRgb(105, 60, 40));
    EXPECT_EQ(GradientBandColor(77, qRgb(200, 100, 50), qRgb(10, 20, 30)), qRgb(143, 76, 44));
    // Band i covers round(i × 100 / 256) up to round((i + 1) × 100 / 256): pixel 0 is band 1
    // (0.39 .. 0.78), pixel 1 band 3 (1.17 .. 1.56; band 2 rounds to nothing), pixel 99 band 254.
    const QImage strip = GradientStrip(100, false, kBlue, kYellow);
    ASSERT_EQ(strip.size(), QSize(100, 1));
    EXPECT_EQ(strip.pixel(0, 0), GradientBandColor(1, kBlue, kYellow));
    EXPECT_EQ(strip.pixel(1, 0), GradientBandColor(3, kBlue, kYellow));
    EXPECT_EQ(strip.pixel(99, 0), GradientBandColor(254, kBlue, kYellow));

    const struct
    {
        TQSuperText::TFillDirection direction;
        QPoint fromEnd; // where the "from" colour lies in the strip
        QPoint toEnd;
    } cases[] = {
        {TQSuperText::gdRight, {0, 0}, {255, 0}},
        {TQSuperText::gdLeft, {255, 0}, {0, 0}},
        {TQSuperText::gdDown, {0, 0}, {0, 255}},
        {TQSuperText::gdUp, {0, 255}, {0, 0}},
    };
    for (const auto& c : cases) {
        TQSuperText text;
        text.Loaded();
        text.resize(256, 256); // one pixel a band
        text.SetGradientFromColor(RGBValue(255, 0, 0));
        text.SetGradientToColor(RGBValue(0, 255, 0));
        text.SetFillDirection(c.direction);
        const QImage& gradient = text.GradientBitmap();
        EXPECT_EQ(gradient.pixel(c.fromEnd), qRgb(255, 0, 0)) << c.direction;
        EXPECT_EQ(gradient.pixel(c.toEnd), qRgb(0, 255, 0)) << c.direction;
    }
}

TEST(SuperText, CaptionIsCutToFitOrCrossedOut)
{
    TQSuperText text;
    text.Loaded();
    text.SetCaption(QStringLiteral("Happy Birthday"));
    text.resize(150, 80);
    text.CalculateLayout();
    const QString fitted = text.FittedCaption();
    const QFontMetrics metrics(text.Font().toQFontPixels(FontPixelSize(48, 1.0)));
    const int room = 150 - std::max(text.TextRect().left(), text.ShadowRect().left());
    ASSERT_FALSE(fitted.isEmpty());
    EXPECT_TRUE(QStringLiteral("Happy Birthday").startsWith(fitted));
    EXPECT_LE(metrics.horizontalAdvance(fitted), room);
    EXPECT_GT(metrics.horizontalAdvance(QStringLiteral("Happy Birthday").left(fitted.size() + 1)), room);

    text.resize(8, 80);
    const QImage crossed = Render(text);
    EXPECT_TRUE(text.FittedCaption().isEmpty());
    EXPECT_EQ(crossed.pixel(0, 40), qRgb(0, 0, 0));
    EXPECT_EQ(crossed.pixel(7, 40), qRgb(0, 0, 0));
    EXPECT_EQ(crossed.pixel(4, 40), qRgb(0, 0, 0)); // where the diagonals cross
}

TEST(SuperText, CaptionIsFittedWithAFewMeasurementsWhateverItsLength)
{
    // Made-up advances: 'W' 11, a surrogate pair 9, any other character 7.
    int calls = 0;
    const auto advance = [&calls](const QString& t) {
        ++calls;
        int width = 0;
        for (QChar c : t)
            width += c == u'W' ? 11 : c.isHighSurrogate() ? 9 : c.isLowSurrogate() ? 0 : 7;
        return width;
    };
    // The oracle: shorten one character at a time until it fits, never keeping half a pair.
    const QString text = QStringLiteral("Wide ") + QString::fromUcs4(U"\U0001F382") + QStringLiteral(" cake");
    for (int room = -1; room <= advance(text) + 1; ++room) {
        qsizetype chopped = text.size();
        while (chopped > 0 && (advance(text.left(chopped)) > room || text[chopped - 1].isHighSurrogate()))
            --chopped;
        EXPECT_EQ(FittingLength(text, room, advance), chopped) << room;
    }
    const QString longest(TQSuperText::kMaxCaptionLength, u'x');
    for (int room : {0, 7 * 1000, 7 * TQSuperText::kMaxCaptionLength - 1, 7 * TQSuperText::kMaxCaptionLength}) {
        calls = 0;
        FittingLength(longest, room, advance);
        EXPECT_LE(calls, 17) << room;
    }
}

TEST(SuperText, LaidOutBeforeItIsDrawnOnEveryDevice)
{
    // Stored far taller than its text settles to; what a twin settled beforehand draws is what every
    // device must show.
    std::unique_ptr<TQSuperText> twins[2];
    for (int settled = 0; settled < 2; ++settled) {
        twins[settled] = std::make_unique<TQSuperText>();
        twins[settled]->Loaded();
        twins[settled]->SetCaption(QStringLiteral("Summer"));
        twins[settled]->resize(300, 200);
        if (settled)
            twins[settled]->SettleBounds();
    }
    ASSERT_LT(twins[1]->Height(), 200);
    QImage images[2];
    for (int i = 0; i < 2; ++i) {
        images[i] = QImage(300, 200, QImage::Format_RGB32);
        images[i].fill(Qt::white);
        QPainter painter(&images[i]);
        twins[i]->PaintTo(painter, 0, 0);
    }
    EXPECT_EQ(twins[0]->size(), twins[1]->size());
    EXPECT_TRUE(images[0] == images[1]);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    // On paper a plain face is written as text, whose box shows any stretch.
    for (auto& twin : twins) {
        twin->resize(300, 200);
        twin->SetSurfaceType(TQSuperText::stNormal);
        twin->SetCaption(QStringLiteral("Winter"));
    }
    twins[1]->SettleBounds();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("twins.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) {
        twins[0]->PrintTo(r, 0.5, 0.5);
        twins[1]->PrintTo(r, 0.5, 4.5);
    }));
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    static const QRegularExpression word(
        QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">Winter<)re"));
    QList<QSizeF> sizes;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())))
        sizes.append(QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                            m.captured(4).toDouble() - m.captured(2).toDouble()));
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(sizes[0].width(), sizes[1].width(), 0.5);
    EXPECT_NEAR(sizes[0].height(), sizes[1].height(), 0.5);
}

TEST(SuperText, DoubleScaleDoublesShadowAndTextureTiles)
{
    // Texture rows: four red, four blue.
    QImage texture(8, 8, QImage::Format_RGB32);
    texture.fill(Qt::blue);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            texture.setPixel(x, y, qRgb(255, 0, 0));
    int runs[2] = {};
    for (int i = 0; i < 2; ++i) {
        const float scale = i == 0 ? 1.0f : 2.0f;
        TQSuperText text;
        text.Loaded();
        text.SetCaption(QStringLiteral("HH"));
        text.SetSurfaceType(TQSuperText::stBrushImage);
        text.SetImage(texture);
        text.SetOutlineWidth(0);
        text.SetShadowDepth(3);
        text.resize(300, 80);
        EXPECT_EQ(text.ShadowOffset(), QPoint(3, 3));
        runs[i] = LongestColumnRun(Render(text, scale), qRgb(255, 0, 0));
    }
    EXPECT_EQ(runs[0], 4);
    EXPECT_EQ(runs[1], 8);
}

TEST(SuperText, SurfaceTypeRulesInTheDialog)
{
    TQSuperText object;
    object.Loaded();
    TSuperTextProperties dialog;
    dialog.SetFrom(object);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const auto browse = TSuperTextProperties::BrowseTexture;
    TSuperTextProperties::BrowseTexture = [&](QWidget*, const QString&, const TQSuperText&, QString& file,
                                              QImage& picture) {
        file = QStringLiteral("/textures/red.bmp");
        picture = red;
        return true;
    };
    TQSuperText* preview = dialog.PreviewText();
    auto* surfaceType = Child<QComboBox>(&dialog, "SurfaceType");
    Choose(surfaceType, TQSuperText::stBrushImage);
    Child<QPushButton>(&dialog, "LoadTexture")->click();
    EXPECT_EQ(preview->Image(), red);
    Choose(surfaceType, TQSuperText::stGradientFill);
    EXPECT_TRUE(preview->Image().isNull());
    Choose(surfaceType, TQSuperText::stBrushImage);
    EXPECT_EQ(preview->Image(), red);

    // Hollow letters keep an outline.
    auto* outlineStyle = Child<QComboBox>(&dialog, "OutlineStyle");
    Choose(outlineStyle, TQSuperText::psClear);
    Choose(surfaceType, TQSuperText::stBrushTransparent);
    EXPECT_EQ(preview->OutlineStyle(), TQSuperText::psSolid);
    EXPECT_EQ(outlineStyle->currentIndex(), TQSuperText::psSolid);

    // OK takes the look back, not the box, border or size.
    object.SetBorderStyle(TQSuperText::bsSingle);
    object.SetBGColor(RGBValue(255, 0, 0));
    object.SetControlTransparent(false);
    object.resize(377, 166);
    Choose(surfaceType, TQSuperText::stBrushImage);
    Child<QLineEdit>(&dialog, "TextEdit")->setText(QStringLiteral("Sale"));
    dialog.ApplyTo(object);
    EXPECT_EQ(object.Caption(), QStringLiteral("Sale"));
    EXPECT_EQ(object.SurfaceType(), TQSuperText::stBrushImage);
    EXPECT_EQ(object.Image(), red);
    EXPECT_EQ(object.LastBitmapFileNameandPath(), QStringLiteral("/textures/red.bmp"));
    EXPECT_EQ(object.BorderStyle(), TQSuperText::bsSingle);
    EXPECT_EQ(object.BGColor(), RGBValue(255, 0, 0));
    EXPECT_EQ(object.size(), QSize(377, 166));
    TSuperTextProperties::BrowseTexture = browse;
}

TEST(SuperText, FontSizeStepsAndEmptyTextInTheDialog)
{
    const struct
    {
        int start;
        const char* button;
        int once;
        int twice;
    } cases[] = {{15, "FontSizeDown", 10, 10}, {148, "FontSizeUp", 153, 153}};
    for (const auto& c : cases) {
        TQSuperText object;
        FontDescription font = object.Font();
        font.size = c.start;
        object.SetFont(font);
        TSuperTextProperties dialog;
        dialog.SetFrom(object);
        auto* button = Child<QToolButton>(&dialog, c.button);
        button->click();
        EXPECT_EQ(dialog.PreviewText()->Font().size, c.once) << c.button;
        button->click();
        EXPECT_EQ(dialog.PreviewText()->Font().size, c.twice) << c.button;
    }

    QStringList messages;
    SetMessageResponder([&](MessageKind, const QString& text, const QString&) {
        messages.append(text);
        return true;
    });
    TSuperTextProperties dialog;
    dialog.show();
    Child<QLineEdit>(&dialog, "TextEdit")->clear();
    Child<QPushButton>(&dialog, "OkButton")->click();
    SetMessageResponder(nullptr);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Please enter some text")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(SuperText, StreamKeepsTheLookAndIgnoresValuesOutOfRange)
{
    QWidget parent;
    TQSuperText text(&parent);
    text.Loaded();
    QImage texture(3, 2, QImage::Format_RGB32);
    texture.fill(qRgb(10, 200, 30));
    text.SetSurfaceType(TQSuperText::stBrushImage);
    text.SetImage(texture);
    text.SetShadowDepth(4);
    text.SetShadowOrientation(TQSuperText::sdLeft);
    text.SetOutlineStyle(TQSuperText::psDashDot);
    text.SetCaption(QStringLiteral("Fête"));
    TStreamWriter writer;
    WriteComponent(writer, text);
    std::unique_ptr<TQSuperText> copy(ReadBack(writer.Data(), &parent));
    ASSERT_TRUE(copy);
    for (const QMetaProperty& property : StreamProperties(TQSuperText::staticMetaObject))
        EXPECT_EQ(property.read(copy.get()), property.read(&text)) << property.name();
    EXPECT_EQ(copy->Image().pixel(2, 1), qRgb(10, 200, 30));

    // Values out of range give way to a new object's and are noted; the rest of the record is read.
    const TQSuperText usual;
    const struct
    {
        const char* name;
        std::function<void(TStreamWriter&)> write;
        const char* noted;
    } outOfRange[] = {
        {"ShadowDepth", [](TStreamWriter& w) { w.WriteInteger(-1); }, "ShadowDepth -1"},
        {"OutlineWidth", [](TStreamWriter& w) { w.WriteInteger(100000); }, "OutlineWidth 100000"},
        {"SurfaceType", [](TStreamWriter& w) { w.WriteInteger(9); }, "SurfaceType 9"},
        {"ShadowOrientation", [](TStreamWriter& w) { w.WriteInteger(-2); }, "ShadowOrientation -2"},
        {"BGColor", [](TStreamWriter& w) { w.WriteInteger(0x12345678); }, "BGColor 305419896"},
        {"Font.Height", [](TStreamWriter& w) { w.WriteInteger(-1000000); }, "Font.Size 750000"},
    };
    for (const auto& d : outOfRange) {
        const QByteArray bytes = RecordWith([&](TStreamWriter& w) {
            w.WritePropertyName(QLatin1String(d.name));
            d.write(w);
            w.WritePropertyName(QStringLiteral("Caption"));
            w.WriteString(QStringLiteral("after"));
        });
        std::unique_ptr<TQSuperText> read(ReadBack(bytes, &parent));
        ASSERT_NE(read, nullptr) << d.name;
        EXPECT_EQ(read->IgnoredValues(), QStringList{QLatin1String(d.noted)});
        const QByteArray property = QByteArray(d.name).split('.').first();
        EXPECT_EQ(read->property(property), usual.property(property)) << d.name;
        EXPECT_EQ(read->Caption(), QStringLiteral("after")) << d.name;
    }
    // A texture that cannot be shown leaves the letters without one and is saved back as it was.
    const QByteArray junk("\x08\0\0\0BMjunk!!", 12);
    std::unique_ptr<TQSuperText> read(ReadBack(RecordWith([&](TStreamWriter& w) {
                                                   w.WritePropertyName(QStringLiteral("Image.Data"));
                                                   w.WriteBinary(junk);
                                               }),
                                               &parent));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Image().isNull());
    EXPECT_EQ(read->PicturesNotShown(), 1);
    EXPECT_EQ(read->ImageData(), junk);
    // A caption longer than anyone types is not taken.
    std::unique_ptr<TQSuperText> longCaption(ReadBack(RecordWith([&](TStreamWriter& w) {
                                                          w.WritePropertyName(QStringLiteral("Caption"));
                                                          w.WriteString(
                                                              QString(TQSuperText::kMaxCaptionLength + 1, u'x'));
                                                      }),
                                                      &parent));
    ASSERT_NE(longCaption, nullptr);
    EXPECT_EQ(longCaption->Caption(), usual.Caption());
    EXPECT_EQ(longCaption->IgnoredValues(), QStringList{QStringLiteral("Caption 32768")});
}

TEST(SuperText, MenuTogglesBorderAndTransparency)
{
    SurfaceWindow w;
    auto* text = new TQSuperText;
    w.surface->PlaceObject(text, TRect{10, 10, 200, 100});
    QMenu* menu = ObjectMenu(text);
    MenuItem(menu, QStringLiteral("Border"))->trigger();
    MenuItem(menu, QStringLiteral("Transparent"))->trigger();
    RefreshMenu(menu);
    EXPECT_EQ(text->BorderStyle(), TQSuperText::bsSingle);
    EXPECT_FALSE(text->ControlTransparent());
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Border"))->isChecked());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Transparent"))->isChecked());

    const auto chooseColor = TSuperTextMenu::ChooseColor;
    TSuperTextMenu::ChooseColor = [](QWidget*, TColor& color) {
        color = RGBValue(1, 2, 3);
        return true;
    };
    MenuItem(menu, QStringLiteral("Transparent"))->trigger();
    MenuItem(menu, QStringLiteral("Background Color"))->trigger();
    TSuperTextMenu::ChooseColor = chooseColor;
    EXPECT_EQ(text->BGColor(), RGBValue(1, 2, 3));
    EXPECT_FALSE(text->ControlTransparent());
}

TEST(SuperText, PrintedAsVectorsWithTheTextKept)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    TQSuperText text;
    text.Loaded();
    text.SetCaption(QStringLiteral("Summer"));
    text.SetShadowDepth(3);
    text.resize(300, 90);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("supertext.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { text.PrintTo(r, 0.5, 0.5); }));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The gradient is bands of colour, not a picture.
    EXPECT_FALSE(file.readAll().contains("/Subtype /Image"));
    QProcess process;
    process.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("Summer")));
}

TEST(SuperText, ToolMakesABoxAndOpensTheProperties)
{
    SurfaceWindow w;
    auto* text = new TQSuperText;
    w.surface->PlaceObject(text, TRect{10, 10, 200, 100});
    bool opened = false;
    WhenModalShown<TSuperTextProperties>([&](TSuperTextProperties* dialog) {
        opened = true;
        dialog->reject();
    });
    TSuperTextMenu::CreatedByTool(*text);
    EXPECT_EQ(text->BorderStyle(), TQSuperText::bsSingle);
    EXPECT_FALSE(text->ControlTransparent());
    EXPECT_EQ(text->BGColor(), clWhite);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }));
}

TEST(SuperText, TextureBrowserStartsInTheTextureFoldersAndLoadsByExtension)
{
    ScratchProgramFolder folder;
    const auto start = [](const QString& file) { return QDir(TSuperTextBrushImageBrowser::StartFolder(file)); };
    EXPECT_EQ(start(QString()), QDir(folder.path()));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Textures")));
    EXPECT_EQ(start(QString()), QDir(folder.file(QStringLiteral("Textures"))));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("bmbrush")));
    EXPECT_EQ(start(QString()), QDir(folder.file(QStringLiteral("bmbrush"))));

    const QString good = folder.file(QStringLiteral("Textures/Green.BMP"));
    QImage green(6, 6, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(good, "BMP"));
    for (const char* name : {"Textures/bad.bmp", "Textures/bad.jpg"}) {
        QFile junk(folder.file(QLatin1String(name)));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
    }
    EXPECT_EQ(start(good), QDir(folder.file(QStringLiteral("Textures"))));

    QStringList messages;
    SetMessageResponder([&](MessageKind, const QString& text, const QString&) {
        messages.append(text);
        return true;
    });
    TQSuperText look;
    TSuperTextBrushImageBrowser browser;
    browser.Start(good, look);
    EXPECT_EQ(browser.FileName(), good);
    EXPECT_EQ(browser.Example()->Image().pixel(0, 0), qRgb(0, 255, 0));
    browser.SelectFile(QStringLiteral("bad.jpg"));
    EXPECT_TRUE(browser.Example()->Image().isNull());
    EXPECT_TRUE(messages.isEmpty());
    browser.SelectFile(QStringLiteral("bad.bmp"));
    SetMessageResponder(nullptr);
    EXPECT_TRUE(browser.Example()->Image().isNull());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Error loading file!")});
}
