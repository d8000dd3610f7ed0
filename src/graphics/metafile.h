// A Windows metafile (WMF, placeable or not, or EMF) as pictures and documents hold it: the bytes as read,
// checked once, and drawn stretched into any rectangle on any painter, QPicture recordings included.
#pragma once

#include "emfplayer.h"
#include "wmfplayer.h"

#include <QByteArray>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <variant>

class QPainter;

class TMetafile
{
public:
    // Whether the bytes start like a WMF or an EMF.
    static bool Recognises(const QByteArray& bytes);

    // False, with the reason, and an empty metafile when the bytes are not a whole metafile of an allowed size.
    bool Load(const QByteArray& bytes, QString* error = nullptr);
    void Clear();
    bool IsEmpty() const;
    bool IsEnhanced() const;
    // The bytes exactly as loaded.
    const QByteArray& Data() const;
    // In pixels of 96 per inch.
    QSize Size() const;
    // Stretches the whole picture into the rectangle, ignoring its own proportions. False when the picture
    // costs more to draw at this target than a picture may, and so was drawn only in part; the first time
    // that happens to a metafile or a copy of it, the listener hears of it.
    bool Draw(QPainter& painter, const QRectF& target) const;

private:
    QByteArray m_data;
    std::variant<std::monostate, TWmfPlayer, TEmfPlayer> m_player;
    QSize m_size;
    std::shared_ptr<bool> m_cutShortTold = std::make_shared<bool>(false);
};

// Who tells the user of a metafile drawn only in part; none by default.
void SetMetafileCutShortListener(std::function<void()> listener);
// What the user is told then.
QString MetafileCutShortNotice();

// The metafile recorded at its own size in pixels of 96 per inch (the picture's bounding rectangle); an empty
// picture, with the reason, when the bytes are not a metafile or are damaged.
QPicture PlayMetafile(const QByteArray& bytes, QString* error = nullptr);
