#include "app/windowplacement.h"
#include "jobs/preferences.h"

#include "platform/inifile.h"
#include "platform/programfolder.h"
#include "platform/zoom.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHelpEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void writeSettings(const QByteArray& bytes)
{
    QFile f(SettingsFileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readSettings()
{
    QFile f(SettingsFileName());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const PlacementScreen kScreen800{QRect(0, 0, 800, 600), 96};

// Left/Top/Right/Bottom as the settings file holds them.
QRect stored(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

struct ToolTipCounter : QWidget
{
    int tips = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip)
            ++tips;
        return QWidget::event(e);
    }
};

} // namespace

TEST(Preferences, NoSettingsFileGivesDefaults)
{
    ScratchProgramFolder folder;
    const TPreferences p = LoadPreferences();
    EXPECT_EQ(p.MainZoomPercent, 60);
    EXPECT_EQ(p.PropZoomPercent, 30);
    EXPECT_EQ(p.DefaultFont.name, QStringLiteral("Arial"));
    EXPECT_EQ(p.DefaultFont.size, 10);
    EXPECT_EQ(p.DefaultFont.style, 0);
    EXPECT_EQ(p.DefaultFont.color, clBlack);
    EXPECT_EQ(p.IconFile, folder.file(QStringLiteral("MISC1.ICL")));
    EXPECT_TRUE(p.IconToolVisible);
    EXPECT_TRUE(p.ShowHints);
    EXPECT_EQ(p, DefaultPreferences());
    EXPECT_FALSE(QFile::exists(SettingsFileName()));
}

TEST(Preferences, SavedInOrderWithOneAndZeroForBooleans)
{
    ScratchProgramFolder folder;
    ASSERT_TRUE(SavePreferences(DefaultPreferences()));
    const QByteArray expected =
        "[Zooming]\nMain=60\nProp=30\n\n"
        "[Default Font]\nName=Arial\nSize=10\nBold=0\nItalic=0\nUnderline=0\nStrikeout=0\nColor=0\n\n"
        "[Icons]\nVisible=1\nFile=" +
        folder.file(QStringLiteral("MISC1.ICL")).toUtf8() + "\n\n[Hints]\nOn=1\n";
    EXPECT_EQ(readSettings(), expected);
}

TEST(Preferences, ZoomBetweenStepsStartsOnTheLadderAndIsWrittenBack)
{
    ScratchProgramFolder folder;
    writeSettings("[Zooming]\nMain=35\n");
    TPreferences p = LoadPreferences();
    EXPECT_EQ(p.MainZoomPercent, 35);
    // The page starts at the ladder's step and that step is what goes back at exit.
    p.MainZoomPercent = PercentFromZoom(ZoomFromPercent(p.MainZoomPercent));
    EXPECT_EQ(p.MainZoomPercent, 30);
    ASSERT_TRUE(SavePreferences(p));
    EXPECT_EQ(TIniFile(SettingsFileName()).ReadString(QStringLiteral("Zooming"), QStringLiteral("Main"), {}),
              QStringLiteral("30"));
}

TEST(Preferences, DefaultFontRoundTripsWithEveryStyle)
{
    ScratchProgramFolder folder;
    TPreferences p = DefaultPreferences();
    p.DefaultFont = FontDescription{QStringLiteral("Courier New"), 14, fsStrikeOut, RGBValue(255, 0, 0)};
    p.IconFile = QStringLiteral("/usr/share/almarin/BonusIcons/Flags.icl");
    p.IconToolVisible = false;
    p.ShowHints = false;
    p.PropZoomPercent = 50;
    ASSERT_TRUE(SavePreferences(p));
    EXPECT_EQ(LoadPreferences(), p);
    EXPECT_TRUE(readSettings().contains("Strikeout=1\n"));
    EXPECT_TRUE(readSettings().contains("Color=255\n"));

    for (int style : {int(fsBold), fsItalic | fsUnderline, fsBold | fsItalic | fsUnderline | fsStrikeOut, 0}) {
        p.DefaultFont.style = style;
        ASSERT_TRUE(SavePreferences(p));
        EXPECT_EQ(LoadPreferences().DefaultFont.style, style);
    }
}

TEST(Preferences, SavingKeepsTheRestOfTheFileByteForByte)
{
    ScratchProgramFolder folder;
    const QByteArray file = "; written by hand\r\n"
                            "[MRU]\r\nFile1=/home/ann/Christmas.QXF\r\n\r\n"
                            "[Zooming]\r\nMain=40\r\nProp=50\r\nLegacy=7\r\n\r\n"
                            "[Default Font]\r\nName=Times New Roman\r\nSize=12\r\nBold=1\r\nItalic=0\r\n"
                            "Underline=0\r\nStrikeout=1\r\nColor=16711680\r\n\r\n"
                            "[Icons]\r\nVisible=0\r\nFile=/opt/almarin/misc1.icl\r\n\r\n"
                            "[TCalendarMain_Placement]\r\nLeft=10\r\nTop=10\r\nRight=700\r\nBottom=500\r\n"
                            "Maximized=0\r\n\r\n[Hints]\r\nOn=0\r\n";
    writeSettings(file);
    const TPreferences p = LoadPreferences();
    EXPECT_EQ(p.DefaultFont, (FontDescription{QStringLiteral("Times New Roman"), 12, fsBold | fsStrikeOut, 0xFF0000}));
    ASSERT_TRUE(SavePreferences(p));
    EXPECT_EQ(readSettings(), file);

    TPreferences changed = p;
    changed.ShowHints = true;
    ASSERT_TRUE(SavePreferences(changed));
    QByteArray expected = file;
    expected.replace("[Hints]\r\nOn=0", "[Hints]\r\nOn=1");
    EXPECT_EQ(readSettings(), expected);
}

TEST(Preferences, GarbageGivesTheDefaultForEachBadValue)
{
    ScratchProgramFolder folder;
    static const char raw[] = "[Zooming]\nMain=sixty\nProp=99999999999\n"
                              "[Default Font]\nName=\nSize=0\nBold=\xFF\xFE\x00\nItalic=1\nColor=12abc\n"
                              "[Icons]\nFile=\nVisible=yes\n"
                              "[Hints]\nOn=";
    writeSettings(QByteArray(raw, sizeof(raw) - 1));
    TPreferences expected = DefaultPreferences();
    expected.DefaultFont.style = fsItalic; // the one good value
    EXPECT_EQ(LoadPreferences(), expected);

    writeSettings("[Default Font]\nSize=2000000000\n[Hints]\nOn=0");
    const TPreferences p = LoadPreferences();
    EXPECT_EQ(p.DefaultFont.size, 10);
    EXPECT_FALSE(p.ShowHints);
}

TEST(Placement, NothingStoredCentresTheForm)
{
    ScratchProgramFolder folder;
    QWidget form;
    form.resize(400, 300);
    const PlacementScreen screen = ScreenOf(&form);
    RestorePlacement(&form, screen);
    EXPECT_EQ(form.size(), QSize(400, 300));
    EXPECT_NEAR(form.geometry().center().x(), screen.geometry.center().x(), 1);
    EXPECT_NEAR(form.geometry().center().y(), screen.geometry.center().y(), 1);
    EXPECT_FALSE(form.isMaximized());
}

TEST(Placement, StoredRectangleIsKeptOnTheScreen)
{
    ScratchProgramFolder folder;
    QWidget form;

    writeSettings("[QWidget_Placement]\nLeft=1000\nTop=50\nRight=1700\nBottom=450\nMaximized=0\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.geometry(), stored(100, 50, 800, 450));

    writeSettings("[QWidget_Placement]\nLeft=-20\nTop=30\nRight=300\nBottom=230\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.geometry(), stored(1, 30, 321, 230));

    writeSettings("[QWidget_Placement]\nLeft=10\nTop=-8\nRight=300\nBottom=200\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.geometry(), stored(10, 1, 300, 209));

    writeSettings("[QWidget_Placement]\nLeft=10\nTop=500\nRight=300\nBottom=700\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.geometry(), stored(10, 400, 300, 600));

    // Wider than the screen: pushed left, then back to 1, running off the right edge.
    writeSettings("[QWidget_Placement]\nLeft=0\nTop=10\nRight=1000\nBottom=300\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.geometry(), stored(1, 10, 1001, 300));
}

TEST(Placement, RectangleWithoutAreaIsTreatedAsNothingStored)
{
    ScratchProgramFolder folder;
    QWidget form;
    form.resize(200, 100);
    const PlacementScreen screen = ScreenOf(&form);
    writeSettings("[QWidget_Placement]\nLeft=500\nTop=300\nRight=abc\nBottom=200\n");
    RestorePlacement(&form, screen);
    EXPECT_EQ(form.size(), QSize(200, 100));
    EXPECT_NEAR(form.geometry().center().x(), screen.geometry.center().x(), 1);
}

TEST(Placement, SectionsOfAnotherDpiAreNotUsed)
{
    ScratchProgramFolder folder;
    writeSettings("[QWidget_Placement]\nLeft=10\nTop=20\nRight=310\nBottom=220\n");
    QWidget form;
    form.resize(400, 300);
    const PlacementScreen screen{QRect(0, 0, 1000, 800), 120};
    RestorePlacement(&form, screen);
    EXPECT_NE(form.geometry(), stored(10, 20, 310, 220));
    EXPECT_EQ(form.size(), QSize(400, 300));

    form.setGeometry(stored(30, 40, 530, 440));
    ASSERT_TRUE(SavePlacement(&form, screen));
    const TIniFile ini(SettingsFileName());
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("QWidget_Placement120")),
              (QStringList{QStringLiteral("Left=30"), QStringLiteral("Top=40"), QStringLiteral("Right=530"),
                           QStringLiteral("Bottom=440"), QStringLiteral("Maximized=0")}));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("QWidget_Placement"), QStringLiteral("Left"), 0), 10);
    EXPECT_EQ(PlacementSection(&form, 96), QStringLiteral("QWidget_Placement"));
}

TEST(Placement, SaveAndRestoreRoundTripIncludingMaximised)
{
    ScratchProgramFolder folder;
    QWidget first;
    first.setGeometry(stored(120, 80, 620, 480));
    ASSERT_TRUE(SavePlacement(&first, kScreen800));
    QWidget second;
    RestorePlacement(&second, kScreen800);
    EXPECT_EQ(second.geometry(), stored(120, 80, 620, 480));
    EXPECT_FALSE(second.isMaximized());

    first.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(SavePlacement(&first, kScreen800));
    const TIniFile ini(SettingsFileName());
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("QWidget_Placement"), QStringLiteral("Maximized"), false));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("QWidget_Placement"), QStringLiteral("Left"), 0), 120);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("QWidget_Placement"), QStringLiteral("Right"), 0), 620);
    QWidget third;
    third.setGeometry(stored(5, 5, 105, 105));
    RestorePlacement(&third, kScreen800);
    EXPECT_TRUE(third.isMaximized());
    EXPECT_EQ(third.geometry(), stored(5, 5, 105, 105));
}

