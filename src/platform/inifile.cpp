#include "inifile.h"

#include "atomicfile.h"
#include "windows1252.h"

#include <QFile>
#include <QStringDecoder>

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// One line of the file as it was read: its bytes and its own line ending (empty on a last line
// without one), so an untouched line is written back exactly.
struct Line
{
    QByteArray text;
    QByteArray eol;
};

struct Content
{
    QByteArray bom;
    QList<Line> lines;

    // New lines follow the file's first line ending.
    QByteArray newLine() const
    {
        for (const Line& line : lines) {
            if (!line.eol.isEmpty())
                return line.eol;
        }
        return QByteArrayLiteral("\n");
    }
};

enum class LoadResult { Ok, Missing, Failed };

Content parse(const QByteArray& bytes)
{
    Content content;
    qsizetype pos = 0;
    if (bytes.startsWith(kUtf8Bom)) {
        content.bom = kUtf8Bom;
        pos = kUtf8Bom.size();
    }
    while (pos < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', pos);
        if (nl < 0) {
            content.lines.append({bytes.mid(pos), {}});
            break;
        }
        const bool crlf = nl > pos && bytes.at(nl - 1) == '\r';
        const qsizetype end = crlf ? nl - 1 : nl;
        content.lines.append({bytes.mid(pos, end - pos), crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n")});
        pos = nl + 1;
    }
    return content;
}

LoadResult load(const QString& fileName, Content& content)
{
    QFile file(fileName);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Failed;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadResult::Failed;
    content = parse(bytes);
    return LoadResult::Ok;
}

bool save(const QString& fileName, const Content& content)
{
    QByteArray bytes = content.bom;
    for (const Line& line : content.lines)
        bytes += line.text + line.eol;
    return TAtomicFile::WriteWhole(fileName, bytes).isEmpty();
}

// Files written here are UTF-8; older ones may hold Windows-1252, told apart value by value.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return FromWindows1252(bytes);
}

QByteArray unquote(const QByteArray& value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.mid(1, value.size() - 2);
    return value;
}

// A value that reading would change (surrounding spaces, surrounding quotes) is written in quotes.
QByteArray encodeValue(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    const bool spaced = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    if (spaced || unquote(bytes) != bytes)
        return '"' + bytes + '"';
    return bytes;
}

struct Parsed
{
    enum Kind { Other, Section, Key } kind = Other;
    QString name;
    QByteArray value;
};

Parsed classify(const QByteArray& text)
{
    Parsed parsed;
    const QByteArray t = text.trimmed();
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        parsed.kind = Parsed::Section;
        parsed.name = decode(t.mid(1, close < 0 ? -1 : close - 1)).trimmed();
        return parsed;
    }
    if (t.startsWith(';'))
        return parsed;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return parsed;
    parsed.kind = Parsed::Key;
    parsed.name = decode(t.left(eq)).trimmed();
    parsed.value = unquote(t.mid(eq + 1).trimmed());
    return parsed;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The lines [header, end) of the first section of that name; header is -1 when there is none.
struct Range
{
    qsizetype header = -1;
    qsizetype end = -1;
};

qsizetype nextHeader(const Content& content, qsizetype from)
{
    for (qsizetype i = from; i < content.lines.size(); ++i) {
        if (classify(content.lines[i].text).kind == Parsed::Section)
            return i;
    }
    return content.lines.size();
}

Range findSection(const Content& content, const QString& section, qsizetype from = 0)
{
    for (qsizetype i = from; i < content.lines.size(); ++i) {
        const Parsed p = classify(content.lines[i].text);
        if (p.kind == Parsed::Section && sameName(p.name, section))
            return {i, nextHeader(content, i + 1)};
    }
    return {};
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

bool validSection(const QString& section)
{
    return !section.trimmed().isEmpty() && !hasLineBreak(section) && !section.contains(QLatin1Char(']'));
}

bool validKey(const QString& key)
{
    const QString k = key.trimmed();
    return !k.isEmpty() && !hasLineBreak(k) && !k.contains(QLatin1Char('=')) && !k.startsWith(QLatin1Char('[')) &&
           !k.startsWith(QLatin1Char(';'));
}

void insertLine(Content& content, qsizetype at, const QByteArray& text)
{
    const QByteArray eol = content.newLine();
    if (at > 0 && content.lines[at - 1].eol.isEmpty())
        content.lines[at - 1].eol = eol;
    content.lines.insert(at, {text, eol});
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : m_fileName(fileName) {}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    Content content;
    if (load(m_fileName, content) != LoadResult::Ok)
        return defaultValue;
    const Range range = findSection(content, section);
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i) {
        const Parsed p = classify(content.lines[i].text);
        if (p.kind == Parsed::Key && sameName(p.name, key))
            return decode(p.value);
    }
    return defaultValue;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList TIniFile::ReadSectionValues(const QString& section) const
{
    QStringList values;
    Content content;
    if (load(m_fileName, content) != LoadResult::Ok)
        return values;
    const Range range = findSection(content, section);
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i) {
        const Parsed p = classify(content.lines[i].text);
        if (p.kind == Parsed::Key)
            values.append(p.name + QLatin1Char('=') + decode(p.value));
    }
    return values;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!validSection(section) || !validKey(key) || hasLineBreak(value))
        return false;
    Content content;
    if (load(m_fileName, content) == LoadResult::Failed)
        return false;
    const QByteArray line = key.trimmed().toUtf8() + '=' + encodeValue(value);
    const Range range = findSection(content, section);
    if (range.header >= 0) {
        qsizetype insertAt = range.header + 1;
        for (qsizetype i = range.header + 1; i < range.end; ++i) {
            const Parsed p = classify(content.lines[i].text);
            if (p.kind != Parsed::Key)
                continue;
            if (sameName(p.name, key)) {
                if (content.lines[i].text == line)
                    return true;
                content.lines[i].text = line;
                return save(m_fileName, content);
            }
            insertAt = i + 1;
        }
        insertLine(content, insertAt, line);
    } else {
        const qsizetype count = content.lines.size();
        if (count > 0 && !content.lines.back().text.trimmed().isEmpty())
            insertLine(content, count, QByteArray());
        insertLine(content, content.lines.size(), '[' + section.trimmed().toUtf8() + ']');
        insertLine(content, content.lines.size(), line);
    }
    return save(m_fileName, content);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::EraseSection(const QString& section)
{
    Content content;
    const LoadResult result = load(m_fileName, content);
    if (result != LoadResult::Ok)
        return result == LoadResult::Missing;
    bool erased = false;
    for (Range range = findSection(content, section); range.header >= 0;
         range = findSection(content, section, range.header)) {
        qsizetype end = range.end;
        // Blank and comment lines just above the next section belong to that section.
        if (end < content.lines.size()) {
            while (end > range.header + 1 && classify(content.lines[end - 1].text).kind == Parsed::Other)
                --end;
        }
        content.lines.remove(range.header, end - range.header);
        erased = true;
    }
    return !erased || save(m_fileName, content);
}
