#include "pagezoom.h"

#include "calendarmain.h"

#include "editor/calendarpanel32.h"
#include "richtext/wprichtext.h"
#include "widgets/spinbutton.h"

#include "platform/rounding.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QWheelEvent>

TPageZoom::TPageZoom(TCalendarMain& window, TCalendarPanel32& page, QWidget& strip, QBoxLayout& row)
    : QObject(&window), m_window(window), m_page(page)
{
    auto* spinner = new TSpinButton(&strip);
    spinner->setObjectName(QStringLiteral("ZoomSpinner"));
    spinner->setToolTip(QStringLiteral("Press plus (+) or minus (-) to \nincrease or decrease the zoom percentage"));
    connect(spinner, &TSpinButton::UpClick, this, &TPageZoom::ZoomSpinnerUpClick);
    connect(spinner, &TSpinButton::DownClick, this, &TPageZoom::ZoomSpinnerDownClick);
    row.addWidget(spinner);

    m_caption = new QLabel(QStringLiteral("100%"), &strip);
    m_caption->setObjectName(QStringLiteral("ZoomCaption"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(13);
    m_caption->setFont(captionFont);
    m_caption->setStyleSheet(QStringLiteral("color: navy"));
    m_caption->setMinimumWidth(40);
    row.addWidget(m_caption);
}

// A zoom step runs to its end before any other event is handled, so steps cannot overlap.
void TPageZoom::ZoomSpinnerUpClick()
{
    if (m_page.Scale() <= 0.95f) {
        m_window.DoSaveRichtext();
        m_page.SetScale(m_page.Scale() + 0.1f);
        m_window.SetCaption();
    }
}

void TPageZoom::ZoomSpinnerDownClick()
{
    if (m_page.Scale() > 0.6f) {
        m_window.DoSaveRichtext();
        m_page.SetScale(m_page.Scale() - 0.1f);
        m_window.SetCaption();
    }
}

void TPageZoom::ShowZoom()
{
    m_caption->setText(QString::number(RoundHalfEven(m_page.Scale() * 100.0)) + QLatin1Char('%'));
}

bool TPageZoom::ZoomKey(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
        if (key == Qt::Key_PageDown)
            ZoomSpinnerUpClick();
        else
            ZoomSpinnerDownClick();
        return false;
    }
    // Like the zoom control, the keys work only while a page shows.
    if (m_page.isHidden())
        return false;
    const bool control = event->modifiers() & Qt::ControlModifier;
    // Plus and minus alone are text where text is typed.
    QWidget* focus = QApplication::focusWidget();
    const bool typing = focus && (focus == m_window.DayTextEditor() || focus->testAttribute(Qt::WA_InputMethodEnabled));
    if (!control && typing)
        return false;
    if (key == Qt::Key_Plus || (control && key == Qt::Key_Equal))
        ZoomSpinnerUpClick();
    else if (key == Qt::Key_Minus)
        ZoomSpinnerDownClick();
    else
        return false;
    return true;
}

bool TPageZoom::ZoomWheel(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || m_page.isHidden())
        return false;
    // Fine-grained wheels send small steps; a zoom step is one notch.
    m_wheelZoom += event->angleDelta().y();
    for (; m_wheelZoom >= kWheelNotch; m_wheelZoom -= kWheelNotch)
        ZoomSpinnerUpClick();
    for (; m_wheelZoom <= -kWheelNotch; m_wheelZoom += kWheelNotch)
        ZoomSpinnerDownClick();
    return true;
}
