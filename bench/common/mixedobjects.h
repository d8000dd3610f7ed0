// Placed objects of every kind in turn, for the benchmarks of crowded pages.
#pragma once

class QObject;
class TQGraphicControl;

// The i-th object of a mixed page: label, SuperText, mini calendar, image, rich label, and again.
TQGraphicControl* NewObject(int i, QObject* page);
