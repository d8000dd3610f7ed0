#include "recurringfile.h"

#include "recurringentry.h"

#include "platform/atomicfile.h"
#include "platform/programfolder.h"
#include "platform/windows1252.h"

#include <QFile>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

QString datFileName()
{
    return FindProgramFile(QStringLiteral("QXRECUR.DAT"));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool readLines(const QString& path, QStringList& lines, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    lines = ParseRecurringDateLines(file.readAll());
    return true;
}

} // namespace

QString RecurringDatesFileName()
{
    const QString folder = UserFileDirectory();
    const QString existing = FindFileNoCase(folder, QStringLiteral("QXRECUR.DAX"));
    return existing.isEmpty() ? folder + QStringLiteral("QXRECUR.DAX") : existing;
}

bool RecurringDatesFileExists()
{
    return QFile::exists(RecurringDatesFileName());
}

QStringList ParseRecurringDateLines(const QByteArray& bytes)
{
    QByteArray data = bytes;
    const qsizetype nul = data.indexOf('\0');
    if (nul >= 0)
        data.truncate(nul);
    const bool utf8 = data.startsWith(kUtf8Mark);
    if (utf8)
        data.remove(0, kUtf8Mark.size());

    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    auto take = [&](qsizetype end) {
        const QByteArray raw = data.mid(start, end - start);
        lines << (utf8 ? QString::fromUtf8(raw) : FromWindows1252(raw));
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data.at(i);
        if (c != '\r' && c != '\n')
            continue;
        take(i);
        if (c == '\r' && i + 1 < n && data.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        take(n);
    return lines;
}

QByteArray FormatRecurringDateLines(const QStringList& lines)
{
    bool fits = true;
    for (const QString& line : lines)
        fits = fits && FitsWindows1252(line);
    QByteArray out = fits ? QByteArray() : kUtf8Mark;
    for (const QString& line : lines) {
        out += fits ? ToWindows1252(line) : line.toUtf8();
        out += "\r\n";
    }
    return out;
}

bool LoadRecurringDates(QStringList& lines, QString* error)
{
    lines.clear();
    const QString path = RecurringDatesFileName();
    if (!QFile::exists(path))
        return true;
    return readLines(path, lines, error);
}

bool SaveRecurringDates(const QStringList& lines, QString* error)
{
    const QString path = RecurringDatesFileName();
    const QString reason = TAtomicFile::WriteWhole(path, FormatRecurringDateLines(lines));
    if (!reason.isEmpty()) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, reason));
        return false;
    }
    return true;
}

QString ConvertOldRecurringLine(const QString& oldLine)
{
    return PadField(oldLine.mid(4, 150), kEventTextWidth) + QLatin1Char('@') + PadField(oldLine.left(4), kFormulaWidth);
}

bool ConvertOldRecurringDates(QString* error)
{
    const QString oldPath = datFileName();
    if (oldPath.isEmpty())
        return true;
    QStringList oldLines;
    if (!readLines(oldPath, oldLines, error))
        return false;

    QStringList existing;
    if (!LoadRecurringDates(existing, error))
        return false;
    QStringList lines = existing;
    for (const QString& oldLine : std::as_const(oldLines)) {
        const QString converted = ConvertOldRecurringLine(oldLine);
        if (!existing.contains(converted, Qt::CaseInsensitive))
            lines << converted;
    }
    if (!SaveRecurringDates(lines, error))
        return false;
    if (!QFile::remove(oldPath)) {
        setError(error, QStringLiteral("Cannot delete %1").arg(oldPath));
        return false;
    }
    return true;
}
