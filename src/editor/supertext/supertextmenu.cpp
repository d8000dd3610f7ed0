#include "supertextmenu.h"

#include "supertextproperties.h"

#include "document/supertext/qsupertext.h"
#include "editor/qbasepanel.h"
#include "platform/fontdialog.h"

#include <QAction>
#include <QColorDialog>
#include <QMenu>

std::function<bool(QWidget*, FontDescription&)> TSuperTextMenu::ChooseFont =
    [](QWidget* parent, FontDescription& font) { return ExecFontDialog(parent, QStringLiteral("Font"), font); };

std::function<bool(QWidget*, TColor&)> TSuperTextMenu::ChooseColor = [](QWidget* parent, TColor& color) {
    const QColor chosen = QColorDialog::getColor(ToQColor(color), parent);
    if (!chosen.isValid())
        return false;
    color = FromQColor(chosen);
    return true;
};

TKindMenuItems TSuperTextMenu::Build(TQGraphicControl& object, QMenu& menu)
{
    auto* text = static_cast<TQSuperText*>(&object);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Font"), text, [text] {
        FontDescription font = text->Font();
        if (ChooseFont(WindowOf(*text), font))
            text->ApplyFont(font);
    });
    QAction* transparent = menu.addAction(QStringLiteral("Transparent"), text,
                                          [text] { text->SetControlTransparent(!text->ControlTransparent()); });
    transparent->setCheckable(true);
    menu.addAction(QStringLiteral("Background Color"), text, [text] {
        TColor color = text->BGColor();
        if (!ChooseColor(WindowOf(*text), color))
            return;
        text->SetBGColor(color);
        text->NotifyChanged();
        text->SetControlTransparent(false);
        text->Repaint();
    });
    QAction* border = menu.addAction(QStringLiteral("Border"), text, [text] {
        text->SetBorderStyle(text->BorderStyle() == TQSuperText::bsSingle ? TQSuperText::bsNone
                                                                          : TQSuperText::bsSingle);
    });
    border->setCheckable(true);
    menu.addAction(QStringLiteral("Properties"), text, [text] { ShowProperties(*text); });
    const auto opening = [text, border, transparent] {
        border->setChecked(text->BorderStyle() == TQSuperText::bsSingle);
        transparent->setChecked(text->ControlTransparent());
    };
    return {opening, nullptr};
}

bool TSuperTextMenu::ShowProperties(TQSuperText& text)
{
    TSuperTextProperties dialog(WindowOf(text));
    dialog.SetFrom(text);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.ApplyTo(text);
    return true;
}

void TSuperTextMenu::CreatedByTool(TQSuperText& text)
{
    text.SetBorderStyle(TQSuperText::bsSingle);
    text.SetControlTransparent(false);
    text.SetBGColor(clWhite);
    // The dialog opens once the mouse release that placed the object has finished.
    QMetaObject::invokeMethod(
        &text, [&text] { ShowProperties(text); }, Qt::QueuedConnection);
}
