#include "printercheck.h"

#include "platform/inifile.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QPrinterInfo>

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
