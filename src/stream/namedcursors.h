// Screen cursor values as placed objects store them, and the one table of their names ("crDefault", ...).
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// 0 is the default cursor; the standard cursors are negative.
using TCursor = qint32;

std::optional<QString> CursorToIdent(TCursor cursor);
// Letter case is ignored; the old alias "crSize" is read as crSizeAll.
std::optional<TCursor> IdentToCursor(const QString& ident);
