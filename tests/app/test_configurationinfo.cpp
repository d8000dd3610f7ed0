#include "app/calendarmain.h"
#include "app/configreport.h"
#include "app/configurationinfo.h"
#include "support/testsupport.h"

#include "platform/messages.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

TSystemFacts knownMachine()
{
    TSystemFacts facts;
    facts.OsName = QStringLiteral("Debian GNU/Linux");
    facts.OsVersion = QStringLiteral("12 (bookworm)");
    facts.KernelVersion = QStringLiteral("6.1.0-18-amd64");
    facts.CpuArchitecture = QStringLiteral("x86_64");
    facts.CpuModel = QStringLiteral("AMD EPYC");
    facts.ScreenSize = QSize(1024, 768);
    facts.ScreenDepth = 16;
    facts.LogicalDpi = 96;
    facts.PhysTotal = 4000000000;
    facts.PhysAvailable = 1000000000;
    facts.SwapTotal = 2000000;
    facts.SwapAvailable = 500000;
    facts.UserLocale = kUs;
    facts.SystemLocale = kGerman;
    facts.Printers = {{QStringLiteral("Office"), QStringLiteral("HP LaserJet 4")}, {QStringLiteral("Pdf"), QString()}};
    return facts;
}

} // namespace

TEST(ConfigReport, EnvironmentLinesKeepTheirLabelsOrderAndSeparators)
{
    const QString dates = QStringLiteral("Date Format: \tShort: ") + kUs.dateFormat(QLocale::ShortFormat) +
                          QStringLiteral(";    Long: ") + kUs.dateFormat(QLocale::LongFormat);
    const QString times = QStringLiteral("Time Format: \tShort: ") + kUs.timeFormat(QLocale::ShortFormat) +
                          QStringLiteral(";    Long: ") + kUs.timeFormat(QLocale::LongFormat);
    EXPECT_EQ(EnvironmentLines(knownMachine()),
              (QStringList{
                  QString(),
                  QStringLiteral("[Environment]"),
                  QStringLiteral("Windows:     \tDebian GNU/Linux (version 12 (bookworm) build:6.1.0-18-amd64)"),
                  QStringLiteral("CPU:         \tProcessor:  x86_64 AMD EPYC"),
                  QStringLiteral("Video:       \t1024 x 768 x 65,536 colors"),
                  QStringLiteral("Font:        \tSmall Fonts in use"),
                  QStringLiteral("Memory Load: \t75"),
                  QStringLiteral("Phys Memory: \tTotal: 4,000,000,000;    Available: 1,000,000,000"),
                  QStringLiteral("Page File:   \tTotal: 2,000,000;    Available: 500,000"),
                  QStringLiteral("Virt Memory: \tTotal: 4,002,000,000;    Available: 1,000,500,000"),
                  QStringLiteral("Language:    \tUser: English;    System: German"),
                  QStringLiteral("Country:     \tUser: US;    System: DE"),
                  dates,
                  times,
                  QString(),
                  QStringLiteral("[Devices]"),
                  QStringLiteral("Office=HP LaserJet 4"),
                  QStringLiteral("Pdf=unknown"),
                  QString(),
              }));

    // A machine that tells nothing still gives every line, each saying "unknown".
    TSystemFacts nothing;
    nothing.UserLocale = kUs;
    const QStringList lines = EnvironmentLines(nothing);
    ASSERT_EQ(lines.size(), 17);
    for (int i : {2, 4, 5, 6})
        EXPECT_TRUE(lines[i].endsWith(QLatin1String("\tunknown"))) << lines[i].toStdString();
    EXPECT_EQ(lines[3], QStringLiteral("CPU:         \tProcessor:  unknown unknown"));
    EXPECT_EQ(lines[7], QStringLiteral("Phys Memory: \tTotal: unknown;    Available: unknown"));
    EXPECT_EQ(lines[10], QStringLiteral("Language:    \tUser: English;    System: unknown"));
}

