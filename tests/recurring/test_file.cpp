#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList L(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromLatin1(item);
    return out;
}

} // namespace

TEST(RecurringFileLines, AllLineEndsAndStops)
{
    EXPECT_EQ(ParseRecurringDateLines("a\r\nb\r\n"), L({"a", "b"}));
    EXPECT_EQ(ParseRecurringDateLines("a\nb\n"), L({"a", "b"}));
    EXPECT_EQ(ParseRecurringDateLines("a\rb"), L({"a", "b"}));
    EXPECT_EQ(ParseRecurringDateLines("a\r\n\r\nb"), L({"a", "", "b"}));
    EXPECT_EQ(ParseRecurringDateLines("a\n\rb"), L({"a", "", "b"}));
    EXPECT_EQ(ParseRecurringDateLines(QByteArray("a\r\nb\0c\r\n", 9)), L({"a", "b"}));
    EXPECT_TRUE(ParseRecurringDateLines("").isEmpty());
}

TEST(RecurringFileLines, EncodingKeepsEveryCharacter)
{
    const QString euro = QStringLiteral("Caf\u00e9 \u20ac");
    EXPECT_EQ(FormatRecurringDateLines({euro, QStringLiteral("x")}), QByteArray("Caf\xe9 \x80\r\nx\r\n"));
    EXPECT_EQ(ParseRecurringDateLines("Caf\xe9 \x80\r\n"), QStringList{euro});

    // Text the 8-bit code page lacks is written as UTF-8 behind a byte order mark and read back.
    const QStringList wide = {QStringLiteral("\u0416\u0443\u043a"), euro};
    const QByteArray bytes = FormatRecurringDateLines(wide);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(ParseRecurringDateLines(bytes), wide);
    EXPECT_TRUE(FormatRecurringDateLines({}).isEmpty());
}

TEST(RecurringFile, MissingFileIsAnEmptyList)
{
    ScratchProgramFolder folder;
    QStringList lines = {QStringLiteral("stale")};
    QString error;
    EXPECT_TRUE(LoadRecurringDates(lines, &error));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_FALSE(RecurringDatesFileExists());
}

TEST(RecurringFile, SaveWritesCrLfAfterEveryLineAndLoadsBack)
{
    ScratchProgramFolder folder;
    const QStringList lines = {MakeEntryLine(QStringLiteral("Christmas Day"), QStringLiteral("@1225")),
                               MakeEntryLine(QStringLiteral("Payday"), QStringLiteral("$5 7 0"))};
    ASSERT_TRUE(SaveRecurringDates(lines));
    const QByteArray bytes = readBytes(folder.file(QStringLiteral("QXRECUR.DAX")));
    EXPECT_EQ(bytes.size(), 2 * 132);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.mid(130, 2), QByteArray("\r\n"));
    QStringList back;
    ASSERT_TRUE(LoadRecurringDates(back));
    EXPECT_EQ(back, lines);
}

TEST(RecurringFile, FoundWhateverTheCaseOfItsName)
{
    ScratchProgramFolder folder;
    writeBytes(folder.file(QStringLiteral("qxrecur.dax")), "one\nTwo");
    QStringList lines;
    ASSERT_TRUE(LoadRecurringDates(lines));
    EXPECT_EQ(lines, L({"one", "Two"}));
    ASSERT_TRUE(SaveRecurringDates(L({"three"})));
    EXPECT_EQ(readBytes(folder.file(QStringLiteral("qxrecur.dax"))), QByteArray("three\r\n"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("QXRECUR.DAX"))));
}

TEST(RecurringFile, UnreadableFileIsAnError)
{
    ScratchProgramFolder folder;
    // A folder in the file's place cannot be read, whatever the user's rights.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("QXRECUR.DAX")));
    QStringList lines = {QStringLiteral("stale")};
    QString error;
    EXPECT_FALSE(LoadRecurringDates(lines, &error));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(SaveRecurringDates({QStringLiteral("x")}, &error));
}

TEST(OldRecurringFile, LineConversion)
{
    const QString converted = ConvertOldRecurringLine(QStringLiteral("1225Christmas"));
    EXPECT_EQ(converted.size(), 131);
    EXPECT_EQ(converted, QStringLiteral("Christmas").leftJustified(120) + QStringLiteral("@1225      "));
    EXPECT_EQ(ConvertOldRecurringLine(QString(200, QLatin1Char('7'))).left(121),
              QString(120, QLatin1Char('7')) + QLatin1Char('@'));
    EXPECT_EQ(ConvertOldRecurringLine(QStringLiteral("12")),
              QString(120, QLatin1Char(' ')) + QStringLiteral("@12        "));
}

TEST(OldRecurringFile, ConvertedOnceAndDeleted)
{
    ScratchProgramFolder folder;
    const QString dat = folder.file(QStringLiteral("QXRECUR.DAT"));
    writeBytes(dat, "1225Christmas\r\n0704Independence\r\n");
    ASSERT_TRUE(ConvertOldRecurringDates());
    EXPECT_FALSE(QFile::exists(dat));
    QStringList lines;
    ASSERT_TRUE(LoadRecurringDates(lines));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Christmas").leftJustified(120) + QStringLiteral("@1225      "));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Independence ")));

    // Nothing to convert the second time; the list stays as it is.
    ASSERT_TRUE(ConvertOldRecurringDates());
    QStringList again;
    ASSERT_TRUE(LoadRecurringDates(again));
    EXPECT_EQ(again, lines);
}

TEST(OldRecurringFile, KeepsEntriesAlreadyThere)
{
    ScratchProgramFolder folder;
    const QString existing = MakeEntryLine(QStringLiteral("Payday"), QStringLiteral("$5 7 0"));
    ASSERT_TRUE(SaveRecurringDates({existing, ConvertOldRecurringLine(QStringLiteral("1225CHRISTMAS"))}));
    writeBytes(folder.file(QStringLiteral("qxrecur.dat")), "1225Christmas\n0101New Year\n0101New Year");
    ASSERT_TRUE(ConvertOldRecurringDates());
    QStringList lines;
    ASSERT_TRUE(LoadRecurringDates(lines));
    ASSERT_EQ(lines.size(), 4) << "the existing two, then both New Year lines; Christmas was there already";
    EXPECT_EQ(lines[0], existing);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("New Year ")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("qxrecur.dat"))));
}
