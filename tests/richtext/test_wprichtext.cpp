#include "richtext/charattributes.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"
#include "richtext/wptoolbar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFontComboBox>
#include <QIcon>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

FontDescription Font(const char* name, int size, int style, TColor color)
{
    FontDescription font;
    font.name = QLatin1String(name);
    font.size = size;
    font.style = style;
    font.color = color;
    return font;
}

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editor.SetPageSize(3000, 1500); // 200 × 100 pixels
        editor.resize(202, 102);
        editor.show();
        editor.activateWindow();
        editor.setFocus();
        QApplication::processEvents();
    }

    TWPRichText editor;
};

} // namespace

TEST_F(EditorTest, TypedTextSelectAllAndInsertionAttributes)
{
    QSignalSpy changed(&editor, &TWPRichText::changed);
    QTest::keyClicks(&editor, QStringLiteral("Hello"));
    EXPECT_EQ(editor.PlainText(), QStringLiteral("Hello"));
    EXPECT_GT(changed.count(), 0);
    bool own = true;
    editor.AttributesAt(0, &own);
    EXPECT_FALSE(own); // typed without attributes set: the document's default

    const FontDescription red =
        Font("Times New Roman", 18, fsBold | fsItalic | fsUnderline | fsStrikeOut, RGBValue(255, 0, 0));
    editor.SetInsertionAttributes(red);
    EXPECT_EQ(editor.InsertionAttributes(), red);
    QTest::keyClicks(&editor, QStringLiteral(" red"));
    EXPECT_EQ(editor.PlainText(), QStringLiteral("Hello red"));
    EXPECT_EQ(editor.AttributesAt(7, &own), red);
    EXPECT_TRUE(own);

    QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(editor.HasSelection());
    editor.SetBold(true);
    EXPECT_TRUE(editor.AttributesAt(0).style & fsBold);
    EXPECT_TRUE(editor.AttributesAt(8).style & fsBold);
}

