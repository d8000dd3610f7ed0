#include "daytextappend.h"

#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "platform/deviceprofile.h"
#include "richtext/charattributes.h"
#include "richtext/dayparagraph.h"
#include "richtext/richdocument.h"
#include "richtext/wprtfstorage.h"

#include <QTextDocument>

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
