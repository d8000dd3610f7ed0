#include "surfacetesting.h"

#include "document/label/qplabel.h"
#include "editor/label/colordrop.h"
#include "editor/label/getlabeltext.h"
#include "editor/label/qfont3deffects.h"

#include "editor/label/labelmenu.h"
#include "editor/objectmenu.h"
#include "report/reportprinter.h"
#include "stream/componentio.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TQPLabel* AddLabel(SurfaceWindow& w, int left, int top)
{
    auto* label = new TQPLabel;
    w.surface->PlaceObject(label, {left, top, left + 142, top + 33});
    label->SetScreenRect(QRect(left, top, 142, 33));
    return label;
}

QImage Render(TQBaseLabel& label)
{
    label.CalculateLayout(); // the size first: drawing may adapt it
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    label.PaintTo(painter, 0, 0);
    return image;
}

QSet<QRgb> Colors(const QImage& image)
{
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    }
    return colors;
}

// Every stored property of the object as the stream would write it, by name.
QVariantMap StoredValues(const QObject& object)
{
    QVariantMap values;
    for (const QMetaProperty& property : StreamProperties(*object.metaObject()))
        values.insert(QLatin1String(property.name()), property.read(&object));
    return values;
}

// A label record with these properties after its bounds.
QByteArray LabelRecord(const std::function<void(TStreamWriter&)>& properties)
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteChildBegin(QStringLiteral("TQPLabel"), QStringLiteral("Special1"));
    for (const char* name : {"Left", "Top", "Width", "Height"}) {
        writer.WritePropertyName(QLatin1String(name));
        writer.WriteInteger(40);
    }
    properties(writer);
    writer.WriteListEnd();
    writer.WriteListEnd();
    return writer.Data();
}

} // namespace

TEST(TextLabel, LayoutPlacesTextAndEffectsAndAdaptsTheSize)
{
    // Shadow 3 down-right and highlight 2 up-left, through the label's own offsets.
    TQPLabel label;
    label.SetDepthShadow(3);
    label.SetDirectionShadow(TQBaseLabel::sdDownRight);
    label.SetDepthHighlight(2);
    label.SetDirectionHighlight(TQBaseLabel::hdUpLeft);
    TLabelLayoutInput in{142, 33, 0, TLabelAlign::Left, label.ShadowOffset(), label.HighlightOffset(), 20, 50};
    TLabelLayout out = CalculateLabelLayout(in);
    EXPECT_EQ(out.textMargin, QPoint(2, 2));
    EXPECT_EQ(out.needed, 20 + 3 + 2);
    EXPECT_EQ(out.height, 30); // 25 × 1.2
    EXPECT_EQ(out.width, 142);
    EXPECT_EQ(out.textRect, (TRect{2, 2, 142, 22}));
    EXPECT_EQ(out.shadowOrigin, QPoint(5, 5));
    EXPECT_EQ(out.highlightOrigin, QPoint(0, 0));

    struct Case
    {
        int width, height, angle;
        TLabelAlign alignment;
        int wantWidth, wantHeight;
        TRect text;
        QPoint origin;
    };
    // Line height 20, text 50 wide, no effects; worked out by hand.
    const Case cases[] = {
        {142, 33, 0, TLabelAlign::Right, 142, 24, {0, 0, 142, 20}, {92, 0}},
        {142, 33, 0, TLabelAlign::Center, 142, 24, {0, 0, 142, 20}, {46, 0}},
        {3, 10, 0, TLabelAlign::Left, 50, 20, {0, 0, 50, 20}, {0, 0}}, // too narrow: text width; too low: l
        {142, 33, 180, TLabelAlign::Left, 100, 24, {0, 0, 100, 20}, {100, 20}},
        {33, 142, 90, TLabelAlign::Left, 24, 60, {0, 0, 20, 60}, {0, 60}},
        {33, 142, 270, TLabelAlign::Left, 24, 60, {0, 0, 20, 60}, {20, 0}},
    };
    for (const Case& c : cases) {
        out = CalculateLabelLayout({c.width, c.height, c.angle, c.alignment, {}, {}, 20, 50});
        EXPECT_EQ(QSize(out.width, out.height), QSize(c.wantWidth, c.wantHeight)) << c.angle;
        EXPECT_EQ(out.textRect, c.text) << c.angle;
        EXPECT_EQ(out.textOrigin, c.origin) << c.angle;
    }
    // Effects turn with the text: a shadow down-right lies left of the text at 90 degrees.
    out = CalculateLabelLayout({33, 142, 90, TLabelAlign::Left, {3, 3}, {}, 20, 50});
    EXPECT_EQ(out.shadowRect.left - out.textRect.left, 3);
    EXPECT_EQ(out.shadowRect.top - out.textRect.top, -3);
}

