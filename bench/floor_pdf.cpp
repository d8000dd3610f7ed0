// The least a Qt program does to export a year page: start a QGuiApplication, draw twelve small months of
// text (names, day names, day numbers, four rows of three) into a Letter PDF with its fonts embedded, and
// exit. The ratio script measures Almarin's whole-process jobs against it.
//
//   floor_pdf OUT.pdf
#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace {

constexpr int kYear = 2026;
constexpr int kColumns = 3;
constexpr int kRows = 4;
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char kDayInitials[] = "SMTWTFS";

// One month in `box`: its name on top, a row of day initials, then up to six weeks starting on Sunday.
void DrawMonth(QPainter& painter, const QRectF& box, int month)
{
    const QDate first(kYear, month, 1);
    const double line = box.height() / 8;
    const double cell = box.width() / 7;
    painter.setFont(QFont(QStringLiteral("Times New Roman"), 10, QFont::Bold));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), line), Qt::AlignCenter,
                     QLatin1String(kMonths[month - 1]) + QLatin1Char(' ') + QString::number(kYear));
    painter.setFont(QFont(QStringLiteral("Times New Roman"), 8));
    for (int day = 0; day < 7; ++day)
        painter.drawText(QRectF(box.left() + day * cell, box.top() + line, cell, line), Qt::AlignCenter,
                         QString(QLatin1Char(kDayInitials[day])));
    const int offset = first.dayOfWeek() % 7;
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        const int slot = offset + day - 1;
        painter.drawText(QRectF(box.left() + (slot % 7) * cell, box.top() + (2 + slot / 7) * line, cell, line),
                         Qt::AlignCenter, QString::number(day));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_pdf OUT.pdf\n");
        return 2;
    }
    QPdfWriter pdf(QString::fromLocal8Bit(argv[1]));
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    pdf.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    QPainter painter(&pdf);
    const QRectF page = painter.viewport();
    const double width = page.width() / kColumns;
    const double height = page.height() / kRows;
    for (int month = 1; month <= 12; ++month) {
        const int slot = month - 1;
        const QRectF box((slot % kColumns) * width, (slot / kColumns) * height, width, height);
        DrawMonth(painter, box.adjusted(width / 20, height / 20, -width / 20, -height / 20), month);
    }
    return painter.end() ? 0 : 1;
}
