#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

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
    QTRY_VERIFY_WITH_TIMEOUT(!QDir(runtime.path()).entryList({QStringLiteral("almarin-*")}, QDir::System).isEmpty(), 10000);

    QProcess second;
    second.setProcessEnvironment(environmentFor(runtime.path()));
    second.start(QStringLiteral(ALMARIN_BINARY), {});
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Another user's runtime folder holds another instance.
    QTemporaryDir otherRuntime;
    QFile::setPermissions(otherRuntime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess other;
    other.setProcessEnvironment(environmentFor(otherRuntime.path()));
    other.start(QStringLiteral(ALMARIN_BINARY), {});
    EXPECT_FALSE(other.waitForFinished(1500));
    other.kill();
    other.waitForFinished(3000);
    first.kill();
    first.waitForFinished(3000);
}
