#include "objectmenu.h"

#include "qbasepanel.h"
#include "qhandle.h"

#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"
#include "editor/flatcalendar/flatcalendarmenu.h"
#include "editor/image/imagemenu.h"
#include "editor/label/labelmenu.h"
#include "editor/richlabel/richlabelmenu.h"
#include "editor/supertext/supertextmenu.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QPointer>

namespace {

using TKindMenuBuilder = TKindMenuItems (*)(TQGraphicControl& object, QMenu& menu);

// Each kind's items, by the class that declares them; a kind without an entry of its own takes the
// entry of the nearest class it derives from.
const QHash<QByteArray, TKindMenuBuilder>& KindBuilders()
{
    static const QHash<QByteArray, TKindMenuBuilder> builders = {
        {TQBaseLabel::staticMetaObject.className(), &TLabelMenu::BuildBaseLabel},
        {TQPLabel::staticMetaObject.className(), &TLabelMenu::BuildTextLabel},
        {TQSuperText::staticMetaObject.className(), &TSuperTextMenu::Build},
        {TQImage::staticMetaObject.className(), &TImageMenu::Build},
        {TQPRichBaseLabel::staticMetaObject.className(), &TRichLabelMenu::Build},
        {TQFlatCalendar::staticMetaObject.className(), &TFlatCalendarMenu::Build},
    };
    return builders;
}

TKindMenuBuilder KindBuilder(const QMetaObject* kind)
{
    for (; kind; kind = kind->superClass()) {
        if (const auto found = KindBuilders().constFind(kind->className()); found != KindBuilders().constEnd())
            return found.value();
    }
    return nullptr;
}

// The built menu of one object, a child of the object so that it goes with it.
class TObjectMenuRecord : public QObject
{
    Q_OBJECT

public:
    explicit TObjectMenuRecord(TQGraphicControl* object) : QObject(object) {}
    ~TObjectMenuRecord() override { delete menu; }

    QPointer<QMenu> menu;
    QAction* locked = nullptr;
    TKindMenuItems kindItems;
};

void AddCommonItems(TQGraphicControl* object, QMenu* menu, TObjectMenuRecord* record)
{
    menu->addAction(QStringLiteral("Bring To Front"), object, [object] {
        object->NotifyChanged();
        object->Raise();
    });
    menu->addAction(QStringLiteral("Send To Back"), object, [object] {
        object->NotifyChanged();
        object->Lower();
        if (TQBasePanel* surface = SurfaceOf(*object))
            surface->SelectionHandle()->ClearSelection();
    });
    const auto clipboard = [object](TClipboardCommand command, bool notify) {
        TQBasePanel* surface = SurfaceOf(*object);
        if (!surface)
            return;
        if (notify)
            object->NotifyChanged();
        surface->ObjectClipboard(object, command);
    };
    menu->addAction(QStringLiteral("Cut"), object, [clipboard] { clipboard(ccCut, true); });
    menu->addAction(QStringLiteral("Copy"), object, [clipboard] { clipboard(ccCopy, false); });
    menu->addAction(QStringLiteral("Delete"), object, [clipboard] { clipboard(ccDelete, true); });
    menu->addAction(QStringLiteral("Clone"), object, [object] { object->CloneObject(); });
    menu->addSeparator();
    QAction* locked = menu->addAction(QStringLiteral("Locked"), object, [object] {
        object->SetLocked(!object->Locked());
        object->NotifyChanged();
    });
    locked->setCheckable(true);
    locked->setChecked(object->Locked());
    QObject::connect(object, &TQGraphicControl::LockedChanged, locked, &QAction::setChecked);
    record->locked = locked;
    menu->addAction(QStringLiteral("Unselectable"), object, [object] {
        object->SetUnselectable(true);
        object->NotifyChanged();
        if (TQBasePanel* surface = SurfaceOf(*object))
            surface->SelectionHandle()->Deselect(object);
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Center Vertically"), object, [object] { object->CenterVertically(); });
    menu->addAction(QStringLiteral("Center Horizontally"), object, [object] { object->CenterHorizontally(); });
}

TObjectMenuRecord* BuiltMenu(TQGraphicControl* object)
{
    if (auto* record = object->findChild<TObjectMenuRecord*>(QString(), Qt::FindDirectChildrenOnly);
        record && record->menu)
        return record;
    auto* record = new TObjectMenuRecord(object);
    record->menu = new QMenu(SurfaceOf(*object));
    AddCommonItems(object, record->menu, record);
    if (const TKindMenuBuilder build = KindBuilder(object->metaObject()))
        record->kindItems = build(*object, *record->menu);
    QObject::connect(record->menu, &QMenu::aboutToShow, object, [object] { ObjectMenuOpening(object); });
    return record;
}

} // namespace

QMenu* ObjectMenu(TQGraphicControl* object)
{
    return BuiltMenu(object)->menu;
}

QAction* LockedMenuItem(TQGraphicControl* object)
{
    return BuiltMenu(object)->locked;
}

void PopupObjectMenu(TQGraphicControl* object, QPoint globalPos)
{
    ObjectMenu(object)->popup(globalPos);
}

void ObjectMenuOpening(TQGraphicControl* object)
{
    if (const auto& opening = BuiltMenu(object)->kindItems.opening)
        opening();
}

std::function<void(QObject* sender)> DoubleClickAction(TQGraphicControl* object)
{
    if (!qobject_cast<TQPRichBaseLabel*>(object))
        return {};
    return [object](QObject*) {
        if (QAction* item = BuiltMenu(object)->kindItems.doubleClick)
            item->trigger();
    };
}

#include "objectmenu.moc"
