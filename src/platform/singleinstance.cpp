#include "singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");

QString defaultName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/almarin-%1.instance").arg(::getuid());
}

} // namespace

TJustOne::TJustOne(const QString& key, QObject* parent) : QObject(parent), m_name(key.isEmpty() ? defaultName() : key)
{
    {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(500)) {
            probe.write(kActivate);
            probe.waitForBytesWritten(1000);
            probe.disconnectFromServer();
            m_previous = true;
            return;
        }
    }
    // Nobody answered: a socket file left by a crashed instance is stale.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_name);
    connect(m_server, &QLocalServer::newConnection, this, &TJustOne::onNewConnection);
}

TJustOne::~TJustOne()
{
    if (m_server)
        m_server->close();
}

void TJustOne::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kActivate.trimmed()))
                emit activateRequested();
        });
    }
}
