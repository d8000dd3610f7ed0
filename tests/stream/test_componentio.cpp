#include "stream/componentio.h"
#include "stream/namedcursors.h"
#include "support/testsupport.h"

#include "platform/colorvalue.h"
#include "platform/fontdescription.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A value object kept by a shape, stored as "Frame.<property>" entries.
class TTestFrame : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("binary:Data", "Payload")
    Q_PROPERTY(int Thickness READ Thickness WRITE SetThickness)
    Q_PROPERTY(QByteArray Payload READ Payload WRITE SetPayload STORED false)

public:
    int Thickness() const { return m_thickness; }
    void SetThickness(int v) { m_thickness = v; }
    QByteArray Payload() const { return m_payload; }
    void SetPayload(const QByteArray& v) { m_payload = v; }

private:
    int m_thickness = 1;
    QByteArray m_payload;
};

class TTestShape : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("default:Alignment", "taLeftJustify")
    Q_CLASSINFO("default:Cursor", "crDefault")
    Q_CLASSINFO("default:Tag", "0")
    Q_CLASSINFO("default:Options", "")
    Q_CLASSINFO("default:Ratio", "1.5")
    Q_CLASSINFO("binary:RtfText.Data", "RtfData")
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(float Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(FontDescription Font READ Font WRITE SetFont)
    Q_PROPERTY(TTestFrame* Frame READ Frame)
    Q_PROPERTY(QByteArray RtfData READ RtfData WRITE SetRtfData STORED false)
    Q_PROPERTY(int Computed READ Left)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TOption { opShadow = 1, opOutline = 2, opGlow = 4, opAll = 7 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

    explicit TTestShape(QObject* parent = nullptr) : QObject(parent) {}

    int Left() const { return m_left; }
    void SetLeft(int v) { m_left = v; }
    int Tag() const { return m_tag; }
    void SetTag(int v) { m_tag = v; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor v) { m_cursor = v; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment v) { m_alignment = v; }
    TOptions Options() const { return m_options; }
    void SetOptions(TOptions v) { m_options = v; }
    TColor Color() const { return m_color; }
    void SetColor(TColor v) { m_color = v; }
    bool Locked() const { return m_locked; }
    void SetLocked(bool v) { m_locked = v; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double v) { m_ratio = v; }
    float Angle() const { return m_angle; }
    void SetAngle(float v) { m_angle = v; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v) { m_caption = v; }
    FontDescription Font() const { return m_font; }
    void SetFont(const FontDescription& v) { m_font = v; }
    TTestFrame* Frame() const { return m_frame; }
    void SetFrame(TTestFrame* frame) { m_frame = frame; }
    QByteArray RtfData() const { return m_rtf; }
    void SetRtfData(const QByteArray& v) { m_rtf = v; }

    Q_INVOKABLE void Loading() { loadingCalls++; }
    Q_INVOKABLE void Loaded() { loadedCalls++; }
    int loadingCalls = 0;
    int loadedCalls = 0;

private:
    int m_left = 0;
    int m_tag = 0;
    TCursor m_cursor = 0;
    TAlignment m_alignment = taLeftJustify;
    TOptions m_options;
    TColor m_color = clBlack;
    bool m_locked = false;
    double m_ratio = 1.5;
    float m_angle = 0;
    QString m_caption;
    FontDescription m_font{QStringLiteral("Arial"), 10, 0, clBlack};
    TTestFrame* m_frame = nullptr;
    QByteArray m_rtf;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TTestShape::TOptions)

// A derived class: its own properties follow the base's, and it declares its own default for Tag.
class TTestBadge : public TTestShape
{
    Q_OBJECT
    Q_CLASSINFO("default:Tag", "7")
    Q_PROPERTY(int Depth READ Depth WRITE SetDepth)

public:
    explicit TTestBadge(QObject* parent = nullptr) : TTestShape(parent) {}
    int Depth() const { return m_depth; }
    void SetDepth(int v) { m_depth = v; }

private:
    int m_depth = 0;
};

// A kind whose C++ name changed while its files keep the old one, and a kind derived from it.
class TTestShapeRenamed : public TTestShape
{
    Q_OBJECT
    Q_CLASSINFO("StoredName", "TOldShape")

public:
    using TTestShape::TTestShape;
};

class TTestShapeDerived : public TTestShapeRenamed
{
    Q_OBJECT

public:
    using TTestShapeRenamed::TTestShapeRenamed;
};

class TTestPlaced : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)

