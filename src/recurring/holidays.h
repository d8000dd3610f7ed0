// The built-in holidays that the holiday chooser offers for copying into the user's list.
#pragma once

#include <QStringList>

// 26 entry lines: event text padded to 120, then the formula padded to 10 ("#" keywords unpadded).
QStringList BuiltInHolidayLines();
