// Day text as a busy family calendar holds it in every day, for the benchmarks of filled pages.
#pragma once

#include <QByteArray>

// Three formatted paragraphs as RTF, the first naming the cell.
QByteArray BusyDayText(int cell);
