#include "stream/streamreader.h"
#include "stream/streamwriter.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray IntegerBytes(qint32 value)
{
    TStreamWriter writer;
    writer.WriteInteger(value);
    return writer.Data();
}

QString Polish()
{
    return QString::fromUtf8("Październik, Łódź, żółć");
}

} // namespace

TEST(StreamIntegers, ShortestTagAtEveryBoundary)
{
    EXPECT_EQ(IntegerBytes(0), Bytes({2, 0}));
    EXPECT_EQ(IntegerBytes(127), Bytes({2, 0x7F}));
    EXPECT_EQ(IntegerBytes(-128), Bytes({2, 0x80}));
    EXPECT_EQ(IntegerBytes(128), Bytes({3, 0x80, 0}));
    EXPECT_EQ(IntegerBytes(-129), Bytes({3, 0x7F, 0xFF}));
    EXPECT_EQ(IntegerBytes(200), Bytes({3, 200, 0}));
    EXPECT_EQ(IntegerBytes(32767), Bytes({3, 0xFF, 0x7F}));
    EXPECT_EQ(IntegerBytes(-32768), Bytes({3, 0x00, 0x80}));
    EXPECT_EQ(IntegerBytes(32768), Bytes({4, 0x00, 0x80, 0, 0}));
    EXPECT_EQ(IntegerBytes(-32769), Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(IntegerBytes(2147483647), Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(IntegerBytes(static_cast<qint32>(0x80000000u)), Bytes({4, 0, 0, 0, 0x80}));
}

TEST(StreamIntegers, ReaderSignExtendsEachWidthAndRejectsOtherTags)
{
    EXPECT_EQ(TStreamReader(Bytes({2, 0xFF})).ReadInteger(), -1);
    EXPECT_EQ(TStreamReader(Bytes({3, 0xFE, 0xFF})).ReadInteger(), -2);
    EXPECT_EQ(TStreamReader(Bytes({3, 0x00, 0x01})).ReadInteger(), 256);
    EXPECT_EQ(TStreamReader(Bytes({4, 0xFD, 0xFF, 0xFF, 0xFF})).ReadInteger(), -3);
    EXPECT_EQ(TStreamReader(Bytes({4, 0x40, 0x42, 0x0F, 0x00})).ReadInteger(), 1000000);
    EXPECT_THROW(TStreamReader(Bytes({6, 1, '5'})).ReadInteger(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({9})).ReadInteger(), EStreamError);

    for (qint32 value : {0, 1, -1, 127, -128, 128, -129, 32767, -32768, 32768, -32769, 123456789, -2147483647 - 1}) {
        TStreamReader reader(IntegerBytes(value));
        EXPECT_EQ(reader.ReadInteger(), value);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(StreamStrings, LengthDecidesBetweenShortAndLongTag)
{
    TStreamWriter writer;
    writer.WriteString(QString(255, QLatin1Char('a')));
    writer.WriteString(QString(256, QLatin1Char('b')));
    writer.WriteString(QString());
    const QByteArray& data = writer.Data();
    ASSERT_EQ(data.size(), 2 + 255 + 5 + 256 + 2);
    EXPECT_EQ(data.left(2), Bytes({6, 255}));
    EXPECT_EQ(data.mid(257, 5), Bytes({12, 0x00, 0x01, 0, 0}));
    EXPECT_EQ(data.right(2), Bytes({6, 0}));

    TStreamReader reader(data);
    EXPECT_EQ(reader.ReadString(), QString(255, QLatin1Char('a')));
    EXPECT_EQ(reader.ReadString(), QString(256, QLatin1Char('b')));
    EXPECT_EQ(reader.ReadString(), QString());
    EXPECT_TRUE(reader.AtEnd());
}

TEST(StreamStrings, Windows1252TextStaysEightBit)
{
    TStreamWriter writer;
    writer.WriteString(QString::fromUtf8("Café €"));
    EXPECT_EQ(writer.Data(), Bytes({6, 6, 'C', 'a', 'f', 0xE9, ' ', 0x80}));
    EXPECT_EQ(TStreamReader(writer.Data()).ReadString(), QString::fromUtf8("Café €"));
}

TEST(StreamStrings, TextOutsideWindows1252GoesWholeAsUtf8)
{
    TStreamWriter writer;
    writer.WriteString(Polish());
    const QByteArray utf8 = Polish().toUtf8();
    EXPECT_EQ(writer.Data().left(5), Bytes({20, int(utf8.size()), 0, 0, 0}));
    EXPECT_EQ(writer.Data().mid(5), utf8);
    EXPECT_EQ(TStreamReader(writer.Data()).ReadString(), Polish());
}

TEST(StreamStrings, ReaderAcceptsUtf16AndRejectsOtherTags)
{
    // Tag 18: character count 2, then "Ωż" as UTF-16LE.
    EXPECT_EQ(TStreamReader(Bytes({18, 2, 0, 0, 0, 0xA9, 0x03, 0x7C, 0x01})).ReadString(), QString::fromUtf8("Ωż"));
    EXPECT_EQ(TStreamReader(Bytes({12, 3, 0, 0, 0, 'a', 'b', 'c'})).ReadString(), QStringLiteral("abc"));
    EXPECT_THROW(TStreamReader(Bytes({7, 1, 'a'})).ReadString(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({2, 1})).ReadString(), EStreamError);
}

TEST(StreamStrings, AbsurdLengthsFailWithoutAllocating)
{
    EXPECT_THROW(TStreamReader(Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})).ReadString(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF})).ReadString(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({18, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0})).ReadString(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({20, 0x00, 0x00, 0x00, 0x40})).ReadString(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({10, 0x00, 0x00, 0x00, 0x80})).ReadBinary(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({6, 5, 'a', 'b'})).ReadString(), EStreamError);
}

