// The main window's document commands: new, open, save, save as, cancel changes, clear all cells,
// the save-changes prompt, the recent-files list and the properties command.
#include "documentcommands.h"

#include "calendarmain.h"
#include "calendarproperties.h"
#include "dialogfolder.h"
#include "document/pagehistory.h"
#include "document/pagesnapshot.h"
#include "mrufilelist.h"

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
#include <QMenu>

namespace {

const QString kDocumentFilter = QStringLiteral("Calendar File (*.QXF *.qxf)");

QString UnableToSaveMessage(const QString& name, const std::exception& error)
{
    const auto* fileError = dynamic_cast<const ECalendarFileError*>(&error);
    const QString reason = fileError ? fileError->Detail() : QString::fromLocal8Bit(error.what());
    return QStringLiteral("Unable to save ") + name + QLatin1Char('\n') + reason;
}

} // namespace

TDocumentCommands::TDocumentCommands(TCalendarMain& window, TCalendarPanel32& page, QMenu& fileMenu)
    : QObject(&window), m_window(window), m_page(page)
{
    m_chooseDocumentFile = [this](bool save, const QString& proposed) {
        QFileDialog dialog(&m_window,
                           save ? QStringLiteral("Save Calendar File") : QStringLiteral("Open Calendar File"),
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
        return TCalendarProperties::Execute(&m_window, m_page, request);
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
    m_mru->SetFileMenu(&fileMenu);
    m_mru->Load();

    auto wire = [this](const char* name, void (TDocumentCommands::*handler)()) {
        connect(m_window.Action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    wire("mnuNew", &TDocumentCommands::New1Click);
    wire("mnuOpen", &TDocumentCommands::Open1Click);
    wire("mnuSave", &TDocumentCommands::mnuSaveClick);
    wire("mnuSaveAs", &TDocumentCommands::mnuSaveAsClick);
    wire("mnuCancelChanges", &TDocumentCommands::mnuCancelChangesClick);
    wire("mnuClearAll", &TDocumentCommands::mnuClearAllCellContentsClick);
    wire("mnuProperties", &TDocumentCommands::mnuPropertiesClick);
    auto button = [this](const char* name, void (TDocumentCommands::*handler)()) {
        connect(static_cast<QAbstractButton*>(m_window.Control(QLatin1String(name))), &QAbstractButton::clicked, this,
                handler);
    };
    button("PropertiesButton", &TDocumentCommands::mnuPropertiesClick);
    button("Savebutton", &TDocumentCommands::SavebuttonClick);
    button("CancelButton", &TDocumentCommands::mnuCancelChangesClick);
}

bool TDocumentCommands::CheckSaveNeeded()
{
    m_window.DoSaveRichtext();
    if (!m_window.Modified())
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
    m_window.SetModified(false);
    return true;
}

void TDocumentCommands::New1Click()
{
    if (!CheckSaveNeeded())
        return;
    BusyCursor();
    m_window.DoSaveRichtext();
    NormalCursor();
    m_newInProgress = true;
    mnuPropertiesClick();
    if (!m_propertiesAccepted)
        return;
    m_window.SetModified(true);
    m_currentFileName.clear();
    m_page.ClearAllCells();
    m_page.ClearObjects();
    m_page.show();
    m_window.CheckFloaterStatus();
    m_window.SetButtons();
    m_window.SetCaption();
    // A new calendar is not saved anywhere: no step back leads to a saved state.
    m_window.History()->Reset(false);
}

void TDocumentCommands::Open1Click()
{
    m_window.DoSaveRichtext();
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

void TDocumentCommands::OpenCalendarFile(QString name)
{
    m_window.DoSaveRichtext();
    // A file that cannot be read leaves the open document as it was: it is replaced only by one that reads.
    if (!QFileInfo::exists(name)) {
        ShowInformation(QStringLiteral("File ") + name + QStringLiteral(" no longer exists"));
        return;
    }
    m_window.History()->Commit();
    const bool hadPage = !m_page.isHidden();
    const TPageSnapshot before = hadPage ? TakePageSnapshot(m_page) : TPageSnapshot();
    TDocumentReadInfo readInfo;
    bool opened = false;
    {
        const TQBasePanel::TSuspension still = m_page.SuspendPainting();
        const TQBasePanel::TSuspension quiet = m_page.SuspendNotifications();
        m_opening = true;
        try {
            BusyCursor();
            m_page.ClearAllCells();
            m_page.ClearObjects();
            m_page.SetUserTitle(QString());
            readInfo = LoadFromFile(m_page, name, &m_window);
            m_page.HookAllObjects();
            opened = true;
        } catch (const std::exception&) {
            if (hadPage)
                RestorePageSnapshot(m_page, TPageSnapshot(), before);
            else
                m_page.ResetToDefaults();
        }
        NormalCursor();
        if (opened) {
            m_currentFileName = name;
            m_mru->Add(name);
            m_mru->Save();
            m_unreadObjects = readInfo.objectsNotRead;
            m_fileWithUnreadObjects = m_unreadObjects > 0 ? name : QString();
        }
        m_opening = false;
        m_page.setVisible(opened || hadPage);
        m_page.update();
        if (opened)
            m_window.SetModified(false);
        m_window.SetButtons();
        m_window.CheckFloaterStatus();
        m_window.SetCaption();
    }
    m_page.update();
    if (!opened) {
        ShowInformation(UnableToOpenDocumentMessage(name));
        return;
    }
    m_window.History()->Reset(true);
    // Told once, over the opened page, so that nothing is lost unnoticed.
    const QString notice = DocumentReadNotice(name, readInfo);
    if (!notice.isEmpty())
        ShowInformation(notice);
}

bool TDocumentCommands::confirmDroppingUnreadObjects(const QString& name)
{
    if (m_fileWithUnreadObjects.isEmpty() || QFileInfo(name) != QFileInfo(m_fileWithUnreadObjects))
        return true;
    const QString objects = m_unreadObjects == 1 ? QStringLiteral("the placed object")
                                                 : QStringLiteral("the %1 placed objects").arg(m_unreadObjects);
    return AskYesNo(QStringLiteral("Saving over %1 will drop %2 that could not be read from it. Save anyway?")
                        .arg(QFileInfo(name).fileName(), objects),
                    QStringLiteral("Save"));
}

bool TDocumentCommands::SaveCalendarFile(const QString& name)
{
    if (!confirmDroppingUnreadObjects(name))
        return false;
    // The open cell's text is a step of the history before the page is written.
    m_window.DoSaveRichtext();
    bool saved = false;
    QString failure;
    try {
        BusyCursor();
        SaveToFile(m_page, name);
        NormalCursor();
        m_currentFileName = name;
        m_window.SetModified(false);
        saved = true;
        if (QFileInfo(name) == QFileInfo(m_fileWithUnreadObjects))
            m_fileWithUnreadObjects.clear();
    } catch (const std::exception& error) {
        // The document keeps its name and its changes; the user must know why they are not on disk.
        NormalCursor();
        failure = UnableToSaveMessage(name, error);
    }
    if (saved)
        m_window.History()->MarkSaved();
    if (!failure.isEmpty())
        ShowInformation(failure);
    m_window.SetButtons();
    m_window.SetCaption();
    return saved;
}

void TDocumentCommands::mnuSaveClick()
{
    if (!m_currentFileName.isEmpty())
        SaveCalendarFile(m_currentFileName);
}

void TDocumentCommands::SavebuttonClick()
{
    if (m_window.Action(QStringLiteral("mnuSave"))->isEnabled())
        mnuSaveClick();
    else
        mnuSaveAsClick();
}

void TDocumentCommands::mnuSaveAsClick()
{
    saveAs();
}

bool TDocumentCommands::saveAs()
{
    const QString proposed = m_currentFileName.isEmpty()
                                 ? m_page.GetMonthName(m_page.MainCalMonth()).left(3) +
                                       QString::number(m_page.MainCalYear()) + QStringLiteral(".QXF")
                                 : QFileInfo(m_currentFileName).fileName();
    const QString chosen = m_chooseDocumentFile(true, proposed);
    bool saved = false;
    // Only a save that worked marks the document saved and enters the recent files.
    if (!chosen.isEmpty() && SaveCalendarFile(chosen)) {
        m_window.SetModified(false);
        m_mru->Add(chosen);
        m_mru->Save();
        saved = true;
    }
    m_window.SetButtons();
    return saved;
}

void TDocumentCommands::mnuCancelChangesClick()
{
    if (!AskYesNo(QStringLiteral("Cancel all changes?"), QStringLiteral("CANCEL")))
        return;
    if (!m_currentFileName.isEmpty())
        OpenCalendarFile(m_currentFileName);
    m_window.SetModified(false);
}

void TDocumentCommands::mnuClearAllCellContentsClick()
{
    m_window.DoSaveRichtext();
    m_page.ClearAllCells();
    m_page.update();
    m_window.SetModified(true);
}

void TDocumentCommands::mnuPropertiesClick()
{
    const int month = m_page.MainCalMonth();
    const int year = m_page.MainCalYear();
    m_window.HideIconPaletteIfShown();
    m_window.DoSaveRichtext();
    TPropertiesRequest request;
    request.ZoomPercent = m_window.Preferences().PropZoomPercent;
    if (m_newInProgress) {
        request.IsNew = true;
    } else if (m_page.isVisible()) {
        request.OriginalKind = m_page.LayoutKind();
        request.HasText = m_page.HasAnyText();
        request.HasObjects = m_page.HasPlacedObjects();
    }
    TPropertiesOutcome outcome = m_runPropertiesDialog(request);
    m_propertiesAccepted = false;
    TPreferences preferences = m_window.Preferences();
    preferences.PropZoomPercent = outcome.ZoomPercent;
    m_window.SetPreferences(preferences);
    if (outcome.Accepted && outcome.Chosen) {
        // Font sizes are not part of the settings comparison; a change of them alone still counts.
        const CalendarSettings before = m_page.Settings();
        const bool same = m_page.SameSettingsAs(*outcome.Chosen);
        m_propertiesAccepted = true;
        const TLayoutKind kind = m_page.LayoutKind();
        m_page.CopySettingsFrom(*outcome.Chosen);
        if (!same || !(before == m_page.Settings()))
            m_window.SetModified(true);
        if (m_page.LayoutKind() != kind)
            m_page.ClearAllCells();
        if ((m_page.MainCalMonth() != month || m_page.MainCalYear() != year) && m_page.CanHoldText())
            m_page.ClearAllCells();
    }
    m_newInProgress = false;
    m_page.update();
    // A new calendar's page shows only afterwards; New checks the palette then.
    if (!request.IsNew)
        m_window.CheckFloaterStatus();
    m_window.ShowIconPaletteIfWanted();
    m_window.SetButtons();
    m_window.SavePreferences();
}
