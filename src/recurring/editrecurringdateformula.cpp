#include "editrecurringdateformula.h"

#include "recurringformula.h"

#include "platform/messages.h"
#include "platform/textutil.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

// Hints keep the "\r" line breaks of their texts; tool tips break lines at "\n".
QString hint(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QComboBox* monthList(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItem(QStringLiteral("Each Month"));
    for (const char* name : {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                             "October", "November", "December"})
        box->addItem(QLatin1String(name));
    box->setMaxVisibleItems(14);
    box->setToolTip(hint(QStringLiteral("Select the month, or choose \"of Each Month\"\rfor all months")));
    return box;
}

QCheckBox* dayBox(const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setToolTip(hint(QStringLiteral("Check to use this reminder on this day of \reach week")));
    return box;
}

// The event text is not selected when the box gets the focus, from the keyboard or on opening.
class NoAutoSelectEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const bool hadSelection = hasSelectedText();
        QLineEdit::focusInEvent(event);
        if (!hadSelection)
            deselect();
    }
};

} // namespace

TEditRecurringDateFormula::TEditRecurringDateFormula(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      rbDayOfMonth(new QRadioButton(QStringLiteral("Day of the &Month"), this)), DayOfMonthDay(new QSpinBox(this)),
      DayOfMonthMonth(monthList(this)), rbDayOfweek(new QRadioButton(QStringLiteral("Day of the &Week"), this)),
      Monday(dayBox(QStringLiteral("Mon"), this)), Tuesday(dayBox(QStringLiteral("Tues"), this)),
      Wednesday(dayBox(QStringLiteral("Wed"), this)), Thursday(dayBox(QStringLiteral("Thu"), this)),
      Friday(dayBox(QStringLiteral("Fri"), this)), Saturday(dayBox(QStringLiteral("Sat"), this)),
      Sunday(dayBox(QStringLiteral("Sun"), this)), AllDaysCheck(new QCheckBox(QStringLiteral("All Days"), this)),
      rbSpecial(new QRadioButton(QStringLiteral("&Special"), this)), SpecialOccurrance(new QComboBox(this)),
      SpecialDayOfWeek(new QComboBox(this)), SpecialMonth(monthList(this)),
      rbEaster(new QRadioButton(QStringLiteral("Days from &Easter"), this)), EasterDays(new QSpinBox(this)),
      EasterDirection(new QComboBox(this)), EasterKind(new QComboBox(this)), Event(new NoAutoSelectEdit(this)),
      Okbutton(new QPushButton(QStringLiteral("&Ok"), this)),
      CancelButton(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setWindowTitle(QStringLiteral("Recurring Date - Formulas"));
    setFixedSize(407, 374);
    setFont(QFont(QStringLiteral("Arial"), 8));

    rbDayOfMonth->setToolTip(
        hint(QStringLiteral("Check here to choose a 'Day of the Month' \rstyle Repeating Reminder")));
    rbDayOfweek->setToolTip(
        hint(QStringLiteral("Check here to choose a 'Days of the Week' \rstyle Repeating Reminder")));
    rbSpecial->setToolTip(hint(QStringLiteral("Check here to choose a 'nth Day of Month' \rstyle Repeating Reminder")));
    DayOfMonthDay->setRange(1, 31);
    DayOfMonthDay->setValue(1);
    DayOfMonthDay->setToolTip(hint(QStringLiteral("Select the day of the month (1-31)")));
    AllDaysCheck->setToolTip(hint(QStringLiteral("Check to include all days")));
    SpecialOccurrance->addItems({QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"),
                                 QStringLiteral("4th"), QStringLiteral("5th"), QStringLiteral("Last")});
    SpecialOccurrance->setToolTip(hint(QStringLiteral("Select the occurrance: First, 2nd, 3rd, 4th, 5th\ror Last")));
    SpecialDayOfWeek->addItems({QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                QStringLiteral("Saturday"), QStringLiteral("Day (any day)")});
    SpecialDayOfWeek->setToolTip(
        hint(QStringLiteral("Select the weekday (Sun-Sat), or select  \"Day\" \rfor any day.")));
    for (QCheckBox* day : {Monday, Tuesday, Wednesday, Thursday, Friday})
        day->setChecked(true);
    rbEaster->setToolTip(hint(QStringLiteral("Check here to choose a day counted \rfrom Easter Sunday")));
    EasterDays->setRange(0, kMaxEasterOffset);
    EasterDays->setToolTip(hint(QStringLiteral("Select the number of days (0-99)")));
    EasterDirection->addItems({QStringLiteral("after"), QStringLiteral("before")});
    EasterKind->addItems({QStringLiteral("Easter"), QStringLiteral("Orthodox Easter")});
    EasterKind->setToolTip(hint(QStringLiteral("Select Western Easter or Orthodox Easter \r(Julian reckoning)")));
    Okbutton->setDefault(true);

    auto* group = new QButtonGroup(this);
    for (QRadioButton* rb : {rbDayOfMonth, rbDayOfweek, rbSpecial, rbEaster}) {
        group->addButton(rb);
        connect(rb, &QRadioButton::clicked, this, &TEditRecurringDateFormula::SetRecurType);
    }
    connect(AllDaysCheck, &QCheckBox::clicked, this, &TEditRecurringDateFormula::AllDaysCheckClick);
    connect(Okbutton, &QPushButton::clicked, this, &TEditRecurringDateFormula::OkbuttonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TEditRecurringDateFormula::CancelButtonClick);

    auto* dayOfMonthRow = new QHBoxLayout;
    dayOfMonthRow->addWidget(DayOfMonthDay);
    dayOfMonthRow->addWidget(new QLabel(QStringLiteral("of"), this));
    dayOfMonthRow->addWidget(DayOfMonthMonth);
    dayOfMonthRow->addStretch();

    auto* daysGrid = new QGridLayout;
    const QList<QCheckBox*> dayOrder = {Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday, AllDaysCheck};
    for (int i = 0; i < dayOrder.size(); ++i)
        daysGrid->addWidget(dayOrder[i], i / 4, i % 4);

    auto* specialRow = new QHBoxLayout;
    specialRow->addWidget(SpecialOccurrance);
    specialRow->addWidget(SpecialDayOfWeek);
    specialRow->addWidget(new QLabel(QStringLiteral("of"), this));
    specialRow->addWidget(SpecialMonth);
    specialRow->addStretch();

    auto* easterRow = new QHBoxLayout;
    easterRow->addWidget(EasterDays);
    easterRow->addWidget(new QLabel(QStringLiteral("days"), this));
    easterRow->addWidget(EasterDirection);
    easterRow->addWidget(EasterKind);
    easterRow->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Okbutton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbDayOfMonth);
    layout->addLayout(dayOfMonthRow);
    layout->addWidget(rbDayOfweek);
    layout->addLayout(daysGrid);
    layout->addWidget(rbSpecial);
    layout->addLayout(specialRow);
    layout->addWidget(rbEaster);
    layout->addLayout(easterRow);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("Recurring event (birthday, anniversary, etc)"), this));
    layout->addWidget(Event);
    layout->addStretch();
    layout->addLayout(buttons);

    // FormCreate
    SpecialOccurrance->setCurrentIndex(0);
    SpecialDayOfWeek->setCurrentIndex(0);
    SpecialMonth->setCurrentIndex(0);
    DayOfMonthMonth->setCurrentIndex(0);
    rbDayOfMonth->setChecked(true);
    m_formula = QString(kFixedDateRule);
    SetRecurType();
}

