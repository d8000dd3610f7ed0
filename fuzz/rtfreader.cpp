// Feeds arbitrary bytes to the RTF reader, then checks that the writer's RTF of the result reads back to the
// same text.
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

// Font lookup keeps fontconfig's caches for the life of the process; they are not leaks of the reader.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtfreader";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(app);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    QString error;
    if (!ReadRtf(bytes, doc, &error)) {
        if (!doc.isEmpty() || error.isEmpty())
            __builtin_trap();
        return 0;
    }
    QTextDocument again;
    if (!ReadRtf(WriteRtf(doc), again) || again.toRawText() != doc.toRawText())
        __builtin_trap();
    return 0;
}
