#include "exactpalette.h"

#include <QColorSpace>

#include <array>

namespace {

constexpr int kMaxColours = 256;
// Four slots per colour keep the probes short.
constexpr int kSlots = 4 * kMaxColours;

class ColourIndex
{
public:
    ColourIndex() { m_index.fill(-1); }

    // The colour's palette index, added when new; -1 once the palette is full.
    int Find(QRgb colour)
    {
        for (quint32 slot = Hash(colour);; slot = (slot + 1) % kSlots) {
            if (m_index[slot] < 0) {
                if (m_colours.size() == kMaxColours)
                    return -1;
                m_keys[slot] = colour;
                m_index[slot] = int(m_colours.size());
                m_colours.append(colour);
                return m_index[slot];
            }
            if (m_keys[slot] == colour)
                return m_index[slot];
        }
    }

    const QList<QRgb>& Colours() const { return m_colours; }

private:
    static quint32 Hash(QRgb colour) { return (colour * 2654435761u) >> 22; }

    std::array<QRgb, kSlots> m_keys{};
    std::array<int, kSlots> m_index{};
    QList<QRgb> m_colours;
};

static_assert(kSlots == 1 << 10, "the hash keeps the top ten bits");

} // namespace

QImage ExactPaletteImage(const QImage& image)
{
    if (image.format() != QImage::Format_RGB32)
        return {};
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return {};
    ColourIndex palette;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        // Runs of one colour are the rule on a page; look up only where the colour changes.
        QRgb last = 0;
        int lastIndex = -1;
        for (int x = 0; x < image.width(); ++x) {
            // RGB32 keeps 0xFF in the unused byte; make sure, since the palette is written as it is.
            const QRgb colour = in[x] | 0xFF000000u;
            if (lastIndex < 0 || colour != last) {
                lastIndex = palette.Find(colour);
                if (lastIndex < 0)
                    return {};
                last = colour;
            }
            out[x] = uchar(lastIndex);
        }
    }
    indexed.setColorTable(palette.Colours());
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    indexed.setOffset(image.offset());
    indexed.setColorSpace(image.colorSpace());
    for (const QString& key : image.textKeys())
        indexed.setText(key, image.text(key));
    return indexed;
}
