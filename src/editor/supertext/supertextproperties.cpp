#include "supertextproperties.h"

#include "supertextmenu.h"

#include "editor/objectpreview.h"

#include "supertextbrushimagebrowser.h"
#include "supertextgetsymbol.h"

#include "platform/centerform.h"
#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 40014;
constexpr int kRefitInterval = 200; // ms: the preview refits at most five times a second while typing
constexpr int kFontStep = 5;
constexpr int kSmallestSteppedSize = 10;
constexpr int kLargestSteppedSize = 150;

QComboBox* Choices(const char* name, std::initializer_list<const char*> captions, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const char* caption : captions)
        box->addItem(QLatin1String(caption));
    return box;
}

QSpinBox* Spin(const char* name, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(0, 10);
    return spin;
}

void ShowColor(QPushButton* button, TColor color)
{
    QPixmap swatch(32, 12);
    swatch.fill(ToQColor(color));
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

} // namespace

std::function<bool(QWidget*, const QString&, const TQSuperText&, QString&, QImage&)>
    TSuperTextProperties::BrowseTexture =
        [](QWidget* parent, const QString& start, const TQSuperText& look, QString& file, QImage& picture) {
            TSuperTextBrushImageBrowser browser(parent);
            browser.Start(start, look);
            if (browser.exec() != QDialog::Accepted)
                return false;
            file = browser.FileName();
            picture = browser.Example()->Image();
            return true;
        };

std::function<bool(QWidget*, QString&, QChar&)> TSuperTextProperties::ChooseSymbol = [](QWidget* parent, QString& face,
                                                                                        QChar& symbol) {
    TSuperTextGetSymbol dialog(parent);
    if (!dialog.HasFonts() || dialog.exec() != QDialog::Accepted)
        return false;
    face = dialog.Face();
    symbol = dialog.Symbol();
    return true;
};

