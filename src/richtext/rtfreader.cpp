#include "rtfreader.h"

#include "codepages.h"
#include "graphics/metafile.h"
#include "graphics/picturebudget.h"
#include "graphics/picturedecoder.h"
#include "graphics/picturereading.h"
#include "platform/windows1252.h"
#include "richdocument.h"

#include <QHash>
#include <QPainter>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <vector>

namespace {
constexpr int kMaxGroupDepth = 512;
constexpr qsizetype kMaxRtfBytes = 16 * 1024 * 1024;
// No day, label or note has this many paragraphs; past them reading and laying out would cost more than
// any text may, so the rest is left unread (and its bytes kept).
constexpr int kMaxParagraphs = 200'000;
constexpr double kMaxPictureExtent = 16384; // display pixels; goal sizes beyond are damage

enum class Destination { Text, Skip, FontTable, ColorTable, Picture };
// Unsupported: kinds Almarin cannot draw.
enum class PictureKind { None, Png, Jpeg, Dib, DeviceBitmap, Metafile, Unsupported };

struct CharProps
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1; // -1: the document's default font
    int halfPoints = -1;
    int color = -1; // -1: the default colour
    bool operator==(const CharProps&) const = default;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharProps chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1;
};

struct FontEntry
{
    QString name;
    int codePage = 0;
};

struct ColorEntry
{
    int red = -1;
    int green = -1;
    int blue = -1;
};

struct Picture
{
    PictureKind kind = PictureKind::None;
    int width = 0; // picw
    int height = 0;
    int goalWidth = 0; // twips
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
    int bitsPerPixel = 1;
    int widthBytes = 0;
    bool wmf = false; // a metafile given as \wmetafile
    QByteArray data;
    int pendingNibble = -1;
};

