// Paints the calendar page of representative layouts at two zooms (a repaint, and the page drawn
// afresh as after opening it), exports each as an image, paints a month whose every cell holds day
// text, and pages holding ten objects of a kind.
#include "busydaytext.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "render/calendarpagerender.h"
#include "richtext/wprtfstorage.h"

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

// Everything drawn again, as after opening a document or changing a setting.
void DrawPageAfresh(benchmark::State& state)
{
    prepare(state);
    for (auto _ : state) {
        QImage image = RenderCalendarPage(page().Model(), state.range(1) / 100.0);
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

// The whole month page with text in all 42 cells, repainted as the screen does.
void PaintPageWithDayTexts(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    for (int i = 1; i <= kCellCount; ++i)
        filled.CellStorage(i)->SetRtfData(BusyDayText(i));
    filled.SetScale(state.range(0) / 100.0f);
    filled.RenderToBitmap();
    for (auto _ : state) {
        QImage image = filled.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The page's placed objects at the benchmark's zoom, repainted after their first paint, as when the
// page scrolls or an object moves.
void RepaintObjects(benchmark::State& state, TCalendarPanel32& page)
{
    page.SetScale(state.range(0) / 100.0f);
    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&] {
        QPainter canvas(&image);
        page.PaintObjects(canvas);
    };
    paint();
    for (auto _ : state) {
        paint();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Ten formatted rich text labels on the page.
void PaintTenRichLabels(benchmark::State& state)
{
    TCalendarPanel32 labelled;
    labelled.ResetToDefaults();
    for (int i = 0; i < 10; ++i) {
        auto* label = new TQPRichBaseLabel;
        labelled.PlaceObject(label, {20 + 40 * i, 30 + 60 * i, 260 + 40 * i, 90 + 60 * i});
        label->SetTransparent(i % 2 == 0);
        label->SetRTFData(BusyDayText(i));
    }
    RepaintObjects(state, labelled);
}

// Ten clip-art images, bitmaps and drawings by turns, on the month page; repainted as the screen does.
void PaintPageWithImages(benchmark::State& state)
{
    TCalendarPanel32 decorated;
    decorated.ResetToDefaults();
    decorated.SetCalendarLayout(loFullCalendar);
    QImage photo(320, 240, QImage::Format_RGB32);
    photo.fill(QColor(30, 120, 200));
    QPainter(&photo).fillRect(40, 40, 200, 120, QColor(250, 200, 40));
    TPicture bitmap;
    bitmap.SetBitmap(photo);
    TPicture drawing;
    drawing.LoadFromData("<svg xmlns='http://www.w3.org/2000/svg' width='120' height='120' viewBox='0 0 100 100'>"
                         "<circle cx='50' cy='50' r='42' fill='#ef6c00' stroke='#3e2723' stroke-width='3'/>"
                         "<path d='M22 20 Q38 50 22 80 M78 20 Q62 50 78 80' stroke='#3e2723' fill='none'/></svg>");
    for (int i = 0; i < 10; ++i) {
        auto* image = new TQImage;
        decorated.PlaceObject(image, {40 + 60 * i, 60 + 40 * i, 145 + 60 * i, 165 + 40 * i});
        image->SetPicture(i % 2 ? drawing : bitmap);
        image->SetFlip(i % 4 == 0);
    }
    decorated.SetScale(state.range(0) / 100.0f);
    decorated.RenderToBitmap();
    for (auto _ : state) {
        QImage image = decorated.RenderToBitmap();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Ten SuperTexts of every surface type, some with shadows, repainted after their first paint.
void PaintSuperTexts(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    QImage texture(96, 96, QImage::Format_RGB32);
    texture.fill(QColor(160, 100, 52));
    for (int i = 0; i < 10; ++i) {
        auto* text = new TQSuperText;
        filled.PlaceObject(text, TRect{20 + 60 * (i % 2), 20 + 90 * i, 380 + 60 * (i % 2), 100 + 90 * i});
        text->SetCaption(QStringLiteral("Holiday %1").arg(i));
        text->SetSurfaceType(static_cast<TQSuperText::TSurfaceType>(i % 4));
        if (text->SurfaceType() == TQSuperText::stBrushImage)
            text->SetImage(texture);
        text->SetShadowDepth(i % 3 * 2);
    }
    RepaintObjects(state, filled);
}

// Ten floating calendars, with and without shadows, in every language, repainted after their first paint.
void PaintFlatCalendars(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    for (int i = 0; i < 10; ++i) {
        auto* calendar = new TQFlatCalendar;
        filled.PlaceObject(calendar,
                           TRect{20 + 200 * (i % 2), 20 + 110 * (i / 2), 200 + 200 * (i % 2), 120 + 110 * (i / 2)});
        calendar->SetMonth(i + 1);
        calendar->SetLanguage(static_cast<TQFlatCalendar::TFlatCalLanguage>(i % 5));
        calendar->SetShadowDepth(i % 3 * 2);
        calendar->SetCellBorderStyle(static_cast<TQFlatCalendar::TFlatCalBorderStyle>(i % 5));
    }
    RepaintObjects(state, filled);
}

// The month just read from a file: every text is read again before each paint.
void FirstPaintWithDayTexts(benchmark::State& state)
{
    TCalendarPanel32 filled;
    filled.ResetToDefaults();
    filled.SetCalendarLayout(loFullCalendar);
    filled.SetScale(state.range(0) / 100.0f);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= kCellCount; ++i)
            filled.CellStorage(i)->SetRtfData(BusyDayText(i));
        state.ResumeTiming();
        QImage image = RenderCalendarPage(filled.Model(), state.range(0) / 100.0);
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
BENCHMARK(PaintTenRichLabels)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageWithImages)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintSuperTexts)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintFlatCalendars)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawPageAfresh)->Apply(layouts)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstPaintWithDayTexts)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPageWithLabels)->Arg(100)->Arg(60)->Unit(benchmark::kMillisecond);
