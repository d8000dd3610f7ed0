// Writes a rich text document as plain RTF 1.x in Windows-1252: fonts, colours, character styles and sizes,
// paragraph alignment, line breaks, tabs and PNG pictures.
#pragma once

#include <QByteArray>

class QTextDocument;

QByteArray WriteRtf(const QTextDocument& doc);
