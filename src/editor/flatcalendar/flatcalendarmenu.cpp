#include "flatcalendarmenu.h"

#include "flatcalendareditor.h"

#include "document/flatcalendar/qflatcalendar.h"

#include <QMenu>

TKindMenuItems TFlatCalendarMenu::Build(TQGraphicControl& object, QMenu& menu)
{
    auto* calendar = static_cast<TQFlatCalendar*>(&object);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Properties"), calendar, [calendar] {
        if (!TFlatCalendarEditor::Edit(*calendar))
            return;
        calendar->Repaint();
        calendar->NotifyChanged();
    });
    return {};
}
