// The recent-files list of the "&File" menu: full file names, most recent first, kept in a section
// of the settings file and shown as numbered entries at the end of the menu.
#pragma once

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QMenu;

// A menu entry of the list; it knows its 1-based position.
class TMRUMenuItem : public QAction
{
    Q_OBJECT
public:
    TMRUMenuItem(int position, const QString& caption, QObject* parent);
    int Position() const { return m_position; }

private:
    int m_position;
};

class TMRUFileList : public QObject
{
    Q_OBJECT
public:
    explicit TMRUFileList(QObject* parent = nullptr);
    ~TMRUFileList() override;

    int Maximum = 5;
    bool RemoveOnClick = true;
    bool UseSubmenu = false;
    QString SubmenuName = QStringLiteral("Reopen");
    bool AutoSave = true;
    QString AutoSaveName;
    QString AutoSaveKey = QStringLiteral("MRU Items");
    // Runs with the file name of a clicked entry.
    std::function<void(const QString& fileName)> OnMRUItemClick;

    void SetFileMenu(QMenu* menu);
    const QStringList& Items() const { return m_items; }

    // Moves the name to the top (compared without regard to case) or inserts it there, dropping the
    // oldest entries beyond Maximum.
    void Add(const QString& fileName);
    void Load();
    void Save();
    void Rebuild();
    // What a click on entry `position` (1-based) does.
    void ItemClicked(int position);

private:
    QStringList m_items;
    QPointer<QMenu> m_fileMenu;
    QList<QPointer<QAction>> m_menuActions;
    QPointer<QMenu> m_submenu;
};
