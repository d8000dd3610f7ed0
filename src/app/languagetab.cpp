#include "languagetab.h"

#include "propertiescontrols.h"
#include "propertiesstate.h"

#include "editor/calendarpanel32.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kEnglishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const kEnglishDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kGermanMonths[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                       "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
const char* const kGermanDays[7] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag ", "Samstag"};
const char* const kFrenchMonths[12] = {"Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
                                       "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};
const char* const kFrenchDays[7] = {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"};
const char* const kSpanishMonths[12] = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                                        "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
const char* const kSpanishDays[7] = {"Domingo", "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado"};
const char* const kItalianMonths[12] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                        "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
const char* const kItalianDays[7] = {"Domenica", "Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato"};

// A memo's lines as a list box would count them: none when empty, no extra line after a final break.
QStringList memoLines(const QPlainTextEdit* memo)
{
    QString text = memo->toPlainText();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

QPlainTextEdit* namesMemo(QWidget* page, const char* name)
{
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QLatin1String(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setTabChangesFocus(true);
    return memo;
}

} // namespace

TLanguageTab::TLanguageTab(TPropertiesState& state, QObject* parent) : QObject(parent), m_state(state) {}

QWidget* TLanguageTab::BuildPage()
{
    QWidget* page = NewPropertiesPage("LanguagePage");
    QVBoxLayout* column = PropertiesPageColumn(page);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(BoldCaption(QStringLiteral("Month Names"), page), 0, 0);
    grid->addWidget(BoldCaption(QStringLiteral("Day Names"), page), 0, 1);
    m_monthNames = namesMemo(page, "MonthNames");
    m_monthNames->installEventFilter(this);
    grid->addWidget(m_monthNames, 1, 0);
    m_dayNames = namesMemo(page, "DayNames");
    m_dayNames->installEventFilter(this);
    grid->addWidget(m_dayNames, 1, 1);
    column->addLayout(grid, 1);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    struct Language
    {
        const char* name;
        QString caption;
        const char* const* months;
        const char* const* days;
    };
    const Language languages[] = {
        {"English", QStringLiteral("English"), kEnglishMonths, kEnglishDays},
        {"French", QStringLiteral("Français"), kFrenchMonths, kFrenchDays},
        {"German", QStringLiteral("Deutsch"), kGermanMonths, kGermanDays},
        {"Spanish", QStringLiteral("Español"), kSpanishMonths, kSpanishDays},
        {"Italian", QStringLiteral("L'italiano"), kItalianMonths, kItalianDays},
    };
    for (const Language& l : languages) {
        auto* b = new QPushButton(l.caption, page);
        b->setObjectName(QLatin1String(l.name));
        b->setAutoDefault(false);
        b->setToolTip(QStringLiteral("Fill in the month and day names in ") + l.caption);
        connect(b, &QPushButton::clicked, this, [this, l] { applyLanguage(l.months, l.days); });
        row->addWidget(b);
    }
    column->addLayout(row);
    return page;
}

void TLanguageTab::Fill()
{
    QStringList months;
    for (int i = 1; i <= 12; ++i)
        months.append(m_state.example->GetMonthName(i));
    m_monthNames->setPlainText(months.join(QLatin1Char('\n')));
    QStringList days;
    for (int i = 1; i <= 7; ++i)
        days.append(m_state.example->GetDayName(i));
    m_dayNames->setPlainText(days.join(QLatin1Char('\n')));
}

bool TLanguageTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == m_monthNames)
        monthNamesExit();
    else if (event->type() == QEvent::FocusOut && watched == m_dayNames)
        dayNamesExit();
    return QObject::eventFilter(watched, event);
}

void TLanguageTab::monthNamesExit()
{
    const QStringList lines = memoLines(m_monthNames);
    for (int i = 0; i < lines.size() && i < 12; ++i)
        m_state.example->SetMonthName(i + 1, lines[i]);
    m_state.example->update();
}

void TLanguageTab::dayNamesExit()
{
    const QStringList lines = memoLines(m_dayNames);
    for (int i = 0; i < lines.size() && i < 7; ++i)
        m_state.example->SetDayName(i + 1, lines[i]);
    m_state.example->update();
}

void TLanguageTab::applyLanguage(const char* const months[12], const char* const days[7])
{
    QStringList dayList;
    for (int i = 0; i < 7; ++i)
        dayList.append(QString::fromUtf8(days[i]));
    QStringList monthList;
    for (int i = 0; i < 12; ++i)
        monthList.append(QString::fromUtf8(months[i]));
    m_dayNames->setPlainText(dayList.join(QLatin1Char('\n')));
    m_monthNames->setPlainText(monthList.join(QLatin1Char('\n')));
    monthNamesExit();
    dayNamesExit();
}
