#include "printing.h"

#include <QPrinterInfo>

bool CheckPrintersPresent()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}
