// A print job on the system printer (through CUPS) or into a PDF file, drawn in device pixels with
// positions given in inches from the paper's top-left corner.
#pragma once

#include "platform/deviceprofile.h"

#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QBuffer;
class QPdfWriter;
class QPicture;
class QWidget;
class TAtomicFile;

class TReportPrinter
{
public:
    TReportPrinter();
    ~TReportPrinter();
    TReportPrinter(const TReportPrinter&) = delete;
    TReportPrinter& operator=(const TReportPrinter&) = delete;

    // Where the job goes: an empty name is the printer chosen in SetupDialog (or the default one). A PDF
    // file is replaced only when the whole job has been written.
    void SetOutputFileName(const QString& pdfFile);
    QString OutputFileName() const;
    // The print queue the job goes to; empty is the default one.
    void SetPrinterName(const QString& name);
    void SetTitle(const QString& title);
    // What a viewer calls each page of a PDF file, from the first; none by default.
    void SetPageLabels(const QStringList& labels);
    QString Title() const;
    void SetOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation Orientation() const;
    void SetPaperSize(const QPageSize& size);
    void SetCopies(int copies); // below 1 counts as 1
    int Copies() const;
    // How many copies the driver makes by itself; 1 when the program must repeat the page.
    int MaxCopies() const;
    // The system's printer dialog; keeps the chosen printer and settings. True when confirmed.
    bool SetupDialog(QWidget* parent);

    // The paper's unprintable border on each side, in inches.
    QMarginsF UnprintableBorder() const;

    // The status shown as each page of a job begins: the format with %p replaced by the page number.
    void SetStatusFormat(const QString& format);
    void SetOnStatus(std::function<void(const QString& status)> show);

    bool BeginJob();
    // Ends the job; false when it could not be written or the print server did not accept it.
    bool EndJob();
    // Why the last job could not start or be written.
    QString ErrorString() const;
    bool Printing() const;
    // Starts the next page on the paper and in the orientation set last.
    bool NewPage();
    // Ends the job without writing or sending it: a PDF file stays as it was.
    void AbortJob();
    int PageNumber() const;
    // BeginJob, the callback with this report, EndJob. False when the job could not start or end.
    bool Execute(const std::function<void(TReportPrinter&)>& print);
    // The first page the callback draws, drawn as for the job (its paper, orientation, resolution and
    // text measures) onto an image of `dotsPerInch` instead: what the paper will show. Nothing is sent or
    // written; a null image when a job is open.
    QImage PreviewPage(const std::function<void(TReportPrinter&)>& print, double dotsPerInch);

    // Device resolution of the job: the printer's, or 1200 per inch for a PDF file.
    double XPixelsPerInch() const;
    double YPixelsPerInch() const;
    int XInchesToDevice(double inches) const;
    int YInchesToDevice(double inches) const;
    QRect InchRectToDevice(double left, double top, double right, double bottom) const;
    double XDeviceToInches(double device) const;
    double YDeviceToInches(double device) const;
    // Pixel size of a font of this many points on the device (halves to even), at least 1.
    int FontPixelSize(int points) const;

    // Paper at the job's resolution, measuring text on the job's device: what drawing routines take.
    DeviceProfile PaperProfile() const;
    // One screen pixel on paper: the pen the page's lines are drawn with by default.
    QPen DefaultPen() const;
    void SetPen(const QPen& pen);
    QPen Pen() const;
    void SetBrush(const QBrush& brush);
    QBrush Brush() const;
    void SetFont(const QFont& font, const QColor& color);
    QFont Font() const;

    // Device units: right and bottom just outside the area, as TRect has them.
    void FillRect(const QRect& r);
    void Line(int x1, int y1, int x2, int y2);
    double TextWidth(const QString& text) const;
    double TextAscent() const;
    // Line height of the current font: ascent plus descent.
    double TextHeight() const;
    void TextAtBaseline(double x, double y, const QString& text);
    // The picture's bounding rectangle stretched onto an inch rectangle.
    void StretchPicture(const QPicture& picture, double left, double top, double right, double bottom);
    void StretchPictureToDevice(const QPicture& picture, const QRect& target);

    // The open job's painter, for what the operations above do not cover (paths, clipping).
    QPainter& Canvas();
    QPrinter& Printer();

private:
    // The system printer, made when first asked for: a PDF job never loads the print service.
    QPrinter& printer() const;
    // What the job paints on: the PDF being written, else the printer.
    QPaintDevice* device() const;
    bool startPdf();
    // The painter's hints, pen and brush as a page begins.
    void prepareCanvas();
    QPageLayout pdfLayout() const;
    bool finishPdf(bool keep);
    void showStatus();

    // Until the printer is made, the job's settings are kept here and handed to it when it is.
    mutable std::unique_ptr<QPrinter> m_printer;
    QString m_pdfFile;
    QString m_title;
    QStringList m_pageLabels;
    std::optional<QPageSize> m_pageSize;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    std::unique_ptr<TAtomicFile> m_file;
    std::unique_ptr<QBuffer> m_pdfBytes;
    std::unique_ptr<QPdfWriter> m_pdf;
    QString m_error;
    QPainter m_painter;
    QPen m_pen;
    QBrush m_brush{Qt::white};
    QFont m_font;
    QColor m_fontColor = Qt::black;
    int m_page = 0;
    // A preview is being drawn: the painter is on an image, and there is no second page.
    bool m_previewing = false;
    QString m_statusFormat = QStringLiteral("Printing page %p");
    std::function<void(const QString&)> m_onStatus;
};
