#include "flatcalendareditor.h"

#include "editor/objectpreview.h"
#include "editor/qbasepanel.h"

#include "document/flatcalendar/qflatcalendar.h"

#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/rounding.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 40015;

QStringList BorderItems()
{
    return {QStringLiteral("None"), QStringLiteral("All"), QStringLiteral("Top"), QStringLiteral("Bottom"),
            QStringLiteral("Top & Bottom")};
}

} // namespace

std::function<bool(QWidget*, FontDescription&)> TFlatCalendarEditor::ChooseFont =
    [](QWidget* parent, FontDescription& font) { return ExecFontDialog(parent, QStringLiteral("Font"), font); };

std::function<bool(QWidget*, TColor&)> TFlatCalendarEditor::ChooseColor = [](QWidget* parent, TColor& color) {
    const QColor chosen = QColorDialog::getColor(ToQColor(color), parent);
    if (!chosen.isValid())
        return false;
    color = FromQColor(chosen);
    return true;
};

TFlatCalendarEditor::TFlatCalendarEditor(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Floating Calendar Properties"));
    auto* columns = new QHBoxLayout(this);
    auto* form = new QFormLayout;
    columns->addLayout(form);

    m_showYear = new QCheckBox(QStringLiteral("Show Year in Title"));
    m_showYear->setObjectName(QStringLiteral("ShowYear"));
    connect(m_showYear, &QCheckBox::toggled, this, [this](bool on) { apply([on](auto& s) { s.SetShowYear(on); }); });
    form->addRow(m_showYear);

    QStringList months;
    for (int month = 1; month <= 12; ++month)
        months << TQFlatCalendar::MonthName(TQFlatCalendar::fclEnglish, month);
    m_month = addCombo("Month", months, [this](int i) { apply([i](auto& s) { s.SetMonth(i + 1); }); });
    form->addRow(QStringLiteral("Month"), m_month);

    m_year = new QSpinBox;
    m_year->setObjectName(QStringLiteral("Year"));
    m_year->setRange(1950, 2500);
    m_year->setValue(QDate::currentDate().isValid() ? QDate::currentDate().year() : 1998);
    connect(m_year, &QSpinBox::valueChanged, this, [this](int v) { apply([v](auto& s) { s.SetYear(v); }); });
    form->addRow(QStringLiteral("Year"), m_year);

    auto* week = new QGroupBox(QStringLiteral("Week Starts On"));
    auto* weekLayout = new QHBoxLayout(week);
    m_sunday = new QRadioButton(QStringLiteral("Sunday"));
    m_monday = new QRadioButton(QStringLiteral("Monday"));
    m_sunday->setObjectName(QStringLiteral("Sunday"));
    m_monday->setObjectName(QStringLiteral("Monday"));
    weekLayout->addWidget(m_sunday);
    weekLayout->addWidget(m_monday);
    connect(m_sunday, &QRadioButton::toggled, this,
            [this](bool on) { apply([on](auto& s) { s.SetStartOfWeek(on ? 1 : 2); }); });
    form->addRow(week);

    m_headerStyle = addCombo(
        "HeaderStyle",
        {QStringLiteral("First Character"), QStringLiteral("First Three Characters"), QStringLiteral("Whole Word")},
        [this](int i) { apply([i](auto& s) { s.SetDayNameStyle(TQFlatCalendar::TFlatCalHeadersStyle(i)); }); });
    form->addRow(QStringLiteral("Header Style"), m_headerStyle);

    using Border = TQFlatCalendar::TFlatCalBorderStyle;
    m_calendarBorder = addCombo("CalendarBorder", BorderItems(),
                                [this](int i) { apply([i](auto& s) { s.SetCalendarBorderStyle(Border(i)); }); });
    form->addRow(QStringLiteral("Calendar "), m_calendarBorder);
    m_headerBorder = addCombo("HeaderBorder", BorderItems(),
                              [this](int i) { apply([i](auto& s) { s.SetDayNameBorderStyle(Border(i)); }); });
    form->addRow(QStringLiteral("Header"), m_headerBorder);
    m_cellBorder = addCombo("CellBorder", BorderItems(),
                            [this](int i) { apply([i](auto& s) { s.SetCellBorderStyle(Border(i)); }); });
    form->addRow(QStringLiteral("Cell "), m_cellBorder);

    const auto colorButton = [this, form](const QString& caption, TColor (TQFlatCalendar::*get)() const,
                                          void (TQFlatCalendar::*set)(TColor)) {
        auto* button = new QPushButton(caption);
        connect(button, &QPushButton::clicked, this, [this, get, set] {
            TColor color = (m_sample->*get)();
            if (ChooseColor(this, color))
                (m_sample->*set)(color);
        });
        form->addRow(button);
    };
    colorButton(QStringLiteral("Title Background"), &TQFlatCalendar::TitleBGcolor, &TQFlatCalendar::SetTitleBGcolor);
    colorButton(QStringLiteral("Header Background "), &TQFlatCalendar::DayNameBGColor,
                &TQFlatCalendar::SetDayNameBGColor);
    colorButton(QStringLiteral("Body Background "), &TQFlatCalendar::Backgroundcolor,
                &TQFlatCalendar::SetBackgroundcolor);

    const auto fontButton = [this, form](const QString& caption, FontDescription (TQFlatCalendar::*get)() const,
                                         void (TQFlatCalendar::*set)(const FontDescription&)) {
        auto* button = new QPushButton(caption);
        connect(button, &QPushButton::clicked, this, [this, get, set] {
            FontDescription font = (m_sample->*get)();
            if (ChooseFont(this, font))
                (m_sample->*set)(font);
        });
        form->addRow(button);
    };
    fontButton(QStringLiteral("Title Font"), &TQFlatCalendar::TitleFont, &TQFlatCalendar::SetTitleFont);
    fontButton(QStringLiteral("Header Font"), &TQFlatCalendar::DayNameFont, &TQFlatCalendar::SetDayNameFont);
    fontButton(QStringLiteral("Cell Font"), &TQFlatCalendar::CellFont, &TQFlatCalendar::SetCellFont);

    auto* shadow = new QGroupBox(QStringLiteral("Shadow"));
    auto* shadowForm = new QFormLayout(shadow);
    auto* shadowColor = new QPushButton(QStringLiteral("Color"));
    connect(shadowColor, &QPushButton::clicked, this, [this] {
        TColor color = m_sample->ShadowColor();
        if (ChooseColor(this, color))
            m_sample->SetShadowColor(color);
    });
    shadowForm->addRow(shadowColor);
    m_orientation = addCombo(
        "Orientation",
        {QStringLiteral("Lower Right"), QStringLiteral("Lower Left"), QStringLiteral("UpperRight"),
         QStringLiteral("UpperLeft")},
        [this](int i) { apply([i](auto& s) { s.SetShadowPosition(TQFlatCalendar::TFlatShadowPosition(i)); }); });
    shadowForm->addRow(QStringLiteral("Orientation"), m_orientation);
    m_depth = new QSpinBox;
    m_depth->setObjectName(QStringLiteral("Depth"));
    m_depth->setRange(0, TQFlatCalendar::kMaxShadowDepth);
    connect(m_depth, &QSpinBox::valueChanged, this, [this](int v) { apply([v](auto& s) { s.SetShadowDepth(v); }); });
    shadowForm->addRow(QStringLiteral("Depth"), m_depth);
    form->addRow(shadow);

    m_language =
        addCombo("Language",
                 {QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("Français"),
                  QStringLiteral("L'italiano"), QStringLiteral("Español")},
                 [this](int i) { apply([i](auto& s) { s.SetLanguage(TQFlatCalendar::TFlatCalLanguage(i)); }); });
    form->addRow(QStringLiteral("Language"), m_language);
    m_transparent = new QCheckBox(QStringLiteral("Transparent"));
    m_transparent->setObjectName(QStringLiteral("Transparent"));
    connect(m_transparent, &QCheckBox::toggled, this,
            [this](bool on) { apply([on](auto& s) { s.SetCalTransparent(on); }); });
    form->addRow(m_transparent);

    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    auto* preview = new TObjectPreview;
    preview->setMinimumSize(220, 200);
    m_sample = new TQFlatCalendar;
    preview->Show(m_sample);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->Loaded();
    right->addWidget(preview, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kHelpTopic); });
    right->addWidget(buttons);
    showSample();
}

