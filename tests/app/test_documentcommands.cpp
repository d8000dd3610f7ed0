#include "app/calendarmain.h"
#include "app/calendarproperties.h"
#include "app/dialogfolder.h"
#include "app/documentcommands.h"
#include "app/instancerequests.h"
#include "app/mrufilelist.h"
#include "app/pagezoom.h"
#include "editor/calendarpanel32.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"
#include "support/testsupport.h"

#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/zoom.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

struct DocumentCommands : ::testing::Test
{
    ScratchProgramFolder folder;
    std::unique_ptr<TCalendarMain> main;
    TCalendarPanel32* page = nullptr;
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
    QString fileToChoose;
    QStringList proposals;
    // What the properties dialog answers: accepted with the document's settings changed by `edit`.
    bool propertiesOk = true;
    std::function<void(TCalendarPanel32&)> edit = [](TCalendarPanel32&) {};

    void SetUp() override
    {
        SetMessageResponder([this](MessageKind kind, const QString& text, const QString&) {
            (kind == MessageKind::Question ? questions : messages) << text;
            return answerYes;
        });
        start();
    }
    void TearDown() override
    {
        main.reset();
        SetMessageResponder({});
    }
    void start()
    {
        main = std::make_unique<TCalendarMain>();
        page = main->CalendarPanel();
        main->Documents().SetChooseDocumentFile([this](bool, const QString& proposed) {
            proposals << proposed;
            return fileToChoose;
        });
        main->Documents().SetRunPropertiesDialog([this](const TPropertiesRequest& request) {
            TPropertiesOutcome outcome;
            outcome.ZoomPercent = request.ZoomPercent;
            if (!propertiesOk)
                return outcome;
            outcome.Accepted = true;
            outcome.Chosen = std::make_unique<TCalendarPanel32>();
            outcome.Chosen->CopySettingsFrom(*page);
            if (request.IsNew)
                outcome.Chosen->ResetToDefaults();
            edit(*outcome.Chosen);
            return outcome;
        });
        main->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !main->Loading(); }, 5000));
    }
    void newDocument(int month = 12, int year = 1997)
    {
        edit = [month, year](TCalendarPanel32& p) {
            p.SetCalendarLayout(loFullCalendar);
            p.SetMainCalMonth(month);
            p.SetMainCalYear(year);
        };
        main->Documents().New1Click();
        edit = [](TCalendarPanel32&) {};
    }
    void putText(int cell, const QString& text)
    {
        QTextDocument doc;
        AppendRichParagraph(doc, text, {QStringLiteral("Arial"), 10, 0, clBlack});
        TWPRtfStorage storage;
        storage.SetDocument(doc);
        page->SetCellText(cell, storage);
        main->SetModified(true);
    }
    QString path(const char* name) const { return folder.file(QLatin1String(name)); }
};

} // namespace

TEST_F(DocumentCommands, NewSaveAsReopenAndCancelChanges)
{
    newDocument();
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(main->Modified());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Almarin  [untitled]"));
    // A zoom step names the untitled document as New did.
    main->Zoom().ZoomSpinnerDownClick();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Almarin  [untitled]"));
    putText(10, QStringLiteral("Recital"));

    fileToChoose = path("Family.QXF");
    main->Documents().SavebuttonClick(); // untitled: runs Save As
    EXPECT_EQ(proposals.value(0), page->GetMonthName(12).left(3) + QStringLiteral("1997.QXF"));
    EXPECT_TRUE(QFile::exists(fileToChoose));
    EXPECT_FALSE(main->Modified());
    EXPECT_EQ(main->CurrentFileName(), fileToChoose);
    EXPECT_EQ(main->Documents().RecentFiles()->Items().value(0), fileToChoose);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Almarin  [Family.QXF]"));

    putText(10, QStringLiteral("Changed"));
    main->Documents().mnuCancelChangesClick();
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(questions.last(), QStringLiteral("Cancel all changes?"));
    EXPECT_FALSE(main->Modified());
    EXPECT_EQ(page->CellStorage(10)->PlainText(), QStringLiteral("Recital"));

    // A new start reopens the most recent document.
    main->SetModified(false);
    main.reset();
    start();
    EXPECT_EQ(main->CurrentFileName(), fileToChoose);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->CellStorage(10)->PlainText(), QStringLiteral("Recital"));
}

