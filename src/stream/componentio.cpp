#include "stream/componentio.h"

#include "platform/fontdescription.h"
#include "platform/rounding.h"
#include "platform/screenmetrics.h"
#include "stream/namedcolors.h"
#include "stream/namedcursors.h"

#include <QHash>
#include <QMetaEnum>
#include <QSet>

#include <cstring>
#include <optional>

namespace {

enum class TPropertyKind { Enum, Flags, Bool, Integer, Color, Cursor, Float, String, Char, Font, Object, Bytes, Other };

const QByteArray kDefaultPrefix("default:");
const QByteArray kBinaryPrefix("binary:");

struct TFontStyleName
{
    int bit;
    QLatin1StringView name;
};

const TFontStyleName kFontStyles[] = {
    {fsBold, QLatin1StringView("fsBold")},
    {fsItalic, QLatin1StringView("fsItalic")},
    {fsUnderline, QLatin1StringView("fsUnderline")},
    {fsStrikeOut, QLatin1StringView("fsStrikeOut")},
};

[[noreturn]] void Fail(const QString& message)
{
    throw EStreamError(message);
}

bool IsQtClass(const QMetaObject* metaObject)
{
    return metaObject->className()[0] == 'Q';
}

TPropertyKind KindOf(const QMetaProperty& property)
{
    if (property.isEnumType())
        return property.isFlagType() ? TPropertyKind::Flags : TPropertyKind::Enum;
    const QMetaType type = property.metaType();
    if (type == QMetaType::fromType<FontDescription>())
        return TPropertyKind::Font;
    if (type.flags() & QMetaType::PointerToQObject)
        return TPropertyKind::Object;
    switch (type.id()) {
    case QMetaType::Bool:
        return TPropertyKind::Bool;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::UChar: {
        const QByteArray declared = DeclaredTypeName(property);
        if (declared == "TColor")
            return TPropertyKind::Color;
        if (declared == "TCursor")
            return TPropertyKind::Cursor;
        return TPropertyKind::Integer;
    }
    case QMetaType::Float:
    case QMetaType::Double:
        return TPropertyKind::Float;
    case QMetaType::QString:
        return TPropertyKind::String;
    case QMetaType::QChar:
        return TPropertyKind::Char;
    case QMetaType::QByteArray:
        return TPropertyKind::Bytes;
    default:
        return TPropertyKind::Other;
    }
}

// Enumeration and set values as plain integers, whatever the width of their type.
qint64 RawInteger(const QVariant& value)
{
    const void* data = value.constData();
    switch (value.metaType().sizeOf()) {
    case 1:
        return *static_cast<const qint8*>(data);
    case 2:
        return *static_cast<const qint16*>(data);
    case 4:
        return *static_cast<const qint32*>(data);
    case 8:
        return *static_cast<const qint64*>(data);
    default:
        return 0;
    }
}

QVariant FromRawInteger(QMetaType type, qint64 value)
{
    char buffer[8] = {};
    const qsizetype size = type.sizeOf();
    if (size <= 0 || size > qsizetype(sizeof buffer))
        Fail(QStringLiteral("Unsupported enumeration type"));
    const qint32 narrow32 = static_cast<qint32>(value);
    const qint16 narrow16 = static_cast<qint16>(value);
    const qint8 narrow8 = static_cast<qint8>(value);
    const void* source = size == 8   ? static_cast<const void*>(&value)
                         : size == 4 ? static_cast<const void*>(&narrow32)
                         : size == 2 ? static_cast<const void*>(&narrow16)
                                     : static_cast<const void*>(&narrow8);
    std::memcpy(buffer, source, size);
    return QVariant(type, buffer);
}

// Single-bit members of a set type, ascending by bit.
QList<std::pair<qint64, QByteArray>> SetMembers(const QMetaEnum& enumerator)
{
    QList<std::pair<qint64, QByteArray>> members;
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        const auto bit = static_cast<quint32>(enumerator.value(i));
        if (bit != 0 && (bit & (bit - 1)) == 0)
            members.append({bit, enumerator.key(i)});
    }
    std::stable_sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return members;
}

