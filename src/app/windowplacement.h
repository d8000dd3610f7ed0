// Window placements as kept in the settings file, and the switch that turns tool tips on and off for
// the whole application.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// The screen a placement is kept on: its rectangle and its logical pixels per inch.
struct PlacementScreen
{
    QRect geometry;
    int logicalDpi = 96;
};
// The screen the form is on (the primary screen when it has none yet).
PlacementScreen ScreenOf(const QWidget* form);
// Class name + "_Placement", with the pixels per inch appended above 96.
QString PlacementSection(const QWidget* form, int logicalDpi);

// Restores the form's stored frame rectangle (kept on the screen) or maximised state; with nothing
// stored the form is centred. The overloads with a screen let tests stand in for the real one.
void RestorePlacement(QWidget* form);
void RestorePlacement(QWidget* form, const PlacementScreen& screen);
// Whether the settings file holds a placement of the form that RestorePlacement uses.
bool HasStoredPlacement(const QWidget* form);
// Stores the frame rectangle of the form when restored (not maximised) and whether it is maximised.
bool SavePlacement(QWidget* form);
bool SavePlacement(QWidget* form, const PlacementScreen& screen);

// Qt has no global switch for tool tips: while hints are off an application-wide filter swallows them.
void SetHintsEnabled(bool enabled);
bool HintsEnabled();
