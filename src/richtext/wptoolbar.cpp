#include "wptoolbar.h"

#include "wprichtext.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace {
const int kFontSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct NamedColor
{
    const char* name;
    QRgb rgb;
};

const NamedColor kColors[] = {
    {"Black", qRgb(0, 0, 0)},      {"Maroon", qRgb(128, 0, 0)},    {"Green", qRgb(0, 128, 0)},
    {"Olive", qRgb(128, 128, 0)},  {"Navy", qRgb(0, 0, 128)},      {"Purple", qRgb(128, 0, 128)},
    {"Teal", qRgb(0, 128, 128)},   {"Gray", qRgb(128, 128, 128)},  {"Silver", qRgb(192, 192, 192)},
    {"Red", qRgb(255, 0, 0)},      {"Lime", qRgb(0, 255, 0)},      {"Yellow", qRgb(255, 255, 0)},
    {"Blue", qRgb(0, 0, 255)},     {"Fuchsia", qRgb(255, 0, 255)}, {"Aqua", qRgb(0, 255, 255)},
    {"White", qRgb(255, 255, 255)}};

QIcon ColorSwatch(QRgb rgb)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(QColor(rgb));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

// The serif face of the style letters. "Times New Roman" is often another face's alias: found once, so
// that the bold and the italic letter do not search the fallback faces again (a few percent of a start).
QFont LetterFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(14);
    font.setFamily(QFontInfo(font).family());
    return font;
}

// A letter in its own style stands for the character style buttons.
QIcon StyleIcon(QFont font, const QString& letter, bool bold, bool italic, bool underline)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

// Four lines of text set the way the alignment sets them.
QIcon AlignmentIcon(Qt::Alignment alignment)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    for (int i = 0; i < 5; ++i) {
        const int width = (alignment == Qt::AlignJustify || i % 2 == 0) ? 14 : 9;
        int left = 1;
        if (alignment == Qt::AlignRight)
            left = 15 - width;
        else if (alignment == Qt::AlignHCenter)
            left = (16 - width) / 2;
        painter.drawLine(left, 2 + i * 3, left + width - 1, 2 + i * 3);
    }
    return QIcon(pixmap);
}

} // namespace

TWPToolBar::TWPToolBar(QWidget* parent) : QToolBar(parent)
{
    setIconSize(QSize(16, 16));

    m_fontName = new QFontComboBox(this);
    m_fontName->setToolTip(tr("Font"));
    m_fontName->setMaximumWidth(170);
    addWidget(m_fontName);

    m_fontSize = new QComboBox(this);
    m_fontSize->setToolTip(tr("Font Size"));
    m_fontSize->setEditable(true);
    for (int size : kFontSizes)
        m_fontSize->addItem(QString::number(size), size);
    addWidget(m_fontSize);

    m_color = new QComboBox(this);
    m_color->setToolTip(tr("Font Color"));
    for (const NamedColor& color : kColors)
        m_color->addItem(ColorSwatch(color.rgb), QLatin1String(color.name), QColor(color.rgb));
    addWidget(m_color);
    addSeparator();

    const QFont letters = LetterFont();
    m_bold = addAction(StyleIcon(letters, QStringLiteral("B"), true, false, false), tr("Bold"));
    m_italic = addAction(StyleIcon(letters, QStringLiteral("I"), false, true, false), tr("Italic"));
    m_underline = addAction(StyleIcon(letters, QStringLiteral("U"), false, false, true), tr("Underline"));
    for (QAction* action : {m_bold, m_italic, m_underline})
        action->setCheckable(true);
    addSeparator();

    m_alignment = new QActionGroup(this);
    m_alignLeft = AddAlignment(tr("Align Left"), Qt::AlignLeft);
    m_alignCenter = AddAlignment(tr("Center"), Qt::AlignHCenter);
    m_alignRight = AddAlignment(tr("Align Right"), Qt::AlignRight);
    m_alignJustify = AddAlignment(tr("Justify"), Qt::AlignJustify);
    addSeparator();

    m_copy = addAction(tr("Copy"));
    m_cut = addAction(tr("Cut"));
    m_paste = addAction(tr("Paste"));
    m_selectAll = addAction(tr("Select All"));

    // Every choice on the bar hands the keyboard focus back to the editor, so typing goes on there.
    // Names and sizes typed into the boxes are taken on Enter, never added to the lists.
    for (QComboBox* box : {static_cast<QComboBox*>(m_fontName), m_fontSize})
        box->setInsertPolicy(QComboBox::NoInsert);
    connect(m_fontName, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (m_editor && !m_following)
            m_editor->SetFontName(font.family());
    });
    connect(m_fontName, &QComboBox::activated, this, &TWPToolBar::ReturnFocus);
    connect(m_fontName->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const int index = m_fontName->findText(m_fontName->currentText(), Qt::MatchFixedString);
        if (index >= 0)
            m_fontName->setCurrentIndex(index);
        FollowEditor();
        ReturnFocus();
    });
    connect(m_fontSize, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (m_editor && !m_following && ok && size >= 6)
            m_editor->SetFontSize(size);
    });
    connect(m_fontSize, &QComboBox::activated, this, &TWPToolBar::ReturnFocus);
    // A size typed and confirmed with Enter; the box shows the caret's size again when it was no size.
    connect(m_fontSize->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        FollowEditor();
        ReturnFocus();
    });
    // Taken on every choice, also of the colour shown, which may be only the caret's among others selected.
    connect(m_color, &QComboBox::activated, this, [this](int index) {
        if (m_editor && index >= 0)
            m_editor->SetColor(m_color->itemData(index).value<QColor>());
        ReturnFocus();
    });
    connect(this, &QToolBar::actionTriggered, this, &TWPToolBar::ReturnFocus);
    connect(m_bold, &QAction::triggered, this, [this](bool on) {
        if (m_editor)
            m_editor->SetBold(on);
    });
    connect(m_italic, &QAction::triggered, this, [this](bool on) {
        if (m_editor)
            m_editor->SetItalic(on);
    });
    connect(m_underline, &QAction::triggered, this, [this](bool on) {
        if (m_editor)
            m_editor->SetUnderline(on);
    });
    connect(m_copy, &QAction::triggered, this, [this] {
        if (m_editor)
            m_editor->Copy();
    });
    connect(m_cut, &QAction::triggered, this, [this] {
        if (m_editor)
            m_editor->Cut();
    });
    connect(m_paste, &QAction::triggered, this, [this] {
        if (m_editor)
            m_editor->Paste();
    });
    connect(m_selectAll, &QAction::triggered, this, [this] {
        if (m_editor)
            m_editor->SelectAll();
    });
}

