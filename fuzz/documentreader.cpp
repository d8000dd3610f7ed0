// Feeds arbitrary bytes to the calendar document reader; a document that loads is drawn, saved and read again.
#include "calendar/calendardocument.h"
#include "calendar/calendarpanel32.h"
#include "surface/qgraphiccontrol.h"

#include "fuzzsupport.h"

namespace {

// A placed object with a property of each kind the stream knows, so that object records are read too.
class TFuzzSticker : public TQGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(FontDescription Font READ Font WRITE SetFont)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)

public:
    explicit TFuzzSticker(QWidget* parent = nullptr) : TQGraphicControl(parent) {}
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& v) { m_caption = v; }
    TColor Color() const { return m_color; }
    void SetColor(TColor v) { m_color = v; }
    FontDescription Font() const { return m_font; }
    void SetFont(const FontDescription& v) { m_font = v; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double v) { m_ratio = v; }

private:
    QString m_caption;
    TColor m_color = 0;
    FontDescription m_font;
    double m_ratio = 0;
};

TCalendarPanel32& Page()
{
    static auto* page = [] {
        PlacedObjectClasses().Register<TFuzzSticker>();
        StartFuzzApplication("fuzz_documentreader");
        auto* page = new TCalendarPanel32;
        return page;
    }();
    return *page;
}

void RemovePlacedObjects(TCalendarPanel32& page)
{
    // A copy: deleting a child changes the page's own list.
    const QObjectList children = page.children();
    for (QObject* child : children) {
        if (qobject_cast<TQGraphicControl*>(child))
            delete child;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzInput(data, size);
    TCalendarPanel32& page = Page();
    RemovePlacedObjects(page);
    try {
        ReadDocumentBytes(page, bytes, &page);
    } catch (const EStreamError&) {
        page.RenderToBitmap();
        return 0;
    }
    page.RenderToBitmap();
    // Whatever loads must save and load again.
    const QByteArray saved = DocumentBytes(page);
    RemovePlacedObjects(page);
    try {
        ReadDocumentBytes(page, saved, &page);
    } catch (const EStreamError&) {
        __builtin_trap();
    }
    return 0;
}

#include "documentreader.moc"
