#include "surfacetesting.h"

#include "document/flatcalendar/qflatcalendar.h"
#include "editor/flatcalendar/flatcalendareditor.h"

#include "editor/objectmenu.h"
#include "editor/qbasepanel.h"
#include "report/reportprinter.h"
#include "stream/componentio.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;

// The object painted alone on a background of this colour, at its own size.
QImage Render(TQFlatCalendar& calendar, QRgb background = 0xFFFFFFFF)
{
    QImage image(calendar.Width(), calendar.Height(), QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    calendar.PaintTo(painter, 0, 0);
    return image;
}

int Count(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

TQFlatCalendar* ReadBack(const QByteArray& bytes, QObject* parent)
{
    TStreamReader reader(bytes);
    return qobject_cast<TQFlatCalendar*>(ReadComponent(reader, TQBasePanel::ObjectClasses(), parent));
}

void ExpectSameLook(const TQFlatCalendar& a, const TQFlatCalendar& b)
{
    for (const QMetaProperty& property : StreamProperties(TQFlatCalendar::staticMetaObject)) {
        if (property.propertyIndex() < TQGraphicControl::staticMetaObject.propertyCount())
            continue;
        EXPECT_EQ(property.read(&a), property.read(&b)) << property.name();
    }
}

} // namespace

TEST(FlatCalendar, NewObjectShowsTheCurrentMonthFramedInEnglish)
{
    TQFlatCalendar calendar;
    calendar.Loaded();
    calendar.resize(140, 120);
    EXPECT_EQ(calendar.Month(), QDate::currentDate().month());
    EXPECT_EQ(calendar.Year(), QDate::currentDate().year());
    EXPECT_EQ(calendar.Language(), TQFlatCalendar::fclEnglish);
    EXPECT_EQ(calendar.TitleFont().name, QStringLiteral("Arial"));
    EXPECT_FALSE(calendar.ShowYear());
    // Framed calendar: its left and top edges are lines; the day-name band below the title is framed too.
    const QImage image = Render(calendar);
    EXPECT_EQ(image.pixel(0, 60), kBlack);
    EXPECT_EQ(image.pixel(70, 0), kBlack);
    int lines = 0;
    for (int y = 1; y < 60; ++y)
        lines += image.pixel(1, y) == kBlack && image.pixel(2, y) == kBlack && image.pixel(137, y) == kBlack;
    EXPECT_EQ(lines, 2);
}

TEST(FlatCalendar, ShadowAndTransparency)
{
    TQFlatCalendar calendar;
    calendar.Loaded();
    calendar.resize(140, 120);
    calendar.SetShadowColor(RGBValue(255, 0, 0));
    calendar.SetShadowDepth(5);
    calendar.SetShadowPosition(TQFlatCalendar::fcpUpperLeft);
    EXPECT_EQ(calendar.CalendarRect(calendar.size(), 1.0), (TRect{5, 5, 140, 120}));
    EXPECT_EQ(calendar.ShadowRect(calendar.size(), 1.0), (TRect{0, 0, 135, 115}));
    QImage image = Render(calendar);
    EXPECT_EQ(image.pixel(0, 0), kRed);
    EXPECT_NE(image.pixel(139, 119), kRed);

    // Transparent: no shadow and no fills, but lines and texts over what lies beneath.
    calendar.SetCalTransparent(true);
    EXPECT_TRUE(calendar.ShadowRect(calendar.size(), 1.0).isEmpty());
    image = Render(calendar, kRed);
    EXPECT_EQ(Count(image, 0xFFFFFFFF), 0);
    EXPECT_GT(Count(image, kBlack), 200);
    EXPECT_GT(Count(image, kRed), 140 * 120 / 2);

    calendar.SetCalTransparent(false);
    calendar.SetShadowDepth(-3);
    EXPECT_TRUE(calendar.ShadowRect(calendar.size(), 1.0).isEmpty());
    EXPECT_EQ(Count(Render(calendar, kRed), kRed), 0);
}

TEST(FlatCalendar, SettersIgnoreValuesOutOfRangeAndDocumentsNoteThem)
{
    QWidget parent;
    TQFlatCalendar calendar(&parent);
    calendar.Loaded();
    calendar.SetStartOfWeek(7);
    calendar.SetShadowDepth(11);
    calendar.SetMonth(13);
    calendar.SetYear(0);
    EXPECT_EQ(calendar.StartOfWeek(), 1);
    EXPECT_EQ(calendar.ShadowDepth(), 0);
    EXPECT_EQ(calendar.Month(), QDate::currentDate().month());
    EXPECT_EQ(calendar.Year(), QDate::currentDate().year());
    EXPECT_TRUE(calendar.IgnoredValues().isEmpty());

    const struct
    {
        const char* name;
        qint64 value;
    } outOfRange[] = {
        {"StartOfWeek", 0},  {"StartOfWeek", 8},   {"Month", 13},           {"Year", 100000},
        {"ShadowDepth", 12}, {"Language", 5},      {"CellBorderStyle", -1}, {"Backgroundcolor", 0x12345678},
        {"DayNameStyle", 3}, {"ShadowPosition", 4}};
    for (const auto& d : outOfRange) {
        TStreamWriter writer;
        writer.WriteSignature();
        writer.WriteChildBegin(QStringLiteral("TQFlatCalendar"), QStringLiteral("FlatCalendar1"));
        writer.WritePropertyName(QLatin1String(d.name));
        writer.WriteInteger(d.value);
        writer.WritePropertyName(QStringLiteral("ShowYear"));
        writer.WriteBoolean(true);
        writer.WriteListEnd();
        writer.WriteListEnd();
        std::unique_ptr<TQFlatCalendar> read(ReadBack(writer.Data(), &parent));
        ASSERT_NE(read, nullptr) << d.name;
        // The value gives way to a new calendar's; what follows it is read.
        EXPECT_EQ(read->property(d.name), calendar.property(d.name)) << d.name;
        EXPECT_TRUE(read->ShowYear()) << d.name;
        EXPECT_EQ(read->IgnoredValues(), QStringList{QStringLiteral("%1 %2").arg(QLatin1String(d.name)).arg(d.value)});
    }
}

TEST(FlatCalendar, SurvivesTheDocumentAndCloning)
{
    SurfaceWindow w;
    auto* calendar = new TQFlatCalendar;
    w.surface->PlaceObject(calendar, TRect{10, 10, 190, 150});
    calendar->SetMonth(2);
    calendar->SetYear(2024);
    calendar->SetStartOfWeek(2);
    calendar->SetLanguage(TQFlatCalendar::fclFrench);
    calendar->SetShadowDepth(4);
    calendar->SetShadowPosition(TQFlatCalendar::fcpLowerLeft);
    calendar->SetCellBorderStyle(TQFlatCalendar::fcbTopBottom);
    calendar->SetDayNameStyle(TQFlatCalendar::fdsWhole);
    calendar->SetCellFont({QStringLiteral("Times New Roman"), 9, fsBold, RGBValue(0, 0, 128)});
    calendar->SetCalTransparent(true);

    TStreamWriter writer;
    WriteComponent(writer, *calendar);
    std::unique_ptr<TQFlatCalendar> copy(ReadBack(writer.Data(), w.surface));
    ASSERT_TRUE(copy);
    ExpectSameLook(*copy, *calendar);
    EXPECT_EQ(copy->ScreenRect(), calendar->ScreenRect());

    auto* clone = qobject_cast<TQFlatCalendar*>(calendar->CloneObject());
    ASSERT_TRUE(clone);
    ExpectSameLook(*clone, *calendar);
}

TEST(FlatCalendar, PrintsGermanNamesAsVectorText)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    TQFlatCalendar calendar;
    calendar.Loaded();
    calendar.resize(600, 300);
    calendar.SetMonth(3);
    calendar.SetYear(2026);
    calendar.SetShowYear(true);
    calendar.SetLanguage(TQFlatCalendar::fclGerman);
    calendar.SetDayNameStyle(TQFlatCalendar::fdsWhole);
    EXPECT_EQ(TQFlatCalendar::DayName(TQFlatCalendar::fclGerman, 6), QStringLiteral("Freitag "));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("flat.pdf"));
    TReportPrinter report;
    report.SetOutputFileName(pdf);
    ASSERT_TRUE(report.Execute([&](TReportPrinter& r) { calendar.PrintTo(r, 0.5, 0.5); }));
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* word : {"März 2026", "Freitag", "Donnerstag", "31"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << "\n" << text.toStdString();
}

