// Exports a year page of twelve small months to PNG and to PDF through the command line's export path,
// file writing included, and makes a month page's thumbnail.
#include "app/pageexport.h"
#include "editor/calendarpanel32.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void ExportYearPage(benchmark::State& state, const char* name)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QLatin1String(name));
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loMC12Month);
    page.SetMainCalMonth(1);
    page.SetMainCalYear(2027);
    for (auto _ : state) {
        const QString error = ExportPage(page, file, 1.0);
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
}

// A file manager's 256-pixel thumbnail of a month page.
void Thumbnail(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("thumb.png"));
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    for (auto _ : state) {
        const QString error = ExportThumbnail(page, file, 256);
        if (!error.isEmpty())
            state.SkipWithError(error.toUtf8().constData());
    }
}

} // namespace

BENCHMARK(Thumbnail)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportYearPage, png, "year.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportYearPage, pdf, "year.pdf")->Unit(benchmark::kMillisecond);
