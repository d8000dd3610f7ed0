#include "getlabeltext.h"

#include "platform/centerform.h"
#include "platform/help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

constexpr int kHelpTopic = 40004;

} // namespace

TGetLabelText::TGetLabelText(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Text"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Enter Text"), this));
    m_labelText = new QLineEdit(this);
    m_labelText->setObjectName(QStringLiteral("LabelText"));
    m_labelText->setFixedWidth(321);
    m_labelText->setWhatsThis(QStringLiteral("The text the label shows, on one line."));
    column->addWidget(m_labelText);

    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    auto* pointerHelp = new QToolButton(this);
    pointerHelp->setText(QStringLiteral("?"));
    pointerHelp->setToolTip(QStringLiteral("What's this?"));
    connect(pointerHelp, &QToolButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(help);
    buttons->addWidget(pointerHelp);
    column->addLayout(buttons);
    m_labelText->setFocus();
}

void TGetLabelText::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterForm(this);
    m_labelText->setFocus();
}
