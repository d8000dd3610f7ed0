#include "richtextlabeleditor.h"

#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/help.h"
#include "platform/rounding.h"
#include "richtext/wprichtext.h"
#include "richtext/wptoolbar.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {
constexpr int kHelpContext = 40013;
constexpr int kZoomStep = 10;
constexpr int kMinZoom = 50;
constexpr int kMaxZoom = 100;
// The panel lies this far from the scroll box's corner.
constexpr int kPanelOffset = 5;

QToolButton* ZoomButton(QWidget* parent, const char* name, const char* text, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QLatin1String(text));
    button->setToolTip(QLatin1String(hint));
    button->setFixedSize(20, 20);
    return button;
}
} // namespace

TRichTextLabelEditor::TRichTextLabelEditor(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Rich Text Editor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(601, 343);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_toolBar = new TWPToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("WPToolBar1"));
    m_toolBar->setFixedHeight(28);
    m_toolBar->SetJustifyVisible(true);
    column->addWidget(m_toolBar);
    m_zoomMinus = ZoomButton(this, "ZoomMinusButton", "-", "Zoom Out");
    m_zoomPlus = ZoomButton(this, "ZoomPlusButton", "+", "Zoom In");
    connect(m_zoomMinus, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomMinusButtonClick);
    connect(m_zoomPlus, &QToolButton::clicked, this, &TRichTextLabelEditor::ZoomPlusButtonClick);

    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_panelHolder = new QWidget;
    m_panel = new QFrame(m_panelHolder);
    m_panel->setObjectName(QStringLiteral("WPPanel"));
    m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_panel->setLineWidth(1);
    m_panel->setAutoFillBackground(true);
    m_panel->move(kPanelOffset, kPanelOffset);
    auto* inside = new QVBoxLayout(m_panel);
    inside->setContentsMargins(1, 1, 1, 1);
    m_richText = new TWPRichText(m_panel);
    m_richText->setObjectName(QStringLiteral("WPRichText1"));
    m_richText->setFrameStyle(QFrame::NoFrame);
    m_richText->setWhatsThis(QStringLiteral("Type the label's text here; the tool bar sets fonts, colours, styles "
                                            "and alignment."));
    inside->addWidget(m_richText);
    SetPanelColor(Qt::white);
    SetPanelSize(QSize(200, 100));
    m_panel->hide();
    m_scrollBox->setWidget(m_panelHolder);
    column->addWidget(m_scrollBox, 1);
    m_toolBar->Attach(m_richText);

    auto* bottom = new QWidget(this);
    bottom->setFixedHeight(49);
    auto* row = new QHBoxLayout(bottom);
    auto* mouseHelp = new QToolButton(bottom);
    mouseHelp->setObjectName(QStringLiteral("MouseHelpButton"));
    mouseHelp->setText(QStringLiteral("?"));
    mouseHelp->setToolTip(QStringLiteral("What's this?"));
    connect(mouseHelp, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    row->addWidget(mouseHelp);
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("Ok"), bottom);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setWhatsThis(QStringLiteral("Puts the edited text on the label."));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), bottom);
    cancel->setObjectName(QStringLiteral("Cancelbutton"));
    cancel->setWhatsThis(QStringLiteral("Closes the editor and leaves the label as it was."));
    auto* help = new QPushButton(QStringLiteral("Help"), bottom);
    help->setObjectName(QStringLiteral("Helpbutton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpContext); });
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    column->addWidget(bottom);

    FormCreate();
}

void TRichTextLabelEditor::FormCreate()
{
    BusyCursor();
    CenterForm(this);
    // First on the bar, so that a narrow dialog never hides them behind the bar's overflow button.
    QAction* first = m_toolBar->actions().value(0);
    m_toolBar->insertWidget(first, m_zoomMinus);
    m_toolBar->insertWidget(first, m_zoomPlus);
    m_toolBar->insertSeparator(first);
}

void TRichTextLabelEditor::SetPanelColor(const QColor& color)
{
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, color);
    m_panel->setPalette(palette);
    m_richText->SetBackgroundColor(color);
}

void TRichTextLabelEditor::SetPanelSize(const QSize& size)
{
    m_panel->resize(size);
    m_panelHolder->resize(size.width() + 2 * kPanelOffset, size.height() + 2 * kPanelOffset);
}

void TRichTextLabelEditor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    BusyCursor();
    // Some window systems never report the dialog active; it must come to life all the same.
    QMetaObject::invokeMethod(this, &TRichTextLabelEditor::FormActivate, Qt::QueuedConnection);
}

void TRichTextLabelEditor::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TRichTextLabelEditor::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    m_panel->show();
    m_richText->setFocus();
    m_richText->SetCaretPosition(0);
    NormalCursor();
    m_baseSize = m_panel->size();
    m_baseZoom = m_richText->Zoom();
}

void TRichTextLabelEditor::ZoomPlusButtonClick()
{
    const int zoom = m_richText->Zoom();
    if (zoom >= kMaxZoom)
        return;
    m_richText->SetZoom(zoom + kZoomStep);
    resizePanelToZoom();
}

void TRichTextLabelEditor::ZoomMinusButtonClick()
{
    const int zoom = m_richText->Zoom();
    if (zoom <= kMinZoom)
        return;
    m_richText->SetZoom(zoom - kZoomStep);
    resizePanelToZoom();
}

void TRichTextLabelEditor::resizePanelToZoom()
{
    if (!m_activated)
        return;
    const double zoom = m_richText->Zoom();
    SetPanelSize(QSize(RoundHalfEven(zoom * m_baseSize.width() / m_baseZoom),
                       RoundHalfEven(zoom * m_baseSize.height() / m_baseZoom)));
}
