#include "recurring/recurringentry.h"
#include "recurring/recurringfile.h"
#include "recurring/recurringfill.h"
#include "recurring/recurringmonth.h"
#include "support/testsupport.h"

#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

QString entry(const char* event, const char* formula)
{
    return MakeEntryLine(QString::fromLatin1(event), QString::fromLatin1(formula));
}

struct Put
{
    int day;
    QString text;
    bool operator==(const Put&) const = default;
};

class FakeHost : public RecurringFillHost
{
public:
    int month = 6;
    int year = 2024;
    bool paletteVisible = true;
    bool paletteShown = true;
    int setButtonsCalls = 0;
    QStringList offeredLines;
    // Which offered rows the user keeps; nullopt presses Cancel.
    std::function<std::optional<QStringList>(const QStringList&)> choose = [](const QStringList& offered) {
        return std::optional<QStringList>(offered);
    };
    QList<Put> puts;

    int mainCalMonth() const override { return month; }
    int mainCalYear() const override { return year; }
    bool iconToolVisible() const override { return paletteVisible; }
    void hideIconPalette() override { paletteShown = false; }
    void showIconPalette() override { paletteShown = true; }
    void putTextOnDay(int day, const QString& text) override
    {
        EXPECT_FALSE(paletteShown) << "the palette stays hidden while days are filled";
        puts.append({day, text});
    }
    void setButtons() override { ++setButtonsCalls; }
    std::optional<QStringList> chooseRecurringDates(const QStringList& offered) override
    {
        offeredLines = offered;
        return choose(offered);
    }
};

class Fill : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageResponder([this](MessageKind, const QString& text, const QString&) {
            messages << text;
            return true;
        });
    }
    void TearDown() override { SetMessageResponder({}); }

    ScratchProgramFolder folder;
    QStringList messages;
};

} // namespace

TEST_F(Fill, NoFileDoesNothingAtAll)
{
    FakeHost host;
    FillCalendarWithRecurringDates(host);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(host.paletteShown);
    EXPECT_TRUE(host.offeredLines.isEmpty());
    EXPECT_EQ(host.setButtonsCalls, 0);
}

TEST_F(Fill, NothingForTheMonthTellsTheUser)
{
    ASSERT_TRUE(SaveRecurringDates({entry("Christmas Day", "@1225")}));
    FakeHost host;
    FillCalendarWithRecurringDates(host);
    EXPECT_EQ(messages, QStringList{QStringLiteral("No predefined dates match the current month")});
    EXPECT_TRUE(host.paletteShown);
    EXPECT_TRUE(host.puts.isEmpty());
}

TEST_F(Fill, OffersTheMonthsEntriesAndAppliesTheChosen)
{
    const QString payday = entry("Payday", "$5 7 0");
    const QString sundays = entry("Church", "%1");
    const QString flag = entry("Flag Day", "@0614");
    ASSERT_TRUE(SaveRecurringDates({entry("Christmas Day", "@1225"), payday, sundays, flag}));
    FakeHost host;
    host.choose = [&](const QStringList&) { return std::optional<QStringList>({flag, payday}); };
    FillCalendarWithRecurringDates(host);
    EXPECT_EQ(host.offeredLines, (QStringList{payday, sundays, flag}));
    EXPECT_EQ(host.puts, (QList<Put>{{14, QStringLiteral("Flag Day")}, {30, QStringLiteral("Payday")}}));
    EXPECT_EQ(host.setButtonsCalls, 1);
    EXPECT_TRUE(host.paletteShown);
}

TEST_F(Fill, CancelPutsNothing)
{
    ASSERT_TRUE(SaveRecurringDates({entry("Church", "%1")}));
    FakeHost host;
    host.choose = [](const QStringList&) { return std::nullopt; };
    FillCalendarWithRecurringDates(host);
    EXPECT_TRUE(host.puts.isEmpty());
    EXPECT_EQ(host.setButtonsCalls, 0);
    EXPECT_TRUE(host.paletteShown);
}

TEST_F(Fill, HiddenPaletteStaysHidden)
{
    ASSERT_TRUE(SaveRecurringDates({entry("Church", "%1")}));
    FakeHost host;
    host.paletteVisible = false;
    host.paletteShown = false;
    FillCalendarWithRecurringDates(host);
    EXPECT_FALSE(host.paletteShown);
    EXPECT_EQ(host.puts.size(), 5);
}

TEST(FillRules, EasterOfferedOnlyInItsMonth)
{
    const QString easter = PadField(QStringLiteral("Easter"), kEventTextWidth) + QStringLiteral("#EASTER");
    EXPECT_EQ(EntriesForMonth({easter}, 3, 2024), QStringList{easter});
    EXPECT_TRUE(EntriesForMonth({easter}, 4, 2024).isEmpty());
}

TEST(FillRules, SameDayEntriesKeepRowOrderAndRepeat)
{
    const QStringList chosen = {entry("  First  ", "@0001"), entry("Second", "$0 7 0"), entry("note", "")};
    QList<Put> puts;
    auto put = [&](int day, const QString& text) { puts.append({day, text}); };
    ApplyRecurringDates(chosen, 1, 2025, put);
    ApplyRecurringDates(chosen, 1, 2025, put);
    const QList<Put> once = {{1, QStringLiteral("First")}, {1, QStringLiteral("Second")}};
    EXPECT_EQ(puts, once + once);
}
