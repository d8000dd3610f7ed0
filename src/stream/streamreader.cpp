#include "stream/streamreader.h"

#include "platform/windows1252.h"
#include "stream/extendedfloat.h"
#include "stream/namedcolors.h"

#include <cstring>

namespace {

// Deep enough for any real document; stops hostile input from exhausting the stack.
constexpr int kMaxNesting = 64;

} // namespace

void TStreamReader::Fail(const QString& what) const
{
    throw EStreamError(QStringLiteral("%1 at byte %2").arg(what).arg(m_pos));
}

quint8 TStreamReader::PeekByte() const
{
    if (AtEnd())
        Fail(QStringLiteral("Unexpected end of stream"));
    return static_cast<quint8>(m_data.at(m_pos));
}

quint8 TStreamReader::ReadByte()
{
    const quint8 value = PeekByte();
    ++m_pos;
    return value;
}

QByteArray TStreamReader::ReadBytes(qsizetype count)
{
    if (count < 0 || count > m_data.size() - m_pos)
        Fail(QStringLiteral("Unexpected end of stream"));
    const QByteArray bytes = m_data.mid(m_pos, count);
    m_pos += count;
    return bytes;
}

qint32 TStreamReader::ReadInt32Raw()
{
    const QByteArray bytes = ReadBytes(4);
    quint32 bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<quint8>(bytes.at(i));
    return static_cast<qint32>(bits);
}

qsizetype TStreamReader::ReadLength()
{
    const qint32 length = ReadInt32Raw();
    if (length < 0)
        Fail(QStringLiteral("Invalid length"));
    if (length > m_data.size() - m_pos)
        Fail(QStringLiteral("Unexpected end of stream"));
    return length;
}

void TStreamReader::CheckDepth(int depth) const
{
    if (depth > kMaxNesting)
        Fail(QStringLiteral("Values nested too deeply"));
}

TValueType TStreamReader::ReadValueType()
{
    return static_cast<TValueType>(ReadByte());
}

TValueType TStreamReader::NextValue() const
{
    return static_cast<TValueType>(PeekByte());
}

bool TStreamReader::EndOfList() const
{
    return NextValue() == TValueType::Null;
}

void TStreamReader::ReadListBegin()
{
    if (ReadValueType() != TValueType::List)
        Fail(QStringLiteral("List expected"));
}

void TStreamReader::ReadListEnd()
{
    if (ReadValueType() != TValueType::Null)
        Fail(QStringLiteral("End of list expected"));
}

qint32 TStreamReader::ReadInteger()
{
    switch (ReadValueType()) {
    case TValueType::Int8:
        return static_cast<qint8>(ReadByte());
    case TValueType::Int16: {
        const quint8 low = ReadByte();
        return static_cast<qint16>(low | (ReadByte() << 8));
    }
    case TValueType::Int32:
        return ReadInt32Raw();
    default:
        Fail(QStringLiteral("Integer expected"));
    }
}

bool TStreamReader::ReadBoolean()
{
    return ReadValueType() == TValueType::True;
}

double TStreamReader::ReadFloat()
{
    if (NextValue() != TValueType::Extended)
        return ReadInteger();
    ReadValueType();
    const QByteArray raw = ReadBytes(10);
    TExtendedBytes bytes;
    std::memcpy(bytes.data(), raw.constData(), bytes.size());
    return ExtendedToDouble(bytes);
}

QString TStreamReader::ReadString()
{
    switch (ReadValueType()) {
    case TValueType::String:
        return FromWindows1252(ReadBytes(ReadByte()));
    case TValueType::LString:
        return FromWindows1252(ReadBytes(ReadLength()));
    case TValueType::Utf8String:
        return QString::fromUtf8(ReadBytes(ReadLength()));
    case TValueType::WString: {
        const qint32 count = ReadInt32Raw();
        if (count < 0 || count > (m_data.size() - m_pos) / 2)
            Fail(QStringLiteral("Unexpected end of stream"));
        const QByteArray bytes = ReadBytes(qsizetype(count) * 2);
        QString text(count, Qt::Uninitialized);
        for (qint32 i = 0; i < count; ++i) {
            const auto low = static_cast<quint8>(bytes.at(2 * i));
            const auto high = static_cast<quint8>(bytes.at(2 * i + 1));
            text[i] = QChar(static_cast<char16_t>(low | (high << 8)));
        }
        return text;
    }
    default:
        Fail(QStringLiteral("String expected"));
    }
}

