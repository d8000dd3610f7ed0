#include "qlabelobjectfiler.h"

#include "editor/qbasepanel.h"
#include "editor/qhandle.h"
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

bool TQLabelObjectFiler::SaveSelection(const TQHandle& handle, const QString& file)
{
    if (handle.Count() == 0)
        return false;
    QList<const QObject*> objects;
    for (const TQGraphicControl* object : handle.Selection())
        objects.append(object);
    return writeList(objects, file);
}

bool TQLabelObjectFiler::SaveObject(const TQGraphicControl& object, const QString& file)
{
    return writeList({&object}, file);
}

QList<TQGraphicControl*> TQLabelObjectFiler::LoadObjects(QObject* owner, TQBasePanel* surface, const QString& file,
                                                         QPoint offset)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    TStreamReader reader(in.readAll());
    const QList<TQGraphicControl*> objects =
        placedObjects(ReadComponentList(reader, TQBasePanel::ObjectClasses(), surface, owner).objects);
    for (TQGraphicControl* object : objects)
        object->SetBounds(object->Bounds().translated(offset));
    return objects;
}

TQGraphicControl* TQLabelObjectFiler::CloneComponent(const TQGraphicControl& object, QObject* owner,
                                                     TQBasePanel* surface)
{
    TStreamWriter writer;
    WriteComponent(writer, object);
    TStreamReader reader(writer.Data());
    QObject* read = nullptr;
    try {
        read = ReadComponent(reader, TQBasePanel::ObjectClasses(), surface);
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
