#include "supertextbrushimagebrowser.h"

#include "editor/objectpreview.h"

#include "graphics/dibimage.h"
#include "graphics/jpegdecoder.h"
#include "graphics/picture.h"
#include "platform/centerform.h"
#include "platform/cursors.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 40012;
// No texture file is anywhere near this; larger ones are not read at all.
constexpr qint64 kMaxTextureFileSize = 64LL * 1024 * 1024;
const QStringList kTextureMask{QStringLiteral("*.BMP"), QStringLiteral("*.JPG"), QStringLiteral("*.JIF"),
                               QStringLiteral("*.ICO")};

QString ExistingFolder(const QString& relative)
{
    const QString found = FindProgramFile(relative);
    return !found.isEmpty() && QFileInfo(found).isDir() ? found : QString();
}

} // namespace

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SuperTextBrushImageBrowser"));
    setWindowTitle(QStringLiteral("Load Texture Image"));
    auto* column = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("FolderLabel"));
    column->addWidget(m_folderLabel);
    auto* lists = new QHBoxLayout;
    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("FolderList"));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileList"));
    lists->addWidget(m_folders);
    lists->addWidget(m_files);
    column->addLayout(lists, 1);

    auto* scrollBox = new QScrollArea(this);
    scrollBox->setObjectName(QStringLiteral("ExampleBox"));
    scrollBox->setMinimumSize(360, 140);
    auto* holder = new TObjectPreview;
    holder->resize(1000, 300);
    m_example = new TQSuperText;
    holder->Show(m_example);
    m_example->setObjectName(QStringLiteral("ExampleText"));
    m_example->Loaded();
    scrollBox->setWidget(holder);
    column->addWidget(scrollBox);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HelpButton"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    column->addLayout(buttons);

    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetFolder(QDir(m_folder).absoluteFilePath(item->text())); });
    connect(m_files, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (!name.isEmpty())
            loadSelected(QDir(m_folder).absoluteFilePath(name));
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    adjustSize();
    CenterForm(this);
}

QString TSuperTextBrushImageBrowser::StartFolder(const QString& startFile)
{
    if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
        return QFileInfo(startFile).absolutePath();
    for (const char* name : {"bmbrush", "Textures"}) {
        const QString folder = ExistingFolder(QLatin1String(name));
        if (!folder.isEmpty())
            return folder;
    }
    return ProgramDirectory();
}

void TSuperTextBrushImageBrowser::Start(const QString& startFile, const TQSuperText& look)
{
    m_example->CopyLookFrom(look);
    m_example->SetBounds(QRect(0, 0, m_example->Width(), m_example->Height()));
    m_example->SetSurfaceType(TQSuperText::stBrushImage);
    SetFolder(StartFolder(startFile));
    if (!startFile.isEmpty() && QFileInfo(startFile).isFile())
        SelectFile(QFileInfo(startFile).fileName());
}

void TSuperTextBrushImageBrowser::SetFolder(const QString& folder)
{
    const QDir dir(folder);
    m_folder = dir.absolutePath();
    m_folderLabel->setText(QDir::toNativeSeparators(m_folder));
    m_folders->clear();
    m_folders->addItems(dir.entryList(QDir::Dirs | QDir::NoDot, QDir::Name | QDir::IgnoreCase));
    m_files->clear();
    // The mask matches without regard to case, as file names on the original system did.
    m_files->addItems(dir.entryList(kTextureMask, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TSuperTextBrushImageBrowser::SelectFile(const QString& name)
{
    const QList<QListWidgetItem*> found = m_files->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty())
        m_files->setCurrentItem(found.first());
}

QImage TSuperTextBrushImageBrowser::LoadTexture(const QString& path, QString* error)
{
    QFile file(path);
    if (file.size() > kMaxTextureFileSize || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.size() > kMaxTextureFileSize ? QStringLiteral("File too large") : file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == QLatin1String("BMP"))
        return DecodeBmpFile(bytes, error);
    if (extension == QLatin1String("JPG") || extension == QLatin1String("JIF"))
        return DecodeJpeg(bytes, error);
    if (extension == QLatin1String("ICO")) {
        TPicture icon;
        if (!icon.LoadFromData(bytes, error) || icon.GraphicKind() != TPicture::Kind::Icon) {
            if (error && error->isEmpty())
                *error = QStringLiteral("Not an icon file");
            return {};
        }
        // Drawn onto a bitmap of the icon's size: its transparent parts become white.
        QImage bitmap(icon.Width(), icon.Height(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        icon.StretchDraw(painter, QRectF(bitmap.rect()));
        return bitmap;
    }
    if (error)
        *error = QStringLiteral("Not a texture file");
    return {};
}

void TSuperTextBrushImageBrowser::loadSelected(const QString& path)
{
    if (m_loading)
        return;
    m_loading = true;
    BusyCursor();
    QString error;
    const QImage texture = LoadTexture(path, &error);
    NormalCursor();
    m_fileName = path;
    m_example->SetImage(texture);
    if (texture.isNull()) {
        const QString extension = QFileInfo(path).suffix().toUpper();
        if (extension == QLatin1String("BMP") || extension == QLatin1String("WMF"))
            ShowInformation(QStringLiteral("Error loading file!"));
    }
    m_example->Repaint();
    m_files->setFocus();
    m_loading = false;
}
