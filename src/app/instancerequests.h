// What later starts of Almarin ask of the running one: come forward, or open a document. A document
// is opened as the File menu opens one, after the save-changes prompt, one at a time and only while
// no dialog or menu has the user's attention.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class TCalendarMain;

class TInstanceRequests : public QObject
{
    Q_OBJECT
public:
    explicit TInstanceRequests(TCalendarMain& main);

    // Restores the main window when minimised and raises it.
    void Activate();
    // Queues the document; it opens from the event loop, never from inside the caller.
    void Open(const QString& documentFile);

private:
    void openNext();

    TCalendarMain& m_main;
    QStringList m_files;
    bool m_opening = false;
    QTimer m_wait;
};
