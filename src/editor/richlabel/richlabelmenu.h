// The menu items and dialogs of rich text labels: transparency, background colour, border and the rich
// text label editor, which a double-click opens too.
#pragma once

#include "editor/objectmenu.h"

class QMenu;
class TQGraphicControl;
class TQPRichBaseLabel;

class TRichLabelMenu
{
public:
    static TKindMenuItems Build(TQGraphicControl& object, QMenu& menu);

    // Opens the rich text label editor on the label's text; OK takes the edited text.
    static void Edit(TQPRichBaseLabel& label);
    // "Background Color": a colour dialog; the chosen colour makes the label opaque.
    static void ChooseBackgroundColor(TQPRichBaseLabel& label);
    // Made with the rich label tool: opaque, with a border, and straight into the editor.
    static void PlacedByTool(TQPRichBaseLabel& label);
};
