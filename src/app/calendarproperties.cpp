#include "calendarproperties.h"

#include "appearancetabs.h"
#include "borderstab.h"
#include "dialogfolder.h"
#include "languagetab.h"
#include "marginstab.h"
#include "plannerstab.h"
#include "settimedialog.h"
#include "windowplacement.h"

#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "widgets/monthdatechooser.h"

#include "platform/centerform.h"
#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/rounding.h"
#include "platform/zoom.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kBordersTab = 9;

// What a window manager's border may take on either side of a window.
constexpr int kFrameRoom = 8;

// Box layouts keep the sizes they measured; a widget's new hint reaches the window only when every
// level measures again.
void remeasure(QLayout* layout)
{
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout())
            remeasure(inner);
    layout->invalidate();
}

} // namespace

TCalendarProperties::TCalendarProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarProperties"));
    setWindowTitle(QStringLiteral("Calendar Properties"));
    setFont(FontDescription{QStringLiteral("Arial"), 8}.toQFont());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    m_notebook = new QStackedWidget(frame);
    m_notebook->setObjectName(QStringLiteral("Notebook1"));
    m_appearance = new TAppearanceTabs(m_state, this);
    m_language = new TLanguageTab(m_state, this);
    m_marginsTab = new TMarginsTab(m_state, this);
    m_borders = new TBordersTab(m_state, this);
    m_planners = new TPlannersTab(m_state, this);
    for (QWidget* page :
         {buildLayoutPage(), buildDatePage(), m_appearance->BuildFontsPage(), m_appearance->BuildMiniFontsPage(),
          m_appearance->BuildHeadersPage(), m_appearance->BuildLinesPage(), m_planners->BuildPage(),
          m_language->BuildPage(), m_marginsTab->BuildPage(), m_borders->BuildPage()})
        m_notebook->addWidget(page);
    frameLayout->addWidget(m_notebook);
    left->addWidget(frame, 1);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabSet1"));
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    // All ten tabs stay in view where the screen is wide enough: the notebook is made as wide as the strip.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_tabs->setFocusPolicy(Qt::TabFocus);
    for (const char* tab : {"Layout", "Date", "Fonts, Colors", "Mini Fonts, Colors", "Headers", "Lines", "Planners",
                            "Language", "Margins"})
        m_tabs->addTab(QLatin1String(tab));
    connect(m_tabs, &QTabBar::currentChanged, this, &TCalendarProperties::TabSet1Click);
    left->addWidget(m_tabs);
    top->addLayout(left, 1);
    top->addWidget(buildExample());
    column->addLayout(top, 1);
    column->addWidget(buildButtonRow());

    m_state.chooseFont = [this](FontDescription& font, const QString& title) {
        return ExecFontAndColorDialogs(this, title, font);
    };
    m_state.pickTime = [this](QTime& time) { return TSetTimeDialog::Execute(this, time); };
    auto runFileDialog = [this](bool save) {
        std::unique_ptr<QFileDialog> dialog = MakeStyleSheetDialog(this, save);
        const QString chosen = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()
                                   ? dialog->selectedFiles().constFirst()
                                   : QString();
        RememberDialogChoice(chosen);
        return chosen;
    };
    m_chooseStyleSheetToSave = [runFileDialog] { return runFileDialog(true); };
    m_chooseStyleSheetToOpen = [runFileDialog] { return runFileDialog(false); };
    m_showHelp = [](int topic) { ShowHelpTopic(topic); };

    FormCreate();
    const QScreen* shownOn = parent ? parent->screen() : screen();
    FitWidth(shownOn ? shownOn->availableGeometry().width() - 2 * kFrameRoom : QWIDGETSIZE_MAX);
}

void TCalendarProperties::FitWidth(int room)
{
    int width = minimumSizeHint().width();
    if (width > room) {
        m_tabs->setUsesScrollButtons(true);
        m_tabs->updateGeometry();
        remeasure(layout());
        width = std::max(room, minimumSizeHint().width());
    }
    resize(width, 470);
}

TCalendarProperties::~TCalendarProperties() = default;

