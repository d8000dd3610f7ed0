// Helpers shared by the test executables: a scratch program folder and an output folder for images.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <utility>

// Points the program folder at a fresh temporary folder for the lifetime of the object.
class ScratchProgramFolder
{
public:
    ScratchProgramFolder();
    ~ScratchProgramFolder();
    QString path() const; // with a trailing '/'
    QString file(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Answers every message box of the program with Yes or OK and keeps its text, while it lives.
class MessageLog : public QStringList
{
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
};

// Folder under the build tree where tests leave images for a person to look at.
QString TestOutputDir(const QString& sub);

// Bytes written out in a test, one value per byte (negative values and values over 127 wrap).
QByteArray Bytes(std::initializer_list<int> values);

// Runs `step` on the next modal dialog of the given class once it is on screen, from the event loop
// that its exec() runs. When no such dialog comes within `timeoutMs` the test fails, and a modal
// dialog of another class that is up by then is rejected, so that the test ends instead of hanging.
void WhenModalShown(const QMetaObject& type, std::function<void(QWidget*)> step, int timeoutMs);

// Runs each named command and checks that work queued before it still waits when it returns: the
// command ran to its end without handling other events first.
void ExpectQueuedWorkStaysQueued(std::initializer_list<std::pair<const char*, std::function<void()>>> commands);
template <class T> void WhenModalShown(std::function<void(T*)> step, int timeoutMs = 10000)
{
    WhenModalShown(
        T::staticMetaObject, [step](QWidget* dialog) { step(static_cast<T*>(dialog)); }, timeoutMs);
}
