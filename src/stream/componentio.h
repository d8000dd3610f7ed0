// Writes and reads objects as component records by walking their meta-objects.
//
// Stream properties are the Q_PROPERTYs of a class and its bases, base first and in declaration order,
// that are STORED and writable (value objects need no setter); properties of Qt's own classes (class names beginning
// with 'Q') are not among them. How each kind is stored:
//   enumerations (Q_ENUM)        ident of the value name
//   style sets (Q_FLAG)          tag 11, single-bit members in ascending order; unknown members are skipped
//   bool                         tags 8 and 9
//   float, double                tag 5 (an integer is accepted on reading)
//   QString / QChar              a string / a string of one character
//   TColor (platform/colorvalue.h)   the colour's name when it has one (clWhite), else an integer
//   TCursor (stream/namedcursors.h)  the cursor's name when it has one (crHandPoint), else an integer
//   other integers               an integer
//   FontDescription              the entries Font.Charset (DEFAULT_CHARSET), Font.Color, Font.Height
//                                (−points × 96 / 72), Font.Name and Font.Style (fsBold fsItalic fsUnderline
//                                fsStrikeOut); reading also takes Font.Size (points), skips Font.Pitch and
//                                any charset
//   QObject* (a value object the owner keeps)  its own stream properties as "Prop.Sub" entries
//   QByteArray                   tag 10
// Colour and cursor properties are recognised by the type name written in Q_PROPERTY (TColor, TCursor).
//
// Declared defaults: Q_CLASSINFO("default:<Property>", "<value>"), the value as an integer, a value name
// (taLeftJustify, clWhite, crDefault), true/false, a number, or set members joined by '|' ("" for none).
// A derived class's declaration wins over its base's. A property equal to its default is not written;
// nor is an empty string, a float equal to 0 or an unassigned object. An ordinal without a declared
// default is always written.
//
// Binary properties: Q_CLASSINFO("binary:<StoredName>", "<Property>") on a QByteArray property (normally
// STORED false) writes it under the stored name with tag 10 after the published properties, when not empty.
//
// Reading life cycle: when the class has the invokable methods Loading() and Loaded(), the first runs
// before its properties are read and the second after they all are.
#pragma once

#include "stream/classregistry.h"
#include "stream/streamreader.h"
#include "stream/streamwriter.h"

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QSet>

// The properties the stream writes for objects of this class, in writing order.
QList<QMetaProperty> StreamProperties(const QMetaObject& metaObject);
// The type name written in the property's Q_PROPERTY declaration, typedef names kept ("TColor").
QByteArray DeclaredTypeName(const QMetaProperty& property);

// A whole record: signature, class name, object name, properties, empty child list.
void WriteComponent(TStreamWriter& writer, const QObject& object);
// The record without the signature, as a child or list entry without one is written.
void WriteComponentBody(TStreamWriter& writer, const QObject& object);
// The stored properties and the null that ends them.
void WriteComponentProperties(TStreamWriter& writer, const QObject& object);

// A property list up to and including its null. An unknown property or a value of the wrong kind
// raises EStreamError; properties read before it keep their values.
void ReadComponentProperties(TStreamReader& reader, QObject& object);
// A whole record: checks the signature, creates the object of the stored class with the parent, names it
// with the stored name and reads its properties; children in the record are passed over. An unknown class
// or any failure raises EStreamError, and then no object is left behind.
QObject* ReadComponent(TStreamReader& reader, const TClassRegistry& registry, QObject* parent);

// "Component" and the smallest n in 0..1000 that no descendant of the owner but `except` is named;
// empty when every one is taken.
QString UniqueComponentName(const QObject& owner, const QObject* except = nullptr);

// Hands out the names UniqueComponentName gives, one after another, for objects read in a row: the
// owner's descendants are walked once, so naming many objects costs time in proportion to their number.
class TComponentNamer
{
public:
    explicit TComponentNamer(const QObject& owner, const QObject* except = nullptr);
    // The next free name, from then on taken; empty when every one is taken.
    QString Take();
    // How many names have been looked at, over all Takes.
    int Lookups() const { return m_lookups; }

private:
    QSet<QString> m_taken;
    int m_next = 0;
    int m_lookups = 0;
};

// A placed-object list: list tag, one record per object, null.
void WriteComponentList(TStreamWriter& writer, const QList<const QObject*>& objects);

struct TComponentListResult
{
    // The objects read whole, in stream order; they stay with their parent even when the list breaks off.
    QList<QObject*> objects;
    // Why the list broke off; empty when it was read to its end.
    QString error;
    bool Complete() const { return error.isEmpty(); }
};

// Reads a placed-object list into the parent. With an owner, each object is renamed as
// UniqueComponentName names (keeping the stored name when all are taken). Never throws for bad input.
TComponentListResult ReadComponentList(TStreamReader& reader, const TClassRegistry& registry, QObject* parent,
                                       const QObject* owner);
