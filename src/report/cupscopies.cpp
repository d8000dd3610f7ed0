#include "cupscopies.h"

#include <cups/cups.h>

int CupsMaxCopies(const QString& printerName)
{
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest)
        return 0;
    int upper = 0;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        ipp_attribute_t* copies = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "copies");
        if (copies && ippGetValueTag(copies) == IPP_TAG_RANGE)
            ippGetRange(copies, 0, &upper);
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return upper;
}
