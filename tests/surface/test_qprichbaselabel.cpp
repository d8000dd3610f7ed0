#include "surfacetesting.h"

#include "document/richlabel/qprichbaselabel.h"
#include "editor/qhandle.h"
#include "editor/richlabel/richtextlabeleditor.h"

#include "editor/objectmenu.h"
#include "editor/qbasepanel.h"
#include "editor/richlabel/richlabelmenu.h"
#include "report/reportprinter.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "stream/componentio.h"
#include "support/testsupport.h"

#include <QAction>
#include <QColorDialog>
#include <QFrame>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Three runs in different faces, colours and styles, then a centred paragraph.
const QByteArray kMixedText = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                              "\\f0\\fs24 Plain {\\f1\\fs36\\b\\cf1 Bold red} {\\i\\ul\\cf2 italic blue}\\par"
                              "\\pard\\qc\\fs16 Centred\\par}";

// A surface window for labels.
struct LabelWindow
{
    // A label placed as the tool places it, then given exactly these bounds.
    TQPRichBaseLabel* Add(int left, int top, int width, int height, const QByteArray& rtf = kMixedText)
    {
        auto* label = new TQPRichBaseLabel;
        w.surface->PlaceObject(label, {left, top, left + width, top + height});
        label->SetScreenRect(QRect(left, top, width, height));
        label->SetRTFData(rtf);
        return label;
    }
    SurfaceWindow w;
};

// The label painted on its own over red.
// The label as its page shows it at the page's zoom.
QImage Painted(TQPRichBaseLabel* label)
{
    const QRect shown = label->ScreenRect();
    QImage image(shown.size(), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.translate(-shown.topLeft());
    label->Paint(painter, label->Zoom());
    return image;
}

// Right edge of everything neither red nor white, the background colours of these tests.
int InkRight(const QImage& image)
{
    int right = -1;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            const QRgb p = image.pixel(x, y);
            if (p != qRgb(255, 0, 0) && p != qRgb(255, 255, 255))
                right = std::max(right, x);
        }
    }
    return right;
}

void Trigger(TQPRichBaseLabel* label, const char* caption)
{
    ObjectMenuOpening(label);
    QAction* item = MenuItem(ObjectMenu(label), QString::fromLatin1(caption));
    ASSERT_NE(item, nullptr) << caption;
    item->trigger();
}

// What a character shows: face, size, weight, slant, underline and colour.
QString Look(const QTextDocument& doc, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&doc));
    cursor.setPosition(position + 1);
    const QTextCharFormat f = cursor.charFormat();
    return QStringLiteral("%1 %2pt w%3 i%4 u%5 %6 a%7")
        .arg(f.font().family())
        .arg(f.font().pointSizeF())
        .arg(int(f.font().weight()))
        .arg(int(f.font().italic()))
        .arg(int(f.font().underline()))
        .arg(f.foreground().color().name())
        .arg(int(doc.findBlock(position).blockFormat().alignment()));
}

QStringList Looks(const TQPRichBaseLabel& label)
{
    const QTextDocument& doc = label.RTFText().Document();
    QStringList looks;
    for (const char* word : {"Plain", "Bold", "italic", "Centred"})
        looks.append(Look(doc, doc.toPlainText().indexOf(QLatin1String(word))));
    return looks;
}

QByteArray Record(const QList<std::pair<const char*, qint32>>& integers)
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteChildBegin(QStringLiteral("TQPRichBaseLabel"), QStringLiteral("Read"));
    for (const auto& [name, value] : integers) {
        writer.WritePropertyName(QString::fromLatin1(name));
        writer.WriteInteger(value);
    }
    writer.WriteListEnd();
    writer.WriteListEnd();
    return writer.Data();
}

} // namespace

