#include "pagesnapshot.h"

#include "calendar/calendardocument.h"
#include "calendar/calendarpanel32.h"
#include "surface/qgraphiccontrol.h"

TPageSnapshot TakePageSnapshot(TCalendarPanel32& page)
{
    const bool suspended = page.SuspendNotify;
    page.SuspendNotify = true;
    for (TQGraphicControl* object : page.PlacedObjects())
        object->SettleBounds();
    page.SuspendNotify = suspended;
    return {DocumentBytes(page), page.Scale()};
}

void RestorePageSnapshot(TCalendarPanel32& page, const TPageSnapshot& current, const TPageSnapshot& target)
{
    const bool suspended = page.SuspendNotify;
    page.SuspendNotify = true;
    // Objects' records compare only at one zoom.
    const bool sameZoom = current.zoom == page.Scale() && target.zoom == page.Scale();
    for (QObject* created : ReadDocumentDifferences(page, current.bytes, target.bytes, sameZoom)) {
        auto* object = static_cast<TQGraphicControl*>(created);
        object->AssumeScale(target.zoom);
        object->SetScale(page.Scale());
    }
    page.HookAllObjects();
    page.SuspendNotify = suspended;
    page.update();
}
