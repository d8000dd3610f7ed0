// The main window: the calendar page in a scroll box, the menus, the tool strip with the zoom
// control, and the rules that enable or hide each command.
#pragma once

#include "modifiedflag.h"
#include "preferences.h"

#include "calendardraw/calendartypes.h"
#include "platform/pagerect.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <utility>

class QAction;
class QButtonGroup;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;
class QWheelEvent;
class TAssistantPip;
class TCalendarPanel32;
class TFloatingPalette;
class TMRUFileList;
class TPageHistory;
class TReportPrinter;
enum class TImageFormat;
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
    // The undo history of the page; the Edit menu's Undo and Redo run it.
    TPageHistory* History() const { return m_history; }
    void mnuUndoClick();
    void mnuRedoClick();

    // The open document's file; empty while the page is new or absent.
    const QString& CurrentFileName() const { return m_currentFileName; }
    // Set until the first activation has done its work, and while a document opens.
    bool Loading() const { return m_loading; }
    // Whether the last properties command ended with OK.
    bool PropertiesAccepted() const { return m_propertiesAccepted; }
    // Whether a day cell is open in the editor, and the cell edited last (0 before the first).
    bool EditingCell() const { return m_editingCell; }
    int CurrentCell() const { return m_currentCell; }

    // The preferences in use; SavePreferences writes them to the settings file.
    const TPreferences& Preferences() const { return m_preferences; }
    void SetPreferences(const TPreferences& preferences);
    // Asks the user for the default editor font; true when confirmed. Tests replace the dialog.
    void SetChooseFont(std::function<bool(FontDescription& font)> choose) { m_chooseFont = std::move(choose); }

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
    // The save-changes prompt. False when the user cancelled it, or wanted to save and the save did not
    // happen: the command that asked must stop so that nothing is lost.
    bool CheckSaveNeeded();
    TMRUFileList* RecentFiles() const;
    // A document named on the command line, opened at the first activation instead of the most recent one.
    void SetStartupFile(const QString& name) { m_startupFile = name; }
    // Asks for a document file to open or save (empty when cancelled). Tests replace the dialog.
    void SetChooseDocumentFile(std::function<QString(bool save, const QString& proposed)> choose)
    {
        m_chooseDocumentFile = std::move(choose);
    }
    // Runs the properties dialog over the page. Tests replace the dialog.
    void SetRunPropertiesDialog(std::function<TPropertiesOutcome(const TPropertiesRequest& request)> run)
    {
        m_runPropertiesDialog = std::move(run);
    }

    void DefaultEditorFont1Click();
    // The configuration report window over the current preferences.
    void ConfigurationInformation1Click();
    void mnuFillCalendarwithRecurringDatesClick();
    void mnuEditrecurringDatesClick();
    // Appends the text as a new paragraph to the day's text and reopens the editor where it was.
    void PuttextOnDay(int day, const QString& text);
    // The same for cell 1..42, whichever day it shows, one paragraph per text.
    void PuttextOnCell(int cell, const QStringList& texts);
    // Puts the events of an iCalendar file on the page's days; the menu command asks for the file.
    void mnuImportEventsClick();
    void ImportEventsFile(const QString& fileName);
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

    // The floating icon palette, the quick tips and the user-defined title.
    TFloatingPalette* IconPalette() const { return m_palette; }
    TAssistantPip* QuickTips() const { return m_tips; }
    void ShowHideIconToolClick();
    // Hides the palette where the layout takes no text; shows it again where it does and the user wants it.
    void CheckFloaterStatus();
    // Around the commands that put the palette aside: hidden before, shown again after, when the user wants it.
    void HideIconPaletteIfShown();
    void ShowIconPaletteIfWanted();
    void AssistantbuttonClick();
    void mnuUserTitleClick();

    // Printing and image export.
    bool PrintersPresent() const { return m_printersPresent; }
    TReportPrinter& ReportPrinter1() const { return *m_reportPrinter; }
    void mnuPrintSetupClick();
    void mnuPrintCalendarClick();
    // The page as it will print; its Print button prints as Print Calendar does.
    void mnuPrintPreviewClick();
    // True when printing may go on: every margin inside the printable area, or the user prints anyway.
    bool CheckPrinterMargins();
    void mnuSaveAsBitmapClick();
    void mnuSaveAsJPGClick();
    void mnuSaveAsPNGClick();
    void mnuSaveAsPDFClick();
    // The page at the zoom inside its margins as BMP, JPEG or PNG; empty when this call wrote the file,
    // else why not.
    QString SaveCalendarToBitmap(const QString& name, TImageFormat format, float zoom);
    // Shows the printer dialog for the report; true when confirmed. Tests replace the dialog.
    void SetRunPrintDialog(std::function<bool(TReportPrinter& report)> run) { m_runPrintDialog = std::move(run); }
    // Asks for the file an export writes (empty when cancelled). Tests replace the dialog.
    void SetChooseExportFile(
        std::function<QString(const QString& title, const QString& filter, const QString& proposed)> choose)
    {
        m_chooseExportFile = std::move(choose);
    }

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
    void setupPrintCommands();
    // The print job with the copies planned; sets PrintDone when the job was sent.
    void ReportPrinter1Print();
    // The printer check of the first activation: whether printing is possible, and if not, why.
    void noticePrinterSituation();
    void setPrintCommandsEnabled(bool on);
    void exportPage(const QString& title, const QString& filter, const QString& extension);
    void setTool(TLPanelState state);
    void showAbout();
    bool AppMessage(QKeyEvent* event);
    void setupDayTextEditor();
    void setupDocumentCommands();
    void setupIconTools();
    void setupEditMenu();
    // Every change of the page ends here, through the modified flag.
    void pageChanged();
    void refreshEditMenu();
    // Text typed or a picture dropped in the open day cell editor: the step comes when the cell is left.
    void cellEdited(const QString& what);
    bool saveAs();
    // Before a save over the file that was opened with placed objects it could not read: asks whether
    // to drop them. False when the user says No.
    bool confirmDroppingUnreadObjects(const QString& name);
    // Tab and Shift+Tab move the open editor to the next or previous cell; true when consumed.
    bool CellTabKey(QKeyEvent* event);
    // Esc in the open editor ends editing and keeps the text; true when consumed.
    bool CellEscapeKey(QKeyEvent* event);
    // A press outside the editor and outside every cell of the page ends editing and keeps the text.
    void EndEditingOnClickAway(QWidget* pressed, QMouseEvent* event);
    // Plus and minus (alone where no text is typed, or with Ctrl) and Ctrl with the wheel step the zoom;
    // true when consumed.
    bool ZoomKey(QKeyEvent* event);
    bool ZoomWheel(QWheelEvent* event);
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
    TFloatingPalette* m_palette = nullptr;
    TAssistantPip* m_tips = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    TModifiedFlag m_modified{[this] { pageChanged(); }};
    bool m_activated = false;
    QString m_currentFileName;
    QString m_startupFile;
    bool m_loading = false;
    bool m_newInProgress = false;
    bool m_propertiesAccepted = false;
    bool m_printersPresent = false;
    // Why printing is unavailable (the print commands' tool tip); empty while a printer is at hand.
    QString m_printUnavailable;
    QString m_printButtonTip;
    bool m_editingCell = false;
    // Set once the editor holds the cell's text, so that loading it does not count as a change.
    bool m_editorLoaded = false;
    int m_currentCell = 0;
    // Wheel turns under one notch, kept until they add up to a zoom step.
    static constexpr int kWheelNotch = 120;
    int m_wheelZoom = 0;
    // The storage of the cell being edited; the page owns it.
    TWPRtfStorage* m_currentStorage = nullptr;
    // The cell whose storage is open in the editor.
    int m_currentStorageCell = 0;
    TPageHistory* m_history = nullptr;
    // Whether the open cell's text was edited, and the name of the step leaving the cell makes.
    bool m_cellEdited = false;
    QString m_cellStepCaption;
    TPreferences m_preferences;
    std::function<bool(FontDescription& font)> m_chooseFont;
    std::function<QString(bool save, const QString& proposed)> m_chooseDocumentFile;
    std::function<TPropertiesOutcome(const TPropertiesRequest& request)> m_runPropertiesDialog;
    // The file opened last when some of its placed objects could not be read, and how many.
    QString m_fileWithUnreadObjects;
    int m_unreadObjects = 0;
    std::unique_ptr<TReportPrinter> m_reportPrinter;
    int m_printCopies = 1;
    bool m_printDone = false;
    std::function<bool(TReportPrinter& report)> m_runPrintDialog;
    std::function<QString(const QString& title, const QString& filter, const QString& proposed)> m_chooseExportFile;
};
