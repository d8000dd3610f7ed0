// Asks at what resolution the page is written as an image: a fixed number of dots per inch, or the
// screen's zoom as the page is shown.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>

// The resolutions offered besides the screen's zoom, in dots per inch.
inline constexpr int kExportResolutions[] = {96, 150, 200, 300};

// The chosen dots per inch, 0 for the screen's zoom (the default), nothing when cancelled.
std::optional<int> ChooseExportResolution(QWidget* parent, double screenZoom);
// Replaces the dialog (test programs answer without one); an empty function restores it.
void SetExportResolutionChooser(std::function<std::optional<int>(QWidget* parent, double screenZoom)> choose);
