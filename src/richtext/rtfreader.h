// Reads RTF as word processors write it into a rich text document: text in the document's code pages,
// fonts, colours, character styles and sizes, paragraph alignment, line breaks, tabs and pictures.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Replaces the document's content. Bytes that are not RTF leave the document empty and return false
// with the reason in `error`. Cut-off RTF keeps what could be read and returns true with a note in `error`;
// `error` is empty after a clean read.
bool ReadRtf(const QByteArray& bytes, QTextDocument& doc, QString* error = nullptr);