TEST_F(EditorTest, AttributesOnAnEmptyEditorAreNoChange)
{
    QSignalSpy changed(&editor, &TWPRichText::changed);
    editor.SetInsertionAttributes(Font("Arial", 8, fsItalic, RGBValue(0, 0, 255)));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(editor.IsEmpty());
    QTest::keyClicks(&editor, QStringLiteral("x"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(editor.AttributesAt(0), Font("Arial", 8, fsItalic, RGBValue(0, 0, 255)));
}

TEST_F(EditorTest, LoadDoesNotSignalChangeAndSaveKeepsText)
{
    TWPRtfStorage storage;
    ASSERT_TRUE(storage.SetRtfData("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f1\\fs20 Note\\par}"));
    QSignalSpy changed(&editor, &TWPRichText::changed);
    editor.LoadFrom(storage);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(editor.PlainText(), QStringLiteral("Note"));
    EXPECT_EQ(editor.AttributesAt(1).name, QStringLiteral("Courier New"));
    EXPECT_EQ(editor.AttributesAt(1).size, 10);
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClicks(&editor, QStringLiteral("s"));
    EXPECT_EQ(changed.count(), 1);
    TWPRtfStorage back;
    editor.SaveTo(back);
    EXPECT_EQ(back.PlainText(), QStringLiteral("Notes"));
    EXPECT_EQ(CharAttributesAt(back.Document(), 4).name, QStringLiteral("Courier New"));
}

TEST_F(EditorTest, PictureIsOneCharacterAtTheCaret)
{
    QTest::keyClicks(&editor, QStringLiteral("ab"));
    editor.SetCaretPosition(1);
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::green);
    editor.InsertPicture(image);
    EXPECT_EQ(editor.CharacterCount(), 3);
    EXPECT_EQ(editor.PlainText().size(), 3);
    EXPECT_EQ(editor.PlainText()[1], QChar(QChar::ObjectReplacementCharacter));
    EXPECT_FALSE(editor.IsEmpty());
    // Wider than the page: shown at the page's width, proportions kept.
    TWPRtfStorage storage;
    editor.SaveTo(storage);
    EXPECT_TRUE(storage.RtfData().contains("\\picwgoal3000\\pichgoal750"));
}

TEST_F(EditorTest, ZoomScalesTheViewOfTheSamePage)
{
    editor.SetZoom(100);
    EXPECT_DOUBLE_EQ(editor.transform().m11(), 1.0);
    editor.SetZoom(50);
    EXPECT_DOUBLE_EQ(editor.transform().m11(), 0.5);
    EXPECT_DOUBLE_EQ(editor.transform().m22(), 0.5);
    EXPECT_EQ(editor.sceneRect().width(), 200); // the page does not change with the zoom
    // A click at view pixel x hits the text at page pixel x / zoom.
    editor.AppendParagraph(QStringLiteral("MMMMMMMMMMMMMMMM"), Font("Arial", 12, 0, clBlack));
    const QPoint scenePoint = editor.mapFromScene(QPointF(60, 5));
    EXPECT_NEAR(scenePoint.x(), 30, 1);
}

TEST_F(EditorTest, AppendParagraphInGivenAttributes)
{
    const FontDescription first = Font("Arial", 10, fsBold, RGBValue(255, 0, 0));
    editor.AppendParagraph(QStringLiteral("New Year"), first);
    EXPECT_EQ(editor.PlainText(), QStringLiteral("New Year")); // the first and only paragraph
    const FontDescription second = Font("Times New Roman", 14, fsItalic, RGBValue(0, 0, 255));
    editor.AppendParagraph(QStringLiteral("Epiphany"), second);
    EXPECT_EQ(editor.PlainText(), QStringLiteral("New Year\nEpiphany"));
    bool own = false;
    EXPECT_EQ(editor.AttributesAt(2, &own), first);
    EXPECT_TRUE(own);
    EXPECT_EQ(editor.AttributesAt(editor.CharacterCount() - 1), second);
    EXPECT_EQ(editor.CharacterCount(), 17);
}

TEST_F(EditorTest, EnteredOnFocusAndTabReachesApplicationFilters)
{
    editor.clearFocus();
    QSignalSpy entered(&editor, &TWPRichText::entered);
    editor.setFocus();
    QApplication::processEvents();
    EXPECT_GE(entered.count(), 1);

    struct TabCatcher : QObject
    {
        int tabs = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
                ++tabs;
                return true;
            }
            return false;
        }
    } catcher;
    qApp->installEventFilter(&catcher);
    QTest::keyClick(&editor, Qt::Key_Tab);
    qApp->removeEventFilter(&catcher);
    EXPECT_EQ(catcher.tabs, 1);
    EXPECT_TRUE(editor.IsEmpty());
}

TEST_F(EditorTest, DroppedImageFileIsInsertedAtTheDropPoint)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dot.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path));
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    QSignalSpy dropped(&editor, &TWPRichText::pictureDropped);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(1, 3); // before the first character
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &drop);
    EXPECT_EQ(dropped.count(), 1);
    EXPECT_EQ(editor.CharacterCount(), 4);
    EXPECT_EQ(editor.PlainText()[0], QChar(QChar::ObjectReplacementCharacter));

    // Image data from another program goes in at the caret; text alone is no picture.
    QMimeData data;
    data.setImageData(image);
    editor.SetCaretPosition(editor.CharacterCount());
    EXPECT_TRUE(editor.InsertPicturesFrom(&data));
    EXPECT_EQ(editor.PlainText()[4], QChar(QChar::ObjectReplacementCharacter));
    QMimeData text;
    text.setText(QStringLiteral("words"));
    EXPECT_FALSE(editor.InsertPicturesFrom(&text));
    EXPECT_EQ(editor.CharacterCount(), 5);
}

