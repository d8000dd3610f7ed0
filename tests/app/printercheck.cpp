// Main windows in these tests come up as on a machine with no printer, without its two notices: a
// notice is a modal box that nobody here would close. The print tests run the real check.
#include "app/printercheck.h"

namespace {

const bool kQuietPrinterCheck = (SetPrinterCheck([] { return TPrinterSituation::NoPrinters; }), true);

} // namespace