TEST_F(DocumentCommands, CancellingTheSaveAsOfThePromptStopsTheCommandAndKeepsTheChanges)
{
    newDocument();
    putText(3, QStringLiteral("Precious"));
    fileToChoose.clear(); // the Save As dialog is cancelled
    answerYes = true;
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Modified());
    EXPECT_EQ(questions.last(), QStringLiteral("Save changes?"));

    main->Documents().New1Click();
    EXPECT_EQ(page->CellStorage(3)->PlainText(), QStringLiteral("Precious"));
    EXPECT_TRUE(main->Modified());

    answerYes = false; // No: the command goes on, the changes are dropped
    EXPECT_TRUE(main->close());
}

TEST_F(DocumentCommands, FailedSaveAsIsNotReportedAsSaved)
{
    newDocument();
    fileToChoose = path("missing-folder/Nowhere.QXF");
    main->Documents().mnuSaveAsClick();
    EXPECT_TRUE(main->Modified());
    EXPECT_TRUE(main->CurrentFileName().isEmpty());
    EXPECT_TRUE(main->Documents().RecentFiles()->Items().isEmpty());
}

TEST_F(DocumentCommands, MissingUnreadableAndWronglyNamedFiles)
{
    main->Documents().OpenCalendarFile(path("Gone.QXF"));
    EXPECT_EQ(messages.last(), QStringLiteral("File ") + path("Gone.QXF") + QStringLiteral(" no longer exists"));
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Almarin"));

    QFile junk(path("Junk.QXF"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a calendar");
    junk.close();
    main->Documents().OpenCalendarFile(junk.fileName());
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("Unable to open ") + junk.fileName()));
    EXPECT_TRUE(main->CurrentFileName().isEmpty());
    EXPECT_FALSE(page->isVisible());

    fileToChoose = path("notes.txt");
    QFile other(fileToChoose);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    main->Documents().Open1Click();
    EXPECT_EQ(messages.last(), QStringLiteral("Must be a Calendar file (*.QXF)"));
}

TEST_F(DocumentCommands, ObjectsThatCouldNotBeReadAreToldOnOpenAndSaveAsksBeforeDroppingThem)
{
    newDocument();
    const QString file = path("Objects.QXF");
    ASSERT_TRUE(main->Documents().SaveCalendarFile(file));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadWrite));
    QByteArray bytes = out.readAll();
    ASSERT_TRUE(bytes.endsWith(Bytes({1, 0})));
    // Two placed objects of a kind this program does not know.
    bytes.chop(1);
    bytes += QByteArray("TPF0\x08TQFuture", 13) + Bytes({1, 'A', 0, 0}) + QByteArray("TPF0\x08TQFuture", 13) +
             Bytes({1, 'B', 0, 0, 0});
    out.seek(0);
    out.write(bytes);
    out.close();

    messages.clear();
    main->Documents().OpenCalendarFile(file);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Not everything in Objects.QXF could be read.")));
    EXPECT_TRUE(messages[0].contains(QStringLiteral("2 placed objects could not be read")));
    EXPECT_EQ(main->CurrentFileName(), file);

    putText(4, QStringLiteral("changed"));
    questions.clear();
    answerYes = false;
    main->Documents().mnuSaveClick();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("drop the 2 placed objects")));
    EXPECT_TRUE(main->Modified());
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), bytes);
    out.close();

    answerYes = true;
    main->Documents().mnuSaveClick();
    EXPECT_FALSE(main->Modified());
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().endsWith(Bytes({1, 0})));
    out.close();
    // Once saved over, the file holds nothing unread: no more questions.
    putText(4, QStringLiteral("again"));
    main->Documents().mnuSaveClick();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_FALSE(main->Modified());
}

TEST_F(DocumentCommands, SavingAtFortyPercentWritesAtOneHundredAndShowsFortyAgain)
{
    newDocument();
    page->SetScale(ZoomFromPercent(40));
    ASSERT_TRUE(main->Documents().SaveCalendarFile(path("Zoom.QXF")));
    EXPECT_EQ(PercentFromZoom(page->Scale()), 40);
    main->Documents().OpenCalendarFile(path("Zoom.QXF"));
    EXPECT_EQ(PercentFromZoom(page->Scale()), 40);
    EXPECT_EQ(page->MainCalMonth(), 12);
}