public:
    explicit TTestPlaced(QWidget* parent = nullptr) : QWidget(parent) {}
    int Left() const { return x(); }
    void SetLeft(int v) { move(v, y()); }
};

namespace {

QByteArray Short(const char* text)
{
    const QByteArray bytes(text);
    return Bytes({int(bytes.size())}) + bytes;
}

QByteArray Ident(const char* text)
{
    return Bytes({7}) + Short(text);
}

// The bytes a font property of Arial 10 pt, black, no style takes under the name "Font".
QByteArray DefaultFontEntries()
{
    return Short("Font.Charset") + Ident("DEFAULT_CHARSET") + Short("Font.Color") + Ident("clBlack") +
           Short("Font.Height") + Bytes({2, -13}) + Short("Font.Name") + Bytes({6}) + Short("Arial") +
           Short("Font.Style") + Bytes({11, 0});
}

QByteArray Record(const char* className, const char* name, const QByteArray& properties)
{
    return QByteArray("TPF0") + Short(className) + Short(name) + properties + Bytes({0, 0});
}

} // namespace

TEST(ComponentWrite, DefaultsAreLeftOutAndOrdinalsWithoutDefaultsAreAlwaysWritten)
{
    TTestShape shape;
    shape.setObjectName(QStringLiteral("Shape1"));
    TStreamWriter writer;
    WriteComponent(writer, shape);
    // Left and Locked have no declared default; Tag, Cursor, Alignment, Options, Ratio are at theirs;
    // Angle is 0, Caption empty, Frame unassigned, RtfData empty.
    const QByteArray expected = Record("TTestShape", "Shape1",
                                       Short("Left") + Bytes({2, 0}) + Short("Color") + Ident("clBlack") +
                                           Short("Locked") + Bytes({8}) + DefaultFontEntries());
    EXPECT_EQ(writer.Data(), expected);
}

TEST(ComponentWrite, EveryKindIsEncodedAsTheTableSays)
{
    TTestShape shape;
    TTestFrame frame;
    frame.SetThickness(300);
    frame.SetPayload(QByteArray("xy"));
    shape.SetFrame(&frame);
    shape.SetLeft(-200);
    shape.SetTag(70000);
    shape.SetCursor(-21);
    shape.SetAlignment(TTestShape::taCenter);
    shape.SetOptions(TTestShape::opGlow | TTestShape::opShadow);
    shape.SetColor(RGBValue(1, 2, 3));
    shape.SetLocked(true);
    shape.SetRatio(0.0);
    shape.SetAngle(90.0f);
    shape.SetCaption(QStringLiteral("Hi"));
    shape.SetFont({QStringLiteral("Times New Roman"), 26, fsBold | fsStrikeOut, clWhite});
    shape.SetRtfData(QByteArray("{\\rtf1}"));
    TStreamWriter writer;
    WriteComponentProperties(writer, shape);

    QByteArray angle = Bytes({5});
    angle += Bytes({0, 0, 0, 0, 0, 0, 0, 0xB4, 0x05, 0x40}); // 90 as an 80-bit extended float
    const QByteArray expected =
        Short("Left") + Bytes({3, 0x38, 0xFF}) + Short("Tag") + Bytes({4, 0x70, 0x11, 0x01, 0x00}) + Short("Cursor") +
        Ident("crHandPoint") + Short("Alignment") + Ident("taCenter") + Short("Options") + Bytes({11}) +
        Short("opShadow") + Short("opGlow") + Bytes({0}) + Short("Color") + Bytes({4, 1, 2, 3, 0}) + Short("Locked") +
        Bytes({9}) + Short("Angle") + angle + Short("Caption") + Bytes({6}) + Short("Hi") + Short("Font.Charset") +
        Ident("DEFAULT_CHARSET") + Short("Font.Color") + Ident("clWhite") + Short("Font.Height") + Bytes({2, -35}) +
        Short("Font.Name") + Bytes({6}) + Short("Times New Roman") + Short("Font.Style") + Bytes({11}) +
        Short("fsBold") + Short("fsStrikeOut") + Bytes({0}) + Short("Frame.Thickness") + Bytes({3, 0x2C, 0x01}) +
        Short("Frame.Data") + Bytes({10, 2, 0, 0, 0}) + "xy" + Short("RtfText.Data") + Bytes({10, 7, 0, 0, 0}) +
        "{\\rtf1}" + Bytes({0});
    EXPECT_EQ(writer.Data(), expected);
}

