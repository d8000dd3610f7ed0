#include "app/calendarmain.h"
#include "app/documentcommands.h"
#include "app/instancerequests.h"
#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "platform/messages.h"
#include "platform/singleinstance.h"
#include "support/testsupport.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QProcessEnvironment environmentFor(const QString& runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return env;
}

} // namespace

TEST(Startup, ASecondStartEndsAtOnceAndAnotherUsersStartIsNotAffected)
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess first;
    first.setProcessEnvironment(environmentFor(runtime.path()));
    first.start(QStringLiteral(ALMARIN_BINARY), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    // Wait until the first instance listens.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !QDir(runtime.path()).entryList({QStringLiteral("almarin-*")}, QDir::System).isEmpty(); }, 10000));

    QProcess second;
    second.setProcessEnvironment(environmentFor(runtime.path()));
    second.start(QStringLiteral(ALMARIN_BINARY), {});
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Another user's runtime folder holds another instance.
    QTemporaryDir otherRuntime;
    QFile::setPermissions(otherRuntime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess other;
    other.setProcessEnvironment(environmentFor(otherRuntime.path()));
    other.start(QStringLiteral(ALMARIN_BINARY), {});
    EXPECT_FALSE(other.waitForFinished(1500));
    other.kill();
    other.waitForFinished(3000);
    first.kill();
    first.waitForFinished(3000);
}

TEST(Startup, WithoutAPrivateRuntimeFolderTheSocketGoesToAFolderOfTheUsersOwn)
{
    QTemporaryDir runtime;
    QTemporaryDir temp;
    // Others may enter and list it: not private.
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    QProcessEnvironment env = environmentFor(runtime.path());
    env.insert(QStringLiteral("TMPDIR"), temp.path());
    const QString own = temp.filePath(QStringLiteral("almarin-%1").arg(::getuid()));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(ALMARIN_BINARY), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(own + QStringLiteral("/almarin-%1.instance").arg(::getuid())); }, 10000));
    EXPECT_TRUE(TJustOne::IsPrivateFolder(own, ::getuid()));
    EXPECT_TRUE(QDir(runtime.path()).isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ALMARIN_BINARY), {});
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(3000);
}

TEST(Startup, ASocketOrFolderOfAnotherUserIsNeverUsed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making files of another user needs root";
    const uid_t other = 65534;
    QTemporaryDir temp;
    const QString uid = QString::number(::getuid());
    // Without a runtime folder, another user takes every place first: the stand-in runtime folder, a
    // socket in the temporary folder, and a folder of Almarin's name with a socket inside.
    for (const QString& folder : {QStringLiteral("runtime-root"), QStringLiteral("almarin-") + uid}) {
        ASSERT_TRUE(QDir(temp.path()).mkdir(folder));
        ASSERT_EQ(::chmod(QFile::encodeName(temp.filePath(folder)).constData(), 0700), 0);
    }
    std::vector<std::unique_ptr<QLocalServer>> squatters;
    for (const QString& name : {temp.filePath(QStringLiteral("almarin-%1.instance").arg(uid)),
                                temp.filePath(QStringLiteral("almarin-%1/almarin-%1.instance").arg(uid))}) {
        squatters.push_back(std::make_unique<QLocalServer>());
        ASSERT_TRUE(squatters.back()->listen(name));
        ASSERT_EQ(::chown(QFile::encodeName(name).constData(), other, other), 0);
    }
    for (const QString& folder : {QStringLiteral("runtime-root"), QStringLiteral("almarin-") + uid})
        ASSERT_EQ(::chown(QFile::encodeName(temp.filePath(folder)).constData(), other, other), 0);

    QProcessEnvironment env = environmentFor(QString());
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("TMPDIR"), temp.path());
    QProcess first;
    QProcess second;
    for (QProcess* start : {&first, &second}) {
        start->setProcessEnvironment(env);
        start->start(QStringLiteral(ALMARIN_BINARY), {});
        ASSERT_TRUE(start->waitForStarted(5000));
    }
    // Both run as windows of their own.
    EXPECT_FALSE(second.waitForFinished(3000));
    EXPECT_EQ(first.state(), QProcess::Running);
    for (const auto& squatter : squatters)
        EXPECT_FALSE(squatter->waitForNewConnection(0));
    for (QProcess* start : {&first, &second}) {
        start->kill();
        start->waitForFinished(3000);
    }

    // In a folder of the user's own, a socket of another user is not spoken to either.
    QTemporaryDir own;
    const QString key = own.filePath(QStringLiteral("instance"));
    QLocalServer squatter;
    ASSERT_TRUE(squatter.listen(key));
    ASSERT_EQ(::chown(QFile::encodeName(key).constData(), other, other), 0);
    EXPECT_FALSE(TJustOne(key).previousInstanceFound());
    EXPECT_FALSE(squatter.waitForNewConnection(0));
}

