// Putting the events of an iCalendar file on the page's days: shared by the File menu's import command
// and the command line, which imports into pages without a window.
#pragma once

#include "ical/icalevents.h"

#include <QMap>
#include <QStringList>

class QLocale;
class TPageDocument;

// The events of the file that fall on the page's days; the error says which line of which file failed.
IcalEvents ReadEventsForPage(const TPageDocument& page, const QString& fileName);
// The paragraphs the events add to each cell, in the events' order: one per day an event covers,
// leaving out the days the page has no cell for and any text the cell holds already or gets from an
// earlier event.
QMap<int, QStringList> NewEventParagraphs(const TPageDocument& page, const QList<IcalEvent>& events,
                                          const QLocale& locale);
