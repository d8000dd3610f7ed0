#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("QX.ini")); }

    void writeBytes(const QByteArray& bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readBytes() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsCreatedByFirstWrite)
{
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(s("Zooming"), s("Main"), s("x")), s("x"));
    EXPECT_EQ(ini.ReadInteger(s("Zooming"), s("Main"), 60), 60);
    EXPECT_TRUE(ini.ReadBool(s("Hints"), s("On"), true));
    EXPECT_TRUE(ini.ReadSectionValues(s("MRU")).isEmpty());
    EXPECT_TRUE(ini.EraseSection(s("MRU")));
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(ini.WriteInteger(s("Zooming"), s("Main"), 60));
    ASSERT_TRUE(ini.WriteInteger(s("Zooming"), s("Prop"), 30));
    ASSERT_TRUE(ini.WriteString(s("Default Font"), s("Name"), s("Arial")));
    EXPECT_EQ(readBytes(), QByteArray("[Zooming]\nMain=60\nProp=30\n\n[Default Font]\nName=Arial\n"));
}

TEST_F(IniFileTest, NamesCompareWithoutCaseAndValuesAreTrimmed)
{
    writeBytes("[zooming]\n  MAIN =  35  \n[Default Font]\nName=\"  Courier New \"\nQuoted='x'\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadInteger(s("Zooming"), s("Main"), 60), 35);
    EXPECT_EQ(ini.ReadString(s("DEFAULT FONT"), s("name"), s("Arial")), s("  Courier New "));
    EXPECT_EQ(ini.ReadString(s("Default Font"), s("Quoted"), {}), s("x"));
}

TEST_F(IniFileTest, ValuesThatReadingWouldChangeRoundTrip)
{
    TIniFile ini(path());
    for (const QString& value : {s(" padded "), s("\"quoted\""), s("'single'"), s("a=b;c"), s("Grüße €"), QString()}) {
        ASSERT_TRUE(ini.WriteString(s("Test"), s("Value"), value));
        EXPECT_EQ(ini.ReadString(s("Test"), s("Value"), s("default")), value) << value.toStdString();
    }
}

TEST_F(IniFileTest, WritingOneKeyKeepsEverythingElseByteForByte)
{
    const QByteArray before = "\xEF\xBB\xBF; Almarin settings\r\n"
                              "[MRU]\r\n"
                              "File1=/home/ann/Christmas.QXF\r\n"
                              "\r\n"
                              "[Zooming]\r\n"
                              "Main=35\r\n"
                              "Unknown=keep me\r\n"
                              "; trailing comment\r\n"
                              "\r\n"
                              "[TCalendarMain_Placement]\r\n"
                              "Left=10\r\n"
                              "Top = 20";
    writeBytes(before);
    TIniFile ini(path());
    ASSERT_TRUE(ini.WriteInteger(s("zooming"), s("MAIN"), 30));
    QByteArray expected = before;
    expected.replace("Main=35", "MAIN=30");
    EXPECT_EQ(readBytes(), expected);

    // A new key joins its section after the last key; a new section goes to the end.
    ASSERT_TRUE(ini.WriteInteger(s("Zooming"), s("Prop"), 40));
    ASSERT_TRUE(ini.WriteBool(s("Hints"), s("On"), false));
    expected.replace("Unknown=keep me\r\n", "Unknown=keep me\r\nProp=40\r\n");
    expected += "\r\n\r\n[Hints]\r\nOn=0\r\n";
    EXPECT_EQ(readBytes(), expected);

    // Writing the value already there leaves the file alone.
    ASSERT_TRUE(ini.WriteInteger(s("Zooming"), s("Prop"), 40));
    EXPECT_EQ(readBytes(), expected);
}

TEST_F(IniFileTest, KeyAddedToSectionEndingWithoutNewLine)
{
    writeBytes("[Icons]\nVisible=1");
    TIniFile ini(path());
    ASSERT_TRUE(ini.WriteString(s("Icons"), s("File"), s("/opt/almarin/MISC1.ICL")));
    EXPECT_EQ(readBytes(), QByteArray("[Icons]\nVisible=1\nFile=/opt/almarin/MISC1.ICL\n"));
}

TEST_F(IniFileTest, BooleansAndIntegers)
{
    writeBytes("[B]\nTwo=2\nMinus=-1\nZero=0\nWord=true\nEmpty=\n"
               "[I]\nPlus=+12\nNeg=-7\nHuge=99999999999\nWords=sixty\nTail=12abc\nHex=0x10\nMax=2147483647\n");
    TIniFile ini(path());
    EXPECT_TRUE(ini.ReadBool(s("B"), s("Two"), false));
    EXPECT_TRUE(ini.ReadBool(s("B"), s("Minus"), false));
    EXPECT_FALSE(ini.ReadBool(s("B"), s("Zero"), true));
    EXPECT_FALSE(ini.ReadBool(s("B"), s("Word"), false));
    EXPECT_TRUE(ini.ReadBool(s("B"), s("Word"), true));
    EXPECT_TRUE(ini.ReadBool(s("B"), s("Empty"), true));
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Plus"), 0), 12);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Neg"), 0), -7);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Huge"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Words"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Tail"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Hex"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(s("I"), s("Max"), 5), 2147483647);

    ASSERT_TRUE(ini.WriteBool(s("B"), s("Two"), true));
    EXPECT_EQ(ini.ReadString(s("B"), s("Two"), {}), s("1"));
    ASSERT_TRUE(ini.WriteInteger(s("I"), s("Neg"), -2147483647 - 1));
    EXPECT_EQ(ini.ReadString(s("I"), s("Neg"), {}), s("-2147483648"));
}