QString TEditRecurringDateFormula::eventText() const
{
    return Event->text();
}

void TEditRecurringDateFormula::setEventText(const QString& text)
{
    Event->setText(text);
}

QList<QCheckBox*> TEditRecurringDateFormula::daysSundayFirst() const
{
    return {Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday};
}

// The controls follow the formula once, when the dialog first opens; coming back to the dialog
// from a message box keeps what the user has set.
void TEditRecurringDateFormula::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated && !event->spontaneous()) {
        m_activated = true;
        FormActivate();
    }
}

void TEditRecurringDateFormula::FormActivate()
{
    Event->setFocus(Qt::OtherFocusReason);
    Event->deselect();
    Event->end(false);
    SetEmUp();
}

void TEditRecurringDateFormula::SetEmUp()
{
    const QChar type = m_formula.isEmpty() ? QChar() : m_formula.at(0);
    EasterOffsetFields easter;
    if (type == kEasterRule && ParseEasterOffsetFormula(TrimSpaces(m_formula).toUpper(), easter)) {
        rbEaster->setChecked(true);
        EasterDays->setValue(std::abs(easter.days));
        EasterDirection->setCurrentIndex(easter.days < 0 ? 1 : 0);
        EasterKind->setCurrentIndex(easter.orthodox ? 1 : 0);
    } else if (type == kNthWeekdayRule) {
        NthWeekdayFields f;
        if (ParseNthWeekdayFormula(m_formula, f)) {
            rbSpecial->setChecked(true);
            SpecialOccurrance->setCurrentIndex(f.occurrence);
            SpecialDayOfWeek->setCurrentIndex(f.weekday);
            SpecialMonth->setCurrentIndex(f.month);
        }
    } else if (type == kFixedDateRule) {
        FixedDateFields f;
        if (ParseFixedDateFormula(m_formula, f)) {
            rbDayOfMonth->setChecked(true);
            DayOfMonthDay->setValue(f.day);
            DayOfMonthMonth->setCurrentIndex(f.month);
        }
    } else {
        rbDayOfweek->setChecked(true);
        const std::array<bool, 7> flags = WeekdaySetFlags(m_formula);
        const QList<QCheckBox*> days = daysSundayFirst();
        for (int i = 0; i < 7; ++i)
            days[i]->setChecked(flags[i]);
    }
    SetRecurType();
}

