// The user's recurring dates file "QXRECUR.DAX" (one entry per line, CR LF after every line) and
// the one-time conversion of the older fixed-date file "QXRECUR.DAT".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where the recurring dates file is read and written (an existing file is found whatever the case
// of its name).
QString RecurringDatesFileName();
bool RecurringDatesFileExists();

// Splits file bytes into lines at CR LF, lone CR or lone LF, stopping at the first NUL. Text is
// Windows-1252, or UTF-8 when the file starts with a UTF-8 byte order mark.
QStringList ParseRecurringDateLines(const QByteArray& bytes);
// Every line followed by CR LF; Windows-1252 when every line fits it, otherwise UTF-8 with a byte
// order mark so that no character is lost.
QByteArray FormatRecurringDateLines(const QStringList& lines);

// Reads the recurring dates file into `lines`. A missing file gives an empty list and success; a
// file that cannot be read gives false and a message in `error`.
bool LoadRecurringDates(QStringList& lines, QString* error = nullptr);
// Replaces the recurring dates file with `lines`; on failure the previous file stays whole.
bool SaveRecurringDates(const QStringList& lines, QString* error = nullptr);

// One line of the older file ("1225Christmas") as an entry: the text from column 5 padded to 120,
// then "@" and the first four characters padded to 10.
QString ConvertOldRecurringLine(const QString& oldLine);
// When "QXRECUR.DAT" lies in the program folder: converts its lines, adds them to the recurring
// dates file (keeping the entries already there, without doubling equal lines) and deletes the old
// file. The old file is kept when the new one cannot be written.
bool ConvertOldRecurringDates(QString* error = nullptr);
