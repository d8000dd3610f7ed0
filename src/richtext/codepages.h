// Code pages of 8-bit RTF text: which code page a font charset stands for, and decoding bytes in one.
#pragma once

#include <QByteArray>
#include <QString>

// The Windows code page of an RTF \fcharset value; 0 when the charset names none (symbol fonts, unknown values).
int CodePageOfCharset(int charset);
// Decodes bytes in a Windows code page; code pages Almarin cannot decode are read as Windows-1252.
QString DecodeCodePage(const QByteArray& bytes, int codePage);
