#include "testsupport.h"

#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

ScratchProgramFolder::ScratchProgramFolder() : m_previous(ProgramDirectory())
{
    SetProgramDirectory(m_dir.path());
}

ScratchProgramFolder::~ScratchProgramFolder()
{
    SetProgramDirectory(m_previous);
}

MessageLog::MessageLog()
{
    SetMessageResponder([this](MessageKind, const QString& text, const QString&) {
        append(text);
        return true;
    });
}

MessageLog::~MessageLog()
{
    SetMessageResponder({});
}

QString ScratchProgramFolder::path() const
{
    return ProgramDirectory();
}

QString ScratchProgramFolder::file(const QString& name) const
{
    return ProgramDirectory() + name;
}

QString TestOutputDir(const QString& sub)
{
    QString base = qEnvironmentVariable("ALMARIN_TEST_OUTPUT");
    if (base.isEmpty())
        base = QDir::currentPath() + QStringLiteral("/test-output");
    const QString dir = base + QLatin1Char('/') + sub;
    QDir().mkpath(dir);
    return dir;
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

void WhenModalShown(const QMetaObject& type, std::function<void(QWidget*)> step, int timeoutMs)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, [timer, step, deadline, &type, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool wanted = modal && type.cast(modal);
        if (!wanted && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (wanted) {
            step(modal);
            return;
        }
        ADD_FAILURE() << "no " << type.className() << " came up within " << timeoutMs << " ms";
        if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
    });
    timer->start();
}

void ExpectQueuedWorkStaysQueued(std::initializer_list<std::pair<const char*, std::function<void()>>> commands)
{
    for (const auto& [name, command] : commands) {
        bool ran = false;
        QMetaObject::invokeMethod(
            qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
        command();
        EXPECT_FALSE(ran) << name;
        QCoreApplication::processEvents();
        ASSERT_TRUE(ran) << name;
    }
}
