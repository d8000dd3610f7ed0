// The surface's right-button menu: z-order, clipboard, alignment, centring, lock, selectability and font.
#include "document/qgraphiccontrol.h"
#include "qbasepanel.h"
#include "qhandle.h"

#include "platform/fontdialog.h"

#include <QFile>
#include <QMenu>

namespace {

enum AlignCommand { AlignLefts, AlignRights, AlignTops, AlignBottoms };

// Marks on the items that the menu enables only with a selection, or only with placed objects.
const char* const kNeedsSelection = "needsSelection";
const char* const kNeedsObjects = "needsObjects";

} // namespace

void TQBasePanel::buildSurfaceMenu()
{
    m_surfaceMenu = new QMenu(this);
    QMenu* menu = m_surfaceMenu;
    const auto item = [menu](const char* caption, const char* rule, auto&& effect) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        QObject::connect(action, &QAction::triggered, menu, effect);
        if (rule)
            action->setProperty(rule, true);
        return action;
    };
    item("Bring To Front", kNeedsSelection, [this] {
        m_handle->BringSelectionToFront();
        NotifyChange();
    });
    item("Send To Back", kNeedsSelection, [this] {
        for (TQGraphicControl* object : m_handle->Selection())
            object->Lower();
        m_handle->ClearSelection();
        NotifyChange();
    });
    menu->addSeparator();
    item("Cut", kNeedsSelection, [this] { SelectionClipboard(ccCut); });
    item("Copy", kNeedsSelection, [this] { SelectionClipboard(ccCopy); });
    QAction* paste = item("Paste", nullptr, [this] { SelectionClipboard(ccPaste); });
    menu->addSeparator();
    item("Delete", kNeedsSelection, [this] { SelectionClipboard(ccDelete); });
    menu->addSeparator();
    item("Align Left", kNeedsSelection, [this] { alignSelection(AlignLefts); });
    item("Align Right", kNeedsSelection, [this] { alignSelection(AlignRights); });
    item("Align Tops", kNeedsSelection, [this] { alignSelection(AlignTops); });
    item("Align Bottoms", kNeedsSelection, [this] { alignSelection(AlignBottoms); });
    menu->addSeparator();
    item("Center Vertically", kNeedsSelection, [this] {
        for (TQGraphicControl* object : m_handle->Selection())
            object->CenterVertically();
        update();
    });
    item("Center Horizontally", kNeedsSelection, [this] {
        for (TQGraphicControl* object : m_handle->Selection())
            object->CenterHorizontally();
        update();
    });
    menu->addSeparator();
    item("Lock All", kNeedsObjects, [this] {
        for (TQGraphicControl* object : PlacedObjects())
            object->SetLocked(true);
    });
    item("Unlock All", kNeedsObjects, [this] {
        for (TQGraphicControl* object : PlacedObjects())
            object->SetLocked(false);
    });
    menu->addSeparator();
    item("Mark All Selectable", nullptr, [this] {
        for (TQGraphicControl* object : PlacedObjects())
            object->SetUnselectable(false);
    });
    item("Mark All Unselectable", nullptr, [this] {
        for (TQGraphicControl* object : PlacedObjects())
            object->SetUnselectable(true);
    });
    item("Select All", nullptr, [this] {
        m_handle->ClearSelection();
        for (TQGraphicControl* object : PlacedObjects())
            m_handle->Select(object);
    });
    menu->addSeparator();
    item("Font", kNeedsSelection, [this] { chooseFont(); });
    connect(menu, &QMenu::aboutToShow, this, [this, paste] {
        const bool selected = m_handle->Count() > 0;
        const bool objects = !PlacedObjects().isEmpty();
        for (QAction* action : m_surfaceMenu->actions()) {
            if (action->property(kNeedsSelection).toBool())
                action->setEnabled(selected);
            else if (action->property(kNeedsObjects).toBool())
                action->setEnabled(objects);
        }
        paste->setEnabled(QFile::exists(m_clipboardFile));
    });
}

void TQBasePanel::alignSelection(int command)
{
    NotifyChange();
    const QList<TQGraphicControl*>& selection = m_handle->Selection();
    switch (command) {
    case AlignLefts: {
        int x = PageSize().width();
        for (const TQGraphicControl* object : selection)
            x = std::min(x, object->Left());
        for (TQGraphicControl* object : selection)
            object->SetLeft(x);
        break;
    }
    case AlignRights: {
        int r = 0;
        for (const TQGraphicControl* object : selection)
            r = std::max(r, object->Left() + object->Width());
        for (TQGraphicControl* object : selection)
            object->SetLeft(r - object->Width());
        break;
    }
    case AlignTops: {
        int y = PageSize().height();
        for (const TQGraphicControl* object : selection)
            y = std::min(y, object->Top());
        for (TQGraphicControl* object : selection)
            object->SetTop(y);
        break;
    }
    case AlignBottoms: {
        int b = 0;
        for (const TQGraphicControl* object : selection)
            b = std::max(b, object->Top() + object->Height());
        for (TQGraphicControl* object : selection)
            object->SetTop(b - object->Height());
        break;
    }
    default:
        break;
    }
    update();
}

void TQBasePanel::chooseFont()
{
    FontDescription font = m_lastFont;
    if (ExecFontDialog(this, QStringLiteral("Font"), font))
        ApplyFontToSelection(font);
}

void TQBasePanel::ApplyFontToSelection(const FontDescription& font)
{
    m_lastFont = font;
    for (TQGraphicControl* object : m_handle->Selection())
        object->ApplyFont(font);
    update();
}
