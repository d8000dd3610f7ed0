#include "qprichbaselabel.h"

#include "editor/richlabel/richtextlabeleditor.h"
#include "richlabeldraw.h"

#include "platform/cursors.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "report/reportprinter.h"
#include "richtext/richdocument.h"
#include "richtext/rtfwriter.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"

#include <QAction>
#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QTextDocument>
#include <QWidget>

#include <cmath>

namespace {
// No paper is this many pixels (over 100 inches) wide or high; larger labels come only from damaged files.
constexpr int kMaxLabelPixels = 10000;
constexpr int kNewWidth = 190;
constexpr int kNewHeight = 33;

// Twips of a length in device pixels, at the device's pixels per page pixel.
int TwipsOf(int devicePixels, double scale)
{
    return static_cast<int>(std::trunc(devicePixels / scale / ScreenPixelsPerInch() * kTwipsPerInch));
}
} // namespace

TQPRichBaseLabel::TQPRichBaseLabel(QObject* parent) : TQGraphicControl(parent), m_text(new TWPRtfStorage)
{
    resize(kNewWidth, kNewHeight);
}

TQPRichBaseLabel::~TQPRichBaseLabel() = default;

void TQPRichBaseLabel::SetRTFText(const TWPRtfStorage& text)
{
    m_text->Assign(text);
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

QByteArray TQPRichBaseLabel::RTFData() const
{
    // A label stores its text even when it has none: as a document without text.
    const QByteArray bytes = m_text->RtfData();
    if (!bytes.isEmpty())
        return bytes;
    QTextDocument empty;
    PrepareRichDocument(empty);
    return WriteRtf(empty);
}

void TQPRichBaseLabel::SetRTFData(const QByteArray& bytes)
{
    m_text->SetRtfData(bytes);
    Repaint();
}

void TQPRichBaseLabel::SetBorderStyle(TBorderStyle v)
{
    if (v == m_borderStyle)
        return;
    m_borderStyle = v;
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

void TQPRichBaseLabel::SetTransparent(bool v)
{
    if (v == m_transparent)
        return;
    m_transparent = v;
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

void TQPRichBaseLabel::SetBGColor(TColor v)
{
    if (v == m_bgColor)
        return;
    m_bgColor = v;
    Repaint();
    if (!IsLoading())
        NotifyChanged();
}

void TQPRichBaseLabel::ignoreValuesOutOfRange()
{
    // Each value no label can have is noted and gives way to the one a new label has.
    if (!AcceptValue(IsEnumValue(m_borderStyle, bsSingle), "BorderStyle", m_borderStyle))
        m_borderStyle = bsSingle;
    if (!AcceptValue(IsColorValue(m_bgColor), "BGColor", m_bgColor))
        m_bgColor = clWhite;
    if (!AcceptValue(Width() <= kMaxLabelPixels, "Width", Width()))
        resize(kNewWidth, Height());
    if (!AcceptValue(Height() <= kMaxLabelPixels, "Height", Height()))
        resize(Width(), kNewHeight);
}

void TQPRichBaseLabel::Loaded()
{
    const bool wasLoading = IsLoading();
    if (wasLoading)
        ignoreValuesOutOfRange();
    TQGraphicControl::Loaded();
    if (!wasLoading)
        return;
    // Through the menu's entry, so that what it changes is named after it.
    DblClickAction = [this](QObject*) {
        ObjectMenu();
        m_editItem->trigger();
    };
}

void TQPRichBaseLabel::AddMenuItems(QMenu& objectMenu)
{
    QMenu* menu = &objectMenu;
    menu->addSeparator();
    m_transparentItem =
        menu->addAction(QStringLiteral("Transparent"), this, [this] { SetTransparent(!m_transparent); });
    m_transparentItem->setCheckable(true);
    menu->addAction(QStringLiteral("Background Color"), this, [this] { ChooseBackgroundColor(); });
    m_borderItem = menu->addAction(QStringLiteral("Border"), this,
                                   [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_borderItem->setCheckable(true);
    m_borderItem->setChecked(m_borderStyle == bsSingle);
    m_editItem = menu->addAction(QStringLiteral("Edit"), this, [this] { Edit(); });
}

int TQPRichBaseLabel::PicturesNotShown() const
{
    return m_text->PicturesNotShown();
}

void TQPRichBaseLabel::PopupOpening()
{
    TQGraphicControl::PopupOpening();
    if (m_transparentItem)
        m_transparentItem->setChecked(m_transparent);
    if (m_borderItem)
        m_borderItem->setChecked(m_borderStyle == bsSingle);
}

void TQPRichBaseLabel::Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device)
{
    DrawRichLabel(canvas, *m_text, {m_transparent ? QColor() : ToQColor(m_bgColor), m_borderStyle == bsSingle}, target,
                  device);
}

void TQPRichBaseLabel::PrintTo(TReportPrinter& report, double x, double y)
{
    QPicture picture;
    {
        QPainter painter(&picture);
        painter.setFont(font());
        Draw(painter, QRect(QPoint(0, 0), size()), DeviceProfile::Screen(1.0));
    }
    picture.setBoundingRect(QRect(QPoint(0, 0), size()));
    report.StretchPictureToDevice(picture, PrintTarget(report, x, y));
}

QSize TQPRichBaseLabel::pageTwips(double scale) const
{
    return QSize(TwipsOf(Width(), scale), TwipsOf(Height(), scale));
}

void TQPRichBaseLabel::Edit()
{
    BusyCursor();
    const QPointer<TQPRichBaseLabel> self(this);
    TRichTextLabelEditor editor(window());
    TWPRichText* text = editor.WPRichText1();
    text->LoadFrom(*m_text);
    if (!m_transparent)
        editor.SetPanelColor(ToQColor(m_bgColor));
    editor.SetPanelSize(ScreenRect().size() + QSize(1, 1));
    // The editor wraps the text on the same page as the label draws it.
    const QSize page = pageTwips(1.0);
    text->SetPageSize(page.width(), page.height());
    text->SetZoom(RoundHalfEven(Zoom() * 100));
    // A double-click opens the editor while the selection handle still holds the mouse from the click
    // before: the editor's buttons need it.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (editor.exec() == QDialog::Accepted && self) {
        TWPRtfStorage edited;
        text->SaveTo(edited);
        SetRTFText(edited);
    }
    NormalCursor();
}

void TQPRichBaseLabel::ChooseBackgroundColor()
{
    const QColor chosen = QColorDialog::getColor(ToQColor(m_bgColor), window(), QStringLiteral("Background Color"));
    if (!chosen.isValid())
        return;
    SetBGColor(FromQColor(chosen));
    NotifyChanged();
    SetTransparent(false);
    Repaint();
}

void TQPRichBaseLabel::PlacedByTool()
{
    SetTransparent(false);
    SetBorderStyle(bsSingle);
    Edit();
}
