#include "platform/help.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/singleinstance.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <vector>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

namespace {

// A client connected to the instance socket at `key`; -1 when it cannot connect.
int connectTo(const QString& key)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(key);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether the instance has closed its end of the connection.
bool closedByPeer(int fd)
{
    char byte;
    return ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0;
}

} // namespace

TEST(SingleInstance, ConnectionsThatSayNothingAreClosed)
{
    QTemporaryDir dir;
    const QString key = dir.path() + QStringLiteral("/instance");
    TJustOne first(key);
    const int idle = connectTo(key);
    ASSERT_GE(idle, 0);
    QTest::qWait(300);
    EXPECT_FALSE(closedByPeer(idle)); // a moment to speak
    EXPECT_TRUE(QTest::qWaitFor([idle] { return closedByPeer(idle); }, 3000));
    ::close(idle);
}

// Out of descriptors, the listener rests instead of waking the program again at once, and listens
// again afterwards.
TEST(SingleInstance, AcceptingRestsWhileNoDescriptorIsFree)
{
    QTemporaryDir dir;
    const QString key = dir.path() + QStringLiteral("/instance");
    TJustOne first(key);
    QSignalSpy spy(&first, &TJustOne::activateRequested);
    const QList<QSocketNotifier*> notifiers = first.findChildren<QSocketNotifier*>();
    ASSERT_EQ(notifiers.size(), 1);
    QSocketNotifier* listening = notifiers.first();
    const int client = connectTo(key);
    ASSERT_GE(client, 0);
    ASSERT_EQ(::send(client, "activate\n", 9, MSG_NOSIGNAL), 9);

    rlimit limit;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit saved = limit;
    int highest = 0;
    for (const QString& name : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System))
        highest = std::max(highest, name.toInt());
    limit.rlim_cur = rlim_t(highest) + 2;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
    std::vector<int> fillers;
    for (int fd; (fd = ::dup(client)) >= 0;)
        fillers.push_back(fd);
    QCoreApplication::processEvents();
    const bool resting = !listening->isEnabled();
    for (int fd : fillers)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_TRUE(resting);
    EXPECT_TRUE(spy.wait(2000));
    ::close(client);
}
