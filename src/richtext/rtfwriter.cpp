#include "rtfwriter.h"

#include "platform/rounding.h"
#include "platform/windows1252.h"
#include "richdocument.h"

#include <QBuffer>
#include <QColor>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {
QString FamilyOf(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument& doc) : m_doc(doc) {}

    QByteArray Write()
    {
        m_defaultFamily = m_doc.defaultFont().family();
        m_defaultHalfPoints = HalfPoints(m_doc.defaultFont().pointSizeF());
        m_fonts.append(m_defaultFamily);
        CollectTables();

        m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
            AppendText(m_fonts[i], true);
            m_out += ";}";
        }
        m_out += "}\n{\\colortbl;";
        for (const QRgb rgb : m_colors) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue" +
                     QByteArray::number(qBlue(rgb)) + ";";
        }
        m_out += "}\n";
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
            WriteBlock(block);
        m_out += "}\n";
        return m_out;
    }

private:
    static int HalfPoints(qreal points) { return points > 0 ? RoundHalfEven(points * 2) : 2 * kDefaultFontPoints; }

    void CollectTables()
    {
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
            if (block.length() <= 1)
                CollectFormat(block.charFormat());
            for (auto it = block.begin(); !it.atEnd(); ++it)
                CollectFormat(it.fragment().charFormat());
        }
    }

    void CollectFormat(const QTextCharFormat& format)
    {
        const QString family = FamilyOf(format);
        if (!family.isEmpty() && !m_fonts.contains(family))
            m_fonts.append(family);
        if (format.hasProperty(QTextFormat::ForegroundBrush)) {
            const QRgb rgb = format.foreground().color().rgb() & 0xFFFFFF;
            if (!m_colors.contains(rgb))
                m_colors.append(rgb);
        }
    }

    void WriteBlock(const QTextBlock& block)
    {
        m_out += "\\pard";
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            m_out += "\\qc";
        else if (align & Qt::AlignJustify)
            m_out += "\\qj";
        else if (align & Qt::AlignRight)
            m_out += "\\qr";
        else
            m_out += "\\ql";
        if (block.length() <= 1) {
            // An empty paragraph keeps the height of its mark's font.
            m_out += "{";
            WriteCharProps(block.charFormat());
            m_out += "\\par}\n";
            return;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it)
            WriteFragment(it.fragment());
        m_out += "\\par\n";
    }

    void WriteFragment(const QTextFragment& fragment)
    {
        const QTextCharFormat format = fragment.charFormat();
        m_out += "{";
        WriteCharProps(format);
        if (format.isImageFormat()) {
            // Each object character of the fragment is one picture.
            for (int i = 0; i < fragment.length(); ++i)
                WritePicture(format.toImageFormat());
        } else {
            AppendText(fragment.text(), false);
        }
        m_out += "}";
    }

    void WriteCharProps(const QTextCharFormat& format)
    {
        m_out += "\\plain";
        const QString family = FamilyOf(format);
        if (!family.isEmpty())
            m_out += "\\f" + QByteArray::number(m_fonts.indexOf(family));
        if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
            m_out += "\\fs" + QByteArray::number(HalfPoints(format.fontPointSize()));
        else if (m_defaultHalfPoints != 2 * kDefaultFontPoints)
            m_out += "\\fs" + QByteArray::number(m_defaultHalfPoints);
        if (format.fontWeight() >= QFont::DemiBold)
            m_out += "\\b";
        if (format.fontItalic())
            m_out += "\\i";
        if (format.fontUnderline())
            m_out += "\\ul";
        if (format.fontStrikeOut())
            m_out += "\\strike";
        if (format.hasProperty(QTextFormat::ForegroundBrush)) {
            const QRgb rgb = format.foreground().color().rgb() & 0xFFFFFF;
            m_out += "\\cf" + QByteArray::number(m_colors.indexOf(rgb) + 1);
        }
        m_out += ' ';
    }

    void WritePicture(const QTextImageFormat& format)
    {
        const QImage image = RichPicture(m_doc, format);
        if (image.isNull())
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const double width = format.width() > 0 ? format.width() : image.width();
        const double height = format.height() > 0 ? format.height() : image.height();
        m_out += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
                 QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(TwipsFromPixels(width)) +
                 "\\pichgoal" + QByteArray::number(TwipsFromPixels(height)) + "\n";
        const QByteArray hex = png.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128)
            m_out += hex.mid(i, 128) + '\n';
        m_out += "}";
    }

    void AppendText(const QString& text, bool inTable)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            const char16_t u = c.unicode();
            if (u == ';' && inTable)
                continue; // it would end the table entry
            if (u == '\\' || u == '{' || u == '}') {
                m_out += '\\';
                m_out += static_cast<char>(u);
            } else if (u == '\t' && !inTable) {
                m_out += "\\tab ";
            } else if ((u == QChar::LineSeparator || u == '\n' || u == QChar::ParagraphSeparator) && !inTable) {
                m_out += "\\line ";
            } else if (u >= 0x20 && u < 0x80) {
                m_out += static_cast<char>(u);
            } else if (const int byte = Windows1252Byte(c); byte >= 0x80) {
                m_out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
            } else if (u >= 0x20) {
                // RTF numbers are signed 16-bit; surrogate pairs go out as two values.
                m_out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + "?";
            }
        }
    }

    const QTextDocument& m_doc;
    QByteArray m_out;
    QString m_defaultFamily;
    int m_defaultHalfPoints = 2 * kDefaultFontPoints;
    QStringList m_fonts;
    QList<QRgb> m_colors;
};
} // namespace

QByteArray WriteRtf(const QTextDocument& doc)
{
    return RtfWriter(doc).Write();
}
