// Feeds arbitrary bytes to the style sheet reader; a style sheet that loads is drawn, saved and read again.
#include "calendar/calendardocument.h"
#include "calendar/calendarpanel32.h"

#include "fuzzsupport.h"

namespace {

TCalendarPanel32& Page()
{
    static auto* page = [] {
        StartFuzzApplication("fuzz_stylesheetreader");
        return new TCalendarPanel32;
    }();
    return *page;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzInput(data, size);
    TCalendarPanel32& page = Page();
    try {
        ReadStyleSheetBytes(page.Model(), bytes);
    } catch (const EStreamError&) {
        return 0;
    }
    page.RenderToBitmap();
    try {
        ReadStyleSheetBytes(page.Model(), StyleSheetBytes(page.Model()));
    } catch (const EStreamError&) {
        __builtin_trap();
    }
    return 0;
}
