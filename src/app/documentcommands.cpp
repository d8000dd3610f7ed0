// The main window's document commands: new, open, save, save as, cancel changes, clear all cells,
// the save-changes prompt, the recent-files list and the properties command.
#include "calendarmain.h"

#include "calendarproperties.h"
#include "dialogfolder.h"
#include "mrufilelist.h"
#include "pagehistory.h"
#include "pagesnapshot.h"

#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"

#include "platform/cursors.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/zoom.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString kDocumentFilter = QStringLiteral("Calendar File (*.QXF *.qxf)");

QString UnableToSaveMessage(const QString& name, const std::exception& error)
{
    const auto* fileError = dynamic_cast<const ECalendarFileError*>(&error);
    const QString reason = fileError ? fileError->Detail() : QString::fromLocal8Bit(error.what());
    return QStringLiteral("Unable to save ") + name + QLatin1Char('\n') + reason;
}

} // namespace

void TCalendarMain::setupDocumentCommands()
{
    m_chooseDocumentFile = [this](bool save, const QString& proposed) {
        QFileDialog dialog(this, save ? QStringLiteral("Save Calendar File") : QStringLiteral("Open Calendar File"),
                           DialogFolder(), kDocumentFilter);
        dialog.setDefaultSuffix(QStringLiteral("QXF"));
        if (save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.selectFile(proposed);
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setOption(QFileDialog::ReadOnly);
        }
        const QString chosen = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        RememberDialogChoice(chosen);
        return chosen;
    };
    m_runPropertiesDialog = [this](const TPropertiesRequest& request) {
        return TCalendarProperties::Execute(this, *m_page, request);
    };

    m_mru = new TMRUFileList(this);
    m_mru->Maximum = 5;
    m_mru->RemoveOnClick = true;
    m_mru->AutoSave = false;
    m_mru->AutoSaveName = SettingsFileName();
    m_mru->AutoSaveKey = QStringLiteral("MRU");
    m_mru->OnMRUItemClick = [this](const QString& name) {
        // Unsaved changes are asked about first; stopping keeps the entry where it was.
        if (!CheckSaveNeeded()) {
            m_mru->Add(name);
            return;
        }
        OpenCalendarFile(name);
    };
    m_mru->SetFileMenu(m_fileMenu);
    m_mru->Load();

    auto wire = [this](const char* name, void (TCalendarMain::*handler)()) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    wire("mnuNew", &TCalendarMain::New1Click);
    wire("mnuOpen", &TCalendarMain::Open1Click);
    wire("mnuSave", &TCalendarMain::mnuSaveClick);
    wire("mnuSaveAs", &TCalendarMain::mnuSaveAsClick);
    wire("mnuCancelChanges", &TCalendarMain::mnuCancelChangesClick);
    wire("mnuClearAll", &TCalendarMain::mnuClearAllCellContentsClick);
    wire("mnuProperties", &TCalendarMain::mnuPropertiesClick);
    auto button = [this](const char* name, void (TCalendarMain::*handler)()) {
        connect(static_cast<QAbstractButton*>(Control(QLatin1String(name))), &QAbstractButton::clicked, this, handler);
    };
    button("PropertiesButton", &TCalendarMain::mnuPropertiesClick);
    button("Savebutton", &TCalendarMain::SavebuttonClick);
    button("CancelButton", &TCalendarMain::mnuCancelChangesClick);
}

TMRUFileList* TCalendarMain::RecentFiles() const
{
    return m_mru;
}

