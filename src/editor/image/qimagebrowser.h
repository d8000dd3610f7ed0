// The dialog in which the user chooses a clip-art file: drives, folders and the pictures of a folder,
// with a live preview of the chosen file as it will be placed. It never changes the process's current
// folder.
#pragma once

#include "graphics/picture.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QScrollArea;
class TPreviewImage;

class TQImageBrowser : public QDialog
{
    Q_OBJECT

public:
    explicit TQImageBrowser(QWidget* owner = nullptr);
    ~TQImageBrowser() override;

    bool Stretch() const;
    void SetStretch(bool v);
    bool AutoSize() const;
    void SetAutoSize(bool v);

    // The folder the lists show; the browser opens where it was last left, at first in the clip art
    // shipped with Almarin.
    QString Directory() const { return m_directory; }
    void SetDirectory(const QString& path);
    // The file chosen in the file list, with its folder; empty when none is.
    QString FileName() const;
    // The chosen file as it would be placed: icons and JPEGs already made bitmaps.
    const TPicture& Preview() const;

private:
    void fillDrives();
    void fillDirectories();
    void fillFiles();
    void FileListBox1Change();
    void fitPreview();

    QComboBox* m_drives;
    QListWidget* m_directories;
    QListWidget* m_files;
    QScrollArea* m_scrollBox;
    TPreviewImage* m_image;
    QCheckBox* m_stretch;
    QCheckBox* m_autoSize;
    QString m_directory;
    bool m_changing = false;
};