TEST(StreamValues, OtherKindsFollowTheTable)
{
    TStreamWriter writer;
    writer.WriteListBegin();
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteIdent(QStringLiteral("taCenter"));
    writer.WriteBinary(QByteArray("\x01\x02\x03", 3));
    writer.WriteSet({QStringLiteral("fsBold"), QStringLiteral("fsItalic")});
    writer.WriteNil();
    writer.WriteFloat(0.25);
    writer.WriteListEnd();

    const QByteArray expected =
        Bytes({1,   9,   8, 7,  8, 't', 'a', 'C', 'e', 'n', 't', 'e', 'r',  10,   3,    0,   0,   0,
               1,   2,   3, 11, 6, 'f', 's', 'B', 'o', 'l', 'd', 8,   'f',  's',  'I',  't', 'a', 'l',
               'i', 'c', 0, 13, 5, 0,   0,   0,   0,   0,   0,   0,   0x80, 0xFD, 0x3F, 0});
    EXPECT_EQ(writer.Data(), expected);

    TStreamReader reader(expected);
    reader.ReadListBegin();
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadIdent(), QStringLiteral("taCenter"));
    EXPECT_EQ(reader.ReadBinary(), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(reader.ReadSet(), QStringList({QStringLiteral("fsBold"), QStringLiteral("fsItalic")}));
    EXPECT_EQ(reader.ReadValueType(), TValueType::Nil);
    EXPECT_EQ(reader.ReadFloat(), 0.25);
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    EXPECT_TRUE(reader.AtEnd());
}

TEST(StreamValues, BooleanReadsAnyTagAndListMarksAreChecked)
{
    EXPECT_FALSE(TStreamReader(Bytes({2})).ReadBoolean());
    EXPECT_THROW(TStreamReader(QByteArray()).ReadBoolean(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({0})).ReadListBegin(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({1})).ReadListEnd(), EStreamError);
    EXPECT_EQ(TStreamReader(Bytes({2, 7})).ReadFloat(), 7.0);
    EXPECT_EQ(TStreamReader(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})).ReadFloat(), -2.0);
}

TEST(StreamValues, ColoursAreIdentsWhenNamedAndEitherFormIsRead)
{
    TStreamWriter writer;
    writer.WriteColor(0xFFFFFF);
    writer.WriteColor(0x123456);
    writer.WriteColor(static_cast<TColor>(0x8000000F));
    EXPECT_EQ(writer.Data(), Bytes({7, 7, 'c', 'l', 'W', 'h', 'i', 't', 'e', 4,   0x56, 0x34, 0x12,
                                    0, 7, 9,   'c', 'l', 'B', 't', 'n', 'F', 'a', 'c',  'e'}));
    TStreamReader reader(writer.Data());
    EXPECT_EQ(reader.ReadColor(), 0xFFFFFF);
    EXPECT_EQ(reader.ReadColor(), 0x123456);
    EXPECT_EQ(reader.ReadColor(), static_cast<TColor>(0x8000000F));

    EXPECT_EQ(TStreamReader(Bytes({4, 0xFF, 0xFF, 0xFF, 0})).ReadColor(), 0xFFFFFF);
    EXPECT_THROW(TStreamReader(Bytes({7, 3, 'c', 'l', 'X'})).ReadColor(), EStreamError);
}
