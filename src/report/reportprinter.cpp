#include "reportprinter.h"

#include "cupsqueue.h"
#include "pdfpagelabels.h"

#include "platform/atomicfile.h"
#include "platform/rounding.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPicture>
#include <QPrintDialog>
#include <QScopeGuard>

#include <algorithm>

namespace {

double pointsPerUnit(QPageLayout::Unit unit)
{
    switch (unit) {
    case QPageLayout::Millimeter:
        return 72.0 / 25.4;
    case QPageLayout::Point:
        return 1.0;
    case QPageLayout::Inch:
        return 72.0;
    case QPageLayout::Pica:
        return 12.0;
    case QPageLayout::Didot:
        return 1.065826771;
    case QPageLayout::Cicero:
        return 12.789921252;
    }
    return 1.0;
}

// What a PDF written at high resolution counts per inch, as the printer's PDF output does.
constexpr int kPdfDotsPerInch = 1200;

} // namespace

// The pen is set when a job begins: its width needs the device's resolution.
TReportPrinter::TReportPrinter() = default;

TReportPrinter::~TReportPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

void TReportPrinter::SetOutputFileName(const QString& pdfFile)
{
    m_pdfFile = pdfFile;
    if (!m_printer)
        return;
    if (pdfFile.isEmpty()) {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        m_printer->setOutputFileName(QString());
    } else {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(pdfFile);
    }
}

QString TReportPrinter::OutputFileName() const
{
    return m_printer ? m_printer->outputFileName() : m_pdfFile;
}

void TReportPrinter::SetPrinterName(const QString& name)
{
    m_pdfFile.clear();
    QPrinter& device = printer();
    device.setOutputFormat(QPrinter::NativeFormat);
    device.setPrinterName(name);
    device.setFullPage(true);
}

void TReportPrinter::SetTitle(const QString& title)
{
    m_title = title;
    if (m_printer)
        m_printer->setDocName(title);
}

void TReportPrinter::SetPageLabels(const QStringList& labels)
{
    m_pageLabels = labels;
}

QString TReportPrinter::Title() const
{
    return m_printer ? m_printer->docName() : m_title;
}

void TReportPrinter::SetOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
    if (m_printer)
        m_printer->setPageOrientation(orientation);
}

QPageLayout::Orientation TReportPrinter::Orientation() const
{
    return m_printer ? m_printer->pageLayout().orientation() : m_orientation;
}

void TReportPrinter::SetPaperSize(const QPageSize& size)
{
    m_pageSize = size;
    if (m_printer)
        m_printer->setPageSize(size);
}

void TReportPrinter::SetCopies(int copies)
{
    printer().setCopyCount(std::max(copies, 1));
}

int TReportPrinter::Copies() const
{
    return printer().copyCount();
}

int TReportPrinter::MaxCopies() const
{
    // A PDF file has no copies count: each copy is pages of its own.
    if (!OutputFileName().isEmpty() || !printer().supportsMultipleCopies())
        return 1;
    // The queue may take fewer copies than the toolkit assumes; the server knows.
    const int queue = CupsMaxCopies(printer().printerName());
    return queue > 0 ? queue : 9999;
}

bool TReportPrinter::SetupDialog(QWidget* parent)
{
    QPrintDialog dialog(&printer(), parent);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    printer().setFullPage(true);
    return confirmed;
}

QMarginsF TReportPrinter::UnprintableBorder() const
{
    // The borders belong to the sheet as it lies in the printer. A landscape page is turned a quarter to
    // the left onto it: its top lies along the sheet's left edge, its left along the sheet's bottom.
    QPageLayout sheet = printer().pageLayout();
    const bool landscape = sheet.orientation() == QPageLayout::Landscape;
    sheet.setOrientation(QPageLayout::Portrait);
    const double toInches = pointsPerUnit(sheet.units()) / 72.0;
    const QMarginsF m = sheet.minimumMargins() * toInches;
    return landscape ? QMarginsF(m.bottom(), m.left(), m.top(), m.right()) : m;
}

void TReportPrinter::SetStatusFormat(const QString& format)
{
    m_statusFormat = format;
}

void TReportPrinter::SetOnStatus(std::function<void(const QString&)> show)
{
    m_onStatus = std::move(show);
}

void TReportPrinter::showStatus()
{
    if (m_onStatus)
        m_onStatus(QString(m_statusFormat).replace(QLatin1String("%p"), QString::number(m_page)));
}

bool TReportPrinter::BeginJob()
{
    if (m_painter.isActive())
        return false;
    m_error.clear();
    if (!OutputFileName().isEmpty() && !startPdf())
        return false;
    if (!m_painter.begin(device())) {
        m_error = QStringLiteral("the print job could not be started");
        finishPdf(false);
        return false;
    }
    prepareCanvas();
    showStatus();
    return true;
}