TEST(RichTextLabel, ToolMakesAnOpaqueBorderedLabelAndOpensTheEditorAtOnce)
{
    LabelWindow lw;
    auto* label = new TQPRichBaseLabel;
    EXPECT_EQ(label->size(), QSize(190, 33));
    lw.w.surface->PlaceObject(label, {20, 20, 220, 70});
    EXPECT_TRUE(label->Transparent());
    bool opened = false;
    WhenModalShown<TRichTextLabelEditor>([&](TRichTextLabelEditor* editor) {
        opened = true;
        editor->reject();
    });
    TRichLabelMenu::PlacedByTool(*label);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(label->BorderStyle(), TQPRichBaseLabel::bsSingle);
    EXPECT_EQ(label->BGColor(), clWhite);
    const QImage image = Painted(label);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(199, 49), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(100, 25), qRgb(255, 255, 255));
}

TEST(RichTextLabel, TransparentAndBackgroundColourRepaintAndNotify)
{
    LabelWindow lw;
    TQPRichBaseLabel* label = lw.Add(10, 10, 200, 60, QByteArray());
    label->SetTransparent(false);
    QSignalSpy changed(lw.w.surface, &TQBasePanel::LabelChangedEvent);
    const QPoint inside(100, 30);

    Trigger(label, "Transparent");
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Painted(label).pixel(inside), qRgb(255, 0, 0));
    ObjectMenuOpening(label);
    EXPECT_TRUE(MenuItem(ObjectMenu(label), QStringLiteral("Transparent"))->isChecked());

    WhenModalShown<QColorDialog>([](QColorDialog* dialog) {
        dialog->setCurrentColor(QColor(0, 128, 0));
        dialog->accept();
    });
    Trigger(label, "Background Color");
    EXPECT_EQ(label->BGColor(), RGBValue(0, 128, 0));
    EXPECT_FALSE(label->Transparent());
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(Painted(label).pixel(inside), qRgb(0, 128, 0));

    const int before = changed.count();
    Trigger(label, "Border");
    EXPECT_EQ(label->BorderStyle(), TQPRichBaseLabel::bsNone);
    EXPECT_EQ(changed.count(), before + 1);
    EXPECT_EQ(Painted(label).pixel(0, 0), qRgb(0, 128, 0));
    ObjectMenuOpening(label);
    EXPECT_FALSE(MenuItem(ObjectMenu(label), QStringLiteral("Border"))->isChecked());
}

TEST(RichTextLabel, PaintsAtTheZoomOnThePageOfItsUnzoomedSize)
{
    const QByteArray wide = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 WWWWWWWWWW\\par}";
    LabelWindow lw;
    TQPRichBaseLabel* label = lw.Add(0, 0, 400, 200, wide);
    label->SetTransparent(false);
    const int inkAtFull = InkRight(Painted(label));
    ASSERT_GT(inkAtFull, 100);

    struct Row
    {
        float scale;
        QSize size;
    };
    for (const Row& row : {Row{0.5f, {200, 100}}, Row{1.0f, {400, 200}}, Row{0.701f, {280, 140}}}) {
        SurfaceOf(*label)->SetScale(row.scale);
        ASSERT_EQ(label->ScreenRect().size(), row.size);
        const int ink = InkRight(Painted(label));
        EXPECT_NEAR(ink, inkAtFull * row.scale, 3) << row.scale;
    }
}

