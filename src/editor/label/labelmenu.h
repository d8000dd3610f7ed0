// The menu items and dialogs of text labels: font, 3D effects, alignment, background and border for
// every text label, and the text and rotation of the one the label tool places.
#pragma once

#include "editor/objectmenu.h"

class QMenu;
class TQBaseLabel;
class TQGraphicControl;
class TQPLabel;

class TLabelMenu
{
public:
    static TKindMenuItems BuildBaseLabel(TQGraphicControl& object, QMenu& menu);
    static TKindMenuItems BuildTextLabel(TQGraphicControl& object, QMenu& menu);

    // The "Font" command; true when a font was chosen.
    static bool ChooseFont(TQBaseLabel& label);
    // The "Text" command: asks for the caption; on OK sets it and grows to it.
    static void EditText(TQPLabel& label);
    // What the label tool gives a new label (the surface's font at 20 points, opaque, framed), then
    // the text dialog.
    static void StartFromTool(TQPLabel& label);
};
