// Cut, copy, paste and delete of placed objects through the scratch file, and clones.
#include "document/qgraphiccontrol.h"
#include "document/qlabelobjectfiler.h"
#include "qbasepanel.h"
#include "qhandle.h"
#include "tickcount.h"

#include "document/calendardocument.h"

#include "platform/rounding.h"
#include "stream/classregistry.h"

namespace {

// Pasted objects lie this far right and down of where they were copied.
constexpr int kPasteOffset = 15;
// A repeated paste within this many milliseconds of the last one is dropped.
constexpr qint64 kPasteInterval = 1000;

} // namespace

TClassRegistry& TQBasePanel::ObjectClasses()
{
    return PlacedObjectClasses();
}

void TQBasePanel::freeObject(TQGraphicControl* object)
{
    // The object may be the one whose own menu is running this command: leave the surface now, go
    // once the menu has finished.
    object->setParent(nullptr);
    update();
    object->deleteLater();
}

void TQBasePanel::pasteFromFile()
{
    // The command tells of the paste once, not each object of it.
    const TSuspension quiet = SuspendNotifications();
    // The offset is the same on screen at every zoom.
    const int offset = RoundHalfEven(kPasteOffset / m_scale);
    TQLabelObjectFiler::LoadObjects(Owner(), this, m_clipboardFile, QPoint(offset, offset));
    HookAllObjects();
}

void TQBasePanel::SelectionClipboard(TClipboardCommand command)
{
    switch (command) {
    case ccPaste: {
        const qint64 now = TickCount();
        if (m_lastPasteTime == 0)
            m_lastPasteTime = now;
        else if (now < m_lastPasteTime + kPasteInterval)
            return;
        pasteFromFile();
        NotifyChange();
        m_lastPasteTime = now;
        break;
    }
    case ccCut:
    case ccCopy:
        TQLabelObjectFiler::SaveObjects(m_handle->Selection(), m_clipboardFile);
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
        TQLabelObjectFiler::SaveObject(*object, m_clipboardFile);
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
    return TQLabelObjectFiler::CloneComponent(*object, Owner(), this);
}

TQGraphicControl* TQBasePanel::CopyObject(TQGraphicControl& object)
{
    TQGraphicControl* copy = CloneComponent(&object);
    if (!copy)
        return nullptr;
    copy->SetTop(object.Top() + 25);
    copy->Raise();
    if (m_handle->IndexOf(&object) >= 0) {
        m_handle->Deselect(&object);
        m_handle->Select(copy);
    }
    HookAllObjects();
    return copy;
}
