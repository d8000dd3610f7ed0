#include "qimagebrowser.h"

#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStorageInfo>
#include <QWhatsThis>

// The preview: the picture stretched over the widget, or at its own size.
class TPreviewImage : public QWidget
{
public:
    using QWidget::QWidget;
    TPicture Picture;
    bool Stretch = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        const QSize own(Picture.Width(), Picture.Height());
        Picture.StretchDraw(painter, Stretch ? QRectF(rect()) : QRectF(QPointF(0, 0), own));
    }
};

namespace {

// The classic clip-art kinds, then those of today's clip art.
const QStringList kFileMask{QStringLiteral("*.BMP"),  QStringLiteral("*.JPG"), QStringLiteral("*.JIF"),
                            QStringLiteral("*.JPEG"), QStringLiteral("*.WMF"), QStringLiteral("*.ICO"),
                            QStringLiteral("*.EMF"),  QStringLiteral("*.PNG"), QStringLiteral("*.SVG")};
constexpr int kHelpContext = 40003;
// Where the browser was last left, for the next time it opens.
QString& LastDirectory()
{
    static QString folder;
    return folder;
}

QString StartDirectory()
{
    if (!LastDirectory().isEmpty() && QFileInfo(LastDirectory()).isDir())
        return LastDirectory();
    const QString clipArt = FindProgramFile(QStringLiteral("ClipArt"));
    return clipArt.isEmpty() ? QDir::homePath() : clipArt;
}

} // namespace

TQImageBrowser::TQImageBrowser(QWidget* owner) : QDialog(owner ? owner->window() : nullptr)
{
    setWindowTitle(QStringLiteral("Load Image File "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(592, 300);
    setFont(QFont(QStringLiteral("Arial"), 8));

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    m_drives->setGeometry(5, 7, 145, 20);
    m_directories = new QListWidget(this);
    m_directories->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_directories->setGeometry(5, 29, 145, 192);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setGeometry(160, 7, 179, 215);
    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->setGeometry(348, 9, 232, 214);
    m_image = new TPreviewImage;
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(2, 2, 218, 203);
    m_scrollBox->setWidget(m_image);
    m_scrollBox->setWidgetResizable(false);

    auto* options = new QGroupBox(QStringLiteral(" Options "), this);
    options->setObjectName(QStringLiteral("GroupBox1"));
    options->setGeometry(5, 228, 334, 62);
    m_stretch = new QCheckBox(QStringLiteral("Stretch"), options);
    m_stretch->setGeometry(12, 26, 100, 20);
    m_stretch->setToolTip(QStringLiteral("Stretch image to max display size"));
    m_autoSize = new QCheckBox(QStringLiteral("AutoSize"), options);
    m_autoSize->setGeometry(130, 26, 100, 20);
    m_autoSize->setToolTip(QStringLiteral("AutoSize TImage"));

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(348, 236, 75, 25);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancelbutton"));
    cancel->setGeometry(426, 236, 75, 25);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("Helpbutton"));
    help->setGeometry(504, 236, 75, 25);
    auto* mouseHelp = new QPushButton(QStringLiteral("?"), this);
    mouseHelp->setObjectName(QStringLiteral("MouseHelpButton"));
    mouseHelp->setGeometry(554, 266, 25, 25);
    auto* whatsThisMenu = new QMenu(this);
    whatsThisMenu->addAction(QStringLiteral("What's this?"), this, [] { QWhatsThis::enterWhatsThisMode(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, whatsThisMenu](QPoint at) { whatsThisMenu->popup(mapToGlobal(at)); });
    connect(mouseHelp, &QPushButton::clicked, this, [] { QWhatsThis::enterWhatsThisMode(); });
    m_stretch->setWhatsThis(m_stretch->toolTip());
    m_autoSize->setWhatsThis(m_autoSize->toolTip());

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpContext); });
    connect(m_stretch, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            m_autoSize->setChecked(false);
        fitPreview();
    });
    connect(m_autoSize, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            m_stretch->setChecked(false);
        fitPreview();
    });
    connect(m_drives, &QComboBox::activated, this,
            [this](int index) { SetDirectory(m_drives->itemData(index).toString()); });
    connect(m_directories, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SetDirectory(item->data(Qt::UserRole).toString()); });
    // The chosen file is the selected one; the list's focus alone makes a first item current, unchosen.
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] { FileListBox1Change(); });

    fillDrives();
    SetDirectory(StartDirectory());
    m_files->setFocus();
    CenterForm(this);
    NormalCursor();
}

