// The window's many-page commands: "Make Year..." from the open document, and "Join Documents into PDF...".
#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/joindocumentsdialog.h"
#include "app/makeyeardialog.h"
#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include "pdftext.h"

#include "platform/messages.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString SaveMonth(const QString& file, int month, int year)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalMonth(month);
    page.SetMainCalYear(year);
    page.CellStorage(10)->SetRtfData(QByteArray("{\\rtf1\\ansi Kept note}"));
    SaveToFile(page, file);
    return file;
}

QStringList PageTexts(const QString& pdf)
{
    return PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

struct WindowJobs : ::testing::Test
{
    ScratchProgramFolder folder;
    QTemporaryDir out;
    QStringList messages;
    std::unique_ptr<TCalendarMain> main;

    void SetUp() override
    {
        SetMessageResponder([this](MessageKind, const QString& text, const QString&) {
            messages << text;
            return true;
        });
        main = std::make_unique<TCalendarMain>();
        main->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !main->Loading(); }, 5000));
    }
    void TearDown() override
    {
        main.reset();
        SetMessageResponder({});
    }
};

} // namespace

TEST_F(WindowJobs, MakeYearWritesTheRunAndCancelLeavesNoFileAndTheDocumentAsItWas)
{
    main->Documents().OpenCalendarFile(SaveMonth(folder.file(QStringLiteral("template.QXF")), 3, 2027));
    const QByteArray before = DocumentBytes(*main->CalendarPanel());
    const QString pdf = out.filePath(QStringLiteral("year.pdf"));
    const auto makeYear = [&](int months, bool cancel) {
        WhenModalShown<TMakeYearDialog>([&](TMakeYearDialog* dialog) {
            dialog->findChild<QSpinBox*>(QStringLiteral("MonthCount"))->setValue(months);
            dialog->findChild<QLineEdit*>(QStringLiteral("TargetPath"))->setText(pdf);
            // The progress dialog comes up as this one closes: Cancel it once two pages are made.
            auto* watch = new QTimer(main.get());
            watch->setInterval(0);
            QObject::connect(watch, &QTimer::timeout, [this, watch, cancel] {
                auto* progress = main->findChild<QProgressDialog*>(QStringLiteral("PagesJobProgress"));
                if (!progress)
                    return;
                watch->deleteLater();
                watch->stop();
                if (cancel)
                    QObject::connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged, progress,
                                     [progress](int pages) {
                                         if (pages == 2)
                                             QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                                     });
            });
            watch->start();
            dialog->accept();
        });
        main->Action(QStringLiteral("mnuMakeYear"))->trigger();
    };

    makeYear(3, false);
    const QStringList pages = PageTexts(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("March 2027")) && pages[0].contains(QStringLiteral("Kept note")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("May 2027")) && !pages[2].contains(QStringLiteral("Kept note")));
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray firstRun = written.readAll();
    written.close();

    makeYear(24, true);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("year.pdf")});
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), firstRun) << "a cancelled run leaves the file of the last one";
    EXPECT_EQ(DocumentBytes(*main->CalendarPanel()), before);
    EXPECT_FALSE(main->Modified());
}

TEST_F(WindowJobs, JoinDocumentsTakesTheListInTheOrderItIsPut)
{
    const QString march = SaveMonth(folder.file(QStringLiteral("march.QXF")), 3, 2027);
    const QString april = SaveMonth(folder.file(QStringLiteral("april.QXF")), 4, 2027);
    const QString may = SaveMonth(folder.file(QStringLiteral("may.QXF")), 5, 2027);
    const QString pdf = out.filePath(QStringLiteral("joined.pdf"));
    QStringList listed;
    WhenModalShown<TJoinDocumentsDialog>([&](TJoinDocumentsDialog* dialog) {
        const auto click = [dialog](const char* name) {
            QPushButton* button = dialog->findChild<QPushButton*>(QLatin1String(name));
            EXPECT_TRUE(button->isEnabled()) << name;
            QTest::mouseClick(button, Qt::LeftButton);
        };
        dialog->AddDocuments({march, april, may, march});
        click("RemoveButton");
        click("UpButton");
        listed = dialog->Documents();
        dialog->findChild<QLineEdit*>(QStringLiteral("TargetPath"))->setText(pdf);
        dialog->accept();
    });
    main->Action(QStringLiteral("mnuJoinDocuments"))->trigger();
    EXPECT_EQ(listed, (QStringList{march, may, april}));
    const QStringList pages = PageTexts(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("March 2027")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("May 2027")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("April 2027")));
}
