#include "exportresolutiondialog.h"

#include "platform/rounding.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace {

std::function<std::optional<int>(QWidget*, double)>& chooser()
{
    static std::function<std::optional<int>(QWidget*, double)> choose;
    return choose;
}

std::optional<int> RunDialog(QWidget* parent, double screenZoom)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Image Resolution"));
    auto* choices = new QComboBox(&dialog);
    choices->addItem(QStringLiteral("The screen's zoom (%1%)").arg(RoundHalfEven(screenZoom * 100.0)), 0);
    for (const int dpi : kExportResolutions)
        choices->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Resolution:"), choices);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choices->currentData().toInt();
}

} // namespace

std::optional<int> ChooseExportResolution(QWidget* parent, double screenZoom)
{
    return chooser() ? chooser()(parent, screenZoom) : RunDialog(parent, screenZoom);
}

void SetExportResolutionChooser(std::function<std::optional<int>(QWidget*, double)> choose)
{
    chooser() = std::move(choose);
}