TEST(ComponentWrite, BaseClassPropertiesComeFirstAndDerivedDefaultsWin)
{
    const QList<QMetaProperty> properties = StreamProperties(TTestBadge::staticMetaObject);
    QStringList names;
    for (const QMetaProperty& property : properties)
        names.append(QString::fromLatin1(property.name()));
    EXPECT_EQ(names.first(), QStringLiteral("Left"));
    EXPECT_EQ(names.last(), QStringLiteral("Depth"));
    EXPECT_FALSE(names.contains(QStringLiteral("objectName")));
    EXPECT_FALSE(names.contains(QStringLiteral("RtfData")));
    EXPECT_FALSE(names.contains(QStringLiteral("Computed")));

    TTestBadge badge;
    badge.SetTag(7);
    TStreamWriter writer;
    WriteComponentProperties(writer, badge);
    EXPECT_FALSE(writer.Data().contains(QByteArray("\x03Tag")));
    badge.SetTag(0);
    TStreamWriter second;
    WriteComponentProperties(second, badge);
    EXPECT_TRUE(second.Data().contains(Short("Tag") + Bytes({2, 0})));
}

TEST(ComponentWrite, ColourAndCursorPropertiesKeepTheirDeclaredTypeNames)
{
    const QMetaObject& meta = TTestShape::staticMetaObject;
    EXPECT_EQ(DeclaredTypeName(meta.property(meta.indexOfProperty("Color"))), QByteArray("TColor"));
    EXPECT_EQ(DeclaredTypeName(meta.property(meta.indexOfProperty("Cursor"))), QByteArray("TCursor"));
    EXPECT_EQ(DeclaredTypeName(meta.property(meta.indexOfProperty("Left"))), QByteArray("int"));
    EXPECT_EQ(DeclaredTypeName(meta.property(meta.indexOfProperty("Font"))), QByteArray("FontDescription"));
}