std::unique_ptr<QFileDialog> TCalendarProperties::MakeStyleSheetDialog(QWidget* parent, bool save)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setWindowTitle(save ? QStringLiteral("Save As Calendar Style Sheet")
                                : QStringLiteral("Open Calendar Style Sheet"));
    dialog->setNameFilter(QStringLiteral("Calendar Style Sheet (*.QXS *.qxs)"));
    dialog->setDefaultSuffix(QStringLiteral("QXS"));
    dialog->setDirectory(DialogFolder());
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->selectFile(QStringLiteral("MyStyle.QXS"));
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    return dialog;
}

TPropertiesOutcome TCalendarProperties::Execute(QWidget* parent, const TCalendarPanel32& document,
                                                const TPropertiesRequest& request)
{
    TCalendarProperties dialog(parent);
    dialog.Prepare(document, request);
    TPropertiesOutcome outcome;
    outcome.Accepted = dialog.exec() == QDialog::Accepted;
    outcome.ZoomPercent = PercentFromZoom(dialog.ExampleCalendar()->Scale());
    if (outcome.Accepted) {
        outcome.Chosen = std::make_unique<TCalendarPanel32>();
        outcome.Chosen->CopySettingsFrom(*dialog.ExampleCalendar());
        outcome.TextLossConfirmed = dialog.TextLossConfirmed();
        outcome.ObjectsWarningConfirmed = dialog.ObjectsWarningConfirmed();
    }
    return outcome;
}

void TCalendarProperties::Prepare(const TCalendarPanel32& document, const TPropertiesRequest& request)
{
    CenterForm(this);
    m_state.example->SetScale(ZoomFromPercent(request.ZoomPercent));
    m_isNew = request.IsNew;
    m_hasText = request.IsNew ? false : request.HasText;
    m_hasObjects = request.IsNew ? false : request.HasObjects;
    m_originalKind = request.OriginalKind;
    m_state.example->CopySettingsFrom(document);
}

void TCalendarProperties::FormCreate()
{
    m_state.updating = true;
    m_startingDateMode = false;
    m_tabs->addTab(QStringLiteral("Borders"));
    m_tabs->setCurrentIndex(0);
    m_notebook->setCurrentIndex(0);
    m_isNew = false;
    m_hasText = false;
    m_originalKind = lkMiniMonths;
}

void TCalendarProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TCalendarProperties::FormActivate()
{
    if (!m_state.updating)
        return;
    showZoom();
    RestorePlacement(this);
    if (m_isNew)
        m_state.example->ResetToDefaults();
    DetermineSettings();
    m_state.updating = false;
    LayoutListClick();

    m_opening.Take(*m_state.example);
}

void TCalendarProperties::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TCalendarProperties::FormClose()
{
    SavePlacement(this);
}

bool TCalendarProperties::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_state.example && event->type() == QEvent::Resize)
        m_exampleHolder->resize(m_state.example->width() + 10, m_state.example->height() + 10);
    return QDialog::eventFilter(watched, event);
}

void TCalendarProperties::TabSet1Click(int index)
{
    m_notebook->setCurrentIndex(index);
}

void TCalendarProperties::DetermineSettings()
{
    const TCalendarLayout layout = m_state.example->CalendarLayout();
    const bool planner = IsPlanner(layout);
    m_layoutList->setCurrentRow(planner ? layout - 9 : layout / 2);
    m_orientation->button(planner ? 0 : layout % 2)->setChecked(true);
    m_paper->button(m_state.example->A4Paper() ? 1 : 0)->setChecked(true);
    m_startingDateMode = planner;
    m_selectMonthYearLabel->setText(m_startingDateMode ? QStringLiteral("Select Starting Date")
                                                       : QStringLiteral("Select Month && Year"));

    m_calendar->SetDay(1);
    m_calendar->SetMonth(m_state.example->MainCalMonth());
    m_calendar->SetYear(m_state.example->MainCalYear());
    m_calendar->SetDay(m_state.example->MainCalDay());

    m_language->Fill();

    // Any value but 1 means Monday to the page.
    const bool monday = m_state.example->StartOfWeek() != 1;
    m_weekStartsOn->button(monday ? 1 : 0)->setChecked(true);
    m_calendar->SetFirstDayOfWeek(monday ? Qt::Monday : Qt::Sunday);
    m_dateLabel->setText(QLocale().toString(m_calendar->Date(), QStringLiteral("MMMM yyyy")));
    m_planners->Fill();
    m_titleShowYear->setChecked(m_state.example->TitleShowYear());
    m_miniShowYear->setChecked(m_state.example->MiniShowYear());
    m_showWeekNumbers->setChecked(m_state.example->ShowWeekNumbers());
    m_showMoonPhases->setChecked(m_state.example->ShowMoonPhases());

    m_marginsTab->Fill();
    m_borders->Fill();
    m_appearance->Fill();
}

