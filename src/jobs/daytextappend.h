// Putting event texts on day cells: shared by the main window's recurring-date commands and the
// command line, which fills pages without a window.
#pragma once

#include <QString>
#include <QStringList>

class TPageDocument;
struct FontDescription;

// The cell that shows `day` of the page's own month, or 0. A planner row of the next month shows a
// day number too, but not this month's day.
int CellOfMonthDay(const TPageDocument& page, int day);
// Appends `text` as a new last paragraph of the day's text, in the look of its last character or in
// `defaultFont` when the day is empty. False when the page has no cell for the day.
bool AppendTextToDay(TPageDocument& page, int day, const QString& text, const FontDescription& defaultFont);
// The same for cell 1..42 of any day the page shows, one paragraph per text.
void AppendTextToCell(TPageDocument& page, int cell, const QStringList& texts, const FontDescription& defaultFont);