TEST(TextLabel, EveryAngleDrawsInsideTheLabel)
{
    using S = TQBaseLabel::TShadowDirection;
    using H = TQBaseLabel::THighlightDirection;
    const struct
    {
        S shadow;
        int shadowDepth;
        H highlight;
        int highlightDepth;
    } effects[] = {
        {S::sdNone, 0, H::hdNone, 0}, {S::sdDownRight, 4, H::hdUpLeft, 3}, {S::sdLeft, 5, H::hdright, 3},
        {S::sdDown, 5, H::hdUp, 2},   {S::sdDownLeft, 4, H::hdUpRight, 4},
    };
    for (const auto& effect : effects) {
        for (int angle : {0, 90, 180, 270}) {
            SCOPED_TRACE(testing::Message()
                         << "angle " << angle << " shadow " << effect.shadow << " highlight " << effect.highlight);
            TQPLabel label;
            label.Loaded();
            label.SetFont({QStringLiteral("Arial"), 20, 0, clBlack});
            label.SetDirectionShadow(effect.shadow);
            label.SetDepthShadow(effect.shadowDepth);
            label.SetDirectionHighlight(effect.highlight);
            label.SetDepthHighlight(effect.highlightDepth);
            label.SetAngle(angle);
            label.CalculateLayout();
            // Where each layer's text goes: from its origin along the turned line, a cell high across it.
            const QFontMetrics metrics(label.CanvasFont());
            const int along = metrics.horizontalAdvance(label.Caption());
            const int across = metrics.height();
            const TLabelLayout& l = label.Layout();
            for (QPoint o : {l.textOrigin, l.shadowOrigin, l.highlightOrigin}) {
                const QRect drawn = angle == 0     ? QRect(o.x(), o.y(), along, across)
                                    : angle == 90  ? QRect(o.x(), o.y() - along, across, along)
                                    : angle == 180 ? QRect(o.x() - along, o.y() - across, along, across)
                                                   : QRect(o.x() - across, o.y(), across, along);
                EXPECT_EQ(QRect(QPoint(0, 0), label.size()).united(drawn), QRect(QPoint(0, 0), label.size()));
            }
            // Drawn into an export nothing lands outside, however long the caption.
            for (const char* caption : {"Text", "A caption far longer than the label"}) {
                label.SetCaption(QLatin1String(caption));
                label.CalculateLayout();
                QImage image(label.size() + QSize(80, 80), QImage::Format_RGB32);
                image.fill(Qt::magenta);
                {
                    QPainter painter(&image);
                    label.PaintTo(painter, 40, 40);
                }
                const QRect inside(QPoint(40, 40), label.size());
                int outside = 0;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x)
                        outside += !inside.contains(x, y) && image.pixel(x, y) != QColor(Qt::magenta).rgb();
                }
                EXPECT_EQ(outside, 0) << caption;
            }
        }
    }
}

TEST(TextLabel, AngleSwapsSizeResetsAlignmentAndIgnoresOtherValues)
{
    SurfaceWindow w;
    TQPLabel* label = AddLabel(w, 10, 10);
    label->SetAlignment(TQBaseLabel::taCenter);
    label->SetAngle(90);
    EXPECT_EQ(label->size(), QSize(33, 142));
    EXPECT_EQ(label->Alignment(), TQBaseLabel::taLeftJustify);
    label->SetAngle(0);
    EXPECT_EQ(label->size(), QSize(142, 33));
    EXPECT_EQ(label->Alignment(), TQBaseLabel::taLeftJustify);
    for (int angle : {45, -90, 360}) {
        label->SetAngle(angle);
        EXPECT_EQ(label->Angle(), 0);
    }
    // Drawn, the label adapts to its text across the turned line.
    label->SetAngle(270);
    label->CalculateLayout();
    EXPECT_LT(label->Height(), 142);
    EXPECT_EQ(label->size(), QSize(label->Layout().width, label->Layout().height));
}