void TEditRecurringDateFormula::SetRecurType()
{
    const bool byWeekday = rbDayOfweek->isChecked();
    const bool byDay = rbDayOfMonth->isChecked();
    const bool special = rbSpecial->isChecked();
    for (QCheckBox* day : daysSundayFirst())
        day->setEnabled(byWeekday);
    AllDaysCheck->setEnabled(byWeekday);
    DayOfMonthDay->setEnabled(byDay);
    DayOfMonthMonth->setEnabled(byDay);
    SpecialOccurrance->setEnabled(special);
    SpecialDayOfWeek->setEnabled(special);
    SpecialMonth->setEnabled(special);
    const bool fromEaster = rbEaster->isChecked();
    EasterDays->setEnabled(fromEaster);
    EasterDirection->setEnabled(fromEaster);
    EasterKind->setEnabled(fromEaster);
    for (QRadioButton* rb : {rbDayOfMonth, rbDayOfweek, rbSpecial, rbEaster}) {
        QFont font = rb->font();
        font.setBold(rb->isChecked());
        rb->setFont(font);
    }
}

void TEditRecurringDateFormula::AllDaysCheckClick()
{
    for (QCheckBox* day : daysSundayFirst())
        day->setChecked(AllDaysCheck->isChecked());
}

void TEditRecurringDateFormula::OkbuttonClick()
{
    if (DetermineFormulaString())
        accept();
}

void TEditRecurringDateFormula::CancelButtonClick()
{
    reject();
}

bool TEditRecurringDateFormula::DetermineFormulaString()
{
    if (rbDayOfMonth->isChecked()) {
        const int day = DayOfMonthDay->value();
        if (day < 1 || day > 31) {
            ShowInformation(QStringLiteral("Invalid day of month entered "));
            return false;
        }
        if (DayOfMonthMonth->currentIndex() < 0) {
            ShowInformation(QStringLiteral("Invalid month entered "));
            return false;
        }
        m_formula = FixedDateFormula(day, DayOfMonthMonth->currentIndex());
        return true;
    }
    if (rbSpecial->isChecked()) {
        if (SpecialOccurrance->currentIndex() < 0 || SpecialDayOfWeek->currentIndex() < 0 ||
            SpecialMonth->currentIndex() < 0) {
            ShowInformation(QStringLiteral("Invalid value entered for Special category"));
            return false;
        }
        m_formula = NthWeekdayFormula(SpecialOccurrance->currentIndex(), SpecialDayOfWeek->currentIndex(),
                                      SpecialMonth->currentIndex());
        return true;
    }
    if (rbEaster->isChecked()) {
        const int days = EasterDays->value() * (EasterDirection->currentIndex() == 1 ? -1 : 1);
        m_formula = EasterOffsetFormula(EasterKind->currentIndex() == 1, days);
        return true;
    }
    std::array<bool, 7> flags{};
    const QList<QCheckBox*> days = daysSundayFirst();
    for (int i = 0; i < 7; ++i)
        flags[i] = days[i]->isChecked();
    if (std::none_of(flags.begin(), flags.end(), [](bool set) { return set; })) {
        ShowInformation(QStringLiteral("You must select at least one day for this \rreminder to occur on"));
        return false;
    }
    m_formula = WeekdaySetFormula(flags);
    return true;
}