bool TReportPrinter::EndJob()
{
    if (!m_painter.isActive())
        return false;
    m_page = 0;
    const bool native = !m_pdf && printer().outputFormat() == QPrinter::NativeFormat;
    bool ended = m_painter.end();
    if (!ended) {
        m_error = QStringLiteral("the print job could not be finished");
    } else if (native) {
        // The toolkit hands the job to the print server as the painter ends and keeps no word of a
        // refusal (a queue that does not accept jobs): the server's answer to that request tells.
        m_error = CupsLastRequestError();
        ended = m_error.isEmpty();
    }
    return finishPdf(ended) && ended;
}

QString TReportPrinter::ErrorString() const
{
    return m_error;
}

bool TReportPrinter::Printing() const
{
    return m_painter.isActive();
}

bool TReportPrinter::NewPage()
{
    if (!m_painter.isActive() || m_previewing)
        return false;
    // The paper and orientation set since the last page apply from this page on.
    if (m_pdf)
        m_pdf->setPageLayout(pdfLayout());
    if (!(m_pdf ? m_pdf->newPage() : printer().newPage()))
        return false;
    ++m_page;
    showStatus();
    return true;
}

int TReportPrinter::PageNumber() const
{
    return m_page;
}

void TReportPrinter::AbortJob()
{
    if (!m_painter.isActive())
        return;
    if (!m_pdf)
        printer().abort();
    m_painter.end();
    m_page = 0;
    finishPdf(false);
}

bool TReportPrinter::Execute(const std::function<void(TReportPrinter&)>& print)
{
    if (!BeginJob())
        return false;
    try {
        print(*this);
    } catch (...) {
        // A job cut short writes nothing.
        m_painter.end();
        m_page = 0;
        finishPdf(false);
        throw;
    }
    return EndJob();
}

