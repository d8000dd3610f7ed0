// The page's zoom in the main window: the zoom control and its caption on the tool strip, the zoom
// keys, and Ctrl with the wheel. A step first ends the editing of a day cell.
#pragma once

#include <QObject>

class QBoxLayout;
class QKeyEvent;
class QLabel;
class QWheelEvent;
class QWidget;
class TCalendarMain;
class TCalendarPanel32;

class TPageZoom : public QObject
{
    Q_OBJECT
public:
    // Puts the zoom control and its caption on the strip's row.
    TPageZoom(TCalendarMain& window, TCalendarPanel32& page, QWidget& strip, QBoxLayout& row);

    // One step of 10% in or out, between 60% and 100%.
    void ZoomSpinnerUpClick();
    void ZoomSpinnerDownClick();
    // Page Down zooms in and Page Up zooms out, neither consumed; plus and minus (alone where no text is
    // typed, or with Ctrl) step the zoom while a page shows. True when consumed.
    bool ZoomKey(QKeyEvent* event);
    // Ctrl with the wheel over the page steps the zoom; true when consumed.
    bool ZoomWheel(QWheelEvent* event);
    // The caption shows the page's zoom.
    void ShowZoom();
    QLabel* Caption() const { return m_caption; }

private:
    TCalendarMain& m_window;
    TCalendarPanel32& m_page;
    QLabel* m_caption = nullptr;
    // Wheel turns under one notch, kept until they add up to a zoom step.
    static constexpr int kWheelNotch = 120;
    int m_wheelZoom = 0;
};
