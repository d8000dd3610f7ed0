#include "pagedocument.h"

#include "qgraphiccontrol.h"

QList<TQGraphicControl*> TPageDocument::Objects() const
{
    return ObjectParent()->findChildren<TQGraphicControl*>(Qt::FindDirectChildrenOnly);
}
