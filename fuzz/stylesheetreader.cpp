// Feeds arbitrary bytes to the style sheet reader; a style sheet that loads is drawn, saved and read again.
#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "render/calendarpage.h"

#include "fuzzsupport.h"

namespace {

TCalendarPage& Page()
{
    static auto* page = [] {
        StartFuzzApplication("fuzz_stylesheetreader");
        return new TCalendarPage;
    }();
    return *page;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzInput(data, size);
    TCalendarPage& page = Page();
    try {
        ReadStyleSheetBytes(page.Model(), bytes);
    } catch (const EStreamError&) {
        return 0;
    }
    page.RenderAt(1.0f);
    try {
        ReadStyleSheetBytes(page.Model(), StyleSheetBytes(page.Model()));
    } catch (const EStreamError&) {
        __builtin_trap();
    }
    return 0;
}