// A label too low for its second line shows its first line whole and nothing of the second, at 100%
// and zoomed.
TEST(RichTextLabel, DrawsOnlyWholeLines)
{
    LabelWindow lw;
    TQPRichBaseLabel* label =
        lw.Add(0, 0, 200, 100, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Ag\\par Ag\\par}");
    label->SetTransparent(false);
    // The rows inside the border holding ink, top to bottom.
    const auto inkRows = [](const QImage& image) {
        std::vector<int> rows;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    const std::vector<int> both = inkRows(Painted(label));
    ASSERT_FALSE(both.empty());
    const auto gap = std::adjacent_find(both.begin(), both.end(), [](int a, int b) { return b > a + 1; });
    ASSERT_NE(gap, both.end());
    const int firstBottom = *gap;
    const int secondMiddle = (*(gap + 1) + both.back()) / 2;
    for (const float scale : {1.0f, 0.6f}) {
        SurfaceOf(*label)->SetScale(1.0f);
        label->SetScreenRect(QRect(0, 0, 200, secondMiddle));
        SurfaceOf(*label)->SetScale(scale);
        const std::vector<int> shown = inkRows(Painted(label));
        ASSERT_FALSE(shown.empty());
        EXPECT_LE(shown.back(), firstBottom * scale + 1) << scale;
    }
}

TEST(RichTextLabel, EditorZoomsInTensBetween50And100WithThePanel)
{
    struct Row
    {
        float scale;
        int openedAt;
        std::vector<std::pair<bool, int>> clicks; // zoom in?, zoom after the click
    };
    const Row rows[] = {
        {0.301f, 30, {{false, 30}, {true, 40}}},
        {1.0f, 100, {{true, 100}, {false, 90}}},
        {0.501f, 50, {{false, 50}, {true, 60}}},
    };
    for (const Row& row : rows) {
        LabelWindow lw;
        TQPRichBaseLabel* label = lw.Add(0, 0, 300, 150);
        SurfaceOf(*label)->SetScale(row.scale);
        const QSize panel = label->ScreenRect().size() + QSize(1, 1);
        int opened = 0;
        QSize lastPanel;
        WhenModalShown<TRichTextLabelEditor>([&](TRichTextLabelEditor* editor) {
            opened = editor->WPRichText1()->Zoom();
            EXPECT_TRUE(editor->WPPanel()->isVisible());
            EXPECT_EQ(editor->WPPanel()->size(), panel);
            for (const auto& [in, zoom] : row.clicks) {
                (in ? editor->ZoomPlusButton() : editor->ZoomMinusButton())->click();
                EXPECT_EQ(editor->WPRichText1()->Zoom(), zoom) << row.scale;
            }
            lastPanel = editor->WPPanel()->size();
            editor->reject();
        });
        TRichLabelMenu::Edit(*label);
        EXPECT_EQ(opened, row.openedAt);
        const double zoom = row.clicks.back().second;
        EXPECT_EQ(lastPanel,
                  QSize(qRound(zoom * panel.width() / row.openedAt), qRound(zoom * panel.height() / row.openedAt)))
            << row.scale;
    }
}

TEST(RichTextLabel, DoubleClickEditsOkTakesTheTextCancelLeavesIt)
{
    for (const bool ok : {false, true}) {
        LabelWindow lw;
        TQPRichBaseLabel* label = lw.Add(10, 10, 200, 60);
        const QString before = label->RTFText().PlainText();
        QSignalSpy changed(lw.w.surface, &TQBasePanel::LabelChangedEvent);
        WhenModalShown<TRichTextLabelEditor>([ok](TRichTextLabelEditor* editor) {
            editor->WPRichText1()->Clear();
            editor->WPRichText1()->AppendParagraph(QStringLiteral("Edited"),
                                                   {QStringLiteral("Arial"), 12, fsBold, clBlack});
            ok ? editor->accept() : editor->reject();
        });
        ASSERT_TRUE(label->DblClickAction);
        label->DblClickAction(lw.w.surface);
        EXPECT_EQ(label->RTFText().PlainText(), ok ? QStringLiteral("Edited") : before);
        EXPECT_EQ(changed.count(), ok ? 1 : 0);
    }
}

// The selection handle holds the mouse from the first click; the editor a double-click opens must get it,
// or its buttons cannot be clicked.
TEST(RichTextLabel, EditorOpenedByDoubleClickOnTheSelectionGetsTheMouse)
{
    LabelWindow lw;
    TQPRichBaseLabel* label = lw.Add(10, 10, 200, 60);
    TQHandle* handle = lw.w.Select({label});
    ASSERT_EQ(QWidget::mouseGrabber(), handle);
    QWidget* grabberInEditor = handle;
    WhenModalShown<TRichTextLabelEditor>([&](TRichTextLabelEditor* editor) {
        grabberInEditor = QWidget::mouseGrabber();
        editor->reject();
    });
    const QPointF at = label->ScreenRect().center() - handle->pos();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, handle->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &twice);
    EXPECT_EQ(grabberInEditor, nullptr);
}

