// What both icon lists share: one item per icon of an icon library file, icons extracted when first drawn
// (or all at load with caching off), owner-drawn cells with the icon centred, and dragging the selected
// icon out as a picture.
#pragma once

#include "graphics/iconlibrary.h"

#include <QImage>
#include <QList>
#include <QListWidget>
#include <QString>

class QMimeData;

class TCustomIconListBox : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(bool AutoDisable READ AutoDisable WRITE SetAutoDisable)
    Q_PROPERTY(bool EnableCaching READ EnableCaching WRITE SetEnableCaching)
    Q_PROPERTY(int NumberOfIcons READ NumberOfIcons)
public:
    QString FileName() const { return m_fileName; }
    // A different name (compared exactly) loads the file and then raises FileChange.
    void SetFileName(const QString& name);
    bool AutoDisable() const { return m_autoDisable; }
    void SetAutoDisable(bool value);
    bool EnableCaching() const { return m_enableCaching; }
    // Switching caching off reloads the file, so that every icon is extracted now.
    void SetEnableCaching(bool value);
    // -1 while no file is loaded.
    int NumberOfIcons() const { return m_numberOfIcons; }

    // The icon of item i, extracted now when caching and not yet attached; null when it cannot be read.
    QImage Icon(int i);
    // Whether item i holds its icon already (without extracting it).
    bool IconAttached(int i) const;
    // The selected item's icon copied onto a new white bitmap of its size, as drops insert it.
    QImage SelectedIconBitmap();
    // What a drag of the selected icon carries: that bitmap as image data; null when there is no icon.
    QMimeData* CreateDragData();
    // Cell width and row height: the system icon size plus a margin each class chooses.
    int CellWidth() const { return kSystemIconSize + m_margin; }
    int RowHeight() const { return kSystemIconSize + m_margin; }

signals:
    void FileChange();

protected:
    TCustomIconListBox(int margin, QWidget* parent);
    void startDrag(Qt::DropActions supportedActions) override;
    // Loads the file again: called for a new name and when caching is switched off.
    void LoadFile();

private:
    void UpdateEnabled();

    QString m_fileName;
    bool m_autoDisable = true;
    bool m_enableCaching = true;
    int m_numberOfIcons = -1;
    int m_margin;
    TIconLibrary m_library;
    // One entry per item: the icon once extracted; the list owns them and drops them with the items.
    QList<QImage> m_icons;
    QList<bool> m_attached;
};