std::optional<qint64> ParseInteger(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 0);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<qint64> ParseOrdinal(const QString& text, const QMetaProperty& property, TPropertyKind kind)
{
    if (const auto number = ParseInteger(text))
        return number;
    switch (kind) {
    case TPropertyKind::Bool:
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return 1;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return 0;
        return std::nullopt;
    case TPropertyKind::Enum: {
        bool ok = false;
        const int value = property.enumerator().keyToValue(text.toUtf8().constData(), &ok);
        return ok ? std::optional<qint64>(value) : std::nullopt;
    }
    case TPropertyKind::Flags: {
        qint64 bits = 0;
        QString members = text;
        members.remove(QLatin1Char('[')).remove(QLatin1Char(']')).replace(QLatin1Char(','), QLatin1Char('|'));
        for (const QString& member : members.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            bool ok = false;
            bits |= property.enumerator().keyToValue(member.trimmed().toUtf8().constData(), &ok);
            if (!ok)
                return std::nullopt;
        }
        return bits;
    }
    case TPropertyKind::Color:
        if (const auto color = IdentToColor(text))
            return *color;
        return std::nullopt;
    case TPropertyKind::Cursor:
        if (const auto cursor = IdentToCursor(text))
            return *cursor;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<QString> DeclaredDefaultText(const QMetaObject& metaObject, const QMetaProperty& property)
{
    const int index = metaObject.indexOfClassInfo((kDefaultPrefix + property.name()).constData());
    if (index < 0)
        return std::nullopt;
    return QString::fromUtf8(metaObject.classInfo(index).value()).trimmed();
}

std::optional<qint64> DeclaredOrdinalDefault(const QMetaObject& metaObject, const QMetaProperty& property,
                                             TPropertyKind kind)
{
    const auto text = DeclaredDefaultText(metaObject, property);
    return text ? ParseOrdinal(*text, property, kind) : std::nullopt;
}

// Defined binary properties: stored name and property name, base class first, a derived declaration winning.
QList<std::pair<QString, QByteArray>> collectBinaryProperties(const QMetaObject& metaObject)
{
    QList<std::pair<QString, QByteArray>> entries;
    for (int i = 0; i < metaObject.classInfoCount(); ++i) {
        const QMetaClassInfo info = metaObject.classInfo(i);
        const QByteArray key(info.name());
        if (!key.startsWith(kBinaryPrefix))
            continue;
        const QString stored = QString::fromUtf8(key.mid(kBinaryPrefix.size()));
        auto same = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == stored; });
        if (same != entries.end())
            same->second = info.value();
        else
            entries.append({stored, QByteArray(info.value())});
    }
    return entries;
}

// What a class declares never changes, and every property read and every object written asks for it:
// worked out once per class.
template <class Value, Value (*collect)(const QMetaObject&)> Value OncePerClass(const QMetaObject& metaObject)
{
    static QHash<const QMetaObject*, Value> known;
    auto found = known.constFind(&metaObject);
    if (found == known.cend())
        found = known.insert(&metaObject, collect(metaObject));
    return *found;
}

QList<std::pair<QString, QByteArray>> BinaryProperties(const QMetaObject& metaObject)
{
    return OncePerClass<QList<std::pair<QString, QByteArray>>, collectBinaryProperties>(metaObject);
}

int FontHeight(int points)
{
    return -RoundHalfEven(points * double(kScreenPixelsPerInch) / 72.0);
}

void WriteFont(TStreamWriter& writer, const QString& name, const FontDescription& font)
{
    writer.WritePropertyName(name + QLatin1String(".Charset"));
    writer.WriteIdent(QStringLiteral("DEFAULT_CHARSET"));
    writer.WritePropertyName(name + QLatin1String(".Color"));
    writer.WriteColor(font.color);
    writer.WritePropertyName(name + QLatin1String(".Height"));
    writer.WriteInteger(FontHeight(font.size));
    writer.WritePropertyName(name + QLatin1String(".Name"));
    writer.WriteString(font.name);
    writer.WritePropertyName(name + QLatin1String(".Style"));
    QStringList members;
    for (const TFontStyleName& style : kFontStyles) {
        if (font.style & style.bit)
            members.append(style.name);
    }
    writer.WriteSet(members);
}

void WriteProperties(TStreamWriter& writer, const QObject& object, const QString& prefix);

