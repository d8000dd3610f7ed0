// The time picker: one click on an hour cell and one on a minute cell choose the starting time of
// the day planner pages.
#pragma once

#include <QDialog>
#include <QTime>

class QFrame;
class QPushButton;
class TGraphicPanel;

class TSetTimeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TSetTimeDialog(QWidget* parent = nullptr);

    // Set before showing; holds the chosen time after OK.
    QTime Time() const { return m_time; }
    void setTime(const QTime& time) { m_time = time; }
    int Hour() const { return m_hour; }
    int Minute() const { return m_minute; }

    QFrame* HourPanel() const { return m_hourPanel; }
    QFrame* MinutePanel() const { return m_minutePanel; }
    QPushButton* OkButton() const { return m_okButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    // The cell of that tag (hour 0..23 or minute 0..59) in a panel.
    TGraphicPanel* Cell(QFrame* panel, int tag) const;

    // Shows the dialog centred over the main window; on OK `time` takes the chosen time.
    static bool Execute(QWidget* parent, QTime& time);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void HourClick(TGraphicPanel* cell);
    void MinuteClick(TGraphicPanel* cell);
    void ShowDateTime();

    QTime m_time = QTime(0, 0);
    int m_hour = 0;
    int m_minute = 0;
    QFrame* m_hourPanel = nullptr;
    QFrame* m_minutePanel = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
