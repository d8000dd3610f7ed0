#include "richlabelmenu.h"

#include "richtextlabeleditor.h"

#include "document/richlabel/qprichbaselabel.h"
#include "editor/qbasepanel.h"
#include "platform/cursors.h"
#include "platform/rounding.h"
#include "richtext/wprichtext.h"
#include "richtext/wprtfstorage.h"

#include <QAction>
#include <QColorDialog>
#include <QMenu>
#include <QPointer>

TKindMenuItems TRichLabelMenu::Build(TQGraphicControl& object, QMenu& menu)
{
    auto* label = static_cast<TQPRichBaseLabel*>(&object);
    menu.addSeparator();
    QAction* transparent =
        menu.addAction(QStringLiteral("Transparent"), label, [label] { label->SetTransparent(!label->Transparent()); });
    transparent->setCheckable(true);
    menu.addAction(QStringLiteral("Background Color"), label, [label] { ChooseBackgroundColor(*label); });
    QAction* border = menu.addAction(QStringLiteral("Border"), label, [label] {
        label->SetBorderStyle(label->BorderStyle() == TQPRichBaseLabel::bsSingle ? TQPRichBaseLabel::bsNone
                                                                                 : TQPRichBaseLabel::bsSingle);
    });
    border->setCheckable(true);
    border->setChecked(label->BorderStyle() == TQPRichBaseLabel::bsSingle);
    QAction* edit = menu.addAction(QStringLiteral("Edit"), label, [label] { Edit(*label); });
    const auto opening = [label, transparent, border] {
        transparent->setChecked(label->Transparent());
        border->setChecked(label->BorderStyle() == TQPRichBaseLabel::bsSingle);
    };
    return {opening, edit};
}

void TRichLabelMenu::Edit(TQPRichBaseLabel& label)
{
    BusyCursor();
    const QPointer<TQPRichBaseLabel> self(&label);
    TRichTextLabelEditor editor(WindowOf(label));
    TWPRichText* text = editor.WPRichText1();
    text->LoadFrom(label.RTFText());
    if (!label.Transparent())
        editor.SetPanelColor(ToQColor(label.BGColor()));
    editor.SetPanelSize(label.ScreenRect().size() + QSize(1, 1));
    // The editor wraps the text on the same page as the label draws it.
    const QSize page = label.PageTwips();
    text->SetPageSize(page.width(), page.height());
    text->SetZoom(RoundHalfEven(label.Zoom() * 100));
    // A double-click opens the editor while the selection handle still holds the mouse from the click
    // before: the editor's buttons need it.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (editor.exec() == QDialog::Accepted && self) {
        TWPRtfStorage edited;
        text->SaveTo(edited);
        label.SetRTFText(edited);
    }
    NormalCursor();
}

void TRichLabelMenu::ChooseBackgroundColor(TQPRichBaseLabel& label)
{
    const QColor chosen =
        QColorDialog::getColor(ToQColor(label.BGColor()), WindowOf(label), QStringLiteral("Background Color"));
    if (!chosen.isValid())
        return;
    label.SetBGColor(FromQColor(chosen));
    label.NotifyChanged();
    label.SetTransparent(false);
    label.Repaint();
}

void TRichLabelMenu::PlacedByTool(TQPRichBaseLabel& label)
{
    label.SetTransparent(false);
    label.SetBorderStyle(TQPRichBaseLabel::bsSingle);
    Edit(label);
}
