#include "recurringfill.h"

#include "recurringfile.h"
#include "recurringmonth.h"
#include "selectrecurringdates.h"

#include "platform/centerform.h"
#include "platform/messages.h"

namespace {

// Hides the icon palette for the lifetime of the command and brings it back on every way out.
class PaletteHidden
{
public:
    explicit PaletteHidden(RecurringFillHost& host) : m_host(host), m_active(host.iconToolVisible())
    {
        if (m_active)
            m_host.hideIconPalette();
    }
    ~PaletteHidden()
    {
        if (m_active)
            m_host.showIconPalette();
    }
    PaletteHidden(const PaletteHidden&) = delete;
    PaletteHidden& operator=(const PaletteHidden&) = delete;

private:
    RecurringFillHost& m_host;
    bool m_active;
};

} // namespace

std::optional<QStringList> RecurringFillHost::chooseRecurringDates(const QStringList& offered)
{
    TSelectRecurringDates dialog(MainForm());
    dialog.setLines(offered);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedLines();
}

namespace {

// Everything between hiding and re-showing the palette; true when entries were applied.
bool chooseAndApply(RecurringFillHost& host)
{
    QStringList lines;
    QString error;
    if (!LoadRecurringDates(lines, &error)) {
        ShowInformation(error);
        return false;
    }
    const int month = host.mainCalMonth();
    const int year = host.mainCalYear();
    const QStringList offered = EntriesForMonth(lines, month, year);
    if (offered.isEmpty()) {
        ShowInformation(QStringLiteral("No predefined dates match the current month"));
        return false;
    }
    const std::optional<QStringList> chosen = host.chooseRecurringDates(offered);
    if (!chosen)
        return false;
    ApplyRecurringDates(*chosen, month, year, [&host](int day, const QString& text) { host.putTextOnDay(day, text); });
    return true;
}

} // namespace

void FillCalendarWithRecurringDates(RecurringFillHost& host)
{
    if (!RecurringDatesFileExists())
        return;
    bool applied = false;
    {
        const PaletteHidden palette(host);
        applied = chooseAndApply(host);
    }
    if (applied)
        host.setButtons();
}