void WriteProperty(TStreamWriter& writer, const QObject& object, const QMetaProperty& property, const QString& prefix)
{
    const QMetaObject& metaObject = *object.metaObject();
    const TPropertyKind kind = KindOf(property);
    const QVariant value = property.read(&object);
    const QString name = prefix + QString::fromLatin1(property.name());
    switch (kind) {
    case TPropertyKind::Enum:
    case TPropertyKind::Flags:
    case TPropertyKind::Bool:
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
    case TPropertyKind::Cursor: {
        const qint64 ordinal = kind == TPropertyKind::Bool                                   ? qint64(value.toBool())
                               : kind == TPropertyKind::Enum || kind == TPropertyKind::Flags ? RawInteger(value)
                                                                                             : value.toLongLong();
        if (DeclaredOrdinalDefault(metaObject, property, kind) == ordinal)
            return;
        writer.WritePropertyName(name);
        if (kind == TPropertyKind::Bool) {
            writer.WriteBoolean(ordinal != 0);
        } else if (kind == TPropertyKind::Enum) {
            if (const char* key = property.enumerator().valueToKey(static_cast<int>(ordinal)))
                writer.WriteIdent(QString::fromLatin1(key));
            else
                writer.WriteInteger(static_cast<qint32>(ordinal));
        } else if (kind == TPropertyKind::Flags) {
            QStringList members;
            for (const auto& member : SetMembers(property.enumerator())) {
                if (ordinal & member.first)
                    members.append(QString::fromLatin1(member.second));
            }
            writer.WriteSet(members);
        } else if (kind == TPropertyKind::Color) {
            writer.WriteColor(static_cast<TColor>(ordinal));
        } else if (kind == TPropertyKind::Cursor) {
            if (const auto ident = CursorToIdent(static_cast<TCursor>(ordinal)))
                writer.WriteIdent(*ident);
            else
                writer.WriteInteger(static_cast<qint32>(ordinal));
        } else {
            writer.WriteInteger(static_cast<qint32>(ordinal));
        }
        return;
    }
    case TPropertyKind::Float: {
        const double number = value.toDouble();
        if (number == 0.0)
            return;
        if (const auto text = DeclaredDefaultText(metaObject, property)) {
            bool ok = false;
            const double declared = text->toDouble(&ok);
            if (ok &&
                (property.metaType().id() == QMetaType::Float ? float(declared) == float(number) : declared == number))
                return;
        }
        writer.WritePropertyName(name);
        writer.WriteFloat(number);
        return;
    }
    case TPropertyKind::String: {
        const QString text = value.toString();
        if (text.isEmpty())
            return;
        writer.WritePropertyName(name);
        writer.WriteString(text);
        return;
    }
    case TPropertyKind::Char: {
        const QChar c = value.value<QChar>();
        const auto declared = DeclaredDefaultText(metaObject, property);
        if (declared && *declared == QString(c))
            return;
        writer.WritePropertyName(name);
        writer.WriteString(QString(c));
        return;
    }
    case TPropertyKind::Font:
        WriteFont(writer, name, value.value<FontDescription>());
        return;
    case TPropertyKind::Object:
        if (const QObject* inner = value.value<QObject*>())
            WriteProperties(writer, *inner, name + QLatin1Char('.'));
        return;
    case TPropertyKind::Bytes: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.isEmpty())
            return;
        writer.WritePropertyName(name);
        writer.WriteBinary(bytes);
        return;
    }
    case TPropertyKind::Other:
        return;
    }
}

void WriteProperties(TStreamWriter& writer, const QObject& object, const QString& prefix)
{
    const QMetaObject& metaObject = *object.metaObject();
    for (const QMetaProperty& property : StreamProperties(metaObject))
        WriteProperty(writer, object, property, prefix);
    for (const auto& [stored, propertyName] : BinaryProperties(metaObject)) {
        const QByteArray bytes = object.property(propertyName.constData()).toByteArray();
        if (bytes.isEmpty())
            continue;
        writer.WritePropertyName(prefix + stored);
        writer.WriteBinary(bytes);
    }
}

