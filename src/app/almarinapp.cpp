#include "almarinapp.h"

#include "calendarmain.h"
#include "commandline.h"

#include "platform/cursors.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QFileInfo>

void NameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Almarin"));
    QApplication::setOrganizationName(QStringLiteral("Almarin"));
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

    TJustOne guard;
    if (guard.previousInstanceFound())
        return 0;

    TCalendarMain main;
    QObject::connect(&guard, &TJustOne::activateRequested, &main, [&main] {
        if (main.isMinimized())
            main.showNormal();
        main.raise();
        main.activateWindow();
    });
    if (!command.documentFile.isEmpty())
        main.StartupFile = QFileInfo(command.documentFile).absoluteFilePath();
    main.show();
    NormalCursor();
    return app.exec();
}
