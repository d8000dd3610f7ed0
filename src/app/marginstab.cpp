#include "marginstab.h"

#include "propertiescontrols.h"
#include "propertiesstate.h"

#include "editor/calendarpanel32.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

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

} // namespace

TMarginsTab::TMarginsTab(TPropertiesState& state, QObject* parent) : QObject(parent), m_state(state) {}

QWidget* TMarginsTab::BuildPage()
{
    QWidget* page = NewPropertiesPage("MarginsPage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    auto* units = new QHBoxLayout;
    m_useInches = new QRadioButton(QStringLiteral("Use Inches"), page);
    m_useInches->setObjectName(QStringLiteral("useInches"));
    m_useInches->setChecked(true);
    m_useMillimeters = new QRadioButton(QStringLiteral("Use Millimeters"), page);
    m_useMillimeters->setObjectName(QStringLiteral("UseMillimeters"));
    connect(m_useInches, &QRadioButton::clicked, this, &TMarginsTab::useInchesClick);
    connect(m_useMillimeters, &QRadioButton::clicked, this, &TMarginsTab::useInchesClick);
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
        m_margins[i] = NamedComboBox(box, names[i], inchEntries());
        m_margins[i]->setMinimumWidth(80);
        label->setBuddy(m_margins[i]);
        connect(m_margins[i], &QComboBox::currentIndexChanged, this, [this, i] { marginChange(i); });
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

void TMarginsTab::Fill()
{
    TCalendarPanel32& page = *m_state.example;
    m_margins[0]->setCurrentIndex(MarginIndex(page.LeftMarginInch()));
    m_margins[1]->setCurrentIndex(MarginIndex(page.TopMarginInch()));
    m_margins[2]->setCurrentIndex(MarginIndex(page.RightMarginInch()));
    m_margins[3]->setCurrentIndex(MarginIndex(page.BottomMarginInch()));
}

float TMarginsTab::MarginInches(int index)
{
    return index >= 0 && index < 6 ? kMarginSizes[index] : 0.0f;
}

int TMarginsTab::MarginIndex(float inches)
{
    int index = 0;
    while (index < 5 && inches >= kMarginSizes[index + 1])
        ++index;
    return index;
}

void TMarginsTab::useInchesClick()
{
    const bool wasUpdating = m_state.updating;
    m_state.updating = true;
    const QStringList entries = m_useInches->isChecked() ? inchEntries() : millimetreEntries();
    for (QComboBox* combo : m_margins) {
        const int index = combo->currentIndex();
        combo->clear();
        combo->addItems(entries);
        combo->setCurrentIndex(index);
    }
    m_state.updating = wasUpdating;
}

void TMarginsTab::marginChange(int side)
{
    if (m_state.updating)
        return;
    const float inches = MarginInches(m_margins[side]->currentIndex());
    TCalendarPanel32& page = *m_state.example;
    if (side == 0)
        page.SetLeftMarginInch(inches);
    else if (side == 1)
        page.SetTopMarginInch(inches);
    else if (side == 2)
        page.SetRightMarginInch(inches);
    else
        page.SetBottomMarginInch(inches);
}
