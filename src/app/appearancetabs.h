// The tabs of the calendar properties dialog that choose how the page looks: its fonts and background
// colours (main and mini calendars), header styles and line styles.
#pragma once

#include "platform/fontdescription.h"

#include <QList>
#include <QObject>
#include <QPair>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;
class TCalendarPanel32;
class TColorButton;
struct TPropertiesState;

class TAppearanceTabs : public QObject
{
public:
    TAppearanceTabs(TPropertiesState& state, QObject* parent);

    QWidget* BuildFontsPage();
    QWidget* BuildMiniFontsPage();
    QWidget* BuildHeadersPage();
    QWidget* BuildLinesPage();
    // Shows the example page's colours, styles and fonts.
    void Fill();

private:
    QPushButton* fontButton(QGroupBox* group, const QString& name, FontDescription (TCalendarPanel32::*get)() const,
                            void (TCalendarPanel32::*set)(const FontDescription&));
    TColorButton* colorButton(QGroupBox* group, const QString& name, void (TCalendarPanel32::*set)(int));
    void showFontDescriptions();

    TPropertiesState& m_state;
    TColorButton* m_titleBGColor = nullptr;
    TColorButton* m_headerBGColor = nullptr;
    TColorButton* m_miniHeadersBGColor = nullptr;
    TColorButton* m_miniCalBGColor = nullptr;
    QComboBox* m_headerStyle = nullptr;
    QComboBox* m_miniHeaderStyle = nullptr;
    QComboBox* m_lineLayout = nullptr;
    QComboBox* m_miniLineLayout = nullptr;
    // Beside each font button, the font it holds in words.
    QList<QPair<QLabel*, FontDescription (TCalendarPanel32::*)() const>> m_fontSamples;
};
