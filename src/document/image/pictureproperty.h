// The picture of a placed object as the component stream sees it: the graphic in one binary entry
// ("Picture.Data"), which the stream reads in place. Data that cannot be read as a picture leaves the
// picture empty and is kept, so that saving writes it back unchanged.
#pragma once

#include "graphics/picture.h"

#include <QByteArray>
#include <QObject>

class TPictureProperty : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData STORED false)
    Q_CLASSINFO("binary:Data", "Data")

public:
    explicit TPictureProperty(QObject* parent = nullptr) : QObject(parent) {}

    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }

    // The kept bytes while the picture stays empty, else the picture's own data.
    QByteArray Data() const;
    // Bytes that are not a picture Almarin can read (damaged, unknown or too costly) empty the picture
    // and are kept.
    void SetData(const QByteArray& data);
    bool KeepsUnreadData() const { return m_picture.IsEmpty() && !m_unreadData.isEmpty(); }

private:
    TPicture m_picture;
    QByteArray m_unreadData;
};
