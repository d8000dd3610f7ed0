// Reading printed pages back: the text pdftotext finds in a PDF file.
#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// With layout, words keep their columns (-layout); empty when pdftotext cannot run.
QString PdfText(const QString& file, bool layout = false);

// Each word with its box in points from the top-left corner of its page (the font's ascent to its
// descent, as pdftotext -bbox gives it).
struct PdfWord
{
    QString text;
    QRectF box;
};
QList<PdfWord> PdfWords(const QString& file);

// The PDF's first page rendered at a resolution (pdftoppm); a null image when pdftoppm cannot run.
QImage PdfPageImage(const QString& file, int dpi);
