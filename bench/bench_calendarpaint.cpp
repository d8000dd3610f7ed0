// Paints the calendar page of representative layouts at two zooms, and exports each as an image.
#include "calendar/calendarpanel32.h"

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

void layouts(benchmark::internal::Benchmark* b)
{
    for (int layout : {1, 3, 5, 17, 19, 21})
        for (int zoom : {100, 60})
            b->Args({layout, zoom});
}

} // namespace

BENCHMARK(PaintPage)->Apply(layouts)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportPage)->Apply(layouts)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
