// The controls of the calendar properties dialog, page by page.
#include "calendarproperties.h"

#include "editor/calendarpanel32.h"
#include "widgets/colorbutton.h"
#include "widgets/monthdatechooser.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kPageMargin = 10;

QWidget* newPage(const char* name)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    return page;
}

QVBoxLayout* pageColumn(QWidget* page)
{
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    column->setSpacing(8);
    return column;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A titled group of radio buttons whose ids are the item indexes.
QButtonGroup* radioGroup(QGroupBox* box, const char* name, const QStringList& items, Qt::Orientation orientation)
{
    box->setObjectName(QLatin1String(name));
    auto* group = new QButtonGroup(box);
    group->setObjectName(QLatin1String(name));
    QBoxLayout* layout = orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                                     : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    return group;
}

QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    return combo;
}

QStringList headerStyles()
{
    return {QStringLiteral("First Character"), QStringLiteral("First Three Characters"), QStringLiteral("Whole Word")};
}

} // namespace

QWidget* TCalendarProperties::buildLayoutPage()
{
    QWidget* page = newPage("LayoutPage");
    QVBoxLayout* column = pageColumn(page);
    column->addWidget(caption(QStringLiteral("Select Layout"), page));
    m_layoutList = new QListWidget(page);
    m_layoutList->setObjectName(QStringLiteral("LayoutList"));
    m_layoutList->addItems({
        QStringLiteral("1 Month Calendar "),
        QStringLiteral("1 Month Calendar, 2 Mini Calendars"),
        QStringLiteral("1 Month Calendar, 6 Mini Calendars Before & After "),
        QStringLiteral("1 Month Calendar, 12 Mini Calendars After "),
        QStringLiteral("6 Month Calendar (Mini Calendars)"),
        QStringLiteral("12 Month Calendar (Mini Calendars)"),
        QStringLiteral("24 Month Calendar (Mini Calendars)"),
        QStringLiteral("48 Month Calendar (Mini Calendars)"),
        QStringLiteral("60 Month Calendar (Mini Calendars)"),
        QStringLiteral("One Week Planner"),
        QStringLiteral("Two Week Planner"),
        QStringLiteral("Day Planner (10 hours) "),
        QStringLiteral("Day Planner (15 hours) "),
    });
    m_layoutList->setToolTip(QStringLiteral("Choose the layout of the calendar page"));
    connect(m_layoutList, &QListWidget::currentRowChanged, this, &TCalendarProperties::LayoutListClick);
    column->addWidget(m_layoutList, 1);

    auto* row = new QHBoxLayout;
    m_orientationBox = new QGroupBox(QStringLiteral("Orientation"), page);
    m_orientation = radioGroup(m_orientationBox, "rOrientation",
                               {QStringLiteral("Portrait"), QStringLiteral("Landscape")}, Qt::Horizontal);
    connect(m_orientation, &QButtonGroup::idClicked, this, &TCalendarProperties::LayoutListClick);
    row->addWidget(m_orientationBox, 1);
    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), page);
    m_paper = radioGroup(paperBox, "PaperSize", {QStringLiteral("Letter"), QStringLiteral("A4")}, Qt::Horizontal);
    connect(m_paper, &QButtonGroup::idClicked, this, &TCalendarProperties::LayoutListClick);
    row->addWidget(paperBox, 1);
    column->addLayout(row);
    return page;
}