TEST_F(EditorTest, ToolBarFollowsTheCaretAndSetsAttributes)
{
    TWPToolBar bar;
    bar.Attach(&editor);
    editor.SetInsertionAttributes(Font("Arial", 14, fsBold, RGBValue(0, 0, 255)));
    EXPECT_TRUE(bar.BoldAction()->isChecked());
    EXPECT_FALSE(bar.ItalicAction()->isChecked());
    EXPECT_EQ(bar.FontSizeList()->currentText(), QStringLiteral("14"));
    EXPECT_EQ(bar.ColorList()->currentData().value<QColor>(), QColor(0, 0, 255));

    bar.ItalicAction()->trigger();
    EXPECT_TRUE(editor.InsertionAttributes().style & fsItalic);
    bar.FontSizeList()->setCurrentText(QStringLiteral("6"));
    EXPECT_EQ(editor.InsertionAttributes().size, 6);
    EXPECT_EQ(bar.FontSizeList()->itemText(0), QStringLiteral("6"));
    bar.AlignCenterAction()->trigger();
    EXPECT_EQ(editor.Alignment(), Qt::AlignHCenter);
    QTest::keyClicks(&editor, QStringLiteral("x"));
    bar.SelectAllAction()->trigger();
    EXPECT_TRUE(editor.HasSelection());

    bar.SetEnabled(false);
    EXPECT_FALSE(bar.FontNameList()->isEnabled());
    EXPECT_FALSE(bar.BoldAction()->isEnabled());
    bar.SetEnabled(true);
    EXPECT_TRUE(bar.PasteAction()->isEnabled());
}

// The style letters are drawn, each its own way; the clipboard buttons take the icon theme's icons once
// the bar is on the screen, and keep their captions where the theme has none.
TEST(ToolBar, StyleLettersAreDrawnAndThemeIconsArriveOnceShown)
{
    QTemporaryDir themes;
    ASSERT_TRUE(QDir(themes.path()).mkpath(QStringLiteral("probe/16x16")));
    QFile index(themes.filePath(QStringLiteral("probe/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=16x16\n\n[16x16]\nSize=16\n");
    index.close();
    QImage copy(16, 16, QImage::Format_ARGB32);
    copy.fill(Qt::red);
    ASSERT_TRUE(copy.save(themes.filePath(QStringLiteral("probe/16x16/edit-copy.png"))));
    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("probe"));

    TWPToolBar bar;
    QList<QImage> letters;
    for (QAction* style : {bar.BoldAction(), bar.ItalicAction(), bar.UnderlineAction()}) {
        letters.append(style->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32));
        QImage blank(16, 16, QImage::Format_ARGB32);
        blank.fill(Qt::transparent);
        EXPECT_NE(letters.last(), blank) << style->text().toStdString();
    }
    EXPECT_NE(letters[0], letters[1]);
    EXPECT_NE(letters[1], letters[2]);
    bar.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar.CopyAction()->icon().isNull(); }));
    EXPECT_EQ(bar.CopyAction()->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_TRUE(bar.CutAction()->icon().isNull());
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(name);
}

TEST_F(EditorTest, CopyAndPasteCarryFormattingThroughRtf)
{
    editor.AppendParagraph(QStringLiteral("bold"), Font("Arial", 16, fsBold, RGBValue(0, 128, 0)));
    editor.SelectAll();
    editor.Copy();
    editor.Clear();
    editor.Paste();
    EXPECT_EQ(editor.PlainText(), QStringLiteral("bold"));
    EXPECT_EQ(editor.AttributesAt(1), Font("Arial", 16, fsBold, RGBValue(0, 128, 0)));
}

TEST_F(EditorTest, ClickBelowTheTextKeepsTheKeysAndTheAttributesJustChosen)
{
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    editor.SetColor(QColor(255, 0, 0));
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {},
                      QPoint(editor.viewport()->width() / 2, editor.viewport()->height() - 2));
    QTest::keyClicks(&editor, QStringLiteral("d"));
    EXPECT_EQ(editor.PlainText(), QStringLiteral("abcd"));
    EXPECT_EQ(editor.AttributesAt(3).color, RGBValue(255, 0, 0));
}

TEST_F(EditorTest, TheFocusedTextDrawsNoFrameOfItsOwn)
{
    QTest::keyClicks(&editor, QStringLiteral("x"));
    ASSERT_TRUE(editor.hasFocus());
    const QImage shown = editor.viewport()->grab().toImage();
    // The line's last pixel row lies below the letter: nothing but paper there.
    const int row = int(editor.Document().size().height()) - 1;
    for (int x = 0; x < shown.width(); ++x)
        ASSERT_EQ(shown.pixelColor(x, row), QColor(Qt::white)) << x;
}
