#include "calendarmain.h"

#include "aboutbox.h"
#include "configreport.h"
#include "configurationinfo.h"
#include "dialogfolder.h"
#include "document/pagehistory.h"
#include "documentcommands.h"
#include "floatingpalette.h"
#include "joindocumentsdialog.h"
#include "makeyeardialog.h"
#include "mrufilelist.h"
#include "pagezoom.h"
#include "printcommands.h"
#include "windowplacement.h"

#include "document/calendardocument.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "editor/image/imagemenu.h"
#include "editor/label/labelmenu.h"
#include "editor/richlabel/richlabelmenu.h"
#include "editor/supertext/supertextmenu.h"
#include "recurring/recurringfile.h"
#include "richtext/droppedimages.h"
#include "richtext/wprichtext.h"
#include "richtext/wptoolbar.h"
#include "widgets/iconlistbox.h"

#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/zoom.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Hints are written with "\r" as their line break.
QString hint(const char* text)
{
    return QString::fromLatin1(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// The width the tool strip needs when every button shows, Save and Cancel included.
int widthWithEveryButton(const QWidget* strip)
{
    const QLayout* row = strip->layout();
    int width = row->sizeHint().width();
    for (const char* name : {"Savebutton", "CancelButton"})
        width += strip->findChild<QWidget*>(QLatin1String(name))->sizeHint().width() + row->spacing();
    return width;
}

} // namespace

TCalendarMain::TCalendarMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Almarin"));
    SetMainForm(this);

    // The page comes first: the tool strip's zoom control works on it.
    m_pageHolder = new QWidget;
    m_pageHolder->setBackgroundRole(QPalette::Button);
    m_pageHolder->setAutoFillBackground(true);
    m_page = new TCalendarPanel32(m_pageHolder);
    m_page->setObjectName(QStringLiteral("CalendarPanel"));
    m_page->SetOwnsScratchFiles(true);
    m_page->installEventFilter(this);
    m_page->SetToolKind(
        psImage, [](QWidget* owner) { return new TQImage(owner); }, &TImageMenu::AskForPicture);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    m_editorToolBar = new TWPToolBar(central);
    m_editorToolBar->setObjectName(QStringLiteral("WPToolBar1"));
    m_editorToolBar->setFixedHeight(26);
    column->addWidget(m_editorToolBar);
    buildToolStrip();
    column->addWidget(Control(QStringLiteral("Panel3")));
    // Wide enough from the start for the whole strip; it never widens the window later.
    resize(std::max(900, widthWithEveryButton(Control(QStringLiteral("Panel3")))), 680);

    m_scrollBox = new QScrollArea(central);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox2"));
    m_scrollBox->setBackgroundRole(QPalette::Button);
    m_scrollBox->setWidget(m_pageHolder);
    column->addWidget(m_scrollBox, 1);

    buildMenus();
    m_documents = new TDocumentCommands(*this, *m_page, *m_fileMenu);
    m_print = new TPrintCommands(*this, *m_page);
    setupDayTextEditor();
    setupIconTools();
    setupEditMenu();

    m_chooseFont = [this](FontDescription& font) {
        return ExecFontAndColorDialogs(this, QStringLiteral("Default Editor Font"), font);
    };

    connect(m_page, &TQBasePanel::DroppedObjectEvent, this, [this](TRect, bool placed) {
        if (placed) {
            // Named after the tool, which is still down.
            QAbstractButton* tool = m_tools->checkedButton();
            m_history->NameNext(QStringLiteral("Place ") +
                                (m_tools->id(tool) == psPointing ? QStringLiteral("Object") : tool->text()));
            SetModified(true);
        }
        m_tools->button(psPointing)->setChecked(true);
    });
    connect(m_page, &TQBasePanel::LabelChangedEvent, this, [this] { SetModified(true); });
    // A new rich text label opens its editor at once.
    m_page->SetToolKind(
        psRichLabel, [](QWidget* owner) { return new TQPRichBaseLabel(owner); },
        [](TQGraphicControl* label) { TRichLabelMenu::PlacedByTool(*static_cast<TQPRichBaseLabel*>(label)); });
    m_page->SetToolKind(
        psSuperText, [](QWidget* owner) { return new TQSuperText(owner); },
        [](TQGraphicControl* object) { TSuperTextMenu::CreatedByTool(*static_cast<TQSuperText*>(object)); });
    m_page->SetToolKind(psFlatCalendar, [](QWidget* owner) { return new TQFlatCalendar(owner); });
    m_page->SetToolKind(
        psLabel, [](QWidget* owner) { return new TQPLabel(owner); },
        [](TQGraphicControl* label) { TLabelMenu::StartFromTool(*static_cast<TQPLabel*>(label)); });

    // The page as the resource gives it, before the first reset.
    m_page->SetCalendarLayout(loFCMinisInTitleLS);
    m_page->SetHeadersStyle(dsWhole);
    m_page->SetMiniHeadersBGColor(clBlack);
    m_page->SetMiniTitleFont({QStringLiteral("Times New Roman"), 10, fsBold, clBlack});
    m_page->SetMiniHeadersFont({QStringLiteral("Times New Roman"), 8, 0, clWhite});
    m_page->SetMiniCellFont({QStringLiteral("Times New Roman"), 8, 0, clBlack});
    m_page->SetMainCalMonth(12);
    m_page->SetMainCalYear(1997);

    FormCreate();
}

