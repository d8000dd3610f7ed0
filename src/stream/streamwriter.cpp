#include "stream/streamwriter.h"

#include "platform/windows1252.h"
#include "stream/extendedfloat.h"
#include "stream/namedcolors.h"

void TStreamWriter::WriteValueType(TValueType type)
{
    WriteByte(static_cast<quint8>(type));
}

void TStreamWriter::WriteInt16(qint16 value)
{
    const auto bits = static_cast<quint16>(value);
    WriteByte(static_cast<quint8>(bits));
    WriteByte(static_cast<quint8>(bits >> 8));
}

void TStreamWriter::WriteInt32(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    for (int i = 0; i < 4; ++i)
        WriteByte(static_cast<quint8>(bits >> (8 * i)));
}

void TStreamWriter::WriteInteger(qint32 value)
{
    if (value >= -128 && value <= 127) {
        WriteValueType(TValueType::Int8);
        WriteByte(static_cast<quint8>(static_cast<qint8>(value)));
    } else if (value >= -32768 && value <= 32767) {
        WriteValueType(TValueType::Int16);
        WriteInt16(static_cast<qint16>(value));
    } else {
        WriteValueType(TValueType::Int32);
        WriteInt32(value);
    }
}

void TStreamWriter::WriteBoolean(bool value)
{
    WriteValueType(value ? TValueType::True : TValueType::False);
}

void TStreamWriter::WriteFloat(double value)
{
    WriteValueType(TValueType::Extended);
    for (quint8 byte : DoubleToExtended(value))
        WriteByte(byte);
}

void TStreamWriter::WriteString(const QString& text)
{
    bool fits = false;
    const QByteArray bytes = ToWindows1252(text, &fits);
    if (!fits) {
        // The 8-bit forms would turn these characters into '?'; keep the text whole instead.
        const QByteArray utf8 = text.toUtf8();
        WriteValueType(TValueType::Utf8String);
        WriteInt32(static_cast<qint32>(utf8.size()));
        m_data.append(utf8);
        return;
    }
    if (bytes.size() <= 255) {
        WriteValueType(TValueType::String);
        WriteByte(static_cast<quint8>(bytes.size()));
    } else {
        WriteValueType(TValueType::LString);
        WriteInt32(static_cast<qint32>(bytes.size()));
    }
    m_data.append(bytes);
}

void TStreamWriter::WriteIdent(const QString& ident)
{
    WriteValueType(TValueType::Ident);
    WriteShortString(ident);
}

void TStreamWriter::WriteBinary(const QByteArray& bytes)
{
    WriteValueType(TValueType::Binary);
    WriteInt32(static_cast<qint32>(bytes.size()));
    m_data.append(bytes);
}

void TStreamWriter::WriteSet(const QStringList& members)
{
    WriteValueType(TValueType::Set);
    for (const QString& member : members)
        WriteShortString(member);
    WriteByte(0);
}

void TStreamWriter::WriteColor(TColor color)
{
    if (const auto ident = ColorToIdent(color))
        WriteIdent(*ident);
    else
        WriteInteger(color);
}

void TStreamWriter::WriteShortString(const QString& text)
{
    const QByteArray bytes = ToWindows1252(text).left(255);
    WriteByte(static_cast<quint8>(bytes.size()));
    m_data.append(bytes);
}

void TStreamWriter::WriteSignature()
{
    m_data.append("TPF0", 4);
}

void TStreamWriter::WriteComponentBegin(const QString& className, const QString& name)
{
    WriteSignature();
    WriteChildBegin(className, name);
}

void TStreamWriter::WriteChildBegin(const QString& className, const QString& name)
{
    WriteShortString(className);
    WriteShortString(name);
}
