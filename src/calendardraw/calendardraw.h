// The drawing routines shared by the page's main month, every mini calendar and the planners: plain
// functions over a QPainter, a CalendarDrawParams and the device profile, in the device pixels of the
// painter. Where the parts lie comes from monthgeometry.h; these routines only paint it.
#pragma once

#include "calendardraw/calendardrawparams.h"
#include "calendardraw/monthgeometry.h"

#include <QStringList>

#include <functional>

class QPainter;
struct DeviceProfile;

// Strokes the edges the style names with the painter's pen; right and bottom edges lie on the
// rectangle's own right and bottom coordinates.
void DrawBorderEdges(QPainter& canvas, const TRect& r, TCalBorderStyle style, const DeviceProfile& device);

// One month grid into p.Rect. A non-empty title replaces the generated one.
void DrawMonth(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device);
void DrawMonth(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const QString& title,
               const DeviceProfile& device);

// A month drawn as a floating mini calendar: the title band from the frame's top, the day names right
// below it, numbers centred in their cells, no day texts; transparent fills nothing.
MonthGeometry ComputeFloatingMonthGeometry(const CalendarDrawParams& p, const DeviceProfile& device);
void DrawFloatingMonth(QPainter& canvas, const CalendarDrawParams& p, bool transparent, const DeviceProfile& device);

// p.PlannerDays days from p.Day/p.Month/p.Year plus a notes row.
void DrawWeekPlanner(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device);
// p.HourRows hourly rows from p.StartTime plus a notes row.
void DrawDayPlanner(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device);

// A planner of `rows` rows labelled by two lines each.
void DrawPlanner(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const QStringList& secondLines,
                 const QStringList& firstLines, const QString& title, const DeviceProfile& device);

// The main drawing of a page: the week or day planner the layout names, else the month, in the
// geometry ComputeMainGeometry gave for the same record.
void DrawMain(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, TCalendarLayout layout,
              const QString& title, const DeviceProfile& device);

QString CutDayName(const QString& name, TCalHeadersStyle style);
QString MonthTitleText(const CalendarDrawParams& p, const QString& title);
// A date of the planners (proleptic Gregorian, any year).
struct CalendarDate
{
    int day = 1;
    int month = 1;
    int year = 1997;
    CalendarDate addDays(int n) const; // n >= 0
    bool operator==(const CalendarDate&) const = default;
};
// p.Day/p.Month/p.Year with the day and month brought into range (a page that never chose a day holds 0).
CalendarDate PlannerFirstDate(const CalendarDrawParams& p);
QString WeekPlannerTitleText(const CalendarDrawParams& p, const QString& title);
QString DayPlannerTitleText(const CalendarDrawParams& p, const QString& title);
// The title of the main drawing of a page of the layout.
QString MainTitleText(const CalendarDrawParams& p, TCalendarLayout layout, const QString& title);

struct PlannerLines
{
    QStringList first;
    QStringList second;
    int rows() const { return int(first.size()); }
};
PlannerLines WeekPlannerLines(const CalendarDrawParams& p);
PlannerLines DayPlannerLines(const CalendarDrawParams& p);

// The day of the month a planner row stands for: its second line's first two characters, else 0.
int PlannerRowDay(const QString& secondLine);

// The largest size, from `size` down to 1, at which widthAt(size) is no wider than `width`: a day name
// too wide for its column shrinks instead of losing letters.
int FittingFontSize(int size, double width, const std::function<double(int size)>& widthAt);
