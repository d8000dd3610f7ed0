// Reading printed pages back: the text pdftotext finds in a PDF file.
#pragma once

#include <QString>

// With layout, words keep their columns (-layout); empty when pdftotext cannot run.
QString PdfText(const QString& file, bool layout = false);
