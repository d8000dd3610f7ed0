// The main window: the calendar page in a scroll box, the menus, the tool strip with the zoom
// control, and the rules that enable or hide each command.
#pragma once

#include "preferences.h"

#include "calendardraw/calendartypes.h"
#include "platform/pagerect.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QButtonGroup;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;
class TCalendarPanel32;
class TMRUFileList;
struct TPropertiesOutcome;
struct TPropertiesRequest;
class TSpinButton;
class TWPRichText;
class TWPRtfStorage;
class TWPToolBar;

class TCalendarMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TCalendarMain(QWidget* parent = nullptr);
    ~TCalendarMain() override;

    TCalendarPanel32* CalendarPanel() const { return m_page; }

    bool Modified() const { return m_modified; }
    void SetModified(bool value);
    void SetButtons();
    void SetCaption();

    QString CurrentFileName;
    bool Loading = false;
    bool NewInProgress = false;
    bool PropertiesAccepted = false;
    bool PrintersPresent = false;
    bool EditingCell = false;
    bool EditorLoaded = false;
    int CurrentCell = 0;
    // The storage of the cell being edited; the page owns it.
    TWPRtfStorage* CurrentStorage = nullptr;
    int MainZoomPercent = 60;
    int PropZoomPercent = 30;
    bool IconToolVisible = true;
    bool ShowHints = true;
    bool ZoomBusy = false;

    // Preferences as last loaded or chosen (default editor font, icon file).
    TPreferences Preferences;
    // Asks the user for the default editor font; true when confirmed. Tests replace the dialog.
    std::function<bool(FontDescription& font)> ChooseFont;

    // The document commands.
    void New1Click();
    void Open1Click();
    void mnuSaveClick();
    void SavebuttonClick();
    void mnuSaveAsClick();
    void mnuCancelChangesClick();
    void mnuClearAllCellContentsClick();
    void mnuPropertiesClick();
    // Takes the name by value: callers pass CurrentFileName, which opening clears.
    void OpenCalendarFile(QString name);
    // True when the document was written; a failure keeps the name and the changes.
    bool SaveCalendarFile(const QString& name);
    // The save-changes prompt. False when the user wanted to save and the save did not happen: the
    // command that asked must stop so that nothing is lost.
    bool CheckSaveNeeded();
    TMRUFileList* RecentFiles() const;
    // A document named on the command line, opened at the first activation instead of the most recent one.
    QString StartupFile;
    // Asks for a document file to open or save (empty when cancelled). Tests replace the dialog.
    std::function<QString(bool save, const QString& proposed)> ChooseDocumentFile;
    // Runs the properties dialog over the page. Tests replace the dialog.
    std::function<TPropertiesOutcome(const TPropertiesRequest& request)> RunPropertiesDialog;

    void DefaultEditorFont1Click();
    // The configuration report window over the current preferences.
    void ConfigurationInformation1Click();
    void mnuFillCalendarwithRecurringDatesClick();
    void mnuEditrecurringDatesClick();
    // Appends the text as a new paragraph to the day's text and reopens the editor where it was.
    void PuttextOnDay(int day, const QString& text);
    void mnuShowHintClick();
    void LoadPreferences();
    void SavePreferences();

    void ZoomSpinnerUpClick();
    void ZoomSpinnerDownClick();
    // In-place editing of day texts.
    void CalendarPanelClickedInCellEvent(TRect rTotal, TRect rFree, int iCell, int iDay);
    // Ends in-place editing of a day cell and stores its text.
    void DoSaveRichtext();
    void WPRichText1Enter();
    void WPRichText1Change();
    TWPRichText* DayTextEditor() const { return m_editor; }
    TWPToolBar* DayTextToolBar() const { return m_editorToolBar; }

    // Commands and controls by their names, for the tests and the later commands that wire into them.
    QAction* Action(const QString& name) const;
    QWidget* Control(const QString& name) const;
    QLabel* ZoomCaption() const { return m_zoomCaption; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    void buildMenus();
    void buildToolStrip();
    void markPendingCommands();
    void setTool(TLPanelState state);
    void mnuAboutClick();
    bool AppMessage(QKeyEvent* event);
    void setupDayTextEditor();
    void setupDocumentCommands();
    bool saveAs();
    // Before a save over the file that was opened with placed objects it could not read: asks whether
    // to drop them. False when the user says No.
    bool confirmDroppingUnreadObjects(const QString& name);
    // Tab and Shift+Tab move the open editor to the next or previous cell; true when consumed.
    bool CellTabKey(QKeyEvent* event);
    bool CalendarPanelDragOver(QDragMoveEvent* event);
    void CalendarPanelDragDrop(QDropEvent* event);

    TCalendarPanel32* m_page = nullptr;
    QWidget* m_pageHolder = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QLabel* m_zoomCaption = nullptr;
    TSpinButton* m_zoomSpinner = nullptr;
    QButtonGroup* m_tools = nullptr;
    TWPRichText* m_editor = nullptr;
    TWPToolBar* m_editorToolBar = nullptr;
    TMRUFileList* m_mru = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    bool m_modified = false;
    bool m_activated = false;
    // The file opened last when some of its placed objects could not be read, and how many.
    QString m_fileWithUnreadObjects;
    int m_unreadObjects = 0;
};
