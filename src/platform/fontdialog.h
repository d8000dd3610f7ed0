// Font dialogs that open on the face the system really draws for a stored font name.
#pragma once

#include "fontdescription.h"

class QWidget;

// Asks for a font, the colour kept; true when confirmed.
bool ExecFontDialog(QWidget* parent, const QString& title, FontDescription& font);
// Asks for a font and then for its colour (Qt's font dialog has none); true when the font was confirmed.
bool ExecFontAndColorDialogs(QWidget* parent, const QString& title, FontDescription& font);
