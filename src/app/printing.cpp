#include "printing.h"

#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "report/reportprinter.h"

#include "platform/inifile.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <cmath>

namespace {

std::function<TPrinterSituation()>& printerCheck()
{
    static std::function<TPrinterSituation()> check;
    return check;
}

const QString kPrintersSection = QStringLiteral("Printers");
const QString kSituationKey = QStringLiteral("Situation");

// What each situation is called in the settings file, the notice that tells the user at start-up, and why
// the print commands are disabled (both empty when Ready).
struct TSituationTexts
{
    QLatin1String name;
    QLatin1String notice;
    QLatin1String reason;
};

TSituationTexts SituationTexts(TPrinterSituation situation)
{
    switch (situation) {
    case TPrinterSituation::NoPrinters:
        return {QLatin1String("NoPrinters"),
                QLatin1String("There are no installed printers.\r\nUnable to perform printer related operations"),
                QLatin1String("Printing is unavailable: there are no installed printers")};
    case TPrinterSituation::NoDefaultPrinter:
        return {QLatin1String("NoDefaultPrinter"),
                QLatin1String("There is no default printer selected.\r\nUnable to perform printer related operations"),
                QLatin1String("Printing is unavailable: there is no default printer; choose one in Print Setup")};
    case TPrinterSituation::Ready:
        break;
    }
    return {QLatin1String("Ready"), QLatin1String(), QLatin1String()};
}

TPrinterSituation CurrentPrinterSituation()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return TPrinterSituation::NoPrinters;
    if (QPrinterInfo::defaultPrinterName().isEmpty())
        return TPrinterSituation::NoDefaultPrinter;
    return TPrinterSituation::Ready;
}

// Printer borders are compared in whole hundredths, so a driver's 0.254 in counts as 0.25 in.
double CutToHundredths(double inches)
{
    // The nudge keeps 0.29 from becoming 28.999... hundredths.
    return std::trunc(inches * 100.0 + 1e-9) * 0.01;
}

} // namespace

QString PrintingUnavailableReason(TPrinterSituation situation)
{
    return SituationTexts(situation).reason;
}

TPrinterSituation CheckPrintersPresent()
{
    const TPrinterSituation situation = CurrentPrinterSituation();
    TIniFile settings(SettingsFileName());
    const TSituationTexts texts = SituationTexts(situation);
    if (settings.ReadString(kPrintersSection, kSituationKey, QString()) != texts.name) {
        if (situation != TPrinterSituation::Ready)
            ShowInformation(texts.notice);
        settings.WriteString(kPrintersSection, kSituationKey, texts.name);
    }
    return situation;
}

void SetPrinterCheck(std::function<TPrinterSituation()> check)
{
    printerCheck() = std::move(check);
}

TPrinterSituation RunPrinterCheck()
{
    return printerCheck() ? printerCheck()() : CheckPrintersPresent();
}

QString MarginWarningLines(const QMarginsF& unprintableBorder, const QMarginsF& pageMargins)
{
    QString lines;
    const auto check = [&lines](double border, double margin, const char* side) {
        // Page margins are single precision: compared in double, a border of 0.29 would lie beyond a
        // margin of 0.29.
        if (static_cast<float>(CutToHundredths(border)) > static_cast<float>(margin))
            lines += QLatin1Char('\r') + QLatin1String(side) +
                     QLatin1String(" Margin is possibly outside of Printer printable area");
    };
    check(unprintableBorder.left(), pageMargins.left(), "Left");
    check(unprintableBorder.top(), pageMargins.top(), "Top");
    check(unprintableBorder.right(), pageMargins.right(), "Right");
    check(unprintableBorder.bottom(), pageMargins.bottom(), "Bottom");
    return lines;
}

QString MarginWarningQuestion(const QString& lines)
{
    return QStringLiteral("Margin Warning:\r") + lines + QStringLiteral("\r\rPrint anyways?");
}

TCopiesPlan PlanCopies(int requested, int maxCopies)
{
    const int copies = std::max(requested, 1);
    if (maxCopies >= copies)
        return {copies, 1};
    return {1, copies};
}

void PreparePaper(const TPageDocument& page, TReportPrinter& report)
{
    report.SetTitle(page.Model().PageTitle());
    report.SetPaperSize(QPageSize(page.Model().Settings().A4Paper ? QPageSize::A4 : QPageSize::Letter));
    report.SetOrientation(PageOrientation(page));
}

QPageLayout::Orientation PageOrientation(const TPageDocument& page)
{
    return page.Model().Settings().CalendarOrientation == coLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool PrintCalendarJob(TPageDocument& page, TReportPrinter& report, int repeats)
{
    page.MarkPrinting(true);
    // Lowered also when the drawing throws.
    const auto restore = qScopeGuard([&page] { page.MarkPrinting(false); });
    return report.Execute([&page, repeats](TReportPrinter& r) {
        for (int copy = 0; copy < repeats; ++copy) {
            if (copy > 0)
                r.NewPage();
            page.PrintPage(r, 0, 0);
        }
    });
}

QImage PreviewCalendarPage(TPageDocument& page, TReportPrinter& report, double dotsPerInch)
{
    page.MarkPrinting(true);
    const auto restore = qScopeGuard([&page] { page.MarkPrinting(false); });
    return report.PreviewPage([&page](TReportPrinter& r) { page.PrintPage(r, 0, 0); }, dotsPerInch);
}

QString PrinterProblem(const QString& printerName)
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty())
        return QStringLiteral("there are no installed printers");
    const QString name = printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName;
    if (name.isEmpty())
        return QStringLiteral("there is no default printer; name one with --printer");
    if (!printers.contains(name))
        return QStringLiteral("there is no printer named \"%1\" (there are: %2)")
            .arg(name, printers.join(QLatin1String(", ")));
    return QString();
}

QString PrintOnPrinter(TPageDocument& page, const QString& printerName, int copies)
{
    const QString problem = PrinterProblem(printerName);
    if (!problem.isEmpty())
        return problem;
    TReportPrinter report;
    report.SetPrinterName(printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName);
    PreparePaper(page, report);
    const TCopiesPlan plan = PlanCopies(copies, report.MaxCopies());
    report.SetCopies(plan.driverCopies);
    if (PrintCalendarJob(page, report, plan.repeats))
        return QString();
    return report.ErrorString().isEmpty() ? QStringLiteral("the print job failed") : report.ErrorString();
}
