#include "getholidays.h"

#include "holidays.h"

#include <QListWidget>

TGetHolidays::TGetHolidays(QWidget* parent) : CheckListDialog(parent, QStringLiteral("Holidays"), QSize(417, 273))
{
    list()->setObjectName(QStringLiteral("Holidays"));
    QStringList lines = BuiltInHolidayLines();
    std::sort(lines.begin(), lines.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& line : std::as_const(lines))
        addLine(line);
}
