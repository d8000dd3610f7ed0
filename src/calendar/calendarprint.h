// The printer twins of the drawing routines: the same month and planners on a report, in its device
// pixels, with the differences paper asks for (per-cell edges, text shortened to fit, no white fills).
#pragma once

#include "calendar/calendardrawparams.h"

#include <QStringList>

class TReportPrinter;

// Rect, MinTitleHeight and the font pixel sizes of p are in the report's device pixels; the cell
// table, TitleRect and DayNamesRect are written back in the same units.
void PrintBorderEdges(TReportPrinter& report, const TRect& r, TCalBorderStyle style);
void PrintMonth(TReportPrinter& report, CalendarDrawParams& p, const QString& title);
void PrintWeekPlanner(TReportPrinter& report, CalendarDrawParams& p, const QString& title);
void PrintDayPlanner(TReportPrinter& report, CalendarDrawParams& p, const QString& title);
void PrintPlanner(TReportPrinter& report, CalendarDrawParams& p, int rows, const QStringList& secondLines,
                  const QStringList& firstLines, const QString& title);
