// The menu item of the floating mini calendar: its properties dialog.
#pragma once

#include "editor/objectmenu.h"

class QMenu;
class TQGraphicControl;

class TFlatCalendarMenu
{
public:
    static TKindMenuItems Build(TQGraphicControl& object, QMenu& menu);
};
