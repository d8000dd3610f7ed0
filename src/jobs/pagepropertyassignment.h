// A published page property set by name from text ("StartOfWeek=2", "CalendarLayout=loMC12Month"), with
// the checks the document reader makes: the command line's --set.
#pragma once

#include <QString>

struct CalendarSettings;
class TCalendarPageModel;

// Sets NAME=VALUE in the settings. Returns an empty string, or what is wrong: an unknown name, a
// value of the wrong kind or out of range. `name` receives the property's name.
QString AssignPageProperty(CalendarSettings& settings, const QString& assignment, QString* name = nullptr);

// Sets NAME=VALUE on the page as its setters would: line layouts bring their border styles, a layout
// its orientation, border art and (as in the properties dialog) the small months' font sizes, and the
// page is laid out again.
QString ApplyPageProperty(TCalendarPageModel& page, const QString& assignment);
