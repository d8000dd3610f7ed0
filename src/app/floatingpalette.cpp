#include "floatingpalette.h"

#include "windowplacement.h"

#include "widgets/iconlistbox.h"

#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Rows and columns of icons the palette shows when it opens, and the least width that leaves the window
// system room for its title "Icons" beside its buttons.
constexpr int kIconColumns = 4;
constexpr int kIconRows = 4;
constexpr int kTitleRoom = 180;

struct TLibraryItem
{
    const char* caption;
    const char* file;
};
constexpr TLibraryItem kLibraries[] = {{"Activities", "activity.icl"},
                                       {"Events", "events.icl"},
                                       {"Holidays", "holiday.icl"},
                                       {"Miscellaneous #1", "misc1.icl"},
                                       {"Miscellaneous #2", "misc2.icl"}};

// A file of the program folder, found without regard to case; the plain path when there is none.
QString ProgramFile(const QString& relative)
{
    const QString found = FindProgramFile(relative);
    return found.isEmpty() ? ProgramDirectory() + relative : found;
}

// The file as it is named on disk, found in its folder without regard to case; empty when there is none.
QString ExistingFileNoCase(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile())
        return path;
    const QString found = FindFileNoCase(info.absolutePath(), info.fileName());
    return QFileInfo(found).isFile() ? found : QString();
}

// The file's name without its folder and without everything from its first ".".
QString BareName(const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    return name.left(name.indexOf(QLatin1Char('.')) < 0 ? name.size() : name.indexOf(QLatin1Char('.')));
}

QString MenuKey(const QString& file)
{
    const QString key = BareName(file).toUpper();
    if (key == QLatin1String("ACTIVITY"))
        return QStringLiteral("ACTIVITIES");
    if (key == QLatin1String("HOLIDAY"))
        return QStringLiteral("HOLIDAYS");
    if (key == QLatin1String("MISC1"))
        return QStringLiteral("MISCELLANEOUS #1");
    if (key == QLatin1String("MISC2"))
        return QStringLiteral("MISCELLANEOUS #2");
    return key;
}

} // namespace

QPoint PalettePosition(const QRect& mainFrame, int pageTop, const QSize& palette, const QRect& screen)
{
    const int besideRight = mainFrame.right() + 1 + palette.width();
    if (besideRight <= screen.right() + 1)
        return {mainFrame.right() + 1,
                std::max(screen.top(), std::min(pageTop, screen.bottom() + 1 - palette.height()))};
    const int left = std::min(mainFrame.right() + 1, screen.right() + 1) - palette.width();
    const int top = std::min(mainFrame.bottom() + 1, screen.bottom() + 1) - palette.height();
    return {std::max(screen.left(), left), std::max(screen.top(), top)};
}

