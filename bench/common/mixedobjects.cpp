#include "mixedobjects.h"

#include "document/flatcalendar/qflatcalendar.h"
#include "document/image/qimage.h"
#include "document/label/qplabel.h"
#include "document/richlabel/qprichbaselabel.h"
#include "document/supertext/qsupertext.h"

TQGraphicControl* NewObject(int i, QObject* page)
{
    switch (i % 5) {
    case 0: {
        auto* label = new TQPLabel(page);
        label->SetCaption(QStringLiteral("Label %1").arg(i));
        return label;
    }
    case 1:
        return new TQSuperText(page);
    case 2:
        return new TQFlatCalendar(page);
    case 3:
        return new TQImage(page);
    default:
        return new TQPRichBaseLabel(page);
    }
}
