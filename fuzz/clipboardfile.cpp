// Feeds arbitrary bytes to the object clipboard file a paste reads; whatever pastes must copy and paste
// again as the same objects.
#include "document/qgraphiccontrol.h"
#include "editor/qbasepanel.h"
#include "editor/qhandle.h"

#include "stream/classregistry.h"

#include "fuzzsupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A placed object with a property of each kind the stream knows, so that its records are read too.
class TFuzzTag : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(FontDescription Font READ Font WRITE SetFont)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(TTagShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(TTagEdges Edges READ Edges WRITE SetEdges)
    Q_PROPERTY(QByteArray Picture READ Picture WRITE SetPicture STORED false)
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Shape", "tsBox")
    Q_CLASSINFO("binary:Picture.Data", "Picture")

public:
    enum TTagShape { tsBox, tsRound, tsOval };
    Q_ENUM(TTagShape)
    enum TTagEdge { teLeft = 1, teTop = 2, teRight = 4, teBottom = 8 };
    Q_DECLARE_FLAGS(TTagEdges, TTagEdge)
    Q_FLAG(TTagEdges)

    explicit TFuzzTag(QObject* parent = nullptr) : TQGraphicControl(parent) {}
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v) { m_caption = v; }
    TColor Color() const { return m_color; }
    void SetColor(TColor v) { m_color = v; }
    FontDescription Font() const { return m_font; }
    void SetFont(const FontDescription& v) { m_font = v; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double v) { m_ratio = v; }
    TTagShape Shape() const { return m_shape; }
    void SetShape(TTagShape v) { m_shape = v; }
    TTagEdges Edges() const { return m_edges; }
    void SetEdges(TTagEdges v) { m_edges = v; }
    QByteArray Picture() const { return m_picture; }
    void SetPicture(const QByteArray& v) { m_picture = v; }

private:
    QString m_caption;
    TColor m_color = clWhite;
    FontDescription m_font;
    double m_ratio = 0;
    TTagShape m_shape = tsBox;
    TTagEdges m_edges;
    QByteArray m_picture;
};

TQBasePanel& Surface()
{
    static QTemporaryDir folder;
    static TQBasePanel* surface = [] {
        TQBasePanel::ObjectClasses().Register<TFuzzTag>();
        // Pasting is the page view's work: this one target needs widgets.
        static char name[] = "fuzz_clipboardfile";
        static char* argv[] = {name, nullptr};
        static int argc = 1;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        auto* s = new TQBasePanel;
        s->resize(600, 400);
        s->SetClipboardFile(folder.filePath(QStringLiteral("Clipbrd.tmp")));
        return s;
    }();
    return *surface;
}

bool WriteClipboard(const TQBasePanel& surface, const QByteArray& bytes)
{
    QFile file(surface.ClipboardFile());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void Paste(TQBasePanel& surface)
{
    surface.ClearObjects();
    surface.ForgetLastPaste();
    surface.SelectionClipboard(ccPaste);
}

struct TPasted
{
    QByteArray className;
    QSize size;
    bool operator==(const TPasted&) const = default;
};

QList<TPasted> Selectable(const TQBasePanel& surface)
{
    QList<TPasted> objects;
    for (const TQGraphicControl* object : surface.PlacedObjects()) {
        if (!object->Unselectable())
            objects.append({object->metaObject()->className(), object->size()});
    }
    return objects;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzInput(data, size);
    TQBasePanel& surface = Surface();
    if (!WriteClipboard(surface, bytes))
        return 0;
    Paste(surface);

    // Copy every selectable object the paste gave and paste the copy: the same kinds and sizes come back.
    const QList<TPasted> first = Selectable(surface);
    if (first.isEmpty())
        return 0;
    for (TQGraphicControl* object : surface.PlacedObjects())
        surface.SelectionHandle()->Select(object);
    surface.SelectionClipboard(ccCopy);
    Paste(surface);
    if (Selectable(surface) != first)
        __builtin_trap();
    surface.ClearObjects();
    return 0;
}

#include "clipboardfile.moc"
