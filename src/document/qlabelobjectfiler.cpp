#include "qlabelobjectfiler.h"

#include "calendardocument.h"
#include "qgraphiccontrol.h"

#include "platform/atomicfile.h"
#include "stream/componentio.h"

#include <QFile>

namespace {

bool writeList(const QList<const QObject*>& objects, const QString& file)
{
    TStreamWriter writer;
    WriteComponentList(writer, objects);
    return TAtomicFile::WriteWhole(file, writer.Data()).isEmpty();
}

// Objects read from a stream keep only what lies in the stream: anything else is dropped.
QList<TQGraphicControl*> placedObjects(const QList<QObject*>& objects)
{
    QList<TQGraphicControl*> placed;
    for (QObject* o : objects) {
        if (auto* object = qobject_cast<TQGraphicControl*>(o))
            placed.append(object);
        else
            delete o;
    }
    return placed;
}

} // namespace

bool TQLabelObjectFiler::SaveObjects(const QList<TQGraphicControl*>& objects, const QString& file)
{
    if (objects.isEmpty())
        return false;
    return writeList(QList<const QObject*>(objects.begin(), objects.end()), file);
}

bool TQLabelObjectFiler::SaveObject(const TQGraphicControl& object, const QString& file)
{
    return writeList({&object}, file);
}

QList<TQGraphicControl*> TQLabelObjectFiler::LoadObjects(QObject* owner, QObject* page, const QString& file,
                                                         QPoint offset)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    TStreamReader reader(in.readAll());
    const QList<TQGraphicControl*> objects =
        placedObjects(ReadComponentList(reader, PlacedObjectClasses(), page, owner).objects);
    for (TQGraphicControl* object : objects)
        object->SetBounds(object->Bounds().translated(offset));
    return objects;
}

TQGraphicControl* TQLabelObjectFiler::CloneComponent(const TQGraphicControl& object, QObject* owner, QObject* page)
{
    TStreamWriter writer;
    WriteComponent(writer, object);
    TStreamReader reader(writer.Data());
    QObject* read = nullptr;
    try {
        read = ReadComponent(reader, PlacedObjectClasses(), page);
    } catch (const EStreamError&) {
        return nullptr;
    }
    const QList<TQGraphicControl*> placed = placedObjects({read});
    if (placed.isEmpty())
        return nullptr;
    const QString name = UniqueComponentName(*owner, placed.first());
    if (!name.isEmpty())
        placed.first()->setObjectName(name);
    return placed.first();
}
