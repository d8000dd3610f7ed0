#include "picturebudget.h"

namespace {
thread_local TPictureBudget* g_current = nullptr;
} // namespace

TPictureBudget::TPictureBudget() : m_previous(g_current)
{
    g_current = this;
}

TPictureBudget::~TPictureBudget()
{
    g_current = m_previous;
}

TPictureBudget* TPictureBudget::Current()
{
    return g_current;
}

bool TPictureBudget::Take(QSize size, int bitsPerPixel)
{
    if (size.width() <= 0 || size.height() <= 0 || bitsPerPixel <= 0)
        return false;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > kMaxPicturePixels)
        return false;
    // Rows are padded to 32 bits, as QImage keeps them.
    const qint64 bytes = (qint64(size.width()) * bitsPerPixel + 31) / 32 * 4 * size.height();
    if (m_spent + bytes > kMaxDecodedBytes)
        return false;
    m_spent += bytes;
    return true;
}
