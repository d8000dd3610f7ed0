#include "app/calendarproperties.h"
#include "app/marginstab.h"

#include "document/calendardocument.h"
#include "editor/calendarpanel32.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "support/testsupport.h"
#include "widgets/colorbutton.h"
#include "widgets/monthdatechooser.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Message
{
    MessageKind kind;
    QString text;
    QString caption;
};

const QString kLayoutWarning = QStringLiteral(
    "Warning: changing to this type of layout\rwill erase all text and icons from the current\rcalendar. Proceed?");
const QString kObjectsWarning = QStringLiteral(
    "Warning: The Calendar has one or more items\rplaced on it using the Label, Clip Art, RichText,\rSuperText or "
    "Floating Calendar tools.\r\rChanging Paper Size, Orientation, Layout, Margins or Border\rmeans you will have "
    "to reposition these items.\r\rProceed?");

QStringList utf8List(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QStringList items(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

QStringList items(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

QStringList inchList()
{
    return {QStringLiteral("¼ Inch"), QStringLiteral("½ Inch"),  QStringLiteral("¾ Inch"),
            QStringLiteral("1 Inch"), QStringLiteral("1¼ Inch"), QStringLiteral("1½ Inch")};
}

// Runs `step` on the properties dialog once it runs modally.
void whenShown(std::function<void(TCalendarProperties*)> step)
{
    WhenModalShown<TCalendarProperties>(std::move(step));
}

void click(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

class PropertiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(folder.path()).mkdir(QStringLiteral("Borders"));
        for (const char* name : {"Holly.wls", "Holly.wpo", "Stars.wls", "Stars.wpo"}) {
            QFile::copy(QStringLiteral(ALMARIN_SOURCE_DIR "/assets/Borders/") + QLatin1String(name),
                        folder.file(QStringLiteral("Borders/")) + QLatin1String(name));
        }
        SetMessageResponder([this](MessageKind kind, const QString& text, const QString& caption) {
            messages.append({kind, text, caption});
            return answer;
        });
        document.ResetToDefaults();
        document.SetCalendarLayout(loFullCalendar);
        document.SetMainCalYear(2024);
        document.SetMainCalMonth(3);
        document.SetMainCalDay(15);
    }
    void TearDown() override
    {
        dialog.reset();
        SetMessageResponder({});
    }

    TCalendarProperties& open(const TPropertiesRequest& request = {})
    {
        dialog = std::make_unique<TCalendarProperties>();
        dialog->SetShowHelp([this](int topic) { helpTopics.append(topic); });
        dialog->SetChooseFont([this](FontDescription& font, const QString& title) {
            fontTitles.append(title);
            if (!fontAnswer)
                return false;
            font = *fontAnswer;
            return true;
        });
        dialog->SetPickTime([this](QTime& time) {
            offeredTime = time;
            if (!timeAnswer.isValid())
                return false;
            time = timeAnswer;
            return true;
        });
        dialog->SetChooseStyleSheetToSave([this] { return styleSheetName; });
        dialog->SetChooseStyleSheetToOpen([this] { return styleSheetName; });
        dialog->Prepare(document, request);
        dialog->show();
        return *dialog;
    }

    TCalendarPanel32& example() { return *dialog->ExampleCalendar(); }
    template <class T> T* control(const char* name) { return dialog->Control<T>(QLatin1String(name)); }
    QAbstractButton* radio(const char* group, int id)
    {
        return dialog->findChild<QButtonGroup*>(QLatin1String(group))->button(id);
    }
    QImage pageImage() { return example().grab().toImage(); }

    ScratchProgramFolder folder;
    TCalendarPanel32 document;
    std::unique_ptr<TCalendarProperties> dialog;
    QList<Message> messages;
    bool answer = true;
    QList<int> helpTopics;
    QStringList fontTitles;
    std::optional<FontDescription> fontAnswer;
    QTime offeredTime;
    QTime timeAnswer;
    QString styleSheetName;
};

} // namespace

TEST_F(PropertiesTest, ControlsCarryTheirCaptionsAndItems)
{
    TCalendarProperties& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Calendar Properties"));
    QStringList tabs;
    for (int i = 0; i < d.TabSet()->count(); ++i)
        tabs.append(d.TabSet()->tabText(i));
    EXPECT_EQ(tabs, utf8List({"Layout", "Date", "Fonts, Colors", "Mini Fonts, Colors", "Headers", "Lines", "Planners",
                              "Language", "Margins", "Borders"}));
    EXPECT_EQ(d.Notebook()->count(), 10);
    EXPECT_EQ(items(control<QListWidget>("LayoutList")),
              utf8List({"1 Month Calendar ", "1 Month Calendar, 2 Mini Calendars",
                        "1 Month Calendar, 6 Mini Calendars Before & After ",
                        "1 Month Calendar, 12 Mini Calendars After ", "6 Month Calendar (Mini Calendars)",
                        "12 Month Calendar (Mini Calendars)", "24 Month Calendar (Mini Calendars)",
                        "48 Month Calendar (Mini Calendars)", "60 Month Calendar (Mini Calendars)", "One Week Planner",
                        "Two Week Planner", "Day Planner (10 hours) ", "Day Planner (15 hours) "}));
    EXPECT_EQ(control<QGroupBox>("rOrientation")->title(), QStringLiteral("Orientation"));
    EXPECT_EQ(radio("rOrientation", 1)->text(), QStringLiteral("Landscape"));
    EXPECT_EQ(control<QGroupBox>("PaperSize")->title(), QStringLiteral("Paper"));
    EXPECT_EQ(radio("PaperSize", 1)->text(), QStringLiteral("A4"));
    EXPECT_EQ(control<QLabel>("SelectMonthYearLabel")->text(), QStringLiteral("Select Month && Year"));
    EXPECT_EQ(control<QGroupBox>("WeekStartsOn")->title(), QStringLiteral("Week Starts On"));
    EXPECT_EQ(control<QCheckBox>("TitleShowYearCheck")->text(), QStringLiteral("Show Year in Title"));
    EXPECT_EQ(control<QCheckBox>("MiniShowYearCheck")->text(), QStringLiteral("Show Year in Mini Title"));
    const QStringList styles = utf8List({"First Character", "First Three Characters", "Whole Word"});
    EXPECT_EQ(items(control<QComboBox>("CalHeaderStyleCombo")), styles);
    EXPECT_EQ(items(control<QComboBox>("MiniHeadersStyleCombo")), styles);
    EXPECT_EQ(items(control<QComboBox>("CalendarLineLayoutCombo")),
              utf8List({"Full", "Headers & Cells", "Cells Only"}));
    EXPECT_EQ(items(control<QComboBox>("MiniCalendarLineLayoutCombo")), utf8List({"Full", "Boxed", "Minimal"}));
    for (const char* name :
         {"LeftMarginInchcombo", "TopMarginInchcombo", "RightMarginInchcombo", "BottomMarginInchcombo"})
        EXPECT_EQ(items(control<QComboBox>(name)), inchList()) << name;
    EXPECT_TRUE(control<QRadioButton>("useInches")->isChecked());
    EXPECT_EQ(control<QRadioButton>("UseMillimeters")->text(), QStringLiteral("Use Millimeters"));
    EXPECT_EQ(items(control<QListWidget>("BorderFiles")), utf8List({" [No Special Border]", "Holly", "Stars"}));
    QStringList languages;
    for (const char* name : {"English", "French", "German", "Spanish", "Italian"})
        languages.append(control<QPushButton>(name)->text());
    EXPECT_EQ(languages, utf8List({"English", "Français", "Deutsch", "Español", "L'italiano"}));
    QStringList buttons;
    for (const char* name :
         {"OkButton", "CancelButton", "SaveAsStyleSheetButton", "LoadStyleSheetButton", "Defaultbutton", "Helpbutton"})
        buttons.append(control<QPushButton>(name)->text());
    EXPECT_EQ(buttons,
              utf8List({"&Ok", "&Cancel", "&Save As Style Sheet", "&Load Style Sheet", "&Default Style", "&Help"}));
    EXPECT_TRUE(control<QPushButton>("OkButton")->isDefault());
    EXPECT_EQ(control<QLabel>("ZoomLabel")->text(), QStringLiteral("30%"));
    bool noteFound = false;
    for (QLabel* label : d.findChildren<QLabel*>()) {
        noteFound |= label->text() == QStringLiteral("*(Note: This setting only applies if you have selected one of "
                                                     "the two Day Planners from the Layout tab)");
    }
    EXPECT_TRUE(noteFound);
}

TEST_F(PropertiesTest, OnAScreenNarrowerThanTheTabStripTheTabsScrollAndTheDialogFits)
{
    open();
    dialog->FitWidth(1000);
    EXPECT_LE(dialog->width(), 1000);
}

TEST_F(PropertiesTest, OpeningShowsThePageSettings)
{
    document.SetCalendarLayout(LOFullCalendarLS);
    document.SetA4Paper(true);
    document.SetStartOfWeek(2);
    document.SetLeftMarginInch(0.75f);
    document.SetTopMarginInch(1.0f);
    document.SetRightMarginInch(1.6f);
    document.SetBottomMarginInch(0.3f);
    document.SetWMFBorderFile(QStringLiteral("stars"));
    document.SetHeadersStyle(dsFirstChar);
    document.SetMiniCalendarLineLayout(mllMinimal);
    document.SetMonthName(5, QStringLiteral("Mayo"));
    document.SetTitleBGColor(clYellow);
    open();
    EXPECT_EQ(control<QListWidget>("LayoutList")->currentRow(), 0);
    EXPECT_TRUE(radio("rOrientation", 1)->isChecked());
    EXPECT_TRUE(radio("PaperSize", 1)->isChecked());
    EXPECT_TRUE(radio("WeekStartsOn", 1)->isChecked());
    EXPECT_EQ(control<TMonthDateChooser>("Calendar")->Date(), QDate(2024, 3, 15));
    EXPECT_EQ(control<QLabel>("DateLabel")->text(),
              QLocale().toString(QDate(2024, 3, 15), QStringLiteral("MMMM yyyy")));
    EXPECT_EQ(control<QComboBox>("LeftMarginInchcombo")->currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>("TopMarginInchcombo")->currentIndex(), 3);
    EXPECT_EQ(control<QComboBox>("RightMarginInchcombo")->currentIndex(), 5);
    EXPECT_EQ(control<QComboBox>("BottomMarginInchcombo")->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("CalHeaderStyleCombo")->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("MiniCalendarLineLayoutCombo")->currentIndex(), 2);
    EXPECT_EQ(control<TColorButton>("TitleBGColor")->Color(), clYellow);
    EXPECT_EQ(control<QPlainTextEdit>("MonthNames")->toPlainText().split(QLatin1Char('\n')).value(4),
              QStringLiteral("Mayo"));
    EXPECT_EQ(control<QPlainTextEdit>("DayNames")->toPlainText().split(QLatin1Char('\n')).size(), 7);
    EXPECT_EQ(control<QLabel>("TimeLabel")->text(), QLocale().toString(QTime(8, 0), QLocale::ShortFormat));
    // The border is found without regard to case, and the page keeps the name it had.
    EXPECT_EQ(control<QListWidget>("BorderFiles")->currentRow(), 2);
    EXPECT_EQ(example().WMFBorderFile(), QStringLiteral("stars"));
    // Opening changes nothing on the example page.
    EXPECT_TRUE(example().SameSettingsAs(document));
}

TEST_F(PropertiesTest, LayoutTabAppliesAtOnce)
{
    open();
    const QImage before = pageImage();
    control<QListWidget>("LayoutList")->setCurrentRow(5);
    EXPECT_EQ(example().CalendarLayout(), loMC12Month);
    EXPECT_NE(pageImage(), before);
    click(radio("rOrientation", 1));
    EXPECT_EQ(example().CalendarLayout(), loMC12MonthLS);
    EXPECT_EQ(example().CalendarOrientation(), coLandscape);
    click(radio("PaperSize", 1));
    EXPECT_TRUE(example().A4Paper());
    EXPECT_EQ(example().PageWidth(), 1122); // A4 landscape at 96 pixels per inch
    control<QListWidget>("LayoutList")->setCurrentRow(12);
    EXPECT_EQ(example().CalendarLayout(), loDay15);
    EXPECT_TRUE(dialog->StartingDateMode());
}

TEST_F(PropertiesTest, DateTabAppliesAtOnce)
{
    open();
    auto* calendar = control<TMonthDateChooser>("Calendar");
    click(calendar->NextMonthButton());
    EXPECT_EQ(example().MainCalMonth(), 4);
    EXPECT_EQ(control<QLabel>("DateLabel")->text(),
              QLocale().toString(QDate(2024, 4, 15), QStringLiteral("MMMM yyyy")));
    click(calendar->PreviousYearButton());
    EXPECT_EQ(example().MainCalYear(), 2023);
    calendar->Grid()->setSelectedDate(QDate(2023, 4, 20));
    EXPECT_EQ(example().MainCalDay(), 20);

    click(radio("WeekStartsOn", 1));
    EXPECT_EQ(example().StartOfWeek(), 2);
    click(radio("WeekStartsOn", 0));
    EXPECT_EQ(example().StartOfWeek(), 1);
    click(control<QCheckBox>("TitleShowYearCheck"));
    EXPECT_FALSE(example().TitleShowYear());
    control<QListWidget>("LayoutList")->setCurrentRow(1); // minis need a layout with mini calendars
    click(control<QCheckBox>("MiniShowYearCheck"));
    EXPECT_FALSE(example().MiniShowYear());
    click(control<QCheckBox>("ShowWeekNumbersCheck"));
    EXPECT_TRUE(example().ShowWeekNumbers());
    click(control<QCheckBox>("ShowMoonPhasesCheck"));
    EXPECT_TRUE(example().ShowMoonPhases());
}

TEST_F(PropertiesTest, FontAndColourButtonsApplyAtOnce)
{
    open();
    control<QListWidget>("LayoutList")->setCurrentRow(1);
    const FontDescription chosen{QStringLiteral("Arial"), 30, fsItalic, RGBValue(200, 0, 0)};
    fontAnswer = chosen;
    struct Case
    {
        const char* button;
        FontDescription (TCalendarPanel32::*get)() const;
    };
    const Case cases[] = {
        {"TitleFontbutton", &TCalendarPanel32::TitleFont},
        {"HeaderFontButton", &TCalendarPanel32::HeadersFont},
        {"NumberFontButton", &TCalendarPanel32::CellFont},
        {"Minititlefontbutton", &TCalendarPanel32::MiniTitleFont},
        {"MiniHeaderFontButton", &TCalendarPanel32::MiniHeadersFont},
        {"MiniCellFontButton", &TCalendarPanel32::MiniCellFont},
    };
    for (const Case& c : cases) {
        click(control<QPushButton>(c.button));
        EXPECT_EQ((example().*c.get)(), chosen) << c.button;
    }
    EXPECT_EQ(fontTitles.value(0), QStringLiteral("Title Font"));
    EXPECT_EQ(control<QLabel>("TitleFontbuttonSample")->text(), QStringLiteral("Arial, 30 pt, Italic"));

    fontAnswer.reset();
    const FontDescription title = example().TitleFont();
    click(control<QPushButton>("TitleFontbutton"));
    EXPECT_EQ(example().TitleFont(), title);

    const TColor yellow = RGBValue(255, 255, 0);
    const int swatch = TColorButton::PaletteColors().indexOf(yellow);
    struct ColourCase
    {
        const char* button;
        int (TCalendarPanel32::*get)() const;
    };
    const ColourCase colours[] = {
        {"TitleBGColor", &TCalendarPanel32::TitleBGColor},
        {"HeaderBGColor", &TCalendarPanel32::HeadersBGColor},
        {"MiniHeadersBGColorButton", &TCalendarPanel32::MiniHeadersBGColor},
        {"MiniCalBGColorButton", &TCalendarPanel32::MiniCalBGColor},
    };
    for (const ColourCase& c : colours) {
        auto* button = control<TColorButton>(c.button);
        const QImage before = pageImage();
        button->ShowPalette();
        click(button->Swatch(swatch));
        EXPECT_EQ((example().*c.get)(), yellow) << c.button;
        EXPECT_NE(pageImage(), before) << c.button;
    }
}

TEST_F(PropertiesTest, HeaderAndLineListsApplyAtOnce)
{
    open();
    control<QListWidget>("LayoutList")->setCurrentRow(1);
    control<QComboBox>("CalHeaderStyleCombo")->setCurrentIndex(0);
    EXPECT_EQ(example().HeadersStyle(), dsFirstChar);
    control<QComboBox>("MiniHeadersStyleCombo")->setCurrentIndex(2);
    EXPECT_EQ(example().MiniHeadersStyle(), dsWhole);
    control<QComboBox>("CalendarLineLayoutCombo")->setCurrentIndex(2);
    EXPECT_EQ(example().CalendarLineLayout(), llCellsOnly);
    EXPECT_EQ(example().CalendarBorder(), cbNone);
    EXPECT_EQ(example().HeadersBorder(), cbNone);
    control<QComboBox>("MiniCalendarLineLayoutCombo")->setCurrentIndex(2);
    EXPECT_EQ(example().MiniCalendarLineLayout(), mllMinimal);
    EXPECT_EQ(example().MiniHeadersBorder(), cbTop);
}

TEST_F(PropertiesTest, PlannerStartingTimeComesFromTheTimePicker)
{
    open();
    control<QListWidget>("LayoutList")->setCurrentRow(11);
    timeAnswer = QTime(9, 30);
    click(control<QPushButton>("StartingtimeButton"));
    EXPECT_EQ(offeredTime, QTime(8, 0));
    EXPECT_DOUBLE_EQ(example().DayStartTime(), 9.5 / 24.0);
    EXPECT_EQ(control<QLabel>("TimeLabel")->text(), QLocale().toString(QTime(9, 30), QLocale::ShortFormat));

    timeAnswer = QTime();
    click(control<QPushButton>("StartingtimeButton"));
    EXPECT_EQ(offeredTime, QTime(9, 30));
    EXPECT_DOUBLE_EQ(example().DayStartTime(), 9.5 / 24.0);

    // A label that holds no time starts the picker at the current time.
    control<QLabel>("TimeLabel")->setText(QStringLiteral("later"));
    click(control<QPushButton>("StartingtimeButton"));
    EXPECT_TRUE(offeredTime.isValid());
    EXPECT_LE(qAbs(offeredTime.secsTo(QTime::currentTime())), 60 * 60);
    EXPECT_NE(control<QLabel>("TimeLabel")->text(), QStringLiteral("later"));
}

TEST_F(PropertiesTest, LanguageButtonsFillTheNamesAndApplyThem)
{
    open();
    click(control<QPushButton>("German"));
    EXPECT_EQ(control<QPlainTextEdit>("MonthNames")->toPlainText().section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Januar"));
    EXPECT_EQ(example().GetMonthName(3), QStringLiteral("März"));
    EXPECT_EQ(example().GetDayName(6), QStringLiteral("Freitag "));
    EXPECT_EQ(example().GetDayName(1), QStringLiteral("Sonntag"));
    click(control<QPushButton>("French"));
    EXPECT_EQ(example().GetMonthName(8), QStringLiteral("Août"));
    EXPECT_EQ(example().GetDayName(1), QStringLiteral("Dimanche"));
    click(control<QPushButton>("Spanish"));
    EXPECT_EQ(example().GetDayName(4), QStringLiteral("Miércoles"));
    EXPECT_EQ(example().GetMonthName(12), QStringLiteral("Diciembre"));
    click(control<QPushButton>("Italian"));
    EXPECT_EQ(example().GetDayName(2), QStringLiteral("Lunedì"));
    EXPECT_EQ(example().GetMonthName(6), QStringLiteral("Giugno"));
    click(control<QPushButton>("English"));
    EXPECT_EQ(example().GetMonthName(1), QStringLiteral("January"));
    EXPECT_EQ(example().GetDayName(7), QStringLiteral("Saturday"));

    // Leaving a memo applies the lines it has; missing lines leave their names alone.
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    dialog->TabSet()->setCurrentIndex(7);
    auto* months = control<QPlainTextEdit>("MonthNames");
    months->setFocus();
    months->setPlainText(QStringLiteral("Jan\nFeb\n"));
    control<QPlainTextEdit>("DayNames")->setFocus();
    EXPECT_EQ(example().GetMonthName(1), QStringLiteral("Jan"));
    EXPECT_EQ(example().GetMonthName(2), QStringLiteral("Feb"));
    EXPECT_EQ(example().GetMonthName(3), QStringLiteral("March"));
}

TEST_F(PropertiesTest, MarginsInInchesOrMillimetres)
{
    open();
    auto* left = control<QComboBox>("LeftMarginInchcombo");
    auto* bottom = control<QComboBox>("BottomMarginInchcombo");
    left->setCurrentIndex(3);
    EXPECT_FLOAT_EQ(example().LeftMarginInch(), 1.0f);
    EXPECT_EQ(example().BorderRect().left, 96);
    bottom->setCurrentIndex(5);
    EXPECT_FLOAT_EQ(example().BottomMarginInch(), 1.5f);

    click(control<QRadioButton>("UseMillimeters"));
    EXPECT_EQ(items(left), utf8List({"6 mm", "13 mm", "19 mm", "25 mm", "32 mm", "38 mm"}));
    EXPECT_EQ(left->currentIndex(), 3);
    EXPECT_EQ(bottom->currentIndex(), 5);
    EXPECT_EQ(control<QComboBox>("TopMarginInchcombo")->currentIndex(), 1);
    // Switching units is not a change of margin.
    EXPECT_FLOAT_EQ(example().LeftMarginInch(), 1.0f);
    EXPECT_FLOAT_EQ(example().TopMarginInch(), 0.5f);
    left->setCurrentIndex(0);
    EXPECT_FLOAT_EQ(example().LeftMarginInch(), 0.25f);

    click(control<QRadioButton>("useInches"));
    EXPECT_EQ(items(left), inchList());
    EXPECT_EQ(left->currentIndex(), 0);
    EXPECT_EQ(bottom->currentIndex(), 5);
    EXPECT_FLOAT_EQ(example().BottomMarginInch(), 1.5f);
}

TEST(PropertiesMargins, SizesAndTheIndexAMarginFallsOn)
{
    EXPECT_FLOAT_EQ(TMarginsTab::MarginInches(0), 0.25f);
    EXPECT_FLOAT_EQ(TMarginsTab::MarginInches(5), 1.5f);
    EXPECT_FLOAT_EQ(TMarginsTab::MarginInches(-1), 0.0f);
    EXPECT_FLOAT_EQ(TMarginsTab::MarginInches(6), 0.0f);
    EXPECT_EQ(TMarginsTab::MarginIndex(0.0f), 0);
    EXPECT_EQ(TMarginsTab::MarginIndex(0.49f), 0);
    EXPECT_EQ(TMarginsTab::MarginIndex(0.5f), 1);
    EXPECT_EQ(TMarginsTab::MarginIndex(0.74f), 1);
    EXPECT_EQ(TMarginsTab::MarginIndex(1.0f), 3);
    EXPECT_EQ(TMarginsTab::MarginIndex(1.49f), 4);
    EXPECT_EQ(TMarginsTab::MarginIndex(1.5f), 5);
    EXPECT_EQ(TMarginsTab::MarginIndex(4.0f), 5);
}

TEST_F(PropertiesTest, BordersComeFromTheBordersFolder)
{
    open();
    auto* list = control<QListWidget>("BorderFiles");
    EXPECT_EQ(list->currentRow(), 0);
    const QImage plain = pageImage();
    list->setCurrentRow(1);
    EXPECT_EQ(example().WMFBorderFile(), QStringLiteral("Holly"));
    EXPECT_NE(pageImage(), plain);
    list->setCurrentRow(0);
    EXPECT_TRUE(example().WMFBorderFile().isEmpty());

    // Without the folder the list stays empty and disabled.
    dialog.reset();
    QDir(folder.file(QStringLiteral("Borders"))).removeRecursively();
    open();
    EXPECT_FALSE(control<QListWidget>("BorderFiles")->isEnabled());
    EXPECT_EQ(control<QListWidget>("BorderFiles")->count(), 0);
}

TEST_F(PropertiesTest, SetButtonsFollowsTheLayout)
{
    open();
    auto* list = control<QListWidget>("LayoutList");
    auto enabled = [this](const char* name) { return control<QWidget>(name)->isEnabled(); };

    list->setCurrentRow(9); // One Week Planner
    EXPECT_EQ(example().CalendarLayout(), loWeek);
    EXPECT_FALSE(enabled("rOrientation"));
    EXPECT_FALSE(enabled("WeekStartsOn"));
    EXPECT_EQ(control<QLabel>("SelectMonthYearLabel")->text(), QStringLiteral("Select Starting Date"));
    EXPECT_EQ(control<QLabel>("DateLabel")->text(), QLocale().toString(QDate(2024, 3, 15), QLocale::LongFormat));
    EXPECT_FALSE(enabled("StartingtimeButton"));
    EXPECT_TRUE(enabled("TitleFontbutton"));
    EXPECT_TRUE(enabled("CalHeaderStyleCombo"));
    EXPECT_FALSE(enabled("TitleShowYearCheck"));
    EXPECT_FALSE(enabled("NumberFontButton"));
    EXPECT_FALSE(enabled("Minititlefontbutton"));
    EXPECT_FALSE(enabled("ShowWeekNumbersCheck"));
    EXPECT_FALSE(enabled("ShowMoonPhasesCheck"));

    list->setCurrentRow(11); // Day Planner (10 hours)
    EXPECT_TRUE(enabled("StartingtimeButton"));

    list->setCurrentRow(5); // 12 months of minis alone
    EXPECT_TRUE(enabled("rOrientation"));
    EXPECT_TRUE(enabled("WeekStartsOn"));
    EXPECT_EQ(control<QLabel>("SelectMonthYearLabel")->text(), QStringLiteral("Select Month && Year"));
    EXPECT_EQ(control<QLabel>("DateLabel")->text(),
              QLocale().toString(QDate(2024, 3, 15), QStringLiteral("MMMM yyyy")));
    for (const char* name :
         {"TitleFontbutton", "HeaderFontButton", "HeaderBGColor", "CalHeaderStyleCombo", "TitleShowYearCheck",
          "TitleBGColor", "NumberFontButton", "CalendarLineLayoutCombo", "StartingtimeButton", "ShowMoonPhasesCheck"})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : {"MiniShowYearCheck", "Minititlefontbutton", "MiniHeaderFontButton",
                             "MiniHeadersBGColorButton", "MiniCellFontButton", "MiniCalBGColorButton",
                             "MiniHeadersStyleCombo", "MiniCalendarLineLayoutCombo", "ShowWeekNumbersCheck"})
        EXPECT_TRUE(enabled(name)) << name;

    list->setCurrentRow(1); // a month with two minis in the title: everything but the planner time
    for (const char* name :
         {"TitleFontbutton", "TitleShowYearCheck", "NumberFontButton", "CalendarLineLayoutCombo", "MiniShowYearCheck",
          "MiniCalBGColorButton", "ShowWeekNumbersCheck", "ShowMoonPhasesCheck"})
        EXPECT_TRUE(enabled(name)) << name;

    list->setCurrentRow(0); // a month alone has no minis
    EXPECT_FALSE(enabled("MiniShowYearCheck"));
    EXPECT_FALSE(enabled("MiniCalendarLineLayoutCombo"));
}

TEST_F(PropertiesTest, ZoomButtonsReachTenAndHundredPercent)
{
    open();
    auto* zoomOut = control<QToolButton>("ZoomOutbutton");
    auto* zoomIn = control<QToolButton>("ZoomInButton");
    for (int i = 0; i < 5; ++i)
        click(zoomOut);
    EXPECT_EQ(control<QLabel>("ZoomLabel")->text(), QStringLiteral("10%"));
    EXPECT_EQ(example().width(), qRound(example().PageWidth() * example().Scale()));
    for (int i = 0; i < 12; ++i)
        click(zoomIn);
    EXPECT_EQ(control<QLabel>("ZoomLabel")->text(), QStringLiteral("100%"));
    EXPECT_EQ(example().width(), example().PageWidth() + 1); // 1.001 of the page
}

TEST_F(PropertiesTest, OkWarnsBeforeDayTextIsLost)
{
    TPropertiesRequest request;
    request.HasText = true;
    request.OriginalKind = lkMainMonth;
    open(request);
    control<QListWidget>("LayoutList")->setCurrentRow(5);
    answer = false;
    click(control<QPushButton>("OkButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].kind, MessageKind::Question);
    EXPECT_EQ(messages[0].text, kLayoutWarning);
    EXPECT_EQ(messages[0].caption, QStringLiteral("WARNING"));
    EXPECT_TRUE(dialog->isVisible());

    answer = true;
    click(control<QPushButton>("OkButton"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->TextLossConfirmed());

    // Another month on a page with text: cells belong to positions, so the text would be lost too.
    messages.clear();
    open(request);
    click(control<TMonthDateChooser>("Calendar")->NextMonthButton());
    answer = false;
    click(control<QPushButton>("OkButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("month or year")));
    EXPECT_EQ(messages[0].caption, QStringLiteral("WARNING"));
    EXPECT_TRUE(dialog->isVisible());

    // Another day of the same month, or no text at all: nothing to ask.
    messages.clear();
    open(request);
    control<TMonthDateChooser>("Calendar")->SetDay(20);
    click(control<QPushButton>("OkButton"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->TextLossConfirmed());

    // But a planner starts at its day: another first day moves the notes, on every planner layout.
    for (int layout = 18; layout <= 21; ++layout) {
        document.SetCalendarLayout(static_cast<TCalendarLayout>(layout));
        document.SetMainCalDay(3);
        request.OriginalKind = document.LayoutKind();
        messages.clear();
        open(request);
        control<TMonthDateChooser>("Calendar")->SetDay(20);
        answer = false;
        click(control<QPushButton>("OkButton"));
        ASSERT_EQ(messages.size(), 1) << layout;
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("month or year"))) << layout;
        EXPECT_TRUE(dialog->isVisible()) << layout;
    }
}

TEST_F(PropertiesTest, OkWarnsWhenPlacedObjectsMustMove)
{
    document.SetWMFBorderFile(QStringLiteral("Holly"));
    TPropertiesRequest request;
    request.HasObjects = true;
    request.OriginalKind = lkMainMonth;

    open(request);
    control<QListWidget>("BorderFiles")->setCurrentRow(2); // one border for another
    click(control<QPushButton>("OkButton"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    open(request);
    control<QListWidget>("BorderFiles")->setCurrentRow(0); // the border removed
    answer = false;
    click(control<QPushButton>("OkButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, kObjectsWarning);
    EXPECT_EQ(messages[0].caption, QStringLiteral("WARNING"));
    EXPECT_TRUE(dialog->isVisible());
    answer = true;
    click(control<QPushButton>("OkButton"));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->ObjectsWarningConfirmed());

    for (const char* what : {"margin", "paper", "layout"}) {
        messages.clear();
        open(request);
        if (QLatin1String(what) == QLatin1String("margin"))
            control<QComboBox>("TopMarginInchcombo")->setCurrentIndex(4);
        else if (QLatin1String(what) == QLatin1String("paper"))
            click(radio("PaperSize", 1));
        else
            control<QListWidget>("LayoutList")->setCurrentRow(1);
        click(control<QPushButton>("OkButton"));
        EXPECT_EQ(messages.size(), 1) << what;
    }

    // A new calendar is asked nothing.
    messages.clear();
    request.IsNew = true;
    request.HasText = true;
    open(request);
    control<QListWidget>("LayoutList")->setCurrentRow(6);
    control<QComboBox>("TopMarginInchcombo")->setCurrentIndex(4);
    click(control<QPushButton>("OkButton"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PropertiesTest, NewStartsFromTheDefaults)
{
    document.SetCalendarLayout(loWeek);
    document.SetTitleBGColor(clYellow);
    TPropertiesRequest request;
    request.IsNew = true;
    open(request);
    EXPECT_EQ(example().CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(example().TitleBGColor(), clWhite);
    EXPECT_EQ(control<QListWidget>("LayoutList")->currentRow(), 1);
    EXPECT_TRUE(radio("rOrientation", 1)->isChecked());
}

TEST_F(PropertiesTest, ReopeningKeepsTheMiniFontSizesChosen)
{
    document.SetCalendarLayout(loFC12After);
    FontDescription mini = document.MiniTitleFont();
    mini.size = 14;
    document.SetMiniTitleFont(mini);
    open();
    EXPECT_EQ(example().MiniTitleFont().size, 14);
    // Choosing another layout gives the minis that layout's sizes.
    control<QListWidget>("LayoutList")->setCurrentRow(5);
    EXPECT_NE(example().MiniTitleFont().size, 14);
}

TEST_F(PropertiesTest, StyleSheetSavedAndLoadedRestoresEverySettingButTheDate)
{
    open();
    control<QListWidget>("LayoutList")->setCurrentRow(2);
    click(radio("rOrientation", 1));
    click(radio("PaperSize", 1));
    click(radio("WeekStartsOn", 1));
    click(control<QCheckBox>("TitleShowYearCheck"));
    fontAnswer = FontDescription{QStringLiteral("Arial"), 22, fsBold | fsItalic, RGBValue(0, 0, 128)};
    click(control<QPushButton>("HeaderFontButton"));
    fontAnswer = FontDescription{QStringLiteral("Arial"), 13, 0, RGBValue(0, 128, 0)};
    click(control<QPushButton>("Minititlefontbutton"));
    auto* colour = control<TColorButton>("MiniCalBGColorButton");
    colour->ShowPalette();
    click(colour->Swatch(11));
    control<QComboBox>("CalHeaderStyleCombo")->setCurrentIndex(0);
    control<QComboBox>("CalendarLineLayoutCombo")->setCurrentIndex(1);
    control<QComboBox>("MiniCalendarLineLayoutCombo")->setCurrentIndex(0);
    click(control<QPushButton>("Spanish"));
    control<QComboBox>("RightMarginInchcombo")->setCurrentIndex(4);
    control<QListWidget>("BorderFiles")->setCurrentRow(2);
    const CalendarSettings saved = example().Settings();

    styleSheetName = folder.file(QStringLiteral("Mine.QXS"));
    click(control<QPushButton>("SaveAsStyleSheetButton"));
    ASSERT_TRUE(QFile::exists(styleSheetName));
    EXPECT_TRUE(messages.isEmpty());

    click(control<QPushButton>("Defaultbutton"));
    EXPECT_EQ(example().CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(control<QListWidget>("BorderFiles")->currentRow(), 0);
    click(control<TMonthDateChooser>("Calendar")->NextYearButton());

    click(control<QPushButton>("LoadStyleSheetButton"));
    EXPECT_TRUE(messages.isEmpty());
    CalendarSettings loaded = example().Settings();
    EXPECT_EQ(loaded.MainCalYear, QDate::currentDate().year() + 1);
    loaded.MainCalDay = saved.MainCalDay;
    loaded.MainCalMonth = saved.MainCalMonth;
    loaded.MainCalYear = saved.MainCalYear;
    // The week start and the planners' first hour are kept with the date in documents, not in style sheets.
    EXPECT_EQ(loaded.StartOfWeek, 1);
    loaded.StartOfWeek = saved.StartOfWeek;
    loaded.DayStartTime = saved.DayStartTime;
    EXPECT_TRUE(loaded == saved);
    EXPECT_EQ(loaded.MiniTitleFont.size, 13);
    // The controls show what was loaded.
    EXPECT_EQ(control<QListWidget>("LayoutList")->currentRow(), 2);
    EXPECT_TRUE(radio("rOrientation", 1)->isChecked());
    EXPECT_TRUE(radio("PaperSize", 1)->isChecked());
    EXPECT_EQ(control<QListWidget>("BorderFiles")->currentRow(), 2);
    EXPECT_EQ(control<QComboBox>("RightMarginInchcombo")->currentIndex(), 4);
    EXPECT_EQ(control<QPlainTextEdit>("DayNames")->toPlainText().section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Domingo"));
}

TEST_F(PropertiesTest, StyleSheetNamesAndUnreadableFiles)
{
    open();
    styleSheetName = folder.file(QStringLiteral("Mine.txt"));
    click(control<QPushButton>("SaveAsStyleSheetButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].kind, MessageKind::Information);
    EXPECT_EQ(messages[0].text, QStringLiteral("Must save as a Calendar Style Sheet (*.QXS)"));
    EXPECT_FALSE(QFile::exists(styleSheetName));

    messages.clear();
    click(control<QPushButton>("LoadStyleSheetButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("Must be a Calendar Style Sheet (*.QXS)"));

    // The extension is compared without regard to case.
    messages.clear();
    styleSheetName = folder.file(QStringLiteral("lower.qxs"));
    click(control<QPushButton>("SaveAsStyleSheetButton"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(QFile::exists(styleSheetName));

    styleSheetName = folder.file(QStringLiteral("Broken.QXS"));
    QFile broken(styleSheetName);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a style sheet");
    broken.close();
    const CalendarSettings before = example().Settings();
    click(control<QPushButton>("LoadStyleSheetButton"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, UnableToOpenStyleSheetMessage(styleSheetName));
    EXPECT_TRUE(example().Settings() == before);
    EXPECT_FALSE(dialog->Updating());

    // A cancelled file dialog does nothing.
    messages.clear();
    styleSheetName.clear();
    click(control<QPushButton>("SaveAsStyleSheetButton"));
    click(control<QPushButton>("LoadStyleSheetButton"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST(PropertiesStyleSheetDialogs, StartInTheProgramFolderWithTheirTitlesAndFilter)
{
    ScratchProgramFolder folder;
    std::unique_ptr<QFileDialog> save = TCalendarProperties::MakeStyleSheetDialog(nullptr, true);
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Save As Calendar Style Sheet"));
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("QXS"));
    EXPECT_TRUE(save->nameFilters().value(0).startsWith(QStringLiteral("Calendar Style Sheet (*.QXS")));
    EXPECT_EQ(QDir(save->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_TRUE(save->selectedFiles().value(0).endsWith(QStringLiteral("MyStyle.QXS")));
    std::unique_ptr<QFileDialog> load = TCalendarProperties::MakeStyleSheetDialog(nullptr, false);
    EXPECT_EQ(load->windowTitle(), QStringLiteral("Open Calendar Style Sheet"));
    EXPECT_EQ(load->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(QDir(load->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
}

TEST_F(PropertiesTest, HelpOpensTheTopicOfTheTabShown)
{
    TCalendarProperties& d = open();
    for (int tab : {0, 4, 8, 9}) {
        d.TabSet()->setCurrentIndex(tab);
        EXPECT_EQ(d.Notebook()->currentIndex(), tab);
        click(control<QPushButton>("Helpbutton"));
    }
    EXPECT_EQ(helpTopics, QList<int>({2100, 2104, 2108, 3109}));
}

TEST_F(PropertiesTest, PlacementIsSavedOnCloseAndRestored)
{
    open();
    dialog->resize(dialog->width() + 40, dialog->height() + 20);
    dialog->move(60, 70); // where the frame goes
    const QRect placed = dialog->frameGeometry();
    click(control<QPushButton>("CancelButton"));
    QFile ini(SettingsFileName());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[TCalendarProperties_Placement]"));
    EXPECT_TRUE(text.contains("Left=60"));
    EXPECT_TRUE(text.contains("Top=70"));
    // The test screen is narrower than the dialog, so only the vertical placement comes back unmoved.
    open();
    EXPECT_EQ(dialog->frameGeometry().top(), placed.top());
    EXPECT_EQ(dialog->frameGeometry().height(), placed.height());
}

TEST_F(PropertiesTest, ExecuteLeavesTheDocumentAloneAndHandsBackTheChoice)
{
    const CalendarSettings original = document.Settings();
    whenShown([](TCalendarProperties* d) {
        d->Control<QListWidget>(QStringLiteral("LayoutList"))->setCurrentRow(9);
        d->Control<QPushButton>(QStringLiteral("CancelButton"))->click();
    });
    TPropertiesOutcome outcome = TCalendarProperties::Execute(nullptr, document, {});
    EXPECT_FALSE(outcome.Accepted);
    EXPECT_EQ(outcome.Chosen, nullptr);
    EXPECT_TRUE(document.Settings() == original);

    whenShown([](TCalendarProperties* d) {
        d->Control<QListWidget>(QStringLiteral("LayoutList"))->setCurrentRow(9);
        d->Control<QToolButton>(QStringLiteral("ZoomInButton"))->click();
        d->Control<QPushButton>(QStringLiteral("OkButton"))->click();
    });
    TPropertiesRequest request;
    request.ZoomPercent = 50;
    outcome = TCalendarProperties::Execute(nullptr, document, request);
    EXPECT_TRUE(outcome.Accepted);
    ASSERT_NE(outcome.Chosen, nullptr);
    EXPECT_EQ(outcome.Chosen->CalendarLayout(), loWeek);
    EXPECT_FALSE(outcome.Chosen->SameSettingsAs(document));
    EXPECT_EQ(outcome.ZoomPercent, 60);
    EXPECT_TRUE(document.Settings() == original);
}

TEST_F(PropertiesTest, EachTabLooksRight)
{
    document.SetCalendarLayout(loFCMinisInTitleLS);
    TCalendarProperties& d = open();
    const QString dir = TestOutputDir(QStringLiteral("calendarproperties"));
    for (int tab = 0; tab < d.TabSet()->count(); ++tab) {
        d.TabSet()->setCurrentIndex(tab);
        const QImage image = d.grab().toImage();
        EXPECT_FALSE(image.isNull());
        image.save(dir + QStringLiteral("/tab%1.png").arg(tab));
    }
    // A planner greys out what it has no use for; a border shows on the example page.
    control<QListWidget>("LayoutList")->setCurrentRow(9);
    control<QListWidget>("BorderFiles")->setCurrentRow(1);
    d.TabSet()->setCurrentIndex(1);
    d.grab().save(dir + QStringLiteral("/planner_date.png"));
    d.TabSet()->setCurrentIndex(2);
    d.grab().save(dir + QStringLiteral("/planner_fonts.png"));
    auto* colour = control<TColorButton>("TitleBGColor");
    d.TabSet()->setCurrentIndex(2);
    colour->ShowPalette();
    colour->Palette()->grab().save(dir + QStringLiteral("/palette.png"));
}
