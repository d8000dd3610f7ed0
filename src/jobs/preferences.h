// The user's preferences as kept in the settings file.
#pragma once

#include "platform/fontdescription.h"

#include <QString>

struct TPreferences
{
    int MainZoomPercent = 60;    // page zoom, through the zoom ladder
    int PropZoomPercent = 30;    // preview zoom of the properties dialog
    FontDescription DefaultFont; // default editor font: Arial 10, regular, black
    QString IconFile;            // icon library of the palette
    bool IconToolVisible = true;
    bool ShowHints = true;

    bool operator==(const TPreferences&) const = default;
};

// The values used where the settings file has none; the icon file lies in the program folder.
TPreferences DefaultPreferences();
// Reads every preference from SettingsFileName(); missing or unreadable values give the defaults.
TPreferences LoadPreferences();
// Writes every preference; false when the settings file could not be written.
bool SavePreferences(const TPreferences& preferences);
