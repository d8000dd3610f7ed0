// Feeds arbitrary bytes to the component stream reader: component records when the signature leads, values otherwise.
#include "stream/streamreader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        TStreamReader reader(bytes);
        while (!reader.AtEnd()) {
            const qsizetype before = reader.Position();
            if (bytes.mid(before, 4) == QByteArrayView("TPF0"))
                reader.SkipComponent();
            else if (reader.NextValue() == TValueType::Ident)
                reader.ReadColor();
            else
                reader.SkipValue();
            if (reader.Position() <= before || reader.Position() > bytes.size())
                __builtin_trap();
        }
    } catch (const EStreamError&) {
    }
    return 0;
}
