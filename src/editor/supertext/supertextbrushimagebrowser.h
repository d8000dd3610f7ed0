// The "Load Texture Image" dialog: a folder list and a file list of textures (BMP, JPEG, ICO), each
// file shown on an example SuperText as it is selected.
#pragma once

#include "document/supertext/qsupertext.h"

#include <QDialog>

class QLabel;
class QListWidget;

class TSuperTextBrushImageBrowser : public QDialog
{
    Q_OBJECT

public:
    explicit TSuperTextBrushImageBrowser(QWidget* parent = nullptr);

    // The folder the browser starts in: the start file's when it exists (and it is then selected),
    // else the program folder's "bmbrush", else its "Textures", else the program folder.
    static QString StartFolder(const QString& startFile);
    // Opens on the start file (or the start folder) with the example in the given look.
    void Start(const QString& startFile, const TQSuperText& look);

    QString Folder() const { return m_folder; }
    void SetFolder(const QString& folder);
    // Selects a file of the current folder by name and loads it into the example.
    void SelectFile(const QString& name);
    // The selected file with its path; empty when none.
    QString FileName() const { return m_fileName; }
    TQSuperText* Example() const { return m_example; }

    // A texture file as a bitmap by its upper-cased extension; a null image and the reason on failure.
    static QImage LoadTexture(const QString& path, QString* error = nullptr);

private:
    void loadSelected(const QString& path);

    QLabel* m_folderLabel = nullptr;
    QListWidget* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    TQSuperText* m_example = nullptr;
    QString m_folder;
    QString m_fileName;
    bool m_loading = false;
};
