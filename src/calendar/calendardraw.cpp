#include "calendardraw.h"

#include "calendar/monthgrid.h"
#include "platform/datearithmetic.h"
#include "platform/rounding.h"
#include "platform/textutil.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QStaticText>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

namespace {

// Lines and fills crisp, text smooth; everything the routine changes on the painter is put back.
class PainterScope
{
public:
    explicit PainterScope(QPainter& canvas) : m_canvas(canvas)
    {
        m_canvas.save();
        m_canvas.setRenderHint(QPainter::Antialiasing, false);
        m_canvas.setRenderHint(QPainter::TextAntialiasing, true);
        m_canvas.setBackgroundMode(Qt::TransparentMode);
    }
    ~PainterScope() { m_canvas.restore(); }

private:
    QPainter& m_canvas;
};

// A month draws dozens of texts in the same few fonts; building the QFont once per change saves most of the cost.
const QFont& fontOf(const FontDescription& f)
{
    static FontDescription last;
    static QFont font = last.toQFontPixels(std::abs(last.size));
    if (!(f == last)) {
        last = f;
        font = f.toQFontPixels(std::abs(f.size));
    }
    return font;
}

int lineHeight(const FontDescription& f)
{
    const QFontMetrics m(fontOf(f));
    return m.ascent() + m.descent();
}

void fill(QPainter& canvas, const TRect& r, TColor color)
{
    canvas.fillRect(r.toQRect(), ToQColor(color));
}

void line(QPainter& canvas, int x1, int y1, int x2, int y2)
{
    canvas.drawLine(x1, y1, x2, y2);
}

// A page repeats the same few dozen strings (day numbers, names) in the same fonts: shaping them
// once and replaying the laid-out glyphs is what keeps a 60-month page quick.
const QStaticText& laidOut(const QString& s, const FontDescription& f)
{
    struct Key
    {
        QString text, face;
        int size, style;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash
    {
        size_t operator()(const Key& k) const noexcept { return qHashMulti(0, k.text, k.face, k.size, k.style); }
    };
    static std::unordered_map<Key, QStaticText, KeyHash> cache;
    constexpr size_t kMaxEntries = 4096;
    Key key{s, f.name, f.size, f.style};
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    if (cache.size() >= kMaxEntries)
        cache.clear();
    QStaticText laid(s);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), fontOf(f));
    return cache.emplace(std::move(key), std::move(laid)).first->second;
}

// Text in its font colour on one line, clipped to the box like the lines around it.
void text(QPainter& canvas, const TRect& box, int align, const QString& s, const FontDescription& f)
{
    if (s.isEmpty())
        return;
    const QStaticText& laid = laidOut(s, f);
    const QRect r = box.toQRect();
    const QSizeF size = laid.size();
    qreal x = r.left();
    if (align & Qt::AlignHCenter)
        x += (r.width() - size.width()) / 2;
    else if (align & Qt::AlignRight)
        x += r.width() - size.width();
    qreal y = r.top();
    if (align & Qt::AlignVCenter)
        y += (r.height() - size.height()) / 2;
    else if (align & Qt::AlignBottom)
        y += r.height() - size.height();
    const QPointF at(std::round(x), std::round(y));
    const bool overflows = !QRectF(r).contains(QRectF(at, size));
    const QPen linePen = canvas.pen();
    canvas.setFont(fontOf(f));
    canvas.setPen(ToQColor(f.color));
    if (overflows) {
        canvas.save();
        canvas.setClipRect(r, Qt::IntersectClip);
        canvas.drawStaticText(at, laid);
        canvas.restore();
    } else {
        canvas.drawStaticText(at, laid);
    }
    canvas.setPen(linePen);
}

// The font at the largest pixel size that keeps the text inside the width; unchanged when it fits.
FontDescription fittedFont(const QString& s, const FontDescription& f, int width)
{
    FontDescription sized = f;
    const int size = FittingFontSize(std::abs(f.size), width, [&](int pixels) {
        sized.size = pixels;
        return laidOut(s, sized).size().width();
    });
    sized.size = size == std::abs(f.size) ? f.size : size;
    return sized;
}

} // namespace

