#include "englishnames.h"

#include "recurring/holidays.h"
#include "recurring/recurringentry.h"
#include "recurring/recurringformula.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromLatin1(text);
}

QString line(const char* event, const char* formula)
{
    return MakeEntryLine(S(event), S(formula));
}

class Description : public ::testing::Test
{
protected:
    void SetUp() override { UseEnglishNames(); }
};

} // namespace

TEST(EntryLayout, EventAndFormulaColumns)
{
    const QString l = line("Christmas Day", "@1225");
    ASSERT_EQ(l.size(), 130);
    EXPECT_EQ(l.mid(120), S("@1225     "));
    EXPECT_EQ(EntryEventText(l), S("Christmas Day"));
    EXPECT_EQ(EntryFormula(l), S("@1225     "));
    EXPECT_EQ(EntryRuleType(l), QLatin1Char('@'));

    EXPECT_EQ(MakeEntryLine(QString(), S("@0101")).left(120), QString(120, QLatin1Char(' ')));
    const QString longText(130, QLatin1Char('x'));
    EXPECT_EQ(MakeEntryLine(longText, S("%1")).left(121), QString(120, QLatin1Char('x')) + QLatin1Char('%'));
    EXPECT_EQ(PadField(S("@01234567890"), 10), S("@012345678"));
}

TEST(EntryLayout, ShortLinesAndKeywords)
{
    EXPECT_TRUE(EntryRuleType(S("just a note")).isNull());
    EXPECT_TRUE(EntryFormula(QString(120, QLatin1Char('a'))).isEmpty());
    // Only spaces are trimmed from the event text.
    EXPECT_EQ(EntryEventText(S("\tTab ") + QString(120, QLatin1Char(' '))), S("\tTab"));
    EXPECT_EQ(EntryKeyword(PadField(S("Palm"), 120) + S("  #palmsunday")), S("#PALMSUND"));
    EXPECT_EQ(EntryKeyword(PadField(S("Palm"), 120) + S("#palmsunday  ")), S("#PALMSUNDAY"));
}

TEST(FormulaBuilding, AllThreeKinds)
{
    EXPECT_EQ(FixedDateFormula(1, 4), S("@0401"));
    EXPECT_EQ(FixedDateFormula(15, 0), S("@0015"));
    EXPECT_EQ(NthWeekdayFormula(2, 6, 5), S("$2 6 5 "));
    EXPECT_EQ(NthWeekdayFormula(3, 4, 11), S("$3 4 11"));
    EXPECT_EQ(NthWeekdayFormula(0, 7, 0), S("$0 7 0 "));
    EXPECT_EQ(WeekdaySetFormula({true, false, false, false, false, false, true}), S("%17"));
    EXPECT_EQ(WeekdaySetFormula({}), S("%"));
}

TEST(FormulaParsing, FieldsAndFailures)
{
    FixedDateFields f;
    ASSERT_TRUE(ParseFixedDateFormula(S("@0230     "), f));
    EXPECT_EQ(f.day, 30);
    EXPECT_EQ(f.month, 2);
    EXPECT_FALSE(ParseFixedDateFormula(S("@"), f));
    EXPECT_FALSE(ParseFixedDateFormula(S("@AB01"), f));
    EXPECT_EQ(f.day, 30) << "a failed parse leaves the fields alone";

    NthWeekdayFields n;
    ASSERT_TRUE(ParseNthWeekdayFormula(S("$3 4 11   "), n));
    EXPECT_EQ(n.occurrence, 3);
    EXPECT_EQ(n.weekday, 4);
    EXPECT_EQ(n.month, 11);
    EXPECT_FALSE(ParseNthWeekdayFormula(S("$3 4 "), n));
    EXPECT_FALSE(ParseNthWeekdayFormula(S("$3 x 1"), n));

    const auto flags = WeekdaySetFlags(S("%71"));
    EXPECT_TRUE(flags[0]);
    EXPECT_TRUE(flags[6]);
    EXPECT_FALSE(flags[1]);
}

TEST_F(Description, FixedAndNthWeekday)
{
    EXPECT_EQ(DescribeFormula(S("@0401")), S("1st of April"));
    EXPECT_EQ(DescribeFormula(S("@0015")), S("15th of Each Month"));
    EXPECT_EQ(DescribeFormula(S("@0230")), S("30th of February"));
    EXPECT_EQ(DescribeFormula(S("@0011")), S("11th of Each Month"));
    EXPECT_EQ(DescribeFormula(S("@0023")), S("23rd of Each Month"));
    EXPECT_EQ(DescribeFormula(S("$2 6 5")), S("3rd Sat of May"));
    EXPECT_EQ(DescribeFormula(S("$5 1 5")), S("Last Mon of May"));
    EXPECT_EQ(DescribeFormula(S("$0 7 0 ")), S("1st Day Each Month"));
    EXPECT_EQ(DescribeFormula(S("$5 7 12")), S("Last Day December"));
}

TEST_F(Description, WeekdaySetsAndOddInput)
{
    EXPECT_EQ(DescribeFormula(S("%17")), S("Sun,Sat"));
    EXPECT_EQ(DescribeFormula(S("%7 3 1")), S("Sun,Tue,Sat"));
    EXPECT_EQ(DescribeFormula(S("%")), QString());
    EXPECT_EQ(DescribeFormula(S("@xx01")), QString());
    // Numbers past the name tables come from hand-edited files and must not crash.
    EXPECT_EQ(DescribeFormula(S("@9901")), S("1st of 99"));
    EXPECT_EQ(DescribeFormula(S("$1 9 0")), S("2nd 9 of Each Month"));
}

TEST_F(Description, DisplayText)
{
    EXPECT_EQ(EntryDisplayText(line("Armed Forces Day", "$2 6 5")), S("Armed Forces Day (3rd Sat of May)"));
    EXPECT_EQ(EntryDisplayText(line("[Enter event]", "@0001")), S("[Enter event] (1st of Each Month)"));
    EXPECT_EQ(EntryDisplayText(line("Broken", "$a b c")), S("Broken ()"));
    const QString easter = PadField(S("Easter"), 120) + S("#EASTER");
    EXPECT_EQ(EntryDisplayText(easter), PadField(S("Easter"), 120));
    EXPECT_EQ(EntryDisplayText(S("short line")), S("short line"));
    EXPECT_EQ(EntryDisplayText(PadField(S("Odd"), 120) + S("!1234")), PadField(S("Odd"), 120));
}

TEST(Holidays, BuiltInLines)
{
    const QStringList lines = BuiltInHolidayLines();
    ASSERT_EQ(lines.size(), 26);
    for (const QString& l : lines) {
        const QString keyword = EntryKeyword(l);
        if (keyword == S("#EASTER"))
            EXPECT_EQ(l.size(), 127);
        else if (keyword.startsWith(QLatin1Char('#')))
            EXPECT_EQ(l.size(), 131);
        else
            EXPECT_EQ(l.size(), 130) << l.toStdString();
    }
    EXPECT_TRUE(lines.contains(line("Thanksgiving Day", "$3 4 11")));
    EXPECT_TRUE(lines.contains(line("April Fools's Day", "@0401")));
}
