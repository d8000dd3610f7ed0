#include "wprichtext.h"

#include "charattributes.h"
#include "droppedimages.h"
#include "richdocument.h"
#include "rtfreader.h"
#include "rtfwriter.h"
#include "wprtfstorage.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

namespace {

// The item would frame itself with a dashed line while it has the focus, which looks like a box inside
// the cell; the editor's own border is the frame.
class PageTextItem : public QGraphicsTextItem
{
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override
    {
        QStyleOptionGraphicsItem plain(*option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QGraphicsTextItem::paint(painter, &plain, widget);
    }
};

} // namespace

TWPRichText::TWPRichText(QWidget* parent) : QGraphicsView(parent)
{
    setScene(new QGraphicsScene(this));
    m_doc = new TRichDocument(this);
    PrepareRichDocument(*m_doc);
    m_doc->setUndoRedoEnabled(true);
    m_item = new PageTextItem;
    m_item->setDocument(m_doc);
    m_item->setDefaultTextColor(Qt::black);
    m_item->setTextInteractionFlags(Qt::TextEditorInteraction);
    scene()->addItem(m_item);
    // A click on the page below the text must not take the keys away from the text.
    scene()->setStickyFocus(true);
    scene()->setFocusItem(m_item);

    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(Qt::white);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);

    connect(m_doc, &QTextDocument::contentsChanged, this, &TWPRichText::ContentsChanged);
    SetPageSize(TwipsFromPixels(200), TwipsFromPixels(100));
}

TWPRichText::~TWPRichText() = default;

void TWPRichText::SetPageSize(int widthTwips, int heightTwips)
{
    widthTwips = std::max(0, widthTwips);
    heightTwips = std::max(0, heightTwips);
    if (widthTwips == m_pageWidthTwips && heightTwips == m_pageHeightTwips)
        return;
    m_pageWidthTwips = widthTwips;
    m_pageHeightTwips = heightTwips;
    UpdateGeometry();
}

void TWPRichText::SetZoom(int percent)
{
    percent = std::clamp(percent, 1, 1000);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    UpdateGeometry();
}

void TWPRichText::SetBackgroundColor(const QColor& color)
{
    if (backgroundBrush() != QBrush(color))
        setBackgroundBrush(color);
}

QColor TWPRichText::BackgroundColor() const
{
    return backgroundBrush().color();
}

void TWPRichText::UpdateGeometry()
{
    const double width = PixelsFromTwips(m_pageWidthTwips);
    const double height = PixelsFromTwips(m_pageHeightTwips);
    m_item->setTextWidth(width > 0 ? width : -1);
    const QRectF page(0, 0, width, height);
    scene()->setSceneRect(page.united(m_item->boundingRect()));
    setTransform(QTransform::fromScale(m_zoom / 100.0, m_zoom / 100.0));
    KeepCaretVisible();
}

void TWPRichText::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    KeepCaretVisible();
}

void TWPRichText::ContentsChanged()
{
    const double width = PixelsFromTwips(m_pageWidthTwips);
    const double height = PixelsFromTwips(m_pageHeightTwips);
    scene()->setSceneRect(QRectF(0, 0, width, height).united(m_item->boundingRect()));
    if (!m_loading)
        emit changed();
    emit insertionAttributesChanged();
}

// Without scroll bars the view still follows the caret when the text grows past the page.
void TWPRichText::KeepCaretVisible()
{
    const QTextCursor cursor = m_item->textCursor();
    const QTextBlock block = cursor.block();
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) {
        centerOn(0, 0);
        ensureVisible(QRectF(0, 0, 1, 1), 0, 0);
        return;
    }
    const int offset = cursor.position() - block.position();
    const QTextLine line = layout->lineForTextPosition(offset);
    if (!line.isValid())
        return;
    const QPointF origin = m_doc->documentLayout()->blockBoundingRect(block).topLeft();
    const QRectF caret(origin.x() + line.cursorToX(offset), origin.y() + line.y(), 1, line.height());
    ensureVisible(m_item->mapRectToScene(caret), 0, 0);
}

void TWPRichText::LoadFrom(const TWPRtfStorage& storage)
{
    m_loading = true;
    CopyRichDocument(storage.Document(), *m_doc);
    m_doc->setUndoRedoEnabled(true);
    QTextCursor cursor(m_doc);
    m_item->setTextCursor(cursor);
    UpdateGeometry();
    m_loading = false;
    emit insertionAttributesChanged();
}

void TWPRichText::SaveTo(TWPRtfStorage& storage) const
{
    storage.SetDocument(*m_doc);
}

