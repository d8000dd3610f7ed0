// Printer presence, asked once when the main window first comes up.
#pragma once

// True when the print system offers at least one printer.
bool CheckPrintersPresent();
