// The rich text editor control: a page of a size in twips with zero margins, shown at a zoom in percent
// (text and pictures scale, editing stays exact), white, single border, no scroll bars, word wrap.
#pragma once

#include "platform/fontdescription.h"

#include <QGraphicsView>
#include <QImage>

class QGraphicsTextItem;
class QMimeData;
class QTextCharFormat;
class QTextDocument;
class TWPRtfStorage;

class TWPRichText : public QGraphicsView
{
    Q_OBJECT

public:
    explicit TWPRichText(QWidget* parent = nullptr);
    ~TWPRichText() override;

    void SetPageSize(int widthTwips, int heightTwips);
    int PageWidthTwips() const { return m_pageWidthTwips; }
    int PageHeightTwips() const { return m_pageHeightTwips; }
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    // The colour behind the text (white unless set).
    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const;

    // Copies the storage's text in; raises no change notification.
    void LoadFrom(const TWPRtfStorage& storage);
    void SaveTo(TWPRtfStorage& storage) const;
    void Clear();
    bool IsEmpty() const;
    // Characters including paragraph ends between paragraphs; a picture counts as one.
    int CharacterCount() const;
    QString PlainText() const;
    const QTextDocument& Document() const;

    // Inserts the picture at the caret as one character, no wider than the page.
    void InsertPicture(const QImage& image);
    // Inserts the pictures the data holds at the caret; false when it holds none.
    bool InsertPicturesFrom(const QMimeData* mime);
    void SelectAll();
    void SetSelection(int start, int end);
    int CaretPosition() const;
    void SetCaretPosition(int position);
    bool HasSelection() const;
    void Copy();
    void Cut();
    void Paste();

    // Character attributes: applied to the selection and to the insertion point, so new text takes them.
    void SetInsertionAttributes(const FontDescription& font);
    // The default editor font at the insertion point only: selected text keeps its attributes.
    void SetDefaultFontNow(const FontDescription& font);
    void SetFontName(const QString& name);
    void SetFontSize(int points);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetStrikeOut(bool on);
    void SetColor(const QColor& color);
    // The attributes new text typed at the caret gets.
    FontDescription InsertionAttributes() const;
    // The attributes of the character at a position; `own` says whether it carries its own.
    FontDescription AttributesAt(int position, bool* own = nullptr) const;
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const;
    // Appends a new last paragraph holding the text in the attributes (the first paragraph when empty).
    void AppendParagraph(const QString& text, const FontDescription& font);

signals:
    // The text or its formatting changed by editing (not by LoadFrom).
    void changed();
    // The editor got the keyboard focus.
    void entered();
    // A picture was dropped into the text; the owner marks its document modified.
    void pictureDropped();
    // The caret moved or the attributes at it changed (tool bars follow this).
    void insertionAttributesChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void MergeInsertionFormat(const QTextCharFormat& format);
    void UpdateGeometry();
    void ContentsChanged();
    void KeepCaretVisible();
    void CaretMaybeMoved();

    QGraphicsTextItem* m_item = nullptr;
    QTextDocument* m_doc = nullptr;
    int m_pageWidthTwips = 0;
    int m_pageHeightTwips = 0;
    int m_zoom = 100;
    bool m_loading = false;
    int m_lastPosition = -1;
    int m_lastAnchor = -1;
};
