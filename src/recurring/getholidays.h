// "Holidays": picks holidays to copy into the user's recurring dates, from the classic built-in list
// or from a country's or region's public holidays; none chosen at first.
#pragma once

#include "checklistdialog.h"
#include "countryholidays.h"

class QComboBox;

class TGetHolidays : public CheckListDialog
{
    Q_OBJECT
public:
    explicit TGetHolidays(QWidget* parent = nullptr);

    // "United States (classic list)" first, then every country with a table.
    QComboBox* Countries;
    // The whole country first, then its regions; enabled only for a country that has regions.
    QComboBox* Regions;

public slots:
    void CountriesChange();
    void RegionsChange();

private:
    QList<TCountryHolidays> m_tables;
};
