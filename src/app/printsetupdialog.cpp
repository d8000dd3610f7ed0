#include "printsetupdialog.h"

#include "report/reportprinter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPrintSetupDialog::TPrintSetupDialog(TReportPrinter& report, QWidget* parent) : QDialog(parent), m_report(report)
{
    setWindowTitle(QStringLiteral("Print Setup"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("PrinterBox"));
    // Queue names run long; the box shows a useful part of them.
    m_printers->setMinimumWidth(240);
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    QString current = report.Printer().printerName();
    if (m_printers->findText(current) < 0)
        current = QPrinterInfo::defaultPrinterName();
    m_printers->setCurrentIndex(std::max(0, m_printers->findText(current)));
    form->addRow(QStringLiteral("&Printer:"), m_printers);
    if (m_printers->count() == 0)
        form->addRow(new QLabel(QStringLiteral("There are no installed printers."), this));

    m_papers = new QComboBox(this);
    m_papers->setObjectName(QStringLiteral("PaperBox"));
    form->addRow(QStringLiteral("Paper &size:"), m_papers);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationLayout = new QVBoxLayout(orientation);
    m_portrait = new QRadioButton(QStringLiteral("P&ortrait"), orientation);
    m_landscape = new QRadioButton(QStringLiteral("&Landscape"), orientation);
    m_portrait->setObjectName(QStringLiteral("PortraitButton"));
    m_landscape->setObjectName(QStringLiteral("LandscapeButton"));
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    (report.Orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    layout->addWidget(orientation);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Without a printer there is nothing to set up.
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_printers->count() > 0);

    fillPapers();
    const QPageSize paper = report.Printer().pageLayout().pageSize();
    const int chosen = m_papers->findData(QVariant::fromValue(paper.id()));
    if (chosen >= 0)
        m_papers->setCurrentIndex(chosen);
    connect(m_printers, &QComboBox::currentIndexChanged, this, &TPrintSetupDialog::fillPapers);
}

void TPrintSetupDialog::fillPapers()
{
    const QVariant before = m_papers->currentData();
    QList<QPageSize> sizes = QPrinterInfo::printerInfo(m_printers->currentText()).supportedPageSizes();
    if (sizes.isEmpty())
        sizes = {QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4)};
    m_papers->clear();
    for (const QPageSize& size : std::as_const(sizes)) {
        if (size.id() != QPageSize::Custom && m_papers->findData(QVariant::fromValue(size.id())) < 0)
            m_papers->addItem(size.name(), QVariant::fromValue(size.id()));
    }
    const int kept = m_papers->findData(before);
    m_papers->setCurrentIndex(std::max(0, kept));
}

void TPrintSetupDialog::accept()
{
    if (m_printers->count() == 0)
        return;
    m_report.SetPrinterName(m_printers->currentText());
    if (m_papers->currentIndex() >= 0)
        m_report.SetPaperSize(QPageSize(m_papers->currentData().value<QPageSize::PageSizeId>()));
    m_report.SetOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}
