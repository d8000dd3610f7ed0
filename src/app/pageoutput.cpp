#include "pageoutput.h"

#include "pageexport.h"
#include "printing.h"

#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "report/reportprinter.h"

#include "platform/atomicfile.h"

#include <QFileInfo>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QStringList>

#include <vector>

namespace {

const QLatin1String kMonthField("{month}");
const QLatin1String kNumberField("{n}");

// Pages drawn one after the other into one report: a PDF file or a print job.
class TReportOutput : public TPageOutput
{
public:
    ~TReportOutput() override { m_report.AbortJob(); }

    QString AddPage(TPageDocument& page) override
    {
        // Each page on its own paper; the job keeps the run's title.
        const QString title = m_report.Title();
        PreparePaper(page, m_report);
        m_report.SetTitle(title);
        const bool started = m_report.Printing() ? m_report.NewPage() : m_report.BeginJob();
        if (!started)
            return m_report.ErrorString().isEmpty() ? QStringLiteral("the page could not be started")
                                                    : m_report.ErrorString();
        page.MarkPrinting(true);
        const auto restore = qScopeGuard([&page] { page.MarkPrinting(false); });
        page.PrintPage(m_report, 0, 0);
        const CalendarSettings& s = page.Model().Settings();
        m_labels.append(PageImageName(kMonthField, 0, s.MainCalMonth, s.MainCalYear));
        return QString();
    }

    QString Finish() override
    {
        if (!m_report.Printing())
            return QStringLiteral("there is no page");
        // A PDF names each page by its month.
        m_report.SetPageLabels(m_labels);
        if (m_report.EndJob())
            return QString();
        return m_report.ErrorString().isEmpty() ? QStringLiteral("the job failed") : m_report.ErrorString();
    }

protected:
    TReportPrinter m_report;

private:
    QStringList m_labels;
};

class TPdfOutput final : public TReportOutput
{
public:
    TPdfOutput(const QString& fileName, const QString& title)
    {
        m_report.SetOutputFileName(fileName);
        m_report.SetTitle(title);
    }
};

class TPrinterOutput final : public TReportOutput
{
public:
    TPrinterOutput(const QString& printerName, int copies, const QString& title)
    {
        m_report.SetPrinterName(printerName);
        m_report.SetTitle(title);
        const TCopiesPlan plan = PlanCopies(copies, m_report.MaxCopies());
        m_report.SetCopies(plan.driverCopies);
        m_report.Printer().setCollateCopies(true);
        m_passes = plan.repeats;
    }
    int Passes() const override { return m_passes; }

private:
    int m_passes = 1;
};

class TImageOutput final : public TPageOutput
{
public:
    TImageOutput(const QString& pattern, double zoom) : m_pattern(pattern), m_zoom(zoom) {}

    QString AddPage(TPageDocument& page) override
    {
        const std::optional<TImageFormat> format = ImageFormatOf(m_pattern);
        if (!format)
            return QStringLiteral("unknown image type \"%1\" (use .bmp, .jpg or .png)")
                .arg(QFileInfo(m_pattern).suffix());
        const CalendarSettings& s = page.Model().Settings();
        const QString name = PageImageName(m_pattern, int(m_images.size()) + 1, s.MainCalMonth, s.MainCalYear);
        for (const auto& image : m_images)
            if (image.first == name)
                return QStringLiteral("two pages would be written to %1").arg(name);
        QByteArray bytes;
        const QString error = EncodePageImage(page, float(m_zoom), *format, &bytes);
        if (error.isEmpty())
            m_images.emplace_back(name, bytes);
        return error;
    }

    QString Finish() override
    {
        for (const auto& [name, bytes] : m_images) {
            const QString error = TAtomicFile::WriteWhole(name, bytes);
            if (!error.isEmpty())
                return QStringLiteral("%1: %2").arg(name, error);
        }
        return QString();
    }

private:
    QString m_pattern;
    double m_zoom;
    std::vector<std::pair<QString, QByteArray>> m_images;
};

} // namespace

std::unique_ptr<TPageOutput> MakePdfOutput(const QString& fileName, const QString& title)
{
    return std::make_unique<TPdfOutput>(fileName, title);
}

std::unique_ptr<TPageOutput> MakeImageOutput(const QString& pattern, double zoom)
{
    return std::make_unique<TImageOutput>(pattern, zoom);
}

std::unique_ptr<TPageOutput> MakePrinterOutput(const QString& printerName, int copies, const QString& title,
                                               QString* error)
{
    *error = PrinterProblem(printerName);
    if (!error->isEmpty())
        return nullptr;
    return std::make_unique<TPrinterOutput>(printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName,
                                            copies, title);
}

QString PageImageName(const QString& pattern, int number, int month, int year)
{
    const QString yearMonth =
        QStringLiteral("%1-%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
    return QString(pattern).replace(kMonthField, yearMonth).replace(kNumberField, QString::number(number));
}

bool NamesEachPage(const QString& pattern)
{
    return pattern.contains(kMonthField) || pattern.contains(kNumberField);
}
