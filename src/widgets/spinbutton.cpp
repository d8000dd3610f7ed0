#include "spinbutton.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFixedSize(18, 14);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &TSpinButton::UpClick);
    connect(m_down, &QToolButton::clicked, this, &TSpinButton::DownClick);
}

void TSpinButton::changeEvent(QEvent* event)
{
    // The hint belongs to the pair; each arrow shows it too.
    if (event->type() == QEvent::ToolTipChange) {
        m_up->setToolTip(toolTip());
        m_down->setToolTip(toolTip());
    }
    QWidget::changeEvent(event);
}
