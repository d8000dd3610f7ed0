#include "widgets/iconlistbox.h"
#include "widgets/qiconlistbox.h"

#include <QDir>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Shipped(const QString& name)
{
    return QStringLiteral(ALMARIN_ICON_DIR "/") + name;
}

} // namespace

TEST(IconLibraries, ShippedLibrariesHoldThirtyToSixtyIconsAndTheBonusSetsSomeMore)
{
    for (const char* name : {"activity.icl", "events.icl", "holiday.icl", "misc1.icl", "misc2.icl"}) {
        const TIconLibrary library = TIconLibrary::FromFile(Shipped(QLatin1String(name)));
        EXPECT_GE(library.Count(), 30) << name;
        EXPECT_LE(library.Count(), 60) << name;
        for (int i = 0; i < library.Count(); ++i)
            EXPECT_EQ(library.Icon(i).size(), QSize(32, 32)) << name << " " << i;
        // Other programs read them too.
        const QString wrestool = QStandardPaths::findExecutable(QStringLiteral("wrestool"));
        if (wrestool.isEmpty())
            continue;
        QProcess listing;
        listing.start(wrestool, {QStringLiteral("-l"), QStringLiteral("-t14"), Shipped(QLatin1String(name))});
        ASSERT_TRUE(listing.waitForFinished());
        EXPECT_EQ(listing.readAllStandardOutput().count("--type=14"), library.Count()) << name;
        EXPECT_TRUE(listing.readAllStandardError().isEmpty()) << name;
    }
    const QStringList bonus = QDir(Shipped(QStringLiteral("BonusIcons"))).entryList({QStringLiteral("*.icl")});
    ASSERT_EQ(bonus.size(), 2);
    for (const QString& name : bonus)
        EXPECT_GT(TIconLibrary::FromFile(Shipped(QStringLiteral("BonusIcons/")) + name).Count(), 10);
}

TEST(IconListBox, SameNameAgainDoesNothingAndMissingFilesDisable)
{
    TIconListBox list;
    QSignalSpy changes(&list, &TCustomIconListBox::FileChange);
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(list.NumberOfIcons(), -1);

    list.SetFileName(Shipped(QStringLiteral("misc1.icl")));
    list.Icon(4);
    list.SetFileName(Shipped(QStringLiteral("misc1.icl")));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(list.IconAttached(4)) << "reloaded";
    EXPECT_TRUE(list.isEnabled());
    EXPECT_EQ(list.count(), list.NumberOfIcons());
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(list.item(7)->text(), QStringLiteral("7"));

    list.SetFileName(Shipped(QStringLiteral("nothere.icl")));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.NumberOfIcons(), -1);
    list.SetAutoDisable(false);
    EXPECT_TRUE(list.isEnabled());

    // A file without icons: an empty list that stays enabled.
    QTemporaryDir dir;
    QFile empty(dir.filePath(QStringLiteral("empty.icl")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    list.SetAutoDisable(true);
    list.SetFileName(empty.fileName());
    EXPECT_TRUE(list.isEnabled());
    EXPECT_EQ(list.NumberOfIcons(), 0);
}

TEST(IconListBox, GridSizing)
{
    const int scrollBar = TIconListBox().style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    struct Case
    {
        int widthBefore;
        QSize expected;
    } cases[] = {{200, {116, 117}}, {50, {116, 38 * 3 + scrollBar + 1}}};
    for (const Case& c : cases) {
        TIconListBox list;
        list.SetXIcons(3);
        list.resize(c.widthBefore, 40);
        list.SetYIcons(3);
        EXPECT_EQ(list.size(), c.expected) << c.widthBefore;
        EXPECT_EQ(list.CellWidth(), 38);
        EXPECT_EQ(list.RowHeight(), 38);
        for (int ignored : {0, -2, 3}) {
            list.SetXIcons(ignored);
            list.SetYIcons(ignored);
        }
        EXPECT_EQ(list.XIcons(), 3);
        EXPECT_EQ(list.YIcons(), 3);
        EXPECT_EQ(list.size(), c.expected) << "resized by an ignored value";
    }
    TQIconListBox plain;
    EXPECT_EQ(plain.CellWidth(), 34);
    EXPECT_EQ(plain.Orientation(), TQIconListBox::lbVertical);
}

TEST(IconListBox, CachingExtractsWhenDrawnOrAllAtOnce)
{
    const TIconLibrary library = TIconLibrary::FromFile(Shipped(QStringLiteral("events.icl")));
    TQIconListBox list;
    list.SetFileName(Shipped(QStringLiteral("events.icl")));
    for (int i = 0; i < list.count(); ++i)
        ASSERT_FALSE(list.IconAttached(i));
    list.SetEnableCaching(false);
    ASSERT_EQ(list.count(), library.Count());
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_TRUE(list.IconAttached(i));
        EXPECT_EQ(list.Icon(i), library.Icon(i));
    }
    // Dragged out, the selected icon is a bitmap of its size on white.
    list.setCurrentRow(2);
    const QImage bitmap = list.SelectedIconBitmap();
    ASSERT_EQ(bitmap.size(), QSize(32, 32));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap.pixel(16, 12), library.Icon(2).pixel(16, 12) | 0xFF000000u);
}
