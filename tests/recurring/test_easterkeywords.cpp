// The "#" forms added after the Easter feasts: days from Western or Orthodox Easter and a country's
// public holiday, how they match, how they show, and what an older reader makes of them.
#include "englishnames.h"
#include "recurring/holidays.h"
#include "recurring/recurringdescription.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringformula.h"
#include "recurring/recurringmatch.h"

#include "platform/programfolder.h"

#include <gtest/gtest.h>

namespace {

QString keywordLine(const char* event, const char* keyword)
{
    return MakeEntryLine(QString::fromUtf8(event), QString::fromLatin1(keyword));
}

// The "#" day rule as readers before these forms had it: the three feasts, and no day for any other keyword.
bool olderReaderGivesADay(const QString& line)
{
    const QString keyword = EntryKeyword(line);
    return keyword == QLatin1String("#EASTER") || keyword == QLatin1String("#GOODFRIDAY") ||
           keyword == QLatin1String("#PALMSUNDAY");
}

class EasterKeywords : public ::testing::Test
{
protected:
    void SetUp() override { SetProgramDirectory(QStringLiteral(ALMARIN_SOURCE_DIR "/assets")); }
    void TearDown() override { SetProgramDirectory(QString()); }
};

} // namespace

TEST_F(EasterKeywords, DaysOfTheNewForms)
{
    const struct
    {
        const char* event;
        const char* keyword;
        int month;
        int year;
        QList<int> days;
    } kCases[] = {
        {"Ascension", "#EASTER+39", 5, 2024, {9}},
        {"Ascension", "#easter+39", 4, 2024, {}},
        {"Ash Wednesday", "#EASTER-46", 2, 2024, {14}},
        {"Pascha", "#OEASTER", 5, 2024, {5}},
        {"Holy Friday", "#OEASTER-2", 5, 2024, {3}},
        {"Far", "#OEASTER+99", 8, 2024, {12}},
        {"St Andrew's Day", "#H:GB-SCT", 11, 2026, {30}},
        {"St Andrew's Day (substitute day)", "#H:GB-SCT", 12, 2025, {1}},
        {"St Andrew's Day", "#H:GB-ENG", 11, 2026, {}},
        {"春分の日", "#H:JP", 3, 2025, {20}},
        {"Christmas Day (observed)", "#H:US", 12, 2022, {26}},
        {"New Year's Day (observed)", "#H:US", 12, 2021, {31}},
        {"Anything", "#H:XX", 12, 2021, {}},
    };
    for (const auto& c : kCases) {
        const QString line = keywordLine(c.event, c.keyword);
        EXPECT_EQ(DaysOfEntry(line, c.month, c.year), c.days) << c.keyword << ' ' << c.event;
        EXPECT_EQ(EntryConcernsMonth(line, c.month, c.year), !c.days.isEmpty()) << c.keyword << ' ' << c.event;
        EXPECT_FALSE(olderReaderGivesADay(line)) << c.keyword;
        EXPECT_EQ(EntryRuleType(line), QLatin1Char('#'));
    }
    // Outside the forms: any other keyword, as before, gives no day.
    EXPECT_TRUE(DaysOfEntry(keywordLine("Zero", "#EASTER+0"), 3, 2024).isEmpty());
    EXPECT_TRUE(DaysOfEntry(keywordLine("Too far", "#EASTER+100"), 7, 2024).isEmpty());
}

TEST_F(EasterKeywords, OlderFormsStayByteForByte)
{
    const QStringList lines = BuiltInHolidayLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Easter") + QString(114, u' ') + QStringLiteral("#EASTER")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Good Friday") + QString(109, u' ') + QStringLiteral("#GOODFRIDAY")));
    EXPECT_EQ(MakeEntryLine(QStringLiteral("Fools"), QStringLiteral("@0401")),
              QStringLiteral("Fools") + QString(115, u' ') + QStringLiteral("@0401     "));
    EXPECT_EQ(keywordLine("Holy Friday", "#OEASTER-46"),
              PadField(QStringLiteral("Holy Friday"), 120) + QStringLiteral("#OEASTER-46"));
    EXPECT_EQ(keywordLine("Ascension", "#EASTER+39").size(), 130);
}

TEST_F(EasterKeywords, FormulasAndDescriptions)
{
    UseEnglishNames();
    EXPECT_EQ(EasterOffsetFormula(false, 39), QStringLiteral("#EASTER+39"));
    EXPECT_EQ(EasterOffsetFormula(true, -2), QStringLiteral("#OEASTER-2"));
    EXPECT_EQ(EasterOffsetFormula(true, 0), QStringLiteral("#OEASTER"));
    EXPECT_EQ(EasterOffsetFormula(false, 0), QStringLiteral("#EASTER"));
    EasterOffsetFields fields;
    EXPECT_FALSE(ParseEasterOffsetFormula(QStringLiteral("#EASTER"), fields)) << "the older keyword keeps its ways";
    EXPECT_FALSE(ParseEasterOffsetFormula(QStringLiteral("#EASTER+05"), fields));
    ASSERT_TRUE(ParseEasterOffsetFormula(QStringLiteral("#OEASTER-46"), fields));
    EXPECT_TRUE(fields.orthodox);
    EXPECT_EQ(fields.days, -46);

    EXPECT_EQ(EntryDisplayText(keywordLine("Ascension", "#EASTER+39")),
              QStringLiteral("Ascension (39 days after Easter)"));
    EXPECT_EQ(EntryDisplayText(keywordLine("Eve", "#OEASTER-1")), QStringLiteral("Eve (1 day before Orthodox Easter)"));
    EXPECT_EQ(EntryDisplayText(keywordLine("Pascha", "#oeaster")), QStringLiteral("Pascha (Orthodox Easter)"));
    EXPECT_EQ(EntryDisplayText(keywordLine("Boyne", "#H:GB-NIR")), QStringLiteral("Boyne (public holiday in GB-NIR)"));
    EXPECT_EQ(EntryDisplayText(keywordLine("Easter", "#EASTER")), PadField(QStringLiteral("Easter"), 120));
}