QImage TReportPrinter::PreviewPage(const std::function<void(TReportPrinter&)>& print, double dotsPerInch)
{
    if (m_painter.isActive())
        return QImage();
    const QSizeF paper = pdfLayout().fullRectPoints().size() * (dotsPerInch / 72.0);
    QImage image(qRound(paper.width()), qRound(paper.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The image claims the job's resolution, so that pictures and fonts in points come out as on paper;
    // the painter's scale brings the job's device pixels down to the image's.
    image.setDotsPerMeterX(qRound(XPixelsPerInch() / 0.0254));
    image.setDotsPerMeterY(qRound(YPixelsPerInch() / 0.0254));
    if (!m_painter.begin(&image))
        return QImage();
    m_previewing = true;
    {
        const auto end = qScopeGuard([this] {
            m_painter.end();
            m_previewing = false;
            m_page = 0;
        });
        prepareCanvas();
        m_painter.scale(dotsPerInch / XPixelsPerInch(), dotsPerInch / YPixelsPerInch());
        print(*this);
    }
    return image;
}

void TReportPrinter::prepareCanvas()
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Pictures and textures reach the paper with their exact colours, as on screen (not as JPEG).
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_pen = DefaultPen();
    m_brush = QBrush(Qt::white);
    m_page = 1;
}

double TReportPrinter::XPixelsPerInch() const
{
    return OutputFileName().isEmpty() ? printer().resolution() : kPdfDotsPerInch;
}

double TReportPrinter::YPixelsPerInch() const
{
    return XPixelsPerInch();
}

int TReportPrinter::XInchesToDevice(double inches) const
{
    return RoundHalfEven(inches * XPixelsPerInch());
}

int TReportPrinter::YInchesToDevice(double inches) const
{
    return RoundHalfEven(inches * YPixelsPerInch());
}

QRect TReportPrinter::InchRectToDevice(double left, double top, double right, double bottom) const
{
    const int l = XInchesToDevice(left);
    const int t = YInchesToDevice(top);
    return QRect(l, t, XInchesToDevice(right) - l, YInchesToDevice(bottom) - t);
}

double TReportPrinter::XDeviceToInches(double device) const
{
    return device / XPixelsPerInch();
}

double TReportPrinter::YDeviceToInches(double device) const
{
    return device / YPixelsPerInch();
}

int TReportPrinter::FontPixelSize(int points) const
{
    return std::max(1, RoundHalfEven(points * YPixelsPerInch() / 72.0));
}

DeviceProfile TReportPrinter::PaperProfile() const
{
    DeviceProfile paper = DeviceProfile::Paper(XPixelsPerInch(), YPixelsPerInch());
    paper.metricsDevice = device();
    return paper;
}

QPen TReportPrinter::DefaultPen() const
{
    return PaperProfile().LinePen();
}

void TReportPrinter::SetPen(const QPen& pen)
{
    m_pen = pen;
}

QPen TReportPrinter::Pen() const
{
    return m_pen;
}

void TReportPrinter::SetBrush(const QBrush& brush)
{
    m_brush = brush;
}

QBrush TReportPrinter::Brush() const
{
    return m_brush;
}

void TReportPrinter::SetFont(const QFont& font, const QColor& color)
{
    m_font = font;
    m_fontColor = color;
}

QFont TReportPrinter::Font() const
{
    return m_font;
}

void TReportPrinter::FillRect(const QRect& r)
{
    if (m_painter.isActive())
        m_painter.fillRect(r, m_brush);
}

void TReportPrinter::Line(int x1, int y1, int x2, int y2)
{
    if (!m_painter.isActive())
        return;
    m_painter.setPen(m_pen);
    m_painter.drawLine(x1, y1, x2, y2);
}

double TReportPrinter::TextWidth(const QString& text) const
{
    return QFontMetricsF(m_font, device()).horizontalAdvance(text);
}

double TReportPrinter::TextAscent() const
{
    return QFontMetricsF(m_font, device()).ascent();
}

double TReportPrinter::TextHeight() const
{
    const QFontMetricsF m(m_font, device());
    return m.ascent() + m.descent();
}

void TReportPrinter::TextAtBaseline(double x, double y, const QString& text)
{
    if (!m_painter.isActive())
        return;
    m_painter.setFont(m_font);
    m_painter.setPen(m_fontColor);
    m_painter.drawText(QPointF(x, y), text);
}

void TReportPrinter::StretchPicture(const QPicture& picture, double left, double top, double right, double bottom)
{
    StretchPictureToDevice(picture, InchRectToDevice(left, top, right, bottom));
}

void TReportPrinter::StretchPictureToDevice(const QPicture& picture, const QRect& target)
{
    const QRect source = picture.boundingRect();
    if (!m_painter.isActive() || source.isEmpty() || target.isEmpty())
        return;
    // Playing a picture scales it by the device's resolution over the picture's own; undo that so the
    // picture's bounding rectangle covers exactly the target.
    const double sx = double(picture.logicalDpiX()) / m_painter.device()->logicalDpiX();
    const double sy = double(picture.logicalDpiY()) / m_painter.device()->logicalDpiY();
    m_painter.save();
    m_painter.translate(target.left(), target.top());
    m_painter.scale(sx * target.width() / source.width(), sy * target.height() / source.height());
    m_painter.translate(-source.left(), -source.top());
    m_painter.drawPicture(0, 0, picture);
    m_painter.restore();
}

QPainter& TReportPrinter::Canvas()
{
    return m_painter;
}

QPrinter& TReportPrinter::Printer()
{
    return printer();
}

QPrinter& TReportPrinter::printer() const
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Inches count from the paper's corner, not from the printable area.
        m_printer->setFullPage(true);
        if (!m_pdfFile.isEmpty()) {
            m_printer->setOutputFormat(QPrinter::PdfFormat);
            m_printer->setOutputFileName(m_pdfFile);
        }
        m_printer->setDocName(m_title);
        if (m_pageSize)
            m_printer->setPageSize(*m_pageSize);
        m_printer->setPageOrientation(m_orientation);
    }
    return *m_printer;
}

QPaintDevice* TReportPrinter::device() const
{
    if (m_pdf)
        return m_pdf.get();
    return &printer();
}

// The PDF is drawn in memory and written out at the end, so a full disk or any write error leaves the
// previous file as it was. The temporary file is made first: a folder that cannot take it fails the
// job before anything is drawn.
bool TReportPrinter::startPdf()
{
    m_file = std::make_unique<TAtomicFile>(OutputFileName());
    if (!m_file->Open()) {
        m_error = m_file->ErrorString();
        m_file.reset();
        return false;
    }
    m_pdfBytes = std::make_unique<QBuffer>();
    m_pdfBytes->open(QIODevice::WriteOnly);
    m_pdf = std::make_unique<QPdfWriter>(m_pdfBytes.get());
    m_pdf->setResolution(int(XPixelsPerInch()));
    m_pdf->setTitle(Title());
    m_pdf->setCreator(m_printer ? m_printer->creator() : QString());
    m_pdf->setPageLayout(pdfLayout());
    return true;
}

QPageLayout TReportPrinter::pdfLayout() const
{
    const QPageSize paper = m_printer || !m_pageSize ? printer().pageLayout().pageSize() : *m_pageSize;
    // Inches count from the paper's corner, as on the printer.
    return QPageLayout(paper, Orientation(), QMarginsF());
}

bool TReportPrinter::finishPdf(bool keep)
{
    if (!m_file)
        return true;
    m_pdf.reset();
    bool written = false;
    if (keep) {
        written = m_file->Write(WithPdfPageLabels(m_pdfBytes->data(), m_pageLabels)) && m_file->Commit();
        if (!written)
            m_error = m_file->ErrorString();
    }
    m_pdfBytes.reset();
    m_file.reset();
    return written;
}
