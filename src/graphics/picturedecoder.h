// Decodes picture bytes only as the format their container names, never as a format guessed from the bytes,
// and checks the size their header states before any pixel memory is taken.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class TPictureBudget;

enum class TPictureFormat { Png, Jpeg, Bmp, Gif };

struct TDecodedPicture
{
    enum class TOutcome { Decoded, Damaged, TooLarge };
    TOutcome outcome = TOutcome::Damaged;
    // Only when decoded.
    QImage image;
    // The size the header states, in pixels; empty when the header cannot be read.
    QSize statedSize;
};

// Damaged: not that format, or a header that claims more pixels than the bytes can hold. Too large: over
// what the budget still allows, which is then not charged.
TDecodedPicture DecodePicture(const QByteArray& bytes, TPictureFormat format, TPictureBudget& budget);
