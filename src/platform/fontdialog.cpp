#include "fontdialog.h"

#include <QColorDialog>
#include <QFontDialog>

bool ExecFontDialog(QWidget* parent, const QString& title, FontDescription& font)
{
    // Qt's own dialog: a native one may not offer the face the name resolves to.
    QFontDialog dialog(parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(title);
    dialog.setCurrentFont(font.toDialogFont());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = font.fromDialogFont(dialog.selectedFont(), font.color);
    return true;
}

bool ExecFontAndColorDialogs(QWidget* parent, const QString& title, FontDescription& font)
{
    if (!ExecFontDialog(parent, title, font))
        return false;
    const QColor color = QColorDialog::getColor(ToQColor(font.color), parent, title);
    if (color.isValid())
        font.color = FromQColor(color);
    return true;
}