TEST(ComponentRead, HandBuiltPropertiesOfEveryKind)
{
    TTestShape shape;
    TTestFrame frame;
    shape.SetFrame(&frame);
    const QByteArray bytes =
        Short("Left") + Bytes({3, 0x2C, 0x01}) + Short("Cursor") + Ident("crSize") + Short("Alignment") +
        Ident("taRightJustify") + Short("Options") + Bytes({11}) + Short("opOutline") + Short("opSparkle") +
        Short("opShadow") + Bytes({0}) + Short("Color") + Bytes({4, 0xFF, 0xFF, 0xFF, 0}) + Short("Locked") +
        Bytes({9}) + Short("Ratio") + Bytes({2, 3}) + Short("Caption") + Bytes({12, 3, 0, 0, 0}) + "abc" +
        Short("Font.Charset") + Ident("SYMBOL_CHARSET") + Short("Font.Color") + Ident("clRed") + Short("Font.Height") +
        Bytes({2, -16}) + Short("Font.Name") + Bytes({6}) + Short("Wingdings") + Short("Font.Pitch") +
        Ident("fpVariable") + Short("Font.Style") + Bytes({11}) + Short("fsItalic") + Short("fsDouble") + Bytes({0}) +
        Short("Frame.Thickness") + Bytes({2, 4}) + Short("Frame.Data") + Bytes({10, 1, 0, 0, 0, 'z'}) +
        Short("RtfText.Data") + Bytes({10, 1, 0, 0, 0, 'r'}) + Bytes({0});
    TStreamReader reader(bytes);
    ReadComponentProperties(reader, shape);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(shape.Left(), 300);
    EXPECT_EQ(shape.Cursor(), -22);
    EXPECT_EQ(shape.Alignment(), TTestShape::taRightJustify);
    EXPECT_EQ(shape.Options(), TTestShape::opOutline | TTestShape::opShadow);
    EXPECT_EQ(shape.Color(), clWhite);
    EXPECT_TRUE(shape.Locked());
    EXPECT_EQ(shape.Ratio(), 3.0);
    EXPECT_EQ(shape.Caption(), QStringLiteral("abc"));
    EXPECT_EQ(shape.Font(), (FontDescription{QStringLiteral("Wingdings"), 12, fsItalic, 0x0000FF}));
    EXPECT_EQ(frame.Thickness(), 4);
    EXPECT_EQ(frame.Payload(), QByteArray("z"));
    EXPECT_EQ(shape.RtfData(), QByteArray("r"));
}

TEST(ComponentRead, ColoursAsIdentsOrIntegersAndFontSizeInPoints)
{
    TTestShape shape;
    TStreamReader reader(Short("Color") + Ident("clWhite") + Short("Font.Size") + Bytes({2, 9}) + Bytes({0}));
    ReadComponentProperties(reader, shape);
    EXPECT_EQ(shape.Color(), 0xFFFFFF);
    EXPECT_EQ(shape.Font().size, 9);
    TStreamReader integer(Short("Color") + Bytes({4, 0x0F, 0, 0, 0x80}) + Bytes({0}));
    ReadComponentProperties(integer, shape);
    EXPECT_EQ(shape.Color(), static_cast<TColor>(0x8000000F));
}

TEST(ComponentRead, EveryFontSizeSurvivesItsPixelHeight)
{
    TTestShape shape;
    for (int points = 1; points <= 400; ++points) {
        shape.SetFont({QStringLiteral("Arial"), points, 0, clBlack});
        TStreamWriter writer;
        WriteComponentProperties(writer, shape);
        TTestShape copy;
        TStreamReader reader(writer.Data());
        ReadComponentProperties(reader, copy);
        ASSERT_EQ(copy.Font().size, points);
    }
}

TEST(ComponentRead, UnknownPropertiesAndWrongValuesFail)
{
    TTestShape shape;
    TStreamReader unknown(Short("Width") + Bytes({2, 1, 0}));
    EXPECT_THROW(ReadComponentProperties(unknown, shape), EStreamError);
    TStreamReader notStored(Short("RtfData") + Bytes({10, 0, 0, 0, 0, 0}));
    EXPECT_THROW(ReadComponentProperties(notStored, shape), EStreamError);
    TStreamReader badEnum(Short("Alignment") + Ident("taNowhere") + Bytes({0}));
    EXPECT_THROW(ReadComponentProperties(badEnum, shape), EStreamError);
    TStreamReader stringForInteger(Short("Left") + Bytes({6, 1, '5', 0}));
    EXPECT_THROW(ReadComponentProperties(stringForInteger, shape), EStreamError);
    TStreamReader fontWithoutPart(Short("Font") + Bytes({2, 1, 0}));
    EXPECT_THROW(ReadComponentProperties(fontWithoutPart, shape), EStreamError);
    TStreamReader unassignedObject(Short("Frame.Thickness") + Bytes({2, 1, 0}));
    EXPECT_THROW(ReadComponentProperties(unassignedObject, shape), EStreamError);
    TStreamReader truncated(Short("Left") + Bytes({3, 1}));
    EXPECT_THROW(ReadComponentProperties(truncated, shape), EStreamError);
}

