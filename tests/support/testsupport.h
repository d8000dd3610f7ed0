// Helpers shared by the test executables: a scratch program folder and an output folder for images.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QTimer>

#include <QTemporaryDir>
#include <functional>
#include <initializer_list>

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

// Folder under the build tree where tests leave images for a person to look at.
QString TestOutputDir(const QString& sub);

// Bytes written out in a test, one value per byte (negative values and values over 127 wrap).
QByteArray Bytes(std::initializer_list<int> values);

// Runs `step` on the next modal dialog of type T once it is on screen, from the event loop that
// its exec() runs.
template <class T> void WhenModalShown(std::function<void(T*)> step)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
        }
    });
    timer->start();
}