quint32 ReadLE32(const QByteArray& data, qsizetype at)
{
    if (at + 4 > data.size())
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(data.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

quint16 ReadLE16(const QByteArray& data, qsizetype at)
{
    if (at + 2 > data.size())
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(data.constData() + at);
    return static_cast<quint16>(p[0] | (p[1] << 8));
}

void AppendLE32(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A device-independent bitmap in RTF lacks only the file header that a BMP file puts in front of it.
TDecodedPicture DecodeDib(const QByteArray& dib, TPictureBudget& budget)
{
    const quint32 headerSize = ReadLE32(dib, 0);
    if (headerSize < 12 || headerSize > static_cast<quint32>(dib.size()))
        return {};
    quint32 paletteBytes = 0;
    qint64 rowBits = 0;
    qint64 rows = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        const int bits = ReadLE16(dib, 10);
        paletteBytes = bits <= 8 ? (1u << bits) * 3 : 0;
        rowBits = qint64(ReadLE16(dib, 4)) * bits;
        rows = ReadLE16(dib, 6);
    } else {
        const int bits = ReadLE16(dib, 14);
        compression = ReadLE32(dib, 16);
        quint32 colors = ReadLE32(dib, 32);
        if (colors == 0 && bits <= 8)
            colors = 1u << bits;
        if (colors > 256)
            return {};
        paletteBytes = colors * 4;
        if (compression == 3 && headerSize == 40)
            paletteBytes += 12; // the three colour masks follow the header
        rowBits = qint64(qint32(ReadLE32(dib, 4))) * bits;
        rows = std::abs(qint64(qint32(ReadLE32(dib, 8))));
    }
    // Rows without run-length compression are all there, or the bitmap is damaged.
    if ((compression == 0 || compression == 3) &&
        (rowBits + 31) / 32 * 4 * rows > dib.size() - qint64(headerSize) - paletteBytes)
        return {};
    QByteArray file("BM");
    AppendLE32(file, static_cast<quint32>(14 + dib.size()));
    AppendLE32(file, 0);
    AppendLE32(file, 14 + headerSize + paletteBytes);
    file += dib;
    return DecodePicture(file, TPictureFormat::Bmp, budget);
}

// A device-dependent bitmap: raw rows from the top, widthBytes apart.
TDecodedPicture DecodeDeviceBitmap(const Picture& pict, TPictureBudget& budget)
{
    const int w = pict.width;
    const int h = pict.height;
    TDecodedPicture picture;
    if (w <= 0 || h <= 0)
        return picture;
    QImage::Format format;
    qint64 minRowBytes;
    switch (pict.bitsPerPixel) {
    case 1:
        format = QImage::Format_Mono;
        minRowBytes = (qint64(w) + 7) / 8;
        break;
    case 24:
        format = QImage::Format_BGR888;
        minRowBytes = qint64(w) * 3;
        break;
    case 32:
        format = QImage::Format_RGB32;
        minRowBytes = qint64(w) * 4;
        break;
    default:
        return picture;
    }
    const qint64 rowBytes = pict.widthBytes > 0 ? pict.widthBytes : minRowBytes;
    if (rowBytes < minRowBytes || rowBytes * h > pict.data.size())
        return picture;
    picture.statedSize = QSize(w, h);
    if (!budget.Take(picture.statedSize, QImage::toPixelFormat(format).bitsPerPixel())) {
        picture.outcome = TDecodedPicture::TOutcome::TooLarge;
        return picture;
    }
    QImage image(w, h, format);
    if (image.isNull())
        return picture;
    if (format == QImage::Format_Mono)
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < h; ++y)
        memcpy(image.scanLine(y), pict.data.constData() + y * rowBytes, minRowBytes);
    picture.outcome = TDecodedPicture::TOutcome::Decoded;
    picture.image = image;
    return picture;
}

void AppendLE16(QByteArray& out, quint16 v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

// A WMF in RTF has no placeable header: its picture fills the extent picw x pich, in hundredths of a
// millimetre (or else its goal size), which the header made here states (in coarser units when the extent
// overflows 16 bits).
QByteArray PlaceableWmf(const Picture& pict)
{
    const bool extent = pict.width > 0 && pict.height > 0;
    const auto himetric = [](int twips) { return int(std::clamp<qint64>(qint64(twips) * 2540 / 1440, 0, 1 << 30)); };
    const int width = extent ? pict.width : himetric(pict.goalWidth);
    const int height = extent ? pict.height : himetric(pict.goalHeight);
    if (pict.data.startsWith("\xD7\xCD\xC6\x9A") || width <= 0 || height <= 0)
        return pict.data;
    const int step = std::max(width, height) / 32768 + 1;
    if (step > 25)
        return pict.data;
    QByteArray header;
    AppendLE32(header, 0x9AC6CDD7);
    const quint16 words[] = {0, 0, 0, quint16(width / step), quint16(height / step), quint16(2540 / step)};
    for (quint16 word : words)
        AppendLE16(header, word);
    AppendLE32(header, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= quint16(quint8(header[2 * i]) | quint8(header[2 * i + 1]) << 8);
    AppendLE16(header, checksum);
    return header + pict.data;
}

// A Windows metafile (WMF or EMF) drawn at twice the size it is shown, so that it stays sharp when zoomed;
// its extent in picw and pich is in hundredths of a millimetre. `vectors` gets the metafile, which PDF and
// printers draw.
TDecodedPicture DecodeMetafile(const Picture& pict, const QSizeF& goal, TPictureBudget& budget, QByteArray& vectors)
{
    TDecodedPicture picture;
    TMetafile metafile;
    if (!metafile.Load(pict.wmf ? PlaceableWmf(pict) : pict.data))
        return picture;
    QSizeF shown = goal;
    if (shown.isEmpty() && pict.width > 0 && pict.height > 0)
        shown = QSizeF(pict.width, pict.height) * (96.0 / 2540.0);
    if (shown.isEmpty())
        shown = metafile.Size();
    shown =
        QSizeF(std::clamp(shown.width(), 1.0, kMaxPictureExtent), std::clamp(shown.height(), 1.0, kMaxPictureExtent));
    const qreal ratio = PictureSizeAllowed(qint64(shown.width() * 2), qint64(shown.height() * 2)) ? 2 : 1;
    const QSize pixels = (shown * ratio).toSize().expandedTo(QSize(1, 1));
    picture.statedSize = shown.toSize().expandedTo(QSize(1, 1));
    if (!PictureSizeAllowed(pixels.width(), pixels.height()) || !budget.Take(pixels, 32)) {
        picture.outcome = TDecodedPicture::TOutcome::TooLarge;
        return picture;
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return picture;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    metafile.Draw(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    image.setDevicePixelRatio(ratio);
    picture.outcome = TDecodedPicture::TOutcome::Decoded;
    picture.image = image;
    vectors = metafile.Data();
    return picture;
}

// What a picture too costly to decode shows: an empty frame, one image shared by all of them.
const QImage& EmptyFrame()
{
    static const QImage frame = [] {
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        const QRgb grey = qRgb(160, 160, 160);
        for (int i = 0; i < 32; ++i) {
            image.setPixel(i, 0, grey);
            image.setPixel(i, 31, grey);
            image.setPixel(0, i, grey);
            image.setPixel(31, i, grey);
        }
        return image;
    }();
    return frame;
}

class RtfReader
{
public:
    RtfReader(const QByteArray& bytes, QTextDocument& doc, TPictureBudget& budget)
        : m_in(bytes), m_doc(doc), m_cursor(&doc), m_budget(budget)
    {
    }

    void Read()
    {
        m_stack.reserve(64);
        // One edit block: the layout sees one change rather than one per run of text.
        m_cursor.beginEditBlock();
        while (m_pos < m_in.size() && !m_finished && !m_tooLong) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                OpenGroup();
            } else if (c == '}') {
                ++m_pos;
                CloseGroup();
            } else if (c == '\\') {
                ++m_pos;
                ReadControl();
            } else {
                ++m_pos;
                if (c != '\r' && c != '\n' && c != '\0')
                    Byte(static_cast<uchar>(c));
            }
        }
        FlushBytes();
        FlushRun();
        FinishBlock();
        m_cursor.endEditBlock();
        QString deff;
        if (const auto it = m_fonts.constFind(m_defaultFont); it != m_fonts.constEnd())
            deff = it->name;
        m_doc.setDefaultFont(RichDefaultFont(deff));
    }

    // Whether the document's own group was closed, so nothing was cut off.
    bool Complete() const { return m_finished; }
    // Reading stopped at the most paragraphs a text may have.
    bool TooLong() const { return m_tooLong; }
    int PicturesNotShown() const { return m_picturesNotShown; }

private:
    GroupState& State() { return m_stack.empty() ? m_root : m_stack.back(); }

    void OpenGroup()
    {
        FlushBytes();
        m_skipCount = 0;
        if (m_stack.size() >= kMaxGroupDepth) {
            // Past the depth limit groups are only counted; their content is dropped.
            ++m_overflowDepth;
            return;
        }
        GroupState inner = State();
        m_stack.push_back(inner);
        m_destinationMark = false;
    }

    void CloseGroup()
    {
        FlushBytes();
        m_skipCount = 0;
        m_destinationMark = false;
        if (m_overflowDepth > 0) {
            --m_overflowDepth;
            return;
        }
        if (m_stack.empty()) {
            m_finished = true;
            return;
        }
        const Destination closing = m_stack.back().destination;
        if (closing == Destination::FontTable || closing == Destination::ColorTable)
            FinishTableEntry(closing, false);
        m_stack.pop_back();
        if (closing == Destination::Picture && State().destination != Destination::Picture)
            FinishPicture();
        if (m_stack.empty())
            m_finished = true; // the document's own group has closed
    }

    bool Skipping() const
    {
        return m_overflowDepth > 0 || (!m_stack.empty() && m_stack.back().destination == Destination::Skip);
    }

    void ReadControl()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (IsLetter(c)) {
            const qsizetype start = m_pos;
            while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
                ++m_pos;
            const QByteArray word = m_in.mid(start, std::min<qsizetype>(m_pos - start, 32));
            bool hasParam = false;
            qint64 param = 0;
            bool negative = false;
            if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() && IsDigit(m_in[m_pos + 1])) {
                negative = true;
                ++m_pos;
            }
            while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
                hasParam = true;
                if (param < 100000000000LL)
                    param = param * 10 + (m_in[m_pos] - '0');
                ++m_pos;
            }
            if (m_pos < m_in.size() && m_in[m_pos] == ' ')
                ++m_pos;
            param = std::clamp<qint64>(negative ? -param : param, -2147483647LL, 2147483647LL);
            ControlWord(word, hasParam, static_cast<int>(param));
            return;
        }
        ++m_pos;
        if (c == '\'') {
            if (m_pos + 2 > m_in.size()) {
                m_pos = m_in.size(); // cut off inside the escape
                return;
            }
            const int hi = HexValue(m_in[m_pos]);
            const int lo = HexValue(m_in[m_pos + 1]);
            m_pos += 2;
            if (hi >= 0 && lo >= 0)
                Byte(static_cast<uchar>(hi * 16 + lo));
            return;
        }
        ControlSymbol(c);
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static int HexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Characters that follow \uN stand in for it and are skipped.
    bool ConsumeSkip()
    {
        if (m_skipCount > 0) {
            --m_skipCount;
            return true;
        }
        return false;
    }

    void ControlSymbol(char c)
    {
        if (c == '*') {
            m_destinationMark = true;
            return;
        }
        FlushBytes();
        if (ConsumeSkip() || Skipping())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            if (State().destination == Destination::FontTable)
                m_fontName.append(c);
            else
                Chars(QString(QChar(char16_t(c))));
            break;
        case '~':
            Chars(QString(QChar(0x00A0)));
            break;
        case '_':
            Chars(QString(QChar(0x2011)));
            break;
        case '\n':
        case '\r':
            Paragraph();
            break;
        case '\t':
            Chars(QStringLiteral("\t"));
            break;
        default:
            break; // \- optional hyphen, \| \: formula and index marks
        }
    }

    void Byte(uchar b)
    {
        if (Skipping())
            return;
        const Destination dest = State().destination;
        if (dest == Destination::Picture) {
            const int nibble = HexValue(static_cast<char>(b));
            if (nibble < 0 || m_picture.kind == PictureKind::None || m_picture.kind == PictureKind::Unsupported)
                return;
            if (m_picture.pendingNibble < 0) {
                m_picture.pendingNibble = nibble;
            } else {
                m_picture.data.append(static_cast<char>(m_picture.pendingNibble * 16 + nibble));
                m_picture.pendingNibble = -1;
            }
            return;
        }
        if (dest == Destination::ColorTable) {
            if (b == ';')
                FinishTableEntry(dest, true);
            return;
        }
        if (ConsumeSkip())
            return;
        if (dest == Destination::FontTable) {
            if (b == ';')
                FinishTableEntry(dest, true);
            else
                m_fontName.append(static_cast<char>(b));
            return;
        }
        const int codePage = CurrentCodePage();
        if (!m_bytes.isEmpty() && codePage != m_bytesCodePage)
            FlushBytes();
        m_bytesCodePage = codePage;
        m_bytes.append(static_cast<char>(b));
    }

    int CurrentCodePage() const
    {
        const int font = m_stack.empty() ? -1 : m_stack.back().chars.font;
        const auto it = m_fonts.constFind(font < 0 ? m_defaultFont : font);
        if (it != m_fonts.constEnd() && it->codePage > 0)
            return it->codePage;
        return m_codePage;
    }

    void FlushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QString text = DecodeCodePage(m_bytes, m_bytesCodePage);
        m_bytes.clear();
        Chars(text);
    }

    void Chars(QString text)
    {
        if (text.isEmpty() || Skipping() || State().destination != Destination::Text)
            return;
        // Control characters other than the tab are not text; a paragraph ends only by \par.
        text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != u'\t') || c == QChar::ParagraphSeparator; });
        if (text.isEmpty())
            return;
        const CharProps& props = State().chars;
        if (!m_run.isEmpty() && !(props == m_runProps))
            FlushRun();
        m_runProps = props;
        m_runAlignment = State().alignment;
        m_run += text;
    }

    // Runs mostly repeat the properties of the run before; their format is made once.
    const QTextCharFormat& FormatOf(const CharProps& props)
    {
        if (!m_formatCached || !(props == m_formatProps)) {
            m_format = MakeFormat(props);
            m_formatProps = props;
            m_formatCached = true;
        }
        return m_format;
    }

    QTextCharFormat MakeFormat(const CharProps& props) const
    {
        QTextCharFormat format;
        if (props.bold)
            format.setFontWeight(QFont::Bold);
        if (props.italic)
            format.setFontItalic(true);
        if (props.underline)
            format.setFontUnderline(true);
        if (props.strike)
            format.setFontStrikeOut(true);
        if (props.font >= 0) {
            const auto it = m_fonts.constFind(props.font);
            if (it != m_fonts.constEnd() && !it->name.isEmpty())
                format.setFontFamilies(QStringList{it->name});
        }
        if (props.halfPoints > 0)
            format.setFontPointSize(props.halfPoints / 2.0);
        if (props.color > 0 && props.color < m_colors.size()) {
            const ColorEntry& c = m_colors[props.color];
            if (c.red >= 0 || c.green >= 0 || c.blue >= 0)
                format.setForeground(QColor(std::max(c.red, 0), std::max(c.green, 0), std::max(c.blue, 0)));
        }
        return format;
    }

    // A new block takes the format of the one before and the character format at the cursor, as the cursor
    // would give it; known here, they need no lookup in the document for each of many paragraphs.
    void StartBlockIfNeeded()
    {
        if (!m_needBlock)
            return;
        if (m_cursorProps)
            m_cursor.insertBlock(m_blockFormat, FormatOf(*m_cursorProps));
        else
            m_cursor.insertBlock(m_blockFormat);
        m_needBlock = false;
    }

    void FlushRun()
    {
        if (m_run.isEmpty())
            return;
        StartBlockIfNeeded();
        m_cursor.insertText(m_run, FormatOf(m_runProps));
        m_cursorProps = m_runProps;
        m_run.clear();
        m_blockAlignment = m_runAlignment;
        m_blockHasContent = true;
    }

    void SetBlockAlignment(Qt::Alignment alignment)
    {
        if (m_blockFormat.alignment() != alignment) {
            m_blockFormat.setAlignment(alignment);
            m_cursor.setBlockFormat(m_blockFormat);
        }
    }

    // A paragraph mark ends the paragraph in the properties then in force; the next one starts only
    // when content follows, so the customary closing \par adds no empty paragraph.
    void Paragraph()
    {
        FlushBytes();
        FlushRun();
        StartBlockIfNeeded();
        SetBlockAlignment(State().alignment);
        // An empty paragraph's height comes from its mark's format.
        if (!m_blockHasContent && !(m_cursorProps && *m_cursorProps == State().chars)) {
            m_cursor.setBlockCharFormat(FormatOf(State().chars));
            m_cursorProps = State().chars;
        }
        m_needBlock = true;
        m_blockHasContent = false;
        m_tooLong = ++m_paragraphs >= kMaxParagraphs;
    }

    void FinishBlock()
    {
        if (!m_needBlock && m_blockHasContent)
            SetBlockAlignment(m_blockAlignment);
    }

    // A font name's bytes are in the font's own code page; \uN may stand between them.
    void FontNameBytesToText()
    {
        if (m_fontName.isEmpty())
            return;
        m_fontNameText += DecodeCodePage(m_fontName, m_fontCodePage > 0 ? m_fontCodePage : m_codePage);
        m_fontName.clear();
    }

    void FinishTableEntry(Destination dest, bool explicitEnd)
    {
        if (dest == Destination::FontTable) {
            FontNameBytesToText();
            if (m_fontIndex >= 0 && (explicitEnd || !m_fontNameText.isEmpty())) {
                m_formatCached = false;
                FontEntry& entry = m_fonts[m_fontIndex];
                entry.codePage = m_fontCodePage;
                entry.name = m_fontNameText.trimmed();
                m_fontIndex = -1;
            }
            m_fontNameText.clear();
            m_fontCodePage = 0;
        } else if (explicitEnd) {
            m_colors.append(m_color);
            m_formatCached = false;
            m_color = ColorEntry();
        }
    }

    void FinishPicture()
    {
        Picture pict = std::move(m_picture);
        m_picture = Picture();
        // A picture outside the text (in a table or a skipped group) would not show anyway.
        if (Skipping() || State().destination != Destination::Text)
            return;
        TDecodedPicture decoded;
        QByteArray vectors;
        switch (pict.kind) {
        case PictureKind::Png:
            decoded = DecodePicture(pict.data, TPictureFormat::Png, m_budget);
            break;
        case PictureKind::Jpeg:
            decoded = DecodePicture(pict.data, TPictureFormat::Jpeg, m_budget);
            break;
        case PictureKind::Dib:
            decoded = DecodeDib(pict.data, m_budget);
            break;
        case PictureKind::DeviceBitmap:
            decoded = DecodeDeviceBitmap(pict, m_budget);
            break;
        case PictureKind::Metafile:
            decoded = DecodeMetafile(pict,
                                     pict.goalWidth > 0 && pict.goalHeight > 0
                                         ? QSizeF(PixelsFromTwips(pict.goalWidth), PixelsFromTwips(pict.goalHeight))
                                         : QSizeF(),
                                     m_budget, vectors);
            break;
        case PictureKind::None:
        case PictureKind::Unsupported:
            break;
        }
        if (decoded.outcome != TDecodedPicture::TOutcome::Decoded)
            ++m_picturesNotShown;
        // Damaged pictures and kinds Almarin cannot draw are left out; one too costly to decode keeps its place.
        if (decoded.outcome == TDecodedPicture::TOutcome::Damaged)
            return;
        const QSizeF own = decoded.outcome == TDecodedPicture::TOutcome::Decoded ? decoded.image.deviceIndependentSize()
                                                                                 : QSizeF(decoded.statedSize);
        double width = pict.goalWidth > 0 ? PixelsFromTwips(pict.goalWidth) : own.width();
        double height = pict.goalHeight > 0 ? PixelsFromTwips(pict.goalHeight) : own.height();
        if (pict.scaleX > 0)
            width = width * pict.scaleX / 100.0;
        if (pict.scaleY > 0)
            height = height * pict.scaleY / 100.0;
        FlushRun();
        StartBlockIfNeeded();
        m_cursor.setCharFormat(FormatOf(State().chars));
        m_cursorProps.reset();
        InsertRichPicture(
            m_cursor, decoded.outcome == TDecodedPicture::TOutcome::Decoded ? decoded.image : EmptyFrame(),
            QSizeF(std::clamp(width, 1.0, kMaxPictureExtent), std::clamp(height, 1.0, kMaxPictureExtent)), vectors);
        m_blockAlignment = State().alignment;
        m_blockHasContent = true;
    }

    void ControlWord(const QByteArray& word, bool hasParam, int param)
    {
        FlushBytes();
        if (m_stack.empty() && m_overflowDepth == 0)
            return; // nothing counts outside the document's group
        const bool marked = m_destinationMark;
        m_destinationMark = false;
        if (Skipping())
            return;
        if (word == "bin") {
            TakeBinary(hasParam ? param : 0);
            return;
        }
        if (word == "u") {
            if (ConsumeSkip())
                return;
            if (!hasParam)
                return;
            // Signed 16-bit as RTF writes it; anything outside that range is damage.
            const int code = param < -32768 || param > 65535 ? 0xFFFD : (param < 0 ? param + 65536 : param);
            if (code != 0 && State().destination == Destination::FontTable) {
                FontNameBytesToText();
                m_fontNameText += QChar(static_cast<char16_t>(code));
            } else if (code != 0) {
                Chars(QString(QChar(static_cast<char16_t>(code))));
            }
            m_skipCount = State().unicodeSkip;
            return;
        }
        if (ConsumeSkip())
            return;
        GroupState& state = State();
        if (marked && word != "shppict") {
            state.destination = Destination::Skip;
            return;
        }
        switch (state.destination) {
        case Destination::FontTable:
            FontTableWord(word, param);
            return;
        case Destination::ColorTable:
            ColorTableWord(word, param);
            return;
        case Destination::Picture:
            PictureWord(word, hasParam, param);
            return;
        default:
            break;
        }
        if (DestinationWord(word, state))
            return;
        CharOrParagraphWord(word, hasParam, param, state);
    }

    void TakeBinary(int count)
    {
        const qsizetype n = std::clamp<qsizetype>(count, 0, m_in.size() - m_pos);
        if (!Skipping() && State().destination == Destination::Picture && m_picture.kind != PictureKind::None &&
            m_picture.kind != PictureKind::Unsupported)
            m_picture.data.append(m_in.constData() + m_pos, n);
        m_pos += n;
    }

    void FontTableWord(const QByteArray& word, int param)
    {
        if (word == "f") {
            FinishTableEntry(Destination::FontTable, false);
            m_fontIndex = param;
            m_fonts.insert(param, FontEntry());
            m_formatCached = false;
        } else if (word == "fcharset") {
            m_fontCodePage = CodePageOfCharset(param);
        } else if (word == "cpg") {
            m_fontCodePage = param;
        }
    }

    void ColorTableWord(const QByteArray& word, int param)
    {
        const int v = std::clamp(param, 0, 255);
        if (word == "red")
            m_color.red = v;
        else if (word == "green")
            m_color.green = v;
        else if (word == "blue")
            m_color.blue = v;
    }

    void PictureWord(const QByteArray& word, bool hasParam, int param)
    {
        if (word == "pngblip")
            m_picture.kind = PictureKind::Png;
        else if (word == "jpegblip")
            m_picture.kind = PictureKind::Jpeg;
        else if (word == "dibitmap")
            m_picture.kind = PictureKind::Dib;
        else if (word == "wbitmap")
            m_picture.kind = PictureKind::DeviceBitmap;
        else if (word == "wmetafile" || word == "emfblip") {
            m_picture.kind = PictureKind::Metafile;
            m_picture.wmf = word == "wmetafile";
        } else if (word == "macpict" || word == "pmmetafile")
            m_picture.kind = PictureKind::Unsupported; // no player for these
        else if (word == "picw")
            m_picture.width = param;
        else if (word == "pich")
            m_picture.height = param;
        else if (word == "picwgoal")
            m_picture.goalWidth = param;
        else if (word == "pichgoal")
            m_picture.goalHeight = param;
        else if (word == "picscalex" && hasParam)
            m_picture.scaleX = param;
        else if (word == "picscaley" && hasParam)
            m_picture.scaleY = param;
        else if (word == "wbmbitspixel")
            m_picture.bitsPerPixel = param;
        else if (word == "wbmwidthbytes")
            m_picture.widthBytes = param;
        else if (word == "picprop" || word == "blipuid")
            State().destination = Destination::Skip;
    }

    // Words that start a destination: tables we read, pictures, and text that is not part of the body.
    bool DestinationWord(const QByteArray& word, GroupState& state)
    {
        static const QSet<QByteArray> skipped = {"stylesheet",
                                                 "info",
                                                 "header",
                                                 "headerl",
                                                 "headerr",
                                                 "headerf",
                                                 "footer",
                                                 "footerl",
                                                 "footerr",
                                                 "footerf",
                                                 "footnote",
                                                 "annotation",
                                                 "listtable",
                                                 "listoverridetable",
                                                 "rsidtbl",
                                                 "generator",
                                                 "xmlnstbl",
                                                 "themedata",
                                                 "colorschememapping",
                                                 "latentstyles",
                                                 "datastore",
                                                 "revtbl",
                                                 "filetbl",
                                                 "pgdsctbl",
                                                 "nonshppict",
                                                 "shpinst",
                                                 "objdata",
                                                 "objclass",
                                                 "fldinst",
                                                 "author",
                                                 "operator",
                                                 "title",
                                                 "subject",
                                                 "doccomm",
                                                 "keywords",
                                                 "comment",
                                                 "company",
                                                 "creatim",
                                                 "revtim",
                                                 "printim",
                                                 "buptim",
                                                 "template",
                                                 "pntxta",
                                                 "pntxtb",
                                                 "txe",
                                                 "xe",
                                                 "tc",
                                                 "private",
                                                 "userprops",
                                                 "docvar",
                                                 "ftnsep",
                                                 "ftnsepc",
                                                 "aftnsep",
                                                 "aftnsepc",
                                                 "bkmkstart",
                                                 "bkmkend",
                                                 "atnid",
                                                 "atnauthor",
                                                 "fchars",
                                                 "lchars",
                                                 "mmathPr",
                                                 "passwordhash",
                                                 "wgrffmtfilter"};
        if (word == "fonttbl") {
            state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            state.destination = Destination::ColorTable;
            m_colors.clear();
            m_formatCached = false;
        } else if (word == "pict") {
            state.destination = Destination::Picture;
            m_picture = Picture();
        } else if (skipped.contains(word)) {
            state.destination = Destination::Skip;
        } else {
            return false;
        }
        return true;
    }

    void CharOrParagraphWord(const QByteArray& word, bool hasParam, int param, GroupState& state)
    {
        const bool on = !hasParam || param != 0;
        CharProps& chars = state.chars;
        if (word == "b") {
            chars.bold = on;
        } else if (word == "i") {
            chars.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
                   word == "uldashd" || word == "uldashdd" || word == "ulth" || word == "ulwave" || word == "ulhwave" ||
                   word == "ululdbwave" || word == "ulthd" || word == "ulthdash") {
            chars.underline = on;
        } else if (word == "ulnone") {
            chars.underline = false;
        } else if (word == "strike" || word == "striked") {
            chars.strike = on;
        } else if (word == "f") {
            chars.font = std::max(param, 0);
        } else if (word == "fs") {
            chars.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : -1;
        } else if (word == "cf") {
            chars.color = std::max(param, 0);
        } else if (word == "plain") {
            chars = CharProps();
        } else if (word == "pard") {
            state.alignment = Qt::AlignLeft;
        } else if (word == "ql") {
            state.alignment = Qt::AlignLeft;
        } else if (word == "qr") {
            state.alignment = Qt::AlignRight;
        } else if (word == "qc") {
            state.alignment = Qt::AlignHCenter;
        } else if (word == "qj" || word == "qd") {
            state.alignment = Qt::AlignJustify;
        } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
            Paragraph();
        } else if (word == "line") {
            Chars(QString(QChar(QChar::LineSeparator)));
        } else if (word == "tab" || word == "cell") {
            Chars(QStringLiteral("\t"));
        } else if (word == "uc") {
            state.unicodeSkip = std::clamp(param, 0, 16);
        } else if (word == "ansicpg") {
            m_codePage = param;
        } else if (word == "pc") {
            m_codePage = 437;
        } else if (word == "pca") {
            m_codePage = 850;
        } else if (word == "deff") {
            m_defaultFont = param;
        } else if (const char16_t symbol = SymbolOf(word)) {
            Chars(QString(QChar(symbol)));
        }
    }

    static char16_t SymbolOf(const QByteArray& word)
    {
        static const QHash<QByteArray, char16_t> symbols = {
            {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005},   {"zwj", 0x200D},       {"zwnj", 0x200C},
            {"ltrmark", 0x200E}, {"rtlmark", 0x200F},   {"zwbo", 0x200B},      {"zwnbo", 0xFEFF}};
        return symbols.value(word, 0);
    }

    const QByteArray& m_in;
    QTextDocument& m_doc;
    QTextCursor m_cursor;
    TPictureBudget& m_budget;
    int m_picturesNotShown = 0;
    qsizetype m_pos = 0;
    bool m_finished = false;
    bool m_tooLong = false;
    int m_paragraphs = 0;
    std::vector<GroupState> m_stack;
    GroupState m_root;
    int m_overflowDepth = 0;
    bool m_destinationMark = false;
    int m_skipCount = 0;

    int m_codePage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontIndex = -1;
    int m_fontCodePage = 0;
    QByteArray m_fontName;
    QString m_fontNameText;
    QList<ColorEntry> m_colors;
    ColorEntry m_color;
    Picture m_picture;

    QTextCharFormat m_format;
    CharProps m_formatProps;
    bool m_formatCached = false;
    // What the cursor's block and character formats are, mirrored; no character props after a picture.
    QTextBlockFormat m_blockFormat;
    std::optional<CharProps> m_cursorProps = CharProps();

    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    QString m_run;
    CharProps m_runProps;
    Qt::Alignment m_runAlignment = Qt::AlignLeft;
    Qt::Alignment m_blockAlignment = Qt::AlignLeft;
    bool m_blockHasContent = false;
    bool m_needBlock = false;
};

