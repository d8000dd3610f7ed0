// Paints the calendar page of representative layouts at two zooms, exports each as an image, paints
// a month whose every cell holds day text, and a page holding ten text labels.
#include "calendar/calendarpanel32.h"
#include "richtext/wprtfstorage.h"
#include "surface/label/qplabel.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

TCalendarPanel32& page()
{
    static TCalendarPanel32* p = [] {
        auto* made = new TCalendarPanel32;
        made->ResetToDefaults();
        made->SetMainCalMonth(12);
        made->SetMainCalYear(1997);
        made->SetMainCalDay(29);
        return made;
    }();
    return *p;
}

void prepare(benchmark::State& state)
{
    page().SetCalendarLayout(static_cast<TCalendarLayout>(state.range(0)));
    page().SetScale(state.range(1) / 100.0f);
}

void PaintPage(benchmark::State& state)
{
    prepare(state);
    for (auto _ : state) {
        QImage image = page().RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void ExportPage(benchmark::State& state)
{
    prepare(state);
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        page().RenderToBitmap().save(&out, "BMP");
        benchmark::DoNotOptimize(out.data().size());
    }
}

// Three formatted paragraphs, as a busy family calendar holds in every day.
QByteArray dayText(int cell)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
           "\\pard{\\f1\\fs20\\b\\cf1 Note " +
           QByteArray::number(cell) +
           "}\\par\\pard{\\fs16 Swim at 9:30, then \\i lunch\\i0  with Anna}\\par"
           "\\pard\\qr{\\fs14\\ul\\cf2 Call the plumber}\\par}";
}

// The whole month page with text in all 42 cells, repainted as the screen does.
void PaintPageWithDayTexts(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    for (int i = 1; i <= kCellCount; ++i)
        filled.CellStorage(i)->SetRtfData(dayText(i));
    filled.SetScale(state.range(0) / 100.0f);
    filled.RenderToBitmap();
    for (auto _ : state) {
        QImage image = filled.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Ten text labels with shadow, highlight, background and border at the four angles, on the month page.
void PaintPageWithLabels(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    for (int i = 0; i < 10; ++i) {
        auto* label = new TQPLabel;
        filled.PlaceObject(label, {40 + 50 * i, 60 + 45 * i, 182 + 50 * i, 93 + 45 * i});
        label->SetCaption(QStringLiteral("Label number %1").arg(i));
        label->SetFont({QStringLiteral("Arial"), 14 + i, i % 2 ? fsBold : 0, clBlack});
        label->SetDepthShadow(3);
        label->SetDepthHighlight(1);
        label->SetTransparent(i % 3 == 0);
        label->SetBorderStyle(TQBaseLabel::bsSingle);
        label->SetAngle(90 * (i % 4));
    }
    filled.SetScale(state.range(0) / 100.0f);
    filled.RenderToBitmap();
    for (auto _ : state) {
        QImage image = filled.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void layouts(benchmark::internal::Benchmark* b)
{
    for (int layout : {1, 3, 5, 17, 19, 21})
        for (int zoom : {100, 60})
            b->Args({layout, zoom});
}

} // namespace

BENCHMARK(PaintPage)->Apply(layouts)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportPage)->Apply(layouts)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageWithDayTexts)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageWithLabels)->Arg(100)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
