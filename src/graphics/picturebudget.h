// What decoding pictures may cost while one document is read: no picture over 40 megapixels and no more
// than 256 MB of decoded pixels in all. The budget made last on a thread is the one its pictures draw from
// until it is destroyed, so every text of a document shares one.
#pragma once

#include <QSize>
#include <QtGlobal>

class TPictureBudget
{
public:
    static constexpr qint64 kMaxPicturePixels = 40'000'000;
    static constexpr qint64 kMaxDecodedBytes = 256LL * 1024 * 1024;

    TPictureBudget();
    ~TPictureBudget();
    TPictureBudget(const TPictureBudget&) = delete;
    TPictureBudget& operator=(const TPictureBudget&) = delete;

    // The budget open on this thread; null when none is.
    static TPictureBudget* Current();

    // Whether a picture of this size and depth may still be decoded; when it may, its bytes count as spent.
    bool Take(QSize size, int bitsPerPixel);
    qint64 Spent() const { return m_spent; }

    // A picture shown without a part of it (a part too costly or reaching outside the document).
    void NoteLeftOut() { ++m_leftOut; }
    int PicturesLeftOutInPart() const { return m_leftOut; }

private:
    qint64 m_spent = 0;
    int m_leftOut = 0;
    TPictureBudget* m_previous = nullptr;
};
