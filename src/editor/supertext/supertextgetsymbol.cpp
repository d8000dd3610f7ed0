#include "supertextgetsymbol.h"

#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFirstCode = 32;
constexpr int kLastCode = 255;
constexpr int kColumns = 15;
constexpr int kRowHeight = 26;
constexpr int kSymbolPixels = 24;

} // namespace

QStringList TSuperTextGetSymbol::SymbolFonts()
{
    QStringList fonts;
    const QStringList families = QFontDatabase::families();
    for (auto family = families.crbegin(); family != families.crend(); ++family) {
        if (QFontDatabase::isSmoothlyScalable(*family) &&
            QFontDatabase::writingSystems(*family).contains(QFontDatabase::Symbol))
            fonts.append(*family);
    }
    return fonts;
}

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SuperTextGetSymbol"));
    setWindowTitle(QStringLiteral("Symbol Selector"));
    auto* column = new QVBoxLayout(this);
    auto* fontRow = new QHBoxLayout;
    auto* fontLabel = new QLabel(QStringLiteral("&Font"), this);
    fontRow->addWidget(fontLabel);
    m_fonts = new QComboBox(this);
    m_fonts->setObjectName(QStringLiteral("FontList"));
    fontLabel->setBuddy(m_fonts);
    fontRow->addWidget(m_fonts, 1);
    column->addLayout(fontRow);

    const int rows = (kLastCode - kFirstCode + kColumns) / kColumns;
    m_grid = new QTableWidget(rows, kColumns, this);
    m_grid->setObjectName(QStringLiteral("SymbolGrid"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->horizontalHeader()->setDefaultSectionSize(kRowHeight + 4);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        auto* item = new QTableWidgetItem(QString(QChar(code)));
        item->setTextAlignment(Qt::AlignCenter);
        item->setData(Qt::UserRole, code);
        m_grid->setItem((code - kFirstCode) / kColumns, (code - kFirstCode) % kColumns, item);
    }
    // Room for all columns beside the vertical scroll bar.
    m_grid->setMinimumSize(kColumns * (kRowHeight + 4) + 2 * m_grid->frameWidth() +
                               m_grid->verticalScrollBar()->sizeHint().width(),
                           8 * kRowHeight);
    column->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);

    connect(m_fonts, &QComboBox::currentTextChanged, this, [this](const QString& face) { showFace(face); });
    connect(m_grid, &QTableWidget::currentItemChanged, this, [this](QTableWidgetItem* item) {
        if (item)
            m_symbol = QChar(item->data(Qt::UserRole).toInt());
    });
    connect(m_grid, &QTableWidget::itemDoubleClicked, this, [this](QTableWidgetItem* item) {
        m_symbol = QChar(item->data(Qt::UserRole).toInt());
        accept();
    });
    connect(ok, &QPushButton::clicked, this, &TSuperTextGetSymbol::accept);
    connect(cancel, &QPushButton::clicked, this, &TSuperTextGetSymbol::reject);

    BusyCursor();
    const QStringList fonts = SymbolFonts();
    NormalCursor();
    m_hasFonts = !fonts.isEmpty();
    if (!m_hasFonts) {
        ShowInformation(QStringLiteral("No Symbol fonts installed"));
        return;
    }
    m_fonts->addItems(fonts);
    const auto wingdings = std::find_if(fonts.begin(), fonts.end(), [](const QString& name) {
        return name.toUpper().contains(QLatin1String("WINGDING"));
    });
    m_fonts->setCurrentIndex(wingdings != fonts.end() ? int(wingdings - fonts.begin()) : 0);
    showFace(m_fonts->currentText());
    adjustSize();
    CenterForm(this);
}

QString TSuperTextGetSymbol::Face() const
{
    return m_fonts->currentText();
}

void TSuperTextGetSymbol::showFace(const QString& face)
{
    QFont font(face);
    font.setPixelSize(kSymbolPixels);
    m_grid->setFont(font);
}

void TSuperTextGetSymbol::accept()
{
    if (Face().isEmpty() && m_symbol.isNull())
        return;
    QDialog::accept();
}
