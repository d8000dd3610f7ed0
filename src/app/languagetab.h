// The Language tab of the calendar properties dialog: the page's month and day names, typed or
// filled in one of five languages.
#pragma once

#include <QObject>

class QPlainTextEdit;
class QWidget;
struct TPropertiesState;

class TLanguageTab : public QObject
{
public:
    TLanguageTab(TPropertiesState& state, QObject* parent);

    QWidget* BuildPage();
    // Shows the example page's names.
    void Fill();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void monthNamesExit();
    void dayNamesExit();
    void applyLanguage(const char* const months[12], const char* const days[7]);

    TPropertiesState& m_state;
    QPlainTextEdit* m_monthNames = nullptr;
    QPlainTextEdit* m_dayNames = nullptr;
};