TEST(RichTextLabel, MixedFormattingSurvivesTheStreamCloneAndPaste)
{
    ScratchProgramFolder folder;
    FakeClock clock;
    LabelWindow lw;
    TQPRichBaseLabel* source = lw.Add(30, 40, 260, 90);
    source->SetBGColor(clYellow);
    source->SetTransparent(false);
    source->SetBorderStyle(TQPRichBaseLabel::bsNone);
    const QStringList looks = Looks(*source);
    ASSERT_EQ(looks.size(), 4);
    EXPECT_EQ(QSet<QString>(looks.begin(), looks.end()).size(), 4) << looks.join(QLatin1Char('\n')).toStdString();

    TStreamWriter writer;
    WriteComponent(writer, *source);
    TStreamReader reader(writer.Data());
    auto* read = qobject_cast<TQPRichBaseLabel*>(ReadComponent(reader, TQBasePanel::ObjectClasses(), lw.w.surface));
    TQPRichBaseLabel* clone = qobject_cast<TQPRichBaseLabel*>(source->CloneObject());
    lw.w.surface->SelectionHandle()->ClearSelection();
    lw.w.surface->SelectionHandle()->Select(source);
    lw.w.surface->SelectionClipboard(ccCopy);
    lw.w.surface->SelectionClipboard(ccPaste);
    auto* pasted = qobject_cast<TQPRichBaseLabel*>(lw.w.surface->PlacedObjects().last());
    ASSERT_NE(pasted, clone);
    for (TQPRichBaseLabel* copy : {read, clone, pasted}) {
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(Looks(*copy), looks);
        EXPECT_EQ(copy->BGColor(), clYellow);
        EXPECT_FALSE(copy->Transparent());
        EXPECT_EQ(copy->BorderStyle(), TQPRichBaseLabel::bsNone);
    }
}

TEST(RichTextLabel, ValuesOutOfRangeAreIgnored)
{
    struct Row
    {
        QList<std::pair<const char*, qint32>> values;
        QStringList ignored;
    };
    const Row rows[] = {
        {{{"Width", 300}, {"BorderStyle", 1}, {"BGColor", 0x00FF00}}, {}},
        {{{"BGColor", static_cast<qint32>(0x80000005u)}}, {}},
        {{{"BorderStyle", 2}}, {QStringLiteral("BorderStyle 2")}},
        {{{"BGColor", 0x12345678}}, {QStringLiteral("BGColor 305419896")}},
        {{{"BGColor", static_cast<qint32>(0x80001234u)}}, {QStringLiteral("BGColor -2147478988")}},
        {{{"Width", 40000}, {"Height", 12000}}, {QStringLiteral("Width 40000"), QStringLiteral("Height 12000")}},
    };
    LabelWindow lw;
    for (const Row& row : rows) {
        TStreamReader reader(Record(row.values));
        std::unique_ptr<TQPRichBaseLabel> read(
            qobject_cast<TQPRichBaseLabel*>(ReadComponent(reader, TQBasePanel::ObjectClasses(), lw.w.surface)));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->IgnoredValues(), row.ignored);
        // What was ignored is what a new label has.
        if (!row.ignored.isEmpty()) {
            EXPECT_EQ(read->BorderStyle(), TQPRichBaseLabel::bsSingle);
            EXPECT_EQ(read->BGColor(), clWhite);
            EXPECT_EQ(read->size(), QSize(190, 33));
        }
    }

    // A label without text still stores it, as a document without text.
    TQPRichBaseLabel* empty = lw.Add(10, 10, 100, 40, QByteArray());
    TStreamWriter writer;
    WriteComponent(writer, *empty);
    EXPECT_TRUE(writer.Data().contains("\x0CRTFText.Data\x0A")) << writer.Data().toStdString();
    TStreamReader back(writer.Data());
    std::unique_ptr<TQPRichBaseLabel> read(
        qobject_cast<TQPRichBaseLabel*>(ReadComponent(back, TQBasePanel::ObjectClasses(), lw.w.surface)));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->RTFText().IsEmpty());
}

TEST(RichTextLabel, PrintedTextStaysTextInThePdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("label.pdf"));
    LabelWindow lw;
    lw.Add(96, 96, 300, 80);
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { lw.w.surface->PrintObjects(r, 0.5, 0.5); }));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* word : {"Plain", "Bold red", "italic blue", "Centred"})
        EXPECT_TRUE(printed.contains(QLatin1String(word))) << printed.toStdString();
}