TEST_F(DocumentCommands, RecentFileWithUnsavedChangesAsksFirst)
{
    newDocument();
    ASSERT_TRUE(main->Documents().SaveCalendarFile(path("One.QXF")));
    main->Documents().RecentFiles()->Add(path("One.QXF"));
    newDocument(); // untitled, so Yes runs Save As, which is cancelled
    putText(5, QStringLiteral("unsaved"));
    answerYes = true;
    fileToChoose.clear();
    questions.clear();
    main->Documents().RecentFiles()->ItemClicked(1);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Save changes?")});
    EXPECT_EQ(page->CellStorage(5)->PlainText(), QStringLiteral("unsaved"));
    EXPECT_EQ(main->Documents().RecentFiles()->Items().value(0), path("One.QXF"));
}

TEST_F(DocumentCommands, PropertiesOutcomeAndNewCancelled)
{
    newDocument(3, 1997);
    putText(10, QStringLiteral("March notes"));
    main->SetModified(false);

    // A font size alone is a change worth saving.
    edit = [](TCalendarPanel32& p) {
        FontDescription f = p.CellFont();
        f.size += 4;
        p.SetCellFont(f);
    };
    main->Documents().mnuPropertiesClick();
    EXPECT_TRUE(main->Documents().PropertiesAccepted());
    EXPECT_TRUE(main->Modified());
    EXPECT_FALSE(page->CellStorage(10)->IsEmpty());

    edit = [](TCalendarPanel32& p) { p.SetMainCalMonth(4); };
    main->Documents().mnuPropertiesClick();
    EXPECT_FALSE(page->HasAnyText()); // cells belong to positions, not dates

    putText(11, QStringLiteral("keep"));
    main->SetModified(false);
    propertiesOk = false;
    main->Documents().New1Click();
    EXPECT_FALSE(main->Documents().PropertiesAccepted());
    EXPECT_EQ(page->CellStorage(11)->PlainText(), QStringLiteral("keep"));
    EXPECT_EQ(page->MainCalMonth(), 4);
}

TEST_F(DocumentCommands, FailedSaveSaysWhyAndKeepsTheChanges)
{
    newDocument();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Trip")));
    fileToChoose = path("Trip/Work.QXF");
    main->Documents().mnuSaveAsClick();
    ASSERT_EQ(main->CurrentFileName(), fileToChoose);
    putText(4, QStringLiteral("unsaved"));
    ASSERT_TRUE(QDir(path("Trip")).removeRecursively());

    messages.clear();
    main->Documents().mnuSaveClick();
    ASSERT_EQ(messages.size(), 1);
    const QString head = QStringLiteral("Unable to save ") + fileToChoose + QLatin1Char('\n');
    EXPECT_TRUE(messages[0].startsWith(head) && messages[0].size() > head.size()) << messages[0].toStdString();
    EXPECT_TRUE(main->Modified());

    // Closing with Yes to the save-changes prompt tells the same and keeps the window.
    answerYes = true;
    EXPECT_FALSE(main->close());
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(messages.value(1), messages[0]);
}

