#include "almarinapp.h"

#include "calendarmain.h"
#include "instancerequests.h"
#include "jobs/commandline.h"

#include "graphics/metafile.h"
#include "platform/cursors.h"
#include "platform/messages.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// Quits once the window it watches has first been painted: start-up measured to the window shown.
class TQuitOnFirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            // Not quit(), which would close the window before this paint reaches the screen.
            QCoreApplication::exit(0);
        return false;
    }
};

// The start-up benchmark sets ALMARIN_EXIT_WHEN_SHOWN=1; nothing in the window shows it.
void QuitWhenShownIfAsked(QWidget& window)
{
    if (qEnvironmentVariableIntValue("ALMARIN_EXIT_WHEN_SHOWN") == 1)
        window.installEventFilter(new TQuitOnFirstPaint(&window));
}

} // namespace

void NameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Almarin"));
    QApplication::setOrganizationName(QStringLiteral("Almarin"));
    // Lets the desktop match the window to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.almarin.Almarin"));
}

int RunAlmarin(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const TCommandLine command = ParseCommandLine(arguments);
    if (command.action != TCommandLine::TAction::Window)
        return RunCommandLine(argc, argv, command);

    QApplication app(argc, argv);
    NameApplication();

    // A document named here goes to the instance already running, which opens it.
    TJustOne guard(QString(),
                   command.documentFile.isEmpty() ? QString() : QFileInfo(command.documentFile).absoluteFilePath());
    if (guard.previousInstanceFound())
        return 0;

    // Told after the paint that found it, once for each picture.
    SetMetafileCutShortListener([] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { ShowInformation(MetafileCutShortNotice()); }, Qt::QueuedConnection);
    });
    TCalendarMain main;
    auto* requests = new TInstanceRequests(main);
    QObject::connect(&guard, &TJustOne::activateRequested, requests, &TInstanceRequests::Activate);
    QObject::connect(&guard, &TJustOne::openRequested, requests, &TInstanceRequests::Open);
    if (!command.documentFile.isEmpty())
        main.SetStartupFile(QFileInfo(command.documentFile).absoluteFilePath());
    QuitWhenShownIfAsked(main);
    main.show();
    NormalCursor();
    return app.exec();
}
