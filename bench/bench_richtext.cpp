// Paints the day texts of a month page (42 cells, three formatted paragraphs each) through the cached
// renderer at two zooms, opens the in-place editor on one cell, and opens a cell of a million paragraphs.
#include "richtext/wprenderer.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kCells = 42;
// A month cell's free area at zoom 100.
constexpr int kCellWidth = 104;
constexpr int kCellHeight = 72;

QByteArray CellText(int day)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
           "\\pard\\qc{\\f1\\fs20\\b\\cf1 Day " +
           QByteArray::number(day) +
           "}\\par"
           "\\pard{\\fs16 Dentist at 9:30, then \\i lunch\\i0  with Anna}\\par"
           "\\pard\\qr{\\fs14\\ul\\cf2 Call the plumber \\'e9t\\'e9}\\par}";
}

std::vector<std::unique_ptr<TWPRtfStorage>>& Storages()
{
    static std::vector<std::unique_ptr<TWPRtfStorage>> storages = [] {
        std::vector<std::unique_ptr<TWPRtfStorage>> made;
        for (int i = 1; i <= kCells; ++i) {
            made.push_back(std::make_unique<TWPRtfStorage>());
            made.back()->SetRtfData(CellText(i));
        }
        return made;
    }();
    return storages;
}

void PaintCells(TWPRenderer& renderer, QImage& page, int zoom)
{
    QPainter painter(&page);
    const int w = kCellWidth * zoom / 100;
    const int h = kCellHeight * zoom / 100;
    for (int i = 0; i < kCells; ++i) {
        const QRect cell((i % 7) * (w + 4), (i / 7) * (h + 4), w, h);
        renderer.PaintCached(painter, *Storages()[i], cell, zoom);
    }
}

// Repainting the page: the texts have not changed since the last paint.
void PaintPageCached(benchmark::State& state)
{
    const int zoom = static_cast<int>(state.range(0));
    TWPRenderer renderer;
    QImage page(7 * (kCellWidth + 4), 6 * (kCellHeight + 4), QImage::Format_RGB32);
    page.fill(Qt::white);
    PaintCells(renderer, page, zoom);
    for (auto _ : state) {
        PaintCells(renderer, page, zoom);
        benchmark::DoNotOptimize(page.constBits());
    }
}

// The first paint at a new zoom: every cell is laid out again at its new width and drawn.
void PaintPageAfterZoomChange(benchmark::State& state)
{
    TWPRenderer renderer;
    QImage page(7 * (kCellWidth + 4), 6 * (kCellHeight + 4), QImage::Format_RGB32);
    page.fill(Qt::white);
    bool full = false;
    for (auto _ : state) {
        full = !full;
        renderer.ClearCache();
        PaintCells(renderer, page, full ? 100 : 60);
        benchmark::DoNotOptimize(page.constBits());
    }
}

// The first paint after a document was opened: every text is parsed, laid out and drawn.
void PaintPageAfterOpen(benchmark::State& state)
{
    std::vector<QByteArray> texts;
    for (int i = 1; i <= kCells; ++i)
        texts.push_back(CellText(i));
    TWPRenderer renderer;
    QImage page(7 * (kCellWidth + 4), 6 * (kCellHeight + 4), QImage::Format_RGB32);
    page.fill(Qt::white);
    for (auto _ : state) {
        for (int i = 0; i < kCells; ++i)
            Storages()[i]->SetRtfData(texts[i]);
        PaintCells(renderer, page, 100);
        benchmark::DoNotOptimize(page.constBits());
    }
}

// Opening the in-place editor on a cell: page size, zoom, text, shown and painted once.
void OpenEditor(benchmark::State& state)
{
    // The editor lies over the page inside the main window, as the day text editor does.
    QWidget window;
    window.resize(800, 600);
    window.show();
    TWPRichText editor(&window);
    editor.hide();
    int i = 0;
    for (auto _ : state) {
        editor.SetPageSize(kCellWidth * 15, kCellHeight * 15);
        editor.SetZoom(100);
        editor.LoadFrom(*Storages()[i++ % kCells]);
        editor.setGeometry(20 + i % 7 * kCellWidth, 20, kCellWidth, kCellHeight);
        editor.show();
        editor.setFocus();
        editor.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        editor.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// A day cell of a million short paragraphs, 6 MB of RTF: read, then painted into its cell once.
void OpenMillionParagraphCell(benchmark::State& state)
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < 1000000; ++i)
        rtf += "x\\par\n";
    rtf += "}";
    TWPRenderer renderer;
    for (auto _ : state) {
        TWPRtfStorage storage;
        storage.SetRtfData(rtf);
        benchmark::DoNotOptimize(renderer.Image(storage, QSize(kCellWidth, kCellHeight), 100));
    }
}

} // namespace

BENCHMARK(PaintPageCached)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageAfterZoomChange)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageAfterOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMillionParagraphCell)->Unit(benchmark::kMillisecond)->Iterations(1);
