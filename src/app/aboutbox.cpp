#include "aboutbox.h"

#include "app/almarinversion.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Almarin"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Almarin"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto* version = new QLabel(QStringLiteral("Version ") + QLatin1String(kAlmarinVersion), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* edition = new QLabel(QStringLiteral("32-bit version"), this);
    edition->setAlignment(Qt::AlignCenter);
    layout->addWidget(edition);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    // Room for the caption on the title bar.
    setMinimumWidth(260);
    // Its final size now, so that it is centred as it will show.
    adjustSize();
}
