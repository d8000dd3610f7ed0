// Prints a month page to a PDF file as the print command does: text in all 42 day cells and ten placed
// objects (labels, SuperText, floating calendars), file writing included.
#include "app/pageexport.h"
#include "busydaytext.h"
#include "document/flatcalendar/qflatcalendar.h"
#include "document/label/qplabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/calendarpanel32.h"
#include "richtext/wprtfstorage.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void PrintFilledMonthToPdf(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("month.pdf"));
    TCalendarPanel32 page;
    page.ResetToDefaults();
    page.SetCalendarLayout(loFullCalendar);
    for (int i = 1; i <= kCellCount; ++i)
        page.CellStorage(i)->SetRtfData(BusyDayText(i));
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