QWidget* TCalendarProperties::buildDatePage()
{
    QWidget* page = newPage("DatePage");
    QVBoxLayout* column = pageColumn(page);
    m_selectMonthYearLabel = caption(QStringLiteral("Select Month && Year"), page);
    m_selectMonthYearLabel->setObjectName(QStringLiteral("SelectMonthYearLabel"));
    column->addWidget(m_selectMonthYearLabel);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    auto* left = new QVBoxLayout;
    m_calendar = new TMonthDateChooser(page);
    m_calendar->setObjectName(QStringLiteral("Calendar"));
    m_selectMonthYearLabel->setBuddy(m_calendar);
    connect(m_calendar, &TMonthDateChooser::Changed, this, &TCalendarProperties::CalendarChange);
    left->addWidget(m_calendar, 1);
    m_dateLabel = new QLabel(page);
    m_dateLabel->setObjectName(QStringLiteral("DateLabel"));
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_dateLabel->setFrameShape(QFrame::Panel);
    m_dateLabel->setFrameShadow(QFrame::Sunken);
    m_dateLabel->setMinimumHeight(22);
    QFont dateFont = m_dateLabel->font();
    dateFont.setBold(true);
    m_dateLabel->setFont(dateFont);
    left->addWidget(m_dateLabel);
    row->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    m_weekStartsOnBox = new QGroupBox(QStringLiteral("Week Starts On"), page);
    m_weekStartsOn = radioGroup(m_weekStartsOnBox, "WeekStartsOn", {QStringLiteral("Sunday"), QStringLiteral("Monday")},
                                Qt::Vertical);
    connect(m_weekStartsOn, &QButtonGroup::idClicked, this, &TCalendarProperties::WeekStartsOnClick);
    right->addWidget(m_weekStartsOnBox);
    m_titleShowYear = new QCheckBox(QStringLiteral("Show Year in Title"), page);
    m_titleShowYear->setObjectName(QStringLiteral("TitleShowYearCheck"));
    connect(m_titleShowYear, &QCheckBox::clicked, this, [this] {
        if (!m_updating)
            m_example->SetTitleShowYear(m_titleShowYear->isChecked());
    });
    right->addWidget(m_titleShowYear);
    m_miniShowYear = new QCheckBox(QStringLiteral("Show Year in Mini Title"), page);
    m_miniShowYear->setObjectName(QStringLiteral("MiniShowYearCheck"));
    connect(m_miniShowYear, &QCheckBox::clicked, this, [this] {
        if (!m_updating)
            m_example->SetMiniShowYear(m_miniShowYear->isChecked());
    });
    right->addWidget(m_miniShowYear);
    m_showWeekNumbers = new QCheckBox(QStringLiteral("Show week numbers"), page);
    m_showWeekNumbers->setObjectName(QStringLiteral("ShowWeekNumbersCheck"));
    connect(m_showWeekNumbers, &QCheckBox::clicked, this, [this] {
        if (!m_updating)
            m_example->SetShowWeekNumbers(m_showWeekNumbers->isChecked());
    });
    right->addWidget(m_showWeekNumbers);
    m_showMoonPhases = new QCheckBox(QStringLiteral("Show moon phases"), page);
    m_showMoonPhases->setObjectName(QStringLiteral("ShowMoonPhasesCheck"));
    connect(m_showMoonPhases, &QCheckBox::clicked, this, [this] {
        if (!m_updating)
            m_example->SetShowMoonPhases(m_showMoonPhases->isChecked());
    });
    right->addWidget(m_showMoonPhases);
    right->addStretch(1);
    row->addLayout(right);
    column->addLayout(row, 1);
    return page;
}

QPushButton* TCalendarProperties::fontButton(QGroupBox* group, const QString& name,
                                             FontDescription (TCalendarPanel32::*get)() const,
                                             void (TCalendarPanel32::*set)(const FontDescription&))
{
    auto* button = new QPushButton(QStringLiteral("Font"), group);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Choose the font, size, style and color"));
    auto* sample = new QLabel(group);
    sample->setObjectName(name + QStringLiteral("Sample"));
    // Font buttons work even while the controls are being filled: they act only on a user's choice.
    // The accessors travel as functions: member-function pointers captured here crash GCC 12's
    // sanitizer build, which must be able to run the tests.
    const std::function<FontDescription(const TCalendarPanel32&)> read = get;
    const std::function<void(TCalendarPanel32&, const FontDescription&)> write = set;
    connect(button, &QPushButton::clicked, this, [this, group, read, write] {
        FontDescription font = read(*m_example);
        if (m_chooseFont && m_chooseFont(font, group->title() + QStringLiteral(" Font")))
            write(*m_example, font);
        m_example->update();
        showFontDescriptions();
    });
    m_fontSamples.append({sample, get});
    auto* row = static_cast<QHBoxLayout*>(group->layout());
    row->insertWidget(0, button);
    row->addWidget(sample, 1);
    return button;
}

