// Feeds arbitrary bytes to the icon-library reader as ICO, 16-bit and 32-bit resource files, and
// decodes every icon it finds.
#include "fuzzsupport.h"

#include "graphics/iconlibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StartFuzzApplication("fuzz_iconlibrary");
    const TIconLibrary library(FuzzInput(data, size));
    for (int i = 0; i < library.Count(); ++i) {
        const QImage icon = library.Icon(i);
        if (!icon.isNull() && icon.size() != QSize(kSystemIconSize, kSystemIconSize))
            __builtin_trap();
    }
    return 0;
}