void TWPRichText::Clear()
{
    m_doc->clear();
    PrepareRichDocument(*m_doc);
    m_doc->setUndoRedoEnabled(true);
    m_item->setTextCursor(QTextCursor(m_doc));
}

bool TWPRichText::IsEmpty() const
{
    return m_doc->isEmpty();
}

int TWPRichText::CharacterCount() const
{
    return RichCharacterCount(*m_doc);
}

QString TWPRichText::PlainText() const
{
    return m_doc->toPlainText();
}

const QTextDocument& TWPRichText::Document() const
{
    return *m_doc;
}

void TWPRichText::InsertPicture(const QImage& image)
{
    if (image.isNull())
        return;
    QSizeF size = image.size();
    const double pageWidth = PixelsFromTwips(m_pageWidthTwips);
    if (pageWidth > 0 && size.width() > pageWidth)
        size = size.scaled(pageWidth, size.height(), Qt::KeepAspectRatio);
    QTextCursor cursor = m_item->textCursor();
    InsertRichPicture(cursor, image, size);
    m_item->setTextCursor(cursor);
}

bool TWPRichText::InsertPicturesFrom(const QMimeData* mime)
{
    const QList<QImage> images = DroppedImages(mime);
    for (const QImage& image : images)
        InsertPicture(image);
    return !images.isEmpty();
}

void TWPRichText::SelectAll()
{
    QTextCursor cursor(m_doc);
    cursor.select(QTextCursor::Document);
    m_item->setTextCursor(cursor);
}

void TWPRichText::SetSelection(int start, int end)
{
    const int last = RichCharacterCount(*m_doc);
    QTextCursor cursor(m_doc);
    cursor.setPosition(std::clamp(start, 0, last));
    cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
    m_item->setTextCursor(cursor);
}

int TWPRichText::CaretPosition() const
{
    return m_item->textCursor().position();
}

void TWPRichText::SetCaretPosition(int position)
{
    SetSelection(position, position);
}

bool TWPRichText::HasSelection() const
{
    return m_item->textCursor().hasSelection();
}

// The clipboard carries RTF for word processors, HTML and plain text for the rest.
void TWPRichText::Copy()
{
    const QTextCursor cursor = m_item->textCursor();
    if (!cursor.hasSelection())
        return;
    TRichDocument selection;
    PrepareRichDocument(selection);
    selection.setDefaultFont(m_doc->defaultFont());
    CopyPictureResources(*m_doc, selection);
    QTextCursor(&selection).insertFragment(cursor.selection());
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), WriteRtf(selection));
    mime->setHtml(selection.toHtml());
    mime->setText(selection.toPlainText());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TWPRichText::Cut()
{
    QTextCursor cursor = m_item->textCursor();
    if (!cursor.hasSelection())
        return;
    Copy();
    cursor.removeSelectedText();
    m_item->setTextCursor(cursor);
}

void TWPRichText::Paste()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    QTextCursor cursor = m_item->textCursor();
    for (const QString& type : {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")}) {
        if (!mime->hasFormat(type))
            continue;
        TRichDocument pasted;
        if (ReadRtf(mime->data(type), pasted) && !pasted.isEmpty()) {
            CopyPictureResources(pasted, *m_doc);
            cursor.insertFragment(QTextDocumentFragment(&pasted));
            m_item->setTextCursor(cursor);
            return;
        }
    }
    if (mime->hasImage()) {
        InsertPicture(qvariant_cast<QImage>(mime->imageData()));
    } else if (mime->hasText()) {
        cursor.insertText(mime->text());
        m_item->setTextCursor(cursor);
    }
}

void TWPRichText::MergeInsertionFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = m_item->textCursor();
    cursor.mergeCharFormat(format);
    if (m_doc->isEmpty()) {
        // An empty paragraph shows its caret in these attributes; that is no change of the text.
        const bool wasLoading = std::exchange(m_loading, true);
        cursor.mergeBlockCharFormat(format);
        m_loading = wasLoading;
    }
    m_item->setTextCursor(cursor);
    emit insertionAttributesChanged();
}

void TWPRichText::SetInsertionAttributes(const FontDescription& font)
{
    MergeInsertionFormat(CharFormatOf(font));
}

void TWPRichText::SetDefaultFontNow(const FontDescription& font)
{
    QTextCursor cursor = m_item->textCursor();
    if (cursor.hasSelection()) {
        cursor.clearSelection();
        m_item->setTextCursor(cursor);
    }
    SetInsertionAttributes(font);
}

void TWPRichText::SetFontName(const QString& name)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    MergeInsertionFormat(format);
}

void TWPRichText::SetFontSize(int points)
{
    QTextCharFormat format;
    format.setFontPointSize(std::max(1, points));
    MergeInsertionFormat(format);
}

