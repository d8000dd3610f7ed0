#include "appearancetabs.h"

#include "propertiescontrols.h"
#include "propertiesstate.h"

#include "editor/calendarpanel32.h"
#include "widgets/colorbutton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

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

QGroupBox* fontGroup(QWidget* page, const QString& title)
{
    auto* group = new QGroupBox(title, page);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(8);
    return group;
}

QStringList headerStyles()
{
    return {QStringLiteral("First Character"), QStringLiteral("First Three Characters"), QStringLiteral("Whole Word")};
}

} // namespace

TAppearanceTabs::TAppearanceTabs(TPropertiesState& state, QObject* parent) : QObject(parent), m_state(state) {}

QPushButton* TAppearanceTabs::fontButton(QGroupBox* group, const QString& name,
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
        TCalendarPanel32& page = *m_state.example;
        FontDescription font = read(page);
        if (m_state.chooseFont && m_state.chooseFont(font, group->title() + QStringLiteral(" Font")))
            write(page, font);
        page.update();
        showFontDescriptions();
    });
    m_fontSamples.append({sample, get});
    auto* row = static_cast<QHBoxLayout*>(group->layout());
    row->insertWidget(0, button);
    row->addWidget(sample, 1);
    return button;
}

TColorButton* TAppearanceTabs::colorButton(QGroupBox* group, const QString& name, void (TCalendarPanel32::*set)(int))
{
    auto* button = new TColorButton(QStringLiteral("Background"), group);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(QStringLiteral("Choose the background color"));
    const std::function<void(TCalendarPanel32&, int)> write = set;
    connect(button, &TColorButton::ColorChanged, this, [this, write](TColor color) {
        if (m_state.updating)
            return;
        write(*m_state.example, color);
        m_state.example->update();
    });
    auto* row = static_cast<QHBoxLayout*>(group->layout());
    // Beside the font button when the group has one, before the words describing the font.
    row->insertWidget(row->count() > 0 ? 1 : 0, button);
    if (row->count() == 1)
        row->addStretch(1);
    return button;
}

QWidget* TAppearanceTabs::BuildFontsPage()
{
    QWidget* page = NewPropertiesPage("FontsPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
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

QWidget* TAppearanceTabs::BuildMiniFontsPage()
{
    QWidget* page = NewPropertiesPage("MiniFontsPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
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

QWidget* TAppearanceTabs::BuildHeadersPage()
{
    QWidget* page = NewPropertiesPage("HeadersPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    column->addWidget(BoldCaption(QStringLiteral("Header Style"), page));
    m_headerStyle = NamedComboBox(page, "CalHeaderStyleCombo", headerStyles());
    m_headerStyle->setToolTip(QStringLiteral("How the day names above the month are written"));
    connect(m_headerStyle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_state.updating && index >= 0)
            m_state.example->SetHeadersStyle(static_cast<TCalHeadersStyle>(index));
    });
    column->addWidget(m_headerStyle);
    column->addSpacing(12);
    column->addWidget(BoldCaption(QStringLiteral("Mini Header Style"), page));
    m_miniHeaderStyle = NamedComboBox(page, "MiniHeadersStyleCombo", headerStyles());
    m_miniHeaderStyle->setToolTip(QStringLiteral("How the day names of the mini calendars are written"));
    connect(m_miniHeaderStyle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_state.updating && index >= 0)
            m_state.example->SetMiniHeadersStyle(static_cast<TCalHeadersStyle>(index));
    });
    column->addWidget(m_miniHeaderStyle);
    column->addStretch(1);
    return page;
}

QWidget* TAppearanceTabs::BuildLinesPage()
{
    QWidget* page = NewPropertiesPage("LinesPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    column->addWidget(BoldCaption(QStringLiteral("Calendar Line Style"), page));
    m_lineLayout =
        NamedComboBox(page, "CalendarLineLayoutCombo",
                      {QStringLiteral("Full"), QStringLiteral("Headers & Cells"), QStringLiteral("Cells Only")});
    connect(m_lineLayout, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_state.updating && index >= 0)
            m_state.example->SetCalendarLineLayout(static_cast<TCalendarLineLayout>(index));
    });
    column->addWidget(m_lineLayout);
    column->addSpacing(12);
    column->addWidget(BoldCaption(QStringLiteral("Mini-Calendar Line Style"), page));
    m_miniLineLayout = NamedComboBox(page, "MiniCalendarLineLayoutCombo",
                                     {QStringLiteral("Full"), QStringLiteral("Boxed"), QStringLiteral("Minimal")});
    connect(m_miniLineLayout, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_state.updating && index >= 0)
            m_state.example->SetMiniCalendarLineLayout(static_cast<TMiniCalendarLineLayout>(index));
    });
    column->addWidget(m_miniLineLayout);
    column->addStretch(1);
    return page;
}

void TAppearanceTabs::Fill()
{
    TCalendarPanel32& page = *m_state.example;
    m_titleBGColor->SetColor(page.TitleBGColor());
    m_headerBGColor->SetColor(page.HeadersBGColor());
    m_miniHeadersBGColor->SetColor(page.MiniHeadersBGColor());
    m_miniCalBGColor->SetColor(page.MiniCalBGColor());
    m_headerStyle->setCurrentIndex(page.HeadersStyle());
    m_miniHeaderStyle->setCurrentIndex(page.MiniHeadersStyle());
    m_lineLayout->setCurrentIndex(page.CalendarLineLayout());
    m_miniLineLayout->setCurrentIndex(page.MiniCalendarLineLayout());
    showFontDescriptions();
}

void TAppearanceTabs::showFontDescriptions()
{
    for (const auto& [label, get] : m_fontSamples)
        label->setText(describeFont((m_state.example->*get)()));
}
