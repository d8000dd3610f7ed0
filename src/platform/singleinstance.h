// One Almarin per user: the first instance listens on a local socket in the user's runtime folder;
// a later start asks it to restore and raise its window, then ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

class TJustOne : public QObject
{
    Q_OBJECT
public:
    // `key` names the instance; the default is per user, so another user's Almarin is not affected.
    explicit TJustOne(const QString& key = QString(), QObject* parent = nullptr);
    ~TJustOne() override;

    // True when another instance answered: it has been asked to come forward, and this one should end.
    bool previousInstanceFound() const { return m_previous; }
    QString serverName() const { return m_name; }

signals:
    // A later start asked this instance to restore and raise its main window.
    void activateRequested();

private:
    void onNewConnection();

    QString m_name;
    bool m_previous = false;
    QLocalServer* m_server = nullptr;
};
