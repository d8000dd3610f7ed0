#include "masterrichtext.h"

#include "richtext/wprichtext.h"

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
    const QWidget* form = object->window();
    for (TWPRichText* control : form->findChildren<TWPRichText*>()) {
        if (control->objectName().toUpper() == kMasterName)
            return control;
    }
    return nullptr;
}