TCalendarMain::~TCalendarMain()
{
    qApp->removeEventFilter(this);
    if (MainForm() == this)
        SetMainForm(nullptr);
}

void TCalendarMain::buildToolStrip()
{
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Panel3"));
    strip->setFixedHeight(36);
    // The strip never sets the window's minimum width, so showing Save and Cancel cannot resize it.
    strip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    strip->setMouseTracking(true);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    m_zoom = new TPageZoom(*this, *m_page, *strip, *row);

    auto addButton = [&](const char* name, const QString& caption, const char* tip) {
        auto* b = new QPushButton(caption, strip);
        b->setObjectName(QLatin1String(name));
        if (tip)
            b->setToolTip(hint(tip));
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    addButton("PropertiesButton", QStringLiteral("Properties"), "Set/change Properties for the calendar");
    addButton("Printbutton", QStringLiteral("Print"), "Print the calendar");
    QPushButton* iconTool = addButton("ShowHideIconTool", QStringLiteral("Show Icon Tool"), nullptr);
    iconTool->setFixedWidth(96);

    m_tools = new QButtonGroup(this);
    m_tools->setExclusive(true);
    struct Tool
    {
        const char* name;
        const char* caption;
        const char* tip;
        TLPanelState state;
    };
    const Tool tools[] = {
        {"Pointerbutton", "Select", "Selection tool", psPointing},
        {"DrawLabelButton", "Label", "Label tool", psLabel},
        {"DrawImageButton", "Clip Art", "Clip Art Tool", psImage},
        {"DrawRichText", "Rich Text", "Rich Text tool \rMixed fonts, colors and styles", psRichLabel},
        {"DrawSuperText", "SuperText", "SuperText tool \rSpecial Effects Text - fill with gradients or bitmaps",
         psSuperText},
        {"PSpeedButton1", "Calendar", "Floating Calendar tool \rMini Calendar that you can place anywhere",
         psFlatCalendar},
    };
    row->addSpacing(8);
    for (const Tool& t : tools) {
        auto* b = new QToolButton(strip);
        b->setObjectName(QLatin1String(t.name));
        b->setText(QLatin1String(t.caption));
        b->setToolTip(hint(t.tip));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        m_tools->addButton(b, t.state);
        row->addWidget(b);
    }
    m_tools->button(psPointing)->setChecked(true);
    connect(m_tools, &QButtonGroup::idClicked, this, [this](int id) { setTool(static_cast<TLPanelState>(id)); });

    row->addSpacing(8);
    addButton("Assistantbutton", QStringLiteral("Tips"), "Show Quick Tips");
    QPushButton* save = addButton("Savebutton", QStringLiteral("&Save"), "Save changes to the calendar");
    save->setStyleSheet(QStringLiteral("font-weight: bold; color: green"));
    save->hide();
    QPushButton* cancel = addButton("CancelButton", QStringLiteral("&Cancel"), "Cancel all changes");
    cancel->setStyleSheet(QStringLiteral("font-weight: bold; color: red"));
    cancel->hide();
    row->addStretch(1);
}

void TCalendarMain::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    auto add = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    add(m_fileMenu, "mnuNew", QStringLiteral("&New "));
    add(m_fileMenu, "mnuOpen", QStringLiteral("&Open"));
    m_fileMenu->addSeparator();
    add(m_fileMenu, "mnuSave", QStringLiteral("&Save "))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    add(m_fileMenu, "mnuSaveAs", QStringLiteral("Save &As..."));
    add(m_fileMenu, "mnuSaveAsBitmap", QStringLiteral("Save As Bitmap File"));
    add(m_fileMenu, "mnuSaveAsJPG", QStringLiteral("Save As JPG File"));
    add(m_fileMenu, "mnuSaveAsPNG", QStringLiteral("Save As PNG File"));
    add(m_fileMenu, "mnuSaveAsPDF", QStringLiteral("Save As PDF File"));
    connect(add(m_fileMenu, "mnuMakeYear", QStringLiteral("Make Year...")), &QAction::triggered, this, [this] {
        DoSaveRichtext();
        MakeYear(this, DocumentBytes(*m_page), CurrentFileName(), m_preferences.DefaultFont,
                 m_print->PrintersPresent());
    });
    connect(add(m_fileMenu, "mnuJoinDocuments", QStringLiteral("Join Documents into PDF...")), &QAction::triggered,
            this, [this] { JoinDocuments(this); });
    m_fileMenu->addSeparator();
    add(m_fileMenu, "mnuProperties", QStringLiteral("&Properties"));
    add(m_fileMenu, "mnuUserTitle", QStringLiteral("User Defined Title"));
    add(m_fileMenu, "mnuCancelChanges", QStringLiteral("&Cancel Changes"));
    add(m_fileMenu, "mnuClearAll", QStringLiteral("Clear &All Cell Contents"));
    connect(add(m_fileMenu, "DefaultEditorFont1", QStringLiteral("&Default Editor Font")), &QAction::triggered, this,
            &TCalendarMain::DefaultEditorFont1Click);
    m_fileMenu->addSeparator();
    connect(add(m_fileMenu, "mnuFillCalendarwithRecurringDates", QStringLiteral("Fill Calendar with Recurring Dates")),
            &QAction::triggered, this, &TCalendarMain::mnuFillCalendarwithRecurringDatesClick);
    connect(add(m_fileMenu, "mnuImportEvents", QStringLiteral("Import Events (iCalendar)...")), &QAction::triggered,
            this, &TCalendarMain::mnuImportEventsClick);
    connect(add(m_fileMenu, "mnuEditrecurringDates", QStringLiteral("Edit Recurring Dates")), &QAction::triggered, this,
            &TCalendarMain::mnuEditrecurringDatesClick);
    m_fileMenu->addSeparator();
    add(m_fileMenu, "mnuPrintPreview", QStringLiteral("Print Preview"));
    add(m_fileMenu, "mnuPrint", QStringLiteral("P&rint Calendar"));
    add(m_fileMenu, "mnuPrintSetup", QStringLiteral("Print Set&up"));
    // The print entries' tool tips say why they are disabled; no other entry of the menu has one.
    m_fileMenu->setToolTipsVisible(true);
    m_fileMenu->addSeparator();
    connect(add(m_fileMenu, "mnuExit", QStringLiteral("E&xit")), &QAction::triggered, this, &QWidget::close);

    connect(add(m_helpMenu, "mnuContents", QStringLiteral("&Contents")), &QAction::triggered, this,
            [] { ShowHelpContents(); });
    connect(add(m_helpMenu, "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            &TCalendarMain::showAbout);
    m_helpMenu->addSeparator();
    connect(add(m_helpMenu, "mnuConfigInfo", QStringLiteral("Configuration Information")), &QAction::triggered, this,
            &TCalendarMain::ConfigurationInformation1Click);
    connect(add(m_helpMenu, "mnuTechSupport", QStringLiteral("Technical Support")), &QAction::triggered, this,
            [] { ShowHelpTopic(1015); });
    connect(add(m_helpMenu, "mnuFAQ", QStringLiteral("Frequently Asked Questions")), &QAction::triggered, this,
            [] { ShowHelpTopic(911); });
    m_helpMenu->addSeparator();
    QAction* hints = add(m_helpMenu, "mnuShowHint", QStringLiteral("&Show Hints"));
    hints->setCheckable(true);
    hints->setChecked(true);
    connect(hints, &QAction::triggered, this, &TCalendarMain::mnuShowHintClick);
}

const QString& TCalendarMain::CurrentFileName() const
{
    return m_documents->CurrentFileName();
}

bool TCalendarMain::Loading() const
{
    return m_starting || m_documents->Opening();
}

QAction* TCalendarMain::Action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QWidget* TCalendarMain::Control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

void TCalendarMain::setTool(TLPanelState state)
{
    m_page->SetPanelState(state);
}

void TCalendarMain::FormCreate()
{
    BusyCursor();
    m_editorLoaded = false;
    m_page->hide();
    m_page->move(5, 5);
    m_starting = true;
    m_currentCell = 0;
    LoadPreferences();
    SetModified(false);
    m_page->SetScale(ZoomFromPercent(m_preferences.MainZoomPercent));
    m_page->SetCalendarLayout(LOFullCalendarLS);
    SetHintsEnabled(m_preferences.ShowHints);
    qApp->installEventFilter(this);
    QString error;
    if (!ConvertOldRecurringDates(&error))
        ShowInformation(error);
}

void TCalendarMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, &TCalendarMain::FormActivate);
    }
}

