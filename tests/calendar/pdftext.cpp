#include "pdftext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString Pdftotext(const QStringList& options, const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), QStringList(options) << file << QStringLiteral("-"));
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString PdfText(const QString& file, bool layout)
{
    return Pdftotext(layout ? QStringList{QStringLiteral("-layout")} : QStringList(), file);
}

QList<PdfWord> PdfWords(const QString& file)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(Pdftotext({QStringLiteral("-bbox")}, file))) {
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({m.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

QImage PdfPageImage(const QString& file, int dpi)
{
    const QString stem = file + QStringLiteral("-%1dpi").arg(dpi);
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                               QStringLiteral("-singlefile"), file, stem});
    if (!process.waitForFinished(30000))
        return QImage();
    return QImage(stem + QStringLiteral(".png"));
}
