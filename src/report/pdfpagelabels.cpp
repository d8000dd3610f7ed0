#include "pdfpagelabels.h"

#include <QRegularExpression>

namespace {

// A PDF text string: literal when plain ASCII, else UTF-16 with its byte order mark, in hex.
QByteArray TextString(const QString& text)
{
    bool plain = true;
    for (const QChar c : text)
        plain = plain && c.unicode() >= 0x20 && c.unicode() < 0x7F;
    if (plain) {
        QByteArray literal = text.toLatin1();
        literal.replace('\\', "\\\\").replace('(', "\\(").replace(')', "\\)");
        return '(' + literal + ')';
    }
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

// The last match's first group as a number, or -1.
qint64 LastNumber(const QByteArray& text, const char* pattern)
{
    QRegularExpressionMatchIterator it = QRegularExpression(QLatin1String(pattern)).globalMatch(QLatin1String(text));
    qint64 number = -1;
    while (it.hasNext())
        number = it.next().captured(1).toLongLong();
    return number;
}

} // namespace

QByteArray WithPdfPageLabels(const QByteArray& pdf, const QStringList& labels)
{
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (labels.isEmpty() || trailerAt < 0)
        return pdf;
    const QByteArray trailer = pdf.mid(trailerAt);
    const qint64 previous = LastNumber(trailer, "startxref\\s+(\\d+)");
    const qint64 size = LastNumber(trailer, "/Size\\s+(\\d+)");
    const qint64 root = LastNumber(trailer, "/Root\\s+(\\d+)\\s+0\\s+R");
    const qint64 info = LastNumber(trailer, "/Info\\s+(\\d+)\\s+0\\s+R");
    if (previous < 0 || size < 0 || root < 0)
        return pdf;
    const QByteArray header = QByteArray::number(root) + " 0 obj";
    qsizetype objectAt = pdf.indexOf('\n' + header);
    const qsizetype endAt = objectAt < 0 ? -1 : pdf.indexOf("endobj", objectAt);
    if (endAt < 0)
        return pdf;
    objectAt += 1 + header.size();
    QByteArray catalog = pdf.mid(objectAt, endAt - objectAt).trimmed();
    if (!catalog.startsWith("<<") || !catalog.endsWith(">>") || catalog.contains("/PageLabels"))
        return pdf;
    QByteArray numbers;
    for (qsizetype page = 0; page < labels.size(); ++page)
        numbers += QByteArray::number(page) + " << /P " + TextString(labels[page]) + " >> ";
    catalog.insert(catalog.size() - 2, "/PageLabels << /Nums [" + numbers + "] >>\n");

    QByteArray updated = pdf;
    if (!updated.endsWith('\n'))
        updated += '\n';
    const qsizetype objectOffset = updated.size();
    updated += header + '\n' + catalog + "\nendobj\n";
    const qsizetype xrefOffset = updated.size();
    updated += "xref\n" + QByteArray::number(root) + " 1\n" + QByteArray::number(objectOffset).rightJustified(10, '0') +
               " 00000 n \n";
    updated += "trailer\n<<\n/Size " + QByteArray::number(size) + "\n/Root " + QByteArray::number(root) + " 0 R\n";
    if (info >= 0)
        updated += "/Info " + QByteArray::number(info) + " 0 R\n";
    updated +=
        "/Prev " + QByteArray::number(previous) + "\n>>\nstartxref\n" + QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return updated;
}