TEST(TextLabel, TextDialogGrowsButNeverNarrowsAndToolSetsUpTheLabel)
{
    SurfaceWindow w;
    auto* label = new TQPLabel;
    w.surface->PlaceObject(label, {10, 10, 60, 25});
    const auto answer = [](const char* text, bool ok) {
        WhenModalShown<TGetLabelText>([text, ok](TGetLabelText* dialog) {
            dialog->LabelText()->setText(QLatin1String(text));
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
    };
    answer("A rather longer caption", true);
    TLabelMenu::StartFromTool(*label);
    EXPECT_EQ(label->Caption(), QStringLiteral("A rather longer caption"));
    EXPECT_EQ(label->Font().size, 20);
    // A named face, not the desktop's alias, goes into the document.
    EXPECT_EQ(label->Font().name, QStringLiteral("Arial"));
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), TQBaseLabel::bsSingle);
    const QFontMetrics metrics(label->CanvasFont());
    const int wide = label->Width();
    EXPECT_GE(wide, metrics.horizontalAdvance(label->Caption() + QStringLiteral("     ")));

    answer("short", true);
    TLabelMenu::EditText(*label);
    EXPECT_EQ(label->Caption(), QStringLiteral("short"));
    EXPECT_EQ(label->Width(), wide);
    answer("changed", false);
    TLabelMenu::EditText(*label);
    EXPECT_EQ(label->Caption(), QStringLiteral("short"));
    answer("", true);
    TLabelMenu::EditText(*label);
    EXPECT_EQ(label->Caption(), QString());
}

TEST(TextLabel, EffectsDialogShowsChangesOnTheSampleAndCancelKeepsTheLabel)
{
    SurfaceWindow w;
    TQPLabel* label = AddLabel(w, 10, 10);
    label->SetDepthShadow(12); // beyond the list
    for (bool ok : {false, true}) {
        TQFont3DEffects dialog(label);
        dialog.show();
        EXPECT_EQ(dialog.ShadowDepth()->currentIndex(), -1);
        EXPECT_EQ(dialog.ShadowColor()->currentText(), QStringLiteral("Gray"));
        emit dialog.ShadowColor()->activated(9); // Red
        emit dialog.HighlightDepth()->activated(4);
        EXPECT_EQ(dialog.Sample()->colorShadow(), RGBValue(255, 0, 0));
        EXPECT_EQ(dialog.Sample()->DepthHighlight(), 4);
        (ok ? dialog.OkButton() : dialog.CancelButton())->click();
        EXPECT_EQ(label->colorShadow(), ok ? RGBValue(255, 0, 0) : RGBValue(128, 128, 128)) << ok;
        EXPECT_EQ(label->DepthHighlight(), ok ? 4 : 0) << ok;
        EXPECT_EQ(label->DepthShadow(), 12);
    }
}

TEST(TextLabel, ColorDropSelectsTheFirstEntryOfAColour)
{
    TColorDrop drop;
    EXPECT_EQ(drop.count(), 18);
    drop.SetSelectedColor(RGBValue(128, 128, 128));
    EXPECT_EQ(drop.currentText(), QStringLiteral("Gray"));
    drop.SetSelectedColor(RGBValue(1, 2, 3));
    EXPECT_EQ(drop.currentText(), QStringLiteral("Gray"));
    EXPECT_EQ(drop.SelectedColor(), RGBValue(128, 128, 128));
    QFont big = drop.font();
    big.setPixelSize(30);
    drop.setFont(big);
    EXPECT_EQ(drop.ItemHeight(), 34);
}

TEST(TextLabel, EmptyCaptionDrawsOnlyBackgroundAndBorder)
{
    SurfaceWindow w;
    TQPLabel* label = AddLabel(w, 10, 10);
    label->SetTransparent(false);
    label->SetBackColor(clWhite);
    label->SetBorderStyle(TQBaseLabel::bsSingle);
    label->SetDepthShadow(3);
    label->SetDepthHighlight(2);
    const QSet<QRgb> plain{QColor(Qt::white).rgb(), QColor(Qt::black).rgb()};
    EXPECT_GT(Colors(Render(*label)).size(), 2); // the caption, shadow and highlight show
    label->SetCaption(QString());
    EXPECT_EQ(Colors(Render(*label)), plain);
}

