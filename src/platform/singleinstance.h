// One Almarin per user: the first instance listens on a local socket in a folder that only the user
// may enter; a later start hands it the document named on its command line, or asks it to come
// forward, and ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <map>

#include <sys/types.h>

class QSocketNotifier;

class TJustOne : public QObject
{
    Q_OBJECT
public:
    // `key` is the socket's path; the default lies in SocketFolder(), so another user's Almarin is not
    // affected. `documentFile` (absolute) goes to an instance already running.
    explicit TJustOne(const QString& key = QString(), const QString& documentFile = QString());
    ~TJustOne() override;

    // True when another instance took the request, and this one should end.
    bool previousInstanceFound() const { return m_previous; }
    // The socket's path; empty when this start runs without a guard (no private folder, or the place
    // was taken).
    QString serverName() const { return m_name; }

    // $XDG_RUNTIME_DIR when it is private to the user, else a folder of the user's own in the
    // temporary folder, made on first use. Empty when neither is private.
    static QString SocketFolder();
    // A real folder, not a link, owned by `owner`, with mode 0700.
    static bool IsPrivateFolder(const QString& path, uid_t owner);

signals:
    // A later start asked this instance to restore and raise its main window.
    void activateRequested();
    // A later start named this document.
    void openRequested(const QString& documentFile);

private:
    // True when an instance listens at `name`; it has been given the request.
    static bool handOver(const QString& name, const QString& documentFile);
    bool listen(const QString& name);
    void acceptPeers();
    void readPeer(int peer);
    void dropPeer(int peer);

    // A later start's connection and the part of its request not yet ended by a newline; `serial` tells
    // it from a later connection that gets the same descriptor.
    struct Peer
    {
        QSocketNotifier* readable = nullptr;
        QByteArray pending;
        quint64 serial = 0;
    };

    QString m_name;
    bool m_previous = false;
    int m_listener = -1;
    QSocketNotifier* m_incoming = nullptr;
    quint64 m_peersAccepted = 0;
    std::map<int, Peer> m_peers;
};
