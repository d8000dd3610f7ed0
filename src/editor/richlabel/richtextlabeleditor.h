// The dialog in which a rich text label's text is edited: a rich text editor on a panel of the label's
// size, with the rich text tool bar and zoom buttons from 50 to 100 percent.
#pragma once

#include <QDialog>
#include <QSize>

class QFrame;
class QScrollArea;
class QToolButton;
class TWPRichText;
class TWPToolBar;

class TRichTextLabelEditor : public QDialog
{
    Q_OBJECT

public:
    explicit TRichTextLabelEditor(QWidget* parent = nullptr);

    TWPRichText* WPRichText1() const { return m_richText; }
    TWPToolBar* WPToolBar1() const { return m_toolBar; }
    // The panel holding the editor, sized like the label.
    QFrame* WPPanel() const { return m_panel; }
    QToolButton* ZoomMinusButton() const { return m_zoomMinus; }
    QToolButton* ZoomPlusButton() const { return m_zoomPlus; }
    // Shows the label's background behind the text.
    void SetPanelColor(const QColor& color);
    // The panel's size in pixels, the label's size (plus its frame) at the editor's zoom.
    void SetPanelSize(const QSize& size);

    // Ten percent more, up to 100; ten percent less, down to 50. The panel follows the zoom.
    void ZoomPlusButtonClick();
    void ZoomMinusButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void resizePanelToZoom();
    QWidget* m_panelHolder = nullptr;

    TWPToolBar* m_toolBar = nullptr;
    QToolButton* m_zoomMinus = nullptr;
    QToolButton* m_zoomPlus = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QFrame* m_panel = nullptr;
    TWPRichText* m_richText = nullptr;
    bool m_activated = false;
    // The panel's size and the zoom when the dialog first became active; zooming scales from them.
    QSize m_baseSize;
    int m_baseZoom = 100;
};