TFloatingPalette::TFloatingPalette(QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FloatingPalette"));
    setWindowTitle(QStringLiteral("Icons"));
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    m_list = new TIconListBox(panel);
    m_list->setObjectName(QStringLiteral("IconListBox"));
    m_list->SetXIcons(kIconColumns);
    m_list->SetYIcons(kIconRows);
    m_list->setStyleSheet(QStringLiteral("QListView { background: white; }"));
    layout->addWidget(m_list);
    setCentralWidget(panel);

    m_fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    for (const TLibraryItem& item : kLibraries) {
        QAction* action = m_fileMenu->addAction(QLatin1String(item.caption));
        action->setCheckable(true);
        const QString file = QLatin1String(item.file);
        connect(action, &QAction::triggered, this, [this, file] {
            LoadLibrary(ProgramFile(file));
            UpdateIconMenu(m_list->FileName());
        });
    }
    AddBonusSets();
    m_other = m_fileMenu->addAction(QStringLiteral("Other..."));
    m_other->setCheckable(true);
    connect(m_other, &QAction::triggered, this, &TFloatingPalette::OtherClick);

    ChooseIconFile = [this] {
        QFileDialog dialog(this);
        dialog.setDirectory(ProgramDirectory());
        dialog.setNameFilters({QStringLiteral("All Files (*.ICL *.DLL *.EXE *.ICO *.NIL)"),
                               QStringLiteral("ICL Files (*.ICL)"), QStringLiteral("DLL Files (*.DLL)"),
                               QStringLiteral("EXE Files (*.EXE)"), QStringLiteral("ICO Files (*.ICO)"),
                               QStringLiteral("NIL Files (*.NIL)"), QStringLiteral("ICL and ICO Files (*.ICL *.ICO)")});
        dialog.selectNameFilter(QStringLiteral("ICL and ICO Files (*.ICL *.ICO)"));
        dialog.setDefaultSuffix(QStringLiteral("ICL"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    FormCreate();
}

TFloatingPalette::~TFloatingPalette()
{
    SavePlacement(this);
}

void TFloatingPalette::FormCreate()
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    const int frame = 2 * m_list->frameWidth();
    // Half a row more than the rows wanted: the list wraps its columns a little before their full height.
    m_list->setMinimumSize(m_list->CellWidth() * kIconColumns + frame,
                           m_list->RowHeight() * kIconRows + m_list->RowHeight() / 2 + scrollBar + frame);
    // Measured with the fonts and styles the window will show with.
    ensurePolished();
    layout()->activate();
    const QSize designed(std::max(kTitleRoom, minimumSizeHint().width()), minimumSizeHint().height());
    resize(designed);
    RestorePlacement(this);
    // Only the position comes from the settings file.
    resize(designed);
    LoadLibrary(ProgramFile(QStringLiteral("activity.icl")));
}

void TFloatingPalette::AddBonusSets()
{
    // Each set keeps the file it was found as: its caption drops everything from the first "." and may be cut
    // short, so the file cannot be rebuilt from it.
    const QString folder = FindProgramFile(QStringLiteral("BonusIcons"));
    QList<std::pair<QString, QString>> sets;
    if (!folder.isEmpty()) {
        for (const QString& file : QDir(folder).entryList({QStringLiteral("*.icl")}, QDir::Files))
            sets.append({BareName(file).left(64), QDir(folder).filePath(file)});
        std::sort(sets.begin(), sets.end());
    }
    if (sets.isEmpty()) {
        // Without sets the item answers a click itself instead of opening a sub-menu.
        connect(m_fileMenu->addAction(QStringLiteral("Bonus Icon Sets")), &QAction::triggered, this, [] {
            ShowInformation(QStringLiteral("No bonus icon sets were found. Bonus icon sets are obtained separately: "
                                           "copy their .icl files into the folder \"BonusIcons\" beside Almarin."));
        });
        return;
    }
    m_bonusMenu = m_fileMenu->addMenu(QStringLiteral("Bonus Icon Sets"));
    for (const auto& [name, file] : sets) {
        QAction* action = m_bonusMenu->addAction(name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, library = file] {
            LoadLibrary(library);
            UpdateIconMenu(m_list->FileName());
        });
    }
}

void TFloatingPalette::LoadLibrary(const QString& path)
{
    m_list->SetFileName(path);
}

void TFloatingPalette::OtherClick()
{
    QString chosen = ChooseIconFile();
    if (!chosen.isEmpty()) {
        LoadLibrary(chosen);
        while (m_list->NumberOfIcons() <= 0) {
            ShowInformation(QStringLiteral("No icons found in ") + chosen);
            chosen = ChooseIconFile();
            if (chosen.isEmpty())
                break;
            LoadLibrary(chosen);
        }
    }
    if (m_list->NumberOfIcons() <= 0)
        LoadLibrary(ProgramFile(QStringLiteral("Misc1.icl")));
    UpdateIconMenu(m_list->FileName());
}

void TFloatingPalette::UpdateIconMenu(const QString& file)
{
    const QString key = MenuKey(file);
    bool checked = false;
    auto mark = [&](QAction* action) {
        const bool on = action->text().toUpper() == key;
        action->setChecked(on);
        checked = checked || on;
    };
    for (QAction* action : m_fileMenu->actions()) {
        if (action != m_other && action->isCheckable())
            mark(action);
    }
    if (m_bonusMenu) {
        for (QAction* action : m_bonusMenu->actions())
            mark(action);
    }
    const QString found = ExistingFileNoCase(file);
    const bool exists = !found.isEmpty();
    m_other->setChecked(!checked && exists);
    if (exists && found.compare(m_list->FileName(), Qt::CaseInsensitive) != 0) {
        const QString remembered = ExistingFileNoCase(IconFile);
        LoadLibrary(remembered.isEmpty() ? IconFile : remembered);
    }
    if (m_list->NumberOfIcons() <= 0)
        LoadLibrary(ProgramFile(QStringLiteral("Misc1.icl")));
}

void TFloatingPalette::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    emit VisibilityChanged();
}

void TFloatingPalette::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    emit VisibilityChanged();
}
