// "Print Preview": the page as the print job will put it on paper, the paper's unprintable border
// shaded, with Print and Close.
#pragma once

#include <QDialog>
#include <QImage>
#include <QMarginsF>

class TPageDocument;
class TReportPrinter;

// The page image with the paper's unprintable border (inches on each side) greyed over.
QImage ShadeUnprintableBorder(const QImage& page, const QMarginsF& borderInches, double dotsPerInch);

class TPrintPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    // The page drawn at `dotsPerInch` on the whole paper. Accepted means Print.
    TPrintPreviewDialog(const QImage& page, const QMarginsF& unprintableInches, double dotsPerInch,
                        QWidget* parent = nullptr);
    // The page as shown, its unprintable border shaded.
    const QImage& ShownPage() const { return m_shown; }

private:
    QImage m_shown;
};

// Shows the page as the report's job, on its printer and paper, would print it. True when the user
// chose Print.
bool RunPrintPreview(TPageDocument& page, TReportPrinter& report, QWidget* parent);