TEST_F(DocumentCommands, EnterInTheSaveChangesPromptSaves)
{
    newDocument();
    fileToChoose = path("Enter.QXF");
    main->Documents().mnuSaveAsClick();
    putText(2, QStringLiteral("typed"));
    SetMessageResponder({});
    QString caption;
    WhenModalShown<QMessageBox>([&caption](QMessageBox* box) {
        caption = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_TRUE(main->Documents().CheckSaveNeeded());
    EXPECT_EQ(caption, QStringLiteral("Save"));
    EXPECT_FALSE(main->Modified());
}

// Commands run to their end without handling other events first: work queued before a command
// still waits when the command returns.
TEST_F(DocumentCommands, CommandsLeaveQueuedWorkQueued)
{
    newDocument();
    fileToChoose = path("Queued.QXF");
    main->Documents().mnuSaveAsClick();
    ExpectQueuedWorkStaysQueued({
        {"zoom in", [&] { main->Zoom().ZoomSpinnerUpClick(); }},
        {"zoom out", [&] { main->Zoom().ZoomSpinnerDownClick(); }},
        {"caption", [&] { main->SetCaption(); }},
        {"save", [&] { main->Documents().mnuSaveClick(); }},
        {"open", [&] { main->Documents().OpenCalendarFile(fileToChoose); }},
        {"cancel changes", [&] { main->Documents().mnuCancelChangesClick(); }},
    });
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// Esc or the close button of the save-changes prompt keeps everything as it was, whichever command asked.
TEST_F(DocumentCommands, CancellingTheSaveChangesPromptKeepsTheWorkWhicheverCommandAsked)
{
    newDocument();
    fileToChoose = path("Kept.QXF");
    main->Documents().mnuSaveAsClick();
    ASSERT_TRUE(main->Documents().SaveCalendarFile(path("Other.QXF")));
    ASSERT_TRUE(main->Documents().SaveCalendarFile(fileToChoose));
    main->Documents().RecentFiles()->Add(path("Other.QXF"));
    TInstanceRequests handover(*main);
    const struct
    {
        const char* command;
        std::function<void()> run;
    } commands[] = {
        {"close", [&] { main->close(); }},
        {"Exit", [&] { main->Action(QStringLiteral("mnuExit"))->trigger(); }},
        {"New", [&] { main->Documents().New1Click(); }},
        {"Open", [&] { main->Documents().Open1Click(); }},
        {"recent file", [&] { main->Documents().RecentFiles()->ItemClicked(1); }},
        {"second start",
         [&] {
             handover.Open(path("Other.QXF"));
             QTest::qWait(100);
         }},
    };
    SetMessageResponder({});
    for (const auto& c : commands) {
        for (const bool escape : {true, false}) {
            putText(7, QStringLiteral("typed"));
            proposals.clear();
            fileToChoose = path("Other.QXF");
            bool asked = false;
            WhenModalShown<QMessageBox>([&](QMessageBox* box) {
                asked = box->text() == QStringLiteral("Save changes?");
                EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes))
                    << c.command;
                if (escape)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->close();
            });
            c.run();
            EXPECT_TRUE(asked) << c.command;
            EXPECT_TRUE(main->isVisible()) << c.command;
            EXPECT_TRUE(main->Modified()) << c.command;
            EXPECT_EQ(main->CurrentFileName(), path("Kept.QXF")) << c.command;
            EXPECT_EQ(page->CellStorage(7)->PlainText(), QStringLiteral("typed")) << c.command;
            EXPECT_TRUE(proposals.isEmpty()) << c.command;
        }
    }
    main->SetModified(false);
}

// A file that cannot be read leaves the open document, named or untitled, as it was, changes and all.
TEST_F(DocumentCommands, FailedOpenKeepsTheOpenDocument)
{
    QFile junk(path("Junk.QXF"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a calendar");
    junk.close();
    for (const bool named : {true, false}) {
        newDocument(5, 2027);
        if (named) {
            fileToChoose = path("May.QXF");
            main->Documents().mnuSaveAsClick();
        }
        putText(12, QStringLiteral("Grandma visits"));
        page->SetUserTitle(QStringLiteral("Family"));
        page->SetScale(ZoomFromPercent(70));
        const QString title = main->windowTitle();
        for (const QString& file : {junk.fileName(), path("Gone.QXF")}) {
            messages.clear();
            main->Documents().OpenCalendarFile(file);
            EXPECT_EQ(messages.size(), 1) << file.toStdString();
            EXPECT_TRUE(page->isVisible());
            EXPECT_TRUE(main->Modified());
            EXPECT_EQ(main->CurrentFileName(), named ? path("May.QXF") : QString());
            EXPECT_EQ(main->windowTitle(), title);
            EXPECT_EQ(page->CellStorage(12)->PlainText(), QStringLiteral("Grandma visits"));
            EXPECT_EQ(page->UserTitle(), QStringLiteral("Family"));
            EXPECT_EQ(page->MainCalMonth(), 5);
            EXPECT_EQ(PercentFromZoom(page->Scale()), 70);
        }
        main->SetModified(false);
    }
}

// File dialogs start beside the open document; without one, where a file was chosen last; else in the
// documents folder.
TEST_F(DocumentCommands, FileDialogsStartBesideTheOpenDocument)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Elsewhere/Trip")));
    EXPECT_EQ(DialogFolder(), DocumentDirectory());
    RememberDialogChoice(path("Elsewhere/Trip/June.pdf"));
    EXPECT_EQ(DialogFolder(), path("Elsewhere/Trip/"));
    newDocument();
    fileToChoose = path("Elsewhere/May.QXF");
    main->Documents().mnuSaveAsClick();
    EXPECT_EQ(DialogFolder(), path("Elsewhere/"));
    const std::unique_ptr<QFileDialog> styleSheets = TCalendarProperties::MakeStyleSheetDialog(nullptr, true);
    EXPECT_EQ(styleSheets->directory().absolutePath() + QLatin1Char('/'), path("Elsewhere/"));
    // A document whose folder is gone leaves the last choice.
    ASSERT_TRUE(QDir(path("Elsewhere")).removeRecursively());
    EXPECT_EQ(DialogFolder(), DocumentDirectory());
}
