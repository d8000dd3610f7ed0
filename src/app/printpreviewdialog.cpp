#include "printpreviewdialog.h"

#include "printing.h"

#include "report/reportprinter.h"

#include "platform/screenmetrics.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

QImage ShadeUnprintableBorder(const QImage& page, const QMarginsF& borderInches, double dotsPerInch)
{
    QImage shaded = page.convertToFormat(QImage::Format_RGB32);
    const QRect paper = shaded.rect();
    const QRect printable = paper.marginsRemoved(
        QMargins(qRound(borderInches.left() * dotsPerInch), qRound(borderInches.top() * dotsPerInch),
                 qRound(borderInches.right() * dotsPerInch), qRound(borderInches.bottom() * dotsPerInch)));
    QPainter painter(&shaded);
    const QColor shade(96, 96, 96, 96);
    painter.fillRect(QRect(paper.left(), paper.top(), paper.width(), printable.top()), shade);
    painter.fillRect(QRect(paper.left(), printable.bottom() + 1, paper.width(), paper.bottom() - printable.bottom()),
                     shade);
    painter.fillRect(QRect(paper.left(), printable.top(), printable.left(), printable.height()), shade);
    painter.fillRect(
        QRect(printable.right() + 1, printable.top(), paper.right() - printable.right(), printable.height()), shade);
    return shaded;
}

TPrintPreviewDialog::TPrintPreviewDialog(const QImage& page, const QMarginsF& unprintableInches, double dotsPerInch,
                                         QWidget* parent)
    : QDialog(parent), m_shown(ShadeUnprintableBorder(page, unprintableInches, dotsPerInch))
{
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* sheet = new QLabel;
    sheet->setObjectName(QStringLiteral("PreviewPage"));
    sheet->setPixmap(QPixmap::fromImage(m_shown));
    auto* scroll = new QScrollArea;
    scroll->setWidget(sheet);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Print"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("Print"));
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
    // The whole sheet when the screen has room for it, else as much as fits.
    const QSize room = QGuiApplication::primaryScreen()->availableSize() * 9 / 10;
    resize(QSize(m_shown.width() + 48, m_shown.height() + 96).boundedTo(room));
}

bool RunPrintPreview(TPageDocument& page, TReportPrinter& report, QWidget* parent)
{
    PreparePaper(page, report);
    const QImage sheet = PreviewCalendarPage(page, report, kScreenPixelsPerInch);
    TPrintPreviewDialog dialog(sheet, report.UnprintableBorder(), kScreenPixelsPerInch, parent);
    return dialog.exec() == QDialog::Accepted;
}