TEST(TextLabel, SurvivesStreamClipboardAndCloneWithEveryProperty)
{
    // The object clipboard is a file: one of the test's own, not one in the shared build folder.
    ScratchProgramFolder folder;
    SurfaceWindow w;
    TQPLabel* label = AddLabel(w, 30, 40);
    label->SetAlignment(TQBaseLabel::taRightJustify);
    label->SetDepthHighlight(2);
    label->SetDepthShadow(4);
    label->SetDirectionHighlight(TQBaseLabel::hdUp);
    label->SetDirectionShadow(TQBaseLabel::sdLeft);
    label->SetcolorHighlight(RGBValue(1, 2, 3));
    label->SetcolorShadow(RGBValue(4, 5, 6));
    label->SetCaption(QStringLiteral("Grüße"));
    label->SetFont({QStringLiteral("Times New Roman"), 17, fsBold | fsItalic, RGBValue(7, 8, 9)});
    label->SetTransparent(false);
    label->SetBackColor(RGBValue(10, 11, 12));
    label->SetBorderStyle(TQBaseLabel::bsSingle);
    label->SetLocked(true);

    const auto viaStream = [&](TQPLabel* source) {
        TStreamWriter writer;
        WriteComponent(writer, *source);
        TStreamReader reader(writer.Data());
        return ReadComponent(reader, TQBasePanel::ObjectClasses(), w.surface);
    };
    const auto viaClipboard = [&](TQPLabel* source) -> QObject* {
        w.surface->ObjectClipboard(source, ccCopy);
        w.surface->ObjectClipboard(source, ccPaste);
        QObject* pasted = w.surface->PlacedObjects().last();
        qobject_cast<TQGraphicControl*>(pasted)->SetBounds(QRect(source->Bounds().topLeft(), source->size()));
        return pasted;
    };
    const auto viaClone = [&](TQPLabel* source) -> QObject* {
        TQGraphicControl* copy = source->CloneObject();
        copy->SetBounds(QRect(source->Bounds().topLeft(), source->size()));
        return copy;
    };
    for (const QString& caption : {QStringLiteral("Grüße"), QString()}) {
        label->SetCaption(caption);
        label->CalculateLayout(); // a copy shown may adapt its size; the source has done so already
        QVariantMap expected = StoredValues(*label);
        for (const auto& route :
             {std::function<QObject*(TQPLabel*)>(viaStream), std::function(viaClipboard), std::function(viaClone)}) {
            QObject* copy = route(label);
            ASSERT_NE(qobject_cast<TQPLabel*>(copy), nullptr);
            const QVariantMap read = StoredValues(*copy);
            for (auto value = expected.cbegin(); value != expected.cend(); ++value)
                EXPECT_TRUE(read.value(value.key()) == value.value())
                    << value.key().toStdString() << " of \"" << caption.toStdString() << '"';
            delete copy;
        }
    }
}

