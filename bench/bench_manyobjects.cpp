// A page carrying thousands of placed objects of every kind: opening it and painting it once, the
// repaint after moving one object, the undo of that move, and the command line's exports. Each should
// grow in proportion to the number of objects (the reported complexity).
#include "document/calendardocument.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/pagehistory.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "jobs/commandline.h"

#include "mixedobjects.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// A document of n objects of every kind spread over the page, saved in the folder.
QString SaveMixedPage(const QTemporaryDir& folder, int n)
{
    TCalendarPanel32 page;
    for (int i = 0; i < n; ++i) {
        const int x = 10 + (i * 7) % 800, y = 10 + (i * 13) % 600;
        page.PlaceObject(NewObject(i, &page), TRect{x, y, x + 120, y + 40});
    }
    page.HookAllObjects();
    const QString file = folder.filePath(QStringLiteral("many.QXF"));
    SaveToFile(page, file);
    return file;
}

// The page as the main window holds it after opening the document: objects hooked, history started.
struct OpenedPage
{
    QWidget window;
    TCalendarPanel32* page = new TCalendarPanel32(&window);
    TPageHistory history{*page, &window};
    explicit OpenedPage(const QString& file)
    {
        LoadFromFile(*page, file, &window);
        page->HookAllObjects();
        history.Reset(true);
    }
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Reading the document into a page, as Open does, and painting it once.
void OpenAndPaint(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString file = SaveMixedPage(folder, int(state.range(0)));
    for (auto _ : state) {
        OpenedPage opened(file);
        benchmark::DoNotOptimize(opened.page->RenderToBitmap());
    }
    state.SetComplexityN(state.range(0));
}

// One object moved by five pixels and back by turns, as a drag leaves it.
void MoveOne(TCalendarPanel32& page, bool& there)
{
    TQGraphicControl* moved = page.PlacedObjects().value(7);
    const int step = there ? -5 : 5;
    moved->SetBounds(moved->Bounds().translated(step, step));
    there = !there;
}

// The page painted again after one object moved: the whole page into an image, and the shown page's
// paint of the area the move touched.
void RepaintAfterMove(benchmark::State& state)
{
    QTemporaryDir folder;
    OpenedPage opened(SaveMixedPage(folder, int(state.range(0))));
    TCalendarPanel32& page = *opened.page;
    opened.window.show();
    if (!page.isVisible())
        state.SkipWithError("the page is not shown, so it paints nothing");
    QImage screen(page.size(), QImage::Format_ARGB32_Premultiplied);
    bool there = false;
    const bool whole = state.range(1) != 0;
    for (auto _ : state) {
        const QRect before = page.PlacedObjects().value(7)->ScreenRect();
        MoveOne(page, there);
        if (whole) {
            benchmark::DoNotOptimize(page.RenderToBitmap());
        } else {
            page.render(&screen, QPoint(), QRegion(before.united(page.PlacedObjects().value(7)->ScreenRect())));
        }
    }
    state.SetComplexityN(state.range(0));
}

// The move undone through the page's history; the redo that sets it up again is not timed.
void UndoMove(benchmark::State& state)
{
    QTemporaryDir folder;
    OpenedPage opened(SaveMixedPage(folder, int(state.range(0))));
    const QRect placed = opened.page->PlacedObjects().value(7)->Bounds();
    bool there = false;
    MoveOne(*opened.page, there);
    opened.history.Record(QStringLiteral("Move"));
    opened.history.Undo();
    for (auto _ : state) {
        opened.history.Redo();
        const auto start = std::chrono::steady_clock::now();
        opened.history.Undo();
        state.SetIterationTime(Seconds(start));
    }
    if (opened.page->PlacedObjects().value(7)->Bounds() != placed)
        state.SkipWithError("the undo did not put the object back");
    state.SetComplexityN(state.range(0));
}

void Job(benchmark::State& state, TCommandLine::TAction action, const char* output)
{
    QTemporaryDir folder;
    TCommandLine command;
    command.action = action;
    command.documentFile = SaveMixedPage(folder, int(state.range(0)));
    command.outputFile = folder.filePath(QLatin1String(output));
    command.thumbnailSize = 256;
    QString text;
    QTextStream out(&text);
    for (auto _ : state) {
        if (RunCommandLineJob(command, out, out) != 0)
            state.SkipWithError(text.toUtf8().constData());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(OpenAndPaint)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(RepaintAfterMove)
    ->ArgNames({"objects", "whole"})
    ->ArgsProduct({{1000, 2000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(UndoMove)->Arg(1000)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_CAPTURE(Job, thumbnail, TCommandLine::TAction::Thumbnail, "t.png")
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, pdf, TCommandLine::TAction::Export, "e.pdf")
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, saved, TCommandLine::TAction::Export, "e.qxf")
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
