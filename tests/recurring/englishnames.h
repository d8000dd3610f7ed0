// Recurring-date descriptions in tests use English day and month names whatever the machine's locale.
#pragma once

#include "recurring/recurringdescription.h"

inline void UseEnglishNames()
{
    SetRegionalNames(RegionalNames::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
}
