// The "Floating Calendar Properties" dialog: every change shows at once on a preview calendar, and
// OK hands the preview's values to the object.
#pragma once

#include "platform/colorvalue.h"
#include "platform/fontdescription.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;
class TQFlatCalendar;

class TFlatCalendarEditor : public QDialog
{
    Q_OBJECT

public:
    explicit TFlatCalendarEditor(QWidget* parent = nullptr);

    // The preview, drawn at zoom 1.
    TQFlatCalendar* Sample() const { return m_sample; }
    // Copies the object's look and its size at zoom 1 into the preview and shows it in the controls.
    void LoadFrom(const TQFlatCalendar& object);

    // Runs the dialog for the object; on OK its values go back through the object's setters.
    static bool Edit(TQFlatCalendar& object);

    // The font and colour choosers of the buttons; tests replace them. True when something was chosen.
    static std::function<bool(QWidget* parent, FontDescription& font)> ChooseFont;
    static std::function<bool(QWidget* parent, TColor& color)> ChooseColor;

private:
    void showSample();
    // Runs a change of a control on the preview, unless the controls are being filled.
    void apply(const std::function<void(TQFlatCalendar&)>& change);
    QComboBox* addCombo(const char* name, const QStringList& items, const std::function<void(int index)>& set);

    TQFlatCalendar* m_sample = nullptr;
    bool m_filling = false;
    QCheckBox* m_showYear = nullptr;
    QComboBox* m_month = nullptr;
    QSpinBox* m_year = nullptr;
    QRadioButton* m_sunday = nullptr;
    QRadioButton* m_monday = nullptr;
    QComboBox* m_headerStyle = nullptr;
    QComboBox* m_calendarBorder = nullptr;
    QComboBox* m_headerBorder = nullptr;
    QComboBox* m_cellBorder = nullptr;
    QComboBox* m_orientation = nullptr;
    QSpinBox* m_depth = nullptr;
    QComboBox* m_language = nullptr;
    QCheckBox* m_transparent = nullptr;
};
