#include "mixedobjects.h"

#include "surface/flatcalendar/qflatcalendar.h"
#include "surface/image/qimage.h"
#include "surface/label/qplabel.h"
#include "surface/richlabel/qprichbaselabel.h"
#include "surface/supertext/qsupertext.h"

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