TColorButton* TCalendarProperties::colorButton(QGroupBox* group, const QString& name,
                                               void (TCalendarPanel32::*set)(int))
{
    auto* button = new TColorButton(QStringLiteral("Background"), group);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Choose the background color"));
    const std::function<void(TCalendarPanel32&, int)> write = set;
    connect(button, &TColorButton::ColorChanged, this, [this, write](TColor color) {
        if (m_updating)
            return;
        write(*m_example, color);
        m_example->update();
    });
    auto* row = static_cast<QHBoxLayout*>(group->layout());
    // Beside the font button when the group has one, before the words describing the font.
    row->insertWidget(row->count() > 0 ? 1 : 0, button);
    if (row->count() == 1)
        row->addStretch(1);
    return button;
}

namespace {

QGroupBox* fontGroup(QWidget* page, const QString& title)
{
    auto* group = new QGroupBox(title, page);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(8);
    return group;
}

} // namespace

QWidget* TCalendarProperties::buildFontsPage()
{
    QWidget* page = newPage("FontsPage");
    QVBoxLayout* column = pageColumn(page);
    QGroupBox* title = fontGroup(page, QStringLiteral("Title"));
    fontButton(title, QStringLiteral("TitleFontbutton"), &TCalendarPanel32::TitleFont, &TCalendarPanel32::SetTitleFont);
    m_titleBGColor = colorButton(title, QStringLiteral("TitleBGColor"), &TCalendarPanel32::SetTitleBGColor);
    column->addWidget(title);
    QGroupBox* header = fontGroup(page, QStringLiteral("Header"));
    fontButton(header, QStringLiteral("HeaderFontButton"), &TCalendarPanel32::HeadersFont,
               &TCalendarPanel32::SetHeadersFont);
    m_headerBGColor = colorButton(header, QStringLiteral("HeaderBGColor"), &TCalendarPanel32::SetHeadersBGColor);
    column->addWidget(header);
    QGroupBox* cells = fontGroup(page, QStringLiteral("Number Cells"));
    fontButton(cells, QStringLiteral("NumberFontButton"), &TCalendarPanel32::CellFont, &TCalendarPanel32::SetCellFont);
    column->addWidget(cells);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildMiniFontsPage()
{
    QWidget* page = newPage("MiniFontsPage");
    QVBoxLayout* column = pageColumn(page);
    QGroupBox* title = fontGroup(page, QStringLiteral("Mini Title"));
    fontButton(title, QStringLiteral("Minititlefontbutton"), &TCalendarPanel32::MiniTitleFont,
               &TCalendarPanel32::SetMiniTitleFont);
    column->addWidget(title);
    QGroupBox* header = fontGroup(page, QStringLiteral("Mini Header"));
    fontButton(header, QStringLiteral("MiniHeaderFontButton"), &TCalendarPanel32::MiniHeadersFont,
               &TCalendarPanel32::SetMiniHeadersFont);
    m_miniHeadersBGColor =
        colorButton(header, QStringLiteral("MiniHeadersBGColorButton"), &TCalendarPanel32::SetMiniHeadersBGColor);
    column->addWidget(header);
    QGroupBox* cells = fontGroup(page, QStringLiteral("Mini Number Cells"));
    fontButton(cells, QStringLiteral("MiniCellFontButton"), &TCalendarPanel32::MiniCellFont,
               &TCalendarPanel32::SetMiniCellFont);
    column->addWidget(cells);
    QGroupBox* background = fontGroup(page, QStringLiteral("Mini Calendar Background Color"));
    m_miniCalBGColor =
        colorButton(background, QStringLiteral("MiniCalBGColorButton"), &TCalendarPanel32::SetMiniCalBGColor);
    column->addWidget(background);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildHeadersPage()
{
    QWidget* page = newPage("HeadersPage");
    QVBoxLayout* column = pageColumn(page);
    column->addWidget(caption(QStringLiteral("Header Style"), page));
    m_headerStyle = comboBox(page, "CalHeaderStyleCombo", headerStyles());
    m_headerStyle->setToolTip(QStringLiteral("How the day names above the month are written"));
    connect(m_headerStyle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            m_example->SetHeadersStyle(static_cast<TCalHeadersStyle>(index));
    });
    column->addWidget(m_headerStyle);
    column->addSpacing(12);
    column->addWidget(caption(QStringLiteral("Mini Header Style"), page));
    m_miniHeaderStyle = comboBox(page, "MiniHeadersStyleCombo", headerStyles());
    m_miniHeaderStyle->setToolTip(QStringLiteral("How the day names of the mini calendars are written"));
    connect(m_miniHeaderStyle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            m_example->SetMiniHeadersStyle(static_cast<TCalHeadersStyle>(index));
    });
    column->addWidget(m_miniHeaderStyle);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildLinesPage()
{
    QWidget* page = newPage("LinesPage");
    QVBoxLayout* column = pageColumn(page);
    column->addWidget(caption(QStringLiteral("Calendar Line Style"), page));
    m_lineLayout = comboBox(page, "CalendarLineLayoutCombo",
                            {QStringLiteral("Full"), QStringLiteral("Headers & Cells"), QStringLiteral("Cells Only")});
    connect(m_lineLayout, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            m_example->SetCalendarLineLayout(static_cast<TCalendarLineLayout>(index));
    });
    column->addWidget(m_lineLayout);
    column->addSpacing(12);
    column->addWidget(caption(QStringLiteral("Mini-Calendar Line Style"), page));
    m_miniLineLayout = comboBox(page, "MiniCalendarLineLayoutCombo",
                                {QStringLiteral("Full"), QStringLiteral("Boxed"), QStringLiteral("Minimal")});
    connect(m_miniLineLayout, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            m_example->SetMiniCalendarLineLayout(static_cast<TMiniCalendarLineLayout>(index));
    });
    column->addWidget(m_miniLineLayout);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildPlannersPage()
{
    QWidget* page = newPage("PlannersPage");
    QVBoxLayout* column = pageColumn(page);
    column->addWidget(caption(QStringLiteral("Starting Time (for day planners)"), page));
    auto* row = new QHBoxLayout;
    m_timeLabel = new QLabel(page);
    m_timeLabel->setObjectName(QStringLiteral("TimeLabel"));
    m_timeLabel->setFrameShape(QFrame::Panel);
    m_timeLabel->setFrameShadow(QFrame::Sunken);
    m_timeLabel->setAlignment(Qt::AlignCenter);
    m_timeLabel->setMinimumWidth(90);
    m_timeLabel->setMinimumHeight(22);
    row->addWidget(m_timeLabel);
    auto* button = new QPushButton(QStringLiteral("Change..."), page);
    button->setObjectName(QStringLiteral("StartingtimeButton"));
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Choose the first hour of the day planners"));
    connect(button, &QPushButton::clicked, this, &TCalendarProperties::StartingtimeButtonClick);
    row->addWidget(button);
    row->addStretch(1);
    column->addLayout(row);
    auto* note = new QLabel(QStringLiteral("*(Note: This setting only applies if you have selected one of the two "
                                           "Day Planners from the Layout tab)"),
                            page);
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildLanguagePage()
{
    QWidget* page = newPage("LanguagePage");
    QVBoxLayout* column = pageColumn(page);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(caption(QStringLiteral("Month Names"), page), 0, 0);
    grid->addWidget(caption(QStringLiteral("Day Names"), page), 0, 1);
    m_monthNames = new QPlainTextEdit(page);
    m_monthNames->setObjectName(QStringLiteral("MonthNames"));
    m_monthNames->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_monthNames->setTabChangesFocus(true);
    m_monthNames->installEventFilter(this);
    grid->addWidget(m_monthNames, 1, 0);
    m_dayNames = new QPlainTextEdit(page);
    m_dayNames->setObjectName(QStringLiteral("DayNames"));
    m_dayNames->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_dayNames->setTabChangesFocus(true);
    m_dayNames->installEventFilter(this);
    grid->addWidget(m_dayNames, 1, 1);
    column->addLayout(grid, 1);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    struct Language
    {
        const char* name;
        QString caption;
        void (TCalendarProperties::*click)();
    };
    const Language languages[] = {
        {"English", QStringLiteral("English"), &TCalendarProperties::EnglishClick},
        {"French", QStringLiteral("Français"), &TCalendarProperties::FrenchClick},
        {"German", QStringLiteral("Deutsch"), &TCalendarProperties::GermanClick},
        {"Spanish", QStringLiteral("Español"), &TCalendarProperties::SpanishClick},
        {"Italian", QStringLiteral("L'italiano"), &TCalendarProperties::ItalianClick},
    };
    for (const Language& l : languages) {
        auto* b = new QPushButton(l.caption, page);
        b->setObjectName(QLatin1String(l.name));
        b->setAutoDefault(false);
        b->setToolTip(QStringLiteral("Fill in the month and day names in ") + l.caption);
        connect(b, &QPushButton::clicked, this, l.click);
        row->addWidget(b);
    }
    column->addLayout(row);
    return page;
}

QWidget* TCalendarProperties::buildMarginsPage()
{
    QWidget* page = newPage("MarginsPage");
    QVBoxLayout* column = pageColumn(page);
    auto* units = new QHBoxLayout;
    m_useInches = new QRadioButton(QStringLiteral("Use Inches"), page);
    m_useInches->setObjectName(QStringLiteral("useInches"));
    m_useInches->setChecked(true);
    m_useMillimeters = new QRadioButton(QStringLiteral("Use Millimeters"), page);
    m_useMillimeters->setObjectName(QStringLiteral("UseMillimeters"));
    connect(m_useInches, &QRadioButton::clicked, this, &TCalendarProperties::UseInchesClick);
    connect(m_useMillimeters, &QRadioButton::clicked, this, &TCalendarProperties::UseInchesClick);
    units->addWidget(m_useInches);
    units->addWidget(m_useMillimeters);
    units->addStretch(1);
    column->addLayout(units);

    // The four lists sit where their margins lie on the paper.
    auto* box = new QGroupBox(QStringLiteral("Margins"), page);
    auto* grid = new QGridLayout(box);
    grid->setSpacing(6);
    const char* names[4] = {"LeftMarginInchcombo", "TopMarginInchcombo", "RightMarginInchcombo",
                            "BottomMarginInchcombo"};
    const QString sides[4] = {QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Right"),
                              QStringLiteral("Bottom")};
    const QPoint cells[4] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}}; // column, row
    for (int i = 0; i < 4; ++i) {
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        auto* label = new QLabel(sides[i], box);
        label->setAlignment(Qt::AlignCenter);
        cell->addWidget(label);
        m_margins[i] = new QComboBox(box);
        m_margins[i]->setObjectName(QLatin1String(names[i]));
        m_margins[i]->setMinimumWidth(80);
        label->setBuddy(m_margins[i]);
        QComboBox* combo = m_margins[i];
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { MarginComboxChange(combo); });
        cell->addWidget(m_margins[i]);
        grid->addLayout(cell, cells[i].y(), cells[i].x());
    }
    auto* paper = new QLabel(box);
    paper->setFrameShape(QFrame::Box);
    paper->setMinimumSize(60, 40);
    paper->setAutoFillBackground(true);
    paper->setBackgroundRole(QPalette::Base);
    grid->addWidget(paper, 1, 1);
    column->addWidget(box);
    column->addStretch(1);
    return page;
}

