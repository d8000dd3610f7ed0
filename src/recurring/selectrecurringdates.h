// "Select Recurring Dates To Use": the fill command's chooser, every row chosen when it opens.
#pragma once

#include "checklistdialog.h"

class TSelectRecurringDates : public CheckListDialog
{
    Q_OBJECT
public:
    explicit TSelectRecurringDates(QWidget* parent = nullptr);
    void setLines(const QStringList& lines);

public slots:
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
};
