// The main window's document commands: new, open, save, save as, cancel changes, clear all cells,
// the save-changes prompt, the recent-files list and the properties command.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class TCalendarMain;
class TCalendarPanel32;
class TMRUFileList;
struct TPropertiesOutcome;
struct TPropertiesRequest;

class TDocumentCommands : public QObject
{
    Q_OBJECT
public:
    // Wires the commands of the window's menu and tool strip; the recent files join the File menu.
    TDocumentCommands(TCalendarMain& window, TCalendarPanel32& page, QMenu& fileMenu);

    // The open document's file; empty while the page is new or absent.
    const QString& CurrentFileName() const { return m_currentFileName; }
    // Set while a document opens.
    bool Opening() const { return m_opening; }
    // Whether the last properties command ended with OK.
    bool PropertiesAccepted() const { return m_propertiesAccepted; }
    TMRUFileList* RecentFiles() const { return m_mru; }

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

private:
    bool saveAs();
    // Before a save over the file that was opened with placed objects it could not read: asks whether
    // to drop them. False when the user says No.
    bool confirmDroppingUnreadObjects(const QString& name);

    TCalendarMain& m_window;
    TCalendarPanel32& m_page;
    TMRUFileList* m_mru = nullptr;
    QString m_currentFileName;
    bool m_opening = false;
    bool m_newInProgress = false;
    bool m_propertiesAccepted = false;
    // The file opened last when some of its placed objects could not be read, and how many.
    QString m_fileWithUnreadObjects;
    int m_unreadObjects = 0;
    std::function<QString(bool save, const QString& proposed)> m_chooseDocumentFile;
    std::function<TPropertiesOutcome(const TPropertiesRequest& request)> m_runPropertiesDialog;
};
