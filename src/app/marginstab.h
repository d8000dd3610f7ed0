// The Margins tab of the calendar properties dialog: the four page margins, listed in inches or millimetres.
#pragma once

#include <QObject>

class QComboBox;
class QRadioButton;
class QWidget;
struct TPropertiesState;

class TMarginsTab : public QObject
{
public:
    TMarginsTab(TPropertiesState& state, QObject* parent);

    QWidget* BuildPage();
    // Shows the example page's margins.
    void Fill();

    // The six margin sizes in inches, and the list index a margin falls on.
    static float MarginInches(int index);
    static int MarginIndex(float inches);

private:
    void useInchesClick();
    void marginChange(int side);

    TPropertiesState& m_state;
    QRadioButton* m_useInches = nullptr;
    QRadioButton* m_useMillimeters = nullptr;
    QComboBox* m_margins[4] = {}; // left, top, right, bottom
};
