#include "instancerequests.h"

#include "calendarmain.h"
#include "documentcommands.h"

#include <QApplication>

TInstanceRequests::TInstanceRequests(TCalendarMain& main) : QObject(&main), m_main(main)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(200);
    connect(&m_wait, &QTimer::timeout, this, &TInstanceRequests::openNext);
}

void TInstanceRequests::Activate()
{
    if (m_main.isMinimized())
        m_main.showNormal();
    m_main.raise();
    m_main.activateWindow();
}

void TInstanceRequests::Open(const QString& documentFile)
{
    m_files.append(documentFile);
    QMetaObject::invokeMethod(this, &TInstanceRequests::openNext, Qt::QueuedConnection);
}

void TInstanceRequests::openNext()
{
    if (m_opening || m_files.isEmpty())
        return;
    // A dialog, a menu or an open under way runs an event loop of its own; opening from inside it
    // would change the page under it. Look again once it may be over.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || m_main.Loading()) {
        m_wait.start();
        return;
    }
    m_opening = true;
    const QString file = m_files.takeFirst();
    if (m_main.Documents().CheckSaveNeeded())
        m_main.Documents().OpenCalendarFile(file);
    m_opening = false;
    if (!m_files.isEmpty())
        QMetaObject::invokeMethod(this, &TInstanceRequests::openNext, Qt::QueuedConnection);
}