TSuperTextProperties::TSuperTextProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SuperTextProperties"));
    setWindowTitle(QStringLiteral("SuperText Properties"));
    auto* columns = new QHBoxLayout(this);
    auto* controls = new QVBoxLayout;
    columns->addLayout(controls);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel(QStringLiteral("Text"), this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("TextEdit"));
    m_text->setMaxLength(TQSuperText::kMaxCaptionLength);
    textRow->addWidget(m_text, 1);
    controls->addLayout(textRow);

    auto* fontRow = new QHBoxLayout;
    auto* fontButton = new QPushButton(QStringLiteral("Select Font"), this);
    fontButton->setObjectName(QStringLiteral("SelectFont"));
    auto* symbolButton = new QPushButton(QStringLiteral("Select Symbol"), this);
    symbolButton->setObjectName(QStringLiteral("SelectSymbol"));
    auto* sizeDown = new QToolButton(this);
    sizeDown->setObjectName(QStringLiteral("FontSizeDown"));
    sizeDown->setArrowType(Qt::DownArrow);
    auto* sizeUp = new QToolButton(this);
    sizeUp->setObjectName(QStringLiteral("FontSizeUp"));
    sizeUp->setArrowType(Qt::UpArrow);
    fontRow->addWidget(fontButton);
    fontRow->addWidget(symbolButton);
    fontRow->addWidget(sizeDown);
    fontRow->addWidget(sizeUp);
    controls->addLayout(fontRow);

    auto* form = new QFormLayout;
    m_surfaceType = Choices("SurfaceType", {"Normal", "Transparent", "Texture", "Gradient Fill"}, this);
    form->addRow(QStringLiteral("Surface Type"), m_surfaceType);
    controls->addLayout(form);

    // The option panels of the surface types share one place; transparent letters have none.
    m_panels = new QStackedWidget(this);
    auto* fontColorPanel = new QWidget(m_panels);
    auto* fontColorForm = new QFormLayout(fontColorPanel);
    fontColorForm->addRow(QStringLiteral("Font Color"), colorButton(
                                                            "FontColor", [this] { return m_preview->Font().color; },
                                                            [this](TColor c) {
                                                                FontDescription font = m_preview->Font();
                                                                font.color = c;
                                                                m_preview->SetFont(font);
                                                            }));
    auto* texturePanel = new QWidget(m_panels);
    auto* textureRow = new QHBoxLayout(texturePanel);
    auto* textureButton = new QPushButton(QStringLiteral("Load Texture"), texturePanel);
    textureButton->setObjectName(QStringLiteral("LoadTexture"));
    textureRow->addWidget(textureButton);
    auto* gradientPanel = new QWidget(m_panels);
    auto* gradientForm = new QFormLayout(gradientPanel);
    m_fillDirection = Choices("FillDirection", {"Up", "Down", "Left", "Right"}, gradientPanel);
    gradientForm->addRow(QStringLiteral("Fill Direction"), m_fillDirection);
    gradientForm->addRow(QStringLiteral("From Color"),
                         colorButton(
                             "FromColor", [this] { return m_preview->GradientFromColor(); },
                             [this](TColor c) { m_preview->SetGradientFromColor(c); }));
    gradientForm->addRow(QStringLiteral("To Color"), colorButton(
                                                         "ToColor", [this] { return m_preview->GradientToColor(); },
                                                         [this](TColor c) { m_preview->SetGradientToColor(c); }));
    // Indexed by surface type.
    m_panels->addWidget(fontColorPanel);
    m_panels->addWidget(new QWidget(m_panels));
    m_panels->addWidget(texturePanel);
    m_panels->addWidget(gradientPanel);
    controls->addWidget(m_panels);

    auto* outline = new QGroupBox(QStringLiteral("Outline"), this);
    auto* outlineForm = new QFormLayout(outline);
    outlineForm->addRow(QStringLiteral("Outline Color"),
                        colorButton(
                            "OutlineColor", [this] { return m_preview->OutlineColor(); },
                            [this](TColor c) { m_preview->SetOutlineColor(c); }));
    m_outlineStyle =
        Choices("OutlineStyle", {"Solid Line", "Dash Line", "Dotted Line", "DashDot Line", "DashDotDot Line", "Clear"},
                outline);
    outlineForm->addRow(QStringLiteral("OutLine Style"), m_outlineStyle);
    m_outlineWidth = Spin("OutlineWidth", outline);
    outlineForm->addRow(QStringLiteral("Outline Width"), m_outlineWidth);
    controls->addWidget(outline);

    auto* shadow = new QGroupBox(QStringLiteral("Shadow"), this);
    auto* shadowForm = new QFormLayout(shadow);
    shadowForm->addRow(QStringLiteral("Shadow Color"), colorButton(
                                                           "ShadowColor", [this] { return m_preview->Shadowcolor(); },
                                                           [this](TColor c) { m_preview->SetShadowcolor(c); }));
    m_shadowOrientation =
        Choices("ShadowOrientation", {"None", "Right", "Left", "Down and Right", "Down and Left", "Down"}, shadow);
    shadowForm->addRow(QStringLiteral("Shadow Orientation"), m_shadowOrientation);
    m_shadowDepth = Spin("ShadowDepth", shadow);
    shadowForm->addRow(QStringLiteral("Shadow Depth"), m_shadowDepth);
    controls->addWidget(shadow);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    controls->addLayout(buttons);

    auto* previewPanel = new QScrollArea(this);
    previewPanel->setObjectName(QStringLiteral("PreviewPanel"));
    previewPanel->setMinimumSize(320, 200);
    auto* previewHolder = new TObjectPreview;
    previewHolder->resize(1000, 400);
    m_preview = new TQSuperText;
    previewHolder->Show(m_preview);
    m_preview->setObjectName(QStringLiteral("PreviewText"));
    m_preview->SetBounds(QRect(0, 0, 100, 100));
    m_preview->Loaded();
    previewPanel->setWidget(previewHolder);
    columns->addWidget(previewPanel, 1);

    m_refitTimer = new QTimer(this);
    m_refitTimer->setInterval(kRefitInterval);
    connect(m_refitTimer, &QTimer::timeout, this, [this] {
        if (!m_textChanged)
            return;
        m_refitTimer->stop();
        m_textChanged = false;
        m_preview->FitToText();
        m_refitTimer->start();
    });
    m_refitTimer->start();

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_preview->SetCaption(text);
        m_textChanged = true;
    });
    connect(m_surfaceType, &QComboBox::activated, this,
            [this](int index) { chooseSurfaceType(TQSuperText::TSurfaceType(index)); });
    connect(m_fillDirection, &QComboBox::activated, this,
            [this](int index) { m_preview->SetFillDirection(TQSuperText::TFillDirection(index)); });
    connect(m_outlineStyle, &QComboBox::activated, this,
            [this](int index) { m_preview->SetOutlineStyle(TQSuperText::TPenStyle(index)); });
    connect(m_shadowOrientation, &QComboBox::activated, this,
            [this](int index) { m_preview->SetShadowOrientation(TQSuperText::TShadowOrientation(index)); });
    connect(m_outlineWidth, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_updating)
            m_preview->SetOutlineWidth(v);
    });
    connect(m_shadowDepth, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_updating)
            m_preview->SetShadowDepth(v);
    });
    connect(sizeDown, &QToolButton::clicked, this, [this] { stepFontSize(-kFontStep); });
    connect(sizeUp, &QToolButton::clicked, this, [this] { stepFontSize(kFontStep); });
    connect(fontButton, &QPushButton::clicked, this, [this] { selectFont(); });
    connect(symbolButton, &QPushButton::clicked, this, [this] { selectSymbol(); });
    connect(textureButton, &QPushButton::clicked, this, [this] { loadTexture(); });
    connect(ok, &QPushButton::clicked, this, &TSuperTextProperties::accept);
    connect(cancel, &QPushButton::clicked, this, &TSuperTextProperties::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });

    showPreview();
    adjustSize();
    CenterForm(this);
}

