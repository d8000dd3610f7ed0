// Feeds arbitrary bytes to the calendar document reader; a document that loads is drawn, saved and read again.
#include "document/calendardocument.h"
#include "document/qgraphiccontrol.h"
#include "render/calendarpage.h"

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
    explicit TFuzzSticker(QObject* parent = nullptr) : TQGraphicControl(parent) {}
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

TCalendarPage& Page()
{
    static auto* page = [] {
        PlacedObjectClasses().Register<TFuzzSticker>();
        StartFuzzApplication("fuzz_documentreader");
        return new TCalendarPage;
    }();
    return *page;
}

void RemovePlacedObjects(TCalendarPage& page)
{
    qDeleteAll(page.Objects());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzInput(data, size);
    TCalendarPage& page = Page();
    RemovePlacedObjects(page);
    try {
        ReadDocumentBytes(page, bytes, page.ObjectParent());
    } catch (const EStreamError&) {
        page.RenderAt(1.0f);
        return 0;
    }
    page.RenderAt(1.0f);
    // Whatever loads must save and load again.
    const QByteArray saved = DocumentBytes(page);
    RemovePlacedObjects(page);
    try {
        ReadDocumentBytes(page, saved, page.ObjectParent());
    } catch (const EStreamError&) {
        __builtin_trap();
    }
    return 0;
}

#include "documentreader.moc"