TEST(ConfigReport, ColorsFollowTheDepthWithTheLocalesSeparator)
{
    struct Case
    {
        int bits;
        QLocale locale;
        const char* expected;
    } cases[] = {{16, kUs, "65,536"},         {16, kGerman, "65.536"}, {1, kUs, "2"},
                 {15, kUs, "32,768"},         {32, kUs, "16,777,216"}, {30, kUs, "30"},
                 {16, QLocale::c(), "65,536"}};
    for (const Case& c : cases)
        EXPECT_EQ(ColorCountText(c.bits, c.locale), QLatin1String(c.expected)) << c.bits;
}

TEST(ConfigReport, PreferenceLinesListTheFontAsNumbers)
{
    TPreferences preferences;
    preferences.DefaultFont = {QStringLiteral("Arial"), 10, fsBold | fsStrikeOut, clBlack};
    EXPECT_EQ(PreferenceLines(preferences).value(4), QStringLiteral("DeFFont      \tArial,10,1,0,0,0"));
    preferences.DefaultFont = {QStringLiteral("Times New Roman"), 12, fsItalic | fsUnderline, -2147483643};
    EXPECT_EQ(PreferenceLines(preferences).value(4),
              QStringLiteral("DeFFont      \tTimes New Roman,12,0,1,1,-2147483643"));
}

// The report as the Help menu opens it, saved and copied.
TEST(ConfigurationInfo, ShowsCurrentValuesAndSavesAndCopiesTheMemo)
{
    ScratchProgramFolder folder;
    const QLocale previous;
    QLocale::setDefault(kUs);
    TCalendarMain main;
    main.show();
    QTRY_VERIFY_WITH_TIMEOUT(!main.Loading(), 5000);
    // Values in use that the settings file does not hold.
    TPreferences preferences = main.Preferences();
    preferences.MainZoomPercent = 80;
    preferences.PropZoomPercent = 40;
    preferences.IconToolVisible = false;
    preferences.ShowHints = false;
    preferences.IconFile = QStringLiteral("/icons/misc1.icl");
    main.SetPreferences(preferences);

    QStringList messages;
    SetMessageResponder([&messages](MessageKind, const QString& text, const QString& caption) {
        messages << caption + QLatin1Char('|') + text;
        return true;
    });
    QStringList lines;
    QString saved;
    QString clipboard;
    const QString target = folder.file(QStringLiteral("ConfigInfo.txt"));
    WhenModalShown<TConfigurationInfo>([&](TConfigurationInfo* info) {
        lines = info->Lines();
        info->ChooseSaveFile = [&] { return target; };
        info->Button3Click();
        QFile file(target);
        if (file.open(QIODevice::ReadOnly))
            saved = QString::fromUtf8(file.readAll());
        info->ChooseSaveFile = [&] { return folder.file(QStringLiteral("missing/ConfigInfo.txt")); };
        info->Button3Click();
        info->Button1Click();
        clipboard = QGuiApplication::clipboard()->text();
        info->Button2Click();
    });
    QAction* command = main.Action(QStringLiteral("mnuConfigInfo"));
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    SetMessageResponder({});
    QLocale::setDefault(previous);

    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[0], kUs.toString(QDate::currentDate(), QLocale::LongFormat));
    EXPECT_EQ(lines.mid(1, 5),
              (QStringList{QString(), QStringLiteral("[Product]"), QStringLiteral("Program:     \tAlmarin"),
                           QStringLiteral("Version:     \t" ALMARIN_VERSION_TEXT),
                           QStringLiteral("Build Date:  \t5/17/01")}));
    EXPECT_EQ(lines[7], QStringLiteral("[Environment]"));
    EXPECT_EQ(lines.mid(lines.size() - 7),
              (QStringList{QStringLiteral("[QX.INI]"), QString(), QStringLiteral("LastZoom:    \t80/40"),
                           QStringLiteral("DeFFont      \tArial,10,0,0,0,0"),
                           QStringLiteral("LastIconFile:\t/icons/misc1.icl"), QStringLiteral("IconShowing :\t0"),
                           QStringLiteral("ShowHint:   :\t0")}));

    EXPECT_EQ(saved, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(clipboard, lines.join(QLatin1Char('\n')));
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], QStringLiteral("Configuration Information|Information was saved as: ") + target);
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Configuration Information|Unable to save ")))
        << messages[1].toStdString();
    EXPECT_EQ(messages[2], QStringLiteral("Configuration Information|Information copied to Windows clipboard"));
}