bool LooksLikeRtf(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}
} // namespace

bool ReadRtf(const QByteArray& bytes, QTextDocument& doc, TRtfReadInfo& info)
{
    // Without a width the document is not laid out while it fills: whoever draws it gives it one. Laying
    // out as the paragraphs come makes a long text take time by the square of its length.
    doc.setPageSize(QSizeF(0, 0));
    doc.clear();
    PrepareRichDocument(doc);
    info = TRtfReadInfo();
    if (bytes.size() > kMaxRtfBytes) {
        info.error = QStringLiteral("The rich text is longer than 16 MB.");
        return false;
    }
    if (!LooksLikeRtf(bytes)) {
        info.error = bytes.isEmpty()
                         ? QStringLiteral("The rich text is empty.")
                         : QStringLiteral("The data is not rich text (RTF): it does not begin with {\\rtf.");
        return false;
    }
    std::optional<TPictureBudget> own;
    TPictureBudget* budget = TPictureBudget::Current();
    if (!budget)
        budget = &own.emplace();
    RtfReader reader(bytes, doc, *budget);
    reader.Read();
    info.picturesNotShown = reader.PicturesNotShown();
    if (reader.TooLong())
        info.error =
            QStringLiteral("The rich text has more than %L1 paragraphs; the first %L1 are kept.").arg(kMaxParagraphs);
    else if (!reader.Complete())
        info.error = QStringLiteral("The rich text ends before its last group closes; the text up to there is kept.");
    return true;
}

bool ReadRtf(const QByteArray& bytes, QTextDocument& doc, QString* error)
{
    TRtfReadInfo info;
    const bool ok = ReadRtf(bytes, doc, info);
    if (error)
        *error = info.error;
    return ok;
}