TEST(FlatCalendar, PropertiesDialogPreviewsAndAppliesOnOk)
{
    SurfaceWindow w;
    auto* calendar = new TQFlatCalendar;
    w.surface->PlaceObject(calendar, TRect{10, 10, 190, 150});
    SurfaceOf(*calendar)->SetScale(2.0f);
    calendar->SetMonth(4);
    for (const bool ok : {false, true}) {
        bool previewed = false;
        WhenModalShown<TFlatCalendarEditor>([&](TFlatCalendarEditor* dialog) {
            TQFlatCalendar* sample = dialog->Sample();
            EXPECT_EQ(sample->size(), calendar->size());
            EXPECT_EQ(dialog->findChild<QComboBox*>(QStringLiteral("Month"))->currentIndex(), 3);
            dialog->findChild<QComboBox*>(QStringLiteral("Language"))->setCurrentIndex(TQFlatCalendar::fclSpanish);
            dialog->findChild<QComboBox*>(QStringLiteral("Orientation"))
                ->setCurrentIndex(TQFlatCalendar::fcpUpperRight);
            previewed =
                sample->Language() == TQFlatCalendar::fclSpanish && calendar->Language() == TQFlatCalendar::fclEnglish;
            ok ? dialog->accept() : dialog->reject();
        });
        MenuItem(ObjectMenu(calendar), QStringLiteral("Properties"))->trigger();
        EXPECT_TRUE(previewed);
        EXPECT_EQ(calendar->Language(), ok ? TQFlatCalendar::fclSpanish : TQFlatCalendar::fclEnglish);
        EXPECT_EQ(calendar->ShadowPosition(), ok ? TQFlatCalendar::fcpUpperRight : TQFlatCalendar::fcpLowerRight);
        EXPECT_EQ(calendar->Month(), 4);
    }
}