std::optional<QMetaProperty> FindStreamProperty(const QMetaObject& metaObject, const QString& name)
{
    const QList<QMetaProperty> properties = StreamProperties(metaObject);
    for (const QMetaProperty& property : properties) {
        if (QLatin1String(property.name()) == name)
            return property;
    }
    for (const QMetaProperty& property : properties) {
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
            return property;
    }
    return std::nullopt;
}

void Store(QObject& object, const QMetaProperty& property, const QVariant& value)
{
    if (!property.write(&object, value))
        Fail(QStringLiteral("Property %1 cannot take the value read").arg(QLatin1String(property.name())));
}

qint64 ReadEnumValue(TStreamReader& reader, const QMetaProperty& property)
{
    if (reader.NextValue() != TValueType::Ident)
        return reader.ReadInteger();
    const QString ident = reader.ReadIdent();
    const QMetaEnum enumerator = property.enumerator();
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (ident.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0)
            return enumerator.value(i);
    }
    Fail(QStringLiteral("Invalid property value %1 of %2").arg(ident, QLatin1String(property.name())));
}

qint64 ReadSetValue(TStreamReader& reader, const QMetaProperty& property)
{
    const auto members = SetMembers(property.enumerator());
    qint64 bits = 0;
    for (const QString& name : reader.ReadSet()) {
        for (const auto& member : members) {
            if (name.compare(QLatin1String(member.second), Qt::CaseInsensitive) == 0)
                bits |= member.first;
        }
    }
    return bits;
}

bool ReadBooleanValue(TStreamReader& reader, const QMetaProperty& property)
{
    switch (reader.NextValue()) {
    case TValueType::False:
    case TValueType::True:
        return reader.ReadBoolean();
    case TValueType::Ident: {
        const QString ident = reader.ReadIdent();
        if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        break;
    }
    default:
        break;
    }
    Fail(QStringLiteral("Invalid property value of %1").arg(QLatin1String(property.name())));
}

TCursor ReadCursorValue(TStreamReader& reader)
{
    if (reader.NextValue() != TValueType::Ident)
        return reader.ReadInteger();
    const QString ident = reader.ReadIdent();
    if (const auto cursor = IdentToCursor(ident))
        return *cursor;
    Fail(QStringLiteral("Unknown cursor name \"%1\"").arg(ident));
}

void ReadFontPart(TStreamReader& reader, QObject& object, const QMetaProperty& property, const QString& part)
{
    FontDescription font = property.read(&object).value<FontDescription>();
    const auto is = [&](const char* name) { return part.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("Charset") || is("Pitch")) {
        // Faces are found by name alone; the character set and pitch only mattered to the old font mapper.
        reader.SkipValue();
        return;
    }
    if (is("Color")) {
        font.color = reader.ReadColor();
    } else if (is("Height")) {
        const qint32 height = reader.ReadInteger();
        if (height != 0)
            font.size = std::max(1, RoundHalfEven(std::abs(double(height)) * 72.0 / kScreenPixelsPerInch));
    } else if (is("Size")) {
        const qint32 size = reader.ReadInteger();
        if (size > 0)
            font.size = size;
        else if (size < 0)
            font.size = std::max(1, RoundHalfEven(-double(size) * 72.0 / kScreenPixelsPerInch));
    } else if (is("Name")) {
        font.name = reader.ReadString();
    } else if (is("Style")) {
        font.style = 0;
        for (const QString& member : reader.ReadSet()) {
            for (const TFontStyleName& style : kFontStyles) {
                if (member.compare(style.name, Qt::CaseInsensitive) == 0)
                    font.style |= style.bit;
            }
        }
    } else {
        Fail(QStringLiteral("Unknown property %1.%2").arg(QLatin1String(property.name()), part));
    }
    Store(object, property, QVariant::fromValue(font));
}

