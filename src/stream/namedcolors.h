// The one table of colour names ("clWhite", "clBtnFace", ...) that colour properties are stored as.
#pragma once

#include "platform/colorvalue.h"

#include <QString>

#include <optional>

// The name of a colour value, or nothing when it has none (then it is stored as an integer).
std::optional<QString> ColorToIdent(TColor color);
// The colour of a name; letter case is ignored, as identifiers in the stream are.
std::optional<TColor> IdentToColor(const QString& ident);
