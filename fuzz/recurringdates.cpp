// Feeds arbitrary bytes to the recurring dates reader, then describes and matches every line.
#include "recurring/recurringdescription.h"
#include "recurring/recurringfile.h"
#include "recurring/recurringmatch.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SetRegionalNames(RegionalNames::fromLocale(QLocale::c()));
    const QStringList lines = ParseRecurringDateLines(bytes);
    for (const QString& line : lines) {
        EntryDisplayText(line);
        for (int month = 1; month <= 12; ++month) {
            EntryConcernsMonth(line, month, 2024);
            DaysOfEntry(line, month, size > 0 ? int(data[0]) * 40 - 5000 : 2024);
        }
    }
    ParseRecurringDateLines(FormatRecurringDateLines(lines));
    return 0;
}
