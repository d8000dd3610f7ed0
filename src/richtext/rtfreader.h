// Reads RTF as word processors write it into a rich text document: text in the document's code pages,
// fonts, colours, character styles and sizes, paragraph alignment, line breaks, tabs and pictures.
// Pictures are decoded only as the kind their control word names, within the picture budget open on the
// thread (graphics/picturebudget.h), or a budget of their own read when none is.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

struct TRtfReadInfo
{
    // Why the bytes are not RTF, or a note that the RTF was cut off; empty after a clean read.
    QString error;
    // Pictures left out (damaged, or of a kind Almarin cannot draw) or shown as empty frames (too costly).
    int picturesNotShown = 0;
    // Everything the bytes hold is in the document.
    bool Whole() const { return error.isEmpty() && picturesNotShown == 0; }
};

// Replaces the document's content and leaves it without a width, so nothing is laid out until a width is
// set. Bytes that are not RTF, or more than 16 MB of it, leave the document empty and return false. Cut-off
// RTF, and RTF of more than 200,000 paragraphs, keep what could be read (the first 200,000) and return true
// with a note.
bool ReadRtf(const QByteArray& bytes, QTextDocument& doc, TRtfReadInfo& info);
// The same with only the note or reason in `error`, empty after a clean read.
bool ReadRtf(const QByteArray& bytes, QTextDocument& doc, QString* error = nullptr);