void DrawBorderEdges(QPainter& canvas, const TRect& r, TCalBorderStyle style)
{
    switch (style) {
    case cbNone:
        break;
    case cbAll: {
        const QPoint box[5] = {
            {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
        canvas.drawPolyline(box, 5);
        break;
    }
    case cbTop:
        line(canvas, r.left, r.top, r.right, r.top);
        break;
    case cbBottom:
        line(canvas, r.left, r.bottom, r.right, r.bottom);
        break;
    case cbTopBottom:
        line(canvas, r.left, r.top, r.right, r.top);
        line(canvas, r.left, r.bottom, r.right, r.bottom);
        break;
    }
}

QString CutDayName(const QString& name, TCalHeadersStyle style)
{
    switch (style) {
    case dsFirstChar:
        return name.left(1);
    case dsThreeChars:
        return name.left(3);
    case dsWhole:
        break;
    }
    return name;
}

QString MonthTitleText(const CalendarDrawParams& p, const QString& title)
{
    if (!title.isEmpty())
        return title;
    if (p.TitleShowYear)
        return p.monthName(p.Month) + QLatin1Char(' ') + QString::number(p.Year);
    return p.monthName(p.Month);
}

CalendarDate CalendarDate::addDays(int n) const
{
    CalendarDate d = *this;
    for (; n > 0; --n) {
        if (d.day < DaysInMonth(d.year, d.month)) {
            ++d.day;
        } else if (d.month < 12) {
            d.day = 1;
            ++d.month;
        } else {
            d.day = 1;
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

CalendarDate PlannerFirstDate(const CalendarDrawParams& p)
{
    CalendarDate d;
    d.year = p.Year;
    d.month = std::clamp(p.Month, 1, 12);
    d.day = std::clamp(p.Day, 1, DaysInMonth(d.year, d.month));
    return d;
}

QString WeekPlannerTitleText(const CalendarDrawParams& p, const QString& title)
{
    if (!title.isEmpty())
        return title;
    const CalendarDate a = PlannerFirstDate(p);
    const CalendarDate b = a.addDays(std::max(p.PlannerDays, 1) - 1);
    const auto num = [](int n) { return QString::number(n); };
    if (a.month == b.month && a.year == b.year)
        return p.monthName(a.month) + QLatin1Char(' ') + num(a.day) + QLatin1Char('-') + num(b.day) +
               QLatin1String(", ") + num(a.year);
    if (a.year == b.year)
        return p.monthName(a.month) + QLatin1Char(' ') + num(a.day) + QLatin1String(" - ") + p.monthName(b.month) +
               QLatin1Char(' ') + num(b.day) + QLatin1String(", ") + num(a.year);
    return p.monthName(a.month) + QLatin1Char(' ') + num(a.day) + QLatin1String(", ") + num(a.year) +
           QLatin1String(" - ") + p.monthName(b.month) + QLatin1Char(' ') + num(b.day) + QLatin1String(", ") +
           num(b.year);
}

QString DayPlannerTitleText(const CalendarDrawParams& p, const QString& title)
{
    if (!title.isEmpty())
        return title;
    const CalendarDate d = PlannerFirstDate(p);
    return p.dayName(DayOfWeek({d.year, d.month, d.day})) + QLatin1String(", ") + p.monthName(d.month) +
           QLatin1Char(' ') + QString::number(d.day) + QLatin1String(", ") + QString::number(d.year);
}

PlannerLines WeekPlannerLines(const CalendarDrawParams& p)
{
    PlannerLines lines;
    const CalendarDate first = PlannerFirstDate(p);
    for (int i = 0; i < p.PlannerDays; ++i) {
        const CalendarDate d = first.addDays(i);
        lines.first << CutDayName(p.dayName(DayOfWeek({d.year, d.month, d.day})), p.HeadersStyle);
        lines.second << QString::number(d.day) + QLatin1Char(' ') + p.monthName(d.month).left(3);
    }
    lines.first << QStringLiteral("Notes");
    lines.second << QString();
    return lines;
}

PlannerLines DayPlannerLines(const CalendarDrawParams& p)
{
    PlannerLines lines;
    const int startSeconds = RoundHalfEven(p.StartTime * 86400.0);
    const QLocale locale;
    for (int i = 0; i < p.HourRows; ++i) {
        const QTime t = QTime(0, 0).addSecs(startSeconds + i * 3600);
        lines.first << locale.toString(t, QStringLiteral("h:mm AP"));
        lines.second << QString();
    }
    lines.first << QStringLiteral("Notes");
    lines.second << QString();
    return lines;
}

int PlannerRowDay(const QString& secondLine)
{
    bool ok = false;
    const int day = TrimSpaces(secondLine.left(2)).toInt(&ok);
    return ok ? day : 0;
}

void SetPlannerCells(CalendarDrawParams& p, const QStringList& secondLines, const TRect& rows, int rowCount,
                     int rowHeight, int inset)
{
    for (int i = 0; i < kCellCount; ++i) {
        TCellInfo& entry = p.Cells[i + 1];
        if (i >= rowCount) {
            entry = TCellInfo();
            continue;
        }
        TRect cell{rows.left + inset, rows.top + rowHeight * i + inset, rows.right - inset,
                   rows.top + rowHeight * (i + 1) - inset};
        if (i == rowCount - 1)
            cell.bottom = rows.bottom - inset;
        entry.rTotal = cell;
        entry.rFree = cell;
        entry.iDay = PlannerRowDay(secondLines.value(i));
    }
    p.DayNamesRect = TRect();
}

int FittingFontSize(int size, double width, const std::function<double(int size)>& widthAt)
{
    if (size <= 1 || widthAt(size) <= width)
        return size;
    int fits = 1;
    int tooWide = size;
    while (tooWide - fits > 1) {
        const int middle = (fits + tooWide) / 2;
        if (widthAt(middle) <= width)
            fits = middle;
        else
            tooWide = middle;
    }
    return fits;
}

void DrawMonth(QPainter& canvas, CalendarDrawParams& p, const QString& title)
{
    PainterScope scope(canvas);
    const int first = FirstColumn(p.Month, p.Year, p.StartOfWeek);
    const int days = DaysInMonth(p.Year, p.Month);

    const TRect r{p.Rect.left, p.Rect.top, p.Rect.right - 1, p.Rect.bottom - 1};
    fill(canvas, p.Rect, p.BackColor);
    fill(canvas, r, p.BackColor);

    TRect band{r.left, r.top + 1, r.right, 0};
    band.bottom = band.top + RoundHalfEven((r.bottom - r.top) * 0.17);
    p.TitleRect = band;
    if (band.height() < p.MinTitleHeight)
        band.bottom = band.top + p.MinTitleHeight;
    fill(canvas, {band.left, band.top, band.right, band.bottom + 1}, p.TitleBackColor);
    text(canvas, band, Qt::AlignCenter, MonthTitleText(p, title), p.TitleFont);

    const int cw = (r.right - r.left) / 7;
    TRect names{r.left, band.bottom + 1, r.right, 0};
    names.bottom = names.top + RoundHalfEven(std::abs(p.HeadersFont.size) * 1.5);
    p.DayNamesRect = names;
    fill(canvas, {names.left, names.top, names.right, names.bottom + 1}, p.HeadersBGColor);
    DrawBorderEdges(canvas, names, p.HeadersBorder);
    for (int c = 0; c < 7; ++c) {
        const QString name = CutDayName(p.dayName(DayNameIndexOfColumn(c, p.StartOfWeek)), p.HeadersStyle);
        const TRect box{r.left + c * cw + 1, names.top, r.left + c * cw + cw - 1, names.bottom};
        text(canvas, box, Qt::AlignCenter, name, fittedFont(name, p.HeadersFont, box.width()));
    }

    const int y0 = names.bottom;
    const int rh = (r.bottom - y0) / 6;
    const auto rowY = [&](int k) { return k == 6 ? r.bottom : y0 + k * rh; };
    int firstRow = 0;
    int lastRow = -1;
    switch (p.CellBorder) {
    case cbAll:
    case cbTopBottom:
        lastRow = 6;
        break;
    case cbTop:
        lastRow = 5;
        break;
    case cbBottom:
        firstRow = 1;
        lastRow = 6;
        break;
    case cbNone:
        break;
    }
    for (int k = firstRow; k <= lastRow; ++k)
        line(canvas, r.left, rowY(k), r.right, rowY(k));
    if (p.CellBorder == cbAll) {
        for (int c = 0; c < 7; ++c)
            line(canvas, r.left + c * cw, y0, r.left + c * cw, r.bottom);
        line(canvas, r.right, y0, r.right, r.bottom);
    }

    const int numberHeight = lineHeight(p.CellFont);
    const int numberAlign = p.NumberPosition == cnpCenter ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignTop);
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 7; ++c) {
            TRect cell{r.left + c * cw + 1, y0 + k * rh + 1, r.left + c * cw + cw - 1, y0 + k * rh + rh - 1};
            if (p.NumberPosition == cnpUpperRight) {
                cell.left += 4;
                cell.right -= 5;
            }
            int day = c + 7 * k - first + 2;
            if (day >= 1 && day <= days)
                text(canvas, cell, numberAlign, QString::number(day), p.CellFont);
            else
                day = 0;
            TCellInfo& entry = p.Cells[k * 7 + c + 1];
            entry.rTotal = cell;
            entry.iDay = day;
            entry.rFree = TRect();
            if (p.NumberPosition == cnpUpperRight) {
                entry.rFree = cell;
                entry.rFree.top += numberHeight;
            }
        }
    }

    DrawBorderEdges(canvas, r, p.CalendarBorder);
}

void DrawWeekPlanner(QPainter& canvas, CalendarDrawParams& p, const QString& title)
{
    const PlannerLines lines = WeekPlannerLines(p);
    DrawPlanner(canvas, p, lines.rows(), lines.second, lines.first, WeekPlannerTitleText(p, title));
}

void DrawDayPlanner(QPainter& canvas, CalendarDrawParams& p, const QString& title)
{
    const PlannerLines lines = DayPlannerLines(p);
    DrawPlanner(canvas, p, lines.rows(), lines.second, lines.first, DayPlannerTitleText(p, title));
}

void DrawPlanner(QPainter& canvas, CalendarDrawParams& p, int rows, const QStringList& secondLines,
                 const QStringList& firstLines, const QString& title)
{
    PainterScope scope(canvas);
    rows = std::max(rows, 1);
    const TRect r{p.Rect.left, p.Rect.top, p.Rect.right - 1, p.Rect.bottom - 1};
    fill(canvas, p.Rect, p.BackColor);
    fill(canvas, r, p.BackColor);

    const TRect band{r.left + 5, r.top + 1, r.right - 5, r.top + 1 + lineHeight(p.TitleFont)};
    p.TitleRect = band;
    text(canvas, band, Qt::AlignCenter, title, p.TitleFont);

    const TRect body{r.left, band.bottom + 1, r.right, r.bottom};
    fill(canvas, body, p.BackColor);
    DrawBorderEdges(canvas, body, cbAll);

    const int rh = body.height() / rows;
    const int columnLeft = body.left + 1;
    const int columnRight = body.left + RoundHalfEven(body.width() * 0.15);
    fill(canvas, {columnLeft, body.top + 1, columnRight, body.bottom - 1}, p.HeadersBGColor);
    for (int i = 0; i < rows; ++i) {
        const int y = body.top + rh * i + 1;
        const QString label = firstLines.value(i);
        text(canvas, {columnLeft, y, columnRight, y + rh / 2}, Qt::AlignHCenter | Qt::AlignBottom, label,
             fittedFont(label, p.HeadersFont, columnRight - columnLeft));
        text(canvas, {columnLeft, y + rh / 2, columnRight, y + rh / 2 + rh / 2}, Qt::AlignHCenter | Qt::AlignTop,
             secondLines.value(i), p.HeadersFont);
    }

    line(canvas, columnRight, body.top, columnRight, body.bottom);
    for (int i = 1; i < rows; ++i)
        line(canvas, body.left, body.top + rh * i, body.right, body.top + rh * i);

    SetPlannerCells(p, secondLines, {columnRight, body.top, body.right, body.bottom}, rows, rh, 4);
}
