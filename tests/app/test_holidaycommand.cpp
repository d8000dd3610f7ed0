// "almarin --holidays": a country's or region's public holidays of a year, and the codes known.
#include "jobs/commandline.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

TEST(HolidaysCommand, ListsTheDaysOfAPlaceAndTheCodesAndRefusesOthers)
{
    ScratchProgramFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("holidays"))));
    for (const char* name : {"gb.txt", "jp.txt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/holidays/") + QLatin1String(name),
                                folder.file(QStringLiteral("holidays/")) + QLatin1String(name)));
    const auto run = [](const QStringList& arguments, QString* out, QString* err) {
        out->clear();
        err->clear();
        QTextStream outStream(out);
        QTextStream errStream(err);
        return RunCommandLineJob(ParseCommandLine(arguments), outStream, errStream);
    };
    QString out, err;
    EXPECT_EQ(run({QStringLiteral("--holidays"), QStringLiteral("gb-sct"), QStringLiteral("2022")}, &out, &err), 0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("2022-01-01\tNew Year's Day\n2022-01-02\t2nd January\n"
                                              "2022-01-03\tNew Year's Day (substitute day)\n"
                                              "2022-01-04\t2nd January (substitute day)\n")))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith(QStringLiteral("2022-12-27\tChristmas Day (substitute day)\n"))) << out.toStdString();
    EXPECT_EQ(run({QStringLiteral("--holidays"), QStringLiteral("JP"), QStringLiteral("2025")}, &out, &err), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("2025-03-20\t春分の日\n"))) << out.toStdString();

    EXPECT_EQ(run({QStringLiteral("--holidays")}, &out, &err), 0);
    EXPECT_EQ(out, QStringLiteral("GB\tUnited Kingdom\nGB-ENG\tEngland\nGB-WLS\tWales\nGB-SCT\tScotland\n"
                                  "GB-NIR\tNorthern Ireland\nJP\t日本\n"));

    for (const QStringList& refused :
         {QStringList{QStringLiteral("--holidays"), QStringLiteral("XX"), QStringLiteral("2022")},
          QStringList{QStringLiteral("--holidays"), QStringLiteral("GB-XYZ"), QStringLiteral("2022")},
          QStringList{QStringLiteral("--holidays"), QStringLiteral("GB")},
          QStringList{QStringLiteral("--holidays"), QStringLiteral("GB"), QStringLiteral("20x2")},
          QStringList{QStringLiteral("--holidays"), QStringLiteral("2022"), QStringLiteral("GB")},
          QStringList{QStringLiteral("a.qxf"), QStringLiteral("--holidays")}}) {
        EXPECT_EQ(run(refused, &out, &err), 2) << refused.join(u' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(err.count(u'\n'), 1);
        EXPECT_TRUE(err.contains(QStringLiteral("(see almarin --help)"))) << err.toStdString();
    }
}
