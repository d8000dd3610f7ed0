// The "Fill Calendar with Recurring Dates" command: offers the entries of the shown month and puts
// each chosen entry's event text on its days. The main window supplies the page and the palette.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the fill command needs from the main window.
class RecurringFillHost
{
public:
    virtual ~RecurringFillHost() = default;
    virtual int mainCalMonth() const = 0;
    virtual int mainCalYear() const = 0;
    virtual bool iconToolVisible() const = 0;
    virtual void hideIconPalette() = 0;
    virtual void showIconPalette() = 0;
    // Appends the text as a new paragraph to the day's text; days the page lacks are ignored.
    virtual void putTextOnDay(int day, const QString& text) = 0;
    virtual void setButtons() = 0;
    // Lets the user pick among the offered lines; nullopt on Cancel. By default the modal
    // "Select Recurring Dates To Use" dialog.
    virtual std::optional<QStringList> chooseRecurringDates(const QStringList& offered);
};

// The whole command, from reading the recurring dates file to refreshing the main window.
void FillCalendarWithRecurringDates(RecurringFillHost& host);
