// An up/down pair of small arrow buttons, as beside a zoom percentage.
#pragma once

#include <QWidget>

class QToolButton;

class TSpinButton : public QWidget
{
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

signals:
    void UpClick();
    void DownClick();

protected:
    void changeEvent(QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};
