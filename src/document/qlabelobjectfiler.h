// Streams placed objects for the object clipboard file and for clones: a list of component records
// in the component stream format, each read back as a new object on the surface.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>

class QObject;
class TQGraphicControl;

class TQLabelObjectFiler
{
public:
    // Writes the objects in their order; nothing (the old file stays) when there are none.
    static bool SaveObjects(const QList<TQGraphicControl*>& objects, const QString& file);
    static bool SaveObject(const TQGraphicControl& object, const QString& file);
    // Reads every object of the file as a new child of the page, named "ComponentN" within owner and
    // moved by offset. A missing file gives nothing; a damaged one gives the objects before the damage.
    static QList<TQGraphicControl*> LoadObjects(QObject* owner, QObject* page, const QString& file, QPoint offset);
    // The object written and read back through memory as a new child of the page.
    static TQGraphicControl* CloneComponent(const TQGraphicControl& object, QObject* owner, QObject* page);
};