bool TCalendarMain::CheckSaveNeeded()
{
    DoSaveRichtext();
    if (!m_modified)
        return true;
    // Enter keeps the work: Yes is the default answer. Esc or closing the prompt keeps it too, and the
    // command that asked stops.
    switch (AskYesNoCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // A cancelled or failed save keeps the changes and stops whatever asked.
    const bool saved = m_currentFileName.isEmpty() ? saveAs() : SaveCalendarFile(m_currentFileName);
    if (!saved)
        return false;
    SetModified(false);
    return true;
}

void TCalendarMain::New1Click()
{
    if (!CheckSaveNeeded())
        return;
    BusyCursor();
    DoSaveRichtext();
    NormalCursor();
    m_newInProgress = true;
    mnuPropertiesClick();
    if (!m_propertiesAccepted)
        return;
    SetModified(true);
    m_currentFileName.clear();
    m_page->ClearAllCells();
    m_page->ClearObjects();
    m_page->show();
    CheckFloaterStatus();
    SetButtons();
    SetCaption();
    // A new calendar is not saved anywhere: no step back leads to a saved state.
    m_history->Reset(false);
}

void TCalendarMain::Open1Click()
{
    DoSaveRichtext();
    if (!CheckSaveNeeded())
        return;
    const QString file = m_chooseDocumentFile(false, QString());
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().toUpper() != QStringLiteral("QXF")) {
        ShowInformation(QStringLiteral("Must be a Calendar file (*.QXF)"));
        return;
    }
    OpenCalendarFile(file);
}

void TCalendarMain::OpenCalendarFile(QString name)
{
    DoSaveRichtext();
    // A file that cannot be read leaves the open document as it was: it is replaced only by one that reads.
    if (!QFileInfo::exists(name)) {
        ShowInformation(QStringLiteral("File ") + name + QStringLiteral(" no longer exists"));
        return;
    }
    m_history->Commit();
    const bool hadPage = !m_page->isHidden();
    const TPageSnapshot before = hadPage ? TakePageSnapshot(*m_page) : TPageSnapshot();
    m_page->SuspendPaint = true;
    m_loading = true;
    TDocumentReadInfo readInfo;
    bool opened = false;
    try {
        BusyCursor();
        m_page->SuspendNotify = true;
        m_page->ClearAllCells();
        m_page->ClearObjects();
        m_page->SetUserTitle(QString());
        readInfo = LoadFromFile(*m_page, name, this);
        m_page->HookAllObjects();
        opened = true;
    } catch (const std::exception&) {
        if (hadPage)
            RestorePageSnapshot(*m_page, TPageSnapshot(), before);
        else
            m_page->ResetToDefaults();
    }
    NormalCursor();
    if (opened) {
        m_currentFileName = name;
        m_mru->Add(name);
        m_mru->Save();
        m_unreadObjects = readInfo.objectsNotRead;
        m_fileWithUnreadObjects = m_unreadObjects > 0 ? name : QString();
    }
    m_loading = false;
    m_page->setVisible(opened || hadPage);
    m_page->update();
    if (opened)
        SetModified(false);
    SetButtons();
    CheckFloaterStatus();
    SetCaption();
    m_page->SuspendPaint = false;
    m_page->update();
    m_page->SuspendNotify = false;
    if (!opened) {
        ShowInformation(UnableToOpenDocumentMessage(name));
        return;
    }
    m_history->Reset(true);
    // Told once, over the opened page, so that nothing is lost unnoticed.
    const QString notice = DocumentReadNotice(name, readInfo);
    if (!notice.isEmpty())
        ShowInformation(notice);
}

bool TCalendarMain::confirmDroppingUnreadObjects(const QString& name)
{
    if (m_fileWithUnreadObjects.isEmpty() || QFileInfo(name) != QFileInfo(m_fileWithUnreadObjects))
        return true;
    const QString objects = m_unreadObjects == 1 ? QStringLiteral("the placed object")
                                                 : QStringLiteral("the %1 placed objects").arg(m_unreadObjects);
    return AskYesNo(QStringLiteral("Saving over %1 will drop %2 that could not be read from it. Save anyway?")
                        .arg(QFileInfo(name).fileName(), objects),
                    QStringLiteral("Save"));
}

