// The floating icon palette: a small window with the icon list, from which icons are dragged into day
// cells, and a "File" menu that chooses the icon library it shows. It floats over the main window but
// not over the program's dialogs, which it would otherwise hide.
#pragma once

#include <QMainWindow>

#include <functional>

class QAction;
class QMenu;
class TIconListBox;

// Where the palette opens while no placement of it is stored: beside the main window on its right, level
// with the top of the page area, when the screen has room there; otherwise inside the window's right edge
// at its bottom, away from the page's title.
QPoint PalettePosition(const QRect& mainFrame, int pageTop, const QSize& palette, const QRect& screen);

class TFloatingPalette : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFloatingPalette(QWidget* parent = nullptr);
    ~TFloatingPalette() override;

    TIconListBox* IconListBox() const { return m_list; }
    // The icon library the settings remember; shown by UpdateIconMenu when it differs from the list's.
    QString IconFile;
    // Sets the check marks for `file` and falls back to a library with icons.
    void UpdateIconMenu(const QString& file);
    // Asks for an icon library file (empty when cancelled). Tests replace the dialog.
    std::function<QString()> ChooseIconFile;

    void OtherClick();
    QMenu* FileMenu() const { return m_fileMenu; }
    // Null when the folder "BonusIcons" holds no sets.
    QMenu* BonusMenu() const { return m_bonusMenu; }
    QAction* OtherAction() const { return m_other; }

signals:
    // Shown or hidden: the main window's "Show Icon Tool" button follows.
    void VisibilityChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void LoadLibrary(const QString& path);
    void AddBonusSets();

    TIconListBox* m_list = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_bonusMenu = nullptr;
    QAction* m_other = nullptr;
};
