#include "getholidays.h"

#include "holidays.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The list is sorted without regard to letter case.
void showLines(CheckListDialog* dialog, QStringList lines)
{
    dialog->list()->clear();
    std::sort(lines.begin(), lines.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& line : std::as_const(lines))
        dialog->addLine(line);
}

} // namespace

TGetHolidays::TGetHolidays(QWidget* parent)
    : CheckListDialog(parent, QStringLiteral("Holidays"), QSize(417, 309)), Countries(new QComboBox(this)),
      Regions(new QComboBox(this)), m_tables(LoadHolidayTables(HolidayTablesFolder()))
{
    list()->setObjectName(QStringLiteral("Holidays"));
    Countries->setObjectName(QStringLiteral("Countries"));
    Regions->setObjectName(QStringLiteral("Regions"));
    Countries->addItem(QStringLiteral("United States (classic list)"));
    for (const TCountryHolidays& table : std::as_const(m_tables))
        Countries->addItem(table.Country().name + QStringLiteral(" (") + table.Country().code + QLatin1Char(')'));

    auto* places = new QHBoxLayout;
    places->setContentsMargins(10, 8, 10, 8);
    places->addWidget(new QLabel(QStringLiteral("Country"), this));
    places->addWidget(Countries, 1);
    places->addWidget(new QLabel(QStringLiteral("Region"), this));
    places->addWidget(Regions, 1);
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, places);

    connect(Countries, &QComboBox::currentIndexChanged, this, &TGetHolidays::CountriesChange);
    connect(Regions, &QComboBox::currentIndexChanged, this, &TGetHolidays::RegionsChange);
    CountriesChange();
}

void TGetHolidays::CountriesChange()
{
    const QSignalBlocker quiet(Regions);
    Regions->clear();
    const int index = Countries->currentIndex() - 1;
    if (index >= 0) {
        const TCountryHolidays& table = m_tables.at(index);
        Regions->addItem(QStringLiteral("Whole country"), table.Country().code);
        for (const HolidayPlace& region : table.Regions())
            Regions->addItem(region.name + QStringLiteral(" (") + region.code + QLatin1Char(')'), region.code);
    }
    Regions->setEnabled(Regions->count() > 1);
    RegionsChange();
}

void TGetHolidays::RegionsChange()
{
    const int index = Countries->currentIndex() - 1;
    if (index < 0) {
        showLines(this, BuiltInHolidayLines());
        return;
    }
    const QString place = Regions->currentData().toString();
    showLines(this, CountryHolidayLines(m_tables.at(index), place, QDate::currentDate().year()));
}
