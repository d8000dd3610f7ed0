#include "usertitleform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TUserTitleForm::TUserTitleForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("User Defined Title"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Enter calendar title (leave blank for default):"), this));
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("TitleText"));
    m_title->setMinimumWidth(320);
    column->addWidget(m_title);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
}