QWidget* TCalendarProperties::buildBordersPage()
{
    QWidget* page = newPage("BordersPage");
    QVBoxLayout* column = pageColumn(page);
    column->addWidget(caption(QStringLiteral("Calendar Borders"), page));
    m_borderFiles = new QListWidget(page);
    m_borderFiles->setObjectName(QStringLiteral("BorderFiles"));
    m_borderFiles->setToolTip(QStringLiteral("Border art drawn around the calendar"));
    connect(m_borderFiles, &QListWidget::currentRowChanged, this, &TCalendarProperties::BorderFilesClick);
    column->addWidget(m_borderFiles, 1);
    return page;
}

QWidget* TCalendarProperties::buildExample()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    const QColor grey(0x8E, 0x8E, 0x8E);
    m_scrollBox = new QScrollArea(panel);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setAlignment(Qt::AlignCenter);
    m_scrollBox->setFrameShadow(QFrame::Sunken);
    QPalette greyPalette = m_scrollBox->palette();
    greyPalette.setColor(QPalette::Window, grey);
    m_scrollBox->viewport()->setPalette(greyPalette);
    m_scrollBox->viewport()->setAutoFillBackground(true);
    m_exampleHolder = new QWidget;
    m_exampleHolder->setPalette(greyPalette);
    m_exampleHolder->setAutoFillBackground(true);
    m_example = new TCalendarPanel32(m_exampleHolder);
    m_example->setObjectName(QStringLiteral("ExampleCalendar"));
    m_example->move(5, 5);
    m_example->installEventFilter(this);
    m_scrollBox->setWidget(m_exampleHolder);
    m_scrollBox->setMinimumSize(350, 360);
    column->addWidget(m_scrollBox, 1);

    auto* zoomRow = new QHBoxLayout;
    zoomRow->addStretch(1);
    auto* zoomOut = new QToolButton(panel);
    zoomOut->setObjectName(QStringLiteral("ZoomOutbutton"));
    zoomOut->setText(QStringLiteral("-"));
    zoomOut->setToolTip(QStringLiteral("Zoom out"));
    zoomOut->setFixedWidth(28);
    connect(zoomOut, &QToolButton::clicked, this, &TCalendarProperties::ZoomOutbuttonClick);
    zoomRow->addWidget(zoomOut);
    m_zoomLabel = new QLabel(QStringLiteral("100%"), panel);
    m_zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    m_zoomLabel->setAlignment(Qt::AlignCenter);
    m_zoomLabel->setMinimumWidth(44);
    zoomRow->addWidget(m_zoomLabel);
    auto* zoomIn = new QToolButton(panel);
    zoomIn->setObjectName(QStringLiteral("ZoomInButton"));
    zoomIn->setText(QStringLiteral("+"));
    zoomIn->setToolTip(QStringLiteral("Zoom in"));
    zoomIn->setFixedWidth(28);
    connect(zoomIn, &QToolButton::clicked, this, &TCalendarProperties::ZoomInButtonClick);
    zoomRow->addWidget(zoomIn);
    zoomRow->addStretch(1);
    column->addLayout(zoomRow);
    return panel;
}

