// The lines of the configuration report sent along with a support request, built from plain values
// so that any machine, locale or set of preferences can be stood in for.
#pragma once

#include "jobs/preferences.h"
#include "systemfacts.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

// Colours of a display of this many bits per pixel, with the locale's thousands separator.
QString ColorCountText(int bitsPerPixel, const QLocale& locale);

// Today's date, then the program's name, version and build date.
QStringList ProductLines(const QDate& today, const QLocale& locale);
// "[Environment]" and its lines: system, processor, display, memory, locale, printers.
QStringList EnvironmentLines(const TSystemFacts& facts);
// "[QX.INI]" and the preferences given.
QStringList PreferenceLines(const TPreferences& preferences);
