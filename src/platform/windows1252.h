// Windows-1252, the 8-bit encoding of Almarin's files.
#pragma once

#include <QByteArray>
#include <QString>

QString FromWindows1252(const QByteArray& bytes);
// Characters the code page lacks become '?'; `ok` says whether every character was held.
QByteArray ToWindows1252(const QString& text, bool* ok = nullptr);
bool FitsWindows1252(const QString& text);
// The byte for one character, or -1 when Windows-1252 has none.
int Windows1252Byte(QChar c);
