// "almarin --holidays": the public holidays of a country or region in a year, from the tables the
// program ships, or the list of countries and regions those tables know.
#pragma once

#include <QString>

class QTextStream;

// "YYYY-MM-DD<TAB>name" lines in date order; with an empty place, "CODE<TAB>name" for every country
// and region. An unknown place writes the usage error line and gives 2; otherwise 0.
int ListPublicHolidays(const QString& place, int year, QTextStream& out, QTextStream& err);