TEST_F(IniFileTest, SectionValuesInFileOrderAndErase)
{
    writeBytes("[MRU]\nFile3=c\nFile1=a\n; note\nFile2 = \"b \"\n\n; about zooming\n[Zooming]\nMain=50\n"
               "[mru]\nFile9=z\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadSectionValues(s("mru")), (QStringList{s("File3=c"), s("File1=a"), s("File2=b ")}));
    ASSERT_TRUE(ini.EraseSection(s("MRU")));
    EXPECT_EQ(readBytes(), QByteArray("\n; about zooming\n[Zooming]\nMain=50\n"));
    EXPECT_TRUE(ini.ReadSectionValues(s("MRU")).isEmpty());
    ASSERT_TRUE(ini.WriteString(s("MRU"), s("File1"), s("x")));
    EXPECT_EQ(readBytes(), QByteArray("\n; about zooming\n[Zooming]\nMain=50\n\n[MRU]\nFile1=x\n"));
}

TEST_F(IniFileTest, WindowsEncodedValuesAreRead)
{
    writeBytes("[MRU]\nFile1=C:\\Kalender\\M\xE4rz.QXF\nFile2=M\xC3\xA4rz.QXF\n");
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(s("MRU"), s("File1"), {}), s("C:\\Kalender\\März.QXF"));
    EXPECT_EQ(ini.ReadString(s("MRU"), s("File2"), {}), s("März.QXF"));
}

TEST_F(IniFileTest, WritesThatWouldBreakTheFileAreRefused)
{
    writeBytes("[A]\nK=1\n");
    TIniFile ini(path());
    EXPECT_FALSE(ini.WriteString(s("A"), s("K"), s("1\n[Hints]\nOn=0")));
    EXPECT_FALSE(ini.WriteString(s("A]"), s("K"), s("1")));
    EXPECT_FALSE(ini.WriteString(s("A"), s("K=2"), s("1")));
    EXPECT_FALSE(ini.WriteString(s("A"), s(";K"), s("1")));
    EXPECT_FALSE(ini.WriteString(s(" "), s("K"), s("1")));
    EXPECT_EQ(readBytes(), QByteArray("[A]\nK=1\n"));
}

TEST_F(IniFileTest, FailuresAreReportedNotHidden)
{
    TIniFile missingFolder(m_dir.filePath(QStringLiteral("no/such/folder/QX.ini")));
    EXPECT_FALSE(missingFolder.WriteInteger(s("Zooming"), s("Main"), 60));

    // Something that exists but is not a readable file must not be replaced by a fresh one.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("QX.ini")));
    TIniFile folder(path());
    EXPECT_EQ(folder.ReadInteger(s("Zooming"), s("Main"), 60), 60);
    EXPECT_FALSE(folder.WriteInteger(s("Zooming"), s("Main"), 40));
    EXPECT_FALSE(folder.EraseSection(s("Zooming")));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(IniFileTest, GarbageNeverCrashesAndGivesDefaults)
{
    static const char raw[] =
        "\x00\xFF[Zooming\x00]\n=\n[\n]]]\n\x01\x02=\x03\nMain\n[Zooming]\nMain=\xFF\xFE\x00\x01\n"
        "[Hints]\nOn=ye";
    const QByteArray garbage(raw, sizeof(raw) - 1);
    writeBytes(garbage);
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadInteger(s("Zooming"), s("Main"), 60), 60);
    EXPECT_TRUE(ini.ReadBool(s("Hints"), s("On"), true));
    EXPECT_EQ(ini.ReadSectionValues(s("Zooming")).size(), 1);
    ASSERT_TRUE(ini.WriteInteger(s("Zooming"), s("Main"), 40));
    EXPECT_EQ(ini.ReadInteger(s("Zooming"), s("Main"), 60), 40);
    EXPECT_TRUE(readBytes().startsWith(garbage.left(40)));
}