bool TCalendarMain::SaveCalendarFile(const QString& name)
{
    if (!confirmDroppingUnreadObjects(name))
        return false;
    // The open cell's text is a step of the history before the page is written.
    DoSaveRichtext();
    bool saved = false;
    QString failure;
    try {
        BusyCursor();
        SaveToFile(*m_page, name);
        NormalCursor();
        m_currentFileName = name;
        SetModified(false);
        saved = true;
        if (QFileInfo(name) == QFileInfo(m_fileWithUnreadObjects))
            m_fileWithUnreadObjects.clear();
    } catch (const std::exception& error) {
        // The document keeps its name and its changes; the user must know why they are not on disk.
        NormalCursor();
        failure = UnableToSaveMessage(name, error);
    }
    if (saved)
        m_history->MarkSaved();
    if (!failure.isEmpty())
        ShowInformation(failure);
    SetButtons();
    SetCaption();
    return saved;
}

void TCalendarMain::mnuSaveClick()
{
    if (!m_currentFileName.isEmpty())
        SaveCalendarFile(m_currentFileName);
}

void TCalendarMain::SavebuttonClick()
{
    if (Action(QStringLiteral("mnuSave"))->isEnabled())
        mnuSaveClick();
    else
        mnuSaveAsClick();
}

void TCalendarMain::mnuSaveAsClick()
{
    saveAs();
}

bool TCalendarMain::saveAs()
{
    const QString proposed = m_currentFileName.isEmpty()
                                 ? m_page->GetMonthName(m_page->MainCalMonth()).left(3) +
                                       QString::number(m_page->MainCalYear()) + QStringLiteral(".QXF")
                                 : QFileInfo(m_currentFileName).fileName();
    const QString chosen = m_chooseDocumentFile(true, proposed);
    bool saved = false;
    // Only a save that worked marks the document saved and enters the recent files.
    if (!chosen.isEmpty() && SaveCalendarFile(chosen)) {
        SetModified(false);
        m_mru->Add(chosen);
        m_mru->Save();
        saved = true;
    }
    SetButtons();
    return saved;
}

void TCalendarMain::mnuCancelChangesClick()
{
    if (!AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    if (!m_currentFileName.isEmpty())
        OpenCalendarFile(m_currentFileName);
    SetModified(false);
}

void TCalendarMain::mnuClearAllCellContentsClick()
{
    DoSaveRichtext();
    m_page->ClearAllCells();
    m_page->update();
    SetModified(true);
}

void TCalendarMain::mnuPropertiesClick()
{
    const int month = m_page->MainCalMonth();
    const int year = m_page->MainCalYear();
    HideIconPaletteIfShown();
    DoSaveRichtext();
    TPropertiesRequest request;
    request.ZoomPercent = m_preferences.PropZoomPercent;
    if (m_newInProgress) {
        request.IsNew = true;
    } else if (m_page->isVisible()) {
        request.OriginalKind = m_page->LayoutKind();
        request.HasText = m_page->HasAnyText();
        request.HasObjects = m_page->HasPlacedObjects();
    }
    TPropertiesOutcome outcome = m_runPropertiesDialog(request);
    m_propertiesAccepted = false;
    m_preferences.PropZoomPercent = outcome.ZoomPercent;
    if (outcome.Accepted && outcome.Chosen) {
        // Font sizes are not part of the settings comparison; a change of them alone still counts.
        const CalendarSettings before = m_page->Settings();
        const bool same = m_page->SameSettingsAs(*outcome.Chosen);
        m_propertiesAccepted = true;
        const TLayoutKind kind = m_page->LayoutKind();
        m_page->CopySettingsFrom(*outcome.Chosen);
        if (!same || !(before == m_page->Settings()))
            SetModified(true);
        if (m_page->LayoutKind() != kind)
            m_page->ClearAllCells();
        if ((m_page->MainCalMonth() != month || m_page->MainCalYear() != year) && m_page->CanHoldText())
            m_page->ClearAllCells();
    }
    m_newInProgress = false;
    m_page->update();
    // A new calendar's page shows only afterwards; New checks the palette then.
    if (!request.IsNew)
        CheckFloaterStatus();
    ShowIconPaletteIfWanted();
    SetButtons();
    SavePreferences();
}
