// The menu items and dialogs of clip art: the picture browser, border, sizing and mirroring.
#pragma once

#include "editor/objectmenu.h"

class QMenu;
class TQGraphicControl;
class TQImage;

class TImageMenu
{
public:
    static TKindMenuItems Build(TQGraphicControl& object, QMenu& menu);

    // Lets the user choose a picture in the browser; the process's current folder is left as found.
    static void LoadImageFromDisk(TQImage& image);
    // The image tool's step once a new object is placed: asks for a picture and removes the object
    // when it still has none.
    static void AskForPicture(TQGraphicControl* object);
};
