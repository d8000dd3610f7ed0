// What the calendar properties dialog shares with the tabs that fill its controls and read them back.
#pragma once

#include "platform/fontdescription.h"

#include <QString>
#include <QTime>

#include <functional>

class TCalendarPanel32;

struct TPropertiesState
{
    // The private example page every tab edits.
    TCalendarPanel32* example = nullptr;
    // Set while the controls are being filled from the example page, so that their change handlers wait.
    bool updating = true;
    // Asks the user for a font; a seam through which tests answer.
    std::function<bool(FontDescription& font, const QString& title)> chooseFont;
    // Asks the user for a time of day; a seam through which tests answer.
    std::function<bool(QTime& time)> pickTime;
};
