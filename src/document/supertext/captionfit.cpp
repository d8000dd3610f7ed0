#include "captionfit.h"

qsizetype FittingLength(const QString& text, int room, const std::function<int(const QString&)>& advance)
{
    if (text.isEmpty() || advance(text) <= room)
        return text.size();
    // The empty start always fits; the whole text does not.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        qsizetype mid = fits + (tooLong - fits) / 2;
        if (text[mid - 1].isHighSurrogate() && text[mid].isLowSurrogate()) {
            if (mid - 1 > fits)
                --mid;
            else if (mid + 1 < tooLong)
                ++mid;
            else
                break;
        }
        if (advance(text.left(mid)) <= room)
            fits = mid;
        else
            tooLong = mid;
    }
    return fits;
}
