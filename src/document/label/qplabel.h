// The text label the label tool places; the editor gives it a text entry dialog and a rotation menu.
#pragma once

#include "qbaselabel.h"

class TQPLabel : public TQBaseLabel
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQPLabel")

public:
    explicit TQPLabel(QObject* parent = nullptr);
};
