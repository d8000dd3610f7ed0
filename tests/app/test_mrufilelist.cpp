#include "app/mrufilelist.h"

#include "platform/inifile.h"
#include "support/testsupport.h"

#include <QFile>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

QStringList entryCaptions(const QMenu& menu)
{
    QStringList captions;
    for (QAction* a : menu.actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

struct MruFixture
{
    ScratchProgramFolder folder;
    QMenu menu;
    TMRUFileList list;
    MruFixture()
    {
        menu.addAction(QStringLiteral("&Open"));
        menu.addAction(QStringLiteral("E&xit"));
        list.AutoSave = false;
        list.AutoSaveName = folder.file(QStringLiteral("QX.ini"));
        list.AutoSaveKey = QStringLiteral("MRU");
        list.SetFileMenu(&menu);
    }
};

} // namespace

TEST(MRUFileList, AddMovesCaseInsensitiveMatchesAndDropsTheOldest)
{
    MruFixture f;
    for (int i = 1; i <= 5; ++i)
        f.list.Add(QStringLiteral("/cal/Month%1.QXF").arg(i));
    f.list.Add(QStringLiteral("/CAL/month2.qxf"));
    EXPECT_EQ(f.list.Items().size(), 5);
    EXPECT_EQ(f.list.Items().first(), QStringLiteral("/CAL/month2.qxf"));

    f.list.Add(QStringLiteral("/cal/Month6.QXF"));
    f.list.Save();
    EXPECT_EQ(f.list.Items().size(), 5);
    EXPECT_FALSE(f.list.Items().contains(QStringLiteral("/cal/Month1.QXF")));
    const QStringList stored = TIniFile(f.list.AutoSaveName).ReadSectionValues(QStringLiteral("MRU"));
    EXPECT_EQ(stored.first(), QStringLiteral("F0=/cal/Month6.QXF"));
    EXPECT_EQ(stored.size(), 5);
    EXPECT_EQ(entryCaptions(f.menu).mid(2, 3), (QStringList{QStringLiteral("-"), QStringLiteral("&1 /cal/Month6.QXF"),
                                                            QStringLiteral("&2 /CAL/month2.qxf")}));
}

TEST(MRUFileList, EmptySectionLeavesTheMenuAlone)
{
    MruFixture f;
    f.list.Load();
    EXPECT_EQ(entryCaptions(f.menu), (QStringList{QStringLiteral("&Open"), QStringLiteral("E&xit")}));
}

TEST(MRUFileList, LoadKeepsFileOrderAndEveryEntry)
{
    MruFixture f;
    QFile ini(f.list.AutoSaveName);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[MRU]\r\nF0=/a/DEC1997.QXF\r\nF1=/a/JAN1998.QXF\r\nF2=/a/x=y.QXF\r\nF3=/a/4.QXF\r\nF4=/a/5.QXF\r\n"
              "F5=/a/6.QXF\r\n");
    ini.close();
    f.list.Load();
    ASSERT_EQ(f.list.Items().size(), 6); // loading does not cut to Maximum
    EXPECT_EQ(f.list.Items()[2], QStringLiteral("/a/x=y.QXF"));
    EXPECT_EQ(f.menu.actions().size(), 2 + 1 + 6);
}

TEST(MRUFileList, ClickRemovesTheEntryAndOpensIt)
{
    MruFixture f;
    f.list.Add(QStringLiteral("/a/one.QXF"));
    f.list.Add(QStringLiteral("/a/two.QXF"));
    QString opened;
    f.list.OnMRUItemClick = [&](const QString& name) { opened = name; };
    QAction* second = f.menu.actions().last();
    second->trigger();
    EXPECT_EQ(opened, QStringLiteral("/a/one.QXF"));
    EXPECT_EQ(f.list.Items(), QStringList{QStringLiteral("/a/two.QXF")});
    EXPECT_EQ(entryCaptions(f.menu).last(), QStringLiteral("&1 /a/two.QXF"));
}
