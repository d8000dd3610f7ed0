// The Planners tab of the calendar properties dialog: the first hour of the day planners.
#pragma once

#include <QObject>

class QLabel;
class QWidget;
struct TPropertiesState;

class TPlannersTab : public QObject
{
public:
    TPlannersTab(TPropertiesState& state, QObject* parent);

    QWidget* BuildPage();
    // Shows the example page's starting time.
    void Fill();

private:
    void startingTimeClick();

    TPropertiesState& m_state;
    QLabel* m_timeLabel = nullptr;
};
