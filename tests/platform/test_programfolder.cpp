#include "platform/help.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/singleinstance.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(ProgramFolder, SetterAndUserFiles)
{
    ScratchProgramFolder folder;
    EXPECT_TRUE(ProgramDirectory().endsWith(QLatin1Char('/')));
    // A writable program folder holds the user files.
    EXPECT_EQ(SettingsFileName(), folder.file(QStringLiteral("QX.ini")));
    EXPECT_EQ(UserFilePath(QStringLiteral("QXRECUR.DAX")), folder.file(QStringLiteral("QXRECUR.DAX")));
    EXPECT_EQ(DocumentDirectory(), ProgramDirectory());
}

TEST(ProgramFolder, ReadOnlyFolderSendsUserFilesToConfig)
{
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString previous = ProgramDirectory();
    SetProgramDirectory(dir.path());
    const bool rootCanWriteAnyway = QFile(dir.path() + QStringLiteral("/x")).open(QIODevice::WriteOnly);
    if (!rootCanWriteAnyway) {
        EXPECT_NE(UserFileDirectory(), ProgramDirectory());
        // Documents are not offered a place the user cannot write to.
        EXPECT_NE(DocumentDirectory(), ProgramDirectory());
    }
    QFile::remove(dir.path() + QStringLiteral("/x"));
    SetProgramDirectory(previous);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ProgramFolder, FindsAssetsWithoutRegardToCase)
{
    ScratchProgramFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("Borders"));
    touch(folder.file(QStringLiteral("misc1.icl")));
    touch(folder.file(QStringLiteral("Borders/Holly.wpo")));
    EXPECT_EQ(FindProgramFile(QStringLiteral("MISC1.ICL")), folder.file(QStringLiteral("misc1.icl")));
    EXPECT_EQ(FindProgramFile(QStringLiteral("Misc1.icl")), folder.file(QStringLiteral("misc1.icl")));
    EXPECT_EQ(FindProgramFile(QStringLiteral("borders\\HOLLY.WPO")), folder.file(QStringLiteral("Borders/Holly.wpo")));
    EXPECT_TRUE(FindProgramFile(QStringLiteral("Borders/none.wpo")).isEmpty());
    EXPECT_TRUE(FindProgramFile(QStringLiteral("../etc/passwd")).isEmpty());
}

TEST(Messages, ResponderAnswersWithCaptions)
{
    QStringList seen;
    SetMessageResponder([&](MessageKind kind, const QString& text, const QString& caption) {
        seen << (kind == MessageKind::Information ? QStringLiteral("I:") : QStringLiteral("Q:")) + caption +
                    QLatin1Char(':') + text;
        return text == QStringLiteral("yes?");
    });
    ShowInformation(QStringLiteral("Done"));
    EXPECT_TRUE(AskYesNo(QStringLiteral("yes?"), QStringLiteral("Save")));
    EXPECT_FALSE(AskYesNo(QStringLiteral("no?"), QStringLiteral("CANCEL")));
    SetMessageResponder(nullptr);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("I:Information:Done"), QStringLiteral("Q:Save:yes?"),
                                 QStringLiteral("Q:CANCEL:no?")}));
}

TEST(Help, TopicsFallBackToContents)
{
    ScratchProgramFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("help"));
    EXPECT_TRUE(HelpPageFile(911).isEmpty());
    touch(folder.file(QStringLiteral("help/contents.html")));
    touch(folder.file(QStringLiteral("help/topic_911.html")));
    EXPECT_EQ(HelpPageFile(911), folder.file(QStringLiteral("help/topic_911.html")));
    EXPECT_EQ(HelpPageFile(1015), folder.file(QStringLiteral("help/contents.html")));
}

TEST(SingleInstance, SecondStartAsksTheFirstToComeForward)
{
    QTemporaryDir dir;
    const QString key = dir.path() + QStringLiteral("/instance");
    TJustOne first(key);
    EXPECT_FALSE(first.previousInstanceFound());
    QSignalSpy spy(&first, &TJustOne::activateRequested);
    TJustOne second(key);
    EXPECT_TRUE(second.previousInstanceFound());
    EXPECT_TRUE(spy.wait(2000));
    // Another user's (another key's) instance is not affected.
    TJustOne other(dir.path() + QStringLiteral("/other"));
    EXPECT_FALSE(other.previousInstanceFound());
}

TEST(SingleInstance, StaleSocketFromACrashIsTakenOver)
{
    QTemporaryDir dir;
    const QString key = dir.path() + QStringLiteral("/instance");
    touch(key);
    TJustOne first(key);
    EXPECT_FALSE(first.previousInstanceFound());
}
