// The millisecond clock that gesture timing (drag start, quick clicks) and paste throttling read,
// behind a seam so that tests can step time instead of sleeping.
#pragma once

#include <QtGlobal>

#include <functional>

// Milliseconds of a monotonic clock; never 0, as 0 means "no time recorded".
qint64 TickCount();
// A test installs its own clock; an empty function restores the real one.
void SetTickCountSource(std::function<qint64()> source);
