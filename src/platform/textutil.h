// Small text helpers shared by several subsystems.
#pragma once

#include <QString>

// Remove the space character (only ' ') at the ends of a string.
QString TrimSpaces(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);

// "1st", "2nd", "11th", "23rd" ... for n in 0..65535.
QString OrdinalText(int n);