TEST(Startup, OnlyAFolderOfTheUsersOwnThatNobodyElseMayEnterIsPrivate)
{
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("f"));
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("f")));
    const QByteArray path = QFile::encodeName(folder);
    ASSERT_EQ(::chmod(path.constData(), 0700), 0);
    EXPECT_TRUE(TJustOne::IsPrivateFolder(folder, ::getuid()));
    EXPECT_FALSE(TJustOne::IsPrivateFolder(folder, ::getuid() + 1));
    ASSERT_TRUE(QFile::link(folder, temp.filePath(QStringLiteral("link"))));
    EXPECT_FALSE(TJustOne::IsPrivateFolder(temp.filePath(QStringLiteral("link")), ::getuid()));
    for (const mode_t mode : {0770, 0711, 0701, 0755, 01700}) {
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
        EXPECT_FALSE(TJustOne::IsPrivateFolder(folder, ::getuid())) << std::oct << mode;
    }
}

TEST(Startup, ALaterStartHandsItsDocumentToTheRunningOne)
{
    QTemporaryDir folder;
    const QString key = folder.filePath(QStringLiteral("instance"));
    TJustOne running(key);
    ASSERT_FALSE(running.previousInstanceFound());
    QSignalSpy opened(&running, &TJustOne::openRequested);
    QSignalSpy activated(&running, &TJustOne::activateRequested);
    const QString document = QString::fromUtf8("/home/ana/Kalender\nčerven 2025.QXF");
    EXPECT_TRUE(TJustOne(key, document).previousInstanceFound());
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.count() == 1; }, 5000));
    EXPECT_EQ(opened.first().first().toString(), document);
    EXPECT_TRUE(TJustOne(key).previousInstanceFound());
    ASSERT_TRUE(QTest::qWaitFor([&] { return activated.count() == 2; }, 5000));
    EXPECT_EQ(opened.count(), 1);

    // A stranger that never ends its line is cut off; two requests on one connection are both taken.
    QLocalSocket flood;
    flood.connectToServer(key);
    ASSERT_TRUE(flood.waitForConnected(1000));
    flood.write(QByteArray(200 * 1024, 'x'));
    EXPECT_TRUE(QTest::qWaitFor([&] { return flood.state() == QLocalSocket::UnconnectedState; }, 5000));
    QLocalSocket twice;
    twice.connectToServer(key);
    ASSERT_TRUE(twice.waitForConnected(1000));
    twice.write("activate\nactivate\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return activated.count() == 4; }, 5000));
    EXPECT_EQ(opened.count(), 1);
}

TEST(Startup, ASocketNobodyListensOnIsTakenOver)
{
    QTemporaryDir folder;
    const QString key = folder.filePath(QStringLiteral("instance"));
    {
        // What a crashed instance leaves: a socket file with nobody behind it.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, QFile::encodeName(key).constData());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    TJustOne running(key);
    EXPECT_FALSE(running.previousInstanceFound());
    EXPECT_EQ(running.serverName(), key);
    QSignalSpy activated(&running, &TJustOne::activateRequested);
    EXPECT_TRUE(TJustOne(key).previousInstanceFound());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activated.count() == 1; }, 5000));
}

TEST(Startup, AHandedDocumentOpensAfterTheSavePromptAndNeverInsideADialog)
{
    ScratchProgramFolder programFolder;
    struct ResetResponder
    {
        ~ResetResponder() { SetMessageResponder({}); }
    } resetResponder;
    QStringList questions;
    SetMessageResponder([&questions](MessageKind kind, const QString& text, const QString&) {
        if (kind == MessageKind::Question)
            questions << text;
        return false;
    });
    const QString first = programFolder.file(QStringLiteral("first.QXF"));
    const QString second = programFolder.file(QStringLiteral("second.QXF"));
    for (const QString& file : {first, second}) {
        TCalendarPanel32 page;
        page.SetUserTitle(QFileInfo(file).baseName());
        SaveToFile(page, file);
    }
    TCalendarMain main;
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main.Loading(); }, 5000));
    main.Documents().OpenCalendarFile(first);
    main.SetModified(true);
    auto* requests = new TInstanceRequests(main);
    QString duringDialog;
    WhenModalShown<QDialog>([&](QDialog* dialog) {
        requests->Open(second);
        QTest::qWait(500);
        duringDialog = main.CurrentFileName();
        dialog->accept();
    });
    QDialog dialog(&main);
    dialog.exec();
    EXPECT_EQ(duringDialog.toStdString(), first.toStdString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.CurrentFileName() == second; }, 5000));
    EXPECT_EQ(questions, QStringList{QStringLiteral("Save changes?")});
    EXPECT_EQ(main.CalendarPanel()->UserTitle(), QStringLiteral("second"));
}