void TWPRichText::SetBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeInsertionFormat(format);
}

void TWPRichText::SetItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    MergeInsertionFormat(format);
}

void TWPRichText::SetUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    MergeInsertionFormat(format);
}

void TWPRichText::SetStrikeOut(bool on)
{
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    MergeInsertionFormat(format);
}

void TWPRichText::SetColor(const QColor& color)
{
    QTextCharFormat format;
    format.setForeground(color);
    MergeInsertionFormat(format);
}

FontDescription TWPRichText::InsertionAttributes() const
{
    return EffectiveAttributes(*m_doc, m_item->textCursor().charFormat());
}

FontDescription TWPRichText::AttributesAt(int position, bool* own) const
{
    return CharAttributesAt(*m_doc, position, own);
}

void TWPRichText::SetAlignment(Qt::Alignment alignment)
{
    QTextCursor cursor = m_item->textCursor();
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
    m_item->setTextCursor(cursor);
    emit insertionAttributesChanged();
}

Qt::Alignment TWPRichText::Alignment() const
{
    return m_item->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

void TWPRichText::AppendParagraph(const QString& text, const FontDescription& font)
{
    AppendRichParagraph(*m_doc, text, font);
    QTextCursor cursor(m_doc);
    cursor.movePosition(QTextCursor::End);
    m_item->setTextCursor(cursor);
}

namespace {

// Ctrl+B, Ctrl+I and Ctrl+U, as every text editor has them: the style a key toggles, 0 for other keys.
int StyleKeyFlag(const QKeyEvent* event)
{
    if (event->modifiers() != Qt::ControlModifier)
        return 0;
    switch (event->key()) {
    case Qt::Key_B:
        return fsBold;
    case Qt::Key_I:
        return fsItalic;
    case Qt::Key_U:
        return fsUnderline;
    default:
        return 0;
    }
}

} // namespace

void TWPRichText::keyPressEvent(QKeyEvent* event)
{
    if (const int flag = StyleKeyFlag(event)) {
        // As the tool bar's buttons: the opposite of what the caret shows.
        const bool on = !(InsertionAttributes().style & flag);
        if (flag == fsBold)
            SetBold(on);
        else if (flag == fsItalic)
            SetItalic(on);
        else
            SetUnderline(on);
        return;
    }
    QGraphicsView::keyPressEvent(event);
    CaretMaybeMoved();
}

void TWPRichText::mousePressEvent(QMouseEvent* event)
{
    const QTextCursor before = m_item->textCursor();
    QGraphicsView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !itemAt(event->position().toPoint())) {
        // The text ends above the page's bottom: a click below it goes to the nearest place in it.
        const QPointF point = m_item->mapFromScene(mapToScene(event->position().toPoint()));
        const int position = m_doc->documentLayout()->hitTest(point, Qt::FuzzyHit);
        if (position >= 0)
            SetCaretPosition(position);
    }
    // A click where the caret already is keeps the attributes just chosen for the next characters.
    const QTextCursor after = m_item->textCursor();
    if (!before.hasSelection() && !after.hasSelection() && after.position() == before.position())
        m_item->setTextCursor(before);
    CaretMaybeMoved();
}

void TWPRichText::mouseReleaseEvent(QMouseEvent* event)
{
    QGraphicsView::mouseReleaseEvent(event);
    CaretMaybeMoved();
}

void TWPRichText::CaretMaybeMoved()
{
    const QTextCursor cursor = m_item->textCursor();
    if (cursor.position() == m_lastPosition && cursor.anchor() == m_lastAnchor)
        return;
    m_lastPosition = cursor.position();
    m_lastAnchor = cursor.anchor();
    KeepCaretVisible();
    emit insertionAttributesChanged();
}

void TWPRichText::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    scene()->setFocusItem(m_item);
    emit entered();
}

void TWPRichText::dragEnterEvent(QDragEnterEvent* event)
{
    if (CarriesImages(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    QGraphicsView::dragEnterEvent(event);
}

void TWPRichText::dragMoveEvent(QDragMoveEvent* event)
{
    if (CarriesImages(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    QGraphicsView::dragMoveEvent(event);
}

void TWPRichText::dropEvent(QDropEvent* event)
{
    if (!CarriesImages(event->mimeData())) {
        QGraphicsView::dropEvent(event);
        return;
    }
    const QPointF point = m_item->mapFromScene(mapToScene(event->position().toPoint()));
    const int position = m_doc->documentLayout()->hitTest(point, Qt::FuzzyHit);
    if (position >= 0)
        SetCaretPosition(position);
    if (!InsertPicturesFrom(event->mimeData()))
        return;
    event->acceptProposedAction();
    setFocus();
    emit pictureDropped();
}
