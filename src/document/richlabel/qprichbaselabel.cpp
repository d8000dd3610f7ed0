#include "qprichbaselabel.h"

#include "richlabeldraw.h"

#include "platform/screenmetrics.h"
#include "report/reportprinter.h"
#include "richtext/richdocument.h"
#include "richtext/rtfwriter.h"
#include "richtext/wprtfstorage.h"

#include <QPainter>
#include <QPicture>
#include <QTextDocument>

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
    if (IsLoading())
        ignoreValuesOutOfRange();
    TQGraphicControl::Loaded();
}

int TQPRichBaseLabel::PicturesNotShown() const
{
    return m_text->PicturesNotShown();
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

QSize TQPRichBaseLabel::PageTwips() const
{
    return QSize(TwipsOf(Width(), 1.0), TwipsOf(Height(), 1.0));
}
