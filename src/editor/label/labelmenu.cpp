#include "labelmenu.h"

#include "getlabeltext.h"
#include "qfont3deffects.h"

#include "document/label/qplabel.h"
#include "editor/qbasepanel.h"
#include "platform/fontdialog.h"

#include <QAction>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>

#include <utility>

namespace {

// Every text label's items; a label that grows to its text does so after a new font.
TKindMenuItems AddLabelItems(TQBaseLabel* label, QMenu* menu, bool growToText)
{
    menu->addSeparator();
    menu->addAction(QStringLiteral("Font"), label, [label, growToText] {
        if (TLabelMenu::ChooseFont(*label) && growToText)
            label->GrowToText();
    });
    menu->addAction(QStringLiteral("3D Effects"), label, [label] {
        TQFont3DEffects dialog(label);
        if (dialog.exec() == QDialog::Accepted)
            label->NotifyChanged();
    });
    QMenu* alignment = menu->addMenu(QStringLiteral("Alignment"));
    QList<QAction*> alignmentItems;
    const std::pair<const char*, TQBaseLabel::TAlignment> alignments[] = {{"Left", TQBaseLabel::taLeftJustify},
                                                                          {"Center", TQBaseLabel::taCenter},
                                                                          {"Right", TQBaseLabel::taRightJustify}};
    for (const auto& entry : alignments) {
        const TQBaseLabel::TAlignment value = entry.second;
        QAction* item = alignment->addAction(QLatin1String(entry.first), label, [label, value] {
            label->SetAlignment(value);
            label->NotifyChanged();
        });
        item->setCheckable(true);
        item->setData(int(value));
        alignmentItems.append(item);
    }
    QAction* transparent = menu->addAction(QStringLiteral("Transparent"));
    QObject::connect(transparent, &QAction::triggered, label, [label, transparent] {
        label->SetTransparent(!label->Transparent());
        transparent->setChecked(label->Transparent());
    });
    transparent->setCheckable(true);
    transparent->setChecked(label->Transparent());
    menu->addAction(QStringLiteral("Background Color"), label, [label, transparent] {
        const QColor chosen = QColorDialog::getColor(ToQColor(label->BackColor()), WindowOf(*label));
        if (!chosen.isValid())
            return;
        label->SetBackColor(FromQColor(chosen));
        label->SetTransparent(false);
        transparent->setChecked(false);
        label->Repaint();
    });
    QAction* border = menu->addAction(QStringLiteral("Border"), label, [label] {
        label->SetBorderStyle(label->BorderStyle() == TQBaseLabel::bsSingle ? TQBaseLabel::bsNone
                                                                            : TQBaseLabel::bsSingle);
    });
    border->setCheckable(true);
    const auto opening = [label, border, transparent, alignmentItems] {
        border->setChecked(label->BorderStyle() == TQBaseLabel::bsSingle);
        // A label the tool made opaque, or one read opaque, must not show the check.
        transparent->setChecked(label->Transparent());
        for (QAction* item : alignmentItems)
            item->setChecked(item->data().toInt() == label->Alignment());
    };
    return {opening, nullptr};
}

} // namespace

TKindMenuItems TLabelMenu::BuildBaseLabel(TQGraphicControl& object, QMenu& menu)
{
    return AddLabelItems(static_cast<TQBaseLabel*>(&object), &menu, false);
}

TKindMenuItems TLabelMenu::BuildTextLabel(TQGraphicControl& object, QMenu& menu)
{
    auto* label = static_cast<TQPLabel*>(&object);
    TKindMenuItems items = AddLabelItems(label, &menu, true);
    menu.addSeparator();
    QAction* text = menu.addAction(QStringLiteral("Text"), label, [label] { EditText(*label); });
    text->setData(1000);
    menu.addSeparator();
    QMenu* rotation = menu.addMenu(QStringLiteral("Rotation"));
    QList<QAction*> rotationItems;
    const std::pair<const char*, int> angles[] = {
        {"No Rotation", 0}, {"90 Degrees", 90}, {"180 Degrees", 180}, {"270 Degrees", 270}};
    for (const auto& entry : angles) {
        const int angle = entry.second;
        QAction* item =
            rotation->addAction(QLatin1String(entry.first), label, [label, angle] { label->SetAngle(angle); });
        item->setCheckable(true);
        item->setData(angle);
        rotationItems.append(item);
    }
    items.opening = [label, labelOpening = std::move(items.opening), rotationItems] {
        labelOpening();
        for (QAction* item : rotationItems)
            item->setChecked(item->data().toInt() == label->Angle());
    };
    return items;
}

bool TLabelMenu::ChooseFont(TQBaseLabel& label)
{
    FontDescription font = label.Font();
    if (!ExecFontDialog(WindowOf(label), QStringLiteral("Font"), font))
        return false;
    label.ApplyFont(font);
    return true;
}

void TLabelMenu::EditText(TQPLabel& label)
{
    TGetLabelText dialog(WindowOf(label));
    dialog.LabelText()->setText(label.Caption());
    if (dialog.exec() != QDialog::Accepted)
        return;
    label.SetCaption(dialog.LabelText()->text());
    label.GrowToText();
    label.Repaint();
}

void TLabelMenu::StartFromTool(TQPLabel& label)
{
    FontDescription font = TQBasePanel::SurfaceFont();
    font.size = 20;
    label.SetCaption(QStringLiteral("Enter text..."));
    label.SetFont(font);
    label.SetTransparent(false);
    label.SetBorderStyle(TQBaseLabel::bsSingle);
    EditText(label);
}