TQImageBrowser::~TQImageBrowser()
{
    LastDirectory() = m_directory;
}

bool TQImageBrowser::Stretch() const
{
    return m_stretch->isChecked();
}

void TQImageBrowser::SetStretch(bool v)
{
    m_stretch->setChecked(v);
    fitPreview();
}

bool TQImageBrowser::AutoSize() const
{
    return m_autoSize->isChecked();
}

void TQImageBrowser::SetAutoSize(bool v)
{
    m_autoSize->setChecked(v);
    fitPreview();
}

void TQImageBrowser::SetDirectory(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return;
    m_directory = info.absoluteFilePath();
    // The drive shown is the one holding the folder: the longest root it lies under.
    int drive = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString root = m_drives->itemData(i).toString();
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool under = m_directory == root || m_directory.startsWith(prefix);
        if (under && (drive < 0 || root.size() > m_drives->itemData(drive).toString().size()))
            drive = i;
    }
    m_drives->setCurrentIndex(drive);
    fillDirectories();
    fillFiles();
}

QString TQImageBrowser::FileName() const
{
    const QList<QListWidgetItem*> chosen = m_files->selectedItems();
    return chosen.isEmpty() ? QString() : QDir(m_directory).filePath(chosen.first()->text());
}

const TPicture& TQImageBrowser::Preview() const
{
    return m_image->Picture;
}

void TQImageBrowser::fillDrives()
{
    // The home folder, the root and whatever the user mounted.
    QStringList roots{QDir::homePath(), QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() &&
            (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/")) ||
             root.startsWith(QLatin1String("/run/media/"))))
            roots << root;
    }
    for (const QString& root : roots)
        m_drives->addItem(root, root);
}

void TQImageBrowser::fillDirectories()
{
    // The path from the root down to the folder, then the folder's own subfolders one step further in.
    m_directories->clear();
    QStringList chain;
    for (QDir dir(m_directory);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    const auto add = [this](const QString& path, int depth, const QString& name) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, m_directories);
        item->setData(Qt::UserRole, path);
    };
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString name = QFileInfo(chain[depth]).fileName();
        add(chain[depth], int(depth), name.isEmpty() ? chain[depth] : name);
    }
    m_directories->setCurrentRow(m_directories->count() - 1);
    const QDir folder(m_directory);
    for (const QFileInfo& sub : folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(sub.absoluteFilePath(), int(chain.size()), sub.fileName());
}

void TQImageBrowser::fillFiles()
{
    const QSignalBlocker quiet(m_files);
    m_files->clear();
    const QDir folder(m_directory);
    m_files->addItems(folder.entryList(kFileMask, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TQImageBrowser::FileListBox1Change()
{
    const QString file = FileName();
    if (m_changing || file.isEmpty())
        return;
    m_changing = true;
    BusyCursor();
    const QString extension = QFileInfo(file).suffix().toUpper();
    const bool icon = extension == QLatin1String("ICO");
    const bool jpeg =
        extension == QLatin1String("JPG") || extension == QLatin1String("JIF") || extension == QLatin1String("JPEG");
    TPicture& picture = m_image->Picture;
    if (!picture.LoadFromFile(file)) {
        picture.Clear();
        // Icons and JPEGs that cannot be read leave the preview empty without a word.
        if (!icon && !jpeg) {
            NormalCursor();
            ShowError(QStringLiteral("Error loading file!"));
        }
    } else if (picture.GraphicKind() == TPicture::Kind::Icon) {
        // An icon is placed as a bitmap of its own size.
        picture.SetBitmap(picture.Image());
    }
    fitPreview();
    NormalCursor();
    m_changing = false;
}

void TQImageBrowser::fitPreview()
{
    const TPicture& picture = m_image->Picture;
    m_image->Stretch = !m_autoSize->isChecked() && m_stretch->isChecked();
    if (m_autoSize->isChecked() && !picture.IsEmpty())
        m_image->resize(picture.Width(), picture.Height());
    else
        m_image->resize(m_scrollBox->viewport()->size());
    m_image->update();
}
