#include "masterrichtext.h"

#include "richtext/wprichtext.h"

#include <QPointer>

namespace {
const QString kMasterName = QStringLiteral("MASTERWPRICHTEXT");
} // namespace

TWPRichText* CreateMasterRichText(QWidget* form)
{
    auto* master = new TWPRichText(form);
    master->setObjectName(kMasterName);
    master->setFrameStyle(QFrame::NoFrame);
    master->hide();
    return master;
}

TWPRichText* FindMasterRichText(const QWidget* object)
{
    // Every label read looks for the master: the one found last answers at once, so that reading many
    // labels does not walk the whole window for each.
    static QPointer<TWPRichText> found;
    if (!object)
        return nullptr;
    const QWidget* form = object->window();
    if (found && found->window() == form && found->objectName().toUpper() == kMasterName)
        return found;
    for (TWPRichText* control : form->findChildren<TWPRichText*>()) {
        if (control->objectName().toUpper() == kMasterName) {
            found = control;
            return control;
        }
    }
    return nullptr;
}
