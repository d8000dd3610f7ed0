// Prints a month page to a PDF file as the print command does: text in all 42 day cells and ten placed
// objects (labels, SuperText, floating calendars), file writing included.
#include "app/pageexport.h"
#include "calendar/calendarpanel32.h"
#include "richtext/wprtfstorage.h"
#include "surface/flatcalendar/qflatcalendar.h"
#include "surface/label/qplabel.h"
#include "surface/supertext/qsupertext.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray dayText(int cell)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
           "\\pard{\\f1\\fs20\\b\\cf1 Note " +
           QByteArray::number(cell) +
           "}\\par\\pard{\\fs16 Swim at 9:30, then \\i lunch\\i0  with Anna}\\par"
           "\\pard\\qr{\\fs14\\ul\\cf2 Call the plumber}\\par}";
}

void PrintFilledMonthToPdf(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("month.pdf"));
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    for (int i = 1; i <= kCellCount; ++i)
        page.CellStorage(i)->SetRtfData(dayText(i));
    for (int i = 0; i < 4; ++i) {
        auto* label = new TQPLabel;
        page.PlaceObject(label, {40 + 150 * i, 60, 182 + 150 * i, 93});
        label->SetCaption(QStringLiteral("Label %1").arg(i));
        label->SetDepthShadow(3);
        label->SetAngle(90 * (i % 2));
    }
    for (int i = 0; i < 3; ++i) {
        auto* text = new TQSuperText;
        page.PlaceObject(text, TRect{40 + 200 * i, 700, 220 + 200 * i, 760});
        text->SetCaption(QStringLiteral("Holiday %1").arg(i));
        text->SetSurfaceType(static_cast<TQSuperText::TSurfaceType>(i % 3));
        text->SetShadowDepth(2);
    }
    for (int i = 0; i < 3; ++i) {
        auto* calendar = new TQFlatCalendar;
        page.PlaceObject(calendar, TRect{40 + 200 * i, 800, 220 + 200 * i, 900});
        calendar->SetMonth(i + 1);
    }
    for (auto _ : state) {
        const QString error = PrintToPdf(page, file);
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
}

} // namespace

BENCHMARK(PrintFilledMonthToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
