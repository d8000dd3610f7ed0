// The drawing routines shared by the page's main month, every mini calendar and the planners: plain
// functions over a QPainter and a CalendarDrawParams, in the device pixels of the painter.
#pragma once

#include "calendar/calendardrawparams.h"

#include <QStringList>

#include <functional>

class QPainter;

// Strokes the edges the style names with the painter's pen; right and bottom edges lie on the
// rectangle's own right and bottom coordinates.
void DrawBorderEdges(QPainter& canvas, const TRect& r, TCalBorderStyle style);

// One month grid into p.Rect; fills p.Cells, p.TitleRect and p.DayNamesRect. A non-empty title
// replaces the generated one.
void DrawMonth(QPainter& canvas, CalendarDrawParams& p, const QString& title);

// p.PlannerDays days from p.Day/p.Month/p.Year plus a notes row.
void DrawWeekPlanner(QPainter& canvas, CalendarDrawParams& p, const QString& title);

// p.HourRows hourly rows from p.StartTime plus a notes row.
void DrawDayPlanner(QPainter& canvas, CalendarDrawParams& p, const QString& title);

// A planner of `rows` rows labelled by two lines each; fills p.TitleRect and p.Cells[1..rows].
void DrawPlanner(QPainter& canvas, CalendarDrawParams& p, int rows, const QStringList& secondLines,
                 const QStringList& firstLines, const QString& title);

// Texts shared by the screen routines and their printer twins.
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

// The planner's cell table: one entry per row of `rows` (the area right of the label column), `inset`
// pixels inside its lines. Every other entry and DayNamesRect are emptied, so nothing a month left
// behind can be clicked or filled.
void SetPlannerCells(CalendarDrawParams& p, const QStringList& secondLines, const TRect& rows, int rowCount,
                     int rowHeight, int inset);

// The largest size, from `size` down to 1, at which widthAt(size) is no wider than `width`: a day name
// too wide for its column shrinks instead of losing letters.
int FittingFontSize(int size, double width, const std::function<double(int size)>& widthAt);
