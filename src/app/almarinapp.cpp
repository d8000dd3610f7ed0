#include "almarinapp.h"

#include "calendarmain.h"
#include "commandline.h"

#include "platform/cursors.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace {

// Hands a document named on the command line to the window once its document commands can open it.
template <class Main> void OpenFromCommandLine(Main& main, const QString& fileName)
{
    if constexpr (requires { main.OpenCalendarFile(fileName); })
        QTimer::singleShot(0, &main, [&main, fileName] { main.OpenCalendarFile(fileName); });
}

} // namespace

int RunAlmarin(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const TCommandLine command = ParseCommandLine(arguments);
    if (command.action != TCommandLine::TAction::Window)
        return RunCommandLine(argc, argv, command);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Almarin"));
    QApplication::setOrganizationName(QStringLiteral("Almarin"));

    TJustOne guard;
    if (guard.previousInstanceFound())
        return 0;

    QApplication::setApplicationDisplayName(QStringLiteral("Almarin"));
    TCalendarMain main;
    QObject::connect(&guard, &TJustOne::activateRequested, &main, [&main] {
        if (main.isMinimized())
            main.showNormal();
        main.raise();
        main.activateWindow();
    });
    main.show();
    if (!command.documentFile.isEmpty())
        OpenFromCommandLine(main, QFileInfo(command.documentFile).absoluteFilePath());
    NormalCursor();
    return app.exec();
}
