#include "stream/componenttext.h"
#include "stream/streamwriter.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

TEST(ComponentText, EveryValueKindReads)
{
    const QByteArray bytes = Bytes({1, 2, 0xFF, 3, 0x2C, 0x01, 6, 3}) + "a\"b" + Bytes({7, 7}) + "clWhite" +
                             Bytes({8, 9, 13, 11, 6}) + "fsBold" + Bytes({0, 10, 3, 0, 0, 0}) + "xyz" +
                             Bytes({14, 1, 1, 'W', 2, 5, 0, 0, 0});
    TStreamReader reader(bytes);
    EXPECT_EQ(ReadValueText(reader),
              QStringLiteral("(-1, 300, \"a\\\"b\", clWhite, False, True, nil, [fsBold], <3 bytes>, <{W = 5}>)"));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ComponentText, RecordsGiveOneLinePerProperty)
{
    TStreamWriter writer;
    writer.WriteComponentBegin(QStringLiteral("TQPLabel"), QStringLiteral("Component1"));
    writer.WritePropertyName(QStringLiteral("Left"));
    writer.WriteInteger(12);
    writer.WritePropertyName(QStringLiteral("Caption"));
    writer.WriteString(QString::fromUtf8("Zażółć\n"));
    writer.WritePropertyName(QStringLiteral("Angle"));
    writer.WriteFloat(0.5);
    writer.WriteListEnd();
    writer.WriteListEnd();
    TStreamReader reader(writer.Data());
    EXPECT_EQ(ReadComponentText(reader),
              (QStringList{QStringLiteral("TQPLabel Component1"), QStringLiteral("  Left = 12"),
                           QString::fromUtf8("  Caption = \"Zażółć\\n\""), QStringLiteral("  Angle = 0.5")}));
}

TEST(ComponentText, BadInputRaisesTheStreamError)
{
    TStreamReader unknownTag(Bytes({0x33}));
    EXPECT_THROW(ReadValueText(unknownTag), EStreamError);
    TStreamReader endOfList(Bytes({0}));
    EXPECT_THROW(ReadValueText(endOfList), EStreamError);
    QByteArray deep(200, char(1));
    TStreamReader nested(deep);
    EXPECT_THROW(ReadValueText(nested), EStreamError);
    TStreamReader cut(QByteArray("TPF0\x08TQPLabel\x01X\x04Left", 20));
    EXPECT_THROW(ReadComponentText(cut), EStreamError);
}