void TCalendarProperties::LayoutListClick()
{
    if (m_state.updating)
        return;
    m_startingDateMode = false;
    m_state.example->SetA4Paper(m_paper->checkedId() == 1);
    int layout = m_state.example->CalendarLayout();
    const int row = m_layoutList->currentRow();
    if (row >= 0 && row <= 8)
        layout = 2 * row + (m_orientation->checkedId() == 1 ? 1 : 0);
    else if (row >= 9 && row <= 12)
        layout = row + 9;
    if (IsPlanner(static_cast<TCalendarLayout>(layout)))
        m_startingDateMode = true;
    CalendarChange();
    // Mini fonts take the layout's sizes only when the layout really changes: reopening the dialog
    // or loading a style sheet must keep the sizes the user chose.
    const bool changed = layout != m_state.example->CalendarLayout();
    m_state.example->SetCalendarLayout(static_cast<TCalendarLayout>(layout));
    m_state.example->Relayout(changed);
    m_state.example->update();
    SetButtons();
}

void TCalendarProperties::CalendarChange()
{
    const QDate date = m_calendar->Date();
    m_dateLabel->setText(m_startingDateMode ? QLocale().toString(date, QLocale::LongFormat)
                                            : QLocale().toString(date, QStringLiteral("MMMM yyyy")));
    if (m_state.updating)
        return;
    m_state.example->SetMainCalMonth(date.month());
    m_state.example->SetMainCalYear(date.year());
    m_state.example->SetMainCalDay(date.day());
}

void TCalendarProperties::SetButtons()
{
    const TCalendarLayout layout = m_state.example->CalendarLayout();
    const TLayoutKind kind = m_state.example->LayoutKind();
    const bool planner = IsPlanner(layout);
    m_orientationBox->setEnabled(!planner);
    m_selectMonthYearLabel->setText(planner ? QStringLiteral("Select Starting Date")
                                            : QStringLiteral("Select Month && Year"));
    m_weekStartsOnBox->setEnabled(!planner);
    // Week numbers go beside month grids, moon phases into the main month's day cells.
    m_showWeekNumbers->setEnabled(!planner);
    m_showMoonPhases->setEnabled(HasMainMonth(layout));

    const bool single = HasMainMonth(layout);
    for (const char* name : {"TitleShowYearCheck", "TitleBGColor", "NumberFontButton", "CalendarLineLayoutCombo"})
        Control<QWidget>(QLatin1String(name))->setEnabled(single);
    const bool titled = HoldsDayText(layout);
    for (const char* name : {"TitleFontbutton", "HeaderFontButton", "HeaderBGColor", "CalHeaderStyleCombo"})
        Control<QWidget>(QLatin1String(name))->setEnabled(titled);
    const bool minis = HasMiniMonths(layout);
    for (const char* name :
         {"MiniShowYearCheck", "Minititlefontbutton", "MiniHeaderFontButton", "MiniHeadersBGColorButton",
          "MiniCellFontButton", "MiniCalBGColorButton", "MiniHeadersStyleCombo", "MiniCalendarLineLayoutCombo"})
        Control<QWidget>(QLatin1String(name))->setEnabled(minis);
    Control<QWidget>(QStringLiteral("StartingtimeButton"))->setEnabled(kind == lkDay10 || kind == lkDay15);
}

void TCalendarProperties::WeekStartsOnClick()
{
    if (m_state.updating)
        return;
    const int index = m_weekStartsOn->checkedId();
    m_state.example->SetStartOfWeek(index + 1);
    m_calendar->SetFirstDayOfWeek(index == 1 ? Qt::Monday : Qt::Sunday);
}

