// A month grid for picking a date, with "<<" (year back), "<" (month back), "Now", ">" (month on)
// and ">>" (year on) above it. Day, month and year can be set one by one; a value that would make
// an impossible date is ignored.
#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QPushButton;

class TMonthDateChooser : public QWidget
{
    Q_OBJECT
public:
    explicit TMonthDateChooser(QWidget* parent = nullptr);

    QDate Date() const { return m_date; }
    int Day() const { return m_date.day(); }
    int Month() const { return m_date.month(); }
    int Year() const { return m_date.year(); }

    // Each returns false and changes nothing when the result is not a valid date.
    bool SetDate(const QDate& date);
    bool SetDay(int day);
    bool SetMonth(int month);
    bool SetYear(int year);

    // Steps keep the day where the new month has it, else take the month's last day.
    void PreviousYear();
    void PreviousMonth();
    void Today();
    void NextMonth();
    void NextYear();

    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    QPushButton* PreviousYearButton() const { return m_buttons[0]; }
    QPushButton* PreviousMonthButton() const { return m_buttons[1]; }
    QPushButton* NowButton() const { return m_buttons[2]; }
    QPushButton* NextMonthButton() const { return m_buttons[3]; }
    QPushButton* NextYearButton() const { return m_buttons[4]; }
    QCalendarWidget* Grid() const { return m_grid; }

signals:
    // The date changed, by the user or by a setter.
    void Changed();

private:
    void stepMonths(int months);

    QDate m_date;
    QCalendarWidget* m_grid = nullptr;
    QPushButton* m_buttons[5] = {};
};
