// Little-endian reads from a block of bytes that may come from a stranger's file: a read outside the block
// gives 0 instead of touching memory that is not there.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <cstring>

class TByteReader
{
public:
    explicit TByteReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype Size() const { return m_bytes.size(); }
    // Whether `count` bytes from `at` lie inside the block; false for negative values and on overflow.
    bool Holds(qint64 at, qint64 count) const { return at >= 0 && count >= 0 && count <= m_bytes.size() - at; }

    quint8 U8(qint64 at) const { return Holds(at, 1) ? static_cast<quint8>(m_bytes[at]) : 0; }
    quint16 U16(qint64 at) const { return static_cast<quint16>(U8(at) | U8(at + 1) << 8); }
    qint16 I16(qint64 at) const { return static_cast<qint16>(U16(at)); }
    quint32 U32(qint64 at) const { return static_cast<quint32>(U16(at)) | static_cast<quint32>(U16(at + 2)) << 16; }
    qint32 I32(qint64 at) const { return static_cast<qint32>(U32(at)); }
    float F32(qint64 at) const
    {
        const quint32 bits = U32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The bytes from `at`, or an empty view when they are not all there.
    QByteArrayView Mid(qint64 at, qint64 count) const
    {
        return Holds(at, count) ? m_bytes.sliced(at, count) : QByteArrayView();
    }

private:
    QByteArrayView m_bytes;
};
