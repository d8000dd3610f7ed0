#include "stream/namedcursors.h"

#include <QLatin1StringView>

namespace {

struct TNamedCursor
{
    TCursor value;
    QLatin1StringView name;
};

// The writer uses the first name of a value; later entries are aliases the reader also accepts.
const TNamedCursor kNamedCursors[] = {
    {0, QLatin1StringView("crDefault")},     {-1, QLatin1StringView("crNone")},
    {-2, QLatin1StringView("crArrow")},      {-3, QLatin1StringView("crCross")},
    {-4, QLatin1StringView("crIBeam")},      {-6, QLatin1StringView("crSizeNESW")},
    {-7, QLatin1StringView("crSizeNS")},     {-8, QLatin1StringView("crSizeNWSE")},
    {-9, QLatin1StringView("crSizeWE")},     {-10, QLatin1StringView("crUpArrow")},
    {-11, QLatin1StringView("crHourGlass")}, {-12, QLatin1StringView("crDrag")},
    {-13, QLatin1StringView("crNoDrop")},    {-14, QLatin1StringView("crHSplit")},
    {-15, QLatin1StringView("crVSplit")},    {-16, QLatin1StringView("crMultiDrag")},
    {-17, QLatin1StringView("crSQLWait")},   {-18, QLatin1StringView("crNo")},
    {-19, QLatin1StringView("crAppStart")},  {-20, QLatin1StringView("crHelp")},
    {-21, QLatin1StringView("crHandPoint")}, {-22, QLatin1StringView("crSizeAll")},
    {-22, QLatin1StringView("crSize")},
};

} // namespace

std::optional<QString> CursorToIdent(TCursor cursor)
{
    for (const TNamedCursor& entry : kNamedCursors) {
        if (entry.value == cursor)
            return QString(entry.name);
    }
    return std::nullopt;
}

std::optional<TCursor> IdentToCursor(const QString& ident)
{
    for (const TNamedCursor& entry : kNamedCursors) {
        if (ident.compare(entry.name, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}
