#include "almarinapp.h"

#include "calendarmain.h"

#include "platform/cursors.h"
#include "platform/singleinstance.h"

#include <QApplication>

int RunAlmarin(int argc, char** argv)
{
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
    NormalCursor();
    return app.exec();
}
