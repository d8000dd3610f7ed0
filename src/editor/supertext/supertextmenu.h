// The menu items and dialogs of SuperText: font, transparency, background colour, border and the
// properties dialog.
#pragma once

#include "editor/objectmenu.h"

#include "platform/colorvalue.h"

#include <functional>

class QMenu;
class QWidget;
class TQGraphicControl;
class TQSuperText;
struct FontDescription;

class TSuperTextMenu
{
public:
    static TKindMenuItems Build(TQGraphicControl& object, QMenu& menu);

    // The font dialog of the "Font" menu item; tests replace it. True when a font was chosen.
    static std::function<bool(QWidget* parent, FontDescription& font)> ChooseFont;
    // The colour dialog of "Background Color"; tests replace it. True when a colour was chosen.
    static std::function<bool(QWidget* parent, TColor& color)> ChooseColor;
    // Opens the properties dialog on the object; true when it was closed with OK.
    static bool ShowProperties(TQSuperText& text);
    // A SuperText the page's tool has just placed: a white box with a border, and its properties
    // dialog opens.
    static void CreatedByTool(TQSuperText& text);
};
