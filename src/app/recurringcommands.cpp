// The File menu's recurring-date commands: filling the page with the user's recurring dates, and
// the list editor.
#include "recurringcommands.h"

#include "calendarmain.h"

#include "editor/calendarpanel32.h"
#include "platform/deviceprofile.h"
#include "recurring/dayparagraph.h"
#include "recurring/editrecurringdates.h"
#include "recurring/recurringfill.h"
#include "richtext/charattributes.h"
#include "richtext/richdocument.h"
#include "richtext/wprtfstorage.h"

#include "platform/centerform.h"

#include <QTextDocument>

namespace {

// The fill command's view of the main window.
class MainWindowFill : public RecurringFillHost
{
public:
    explicit MainWindowFill(TCalendarMain& main) : m_main(main) {}
    int mainCalMonth() const override { return m_main.CalendarPanel()->MainCalMonth(); }
    int mainCalYear() const override { return m_main.CalendarPanel()->MainCalYear(); }
    bool iconToolVisible() const override { return m_main.Preferences().IconToolVisible; }
    void hideIconPalette() override { m_main.HideIconPaletteIfShown(); }
    void showIconPalette() override { m_main.ShowIconPaletteIfWanted(); }
    void putTextOnDay(int day, const QString& text) override { m_main.PuttextOnDay(day, text); }
    void setButtons() override { m_main.SetButtons(); }

private:
    TCalendarMain& m_main;
};

} // namespace

int CellOfMonthDay(const TPageDocument& page, int day)
{
    if (day < 1)
        return 0;
    // Which cell shows which day does not depend on the zoom.
    const MonthGeometry cells = page.Model().MainGeometry(DeviceProfile::Screen(1.0), [](TRect r) { return r; });
    for (int cell = 1; cell <= kCellCount; ++cell) {
        const int shown = cells.Cells[cell].iDay;
        // Day numbers rise through the month; a smaller one after a larger belongs to the next month.
        if (shown > day)
            return 0;
        if (shown == day)
            return cell;
    }
    return 0;
}

bool AppendTextToDay(TPageDocument& page, int day, const QString& text, const FontDescription& defaultFont)
{
    const int cell = CellOfMonthDay(page, day);
    if (cell == 0)
        return false;
    AppendTextToCell(page, cell, {text}, defaultFont);
    return true;
}

void AppendTextToCell(TPageDocument& page, int cell, const QStringList& texts, const FontDescription& defaultFont)
{
    QTextDocument document;
    CopyRichDocument(page.Model().CellStorage(cell)->Document(), document);
    for (const QString& text : texts)
        AppendDayParagraph(document, text, CharFormatOf(defaultFont));
    TWPRtfStorage updated;
    updated.SetDocument(document);
    page.Model().SetCellText(cell, updated);
}

void TCalendarMain::mnuFillCalendarwithRecurringDatesClick()
{
    MainWindowFill host(*this);
    FillCalendarWithRecurringDates(host);
}

void TCalendarMain::mnuEditrecurringDatesClick()
{
    HideIconPaletteIfShown();
    {
        TEditRecurringDates editor(this);
        CenterForm(&editor);
        editor.exec();
    }
    ShowIconPaletteIfWanted();
}

void TCalendarMain::PuttextOnDay(int day, const QString& text)
{
    // A day the page does not show leaves everything as it is, the open editor included.
    const int cell = CellOfMonthDay(*m_page, day);
    if (cell != 0)
        PuttextOnCell(cell, {text});
}

void TCalendarMain::PuttextOnCell(int cell, const QStringList& texts)
{
    const int remembered = m_currentCell;
    DoSaveRichtext();
    AppendTextToCell(*m_page, cell, texts, m_preferences.DefaultFont);
    // The fill command refreshes the buttons once, after its last day.
    m_modified = true;
    if (remembered > 0)
        m_page->OpenCell(remembered);
}
