#include "pagesnapshot.h"

#include "document/calendardocument.h"
#include "document/qgraphiccontrol.h"
#include "editor/calendarpanel32.h"

TPageSnapshot TakePageSnapshot(TCalendarPanel32& page)
{
    const bool suspended = page.SuspendNotify;
    page.SuspendNotify = true;
    for (TQGraphicControl* object : page.PlacedObjects())
        object->SettleBounds();
    page.SuspendNotify = suspended;
    return {DocumentBytes(page)};
}

void RestorePageSnapshot(TCalendarPanel32& page, const TPageSnapshot& current, const TPageSnapshot& target)
{
    const bool suspended = page.SuspendNotify;
    page.SuspendNotify = true;
    ReadDocumentDifferences(page, current.bytes, target.bytes, true);
    page.HookAllObjects();
    page.SuspendNotify = suspended;
    page.update();
}
