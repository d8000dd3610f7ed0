#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate");
const QByteArray kOpen = QByteArrayLiteral("open ");
// A request is one short line; a peer that sends more is not Almarin.
constexpr qsizetype kMaxRequest = 64 * 1024;
// A later start says what it wants at once; a connection still open after this is closed.
constexpr int kPeerPatienceMs = 1000;
// When no connection can be taken (out of descriptors or memory), the waiting ones are left queued this
// long, rather than the listener waking the program again at once.
constexpr int kAcceptPauseMs = 250;

QString socketName()
{
    return QStringLiteral("almarin-%1.instance").arg(::getuid());
}

// False when the path does not fit a socket address.
bool socketAddress(const QString& name, sockaddr_un& address)
{
    const QByteArray path = QFile::encodeName(name);
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// All of `data`, waiting at most `timeoutMs` for room; the peer may have gone (no SIGPIPE then).
bool sendAll(int fd, const QByteArray& data, int timeoutMs)
{
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        pollfd room{fd, POLLOUT, 0};
        if (n < 0 && errno == EAGAIN && ::poll(&room, 1, timeoutMs) > 0)
            continue;
        return false;
    }
    return true;
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
    const QByteArray path = QFile::encodeName(name);
    struct stat info;
    if (::lstat(path.constData(), &info) == 0) {
        // What another user put there is never spoken to nor removed; this start runs without a guard.
        if (info.st_uid != ::getuid())
            return;
        if (S_ISSOCK(info.st_mode) && handOver(name, documentFile)) {
            m_name = name;
            m_previous = true;
            return;
        }
        // Nobody answered: the socket was left by an instance that crashed.
        ::unlink(path.constData());
    }
    if (listen(name))
        m_name = name;
}

TJustOne::~TJustOne()
{
    for (const auto& [peer, from] : m_peers)
        ::close(peer);
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_name).constData());
    }
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
    sockaddr_un address;
    if (!socketAddress(name, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // An instance that is alive but busy gets half a second to take the call.
    const timeval patience{0, 500 * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    int connected;
    do
        connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    while (connected < 0 && errno == EINTR);
    if (connected == 0) {
        const QByteArray request = documentFile.isEmpty() ? kActivate : kOpen + QUrl::toPercentEncoding(documentFile);
        sendAll(fd, request + '\n', 1000);
    }
    ::close(fd);
    return connected == 0;
}

bool TJustOne::listen(const QString& name)
{
    sockaddr_un address;
    if (!socketAddress(name, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    // Only the user may connect, wherever the socket lies.
    if (::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        ::unlink(address.sun_path);
        return false;
    }
    m_listener = fd;
    m_incoming = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_incoming, &QSocketNotifier::activated, this, &TJustOne::acceptPeers);
    return true;
}

void TJustOne::acceptPeers()
{
    for (;;) {
        const int peer = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                m_incoming->setEnabled(false);
                QTimer::singleShot(kAcceptPauseMs, this, [this] { m_incoming->setEnabled(true); });
            }
            return;
        }
        auto* readable = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        connect(readable, &QSocketNotifier::activated, this, [this, peer] { readPeer(peer); });
        const quint64 serial = ++m_peersAccepted;
        m_peers[peer] = Peer{readable, QByteArray(), serial};
        QTimer::singleShot(kPeerPatienceMs, this, [this, peer, serial] {
            const auto found = m_peers.find(peer);
            if (found != m_peers.end() && found->second.serial == serial)
                dropPeer(peer);
        });
    }
}

void TJustOne::readPeer(int peer)
{
    const auto found = m_peers.find(peer);
    if (found == m_peers.end())
        return;
    QByteArray& pending = found->second.pending;
    char chunk[4096];
    bool ended = false;
    for (;;) {
        const ssize_t n = ::read(peer, chunk, sizeof chunk);
        if (n > 0) {
            pending.append(chunk, n);
            // The rest waits for the lines so far to be taken: a peer that never stops is not read on for ever.
            if (pending.size() > kMaxRequest)
                break;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ended = n == 0 || errno != EAGAIN;
        break;
    }
    QByteArrayList lines;
    qsizetype lineEnd;
    while ((lineEnd = pending.indexOf('\n')) >= 0) {
        lines << pending.left(lineEnd).trimmed();
        pending.remove(0, lineEnd + 1);
    }
    if (ended || pending.size() > kMaxRequest)
        dropPeer(peer);
    // Last, because a handler may run a dialog's event loop, in which this peer is read again.
    for (const QByteArray& line : std::as_const(lines)) {
        if (line == kActivate) {
            emit activateRequested();
        } else if (line.startsWith(kOpen)) {
            emit activateRequested();
            emit openRequested(QUrl::fromPercentEncoding(line.mid(kOpen.size())));
        }
    }
}

void TJustOne::dropPeer(int peer)
{
    const auto found = m_peers.find(peer);
    // Its own signal may be what brought us here.
    found->second.readable->setEnabled(false);
    found->second.readable->deleteLater();
    m_peers.erase(found);
    ::close(peer);
}