QComboBox* TFlatCalendarEditor::addCombo(const char* name, const QStringList& items,
                                         const std::function<void(int)>& set)
{
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    connect(box, &QComboBox::currentIndexChanged, this, set);
    return box;
}

void TFlatCalendarEditor::apply(const std::function<void(TQFlatCalendar&)>& change)
{
    if (!m_filling)
        change(*m_sample);
}

void TFlatCalendarEditor::LoadFrom(const TQFlatCalendar& object)
{
    m_sample->CopyPropertiesFrom(object);
    m_sample->resize(object.Width(), object.Height());
    showSample();
}

void TFlatCalendarEditor::showSample()
{
    m_filling = true;
    const TQFlatCalendar& s = *m_sample;
    m_showYear->setChecked(s.ShowYear());
    m_month->setCurrentIndex(s.Month() - 1);
    m_year->setValue(s.Year());
    (s.StartOfWeek() == 1 ? m_sunday : m_monday)->setChecked(true);
    m_headerStyle->setCurrentIndex(s.DayNameStyle());
    m_calendarBorder->setCurrentIndex(s.CalendarBorderStyle());
    m_headerBorder->setCurrentIndex(s.DayNameBorderStyle());
    m_cellBorder->setCurrentIndex(s.CellBorderStyle());
    m_orientation->setCurrentIndex(s.ShadowPosition());
    m_depth->setValue(s.ShadowDepth());
    m_language->setCurrentIndex(s.Language());
    m_transparent->setChecked(s.CalTransparent());
    m_filling = false;
}

bool TFlatCalendarEditor::Edit(TQFlatCalendar& object)
{
    TFlatCalendarEditor dialog(WindowOf(object));
    dialog.LoadFrom(object);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    object.CopyPropertiesFrom(*dialog.Sample());
    return true;
}
