// Streams placed objects for the object clipboard file and for clones: a list of component records
// in the component stream format, each read back as a new object on the surface.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

class QObject;
class TQBasePanel;
class TQGraphicControl;
class TQHandle;

class TQLabelObjectFiler
{
public:
    // Writes the selected objects in selection order; nothing (the old file stays) when none is selected.
    static bool SaveSelection(const TQHandle& handle, const QString& file);
    static bool SaveObject(const TQGraphicControl& object, const QString& file);
    // Reads every object of the file as a hidden new child of the surface, named "ComponentN" within
    // owner and moved by offset. A missing file gives nothing; a damaged one gives the objects before
    // the damage.
    static QList<TQGraphicControl*> LoadObjects(QObject* owner, TQBasePanel* surface, const QString& file,
                                                QPoint offset);
    // The object written and read back through memory as a hidden new child of the surface.
    static TQGraphicControl* CloneComponent(const TQGraphicControl& object, QObject* owner, TQBasePanel* surface);
};
