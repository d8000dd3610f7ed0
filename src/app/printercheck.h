// Whether the print system can take a job: checked once the main window is up, with a notice when the
// situation changed since the last start.
#pragma once

#include <QString>

#include <functional>

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
