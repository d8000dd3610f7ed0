// Draws a SuperText holding the longest caption a document may give it: the caption is cut to the
// object's width with a handful of measurements, whatever its length.
#include "document/supertext/qsupertext.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void LongestCaption(benchmark::State& state)
{
    const QString captions[] = {QString(TQSuperText::kMaxCaptionLength, u'W'),
                                QString(TQSuperText::kMaxCaptionLength, u'M')};
    TQSuperText text;
    text.Loaded();
    text.resize(600, 100);
    QImage image(600, 100, QImage::Format_ARGB32_Premultiplied);
    int next = 0;
    for (auto _ : state) {
        // A new caption each time, so that nothing drawn before is reused.
        text.SetCaption(captions[next]);
        next = 1 - next;
        QPainter painter(&image);
        text.PaintTo(painter, 0, 0);
    }
}

} // namespace

BENCHMARK(LongestCaption)->Unit(benchmark::kMillisecond);
