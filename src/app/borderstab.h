// The Borders tab of the calendar properties dialog: the border art drawn around the page, chosen
// from the program's Borders folder.
#pragma once

#include <QObject>

class QListWidget;
class QWidget;
struct TPropertiesState;

class TBordersTab : public QObject
{
public:
    TBordersTab(TPropertiesState& state, QObject* parent);

    // The page, its list filled from the Borders folder (disabled when there is none).
    QWidget* BuildPage();
    // Selects the example page's border, so that a loaded style sheet shows its border too.
    void Fill();

private:
    void fillList();
    void borderFilesClick();

    TPropertiesState& m_state;
    QListWidget* m_borderFiles = nullptr;
};
