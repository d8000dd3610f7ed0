// Cut, copy, paste and delete of placed objects through the scratch file, and clones.
#include "qbasepanel.h"
#include "qgraphiccontrol.h"
#include "qhandle.h"
#include "qlabelobjectfiler.h"
#include "tickcount.h"

#include "flatcalendar/qflatcalendar.h"
#include "image/qimage.h"
#include "label/qplabel.h"
#include "richlabel/qprichbaselabel.h"
#include "supertext/qsupertext.h"

#include "stream/classregistry.h"

namespace {

// Pasted objects lie this far right and down of where they were copied.
constexpr int kPasteOffset = 15;
// A repeated paste within this many milliseconds of the last one is dropped.
constexpr qint64 kPasteInterval = 1000;

} // namespace

TClassRegistry& TQBasePanel::ObjectClasses()
{
    static TClassRegistry registry = [] {
        TClassRegistry kinds;
        kinds.Register<TQPLabel>();
        kinds.Register<TQPRichBaseLabel>();
        kinds.Register<TQImage>();
        kinds.Register<TQSuperText>();
        kinds.Register<TQFlatCalendar>();
        return kinds;
    }();
    return registry;
}

void TQBasePanel::freeObject(TQGraphicControl* object)
{
    // The object may be the one whose own menu is running this command: leave the surface now, go
    // once the menu has finished.
    object->hide();
    object->setParent(nullptr);
    object->deleteLater();
}

void TQBasePanel::pasteFromFile()
{
    const QList<TQGraphicControl*> pasted =
        TQLabelObjectFiler::LoadObjects(Owner(), this, ClipboardFile, QPoint(kPasteOffset, kPasteOffset));
    // The file holds the objects at the zoom they were copied at.
    for (TQGraphicControl* object : pasted) {
        object->AssumeScale(m_clipboardScale);
        object->SetScale(m_scale);
    }
    HookAllObjects();
}

void TQBasePanel::SelectionClipboard(TClipboardCommand command)
{
    switch (command) {
    case ccPaste: {
        const qint64 now = TickCount();
        if (LastPasteTime == 0)
            LastPasteTime = now;
        else if (now < LastPasteTime + kPasteInterval)
            return;
        pasteFromFile();
        NotifyChange();
        LastPasteTime = now;
        break;
    }
    case ccCut:
    case ccCopy:
        if (TQLabelObjectFiler::SaveSelection(*m_handle, ClipboardFile))
            m_clipboardScale = m_scale;
        if (command == ccCopy)
            break;
        [[fallthrough]];
    case ccDelete: {
        const QList<TQGraphicControl*> selection = m_handle->Selection();
        for (qsizetype i = selection.size() - 1; i >= 0; --i) {
            m_handle->Deselect(selection[i]);
            freeObject(selection[i]);
            NotifyChange();
        }
        break;
    }
    }
}

void TQBasePanel::ObjectClipboard(TQGraphicControl* object, TClipboardCommand command)
{
    if (m_handle->IndexOf(object) >= 0) {
        SelectionClipboard(command);
        return;
    }
    switch (command) {
    case ccPaste:
        pasteFromFile();
        break;
    case ccCut:
    case ccCopy:
        if (TQLabelObjectFiler::SaveObject(*object, ClipboardFile))
            m_clipboardScale = m_scale;
        if (command == ccCopy)
            break;
        [[fallthrough]];
    case ccDelete:
        NotifyChange();
        m_handle->Deselect(object);
        freeObject(object);
        break;
    }
}

TQGraphicControl* TQBasePanel::CloneComponent(TQGraphicControl* object)
{
    TQGraphicControl* copy = TQLabelObjectFiler::CloneComponent(*object, Owner(), this);
    if (copy)
        copy->show();
    return copy;
}
