#include "qplabel.h"

TQPLabel::TQPLabel(QObject* parent) : TQBaseLabel(parent) {}