QString TStreamReader::ReadIdent()
{
    switch (ReadValueType()) {
    case TValueType::Ident:
        return ReadShortString();
    case TValueType::False:
        return QStringLiteral("False");
    case TValueType::True:
        return QStringLiteral("True");
    case TValueType::Nil:
        return QStringLiteral("nil");
    case TValueType::Null:
        return QStringLiteral("Null");
    default:
        Fail(QStringLiteral("Identifier expected"));
    }
}

QByteArray TStreamReader::ReadBinary()
{
    if (ReadValueType() != TValueType::Binary)
        Fail(QStringLiteral("Binary data expected"));
    return ReadBytes(ReadLength());
}

QStringList TStreamReader::ReadSet()
{
    if (ReadValueType() != TValueType::Set)
        Fail(QStringLiteral("Set expected"));
    QStringList members;
    for (;;) {
        const QString member = ReadShortString();
        if (member.isEmpty())
            return members;
        members.append(member);
    }
}

TColor TStreamReader::ReadColor()
{
    if (NextValue() != TValueType::Ident)
        return ReadInteger();
    const QString ident = ReadIdent();
    if (const auto color = IdentToColor(ident))
        return *color;
    Fail(QStringLiteral("Unknown colour name \"%1\"").arg(ident));
}

void TStreamReader::SkipValue()
{
    SkipValue(0);
}

void TStreamReader::SkipValue(int depth)
{
    CheckDepth(depth);
    switch (NextValue()) {
    case TValueType::Null:
    case TValueType::False:
    case TValueType::True:
    case TValueType::Nil:
        ReadValueType();
        return;
    case TValueType::List:
        ReadValueType();
        while (!EndOfList())
            SkipValue(depth + 1);
        ReadListEnd();
        return;
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
        ReadInteger();
        return;
    case TValueType::Extended:
        ReadFloat();
        return;
    case TValueType::String:
    case TValueType::LString:
    case TValueType::WString:
    case TValueType::Utf8String:
        ReadString();
        return;
    case TValueType::Ident:
        ReadIdent();
        return;
    case TValueType::Binary:
        ReadBinary();
        return;
    case TValueType::Set:
        ReadSet();
        return;
    case TValueType::Collection:
        ReadValueType();
        while (!EndOfList()) {
            // An item may carry its index as an integer before its property list.
            if (NextValue() == TValueType::Int8 || NextValue() == TValueType::Int16 || NextValue() == TValueType::Int32)
                ReadInteger();
            ReadListBegin();
            while (!EndOfList()) {
                ReadPropertyName();
                SkipValue(depth + 1);
            }
            ReadListEnd();
        }
        ReadListEnd();
        return;
    }
    Fail(QStringLiteral("Unknown value type %1").arg(PeekByte()));
}

QString TStreamReader::ReadShortString()
{
    return FromWindows1252(ReadBytes(ReadByte()));
}

void TStreamReader::ReadSignature()
{
    if (ReadBytes(4) != QByteArrayView("TPF0"))
        Fail(QStringLiteral("Invalid stream format"));
}

TComponentHeader TStreamReader::ReadComponentHeader(bool withSignature)
{
    if (withSignature)
        ReadSignature();
    TComponentHeader header;
    if ((PeekByte() & 0xF0) == 0xF0) {
        header.flags = ReadByte() & 0x0F;
        if (header.flags & 2)
            header.childPosition = ReadInteger();
    }
    header.className = ReadShortString();
    header.name = ReadShortString();
    return header;
}

void TStreamReader::SkipComponent(bool withSignature)
{
    SkipComponent(withSignature, 0);
}

void TStreamReader::SkipComponent(bool withSignature, int depth)
{
    CheckDepth(depth);
    ReadComponentHeader(withSignature);
    while (!EndOfList()) {
        ReadPropertyName();
        SkipValue(depth + 1);
    }
    ReadListEnd();
    while (!EndOfList())
        SkipComponent(false, depth + 1);
    ReadListEnd();
}
