// The controls of the calendar properties dialog, page by page.
#include "calendarproperties.h"

#include "propertiescontrols.h"

#include "editor/calendarpanel32.h"
#include "widgets/monthdatechooser.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

QWidget* TCalendarProperties::buildLayoutPage()
{
    QWidget* page = NewPropertiesPage("LayoutPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    column->addWidget(BoldCaption(QStringLiteral("Select Layout"), page));
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
    m_orientation = RadioGroup(m_orientationBox, "rOrientation",
                               {QStringLiteral("Portrait"), QStringLiteral("Landscape")}, Qt::Horizontal);
    connect(m_orientation, &QButtonGroup::idClicked, this, &TCalendarProperties::LayoutListClick);
    row->addWidget(m_orientationBox, 1);
    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), page);
    m_paper = RadioGroup(paperBox, "PaperSize", {QStringLiteral("Letter"), QStringLiteral("A4")}, Qt::Horizontal);
    connect(m_paper, &QButtonGroup::idClicked, this, &TCalendarProperties::LayoutListClick);
    row->addWidget(paperBox, 1);
    column->addLayout(row);
    return page;
}

QWidget* TCalendarProperties::buildDatePage()
{
    QWidget* page = NewPropertiesPage("DatePage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    m_selectMonthYearLabel = BoldCaption(QStringLiteral("Select Month && Year"), page);
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
    m_weekStartsOn = RadioGroup(m_weekStartsOnBox, "WeekStartsOn", {QStringLiteral("Sunday"), QStringLiteral("Monday")},
                                Qt::Vertical);
    connect(m_weekStartsOn, &QButtonGroup::idClicked, this, &TCalendarProperties::WeekStartsOnClick);
    right->addWidget(m_weekStartsOnBox);
    m_titleShowYear = new QCheckBox(QStringLiteral("Show Year in Title"), page);
    m_titleShowYear->setObjectName(QStringLiteral("TitleShowYearCheck"));
    connect(m_titleShowYear, &QCheckBox::clicked, this, [this] {
        if (!m_state.updating)
            m_state.example->SetTitleShowYear(m_titleShowYear->isChecked());
    });
    right->addWidget(m_titleShowYear);
    m_miniShowYear = new QCheckBox(QStringLiteral("Show Year in Mini Title"), page);
    m_miniShowYear->setObjectName(QStringLiteral("MiniShowYearCheck"));
    connect(m_miniShowYear, &QCheckBox::clicked, this, [this] {
        if (!m_state.updating)
            m_state.example->SetMiniShowYear(m_miniShowYear->isChecked());
    });
    right->addWidget(m_miniShowYear);
    m_showWeekNumbers = new QCheckBox(QStringLiteral("Show week numbers"), page);
    m_showWeekNumbers->setObjectName(QStringLiteral("ShowWeekNumbersCheck"));
    connect(m_showWeekNumbers, &QCheckBox::clicked, this, [this] {
        if (!m_state.updating)
            m_state.example->SetShowWeekNumbers(m_showWeekNumbers->isChecked());
    });
    right->addWidget(m_showWeekNumbers);
    m_showMoonPhases = new QCheckBox(QStringLiteral("Show moon phases"), page);
    m_showMoonPhases->setObjectName(QStringLiteral("ShowMoonPhasesCheck"));
    connect(m_showMoonPhases, &QCheckBox::clicked, this, [this] {
        if (!m_state.updating)
            m_state.example->SetShowMoonPhases(m_showMoonPhases->isChecked());
    });
    right->addWidget(m_showMoonPhases);
    right->addStretch(1);
    row->addLayout(right);
    column->addLayout(row, 1);
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
    m_state.example = new TCalendarPanel32(m_exampleHolder);
    m_state.example->setObjectName(QStringLiteral("ExampleCalendar"));
    m_state.example->move(5, 5);
    m_state.example->installEventFilter(this);
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
