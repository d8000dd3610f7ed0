// Reads tagged values and component records of the component stream from a byte buffer.
// Every read checks the bytes left first; bad or truncated input raises EStreamError.
#pragma once

#include "platform/colorvalue.h"
#include "stream/streamerror.h"
#include "stream/valuetype.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TComponentHeader
{
    QString className;
    QString name;
    // Bits of an inherited component's prefix: 1 inherited, 2 child position given.
    int flags = 0;
    int childPosition = -1;
};

class TStreamReader
{
public:
    explicit TStreamReader(QByteArray data) : m_data(std::move(data)) {}

    qsizetype Position() const { return m_pos; }
    bool AtEnd() const { return m_pos >= m_data.size(); }

    TValueType ReadValueType();
    // The tag of the next value, not consumed.
    TValueType NextValue() const;
    // True when the next tag is null (the end of a list, property list or child list); nothing is consumed.
    bool EndOfList() const;
    void ReadListBegin();
    void ReadListEnd();
    // Tags 2, 3 and 4, sign-extended.
    qint32 ReadInteger();
    // Reads one tag; true only for tag 9, never fails on another tag.
    bool ReadBoolean();
    // Tag 5, or an integer.
    double ReadFloat();
    // Tags 6 and 12 (Windows-1252), 18 (UTF-16LE) and 20 (UTF-8).
    QString ReadString();
    // Tag 7; the tags false, true, nil and null read as their names.
    QString ReadIdent();
    QByteArray ReadBinary();
    QStringList ReadSet();
    // An ident from the named colour table or an integer.
    TColor ReadColor();
    // Passes over one value of any kind.
    void SkipValue();

    QString ReadShortString();
    void ReadSignature();
    // The signature (when asked), any prefix, the class name and the component name.
    TComponentHeader ReadComponentHeader(bool withSignature = true);
    QString ReadPropertyName() { return ReadShortString(); }
    // Passes over a whole component record: its properties and its children.
    void SkipComponent(bool withSignature = true);

private:
    quint8 PeekByte() const;
    quint8 ReadByte();
    qint32 ReadInt32Raw();
    qsizetype ReadLength();
    QByteArray ReadBytes(qsizetype count);
    [[noreturn]] void Fail(const QString& what) const;
    void SkipValue(int depth);
    void SkipComponent(bool withSignature, int depth);
    void CheckDepth(int depth) const;

    QByteArray m_data;
    qsizetype m_pos = 0;
};
