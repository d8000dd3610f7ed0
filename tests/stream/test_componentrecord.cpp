#include "stream/streamreader.h"
#include "stream/streamwriter.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace {

// A label record with a few properties of different kinds, built from the writer.
QByteArray LabelRecord()
{
    TStreamWriter writer;
    writer.WriteComponentBegin(QStringLiteral("TQPLabel"), QStringLiteral("Component1"));
    writer.WritePropertyName(QStringLiteral("Left"));
    writer.WriteInteger(300);
    writer.WritePropertyName(QStringLiteral("Font.Color"));
    writer.WriteColor(0xFFFFFF);
    writer.WritePropertyName(QStringLiteral("Font.Style"));
    writer.WriteSet({QStringLiteral("fsBold")});
    writer.WritePropertyName(QStringLiteral("Caption"));
    writer.WriteString(QString::fromUtf8("Styczeń"));
    writer.WriteListEnd();
    writer.WriteListEnd();
    return writer.Data();
}

} // namespace

TEST(ComponentRecord, EmptyDayRecordIsTwentyOneBytes)
{
    TStreamWriter writer;
    writer.WriteComponentBegin(QStringLiteral("TWPRtfStorage"), QString());
    writer.WriteListEnd();
    writer.WriteListEnd();
    const QByteArray expected = QByteArray("TPF0\x0DTWPRtfStorage", 18) + Bytes({0, 0, 0});
    EXPECT_EQ(writer.Data(), expected);
    EXPECT_EQ(writer.Data().size(), 21);
}

TEST(ComponentRecord, HandBuiltRecordWithPrefixAndChildIsRead)
{
    const QByteArray record = QByteArray("TPF0", 4) + Bytes({0xF3, 2,   5,   6,   'T', 'P', 'a', 'n', 'e', 'l',
                                                             1,    'P', 3,   'T', 'a', 'g', 2,   9,   0, // Tag = 9, end
                                                             6,    'T', 'L', 'a', 'b', 'e', 'l', 0,      // child
                                                             0,    0,                                    // its lists
                                                             0}); // end of children
    TStreamReader reader(record);
    const TComponentHeader header = reader.ReadComponentHeader();
    EXPECT_EQ(header.flags, 3);
    EXPECT_EQ(header.childPosition, 5);
    EXPECT_EQ(header.className, QStringLiteral("TPanel"));
    EXPECT_EQ(header.name, QStringLiteral("P"));
    EXPECT_EQ(reader.ReadPropertyName(), QStringLiteral("Tag"));
    EXPECT_EQ(reader.ReadInteger(), 9);
    EXPECT_TRUE(reader.EndOfList());
    reader.ReadListEnd();
    const TComponentHeader child = reader.ReadComponentHeader(false);
    EXPECT_EQ(child.className, QStringLiteral("TLabel"));
    EXPECT_TRUE(child.name.isEmpty());

    TStreamReader skipper(record);
    skipper.SkipComponent();
    EXPECT_TRUE(skipper.AtEnd());
}

TEST(ComponentRecord, WrittenRecordReadsBackPropertyByProperty)
{
    TStreamReader reader(LabelRecord());
    const TComponentHeader header = reader.ReadComponentHeader();
    EXPECT_EQ(header.className, QStringLiteral("TQPLabel"));
    EXPECT_EQ(header.name, QStringLiteral("Component1"));
    EXPECT_EQ(header.flags, 0);
    EXPECT_EQ(reader.ReadPropertyName(), QStringLiteral("Left"));
    EXPECT_EQ(reader.ReadInteger(), 300);
    EXPECT_EQ(reader.ReadPropertyName(), QStringLiteral("Font.Color"));
    EXPECT_EQ(reader.ReadColor(), 0xFFFFFF);
    EXPECT_EQ(reader.ReadPropertyName(), QStringLiteral("Font.Style"));
    EXPECT_EQ(reader.ReadSet(), QStringList{QStringLiteral("fsBold")});
    EXPECT_EQ(reader.ReadPropertyName(), QStringLiteral("Caption"));
    EXPECT_EQ(reader.ReadString(), QString::fromUtf8("Styczeń"));
    reader.ReadListEnd();
    reader.ReadListEnd();
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ComponentRecord, BadSignatureFails)
{
    EXPECT_THROW(TStreamReader(QByteArray("TPF1\x01X\x00\x00\x00", 9)).ReadComponentHeader(), EStreamError);
}

TEST(ComponentRecord, LongNamesAreCutTo255Bytes)
{
    TStreamWriter writer;
    writer.WriteShortString(QString(300, QLatin1Char('n')));
    EXPECT_EQ(writer.Data().size(), 256);
    EXPECT_EQ(TStreamReader(writer.Data()).ReadShortString(), QString(255, QLatin1Char('n')));
}

TEST(ComponentRecord, EveryTruncationFailsCleanly)
{
    const QByteArray record = LabelRecord();
    for (qsizetype length = 0; length < record.size(); ++length) {
        TStreamReader reader(record.left(length));
        EXPECT_THROW(reader.SkipComponent(), EStreamError) << length;
        EXPECT_LE(reader.Position(), length);
    }
    TStreamReader whole(record);
    EXPECT_NO_THROW(whole.SkipComponent());
    EXPECT_TRUE(whole.AtEnd());
}

TEST(ComponentRecord, SkippingPassesOverEveryValueKindAndStopsDeepNesting)
{
    TStreamWriter writer;
    writer.WriteListBegin();
    writer.WriteFloat(1e-300);
    writer.WriteBinary(QByteArray(40, 'x'));
    writer.WriteString(QString::fromUtf8("Ωμέγα"));
    writer.WriteCollectionBegin();
    writer.WriteListBegin();
    writer.WritePropertyName(QStringLiteral("Width"));
    writer.WriteInteger(70000);
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteSet({});
    writer.WriteListEnd();
    TStreamReader reader(writer.Data());
    reader.SkipValue();
    EXPECT_TRUE(reader.AtEnd());

    EXPECT_THROW(TStreamReader(QByteArray(100000, '\x01')).SkipValue(), EStreamError);
    EXPECT_THROW(TStreamReader(Bytes({15})).SkipValue(), EStreamError);
}
