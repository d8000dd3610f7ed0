#include "qgraphiccontrol.h"

#include "qbasepanel.h"

#include "platform/rounding.h"

TQGraphicControl::TQGraphicControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void TQGraphicControl::SetScale(float factor)
{
    if (factor == m_scale)
        return;
    const float ratio = factor / m_scale;
    setGeometry(RoundHalfEven(x() * ratio), RoundHalfEven(y() * ratio), RoundHalfEven(width() * ratio),
                RoundHalfEven(height() * ratio));
    m_scale = factor;
}

TQBasePanel* TQGraphicControl::Surface() const
{
    return qobject_cast<TQBasePanel*>(parentWidget());
}