void TWPToolBar::paintEvent(QPaintEvent* event)
{
    QToolBar::paintEvent(event);
    if (m_themeIconsAsked)
        return;
    m_themeIconsAsked = true;
    // The icon theme's first look-up loads the theme, about a sixth of a start on a desktop, and usually
    // finds nothing for these: it waits until the window is on the screen.
    QMetaObject::invokeMethod(this, &TWPToolBar::TakeThemeIcons, Qt::QueuedConnection);
}

void TWPToolBar::TakeThemeIcons()
{
    const std::pair<QAction*, const char*> icons[] = {
        {m_copy, "edit-copy"}, {m_cut, "edit-cut"}, {m_paste, "edit-paste"}, {m_selectAll, "edit-select-all"}};
    for (const auto& [action, name] : icons)
        action->setIcon(QIcon::fromTheme(QLatin1String(name)));
}

QAction* TWPToolBar::AddAlignment(const QString& text, Qt::Alignment alignment)
{
    QAction* action = addAction(AlignmentIcon(alignment), text);
    action->setCheckable(true);
    m_alignment->addAction(action);
    connect(action, &QAction::triggered, this, [this, alignment] {
        if (m_editor)
            m_editor->SetAlignment(alignment);
    });
    return action;
}

void TWPToolBar::Attach(TWPRichText* editor)
{
    if (m_followConnection)
        disconnect(m_followConnection);
    m_editor = editor;
    if (editor) {
        m_followConnection = connect(editor, &TWPRichText::insertionAttributesChanged, this, &TWPToolBar::FollowEditor);
        FollowEditor();
    }
}

void TWPToolBar::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    // Actions keep their own state (shortcuts would fire otherwise).
    for (QAction* action : actions())
        action->setEnabled(enabled);
}

void TWPToolBar::ReturnFocus()
{
    if (m_editor && m_editor->isVisible())
        m_editor->setFocus(Qt::OtherFocusReason);
}

void TWPToolBar::SetJustifyVisible(bool visible)
{
    m_alignJustify->setVisible(visible);
}

// Showing the caret's attributes must not write them back into the editor.
void TWPToolBar::FollowEditor()
{
    if (!m_editor)
        return;
    m_following = true;
    const FontDescription font = m_editor->InsertionAttributes();
    m_fontName->setCurrentFont(QFont(font.name));
    m_fontSize->setCurrentText(QString::number(font.size));
    const QColor color = ToQColor(font.color);
    int colorIndex = m_color->findData(color);
    if (colorIndex < 0) {
        m_color->addItem(ColorSwatch(color.rgb()), color.name(), color);
        colorIndex = m_color->count() - 1;
    }
    m_color->setCurrentIndex(colorIndex);
    m_bold->setChecked(font.style & fsBold);
    m_italic->setChecked(font.style & fsItalic);
    m_underline->setChecked(font.style & fsUnderline);
    const Qt::Alignment alignment = m_editor->Alignment();
    if (alignment & Qt::AlignHCenter)
        m_alignCenter->setChecked(true);
    else if (alignment & Qt::AlignJustify)
        m_alignJustify->setChecked(true);
    else if (alignment & Qt::AlignRight)
        m_alignRight->setChecked(true);
    else
        m_alignLeft->setChecked(true);
    m_following = false;
}
