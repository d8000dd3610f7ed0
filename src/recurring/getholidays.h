// "Holidays": picks built-in holidays to copy into the user's recurring dates; none chosen at first.
#pragma once

#include "checklistdialog.h"

class TGetHolidays : public CheckListDialog
{
    Q_OBJECT
public:
    explicit TGetHolidays(QWidget* parent = nullptr);
};
