#include "printcommands.h"

#include "calendarmain.h"
#include "dialogfolder.h"
#include "exportresolutiondialog.h"
#include "pageexport.h"
#include "printing.h"
#include "printpreviewdialog.h"
#include "printsetupdialog.h"

#include "editor/calendarpanel32.h"
#include "report/reportprinter.h"

#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/messages.h"
#include "platform/rounding.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

// The writer's own reason, as a document save reports it: a guess at causes would hide the real one.
QString UnableToSaveMessage(const QString& name, const QString& reason)
{
    return QStringLiteral("Unable to save ") + name + QStringLiteral("\r\r") + reason;
}

} // namespace

TPrintCommands::TPrintCommands(TCalendarMain& window, TCalendarPanel32& page)
    : QObject(&window), m_window(window), m_page(page), m_reportPrinter(std::make_unique<TReportPrinter>())
{
    m_reportPrinter->SetTitle(QStringLiteral("ReportPrinter Report"));
    m_reportPrinter->SetStatusFormat(QStringLiteral("Printing page %p"));
    m_runPrintDialog = [this](TReportPrinter& report) { return report.SetupDialog(&m_window); };
    m_chooseExportFile = [this](const QString& title, const QString& filter, const QString& proposed) {
        QFileDialog dialog(&m_window, title, DialogFolder(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QFileInfo(proposed).suffix());
        dialog.selectFile(proposed);
        const QString chosen = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        RememberDialogChoice(chosen);
        return chosen;
    };

    auto wire = [this](const char* name, void (TPrintCommands::*handler)()) {
        connect(m_window.Action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    wire("mnuSaveAsBitmap", &TPrintCommands::mnuSaveAsBitmapClick);
    wire("mnuSaveAsJPG", &TPrintCommands::mnuSaveAsJPGClick);
    wire("mnuSaveAsPNG", &TPrintCommands::mnuSaveAsPNGClick);
    wire("mnuSaveAsPDF", &TPrintCommands::mnuSaveAsPDFClick);
    wire("mnuPrint", &TPrintCommands::mnuPrintCalendarClick);
    wire("mnuPrintSetup", &TPrintCommands::mnuPrintSetupClick);
    wire("mnuPrintPreview", &TPrintCommands::mnuPrintPreviewClick);
    auto* printButton = m_window.findChild<QPushButton*>(QStringLiteral("Printbutton"));
    connect(printButton, &QPushButton::clicked, this, &TPrintCommands::mnuPrintCalendarClick);
    m_printButtonTip = printButton->toolTip();
    m_window.installEventFilter(this);
}

TPrintCommands::~TPrintCommands() = default;

bool TPrintCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Paint) {
        m_window.removeEventFilter(this);
        QMetaObject::invokeMethod(this, &TPrintCommands::checkPrinters, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void TPrintCommands::checkPrinters()
{
    const TPrinterSituation situation = RunPrinterCheck();
    // A printer chosen in Print Setup meanwhile stays chosen.
    if (!m_printersPresent) {
        m_printersPresent = situation == TPrinterSituation::Ready;
        m_printUnavailable = PrintingUnavailableReason(situation);
    }
    m_printerChecked = true;
    m_window.SetButtons();
}

void TPrintCommands::mnuPrintSetupClick()
{
    m_window.DoSaveRichtext();
    PreparePaper(m_page, *m_reportPrinter);
    TPrintSetupDialog dialog(*m_reportPrinter, &m_window);
    // Centred at the size its contents give it.
    dialog.adjustSize();
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The printer chosen here serves the print commands at once, whether or not the system has a default.
    m_printersPresent = true;
    m_printUnavailable.clear();
    m_window.SetButtons();
}

void TPrintCommands::mnuPrintPreviewClick()
{
    m_window.DoSaveRichtext();
    if (RunPrintPreview(m_page, *m_reportPrinter, &m_window))
        mnuPrintCalendarClick();
}

void TPrintCommands::EnableCommands(bool pageVisible)
{
    const bool on = pageVisible && m_printersPresent;
    QWidget* button = m_window.Control(QStringLiteral("Printbutton"));
    button->setEnabled(on);
    // Disabled for want of a printer, they say why.
    for (const char* name : {"mnuPrintPreview", "mnuPrint"}) {
        QAction* print = m_window.Action(QLatin1String(name));
        print->setEnabled(on);
        print->setToolTip(m_printUnavailable);
    }
    button->setToolTip(m_printUnavailable.isEmpty() ? m_printButtonTip : m_printUnavailable);
}

void TPrintCommands::mnuPrintCalendarClick()
{
    m_printDone = false;
    const bool modified = m_window.Modified();
    m_window.DoSaveRichtext();
    // The dialog opens on the page's paper; what the user picks there is what prints.
    PreparePaper(m_page, *m_reportPrinter);
    if (m_runPrintDialog(*m_reportPrinter)) {
        m_reportPrinter->SetOrientation(PageOrientation(m_page));
        if (!CheckPrinterMargins())
            return;
        const int requested = m_reportPrinter->Copies();
        const TCopiesPlan plan = PlanCopies(requested, m_reportPrinter->MaxCopies());
        m_reportPrinter->SetCopies(plan.driverCopies);
        m_printCopies = plan.repeats;
        printJob();
        // The next dialog offers what the user asked for, whoever made the copies.
        m_reportPrinter->SetCopies(requested);
    }
    if (m_printDone) {
        if (m_page.HasSuperText())
            ShowInformation(QStringLiteral("Print job completed and sent to printer!\r\rNote: this design contains "
                                           "complex shapes or text.\rPlease be patient while the printer produces "
                                           "its\routput..."));
        else
            ShowInformation(QStringLiteral("Print job completed and sent to printer!"));
    }
    m_window.SetModified(modified);
}

bool TPrintCommands::CheckPrinterMargins()
{
    const QMarginsF margins(m_page.LeftMarginInch(), m_page.TopMarginInch(), m_page.RightMarginInch(),
                            m_page.BottomMarginInch());
    const QString lines = MarginWarningLines(m_reportPrinter->UnprintableBorder(), margins);
    return lines.isEmpty() || AskYesNo(MarginWarningQuestion(lines), QStringLiteral("Margin Warning"));
}

void TPrintCommands::printJob()
{
    QString error;
    {
        const TQBasePanel::TSuspension still = m_page.SuspendPainting();
        BusyCursor();
        // The job runs without returning to the event loop, so the status window paints itself at once.
        QLabel status(&m_window, Qt::Tool);
        status.setWindowTitle(QStringLiteral("Printing"));
        status.setMargin(24);
        status.setMinimumWidth(240);
        m_reportPrinter->SetOnStatus([&status](const QString& text) {
            status.setText(text);
            status.repaint();
        });
        status.show();
        CenterForm(&status);
        try {
            if (!PrintCalendarJob(m_page, *m_reportPrinter, m_printCopies))
                error = m_reportPrinter->ErrorString();
        } catch (const std::exception& e) {
            error = QString::fromLocal8Bit(e.what());
        }
        m_reportPrinter->SetOnStatus({});
        NormalCursor();
    }
    m_page.update();
    m_printDone = error.isEmpty();
    if (!m_printDone)
        ShowInformation(QStringLiteral("Unable to print the calendar\r\r") + error);
}

QString TPrintCommands::SaveCalendarToBitmap(const QString& name, TImageFormat format, float zoom)
{
    BusyCursor();
    const QString error = WritePageImage(m_page, zoom, name, format);
    NormalCursor();
    m_window.SetButtons();
    m_window.SetCaption();
    return error;
}

void TPrintCommands::exportPage(const QString& title, const QString& filter, const QString& extension)
{
    m_window.DoSaveRichtext();
    const QString proposed =
        m_window.CurrentFileName().isEmpty()
            ? m_page.GetMonthName(m_page.MainCalMonth()).left(3) + QString::number(m_page.MainCalYear()) +
                  QLatin1Char('.') + extension
            : QFileInfo(m_window.CurrentFileName()).completeBaseName() + QLatin1Char('.') + extension;
    const QString name = m_chooseExportFile(title, filter, proposed);
    if (name.isEmpty())
        return;
    if (extension == QLatin1String("pdf")) {
        BusyCursor();
        QString error;
        {
            const TQBasePanel::TSuspension still = m_page.SuspendPainting();
            error = PrintToPdf(m_page, name);
        }
        m_page.update();
        NormalCursor();
        ShowInformation(error.isEmpty() ? QStringLiteral("Saved as ") + name : UnableToSaveMessage(name, error));
        return;
    }
    const std::optional<int> dotsPerInch = ChooseExportResolution(&m_window, m_page.Scale());
    if (!dotsPerInch)
        return;
    const float zoom = *dotsPerInch ? static_cast<float>(ZoomForResolution(*dotsPerInch)) : m_page.Scale();
    const TImageFormat format = extension == QLatin1String("JPG")   ? TImageFormat::Jpeg
                                : extension == QLatin1String("PNG") ? TImageFormat::Png
                                                                    : TImageFormat::Bmp;
    const QString error = SaveCalendarToBitmap(name, format, zoom);
    if (!error.isEmpty())
        ShowInformation(UnableToSaveMessage(name, error));
    else if (*dotsPerInch)
        ShowInformation(QStringLiteral("Saved as ") + name +
                        QStringLiteral("\r\rNote: the calendar has been saved at ") + QString::number(*dotsPerInch) +
                        QStringLiteral(" dpi"));
    else
        ShowInformation(
            QStringLiteral("Saved as ") + name +
            QStringLiteral("\r\rNote: the calendar has been saved at its\rcurrent magnification level of ") +
            QString::number(RoundHalfEven(m_page.Scale() * 100.0)) + QLatin1Char('%'));
}

void TPrintCommands::mnuSaveAsBitmapClick()
{
    exportPage(QStringLiteral("Save Calendar As Bitmap"), QStringLiteral("Bitmap File (*.BMP)"), QStringLiteral("BMP"));
}

void TPrintCommands::mnuSaveAsJPGClick()
{
    exportPage(QStringLiteral("Save Calendar As Bitmap"), QStringLiteral("JPG File (*.JPG)"), QStringLiteral("JPG"));
}

void TPrintCommands::mnuSaveAsPNGClick()
{
    exportPage(QStringLiteral("Save Calendar As Bitmap"), QStringLiteral("PNG File (*.PNG)"), QStringLiteral("PNG"));
}

void TPrintCommands::mnuSaveAsPDFClick()
{
    exportPage(QStringLiteral("Save Calendar As PDF"), QStringLiteral("PDF File (*.pdf)"), QStringLiteral("pdf"));
}
