// "Recurring Date - Formulas": edits one entry's event text and its rule (a day of the month, a set
// of weekdays, the nth weekday of a month, or days from Western or Orthodox Easter). The caller sets the formula and
// the event text, shows the dialog and reads both back after Ok.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TEditRecurringDateFormula : public QDialog
{
    Q_OBJECT
public:
    explicit TEditRecurringDateFormula(QWidget* parent = nullptr);

    QString formula() const { return m_formula; }
    void setFormula(const QString& formula) { m_formula = formula; }
    QString eventText() const;
    void setEventText(const QString& text);
    // Controls to formula text; false (after telling the user why) when they do not make one.
    bool DetermineFormulaString();

    QRadioButton* rbDayOfMonth;
    QSpinBox* DayOfMonthDay;
    QComboBox* DayOfMonthMonth;
    QRadioButton* rbDayOfweek;
    QCheckBox* Monday;
    QCheckBox* Tuesday;
    QCheckBox* Wednesday;
    QCheckBox* Thursday;
    QCheckBox* Friday;
    QCheckBox* Saturday;
    QCheckBox* Sunday;
    QCheckBox* AllDaysCheck;
    QRadioButton* rbSpecial;
    QComboBox* SpecialOccurrance;
    QComboBox* SpecialDayOfWeek;
    QComboBox* SpecialMonth;
    QRadioButton* rbEaster;
    QSpinBox* EasterDays;
    QComboBox* EasterDirection; // "after", "before"
    QComboBox* EasterKind;      // "Easter", "Orthodox Easter"
    QLineEdit* Event;
    QPushButton* Okbutton;
    QPushButton* CancelButton;

public slots:
    void FormActivate();
    // Formula text to controls.
    void SetEmUp();
    void SetRecurType();
    void AllDaysCheckClick();
    void OkbuttonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Sunday first, as the weekday-set digits count.
    QList<QCheckBox*> daysSundayFirst() const;

    QString m_formula;
    bool m_activated = false;
};
