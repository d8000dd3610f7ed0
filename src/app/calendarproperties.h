// The calendar properties dialog: every setting of the calendar page chosen on ten tabs, shown at
// once on a private example page, with style sheets saved and loaded from it.
#pragma once

#include "propertiesopening.h"
#include "propertiesstate.h"

#include "calendardraw/layoutkind.h"
#include "platform/fontdescription.h"

#include <QDialog>
#include <QTime>

#include <functional>
#include <memory>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QStackedWidget;
class QTabBar;
class TAppearanceTabs;
class TBordersTab;
class TCalendarPanel32;
class TLanguageTab;
class TMarginsTab;
class TMonthDateChooser;
class TPlannersTab;

// What the main window knows about its document when it opens the dialog.
struct TPropertiesRequest
{
    bool IsNew = false;                      // "New": the example page starts from the defaults and nothing is asked
    bool HasText = false;                    // the document has day text
    bool HasObjects = false;                 // the document has placed objects
    TLayoutKind OriginalKind = lkMiniMonths; // the document's LayoutKind
    int ZoomPercent = 30;                    // zoom of the example page, from the preferences
};

// How the dialog ended.
struct TPropertiesOutcome
{
    bool Accepted = false;
    // On OK: a hidden page holding the chosen settings, for SameSettingsAs and CopySettingsFrom.
    std::unique_ptr<TCalendarPanel32> Chosen;
    // The user agreed that the document's day text will be erased (layout kind, month or year changed).
    bool TextLossConfirmed = false;
    // The user agreed to reposition placed objects after a paper, layout, margin or border change.
    bool ObjectsWarningConfirmed = false;
    // The example page's zoom when the dialog closed, to be kept in the preferences.
    int ZoomPercent = 30;
};

class TCalendarProperties : public QDialog
{
    Q_OBJECT
public:
    explicit TCalendarProperties(QWidget* parent = nullptr);
    ~TCalendarProperties() override;

    // Shows the dialog modally over `parent` on a copy of `document`'s settings. The document page
    // itself is never changed; on OK the outcome carries the chosen settings.
    static TPropertiesOutcome Execute(QWidget* parent, const TCalendarPanel32& document,
                                      const TPropertiesRequest& request);

    // The steps before showing: centre, zoom the example page, take the flags and copy `document`.
    void Prepare(const TCalendarPanel32& document, const TPropertiesRequest& request);

    // The width the dialog opens with: all ten tabs in view when they fit in `room`; otherwise the strip
    // scrolls and the dialog takes `room` (or its least width, should that be more).
    void FitWidth(int room);

    TCalendarPanel32* ExampleCalendar() const { return m_state.example; }

    // Set while the controls are being filled from the example page, so that their change handlers wait.
    bool Updating() const { return m_state.updating; }
    // Planner layouts choose a starting date instead of a month.
    bool StartingDateMode() const { return m_startingDateMode; }
    // What the user agreed to when OK warned about day text or placed objects.
    bool TextLossConfirmed() const { return m_textLossConfirmed; }
    bool ObjectsWarningConfirmed() const { return m_objectsWarningConfirmed; }

    // Seams through which tests answer the dialogs this one opens.
    void SetChooseFont(std::function<bool(FontDescription& font, const QString& title)> choose)
    {
        m_state.chooseFont = std::move(choose);
    }
    void SetPickTime(std::function<bool(QTime& time)> pick) { m_state.pickTime = std::move(pick); }
    void SetChooseStyleSheetToSave(std::function<QString()> choose) { m_chooseStyleSheetToSave = std::move(choose); }
    void SetChooseStyleSheetToOpen(std::function<QString()> choose) { m_chooseStyleSheetToOpen = std::move(choose); }
    void SetShowHelp(std::function<void(int topic)> show) { m_showHelp = std::move(show); }

    // The open and save dialogs for style sheets, configured but not shown.
    static std::unique_ptr<QFileDialog> MakeStyleSheetDialog(QWidget* parent, bool save);

    // Controls by their names (also objectName), for the main window's tests and this dialog's own.
    template <class T> T* Control(const QString& name) const { return findChild<T*>(name); }
    QTabBar* TabSet() const { return m_tabs; }
    QStackedWidget* Notebook() const { return m_notebook; }

    void DetermineSettings();
    void SetButtons();
    void LayoutListClick();
    void CalendarChange();
    void TabSet1Click(int index);
    void WeekStartsOnClick();
    void ZoomInButtonClick();
    void ZoomOutbuttonClick();
    void SaveAsStyleSheetButtonClick();
    void LoadStyleSheetButtonClick();
    void DefaultbuttonClick();
    void HelpbuttonClick();
    void OkButtonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    QWidget* buildLayoutPage();
    QWidget* buildDatePage();
    QWidget* buildExample();
    QWidget* buildButtonRow();
    void showZoom();

    // The example page and the updating flag, shared with the tabs.
    TPropertiesState m_state;
    bool m_startingDateMode = false;
    // What the main window said about its document.
    bool m_isNew = false;
    bool m_hasText = false;
    bool m_hasObjects = false;
    TLayoutKind m_originalKind = lkMiniMonths;
    bool m_textLossConfirmed = false;
    bool m_objectsWarningConfirmed = false;
    std::function<QString()> m_chooseStyleSheetToSave;
    std::function<QString()> m_chooseStyleSheetToOpen;
    std::function<void(int topic)> m_showHelp;

    QWidget* m_exampleHolder = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_notebook = nullptr;
    TAppearanceTabs* m_appearance = nullptr;
    TLanguageTab* m_language = nullptr;
    TMarginsTab* m_marginsTab = nullptr;
    TBordersTab* m_borders = nullptr;
    TPlannersTab* m_planners = nullptr;

    QListWidget* m_layoutList = nullptr;
    QButtonGroup* m_orientation = nullptr;
    QGroupBox* m_orientationBox = nullptr;
    QButtonGroup* m_paper = nullptr;
    QLabel* m_selectMonthYearLabel = nullptr;
    TMonthDateChooser* m_calendar = nullptr;
    QLabel* m_dateLabel = nullptr;
    QButtonGroup* m_weekStartsOn = nullptr;
    QGroupBox* m_weekStartsOnBox = nullptr;
    QCheckBox* m_titleShowYear = nullptr;
    QCheckBox* m_miniShowYear = nullptr;
    QCheckBox* m_showWeekNumbers = nullptr;
    QCheckBox* m_showMoonPhases = nullptr;

    // The example page's values when the dialog opened, for the OK checks.
    TPropertiesOpening m_opening;
};
