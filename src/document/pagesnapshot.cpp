#include "pagesnapshot.h"

#include "calendardocument.h"
#include "pagedocument.h"
#include "qgraphiccontrol.h"

namespace {

// Holds the page's change notifications for as long as it lives.
class TQuietPage
{
public:
    explicit TQuietPage(TPageDocument& page) : m_page(page) { m_page.HoldChangeNotifications(true); }
    ~TQuietPage() { m_page.HoldChangeNotifications(false); }
    TQuietPage(const TQuietPage&) = delete;
    TQuietPage& operator=(const TQuietPage&) = delete;

private:
    TPageDocument& m_page;
};

} // namespace

TPageSnapshot TakePageSnapshot(TPageDocument& page)
{
    {
        const TQuietPage quiet(page);
        for (TQGraphicControl* object : page.Objects())
            object->SettleBounds();
    }
    return {DocumentBytes(page)};
}

void RestorePageSnapshot(TPageDocument& page, const TPageSnapshot& current, const TPageSnapshot& target)
{
    const TQuietPage quiet(page);
    try {
        ReadDocumentDifferences(page, current.bytes, target.bytes, true);
    } catch (...) {
        page.ObjectsRebuilt();
        throw;
    }
    page.ObjectsRebuilt();
}
