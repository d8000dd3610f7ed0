// Taking and restoring the undo history's snapshot of a busy page: 42 filled day cells and 50 placed
// objects of every kind.
#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/pagesnapshot.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "richtext/charattributes.h"
#include "richtext/wprtfstorage.h"

#include "mixedobjects.h"

#include <QTextDocument>

#include <functional>

#include <benchmark/benchmark.h>

namespace {

// A month page with text in every cell and 50 objects placed over it.
void FillPage(TCalendarPanel32& page)
{
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    for (int cell = 1; cell <= kCellCount; ++cell) {
        QTextDocument doc;
        AppendRichParagraph(doc, QStringLiteral("Meeting %1 at the town hall").arg(cell),
                            {QStringLiteral("Arial"), 10, 0, clBlack});
        AppendRichParagraph(doc, QStringLiteral("Dentist"), {QStringLiteral("Times New Roman"), 9, fsBold, clBlack});
        TWPRtfStorage text;
        text.SetDocument(doc);
        page.SetCellText(cell, text);
    }
    for (int i = 0; i < 50; ++i)
        page.PlaceObject(NewObject(i, &page), TRect{10 + 12 * i, 20 + 9 * i, 110 + 12 * i, 60 + 9 * i});
    page.HookAllObjects();
}

struct BusyPage
{
    QWidget owner;
    TCalendarPanel32* page = new TCalendarPanel32(&owner);
    BusyPage() { FillPage(*page); }
};

void TakeSnapshot(benchmark::State& state)
{
    BusyPage busy;
    for (auto _ : state)
        benchmark::DoNotOptimize(TakePageSnapshot(*busy.page));
}

// Undo and redo of one step over and over: the page goes back and forth between the states before and
// after `step`.
void UndoAndRedo(benchmark::State& state, const std::function<void(TCalendarPanel32&)>& step)
{
    BusyPage busy;
    const TPageSnapshot before = TakePageSnapshot(*busy.page);
    step(*busy.page);
    const TPageSnapshot after = TakePageSnapshot(*busy.page);
    bool undo = true;
    for (auto _ : state) {
        RestorePageSnapshot(*busy.page, undo ? after : before, undo ? before : after);
        undo = !undo;
    }
}

// A move of one object: the two states differ in its bounds.
void RestoreMove(benchmark::State& state)
{
    UndoAndRedo(state, [](TCalendarPanel32& page) {
        TQGraphicControl* moved = page.PlacedObjects().value(7);
        moved->SetBounds(moved->Bounds().translated(5, 5));
    });
}

// "Clear All Cell Contents": every cell's text goes and comes back.
void RestoreClearedCells(benchmark::State& state)
{
    UndoAndRedo(state, [](TCalendarPanel32& page) { page.ClearAllCells(); });
}

// The whole page read anew, as when the page was not as last recorded or the zoom changed in between.
void RestoreWholePage(benchmark::State& state)
{
    BusyPage busy;
    const TPageSnapshot whole = TakePageSnapshot(*busy.page);
    for (auto _ : state)
        RestorePageSnapshot(*busy.page, TPageSnapshot(), whole);
}

} // namespace

BENCHMARK(TakeSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreMove)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreClearedCells)->Unit(benchmark::kMillisecond);
BENCHMARK(RestoreWholePage)->Unit(benchmark::kMillisecond);
