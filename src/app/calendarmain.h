// The main window: the calendar page in a scroll box, the menus, the tool strip with the zoom
// control, and the rules that enable or hide each command.
#pragma once

#include "modifiedflag.h"
#include "preferences.h"

#include "calendardraw/calendartypes.h"
#include "platform/pagerect.h"

#include <QMainWindow>

#include <functional>
#include <utility>

class QAction;
class QButtonGroup;
class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;
class TAssistantPip;
class TCalendarPanel32;
class TDocumentCommands;
class TFloatingPalette;
class TPageHistory;
class TPageZoom;
class TPrintCommands;
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
    const QString& CurrentFileName() const;
    // Set until the first activation has done its work, and while a document opens.
    bool Loading() const;
    // Whether a day cell is open in the editor, and the cell edited last (0 before the first).
    bool EditingCell() const { return m_editingCell; }
    int CurrentCell() const { return m_currentCell; }

    // The preferences in use; SavePreferences writes them to the settings file.
    const TPreferences& Preferences() const { return m_preferences; }
    void SetPreferences(const TPreferences& preferences);
    // Asks the user for the default editor font; true when confirmed. Tests replace the dialog.
    void SetChooseFont(std::function<bool(FontDescription& font)> choose) { m_chooseFont = std::move(choose); }

    // The document commands.
    TDocumentCommands& Documents() const { return *m_documents; }
    // A document named on the command line, opened at the first activation instead of the most recent one.
    void SetStartupFile(const QString& name) { m_startupFile = name; }

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

    // The page's zoom: its control, caption, keys and wheel.
    TPageZoom& Zoom() const { return *m_zoom; }
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
    TPrintCommands& PrintCommands() const { return *m_print; }

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
    void setTool(TLPanelState state);
    void showAbout();
    bool AppMessage(QKeyEvent* event);
    void setupDayTextEditor();
    void setupIconTools();
    void setupEditMenu();
    // Every change of the page ends here, through the modified flag.
    void pageChanged();
    void refreshEditMenu();
    // Text typed or a picture dropped in the open day cell editor: the step comes when the cell is left.
    void cellEdited(const QString& what);
    // Tab and Shift+Tab move the open editor to the next or previous cell; true when consumed.
    bool CellTabKey(QKeyEvent* event);
    // Esc in the open editor ends editing and keeps the text; true when consumed.
    bool CellEscapeKey(QKeyEvent* event);
    // A press outside the editor and outside every cell of the page ends editing and keeps the text.
    void EndEditingOnClickAway(QWidget* pressed, QMouseEvent* event);
    bool CalendarPanelDragOver(QDragMoveEvent* event);
    void CalendarPanelDragDrop(QDropEvent* event);

    TCalendarPanel32* m_page = nullptr;
    QWidget* m_pageHolder = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    TPageZoom* m_zoom = nullptr;
    QButtonGroup* m_tools = nullptr;
    TWPRichText* m_editor = nullptr;
    TWPToolBar* m_editorToolBar = nullptr;
    TFloatingPalette* m_palette = nullptr;
    TAssistantPip* m_tips = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    TModifiedFlag m_modified{[this] { pageChanged(); }};
    bool m_activated = false;
    QString m_startupFile;
    // Set until the first activation has done its work.
    bool m_starting = false;
    bool m_editingCell = false;
    // Set once the editor holds the cell's text, so that loading it does not count as a change.
    bool m_editorLoaded = false;
    int m_currentCell = 0;
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
    TDocumentCommands* m_documents = nullptr;
    TPrintCommands* m_print = nullptr;
};
