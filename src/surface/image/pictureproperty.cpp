#include "pictureproperty.h"

#include "stream/streamerror.h"

void TPictureProperty::SetData(const QByteArray& data)
{
    QString error;
    if (!m_picture.ReadData(data, &error))
        throw EStreamError(QStringLiteral("Picture.Data: %1").arg(error));
}
