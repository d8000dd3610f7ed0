// The picture of a placed object as the component stream sees it: the graphic in one binary entry
// ("Picture.Data"), which the stream reads in place; data that cannot be read refuses the object.
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

    QByteArray Data() const { return m_picture.WriteData(); }
    // Raises EStreamError, leaving the picture as it was, when the bytes are not a picture Almarin can read.
    void SetData(const QByteArray& data);

private:
    TPicture m_picture;
};
