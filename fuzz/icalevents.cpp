// Feeds arbitrary bytes to the iCalendar reader over a month and over a fortnight at the start of 1970,
// then lays every event it finds into its day paragraphs.
#include "ical/icalevents.h"

#include <QLocale>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::pair<QDate, QDate> spans[] = {{QDate(2026, 3, 1), QDate(2026, 3, 31)},
                                             {QDate(1970, 1, 1), QDate(1970, 1, 14)}};
    for (const auto& [first, last] : spans) {
        const IcalEvents read = ReadIcalEvents(bytes, first, last);
        for (const IcalEvent& event : read.events) {
            for (QDate day = std::max(event.firstDay, first); day <= std::min(event.lastDay, last);
                 day = day.addDays(1))
                IcalEventParagraph(event, day, QLocale::c());
        }
    }
    return 0;
}
