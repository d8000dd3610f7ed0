#include "objectpreview.h"

#include "document/qgraphiccontrol.h"

#include <QPainter>

TObjectPreview::TObjectPreview(QWidget* parent) : QFrame(parent) {}

void TObjectPreview::Show(TQGraphicControl* object)
{
    object->setParent(this);
    connect(object, &TQGraphicControl::NeedsRepaint, this, qOverload<>(&QWidget::update));
    update();
}

void TObjectPreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    for (TQGraphicControl* object : findChildren<TQGraphicControl*>(Qt::FindDirectChildrenOnly))
        object->PaintTo(painter, object->Left(), object->Top());
}