QWidget* TCalendarProperties::buildButtonRow()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto add = [&](const char* name, const QString& text, void (TCalendarProperties::*click)()) {
        auto* b = new QPushButton(text, bar);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
        row->addWidget(b);
        return b;
    };
    QPushButton* ok = add("OkButton", QStringLiteral("&Ok"), &TCalendarProperties::OkButtonClick);
    ok->setDefault(true);
    add("CancelButton", QStringLiteral("&Cancel"), &TCalendarProperties::CancelButtonClick);
    row->addSpacing(12);
    add("SaveAsStyleSheetButton", QStringLiteral("&Save As Style Sheet"),
        &TCalendarProperties::SaveAsStyleSheetButtonClick)
        ->setToolTip(QStringLiteral("Save these settings as a style sheet"));
    add("LoadStyleSheetButton", QStringLiteral("&Load Style Sheet"), &TCalendarProperties::LoadStyleSheetButtonClick)
        ->setToolTip(QStringLiteral("Take the settings of a style sheet"));
    add("Defaultbutton", QStringLiteral("&Default Style"), &TCalendarProperties::DefaultbuttonClick)
        ->setToolTip(QStringLiteral("Return to the settings of a new calendar"));
    row->addStretch(1);
    add("Helpbutton", QStringLiteral("&Help"), &TCalendarProperties::HelpbuttonClick);
    return bar;
}
