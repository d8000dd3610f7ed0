// Readable text of stream values and component records, without knowing their classes: what
// "almarin --dump" prints for placed objects.
#pragma once

#include "stream/streamreader.h"

#include <QString>
#include <QStringList>

// One value of any kind: integers and floats as numbers, strings quoted, idents bare, sets in
// brackets, lists in parentheses, binary data as its length. Bad input raises EStreamError.
QString ReadValueText(TStreamReader& reader);
// One component record: a line "Class Name", then one line "  Property = value" per property;
// children follow indented further.
QStringList ReadComponentText(TStreamReader& reader, bool withSignature = true);
