// The rich text label: a placed object showing formatted text (several fonts, sizes, colours and
// alignments in one box). It keeps only its text; the rich text renderer draws it, and the rich text
// label editor edits it.
#pragma once

#include "document/qgraphiccontrol.h"

#include "platform/colorvalue.h"

#include <QByteArray>

#include <memory>

class TWPRtfStorage;

class TQPRichBaseLabel : public TQGraphicControl
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQPRichBaseLabel")
    Q_PROPERTY(QByteArray RTFData READ RTFData WRITE SetRTFData STORED false)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor BGColor READ BGColor WRITE SetBGColor)
    // The text is stored like the rich text object it is: its RTF bytes under "RTFText.Data".
    Q_CLASSINFO("binary:RTFText.Data", "RTFData")

public:
    enum TBorderStyle : int { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TQPRichBaseLabel(QObject* parent = nullptr);
    ~TQPRichBaseLabel() override;

    // The label's text; setting it copies the text, repaints and notifies.
    const TWPRtfStorage& RTFText() const { return *m_text; }
    void SetRTFText(const TWPRtfStorage& text);
    // The text's RTF bytes; never empty, since a label always stores its text.
    QByteArray RTFData() const;
    void SetRTFData(const QByteArray& bytes);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Toggling transparency only repaints: it is not an edit of the document.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor v);

    // Values read that no label can have give way to a new label's.
    void Loaded() override;
    int PicturesNotShown() const override;
    void Draw(QPainter& canvas, const QRect& target, const DeviceProfile& device) override;
    // Prints the label as a picture recorded from its screen drawing, stretched into its place: the text
    // stays text and wraps exactly as on the screen.
    void PrintTo(TReportPrinter& report, double x, double y) override;
    // The label's size at 100% in twips: the page its text is laid out on.
    QSize PageTwips() const;

private:
    void ignoreValuesOutOfRange();

    std::unique_ptr<TWPRtfStorage> m_text;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_transparent = true;
    TColor m_bgColor = clWhite;
};