TEST(TextLabel, OutOfRangeValuesAreIgnoredAndNoted)
{
    SurfaceWindow w;
    struct Case
    {
        const char* name;
        qint32 value;
        const char* property; // read back
        QVariant kept;
        bool ignored;
    };
    const Case cases[] = {
        {"DepthShadow", 11, "DepthShadow", 11, false},
        {"Angle", 45, "Angle", 0, true},
        {"DepthHighlight", -1, "DepthHighlight", 0, true},
        {"DepthShadow", 1 << 30, "DepthShadow", 0, true},
        {"DirectionShadow", 9, "DirectionShadow", QVariant::fromValue(TQBaseLabel::sdDownRight), true},
        {"Alignment", -1, "Alignment", QVariant::fromValue(TQBaseLabel::taLeftJustify), true},
        {"colorShadow", 0x12345678, "colorShadow", RGBValue(128, 128, 128), true},
        {"Font.Size", 100000, "Font", QVariant::fromValue(FontDescription()), true},
        {"Width", 100000, "Width", 142, true},
    };
    for (const Case& c : cases) {
        TStreamReader reader(LabelRecord([&](TStreamWriter& writer) {
            writer.WritePropertyName(QLatin1String(c.name));
            writer.WriteInteger(c.value);
        }));
        std::unique_ptr<TQPLabel> read(
            qobject_cast<TQPLabel*>(ReadComponent(reader, TQBasePanel::ObjectClasses(), w.surface)));
        ASSERT_NE(read, nullptr) << c.name;
        EXPECT_EQ(read->property(c.property), c.kept) << c.name;
        EXPECT_EQ(read->IgnoredValues(),
                  c.ignored ? QStringList{QStringLiteral("%1 %2").arg(QLatin1String(c.name)).arg(c.value)}
                            : QStringList())
            << c.name;
    }
    // A caption longer than any label takes is damage: the record is refused.
    TStreamReader endless(LabelRecord([](TStreamWriter& writer) {
        writer.WritePropertyName(QStringLiteral("Caption"));
        writer.WriteString(QString(40000, QLatin1Char('x')));
    }));
    EXPECT_THROW(ReadComponent(endless, TQBasePanel::ObjectClasses(), w.surface), EStreamError);
    EXPECT_EQ(w.surface->PlacedObjects().size(), 0);

    // The bounds read stay as stored whatever angle comes with them, so a copy of a copy is the same.
    TStreamReader turned(LabelRecord([](TStreamWriter& writer) {
        writer.WritePropertyName(QStringLiteral("Width"));
        writer.WriteInteger(100);
        writer.WritePropertyName(QStringLiteral("Angle"));
        writer.WriteInteger(90);
    }));
    std::unique_ptr<QObject> read(ReadComponent(turned, TQBasePanel::ObjectClasses(), w.surface));
    EXPECT_EQ(qobject_cast<TQPLabel*>(read.get())->size(), QSize(100, 40));
}

TEST(TextLabel, PrintsAsVectorTextAtEveryAngle)
{
    SurfaceWindow w;
    const char* captions[] = {"Upright", "Turned", "Overhead", "Sideways"};
    int angle = 0;
    for (const char* caption : captions) {
        TQPLabel* label = AddLabel(w, 20, 20 + angle);
        label->SetCaption(QLatin1String(caption));
        label->SetAngle(angle);
        angle += 90;
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { w.surface->PrintObjects(r, 0.5, 0.5); }));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    // Each caption once, as text, its line as thick as the upright one's whatever the turn.
    static const QRegularExpression word(
        QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(\w+)<)re"));
    QMap<QString, double> thickness;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(text.readAllStandardOutput())))
        thickness[m.captured(5)] = std::min(m.captured(3).toDouble() - m.captured(1).toDouble(),
                                            m.captured(4).toDouble() - m.captured(2).toDouble());
    ASSERT_EQ(thickness.size(), 4);
    for (const char* caption : captions)
        EXPECT_NEAR(thickness.value(QLatin1String(caption)), thickness.value(QStringLiteral("Upright")), 0.5)
            << caption;
}

TEST(TextLabel, MenuChecksFollowTheLabel)
{
    SurfaceWindow w;
    TQPLabel* label = AddLabel(w, 10, 10);
    QMenu* menu = ObjectMenu(label);
    MenuItem(menu, QStringLiteral("Border"))->trigger();
    label->SetAngle(180);
    label->SetTransparent(false); // as the label tool does after the menu was built
    ObjectMenuOpening(label);
    EXPECT_TRUE(MenuItem(menu, QStringLiteral("Border"))->isChecked());
    EXPECT_FALSE(MenuItem(menu, QStringLiteral("Transparent"))->isChecked());
    QMenu* rotation = MenuItem(menu, QStringLiteral("Rotation"))->menu();
    EXPECT_TRUE(MenuItem(rotation, QStringLiteral("180 Degrees"))->isChecked());
    EXPECT_FALSE(MenuItem(rotation, QStringLiteral("No Rotation"))->isChecked());
    EXPECT_EQ(MenuItem(menu, QStringLiteral("Text"))->data().toInt(), 1000);
    MenuItem(rotation, QStringLiteral("90 Degrees"))->trigger();
    EXPECT_EQ(label->Angle(), 90);
}
