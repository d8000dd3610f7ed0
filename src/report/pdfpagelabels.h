// Page labels for a PDF the toolkit wrote: the name a viewer shows for each page instead of its number
// (the toolkit's writer has no way to set them).
#pragma once

#include <QByteArray>
#include <QStringList>

// The PDF with one label per page from the first, added as an update appended to the file (a catalog
// that names them, with its cross-reference section and trailer). The PDF is returned as it was when
// its trailer or catalog is not in the form expected or it has labels already.
QByteArray WithPdfPageLabels(const QByteArray& pdf, const QStringList& labels);