void ReadValue(TStreamReader& reader, QObject& object, const QMetaProperty& property)
{
    switch (KindOf(property)) {
    case TPropertyKind::Enum:
        Store(object, property, FromRawInteger(property.metaType(), ReadEnumValue(reader, property)));
        return;
    case TPropertyKind::Flags:
        Store(object, property, FromRawInteger(property.metaType(), ReadSetValue(reader, property)));
        return;
    case TPropertyKind::Bool:
        Store(object, property, QVariant(ReadBooleanValue(reader, property)));
        return;
    case TPropertyKind::Integer:
        Store(object, property, QVariant(reader.ReadInteger()));
        return;
    case TPropertyKind::Color:
        Store(object, property, QVariant(reader.ReadColor()));
        return;
    case TPropertyKind::Cursor:
        Store(object, property, QVariant(ReadCursorValue(reader)));
        return;
    case TPropertyKind::Float:
        Store(object, property, QVariant(reader.ReadFloat()));
        return;
    case TPropertyKind::String:
        Store(object, property, QVariant(reader.ReadString()));
        return;
    case TPropertyKind::Char: {
        const QString text = reader.ReadString();
        Store(object, property, QVariant::fromValue(text.isEmpty() ? QChar() : text.at(0)));
        return;
    }
    case TPropertyKind::Bytes:
        Store(object, property, QVariant(reader.ReadBinary()));
        return;
    case TPropertyKind::Font:
    case TPropertyKind::Object:
    case TPropertyKind::Other:
        break;
    }
    Fail(QStringLiteral("Property %1 has no value of its own").arg(QLatin1String(property.name())));
}

void ReadProperty(TStreamReader& reader, QObject& object, const QString& name)
{
    const QMetaObject& metaObject = *object.metaObject();
    for (const auto& [stored, propertyName] : BinaryProperties(metaObject)) {
        if (stored.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const int index = metaObject.indexOfProperty(propertyName.constData());
        if (index < 0)
            Fail(QStringLiteral("Binary property %1 has no storage").arg(name));
        Store(object, metaObject.property(index), QVariant(reader.ReadBinary()));
        return;
    }
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const auto property = FindStreamProperty(metaObject, dot > 0 ? name.left(dot) : name);
    if (!property)
        Fail(QStringLiteral("Unknown property %1 of %2").arg(name, QLatin1String(metaObject.className())));
    if (dot <= 0) {
        ReadValue(reader, object, *property);
        return;
    }
    const QString rest = name.mid(dot + 1);
    switch (KindOf(*property)) {
    case TPropertyKind::Font:
        ReadFontPart(reader, object, *property, rest);
        return;
    case TPropertyKind::Object:
        if (QObject* inner = property->read(&object).value<QObject*>()) {
            ReadProperty(reader, *inner, rest);
            return;
        }
        break;
    default:
        break;
    }
    Fail(QStringLiteral("Unknown property %1 of %2").arg(name, QLatin1String(metaObject.className())));
}

void InvokeIfDeclared(QObject& object, const char* signature, const char* method)
{
    if (object.metaObject()->indexOfMethod(signature) >= 0)
        QMetaObject::invokeMethod(&object, method, Qt::DirectConnection);
}

} // namespace

namespace {

QList<QMetaProperty> collectStreamProperties(const QMetaObject& metaObject)
{
    QList<const QMetaObject*> chain;
    for (const QMetaObject* m = &metaObject; m; m = m->superClass()) {
        if (!IsQtClass(m))
            chain.prepend(m);
    }
    QList<QMetaProperty> properties;
    QSet<QByteArray> seen;
    for (const QMetaObject* m : chain) {
        for (int i = m->propertyOffset(); i < m->propertyCount(); ++i) {
            const QByteArray name(m->property(i).name());
            if (seen.contains(name))
                continue;
            seen.insert(name);
            // A redeclared property keeps its base's place but takes the derived declaration.
            const QMetaProperty property = metaObject.property(metaObject.indexOfProperty(name.constData()));
            // A value object is kept by its owner and filled in place, so it needs no setter.
            const bool settable = property.isWritable() || KindOf(property) == TPropertyKind::Object;
            if (property.isStored() && property.isReadable() && settable)
                properties.append(property);
        }
    }
    return properties;
}

} // namespace

QList<QMetaProperty> StreamProperties(const QMetaObject& metaObject)
{
    return OncePerClass<QList<QMetaProperty>, collectStreamProperties>(metaObject);
}

