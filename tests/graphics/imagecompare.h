// What the graphics tests share: their data files and a tolerant comparison of two images.
#pragma once

#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>

inline QString DataPath(const QString& name)
{
    return QStringLiteral(ALMARIN_SOURCE_DIR "/tests/graphics/data/") + name;
}

inline QByteArray DataFile(const QString& name)
{
    QFile file(DataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of 4 x 4 blocks whose average colour differs by more than `tolerance` in a channel: it forgives
// antialiasing, dithering and half-pixel placement, not a missing, shifted or wrongly coloured shape or word.
inline double DifferingShare(const QImage& a, const QImage& b, int tolerance = 64)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return 1;
    int blocks = 0, differing = 0;
    for (int top = 0; top + 4 <= x.height(); top += 4) {
        for (int left = 0; left + 4 <= x.width(); left += 4) {
            int sum[2][3] = {};
            for (int row = top; row < top + 4; ++row) {
                for (int col = left; col < left + 4; ++col) {
                    const QRgb p[2] = {x.pixel(col, row), y.pixel(col, row)};
                    for (int i = 0; i < 2; ++i) {
                        sum[i][0] += qRed(p[i]);
                        sum[i][1] += qGreen(p[i]);
                        sum[i][2] += qBlue(p[i]);
                    }
                }
            }
            ++blocks;
            for (int c = 0; c < 3; ++c) {
                if (std::abs(sum[0][c] - sum[1][c]) > tolerance * 16) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return blocks ? double(differing) / blocks : 1;
}
