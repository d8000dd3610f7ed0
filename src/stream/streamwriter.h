// Writes tagged values and component records of the component stream into a byte buffer.
#pragma once

#include "platform/colorvalue.h"
#include "stream/valuetype.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TStreamWriter
{
public:
    const QByteArray& Data() const { return m_data; }

    void WriteValueType(TValueType type);
    void WriteListBegin() { WriteValueType(TValueType::List); }
    void WriteListEnd() { WriteValueType(TValueType::Null); }
    // The shortest of int8, int16 and int32.
    void WriteInteger(qint32 value);
    void WriteBoolean(bool value);
    void WriteFloat(double value);
    // Tag 6 up to 255 bytes, else tag 12; text Windows-1252 cannot hold goes whole as UTF-8 (tag 20).
    void WriteString(const QString& text);
    void WriteIdent(const QString& ident);
    void WriteBinary(const QByteArray& bytes);
    // Members in the order given, which callers keep ascending.
    void WriteSet(const QStringList& members);
    void WriteNil() { WriteValueType(TValueType::Nil); }
    void WriteCollectionBegin() { WriteValueType(TValueType::Collection); }
    // A named colour as its ident, any other value as an integer.
    void WriteColor(TColor color);

    // Untagged 1-byte length and text, cut to 255 bytes.
    void WriteShortString(const QString& text);
    void WriteSignature();
    // Signature, class name and component name; properties, then children, each end with WriteListEnd.
    void WriteComponentBegin(const QString& className, const QString& name);
    // A child component: the same record without the signature.
    void WriteChildBegin(const QString& className, const QString& name);
    void WritePropertyName(const QString& name) { WriteShortString(name); }

private:
    void WriteByte(quint8 value) { m_data.append(static_cast<char>(value)); }
    void WriteInt16(qint16 value);
    void WriteInt32(qint32 value);

    QByteArray m_data;
};
