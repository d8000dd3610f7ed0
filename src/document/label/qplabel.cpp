#include "qplabel.h"

#include "editor/label/getlabeltext.h"
#include "editor/qbasepanel.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <utility>

TQPLabel::TQPLabel(QObject* parent) : TQBaseLabel(parent) {}

void TQPLabel::AddMenuItems(QMenu& objectMenu)
{
    TQBaseLabel::AddMenuItems(objectMenu);
    QMenu* menu = &objectMenu;
    menu->addSeparator();
    QAction* text = menu->addAction(QStringLiteral("Text"), this, [this] { EditText(); });
    text->setData(1000);
    menu->addSeparator();
    QMenu* rotation = menu->addMenu(QStringLiteral("Rotation"));
    const std::pair<const char*, int> angles[] = {
        {"No Rotation", 0}, {"90 Degrees", 90}, {"180 Degrees", 180}, {"270 Degrees", 270}};
    for (const auto& entry : angles) {
        const int angle = entry.second;
        QAction* item = rotation->addAction(QLatin1String(entry.first), this, [this, angle] { SetAngle(angle); });
        item->setCheckable(true);
        item->setData(angle);
        m_rotationItems.append(item);
    }
    m_hasRotationMenu = true;
}

bool TQPLabel::ShowFontDialog()
{
    if (!TQBaseLabel::ShowFontDialog())
        return false;
    GrowToText();
    return true;
}

void TQPLabel::EditText()
{
    TGetLabelText dialog(window());
    dialog.LabelText()->setText(Caption());
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetCaption(dialog.LabelText()->text());
    GrowToText();
    Repaint();
}

void TQPLabel::StartFromTool()
{
    FontDescription font = TQBasePanel::SurfaceFont();
    font.size = 20;
    SetCaption(QStringLiteral("Enter text..."));
    SetFont(font);
    SetTransparent(false);
    SetBorderStyle(bsSingle);
    BeginEdit();
}