QPushButton* TSuperTextProperties::colorButton(const char* name, std::function<TColor()> get,
                                               std::function<void(TColor)> set)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    m_colorButtons.append({button, get});
    connect(button, &QPushButton::clicked, this, [this, button, get, set] {
        TColor color = get();
        if (!TSuperTextMenu::ChooseColor(this, color))
            return;
        set(color);
        ShowColor(button, color);
    });
    return button;
}

void TSuperTextProperties::refreshColorButtons()
{
    for (const auto& [button, get] : m_colorButtons)
        ShowColor(button, get());
}

void TSuperTextProperties::SetFrom(const TQSuperText& object)
{
    m_preview->CopyLookFrom(object);
    m_preview->SetBounds(QRect(0, 0, m_preview->Width(), m_preview->Height()));
    m_lastTexture = object.LastBitmapFileNameandPath();
    m_lastTexturePicture = object.Image();
    showPreview();
}

void TSuperTextProperties::showPreview()
{
    m_updating = true;
    m_surfaceType->setCurrentIndex(m_preview->SurfaceType());
    m_fillDirection->setCurrentIndex(m_preview->FillDirection());
    m_outlineStyle->setCurrentIndex(std::min<int>(m_preview->OutlineStyle(), TQSuperText::psClear));
    m_outlineWidth->setValue(m_preview->OutlineWidth());
    m_shadowOrientation->setCurrentIndex(m_preview->ShadowOrientation());
    m_shadowDepth->setValue(m_preview->ShadowDepth());
    m_text->setText(m_preview->Caption());
    QFont face = m_text->font();
    face.setFamily(m_preview->Font().name);
    m_text->setFont(face);
    m_panels->setCurrentIndex(m_preview->SurfaceType());
    refreshColorButtons();
    m_textChanged = false;
    m_updating = false;
}

void TSuperTextProperties::chooseSurfaceType(TQSuperText::TSurfaceType type)
{
    m_preview->SetSurfaceType(type);
    if (type == TQSuperText::stBrushImage)
        m_preview->SetImage(m_lastTexturePicture);
    m_preview->Repaint();
    m_preview->FitToText();
    m_outlineStyle->setCurrentIndex(std::min<int>(m_preview->OutlineStyle(), TQSuperText::psClear));
    m_panels->setCurrentIndex(type);
}

void TSuperTextProperties::stepFontSize(int step)
{
    FontDescription font = m_preview->Font();
    if (step < 0 ? font.size <= kSmallestSteppedSize : font.size >= kLargestSteppedSize)
        return;
    font.size += step;
    m_preview->SetFont(font);
    m_preview->FitToText();
}

void TSuperTextProperties::selectFont()
{
    FontDescription font = m_preview->Font();
    if (!TSuperTextMenu::ChooseFont(this, font))
        return;
    m_preview->ApplyFont(font);
    m_preview->FitToText();
    QFont face = m_text->font();
    face.setFamily(font.name);
    m_text->setFont(face);
}

void TSuperTextProperties::selectSymbol()
{
    QString faceName;
    QChar symbol;
    if (!ChooseSymbol(this, faceName, symbol))
        return;
    FontDescription font = m_preview->Font();
    font.name = faceName;
    m_preview->SetFont(font);
    m_text->setText(symbol.isNull() ? QString() : QString(symbol));
    QFont face = m_text->font();
    face.setFamily(faceName);
    m_text->setFont(face);
    m_preview->FitToText();
    m_preview->Repaint();
}

void TSuperTextProperties::loadTexture()
{
    const QString currentDirectory = QDir::currentPath();
    QString file;
    QImage picture;
    if (BrowseTexture(this, m_lastTexture, *m_preview, file, picture)) {
        m_preview->SetImage(picture);
        m_lastTexturePicture = picture;
        m_lastTexture = file;
    }
    QDir::setCurrent(currentDirectory);
    m_preview->FitToText();
}

void TSuperTextProperties::accept()
{
    if (m_text->text().isEmpty()) {
        ShowInformation(QStringLiteral("Please enter some text"));
        m_text->setFocus();
        return;
    }
    QDialog::accept();
}

void TSuperTextProperties::ApplyTo(TQSuperText& object) const
{
    const TQSuperText& p = *m_preview;
    object.SetGradientFromColor(p.GradientFromColor());
    object.SetFillDirection(p.FillDirection());
    object.SetGradientToColor(p.GradientToColor());
    object.SetImage(p.Image());
    object.SetOutlineColor(p.OutlineColor());
    object.SetOutlineStyle(p.OutlineStyle());
    object.SetOutlineWidth(p.OutlineWidth());
    object.SetShadowcolor(p.Shadowcolor());
    object.SetShadowDepth(p.ShadowDepth());
    object.SetShadowOrientation(p.ShadowOrientation());
    object.SetSurfaceType(p.SurfaceType());
    object.SetLastBitmapFileNameandPath(m_lastTexture);
    object.ApplyFont(p.Font());
    object.SetCaption(p.Caption());
    if (object.SurfaceType() == TQSuperText::stGradientFill)
        object.BuildGradient();
    object.CalculateLayout();
    object.Repaint();
    object.NotifyChanged();
}
