#include "pictureproperty.h"

QByteArray TPictureProperty::Data() const
{
    return KeepsUnreadData() ? m_unreadData : m_picture.WriteData();
}

void TPictureProperty::SetData(const QByteArray& data)
{
    if (m_picture.ReadData(data)) {
        m_unreadData.clear();
        return;
    }
    m_unreadData = data;
    m_picture.Clear();
}
