#include "mrufilelist.h"

#include "platform/inifile.h"

#include <QMenu>

TMRUMenuItem::TMRUMenuItem(int position, const QString& caption, QObject* parent)
    : QAction(caption, parent), m_position(position)
{
}

namespace {

qsizetype indexWithoutCase(const QStringList& items, const QString& name)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

TMRUFileList::TMRUFileList(QObject* parent) : QObject(parent) {}

TMRUFileList::~TMRUFileList()
{
    if (AutoSave)
        Save();
    for (const QPointer<QAction>& a : m_menuActions)
        delete a.data();
    delete m_submenu.data();
}

void TMRUFileList::SetFileMenu(QMenu* menu)
{
    m_fileMenu = menu;
    Rebuild();
}

void TMRUFileList::Add(const QString& fileName)
{
    const qsizetype at = indexWithoutCase(m_items, fileName);
    if (at >= 0)
        m_items.removeAt(at);
    m_items.prepend(fileName);
    while (m_items.size() > Maximum)
        m_items.removeLast();
    Rebuild();
}

void TMRUFileList::Load()
{
    m_items.clear();
    for (const QString& line : TIniFile(AutoSaveName).ReadSectionValues(AutoSaveKey)) {
        const int eq = line.indexOf(QLatin1Char('='));
        m_items.append(eq < 0 ? QString() : line.mid(eq + 1));
    }
    Rebuild();
}

void TMRUFileList::Save()
{
    TIniFile ini(AutoSaveName);
    ini.EraseSection(AutoSaveKey);
    for (int i = 0; i < m_items.size(); ++i)
        ini.WriteString(AutoSaveKey, QLatin1Char('F') + QString::number(i), m_items[i]);
}

void TMRUFileList::Rebuild()
{
    // A click on an entry rebuilds the menu from inside that entry's signal: take the old entries
    // out of the menu now and delete them once the signal is done.
    for (const QPointer<QAction>& a : m_menuActions) {
        if (!a)
            continue;
        for (QObject* owner : a->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(owner))
                menu->removeAction(a);
        a->deleteLater();
    }
    m_menuActions.clear();
    if (m_submenu)
        m_submenu->deleteLater();
    if (!m_fileMenu || m_items.isEmpty())
        return;

    // The list goes at the end of the menu that holds the commands.
    QMenu* target = m_fileMenu;
    auto* separator = new QAction(target);
    separator->setSeparator(true);
    target->addAction(separator);
    m_menuActions.append(separator);
    if (UseSubmenu) {
        m_submenu = new QMenu(SubmenuName, target);
        m_menuActions.append(target->addMenu(m_submenu));
        target = m_submenu;
    }
    for (int i = 0; i < m_items.size(); ++i) {
        const int position = i + 1;
        auto* item = new TMRUMenuItem(
            position, QLatin1Char('&') + QString::number(position) + QLatin1Char(' ') + m_items[i], target);
        connect(item, &QAction::triggered, this, [this, item] { ItemClicked(item->Position()); });
        target->addAction(item);
        m_menuActions.append(item);
    }
}

void TMRUFileList::ItemClicked(int position)
{
    if (position < 1 || position > m_items.size())
        return;
    const QString name = m_items[position - 1];
    if (RemoveOnClick) {
        m_items.removeAt(position - 1);
        Rebuild();
    }
    if (OnMRUItemClick)
        OnMRUItemClick(name);
}