TEST(ComponentRead, RecordsAreCreatedThroughTheRegistry)
{
    TClassRegistry registry;
    registry.Register<TTestShape>();
    QObject parent;
    TStreamReader reader(Record("ttestshape", "Shape9", Short("Left") + Bytes({2, 5})));
    QObject* object = ReadComponent(reader, registry, &parent);
    auto* shape = qobject_cast<TTestShape*>(object);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->parent(), &parent);
    EXPECT_EQ(shape->objectName(), QStringLiteral("Shape9"));
    EXPECT_EQ(shape->Left(), 5);
    EXPECT_EQ(shape->loadingCalls, 1);
    EXPECT_EQ(shape->loadedCalls, 1);
}

TEST(ComponentRead, UnknownClassesAndBrokenRecordsLeaveNoObjectBehind)
{
    TClassRegistry registry;
    registry.Register<TTestShape>();
    QObject parent;
    TStreamReader unknown(Record("TNoSuchThing", "", QByteArray()));
    EXPECT_THROW(ReadComponent(unknown, registry, &parent), EStreamError);
    TStreamReader broken(Record("TTestShape", "", Short("Bogus") + Bytes({2, 5})));
    EXPECT_THROW(ReadComponent(broken, registry, &parent), EStreamError);
    TStreamReader badSignature(QByteArray("TPF1") + Short("TTestShape") + Bytes({0, 0, 0}));
    EXPECT_THROW(ReadComponent(badSignature, registry, &parent), EStreamError);
    EXPECT_TRUE(parent.children().isEmpty());
}

TEST(ClassRegistry, KindsAreWrittenAndReadUnderTheirStoredName)
{
    TClassRegistry registry;
    registry.Register<TTestShapeRenamed>();
    registry.Register<TTestShapeDerived>();
    TTestShapeRenamed renamed;
    TTestShapeDerived derived;
    QObject parent;
    for (QObject* object : {static_cast<QObject*>(&renamed), static_cast<QObject*>(&derived)}) {
        TStreamWriter writer;
        WriteComponent(writer, *object);
        TStreamReader reader(writer.Data());
        std::unique_ptr<QObject> read(ReadComponent(reader, registry, &parent));
        ASSERT_NE(read, nullptr);
        EXPECT_STREQ(read->metaObject()->className(), object->metaObject()->className());
    }
    EXPECT_EQ(StoredClassName(TTestShapeRenamed::staticMetaObject), QStringLiteral("TOldShape"));
    // A derived kind does not take its base's stored name.
    EXPECT_EQ(StoredClassName(TTestShapeDerived::staticMetaObject), QStringLiteral("TTestShapeDerived"));
}

TEST(ClassRegistry, WidgetClassesAreCreatedWithTheirParentWidget)
{
    TClassRegistry registry;
    registry.Register<TTestPlaced>();
    EXPECT_TRUE(registry.IsRegistered(QStringLiteral("TTestPlaced")));
    EXPECT_TRUE(registry.IsRegistered(QStringLiteral("TTESTPLACED")));
    EXPECT_FALSE(registry.IsRegistered(QStringLiteral("TTestShape")));
    QWidget page;
    QObject* created = registry.Create(QStringLiteral("TTestPlaced"), &page);
    ASSERT_NE(qobject_cast<TTestPlaced*>(created), nullptr);
    EXPECT_EQ(static_cast<QWidget*>(created)->parentWidget(), &page);
    QObject notAWidget;
    EXPECT_EQ(registry.Create(QStringLiteral("TTestPlaced"), &notAWidget), nullptr);
    EXPECT_EQ(registry.Create(QStringLiteral("TNothing"), &page), nullptr);
    EXPECT_EQ(registry.ClassNames(), QStringList{QStringLiteral("TTestPlaced")});
}

