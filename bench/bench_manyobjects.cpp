// The command line's thumbnail and exports (PNG, PDF, and the document saved again) of a page carrying
// thousands of placed objects of one kind: reading, naming, drawing and saving should all grow in
// proportion to the number of objects (the reported complexity).
#include "app/commandline.h"
#include "calendar/calendardocument.h"
#include "calendar/calendarpanel32.h"
#include "surface/flatcalendar/qflatcalendar.h"
#include "surface/label/qplabel.h"
#include "surface/richlabel/qprichbaselabel.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using TMaker = std::function<QWidget*(QWidget* page, int i)>;

QWidget* Label(QWidget* page, int i)
{
    auto* label = new TQPLabel(page);
    label->setProperty("Caption", QStringLiteral("Label %1").arg(i));
    return label;
}

QWidget* Calendar(QWidget* page, int)
{
    return new TQFlatCalendar(page);
}

QWidget* RichLabel(QWidget* page, int)
{
    return new TQPRichBaseLabel(page);
}

// A document of n objects spread over the page, saved in the folder.
QString SavePageWith(const QTemporaryDir& folder, int n, const TMaker& make)
{
    TCalendarPanel32 page;
    for (int i = 0; i < n; ++i)
        make(&page, i)->move(10 + (i * 7) % 900, 10 + (i * 13) % 700);
    const QString file = folder.filePath(QStringLiteral("many.QXF"));
    SaveToFile(page, file);
    return file;
}

void Job(benchmark::State& state, const TMaker& make, TCommandLine::TAction action, const char* output)
{
    QTemporaryDir folder;
    TCommandLine command;
    command.action = action;
    command.documentFile = SavePageWith(folder, int(state.range(0)), make);
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

BENCHMARK_CAPTURE(Job, thumbnail_labels, Label, TCommandLine::TAction::Thumbnail, "t.png")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, thumbnail_calendars, Calendar, TCommandLine::TAction::Thumbnail, "t.png")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, thumbnail_richlabels, RichLabel, TCommandLine::TAction::Thumbnail, "t.png")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, pdf_labels, Label, TCommandLine::TAction::Export, "e.pdf")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_CAPTURE(Job, saved_labels, Label, TCommandLine::TAction::Export, "e.qxf")
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
