// A font as a value: face, points, style set and colour; copied on assignment, never shared.
#pragma once

#include "colorvalue.h"

#include <QFont>
#include <QString>

enum FontStyleFlag { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct FontDescription
{
    QString name = QStringLiteral("Arial");
    int size = 10; // points
    int style = 0; // FontStyleFlag bits
    TColor color = clBlack;

    bool bold() const { return style & fsBold; }
    bool italic() const { return style & fsItalic; }
    bool operator==(const FontDescription&) const = default;

    // The QFont at a zoom factor: FontPixelSize(points, zoom), independent of the screen.
    QFont toQFont(double zoom = 1.0) const;
    // The font at its point size, for font dialogs.
    QFont toQFontPoints() const;
    // The same with an explicit pixel size (already zoomed, or for a device of another resolution).
    QFont toQFontPixels(int pixelSize) const;
    static FontDescription fromQFont(const QFont& font, TColor color);

    // What a font dialog opens on: the face the system really draws for this name (a name that is
    // not installed is served by another face), at these points and style.
    QFont toDialogFont() const;
    // The font a dialog opened on toDialogFont() gave back: keeping the face it showed keeps this
    // name, so that the stored name survives on machines that serve it by another face.
    FontDescription fromDialogFont(const QFont& chosen, TColor chosenColor) const;
};

// Pixel size of a point size at a zoom factor: whole points round(points × zoom) first, then pixels
// at 96 per inch (both halves to even), at least 1.
int FontPixelSize(int points, double zoom);
