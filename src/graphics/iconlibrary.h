// The icons of an icon library: 16-bit (NE) and 32-bit (PE) resource files such as ".ICL", ".DLL" and
// ".EXE", and ".ICO" files, recognised by their content. Each icon is the image of its group that best
// fits the system icon size, scaled to it, and decoded once however many groups name it. A library gives
// at most 1,000 icons of at most 64 images each. Damaged tables give no icons; a damaged image a null one.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The size Almarin shows icons at, as the desktop's standard icon.
constexpr int kSystemIconSize = 32;

class TIconLibrary
{
public:
    TIconLibrary() = default;
    explicit TIconLibrary(QByteArray bytes);
    // A missing, unreadable or oversized file gives an empty library.
    static TIconLibrary FromFile(const QString& path);

    int Count() const { return static_cast<int>(m_groups.size()); }
    // Icon `index` (from 0) at the system icon size; null when the index is out of range or its image is damaged.
    QImage Icon(int index) const;

    // One image of a group: where its bytes lie in the file.
    struct TImageSpan
    {
        qint64 offset = 0;
        qint64 size = 0;
    };

private:
    QByteArray m_bytes;
    QList<QList<TImageSpan>> m_groups;
    // Icons already decoded, by where their image lies in the file.
    mutable QHash<qint64, QImage> m_decoded;
};

// Decodes one icon image as resource files and ICO files keep it: a DIB with its AND mask below the colour
// rows, or a PNG file. Null when damaged or larger than an icon may be.
QImage DecodeIconImage(QByteArrayView data);
