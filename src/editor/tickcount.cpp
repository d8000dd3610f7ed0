#include "tickcount.h"

#include <QElapsedTimer>

namespace {

std::function<qint64()>& source()
{
    static std::function<qint64()> s;
    return s;
}

} // namespace

qint64 TickCount()
{
    if (source())
        return source()();
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    // Start well above zero so that the first reading is never mistaken for "unset".
    return timer.elapsed() + 100000;
}

void SetTickCountSource(std::function<qint64()> s)
{
    source() = std::move(s);
}
