#include "qfont3deffects.h"

#include "editor/objectpreview.h"
#include "editor/qbasepanel.h"

#include "colordrop.h"
#include "document/label/qplabel.h"

#include "platform/centerform.h"
#include "platform/help.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 40008;

QComboBox* NewCombo(QWidget* parent, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    return combo;
}

QStringList Depths()
{
    QStringList depths;
    for (int d = 0; d <= 10; ++d)
        depths << QString::number(d);
    return depths;
}

} // namespace

TQFont3DEffects::TQFont3DEffects(TQBaseLabel* label) : QDialog(label ? WindowOf(*label) : nullptr), m_label(label)
{
    setWindowTitle(QStringLiteral("Text 3D Effects"));
    auto* column = new QVBoxLayout(this);

    auto* preview = new TObjectPreview(this);
    preview->setFrameShape(QFrame::StyledPanel);
    preview->setFixedSize(260, 90);
    m_sample = new TQPLabel;
    preview->Show(m_sample);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->SetTransparent(false);
    m_sample->SetBackColor(clWhite);
    m_sample->SetBounds(preview->contentsRect());
    column->addWidget(preview, 0, Qt::AlignHCenter);

    auto* form = new QFormLayout;
    m_shadowDirection =
        NewCombo(this, {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
                        QStringLiteral("Lower Right"), QStringLiteral("Lower Left"), QStringLiteral("Down")});
    m_shadowDepth = NewCombo(this, Depths());
    m_highlightDirection =
        NewCombo(this, {QStringLiteral("None"), QStringLiteral("Right"), QStringLiteral("Left"),
                        QStringLiteral("Upper Right"), QStringLiteral("Upper Left"), QStringLiteral("Up")});
    m_highlightDepth = NewCombo(this, Depths());
    m_shadowColor = new TColorDrop(this);
    m_highlightColor = new TColorDrop(this);
    m_fontColor = new TColorDrop(this);
    form->addRow(QStringLiteral("Shadow Direction"), m_shadowDirection);
    form->addRow(QStringLiteral("Shadow Depth"), m_shadowDepth);
    form->addRow(QStringLiteral("Shadow Color"), m_shadowColor);
    form->addRow(QStringLiteral("Highlight Direction"), m_highlightDirection);
    form->addRow(QStringLiteral("Highlight Depth"), m_highlightDepth);
    form->addRow(QStringLiteral("Highlight Color"), m_highlightColor);
    form->addRow(QStringLiteral("Font Color"), m_fontColor);
    column->addLayout(form);

    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(help);
    column->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &TQFont3DEffects::OkClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });

    // Every change shows at once on the sample.
    TQPLabel* sample = m_sample;
    connect(m_shadowDirection, &QComboBox::activated, sample,
            [sample](int i) { sample->SetDirectionShadow(TQBaseLabel::TShadowDirection(i)); });
    connect(m_shadowDepth, &QComboBox::activated, sample, [sample](int i) { sample->SetDepthShadow(i); });
    connect(m_highlightDirection, &QComboBox::activated, sample,
            [sample](int i) { sample->SetDirectionHighlight(TQBaseLabel::THighlightDirection(i)); });
    connect(m_highlightDepth, &QComboBox::activated, sample, [sample](int i) { sample->SetDepthHighlight(i); });
    connect(m_shadowColor, &TColorDrop::OnChange, sample,
            [this] { m_sample->SetcolorShadow(m_shadowColor->SelectedColor()); });
    connect(m_highlightColor, &TColorDrop::OnChange, sample,
            [this] { m_sample->SetcolorHighlight(m_highlightColor->SelectedColor()); });
    connect(m_fontColor, &TColorDrop::OnChange, sample, [this] {
        FontDescription font = m_sample->Font();
        font.color = m_fontColor->SelectedColor();
        m_sample->SetFont(font);
    });
}

void TQFont3DEffects::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterForm(this);
    FormActivate();
}

void TQFont3DEffects::FormActivate()
{
    if (!m_label)
        return;
    m_sample->AssignEffects(*m_label);
    m_shadowDirection->setCurrentIndex(m_label->DirectionShadow());
    // A depth beyond the list (possible in documents) shows no selection.
    m_shadowDepth->setCurrentIndex(m_label->DepthShadow() <= 10 ? m_label->DepthShadow() : -1);
    m_highlightDirection->setCurrentIndex(m_label->DirectionHighlight());
    m_highlightDepth->setCurrentIndex(m_label->DepthHighlight() <= 10 ? m_label->DepthHighlight() : -1);
    m_shadowColor->SetSelectedColor(m_label->colorShadow());
    m_highlightColor->SetSelectedColor(m_label->colorHighlight());
    m_fontColor->SetSelectedColor(m_label->Font().color);
}

void TQFont3DEffects::OkClick()
{
    if (m_label)
        m_label->AssignEffects(*m_sample);
    accept();
}
