#include "imagemenu.h"

#include "qimagebrowser.h"

#include "document/image/qimage.h"
#include "editor/qbasepanel.h"
#include "editor/qhandle.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include <functional>

namespace {

QAction* AddCheckItem(QMenu& menu, const char* caption, QObject* context, std::function<void()> run)
{
    QAction* item = menu.addAction(QString::fromLatin1(caption), context, std::move(run));
    item->setCheckable(true);
    return item;
}

} // namespace

TKindMenuItems TImageMenu::Build(TQGraphicControl& object, QMenu& menu)
{
    auto* image = static_cast<TQImage*>(&object);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Load Image From Disk"), image, [image] { LoadImageFromDisk(*image); });
    menu.addSeparator();
    QAction* border = AddCheckItem(menu, "Border", image, [image] {
        image->SetBorderStyle(image->BorderStyle() == TQImage::bsSingle ? TQImage::bsNone : TQImage::bsSingle);
    });
    border->setChecked(image->BorderStyle() == TQImage::bsSingle);
    QAction* stretch = AddCheckItem(menu, "Stretch to Fit", image, [image] { image->SetStretch(!image->Stretch()); });
    QAction* autoSize = AddCheckItem(menu, "AutoSize", image, [image] { image->SetAutoSize(!image->AutoSize()); });
    QAction* flip = AddCheckItem(menu, "Flip", image, [image] { image->SetFlip(!image->Flip()); });
    QAction* reverse = AddCheckItem(menu, "Reverse", image, [image] { image->SetReverse(!image->Reverse()); });
    const auto opening = [image, border, stretch, autoSize, flip, reverse] {
        border->setChecked(image->BorderStyle() == TQImage::bsSingle);
        stretch->setChecked(image->Stretch());
        autoSize->setChecked(image->AutoSize());
        flip->setChecked(image->Flip());
        reverse->setChecked(image->Reverse());
        const bool bitmap = image->Picture().GraphicKind() == TPicture::Kind::Bitmap;
        flip->setEnabled(bitmap);
        reverse->setEnabled(bitmap);
    };
    return {opening, nullptr};
}

void TImageMenu::LoadImageFromDisk(TQImage& image)
{
    const QString currentFolder = QDir::currentPath();
    {
        TQImageBrowser browser(WindowOf(image));
        browser.SetStretch(image.Stretch());
        browser.SetAutoSize(image.AutoSize());
        // A file whose preview could not be made is as good as no file: the object keeps its picture.
        if (browser.exec() == QDialog::Accepted && !browser.FileName().isEmpty() && !browser.Preview().IsEmpty())
            image.TakeChosenPicture(browser.Preview(), browser.Stretch(), browser.AutoSize());
    }
    QDir::setCurrent(currentFolder);
}

void TImageMenu::AskForPicture(TQGraphicControl* object)
{
    auto* image = qobject_cast<TQImage*>(object);
    if (!image)
        return;
    LoadImageFromDisk(*image);
    if (!image->Picture().IsEmpty())
        return;
    if (TQBasePanel* surface = SurfaceOf(*image))
        surface->SelectionHandle()->Deselect(image);
    image->setParent(nullptr);
    image->deleteLater();
}
