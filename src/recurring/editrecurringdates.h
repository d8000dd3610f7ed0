// "Recurring Dates": the user's list of recurring dates, kept in alphabetical order, with New, Edit,
// Delete and Holidays; Ok writes the list to the recurring dates file, Cancel drops every change.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

class TEditRecurringDates : public QDialog
{
    Q_OBJECT
public:
    // The line each row stands for.
    static constexpr int kLineRole = Qt::UserRole;

    explicit TEditRecurringDates(QWidget* parent = nullptr);

    QStringList lines() const;
    // Inserts the line at its place in the sorted list and gives its row.
    int addLine(const QString& line);
    QString selectedLine() const;

    QListWidget* DatesList;
    QPushButton* okbutton;
    QPushButton* Editbutton;
    QPushButton* Newbutton;
    QPushButton* DeleteButton;
    QPushButton* Holidaysbutton;
    QPushButton* CancelButton;

public slots:
    void FormActivate();
    void setbuttons();
    void NewbuttonClick();
    void EditbuttonClick();
    void DoEditRecurringFormula();
    void DeleteButtonClick();
    void HolidaysbuttonClick();
    void okbuttonClick();
    void CancelButtonClick();

protected:
    void changeEvent(QEvent* event) override;

private:
    // The first row equal to the line, letter case ignored; -1 when none.
    int rowOfLine(const QString& line) const;
    void selectRow(int row);

    // A file that could not be read must not be replaced by what the dialog shows.
    bool m_loadFailed = false;
};
