// Feeds arbitrary bytes to the style sheet reader; a style sheet that loads is drawn, saved and read again.
#include "calendar/calendardocument.h"
#include "calendar/calendarpanel32.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

namespace {

TCalendarPanel32& Page()
{
    static int argc = 1;
    static char name[] = "fuzz_stylesheetreader";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app);
    static auto* page = new TCalendarPanel32;
    return *page;
}

} // namespace

// Fontconfig keeps its caches for the life of the process; they are not leaks of the reader.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TCalendarPanel32& page = Page();
    try {
        ReadStyleSheetBytes(page, bytes);
    } catch (const EStreamError&) {
        return 0;
    }
    page.RenderToBitmap();
    try {
        ReadStyleSheetBytes(page, StyleSheetBytes(page));
    } catch (const EStreamError&) {
        __builtin_trap();
    }
    return 0;
}
