// The main window's printing and export commands: the printer check, printer setup, printing with the
// margin check and copies, the print preview, and the page saved as a bitmap, JPEG, PNG or PDF file.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TCalendarMain;
class TCalendarPanel32;
class TReportPrinter;
enum class TImageFormat;

class TPrintCommands : public QObject
{
    Q_OBJECT
public:
    // Wires the commands of the window's menu and tool strip.
    TPrintCommands(TCalendarMain& window, TCalendarPanel32& page);
    ~TPrintCommands() override;

    // Whether a printer is at hand; false until the printer check has run.
    bool PrintersPresent() const { return m_printersPresent; }
    // The printer check runs once the window has first been painted: it may load the print system and
    // tell the user why printing is unavailable, neither of which should hold up the window.
    bool PrinterChecked() const { return m_printerChecked; }
    // Enables the print commands when the page shows and a printer is at hand; disabled for want of a
    // printer, they say why.
    void EnableCommands(bool pageVisible);
    TReportPrinter& ReportPrinter() const { return *m_reportPrinter; }

    void mnuPrintSetupClick();
    void mnuPrintCalendarClick();
    // The page as it will print; its Print button prints as Print Calendar does.
    void mnuPrintPreviewClick();
    // True when printing may go on: every margin inside the printable area, or the user prints anyway.
    bool CheckPrinterMargins();
    void mnuSaveAsBitmapClick();
    void mnuSaveAsJPGClick();
    void mnuSaveAsPNGClick();
    void mnuSaveAsPDFClick();
    // The page at the zoom inside its margins as BMP, JPEG or PNG; empty when this call wrote the file,
    // else why not.
    QString SaveCalendarToBitmap(const QString& name, TImageFormat format, float zoom);
    // Shows the printer dialog for the report; true when confirmed. Tests replace the dialog.
    void SetRunPrintDialog(std::function<bool(TReportPrinter& report)> run) { m_runPrintDialog = std::move(run); }
    // Asks for the file an export writes (empty when cancelled). Tests replace the dialog.
    void SetChooseExportFile(
        std::function<QString(const QString& title, const QString& filter, const QString& proposed)> choose)
    {
        m_chooseExportFile = std::move(choose);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether printing is possible, and if not, why; the window's commands follow.
    void checkPrinters();
    // The print job with the copies planned; sets m_printDone when the job was sent.
    void printJob();
    void exportPage(const QString& title, const QString& filter, const QString& extension);

    TCalendarMain& m_window;
    TCalendarPanel32& m_page;
    std::unique_ptr<TReportPrinter> m_reportPrinter;
    bool m_printersPresent = false;
    bool m_printerChecked = false;
    // Why printing is unavailable (the print commands' tool tip); empty while a printer is at hand.
    QString m_printUnavailable;
    QString m_printButtonTip;
    int m_printCopies = 1;
    bool m_printDone = false;
    std::function<bool(TReportPrinter& report)> m_runPrintDialog;
    std::function<QString(const QString& title, const QString& filter, const QString& proposed)> m_chooseExportFile;
};