void TCalendarMain::FormActivate()
{
    if (!m_starting)
        return;
    BusyCursor();
    m_palette->IconFile = m_preferences.IconFile;
    m_palette->UpdateIconMenu(m_preferences.IconFile);
    RestorePlacement(this);
    if (!HasStoredPlacement(m_palette)) {
        const QScreen* shownOn = screen();
        // The palette is not on the screen yet: its frame is taken to be as thick as this window's.
        const QSize frame = frameGeometry().size() - size();
        m_palette->move(PalettePosition(frameGeometry(), m_scrollBox->mapToGlobal(QPoint(0, 0)).y(),
                                        m_palette->size() + frame,
                                        shownOn ? shownOn->availableGeometry() : QRect(0, 0, 1024, 768)));
    }
    m_page->ResetToDefaults();
    const QStringList recent = m_documents->RecentFiles()->Items();
    if (!m_startupFile.isEmpty())
        m_documents->OpenCalendarFile(m_startupFile);
    else if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
        m_documents->OpenCalendarFile(recent.first());
    m_page->setVisible(!CurrentFileName().isEmpty());
    SetModified(false);
    m_starting = false;
    SetButtons();
    SetCaption();
    NormalCursor();
    CheckFloaterStatus();
    ShowIconPaletteIfWanted();
    SetButtons();
    m_page->update();
}

