// Printer presence, the margin check before printing, copies, and the job that puts the page on paper.
#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>

#include <functional>

class TPageDocument;
class TReportPrinter;

// Whether the print system can take a job, and if not, why.
enum class TPrinterSituation { Ready, NoPrinters, NoDefaultPrinter };
// Why the print commands are disabled, as their tool tips say it; empty when Ready.
QString PrintingUnavailableReason(TPrinterSituation situation);
// The situation at start-up. Its notice is shown only when it differs from the situation the settings
// file remembers from the last start, so a machine without printers says so once, not at every start.
TPrinterSituation CheckPrintersPresent();
// The check the main window runs after its first paint: CheckPrintersPresent unless replaced. Test
// programs replace it so that their windows come up without the notices of a machine with no printer.
void SetPrinterCheck(std::function<TPrinterSituation()> check);
TPrinterSituation RunPrinterCheck();

// The warning lines for each side whose unprintable border, cut to hundredths of an inch, lies beyond
// the page's margin; empty when every margin is inside the printable area.
QString MarginWarningLines(const QMarginsF& unprintableBorder, const QMarginsF& pageMargins);
// The whole question asked before printing with those lines.
QString MarginWarningQuestion(const QString& lines);

// Who makes the copies: the driver when it can make that many, else the program repeats the page.
struct TCopiesPlan
{
    int driverCopies = 1;
    int repeats = 1;
};
TCopiesPlan PlanCopies(int requested, int maxCopies);

// The page `repeats` times in one job, a new page between two, at zoom 1 with the page's Printing flag
// raised. Throws what the drawing throws, after the flag is lowered. False when the job failed.
bool PrintCalendarJob(TPageDocument& page, TReportPrinter& report, int repeats);

// The page as the report's job would print it, drawn at `dotsPerInch` on an image of the job's paper.
QImage PreviewCalendarPage(TPageDocument& page, TReportPrinter& report, double dotsPerInch);

// Why a job cannot go to the named print queue (empty: the default one), or an empty string.
QString PrinterProblem(const QString& printerName);
// Prints the page on the named print queue (empty: the default one), the copies made by the queue when
// it can. Returns an empty string when the job was sent, else why not.
QString PrintOnPrinter(TPageDocument& page, const QString& printerName, int copies);

// The report's paper, orientation and title taken from the page.
void PreparePaper(const TPageDocument& page, TReportPrinter& report);
// The page's orientation on paper.
QPageLayout::Orientation PageOrientation(const TPageDocument& page);
