// Clip art on the page: a bitmap, metafile, icon or SVG drawing stretched over the object's rectangle
// or sized to the picture, with an optional frame, and bitmaps mirrored on request.
#pragma once

#include "pictureproperty.h"

#include "document/qgraphiccontrol.h"

#include <QImage>

class TQImage : public TQGraphicControl
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQImage")
    Q_PROPERTY(TPictureProperty* Picture READ PictureProperty)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Flip READ Flip WRITE SetFlip)
    Q_PROPERTY(bool Reverse READ Reverse WRITE SetReverse)
    Q_CLASSINFO("default:Stretch", "true")
    Q_CLASSINFO("default:AutoSize", "false")
    Q_CLASSINFO("default:BorderStyle", "bsNone")
    Q_CLASSINFO("default:Flip", "false")
    Q_CLASSINFO("default:Reverse", "false")

public:
    enum TBorderStyle : int { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TQImage(QObject* parent = nullptr);

    const TPicture& Picture() const { return m_picture->Picture(); }
    // The picture copies p; its change runs the picture-changed step.
    void SetPicture(const TPicture& p);
    TPictureProperty* PictureProperty() const { return m_picture; }

    // Always the opposite of AutoSize after either setter, except as read from a stream (the browser may
    // leave both off, and a document keeps them so).
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool v);
    // The object takes the picture's natural size times Scale.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Bitmaps only: drawn upside down, and mirrored left to right.
    bool Flip() const { return m_flip; }
    void SetFlip(bool v);
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool v);

    // Takes a picture the user chose, with both sizings as chosen (both may be off), as one edit.
    void TakeChosenPicture(const TPicture& picture, bool stretch, bool autoSize);

    void Loaded() override;
    int PicturesNotShown() const override { return m_picture->KeepsUnreadData() ? 1 : 0; }
    // An auto-sized object takes its picture's size.
    void DocumentRead() override;
    void BoundsChanged() override;
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;

private:
    // Runs BoundsChanged (an auto-sized object takes the new picture's size), then pictureShown.
    void pictureChanged();
    // Marks the object opaque when its picture hides what lies below, and repaints.
    void pictureShown();
    void setMirroring(bool& flag, bool v);
    void drawPicture(QPainter& canvas, const QRect& target) const;

    TPictureProperty* m_picture;
    bool m_stretch = true;
    bool m_autoSize = false;
    TBorderStyle m_borderStyle = bsNone;
    bool m_flip = false;
    bool m_reverse = false;
    // The picture as last drawn on screen, at the size it was drawn.
    QImage m_screenCopy;
};