void TCalendarMain::closeEvent(QCloseEvent* event)
{
    // Closing waits when the user cancels the prompt, or wanted to save and the save did not happen.
    if (!m_documents->CheckSaveNeeded()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TCalendarMain::FormClose()
{
    m_preferences.MainZoomPercent = PercentFromZoom(m_page->Scale());
    SavePreferences();
    SavePlacement(this);
    m_palette->hide();
}

void TCalendarMain::LoadPreferences()
{
    SetPreferences(::LoadPreferences());
}

void TCalendarMain::SetPreferences(const TPreferences& preferences)
{
    m_preferences = preferences;
    Action(QStringLiteral("mnuShowHint"))->setChecked(m_preferences.ShowHints);
}

void TCalendarMain::SavePreferences()
{
    m_preferences.IconFile = m_palette->IconListBox()->FileName();
    m_preferences.IconToolVisible = m_palette->isVisible();
    m_preferences.ShowHints = Action(QStringLiteral("mnuShowHint"))->isChecked();
    ::SavePreferences(m_preferences);
}

void TCalendarMain::mnuShowHintClick()
{
    SavePreferences();
    SetHintsEnabled(m_preferences.ShowHints);
}

void TCalendarMain::DefaultEditorFont1Click()
{
    LoadPreferences();
    FontDescription font = m_preferences.DefaultFont;
    if (m_chooseFont(font)) {
        m_preferences.DefaultFont = font;
        SavePreferences();
    }
    m_editor->SetDefaultFontNow(m_preferences.DefaultFont);
}

void TCalendarMain::SetModified(bool value)
{
    const bool changed = value != m_modified;
    // Raised again, the flag reports one more change of the page to its history.
    m_modified = value;
    if (changed)
        SetButtons();
}

void TCalendarMain::SetButtons()
{
    const bool pageVisible = !m_page->isHidden();
    const bool named = !CurrentFileName().isEmpty();
    auto enable = [this](const char* name, bool on) {
        QObject* command = Action(QLatin1String(name));
        if (!command)
            command = Control(QLatin1String(name));
        command->setProperty("enabled", on);
    };
    const bool text = m_page->CanHoldText();
    enable("mnuFillCalendarwithRecurringDates", text);
    enable("mnuImportEvents", text);
    enable("mnuUserTitle", text);
    enable("mnuClearAll", text);
    enable("ShowHideIconTool", text);
    Control(QStringLiteral("ShowHideIconTool"))
        ->setProperty("text",
                      m_palette->isVisible() ? QStringLiteral("Hide Icon Tool") : QStringLiteral("Show Icon Tool"));
    enable("mnuSave", named);
    for (const char* name : {"mnuSaveAs", "mnuProperties", "PropertiesButton", "mnuPrintSetup", "ZoomSpinner",
                             "mnuSaveAsBitmap", "mnuSaveAsJPG", "mnuSaveAsPNG", "mnuSaveAsPDF", "mnuMakeYear"})
        enable(name, pageVisible);
    m_print->EnableCommands(pageVisible);
    enable("mnuCancelChanges", pageVisible && named);
    for (QAbstractButton* tool : m_tools->buttons()) {
        const auto state = static_cast<TLPanelState>(m_tools->id(tool));
        tool->setEnabled(state == psPointing || m_page->HasToolKind(state));
    }
    Control(QStringLiteral("Savebutton"))->setVisible(m_modified);
    Control(QStringLiteral("CancelButton"))->setVisible(m_modified && named);
}

void TCalendarMain::SetCaption()
{
    // Every change of the document's name ends here; the file dialogs start beside the document.
    SetDialogDocument(CurrentFileName());
    // A page not yet saved anywhere is untitled; without a page there is no document to name.
    if (!CurrentFileName().isEmpty())
        setWindowTitle(QStringLiteral("Almarin  [") + QFileInfo(CurrentFileName()).fileName() + QLatin1Char(']'));
    else if (!m_page->isHidden())
        setWindowTitle(QStringLiteral("Almarin  [untitled]"));
    else
        setWindowTitle(QStringLiteral("Almarin"));
    m_zoom->ShowZoom();
}

void TCalendarMain::showAbout()
{
    TAboutBox about(this);
    CenterForm(&about);
    about.exec();
}

void TCalendarMain::ConfigurationInformation1Click()
{
    TConfigurationInfo info(this);
    info.AddLines(ProductLines(QDate::currentDate(), QLocale()));
    info.AddEnvironmentLines();
    // The values in use now, which may differ from what the settings file holds.
    info.AddLines(PreferenceLines(m_preferences));
    CenterForm(&info);
    info.exec();
}

bool TCalendarMain::AppMessage(QKeyEvent* event)
{
    if (QApplication::activeWindow() != this)
        return false;
    if (CellTabKey(event) || CellEscapeKey(event))
        return true;
    return m_zoom->ZoomKey(event);
}

bool TCalendarMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        m_pageHolder->resize(m_page->width() + 10, m_page->height() + 10);
    else if (watched == m_page && (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
        // Entering anywhere keeps the drag coming; each move says whether this point takes the drop.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!CalendarPanelDragOver(drag)) {
            if (event->type() == QEvent::DragEnter && CarriesImages(drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
        }
        return true;
    } else if (watched == m_page && event->type() == QEvent::Drop) {
        CalendarPanelDragDrop(static_cast<QDropEvent*>(event));
        return true;
    } else if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
               m_scrollBox->isAncestorOf(static_cast<QWidget*>(watched))) {
        return m_zoom->ZoomWheel(static_cast<QWheelEvent*>(event));
    } else if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        EndEditingOnClickAway(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
               static_cast<QWidget*>(watched)->window() == this) {
        // A key press passes the filter once per widget up the parent chain; act where it arrives first.
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus && focus->window() == this ? watched == focus : watched == this;
        if (first)
            return AppMessage(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}