TEST(ComponentList, ObjectsAreRenamedWithTheSmallestFreeComponentNumber)
{
    TClassRegistry registry;
    registry.Register<TTestPlaced>();
    QWidget owner;
    auto* page = new QWidget(&owner);
    (new QObject(&owner))->setObjectName(QStringLiteral("Component0"));
    (new QObject(page))->setObjectName(QStringLiteral("Component2"));

    TTestPlaced first;
    first.setObjectName(QStringLiteral("Component0"));
    first.SetLeft(10);
    TTestPlaced second;
    second.setObjectName(QStringLiteral("Label"));
    second.SetLeft(20);
    TStreamWriter writer;
    WriteComponentList(writer, {&first, &second});
    EXPECT_EQ(writer.Data().left(1), Bytes({1}));
    EXPECT_EQ(writer.Data().right(1), Bytes({0}));

    TStreamReader reader(writer.Data());
    const TComponentListResult result = ReadComponentList(reader, registry, page, &owner);
    EXPECT_TRUE(result.Complete());
    ASSERT_EQ(result.objects.size(), 2);
    EXPECT_EQ(result.objects[0]->objectName(), QStringLiteral("Component1"));
    EXPECT_EQ(result.objects[1]->objectName(), QStringLiteral("Component3"));
    EXPECT_EQ(static_cast<TTestPlaced*>(result.objects[1])->Left(), 20);
    EXPECT_EQ(result.objects[1]->parent(), page);
}

TEST(ComponentList, ABrokenListKeepsTheObjectsReadBeforeIt)
{
    TClassRegistry registry;
    registry.Register<TTestPlaced>();
    QWidget page;
    const QByteArray bytes = Bytes({1}) + Record("TTestPlaced", "A", Short("Left") + Bytes({2, 1})) +
                             Record("TTestPlaced", "B", Short("Left") + Bytes({2, 2})) +
                             Record("TUnknownKind", "C", QByteArray()) + Bytes({0});
    TStreamReader reader(bytes);
    const TComponentListResult result = ReadComponentList(reader, registry, &page, nullptr);
    EXPECT_FALSE(result.Complete());
    ASSERT_EQ(result.objects.size(), 2);
    EXPECT_EQ(result.objects[1]->objectName(), QStringLiteral("B"));
    EXPECT_EQ(page.children().size(), 2);
}

TEST(ComponentList, EmptyListIsTwoBytes)
{
    TStreamWriter writer;
    WriteComponentList(writer, {});
    EXPECT_EQ(writer.Data(), Bytes({1, 0}));
}

TEST(ComponentList, UniqueNamesRunOutAfterAThousand)
{
    QObject owner;
    for (int n = 0; n <= 1000; ++n)
        (new QObject(&owner))->setObjectName(QStringLiteral("Component%1").arg(n));
    EXPECT_EQ(UniqueComponentName(owner), QString());
    QObject* last = owner.children().last();
    EXPECT_EQ(UniqueComponentName(owner, last), QStringLiteral("Component1000"));
}

TEST(ComponentList, NamingManyObjectsLooksAtEachNumberOnce)
{
    QObject owner;
    for (int n = 0; n < 3000; ++n)
        new QObject(&owner);
    owner.children()[10]->setObjectName(QStringLiteral("Component0"));
    owner.children()[20]->setObjectName(QStringLiteral("Component5"));
    TComponentNamer namer(owner);
    QStringList names;
    for (int n = 0; n < 3000; ++n)
        names.append(namer.Take());
    EXPECT_EQ(names.mid(0, 5),
              QStringList({QStringLiteral("Component1"), QStringLiteral("Component2"), QStringLiteral("Component3"),
                           QStringLiteral("Component4"), QStringLiteral("Component6")}));
    EXPECT_EQ(names[998], QStringLiteral("Component1000"));
    EXPECT_EQ(names.mid(999), QStringList(3000 - 999, QString()));
    // Linear in the objects named: no number is looked at twice.
    EXPECT_EQ(namer.Lookups(), 1001);
}

#include "test_componentio.moc"