TEST(Placement, TheWindowFrameIsWhatIsStoredAndKeptOnTheScreen)
{
    ScratchProgramFolder folder;
    QWidget form;
    form.setGeometry(100, 100, 300, 200);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_NE(form.frameGeometry(), form.geometry()); // the window has a frame

    // Placed against the top left corner: the title bar comes back on the screen.
    writeSettings("[QWidget_Placement]\nLeft=-5\nTop=-10\nRight=495\nBottom=290\n");
    RestorePlacement(&form, kScreen800);
    EXPECT_EQ(form.frameGeometry(), stored(1, 1, 501, 301));

    form.move(40, 30);
    ASSERT_TRUE(SavePlacement(&form, kScreen800));
    const TIniFile ini(SettingsFileName());
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("QWidget_Placement")),
              (QStringList{QStringLiteral("Left=40"), QStringLiteral("Top=30"), QStringLiteral("Right=540"),
                           QStringLiteral("Bottom=330"), QStringLiteral("Maximized=0")}));
}

TEST(Hints, SwitchedOffApplicationWide)
{
    ToolTipCounter widget;
    widget.setToolTip(QStringLiteral("Zoom"));
    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));

    SetHintsEnabled(false);
    EXPECT_FALSE(HintsEnabled());
    QApplication::sendEvent(&widget, &tip);
    EXPECT_EQ(widget.tips, 0);

    SetHintsEnabled(true);
    EXPECT_TRUE(HintsEnabled());
    QApplication::sendEvent(&widget, &tip);
    EXPECT_EQ(widget.tips, 1);
}
