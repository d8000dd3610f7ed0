#include "pagesnapshot.h"

#include "document/calendardocument.h"
#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"

TPageSnapshot TakePageSnapshot(TCalendarPanel32& page)
{
    {
        const TQBasePanel::TSuspension quiet = page.SuspendNotifications();
        for (TQGraphicControl* object : page.PlacedObjects())
            object->SettleBounds();
    }
    return {DocumentBytes(page)};
}

void RestorePageSnapshot(TCalendarPanel32& page, const TPageSnapshot& current, const TPageSnapshot& target)
{
    {
        const TQBasePanel::TSuspension quiet = page.SuspendNotifications();
        ReadDocumentDifferences(page, current.bytes, target.bytes, true);
        page.HookAllObjects();
    }
    page.update();
}
