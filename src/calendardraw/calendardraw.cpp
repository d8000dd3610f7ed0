#include "calendardraw.h"

#include "calendardraw/layoutkind.h"
#include "calendardraw/monthgrid.h"
#include "calendardraw/moonphase.h"
#include "platform/datearithmetic.h"
#include "platform/deviceprofile.h"
#include "platform/rounding.h"
#include "platform/textutil.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPaintEngine>
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

void fill(QPainter& canvas, const TRect& r, TColor color)
{
    canvas.fillRect(r.toQRect(), ToQColor(color));
}

void line(QPainter& canvas, int x1, int y1, int x2, int y2)
{
    canvas.drawLine(x1, y1, x2, y2);
}

// A text shaped once, with the rectangle its glyphs can colour, relative to the top-left corner it is
// drawn at: a pixel wider each way than the glyphs' boxes, for antialiasing and sub-pixel placement.
// Underlined or struck-out text takes its whole line box, since those lines are not glyphs.
struct LaidOutText
{
    QStaticText text;
    QRectF ink;
};

// A page repeats the same few dozen strings (day numbers, names) in the same fonts: shaping them
// once and replaying the laid-out glyphs is what keeps a 60-month page quick.
const LaidOutText& laidOut(const QString& s, const FontDescription& f)
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
    static std::unordered_map<Key, LaidOutText, KeyHash> cache;
    constexpr size_t kMaxEntries = 4096;
    Key key{s, f.name, f.size, f.style};
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    if (cache.size() >= kMaxEntries)
        cache.clear();
    const QFont& font = fontOf(f);
    QStaticText laid(s);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    QRectF ink(QPointF(0, 0), laid.size());
    if (!(f.style & (fsUnderline | fsStrikeOut))) {
        const QFontMetricsF metrics(font);
        ink = metrics.tightBoundingRect(s).translated(0, metrics.ascent()).adjusted(-1, -1, 1, 1);
    }
    return cache.emplace(std::move(key), LaidOutText{std::move(laid), ink}).first->second;
}

double textWidth(const QString& s, const FontDescription& f, const DeviceProfile& device)
{
    if (device.IsPaper())
        return device.TextWidth(fontOf(f), s);
    return laidOut(s, f).text.size().width();
}

// Text in its font colour on one line, clipped to the box like the lines around it.
void screenText(QPainter& canvas, const TRect& box, int align, const QString& s, const FontDescription& f)
{
    const LaidOutText& shaped = laidOut(s, f);
    const QStaticText& laid = shaped.text;
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
    // Clipping costs more than the text itself; a line box over the edge whose glyphs stay inside
    // needs none.
    const bool overflows = !QRectF(r).contains(QRectF(at, size)) && !QRectF(r).contains(shaped.ink.translated(at));
    canvas.setFont(fontOf(f));
    if (!overflows) {
        canvas.drawStaticText(at, laid);
    } else if (!canvas.hasClipping() && canvas.paintEngine()->type() == QPaintEngine::Raster) {
        // Saving the whole painter state for one clip costs more than the clip. (A recorded picture
        // keeps the state saved, so that its replay leaves the target's own clip alone.)
        canvas.setClipRect(r);
        canvas.drawStaticText(at, laid);
        canvas.setClipping(false);
    } else {
        canvas.save();
        canvas.setClipRect(r, Qt::IntersectClip);
        canvas.drawStaticText(at, laid);
        canvas.restore();
    }
}

// Paper cannot clip text as neatly as a screen: characters are dropped from the end until the text
// fits the width. Centred text has its line centred in the box as on screen, so that what is placed
// clear of it on screen stays clear on paper, but never above the box, where it would cross the line
// over it.
void paperText(QPainter& canvas, const TRect& box, int align, QString s, const FontDescription& f,
               const DeviceProfile& device)
{
    const QFont& font = fontOf(f);
    double width = device.TextWidth(font, s);
    while (!s.isEmpty() && width > box.width()) {
        s.chop(1);
        width = device.TextWidth(font, s);
    }
    if (s.isEmpty())
        return;
    const double x = align & Qt::AlignRight ? box.right - width : box.left + (box.width() - width) / 2.0;
    const double ascent = device.Ascent(font);
    const double height = device.LineHeight(font);
    double baseline = box.top + ascent;
    if (align & Qt::AlignVCenter)
        baseline = std::max<double>(box.top, box.top + (box.height() - height) * 0.5) + ascent;
    else if (align & Qt::AlignBottom)
        baseline = box.bottom - (height - ascent);
    canvas.setFont(font);
    canvas.drawText(QPointF(x, baseline), s);
}

