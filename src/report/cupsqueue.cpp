#include "cupsqueue.h"

#include <QLibrary>

#include <cups/cups.h>

namespace {

// The CUPS library is opened on first use, as the toolkit's own print plugin is: linking it would load
// it and its TLS and discovery libraries into every start, PDF exports and command-line jobs included.
struct TCupsCalls
{
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&cupsFindDestSupported) findDestSupported = nullptr;
    decltype(&ippGetValueTag) getValueTag = nullptr;
    decltype(&ippGetRange) getRange = nullptr;
    decltype(&cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;

    bool complete() const
    {
        return getNamedDest && copyDestInfo && findDestSupported && getValueTag && getRange && freeDestInfo &&
               freeDests && lastError && lastErrorString;
    }
};

const TCupsCalls& Cups()
{
    static const TCupsCalls calls = [] {
        TCupsCalls found;
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return found;
        const auto resolve = [&library](auto& call, const char* name) {
            call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(library.resolve(name));
        };
        resolve(found.getNamedDest, "cupsGetNamedDest");
        resolve(found.copyDestInfo, "cupsCopyDestInfo");
        resolve(found.findDestSupported, "cupsFindDestSupported");
        resolve(found.getValueTag, "ippGetValueTag");
        resolve(found.getRange, "ippGetRange");
        resolve(found.freeDestInfo, "cupsFreeDestInfo");
        resolve(found.freeDests, "cupsFreeDests");
        resolve(found.lastError, "cupsLastError");
        resolve(found.lastErrorString, "cupsLastErrorString");
        return found.complete() ? found : TCupsCalls();
    }();
    return calls;
}

} // namespace

int CupsMaxCopies(const QString& printerName)
{
    const TCupsCalls& cups = Cups();
    if (!cups.complete())
        return 0;
    const QByteArray name = printerName.toUtf8();
    cups_dest_t* dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest)
        return 0;
    int upper = 0;
    if (cups_dinfo_t* info = cups.copyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        ipp_attribute_t* copies = cups.findDestSupported(CUPS_HTTP_DEFAULT, dest, info, "copies");
        if (copies && cups.getValueTag(copies) == IPP_TAG_RANGE)
            cups.getRange(copies, 0, &upper);
        cups.freeDestInfo(info);
    }
    cups.freeDests(1, dest);
    return upper;
}

QString CupsLastRequestError()
{
    const TCupsCalls& cups = Cups();
    if (!cups.complete())
        return QString();
    // Statuses below the redirection range are the successful ones.
    if (cups.lastError() < IPP_STATUS_REDIRECTION_OTHER_SITE)
        return QString();
    const char* reason = cups.lastErrorString();
    return reason && *reason ? QString::fromUtf8(reason) : QStringLiteral("the print server refused the job");
}
