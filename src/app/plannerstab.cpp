#include "plannerstab.h"

#include "propertiescontrols.h"
#include "propertiesstate.h"

#include "editor/calendarpanel32.h"

#include "platform/rounding.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMsecsPerDay = 24 * 60 * 60 * 1000;

QString shortTime(const QTime& time)
{
    return QLocale().toString(time, QLocale::ShortFormat);
}

QTime timeOfDay(double fraction)
{
    const int msecs = static_cast<int>(RoundHalfEven(fraction * kMsecsPerDay));
    return QTime::fromMSecsSinceStartOfDay(qBound(0, msecs, kMsecsPerDay - 1));
}

} // namespace

TPlannersTab::TPlannersTab(TPropertiesState& state, QObject* parent) : QObject(parent), m_state(state) {}

QWidget* TPlannersTab::BuildPage()
{
    QWidget* page = NewPropertiesPage("PlannersPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    column->addWidget(BoldCaption(QStringLiteral("Starting Time (for day planners)"), page));
    auto* row = new QHBoxLayout;
    m_timeLabel = new QLabel(page);
    m_timeLabel->setObjectName(QStringLiteral("TimeLabel"));
    m_timeLabel->setFrameShape(QFrame::Panel);
    m_timeLabel->setFrameShadow(QFrame::Sunken);
    m_timeLabel->setAlignment(Qt::AlignCenter);
    m_timeLabel->setMinimumWidth(90);
    m_timeLabel->setMinimumHeight(22);
    row->addWidget(m_timeLabel);
    auto* button = new QPushButton(QStringLiteral("Change..."), page);
    button->setObjectName(QStringLiteral("StartingtimeButton"));
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Choose the first hour of the day planners"));
    connect(button, &QPushButton::clicked, this, &TPlannersTab::startingTimeClick);
    row->addWidget(button);
    row->addStretch(1);
    column->addLayout(row);
    auto* note = new QLabel(QStringLiteral("*(Note: This setting only applies if you have selected one of the two "
                                           "Day Planners from the Layout tab)"),
                            page);
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch(1);
    return page;
}

void TPlannersTab::Fill()
{
    m_timeLabel->setText(shortTime(timeOfDay(m_state.example->DayStartTime())));
}

void TPlannersTab::startingTimeClick()
{
    QTime time = QLocale().toTime(m_timeLabel->text(), QLocale::ShortFormat);
    if (!time.isValid()) {
        time = QTime::currentTime();
        m_timeLabel->setText(shortTime(time));
    }
    if (!m_state.pickTime || !m_state.pickTime(time))
        return;
    m_timeLabel->setText(shortTime(time));
    m_state.example->SetDayStartTime(time.msecsSinceStartOfDay() / static_cast<double>(kMsecsPerDay));
}
