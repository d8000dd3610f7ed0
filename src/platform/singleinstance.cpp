#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate");
const QByteArray kOpen = QByteArrayLiteral("open ");
// A request is one short line; a peer that sends more is not Almarin.
constexpr qsizetype kMaxRequest = 64 * 1024;

QString socketName()
{
    return QStringLiteral("almarin-%1.instance").arg(::getuid());
}

} // namespace

TJustOne::TJustOne(const QString& key, const QString& documentFile)
{
    QString name = key;
    if (name.isEmpty()) {
        const QString folder = SocketFolder();
        if (folder.isEmpty())
            return;
        name = folder + QLatin1Char('/') + socketName();
    }
    struct stat info;
    if (::lstat(QFile::encodeName(name).constData(), &info) == 0) {
        // What another user put there is never spoken to nor removed; this start runs without a guard.
        if (info.st_uid != ::getuid())
            return;
        if (S_ISSOCK(info.st_mode) && handOver(name, documentFile)) {
            m_name = name;
            m_previous = true;
            return;
        }
        // Nobody answered: the socket was left by an instance that crashed.
        QLocalServer::removeServer(name);
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        delete m_server;
        m_server = nullptr;
        return;
    }
    m_name = name;
    connect(m_server, &QLocalServer::newConnection, this, &TJustOne::onNewConnection);
}

TJustOne::~TJustOne()
{
    if (m_server)
        m_server->close();
}

QString TJustOne::SocketFolder()
{
    const uid_t user = ::getuid();
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime, user))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/almarin-%1").arg(user);
    const QByteArray path = QFile::encodeName(own);
    // The umask may have taken bits the owner needs; a folder that was there already is only checked.
    if (::mkdir(path.constData(), 0700) == 0)
        ::chmod(path.constData(), 0700);
    return IsPrivateFolder(own, user) ? own : QString();
}

bool TJustOne::IsPrivateFolder(const QString& path, uid_t owner)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == owner &&
           (info.st_mode & 07777) == 0700;
}

bool TJustOne::handOver(const QString& name, const QString& documentFile)
{
    QLocalSocket peer;
    peer.connectToServer(name);
    if (!peer.waitForConnected(500))
        return false;
    const QByteArray request = documentFile.isEmpty() ? kActivate : kOpen + QUrl::toPercentEncoding(documentFile);
    peer.write(request + '\n');
    peer.waitForBytesWritten(1000);
    peer.disconnectFromServer();
    return true;
}

void TJustOne::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
    }
}

void TJustOne::readRequests(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxRequest).trimmed();
        if (line == kActivate) {
            emit activateRequested();
        } else if (line.startsWith(kOpen)) {
            emit activateRequested();
            emit openRequested(QUrl::fromPercentEncoding(line.mid(kOpen.size())));
        }
    }
    if (socket->bytesAvailable() > kMaxRequest)
        socket->abort();
}
