#include "stream/componenttext.h"

#include <QLocale>

namespace {

constexpr int kMaxDepth = 32;

QString Quoted(const QString& text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            quoted += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            quoted += QLatin1String("\\r");
        else if (c.unicode() < 0x20)
            quoted += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

void CheckDepth(const TStreamReader& reader, int depth)
{
    if (depth > kMaxDepth)
        throw EStreamError(QStringLiteral("Values nested too deeply at byte %1").arg(reader.Position()));
}

QString ValueText(TStreamReader& reader, int depth);

QString PropertiesText(TStreamReader& reader, int depth)
{
    QStringList properties;
    while (!reader.EndOfList()) {
        const QString name = reader.ReadPropertyName();
        properties.append(name + QLatin1String(" = ") + ValueText(reader, depth + 1));
    }
    reader.ReadListEnd();
    return properties.join(QLatin1String("; "));
}

QString ValueText(TStreamReader& reader, int depth)
{
    CheckDepth(reader, depth);
    switch (reader.NextValue()) {
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
        return QString::number(reader.ReadInteger());
    case TValueType::Extended:
        return QString::number(reader.ReadFloat(), 'g', QLocale::FloatingPointShortest);
    case TValueType::String:
    case TValueType::LString:
    case TValueType::WString:
    case TValueType::Utf8String:
        return Quoted(reader.ReadString());
    case TValueType::Ident:
    case TValueType::False:
    case TValueType::True:
    case TValueType::Nil:
        return reader.ReadIdent();
    case TValueType::Binary:
        return QStringLiteral("<%1 bytes>").arg(reader.ReadBinary().size());
    case TValueType::Set:
        return QLatin1Char('[') + reader.ReadSet().join(QLatin1String(", ")) + QLatin1Char(']');
    case TValueType::List: {
        reader.ReadListBegin();
        QStringList items;
        while (!reader.EndOfList())
            items.append(ValueText(reader, depth + 1));
        reader.ReadListEnd();
        return QLatin1Char('(') + items.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    case TValueType::Collection: {
        reader.ReadValueType();
        QStringList items;
        while (!reader.EndOfList()) {
            QString index;
            const TValueType next = reader.NextValue();
            if (next == TValueType::Int8 || next == TValueType::Int16 || next == TValueType::Int32)
                index = QStringLiteral("[%1] ").arg(reader.ReadInteger());
            reader.ReadListBegin();
            items.append(index + QLatin1Char('{') + PropertiesText(reader, depth + 1) + QLatin1Char('}'));
        }
        reader.ReadListEnd();
        return QLatin1Char('<') + items.join(QLatin1String(", ")) + QLatin1Char('>');
    }
    case TValueType::Null:
        break;
    }
    throw EStreamError(QStringLiteral("Unknown value type %1 at byte %2")
                           .arg(static_cast<int>(reader.NextValue()))
                           .arg(reader.Position()));
}

void ComponentText(TStreamReader& reader, bool withSignature, const QString& indent, QStringList& lines, int depth)
{
    CheckDepth(reader, depth);
    const TComponentHeader header = reader.ReadComponentHeader(withSignature);
    lines.append(indent + header.className + QLatin1Char(' ') + header.name);
    while (!reader.EndOfList()) {
        const QString name = reader.ReadPropertyName();
        lines.append(indent + QLatin1String("  ") + name + QLatin1String(" = ") + ValueText(reader, depth + 1));
    }
    reader.ReadListEnd();
    while (!reader.EndOfList())
        ComponentText(reader, false, indent + QLatin1String("    "), lines, depth + 1);
    reader.ReadListEnd();
}

} // namespace

QString ReadValueText(TStreamReader& reader)
{
    return ValueText(reader, 0);
}

QStringList ReadComponentText(TStreamReader& reader, bool withSignature)
{
    QStringList lines;
    ComponentText(reader, withSignature, QString(), lines, 0);
    return lines;
}