void text(QPainter& canvas, const TRect& box, int align, const QString& s, const FontDescription& f,
          const DeviceProfile& device)
{
    if (s.isEmpty())
        return;
    // Text takes only the pen's colour: the line pen in the text's colour serves, and black text between
    // black lines changes no pen at all.
    const QPen linePen = canvas.pen();
    QPen textPen = linePen;
    textPen.setColor(ToQColor(f.color));
    const bool recolour = textPen != linePen;
    if (recolour)
        canvas.setPen(textPen);
    if (device.IsPaper())
        paperText(canvas, box, align, s, f, device);
    else
        screenText(canvas, box, align, s, f);
    if (recolour)
        canvas.setPen(linePen);
}

// The font at the largest pixel size that keeps the text inside the width; unchanged when it fits.
FontDescription fittedFont(const QString& s, const FontDescription& f, int width, const DeviceProfile& device)
{
    FontDescription sized = f;
    const int size = FittingFontSize(std::abs(f.size), width, [&](int pixels) {
        sized.size = pixels;
        return textWidth(s, sized, device);
    });
    sized.size = size == std::abs(f.size) ? f.size : size;
    return sized;
}

// The grid of the six rows of cells as p.CellBorder asks.
void drawCellLines(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const DeviceProfile& device)
{
    const TRect& r = g.Frame;
    const int cw = g.ColumnWidth;
    const int y0 = g.RowsTop;
    const int rh = g.RowHeight;
    if (device.IsPaper()) {
        // Each cell strokes its own edges: a wide paper pen then covers shared lines the same way.
        for (int k = 0; k < 6; ++k) {
            const int top = y0 + k * rh;
            const int bottom = k == 5 ? r.bottom : top + rh;
            if (g.GridLeft > r.left)
                DrawBorderEdges(canvas, {r.left, top, g.GridLeft, bottom}, p.CellBorder, device);
            for (int c = 0; c < 7; ++c) {
                const int left = g.GridLeft + c * cw;
                DrawBorderEdges(canvas, {left, top, c == 6 ? r.right : left + cw, bottom}, p.CellBorder, device);
            }
        }
    } else {
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
            if (g.GridLeft > r.left)
                line(canvas, r.left, y0, r.left, r.bottom);
            for (int c = 0; c < 7; ++c)
                line(canvas, g.GridLeft + c * cw, y0, g.GridLeft + c * cw, r.bottom);
            line(canvas, r.right, y0, r.right, r.bottom);
        }
    }
}

// The day names centred in their columns of the day-name band, all in one size: the largest at which
// every name fits its column, so that one long name does not stand out smaller than the rest.
void drawDayNames(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const DeviceProfile& device)
{
    const int left = g.GridLeft;
    const int cw = g.ColumnWidth;
    const TRect& names = g.DayNamesRect;
    std::array<QString, 7> row;
    FontDescription font = p.HeadersFont;
    for (int c = 0; c < 7; ++c) {
        row[c] = CutDayName(p.dayName(DayNameIndexOfColumn(c, p.StartOfWeek)), p.HeadersStyle);
        const FontDescription fitted = fittedFont(row[c], p.HeadersFont, cw - 2, device);
        if (std::abs(fitted.size) < std::abs(font.size))
            font = fitted;
    }
    for (int c = 0; c < 7; ++c)
        text(canvas, {left + c * cw + 1, names.top, left + c * cw + cw - 1, names.bottom}, Qt::AlignCenter, row[c],
             font, device);
}

// The ISO week number of each row that shows a day of the month, centred in its part of the column.
void drawWeekNumbers(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const DeviceProfile& device)
{
    if (g.GridLeft <= g.Frame.left)
        return;
    const FontDescription font = WeekNumberFont(p.CellFont);
    for (int k = 0; k < 6; ++k) {
        const int week = WeekNumberOfRow(k, p.Month, p.Year, p.StartOfWeek);
        if (week == 0)
            continue;
        const int top = g.RowsTop + k * g.RowHeight;
        const int bottom = k == 5 ? g.Frame.bottom : top + g.RowHeight;
        text(canvas, {g.Frame.left + 1, top + 1, g.GridLeft - 1, bottom - 1}, Qt::AlignCenter, QString::number(week),
             font, device);
    }
}

// Black is the Moon's dark part: a filled disc for the new moon, an open circle for the full moon, and
// at the quarters the half away from the lit side (as seen from the northern hemisphere) filled.
void drawMoonSymbol(QPainter& canvas, const TRect& box, MoonPhase phase, const QColor& color,
                    const DeviceProfile& device)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color);
    pen.setWidthF(std::max(1.0, device.LineWidth() * 0.75));
    canvas.setPen(pen);
    const QRectF disc(box.left, box.top, box.width(), box.height());
    canvas.setBrush(phase == MoonPhase::New ? QBrush(color) : QBrush(Qt::white));
    canvas.drawEllipse(disc);
    if (phase == MoonPhase::FirstQuarter || phase == MoonPhase::LastQuarter) {
        // Angles in sixteenths of a degree, counter-clockwise from three o'clock: the dark half is
        // the left one at the first quarter.
        const int start = phase == MoonPhase::FirstQuarter ? 90 * 16 : -90 * 16;
        canvas.setBrush(color);
        canvas.drawChord(disc, start, 180 * 16);
    }
    canvas.restore();
}

