#include "monthdatechooser.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TMonthDateChooser::TMonthDateChooser(QWidget* parent) : QWidget(parent), m_date(QDate::currentDate())
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    struct Step
    {
        const char* caption;
        const char* hint;
        void (TMonthDateChooser::*action)();
    };
    const Step steps[] = {
        {"<<", "Previous year", &TMonthDateChooser::PreviousYear},
        {"<", "Previous month", &TMonthDateChooser::PreviousMonth},
        {"Now", "Today", &TMonthDateChooser::Today},
        {">", "Next month", &TMonthDateChooser::NextMonth},
        {">>", "Next year", &TMonthDateChooser::NextYear},
    };
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QLatin1String(steps[i].caption), this);
        b->setToolTip(QLatin1String(steps[i].hint));
        b->setAutoDefault(false);
        b->setMinimumWidth(10);
        connect(b, &QPushButton::clicked, this, steps[i].action);
        row->addWidget(b, i == 2 ? 2 : 1);
        m_buttons[i] = b;
    }
    column->addLayout(row);

    m_grid = new QCalendarWidget(this);
    m_grid->setNavigationBarVisible(false);
    m_grid->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_grid->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_grid->setGridVisible(true);
    m_grid->setFirstDayOfWeek(Qt::Sunday);
    m_grid->setSelectedDate(m_date);
    connect(m_grid, &QCalendarWidget::selectionChanged, this, [this] { SetDate(m_grid->selectedDate()); });
    column->addWidget(m_grid, 1);
}

bool TMonthDateChooser::SetDate(const QDate& date)
{
    if (!date.isValid())
        return false;
    if (date != m_date) {
        m_date = date;
        m_grid->setCurrentPage(date.year(), date.month());
        m_grid->setSelectedDate(date);
        emit Changed();
    }
    return true;
}

bool TMonthDateChooser::SetDay(int day)
{
    return SetDate(QDate(m_date.year(), m_date.month(), day));
}

bool TMonthDateChooser::SetMonth(int month)
{
    return SetDate(QDate(m_date.year(), month, m_date.day()));
}

bool TMonthDateChooser::SetYear(int year)
{
    return SetDate(QDate(year, m_date.month(), m_date.day()));
}

void TMonthDateChooser::stepMonths(int months)
{
    // QDate::addMonths keeps the day or clamps it to the new month's last day.
    SetDate(m_date.addMonths(months));
}

void TMonthDateChooser::PreviousYear()
{
    stepMonths(-12);
}

void TMonthDateChooser::PreviousMonth()
{
    stepMonths(-1);
}

void TMonthDateChooser::Today()
{
    SetDate(QDate::currentDate());
}

void TMonthDateChooser::NextMonth()
{
    stepMonths(1);
}

void TMonthDateChooser::NextYear()
{
    stepMonths(12);
}

void TMonthDateChooser::SetFirstDayOfWeek(Qt::DayOfWeek day)
{
    m_grid->setFirstDayOfWeek(day);
}