QByteArray DeclaredTypeName(const QMetaProperty& property)
{
    // QMetaProperty::typeName() answers the resolved type ("int" for TColor); moc keeps the written
    // name of a type it does not know in the string table, marked by the top bit of the type entry.
    constexpr uint kUnresolvedType = 0x80000000u;
    constexpr int kRevisionIndex = 0;
    constexpr int kPropertyDataIndex = 7;
    constexpr int kPropertyEntrySize = 5;
    const QMetaObject* metaObject = property.enclosingMetaObject();
    if (metaObject && metaObject->d.data && metaObject->d.stringdata && metaObject->d.data[kRevisionIndex] >= 10) {
        const uint* data = metaObject->d.data;
        const int local = property.propertyIndex() - metaObject->propertyOffset();
        const uint type = data[data[kPropertyDataIndex] + kPropertyEntrySize * local + 1];
        if (type & kUnresolvedType) {
            const uint index = type & ~kUnresolvedType;
            const uint* strings = metaObject->d.stringdata;
            return QByteArray(reinterpret_cast<const char*>(strings) + strings[2 * index], strings[2 * index + 1]);
        }
    }
    return QByteArray(property.typeName());
}

void WriteComponent(TStreamWriter& writer, const QObject& object)
{
    writer.WriteSignature();
    WriteComponentBody(writer, object);
}

void WriteComponentBody(TStreamWriter& writer, const QObject& object)
{
    writer.WriteChildBegin(StoredClassName(*object.metaObject()), object.objectName());
    WriteComponentProperties(writer, object);
    writer.WriteListEnd();
}

void WriteComponentProperties(TStreamWriter& writer, const QObject& object)
{
    WriteProperties(writer, object, QString());
    writer.WriteListEnd();
}

void ReadComponentProperties(TStreamReader& reader, QObject& object)
{
    while (!reader.EndOfList())
        ReadProperty(reader, object, reader.ReadPropertyName());
    reader.ReadListEnd();
}

QObject* ReadComponent(TStreamReader& reader, const TClassRegistry& registry, QObject* parent)
{
    const TComponentHeader header = reader.ReadComponentHeader();
    if (!registry.IsRegistered(header.className))
        Fail(QStringLiteral("Class %1 not found").arg(header.className));
    QObject* object = registry.Create(header.className, parent);
    if (!object)
        Fail(QStringLiteral("Class %1 cannot be placed here").arg(header.className));
    try {
        object->setObjectName(header.name);
        InvokeIfDeclared(*object, "Loading()", "Loading");
        ReadComponentProperties(reader, *object);
        while (!reader.EndOfList())
            reader.SkipComponent(false);
        reader.ReadListEnd();
        InvokeIfDeclared(*object, "Loaded()", "Loaded");
    } catch (...) {
        delete object;
        throw;
    }
    return object;
}

QString UniqueComponentName(const QObject& owner, const QObject* except)
{
    return TComponentNamer(owner, except).Take();
}

TComponentNamer::TComponentNamer(const QObject& owner, const QObject* except)
{
    for (const QObject* child : owner.findChildren<QObject*>()) {
        if (child != except)
            m_taken.insert(child->objectName());
    }
}

QString TComponentNamer::Take()
{
    constexpr int kLastNumber = 1000;
    // Names are only ever added, so no number below the last one given can have come free.
    for (; m_next <= kLastNumber; ++m_next) {
        ++m_lookups;
        const QString name = QStringLiteral("Component%1").arg(m_next);
        if (!m_taken.contains(name)) {
            m_taken.insert(name);
            ++m_next;
            return name;
        }
    }
    return QString();
}

void WriteComponentList(TStreamWriter& writer, const QList<const QObject*>& objects)
{
    writer.WriteListBegin();
    for (const QObject* object : objects)
        WriteComponent(writer, *object);
    writer.WriteListEnd();
}

TComponentListResult ReadComponentList(TStreamReader& reader, const TClassRegistry& registry, QObject* parent,
                                       const QObject* owner)
{
    TComponentListResult result;
    std::optional<TComponentNamer> namer;
    if (owner)
        namer.emplace(*owner);
    try {
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            QObject* object = ReadComponent(reader, registry, parent);
            if (namer) {
                const QString name = namer->Take();
                if (!name.isEmpty())
                    object->setObjectName(name);
            }
            result.objects.append(object);
        }
        reader.ReadListEnd();
    } catch (const EStreamError& error) {
        result.error = error.Message();
    }
    return result;
}