void drawMoonPhases(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const DeviceProfile& device)
{
    for (int i = 1; i <= kCellCount; ++i) {
        if (g.MoonPhases[i] != 0)
            drawMoonSymbol(canvas, g.MoonSymbols[i], MoonPhase(g.MoonPhases[i] - 1), ToQColor(p.CellFont.color),
                           device);
    }
}

// Paper draws fills only where they are not white: the sheet is white already.
bool fillsWhite(const DeviceProfile& device)
{
    return !device.IsPaper();
}

} // namespace

void DrawBorderEdges(QPainter& canvas, const TRect& r, TCalBorderStyle style, const DeviceProfile& device)
{
    if (device.IsPaper()) {
        // Four strokes, each with its own caps, so wide paper pens meet at the corners.
        const bool top = style == cbAll || style == cbTop || style == cbTopBottom;
        const bool bottom = style == cbAll || style == cbBottom || style == cbTopBottom;
        if (top)
            line(canvas, r.left, r.top, r.right, r.top);
        if (style == cbAll)
            line(canvas, r.right, r.top, r.right, r.bottom);
        if (bottom)
            line(canvas, r.right, r.bottom, r.left, r.bottom);
        if (style == cbAll)
            line(canvas, r.left, r.bottom, r.left, r.top);
        return;
    }
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

QString MainTitleText(const CalendarDrawParams& p, TCalendarLayout layout, const QString& title)
{
    if (layout == loWeek || layout == lo2Week)
        return WeekPlannerTitleText(p, title);
    if (layout == loDay10 || layout == loDay15)
        return DayPlannerTitleText(p, title);
    return MonthTitleText(p, title);
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

void DrawMonth(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device)
{
    DrawMonth(canvas, p, ComputeMonthGeometry(p, device), title, device);
}

void DrawMonth(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const QString& title,
               const DeviceProfile& device)
{
    PainterScope scope(canvas);
    const TRect& r = g.Frame;
    fill(canvas, p.Rect, p.BackColor);

    const TRect& band = g.TitleBand;
    if (fillsWhite(device) || p.TitleBackColor != clWhite)
        fill(canvas, {band.left, band.top, band.right, band.bottom + 1}, p.TitleBackColor);
    text(canvas, band, Qt::AlignCenter, MonthTitleText(p, title), p.TitleFont, device);

    const TRect& names = g.DayNamesRect;
    fill(canvas, {names.left, names.top, names.right, names.bottom + 1}, p.HeadersBGColor);
    DrawBorderEdges(canvas, names, p.HeadersBorder, device);
    drawDayNames(canvas, p, g, device);

    drawCellLines(canvas, p, g, device);

    // Paper keeps an upper-right number 0.05 in clear of the cell's right line.
    const int numberGap = device.IsPaper() ? device.XInches(0.05) : 0;
    const int numberAlign = p.NumberPosition == cnpCenter ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignTop);
    for (int i = 1; i <= kCellCount; ++i) {
        const TCellInfo& cell = g.Cells[i];
        if (cell.iDay == 0)
            continue;
        TRect box = cell.rTotal;
        if (p.NumberPosition == cnpUpperRight)
            box.right -= numberGap;
        text(canvas, box, numberAlign, QString::number(cell.iDay), p.CellFont, device);
    }
    drawWeekNumbers(canvas, p, g, device);
    drawMoonPhases(canvas, p, g, device);

    DrawBorderEdges(canvas, r, p.CalendarBorder, device);
}

void DrawWeekPlanner(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device)
{
    const PlannerLines lines = WeekPlannerLines(p);
    DrawPlanner(canvas, p, ComputePlannerGeometry(p, lines.rows(), lines.second, device), lines.second, lines.first,
                WeekPlannerTitleText(p, title), device);
}

void DrawDayPlanner(QPainter& canvas, const CalendarDrawParams& p, const QString& title, const DeviceProfile& device)
{
    const PlannerLines lines = DayPlannerLines(p);
    DrawPlanner(canvas, p, ComputePlannerGeometry(p, lines.rows(), lines.second, device), lines.second, lines.first,
                DayPlannerTitleText(p, title), device);
}

void DrawPlanner(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, const QStringList& secondLines,
                 const QStringList& firstLines, const QString& title, const DeviceProfile& device)
{
    PainterScope scope(canvas);
    const int rows = std::max(int(firstLines.size()), 1);
    fill(canvas, p.Rect, p.BackColor);
    text(canvas, g.TitleBand, Qt::AlignCenter, title, p.TitleFont, device);

    const TRect& body = g.Body;
    fill(canvas, body, p.BackColor);
    // Paper pens are wider than a device pixel: there the outline goes on after the fills it borders.
    if (!device.IsPaper())
        DrawBorderEdges(canvas, body, cbAll, device);

    const int rh = g.RowHeight;
    const int columnLeft = g.LabelLeft;
    const int columnRight = g.LabelRight;
    fill(canvas, {columnLeft, body.top + 1, columnRight, body.bottom - 1}, p.HeadersBGColor);
    for (int i = 0; i < rows; ++i) {
        const int y = body.top + rh * i + 1;
        const QString label = firstLines.value(i);
        text(canvas, {columnLeft, y, columnRight, y + rh / 2}, Qt::AlignHCenter | Qt::AlignBottom, label,
             fittedFont(label, p.HeadersFont, columnRight - columnLeft, device), device);
        text(canvas, {columnLeft, y + rh / 2, columnRight, y + rh / 2 + rh / 2}, Qt::AlignHCenter | Qt::AlignTop,
             secondLines.value(i), p.HeadersFont, device);
    }

    if (device.IsPaper())
        DrawBorderEdges(canvas, body, cbAll, device);
    line(canvas, columnRight, body.top, columnRight, body.bottom);
    for (int i = 1; i < rows; ++i)
        line(canvas, body.left, body.top + rh * i, body.right, body.top + rh * i);
}

void DrawMain(QPainter& canvas, const CalendarDrawParams& p, const MonthGeometry& g, TCalendarLayout layout,
              const QString& title, const DeviceProfile& device)
{
    if (!IsPlanner(layout)) {
        DrawMonth(canvas, p, g, title, device);
        return;
    }
    const bool week = layout == loWeek || layout == lo2Week;
    const PlannerLines lines = week ? WeekPlannerLines(p) : DayPlannerLines(p);
    DrawPlanner(canvas, p, g, lines.second, lines.first, MainTitleText(p, layout, title), device);
}

MonthGeometry ComputeFloatingMonthGeometry(const CalendarDrawParams& p, const DeviceProfile& device)
{
    MonthGeometry g = ComputeMonthGeometry(p, device);
    const TRect& r = g.Frame;
    g.TitleRect = {r.left, r.top, r.right, r.top + RoundHalfEven((r.bottom - r.top) * 0.17)};
    g.TitleBand = g.TitleRect;
    if (g.TitleBand.height() < p.MinTitleHeight)
        g.TitleBand.bottom = g.TitleBand.top + p.MinTitleHeight;
    const int namesHeight = g.DayNamesRect.height();
    g.DayNamesRect = {r.left, g.TitleBand.bottom, r.right, g.TitleBand.bottom + namesHeight};
    g.RowsTop = g.DayNamesRect.bottom;
    g.RowHeight = (r.bottom - g.RowsTop) / 6;
    for (int k = 0; k < 6; ++k) {
        for (int c = 0; c < 7; ++c) {
            const int left = g.GridLeft + c * g.ColumnWidth;
            const int top = g.RowsTop + k * g.RowHeight;
            TCellInfo& cell = g.Cells[k * 7 + c + 1];
            cell.rTotal = {left + 1, top + 1, left + g.ColumnWidth - 1, top + g.RowHeight};
            cell.rFree = {};
        }
    }
    return g;
}

void DrawFloatingMonth(QPainter& canvas, const CalendarDrawParams& p, bool transparent, const DeviceProfile& device)
{
    PainterScope scope(canvas);
    const MonthGeometry g = ComputeFloatingMonthGeometry(p, device);
    const TRect& r = g.Frame;
    const TRect& band = g.TitleBand;
    const TRect& names = g.DayNamesRect;
    if (!transparent) {
        fill(canvas, p.Rect, clWhite);
        fill(canvas, {r.left, band.top, r.right + 1, band.bottom}, p.TitleBackColor);
        fill(canvas, names, p.HeadersBGColor);
        fill(canvas, {r.left, names.bottom, p.Rect.right, p.Rect.bottom}, p.BackColor);
    }
    text(canvas, band, Qt::AlignCenter, MonthTitleText(p, QString()), p.TitleFont, device);
    DrawBorderEdges(canvas, names, p.HeadersBorder, device);
    drawDayNames(canvas, p, g, device);
    drawCellLines(canvas, p, g, device);
    for (int i = 1; i <= kCellCount; ++i) {
        const TCellInfo& cell = g.Cells[i];
        if (cell.iDay != 0)
            text(canvas, cell.rTotal, Qt::AlignCenter, QString::number(cell.iDay), p.CellFont, device);
    }
    DrawBorderEdges(canvas, r, p.CalendarBorder, device);
}