void TCalendarProperties::showZoom()
{
    m_zoomLabel->setText(QString::number(RoundHalfEven(m_state.example->Scale() * 100.0)) + QLatin1Char('%'));
}

void TCalendarProperties::ZoomOutbuttonClick()
{
    if (m_state.example->Scale() > 0.2f)
        m_state.example->SetScale(m_state.example->Scale() - 0.1f);
    showZoom();
}

void TCalendarProperties::ZoomInButtonClick()
{
    if (m_state.example->Scale() < 1.0f)
        m_state.example->SetScale(m_state.example->Scale() + 0.1f);
    showZoom();
}

namespace {

bool isStyleSheetName(const QString& fileName)
{
    return QFileInfo(fileName).suffix().toUpper() == QLatin1String("QXS");
}

} // namespace

void TCalendarProperties::SaveAsStyleSheetButtonClick()
{
    const QString name = m_chooseStyleSheetToSave ? m_chooseStyleSheetToSave() : QString();
    if (name.isEmpty())
        return;
    if (!isStyleSheetName(name)) {
        ShowInformation(QStringLiteral("Must save as a Calendar Style Sheet (*.QXS)"));
        return;
    }
    try {
        SaveStyleSheet(*m_state.example, name);
    } catch (const std::exception&) {
        // The previous file, if any, is still whole; the user must know the new one was not written.
        ShowInformation(QStringLiteral("Unable to save ") + name);
    }
}

void TCalendarProperties::LoadStyleSheetButtonClick()
{
    const QString name = m_chooseStyleSheetToOpen ? m_chooseStyleSheetToOpen() : QString();
    if (name.isEmpty())
        return;
    if (!isStyleSheetName(name)) {
        ShowInformation(QStringLiteral("Must be a Calendar Style Sheet (*.QXS)"));
        return;
    }
    m_state.updating = true;
    try {
        LoadStyleSheet(*m_state.example, name);
    } catch (const std::exception&) {
        ShowInformation(UnableToOpenStyleSheetMessage(name));
    }
    DetermineSettings();
    m_state.updating = false;
    LayoutListClick();
}

void TCalendarProperties::DefaultbuttonClick()
{
    m_state.updating = true;
    m_state.example->ResetToDefaults();
    DetermineSettings();
    m_state.updating = false;
    LayoutListClick();
}

void TCalendarProperties::HelpbuttonClick()
{
    const int page = m_notebook->currentIndex();
    if (m_showHelp)
        m_showHelp(page == kBordersTab ? 3109 : 2100 + page);
}

void TCalendarProperties::OkButtonClick()
{
    m_textLossConfirmed = false;
    m_objectsWarningConfirmed = false;
    using TextLoss = TPropertiesOpening::TextLoss;
    const TextLoss loss = m_hasText ? m_opening.TextLossOf(*m_state.example, m_originalKind) : TextLoss::None;
    if (loss != TextLoss::None) {
        const QString warning =
            loss == TextLoss::LayoutKind
                ? QStringLiteral("Warning: changing to this type of layout\rwill erase all text and icons from the "
                                 "current\rcalendar. Proceed?")
                : QStringLiteral("Warning: changing the month or year\rwill erase all text and icons from the "
                                 "current\rcalendar. Proceed?");
        if (!AskYesNo(warning, QStringLiteral("WARNING")))
            return;
        m_textLossConfirmed = true;
    }
    if (m_hasObjects && m_opening.ObjectsMustMove(*m_state.example)) {
        if (!AskYesNo(QStringLiteral("Warning: The Calendar has one or more items\rplaced on it using the Label, Clip "
                                     "Art, RichText,\rSuperText or Floating Calendar tools.\r\rChanging Paper Size, "
                                     "Orientation, Layout, Margins or Border\rmeans you will have to reposition these "
                                     "items.\r\rProceed?"),
                      QStringLiteral("WARNING")))
            return;
        m_objectsWarningConfirmed = true;
    }
    accept();
}

void TCalendarProperties::CancelButtonClick()
{
    reject();
}
