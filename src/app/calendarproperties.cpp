#include "calendarproperties.h"

#include "dialogfolder.h"
#include "preferences.h"
#include "settimedialog.h"

#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "widgets/colorbutton.h"
#include "widgets/monthdatechooser.h"

#include "platform/centerform.h"
#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/rounding.h"
#include "platform/zoom.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMsecsPerDay = 24 * 60 * 60 * 1000;
constexpr int kBordersTab = 9;

const char* const kEnglishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const kEnglishDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kGermanMonths[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                       "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
const char* const kGermanDays[7] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"};
const char* const kFrenchMonths[12] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                       "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};
const char* const kFrenchDays[7] = {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"};
const char* const kSpanishMonths[12] = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                                        "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
const char* const kSpanishDays[7] = {"Domingo", "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado"};
const char* const kItalianMonths[12] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                        "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
const char* const kItalianDays[7] = {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"};

const float kMarginSizes[6] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f};

QStringList inchEntries()
{
    return {QStringLiteral("¼ Inch"), QStringLiteral("½ Inch"),  QStringLiteral("¾ Inch"),
            QStringLiteral("1 Inch"), QStringLiteral("1¼ Inch"), QStringLiteral("1½ Inch")};
}

QStringList millimetreEntries()
{
    return {QStringLiteral("6 mm"),  QStringLiteral("13 mm"), QStringLiteral("19 mm"),
            QStringLiteral("25 mm"), QStringLiteral("32 mm"), QStringLiteral("38 mm")};
}

// A memo's lines as a list box would count them: none when empty, no extra line after a final break.
QStringList memoLines(const QPlainTextEdit* memo)
{
    QString text = memo->toPlainText();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

QString shortTime(const QTime& time)
{
    return QLocale().toString(time, QLocale::ShortFormat);
}

QTime timeOfDay(double fraction)
{
    const int msecs = static_cast<int>(RoundHalfEven(fraction * kMsecsPerDay));
    return QTime::fromMSecsSinceStartOfDay(qBound(0, msecs, kMsecsPerDay - 1));
}

QString describeFont(const FontDescription& font)
{
    QString text = font.name + QStringLiteral(", %1 pt").arg(font.size);
    if (font.style & fsBold)
        text += QStringLiteral(", Bold");
    if (font.style & fsItalic)
        text += QStringLiteral(", Italic");
    if (font.style & fsUnderline)
        text += QStringLiteral(", Underline");
    if (font.style & fsStrikeOut)
        text += QStringLiteral(", Strikeout");
    return text;
}

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
    for (QWidget* page :
         {buildLayoutPage(), buildDatePage(), buildFontsPage(), buildMiniFontsPage(), buildHeadersPage(),
          buildLinesPage(), buildPlannersPage(), buildLanguagePage(), buildMarginsPage(), buildBordersPage()})
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

    m_chooseFont = [this](FontDescription& font, const QString& title) {
        return ExecFontAndColorDialogs(this, title, font);
    };
    m_pickTime = [this](QTime& time) { return TSetTimeDialog::Execute(this, time); };
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
    m_example->SetScale(ZoomFromPercent(request.ZoomPercent));
    m_isNew = request.IsNew;
    m_hasText = request.IsNew ? false : request.HasText;
    m_hasObjects = request.IsNew ? false : request.HasObjects;
    m_originalKind = request.OriginalKind;
    m_example->CopySettingsFrom(document);
}

void TCalendarProperties::FormCreate()
{
    m_updating = true;
    m_startingDateMode = false;
    m_tabs->addTab(QStringLiteral("Borders"));
    m_tabs->setCurrentIndex(0);
    m_notebook->setCurrentIndex(0);
    m_isNew = false;
    m_hasText = false;
    m_originalKind = lkMiniMonths;
    for (QComboBox* combo : m_margins)
        combo->addItems(inchEntries());
    fillBorderList();
}

void TCalendarProperties::fillBorderList()
{
    const QString folder = FindProgramFile(QStringLiteral("Borders"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        m_borderFiles->setEnabled(false);
        return;
    }
    QStringList names;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.wls")}, QDir::Files);
    for (const QString& file : files) {
        const QString name = file.section(QLatin1Char('.'), 0, 0);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    names.append(QStringLiteral(" [No Special Border]"));
    names.sort(Qt::CaseInsensitive);
    const QSignalBlocker block(m_borderFiles);
    m_borderFiles->addItems(names);
}

void TCalendarProperties::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TCalendarProperties::FormActivate()
{
    if (!m_updating)
        return;
    showZoom();
    RestorePlacement(this);
    if (m_isNew)
        m_example->ResetToDefaults();
    DetermineSettings();
    m_updating = false;
    LayoutListClick();

    const float margins[4] = {m_example->LeftMarginInch(), m_example->TopMarginInch(), m_example->RightMarginInch(),
                              m_example->BottomMarginInch()};
    std::copy(std::begin(margins), std::end(margins), m_opening.margins);
    m_opening.border = m_example->WMFBorderFile();
    m_opening.layout = m_example->CalendarLayout();
    m_opening.a4Paper = m_example->A4Paper();
    m_opening.orientation = m_example->CalendarOrientation();
    m_opening.day = m_example->MainCalDay();
    m_opening.month = m_example->MainCalMonth();
    m_opening.year = m_example->MainCalYear();
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
    if (watched == m_example && event->type() == QEvent::Resize)
        m_exampleHolder->resize(m_example->width() + 10, m_example->height() + 10);
    else if (event->type() == QEvent::FocusOut && watched == m_monthNames)
        MonthNamesExit();
    else if (event->type() == QEvent::FocusOut && watched == m_dayNames)
        DayNamesExit();
    return QDialog::eventFilter(watched, event);
}

void TCalendarProperties::TabSet1Click(int index)
{
    m_notebook->setCurrentIndex(index);
}

void TCalendarProperties::DetermineSettings()
{
    const TCalendarLayout layout = m_example->CalendarLayout();
    const bool planner = IsPlanner(layout);
    m_layoutList->setCurrentRow(planner ? layout - 9 : layout / 2);
    m_orientation->button(planner ? 0 : layout % 2)->setChecked(true);
    m_paper->button(m_example->A4Paper() ? 1 : 0)->setChecked(true);
    m_startingDateMode = planner;
    m_selectMonthYearLabel->setText(m_startingDateMode ? QStringLiteral("Select Starting Date")
                                                       : QStringLiteral("Select Month && Year"));

    m_calendar->SetDay(1);
    m_calendar->SetMonth(m_example->MainCalMonth());
    m_calendar->SetYear(m_example->MainCalYear());
    m_calendar->SetDay(m_example->MainCalDay());

    QStringList months;
    for (int i = 1; i <= 12; ++i)
        months.append(m_example->GetMonthName(i));
    m_monthNames->setPlainText(months.join(QLatin1Char('\n')));
    QStringList days;
    for (int i = 1; i <= 7; ++i)
        days.append(m_example->GetDayName(i));
    m_dayNames->setPlainText(days.join(QLatin1Char('\n')));

    // Any value but 1 means Monday to the page.
    const bool monday = m_example->StartOfWeek() != 1;
    m_weekStartsOn->button(monday ? 1 : 0)->setChecked(true);
    m_calendar->SetFirstDayOfWeek(monday ? Qt::Monday : Qt::Sunday);
    m_titleBGColor->SetColor(m_example->TitleBGColor());
    m_headerBGColor->SetColor(m_example->HeadersBGColor());
    m_miniHeadersBGColor->SetColor(m_example->MiniHeadersBGColor());
    m_miniCalBGColor->SetColor(m_example->MiniCalBGColor());
    m_headerStyle->setCurrentIndex(m_example->HeadersStyle());
    m_miniHeaderStyle->setCurrentIndex(m_example->MiniHeadersStyle());
    m_lineLayout->setCurrentIndex(m_example->CalendarLineLayout());
    m_miniLineLayout->setCurrentIndex(m_example->MiniCalendarLineLayout());
    m_dateLabel->setText(QLocale().toString(m_calendar->Date(), QStringLiteral("MMMM yyyy")));
    m_timeLabel->setText(shortTime(timeOfDay(m_example->DayStartTime())));
    m_titleShowYear->setChecked(m_example->TitleShowYear());
    m_miniShowYear->setChecked(m_example->MiniShowYear());
    m_showWeekNumbers->setChecked(m_example->ShowWeekNumbers());
    m_showMoonPhases->setChecked(m_example->ShowMoonPhases());

    m_margins[0]->setCurrentIndex(MarginIndex(m_example->LeftMarginInch()));
    m_margins[1]->setCurrentIndex(MarginIndex(m_example->TopMarginInch()));
    m_margins[2]->setCurrentIndex(MarginIndex(m_example->RightMarginInch()));
    m_margins[3]->setCurrentIndex(MarginIndex(m_example->BottomMarginInch()));

    // The border list follows the page too, so that a loaded style sheet shows its border.
    const QSignalBlocker block(m_borderFiles);
    int border = 0;
    const QString name = m_example->WMFBorderFile();
    for (int i = 1; !name.isEmpty() && i < m_borderFiles->count(); ++i) {
        if (m_borderFiles->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            border = i;
            break;
        }
    }
    if (m_borderFiles->count() > 0)
        m_borderFiles->setCurrentRow(border);
    showFontDescriptions();
}

void TCalendarProperties::showFontDescriptions()
{
    for (const auto& [label, get] : m_fontSamples)
        label->setText(describeFont((m_example->*get)()));
}

void TCalendarProperties::LayoutListClick()
{
    if (m_updating)
        return;
    m_startingDateMode = false;
    m_example->SetA4Paper(m_paper->checkedId() == 1);
    int layout = m_example->CalendarLayout();
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
    const bool changed = layout != m_example->CalendarLayout();
    m_example->SetCalendarLayout(static_cast<TCalendarLayout>(layout));
    m_example->Relayout(changed);
    m_example->update();
    SetButtons();
}

void TCalendarProperties::CalendarChange()
{
    const QDate date = m_calendar->Date();
    m_dateLabel->setText(m_startingDateMode ? QLocale().toString(date, QLocale::LongFormat)
                                            : QLocale().toString(date, QStringLiteral("MMMM yyyy")));
    if (m_updating)
        return;
    m_example->SetMainCalMonth(date.month());
    m_example->SetMainCalYear(date.year());
    m_example->SetMainCalDay(date.day());
}

void TCalendarProperties::SetButtons()
{
    const TCalendarLayout layout = m_example->CalendarLayout();
    const TLayoutKind kind = m_example->LayoutKind();
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
    if (m_updating)
        return;
    const int index = m_weekStartsOn->checkedId();
    m_example->SetStartOfWeek(index + 1);
    m_calendar->SetFirstDayOfWeek(index == 1 ? Qt::Monday : Qt::Sunday);
}

void TCalendarProperties::MonthNamesExit()
{
    const QStringList lines = memoLines(m_monthNames);
    for (int i = 0; i < lines.size() && i < 12; ++i)
        m_example->SetMonthName(i + 1, lines[i]);
    m_example->update();
}

void TCalendarProperties::DayNamesExit()
{
    const QStringList lines = memoLines(m_dayNames);
    for (int i = 0; i < lines.size() && i < 7; ++i)
        m_example->SetDayName(i + 1, lines[i]);
    m_example->update();
}

void TCalendarProperties::applyLanguage(const char* const months[12], const char* const days[7])
{
    QStringList dayList;
    for (int i = 0; i < 7; ++i)
        dayList.append(QString::fromUtf8(days[i]));
    QStringList monthList;
    for (int i = 0; i < 12; ++i)
        monthList.append(QString::fromUtf8(months[i]));
    m_dayNames->setPlainText(dayList.join(QLatin1Char('\n')));
    m_monthNames->setPlainText(monthList.join(QLatin1Char('\n')));
    MonthNamesExit();
    DayNamesExit();
}

void TCalendarProperties::EnglishClick()
{
    applyLanguage(kEnglishMonths, kEnglishDays);
}

void TCalendarProperties::FrenchClick()
{
    applyLanguage(kFrenchMonths, kFrenchDays);
}

void TCalendarProperties::GermanClick()
{
    applyLanguage(kGermanMonths, kGermanDays);
}

void TCalendarProperties::SpanishClick()
{
    applyLanguage(kSpanishMonths, kSpanishDays);
}

void TCalendarProperties::ItalianClick()
{
    applyLanguage(kItalianMonths, kItalianDays);
}

float TCalendarProperties::MarginInches(int index)
{
    return index >= 0 && index < 6 ? kMarginSizes[index] : 0.0f;
}

int TCalendarProperties::MarginIndex(float inches)
{
    int index = 0;
    while (index < 5 && inches >= kMarginSizes[index + 1])
        ++index;
    return index;
}

void TCalendarProperties::UseInchesClick()
{
    const bool wasUpdating = m_updating;
    m_updating = true;
    const QStringList entries = m_useInches->isChecked() ? inchEntries() : millimetreEntries();
    for (QComboBox* combo : m_margins) {
        const int index = combo->currentIndex();
        combo->clear();
        combo->addItems(entries);
        combo->setCurrentIndex(index);
    }
    m_updating = wasUpdating;
}

void TCalendarProperties::MarginComboxChange(QComboBox* combo)
{
    if (m_updating)
        return;
    const float inches = MarginInches(combo->currentIndex());
    if (combo == m_margins[0])
        m_example->SetLeftMarginInch(inches);
    else if (combo == m_margins[1])
        m_example->SetTopMarginInch(inches);
    else if (combo == m_margins[2])
        m_example->SetRightMarginInch(inches);
    else if (combo == m_margins[3])
        m_example->SetBottomMarginInch(inches);
}

void TCalendarProperties::BorderFilesClick()
{
    if (m_updating)
        return;
    const int row = m_borderFiles->currentRow();
    m_example->SetWMFBorderFile(row > 0 ? m_borderFiles->item(row)->text() : QString());
}

void TCalendarProperties::showZoom()
{
    m_zoomLabel->setText(QString::number(RoundHalfEven(m_example->Scale() * 100.0)) + QLatin1Char('%'));
}

void TCalendarProperties::ZoomOutbuttonClick()
{
    if (m_example->Scale() > 0.2f)
        m_example->SetScale(m_example->Scale() - 0.1f);
    showZoom();
}

void TCalendarProperties::ZoomInButtonClick()
{
    if (m_example->Scale() < 1.0f)
        m_example->SetScale(m_example->Scale() + 0.1f);
    showZoom();
}

void TCalendarProperties::StartingtimeButtonClick()
{
    QTime time = QLocale().toTime(m_timeLabel->text(), QLocale::ShortFormat);
    if (!time.isValid()) {
        time = QTime::currentTime();
        m_timeLabel->setText(shortTime(time));
    }
    if (!m_pickTime || !m_pickTime(time))
        return;
    m_timeLabel->setText(shortTime(time));
    m_example->SetDayStartTime(time.msecsSinceStartOfDay() / static_cast<double>(kMsecsPerDay));
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
        SaveStyleSheet(*m_example, name);
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
    m_updating = true;
    try {
        LoadStyleSheet(*m_example, name);
    } catch (const std::exception&) {
        ShowInformation(UnableToOpenStyleSheetMessage(name));
    }
    DetermineSettings();
    m_updating = false;
    LayoutListClick();
}

void TCalendarProperties::DefaultbuttonClick()
{
    m_updating = true;
    m_example->ResetToDefaults();
    DetermineSettings();
    m_updating = false;
    LayoutListClick();
}

void TCalendarProperties::HelpbuttonClick()
{
    const int page = m_notebook->currentIndex();
    if (m_showHelp)
        m_showHelp(page == kBordersTab ? 3109 : 2100 + page);
}

TCalendarProperties::TextLoss TCalendarProperties::textLoss() const
{
    if (m_example->LayoutKind() != m_originalKind)
        return TextLoss::LayoutKind;
    // Cells belong to positions, not dates: a new month or year would show the old text on other days.
    // A planner starts at its day, so another first day moves every note as well.
    const TCalendarLayout layout = m_example->CalendarLayout();
    const bool planner = IsPlanner(layout);
    const bool holdsText = HoldsDayText(layout);
    const bool moved = m_example->MainCalMonth() != m_opening.month || m_example->MainCalYear() != m_opening.year ||
                       (planner && m_example->MainCalDay() != m_opening.day);
    return holdsText && moved ? TextLoss::MonthOrYear : TextLoss::None;
}

bool TCalendarProperties::objectsMustMove() const
{
    const float margins[4] = {m_example->LeftMarginInch(), m_example->TopMarginInch(), m_example->RightMarginInch(),
                              m_example->BottomMarginInch()};
    for (int i = 0; i < 4; ++i) {
        if (margins[i] != m_opening.margins[i])
            return true;
    }
    // One border art replaced by another keeps the page's free area.
    if (m_example->WMFBorderFile().isEmpty() != m_opening.border.isEmpty())
        return true;
    return m_example->CalendarLayout() != m_opening.layout || m_example->A4Paper() != m_opening.a4Paper ||
           m_example->CalendarOrientation() != m_opening.orientation;
}

void TCalendarProperties::OkButtonClick()
{
    m_textLossConfirmed = false;
    m_objectsWarningConfirmed = false;
    const TextLoss loss = m_hasText ? textLoss() : TextLoss::None;
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
    if (m_hasObjects && objectsMustMove()) {
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
