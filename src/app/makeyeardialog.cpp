#include "makeyeardialog.h"

#include "dialogfolder.h"
#include "pageoutput.h"
#include "pagepreparation.h"
#include "pagerun.h"
#include "pagesjobprogress.h"

#include "document/calendardocument.h"
#include "document/calendarpagemodel.h"
#include "document/pagedocument.h"
#include "recurring/recurringfile.h"
#include "render/calendarpage.h"

#include "platform/centerform.h"
#include "platform/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Thumbnails of the strip, on their longer side.
constexpr int kThumbnail = 96;

} // namespace

TMakeYearDialog::TMakeYearDialog(const QByteArray& document, const QString& name, const FontDescription& font,
                                 bool printersPresent, QWidget* parent)
    : QDialog(parent), m_document(document), m_name(name), m_font(font)
{
    setWindowTitle(QStringLiteral("Make Year"));
    CalendarSettings settings;
    try {
        settings = ParseDocument(document, CalendarSettings()).settings;
    } catch (const EStreamError&) {
        // The open page always reads back; a default start serves otherwise.
    }

    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("FirstMonth"));
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(QLocale().standaloneMonthName(month));
    m_month->setCurrentIndex(settings.MainCalMonth - 1);
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("FirstYear"));
    m_year->setRange(1, 9999);
    m_year->setValue(settings.MainCalYear);
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("MonthCount"));
    m_count->setRange(1, TPageRun::kMaxMonths);
    m_count->setValue(12);
    m_fill = new QCheckBox(QStringLiteral("Fill with recurring dates"), this);
    m_fill->setObjectName(QStringLiteral("FillCheck"));
    m_events = new QLineEdit(this);
    m_events->setObjectName(QStringLiteral("EventsFile"));
    m_events->setPlaceholderText(QStringLiteral("(none)"));
    auto* eventsBrowse = new QPushButton(QStringLiteral("Browse..."), this);

    auto* first = new QHBoxLayout;
    first->addWidget(m_month);
    first->addWidget(m_year);
    auto* events = new QHBoxLayout;
    events->addWidget(m_events, 1);
    events->addWidget(eventsBrowse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("First month"), first);
    form->addRow(QStringLiteral("Number of months"), m_count);
    form->addRow(QString(), m_fill);
    form->addRow(QStringLiteral("Import events from"), events);

    auto* output = new QGroupBox(QStringLiteral("Output"), this);
    m_pdf = new QRadioButton(QStringLiteral("PDF file"), output);
    m_pdf->setObjectName(QStringLiteral("PdfChoice"));
    m_images = new QRadioButton(QStringLiteral("Images in a folder"), output);
    m_images->setObjectName(QStringLiteral("ImagesChoice"));
    m_printer = new QRadioButton(QStringLiteral("Printer"), output);
    m_printer->setObjectName(QStringLiteral("PrinterChoice"));
    m_printer->setEnabled(printersPresent);
    m_pdf->setChecked(true);
    auto* choices = new QButtonGroup(this);
    for (QRadioButton* choice : {m_pdf, m_images, m_printer})
        choices->addButton(choice);
    m_target = new QLineEdit(output);
    m_target->setObjectName(QStringLiteral("TargetPath"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), output);
    auto* target = new QHBoxLayout;
    target->addWidget(m_target, 1);
    target->addWidget(m_browse);
    auto* outputLayout = new QVBoxLayout(output);
    auto* kinds = new QHBoxLayout;
    for (QRadioButton* choice : {m_pdf, m_images, m_printer})
        kinds->addWidget(choice);
    outputLayout->addLayout(kinds);
    outputLayout->addLayout(target);

    m_strip = new QListWidget(this);
    m_strip->setObjectName(QStringLiteral("PreviewStrip"));
    m_strip->setViewMode(QListView::IconMode);
    m_strip->setFlow(QListView::LeftToRight);
    m_strip->setWrapping(false);
    m_strip->setIconSize(QSize(kThumbnail, kThumbnail));
    m_strip->setFixedHeight(kThumbnail + 48);
    m_strip->setSelectionMode(QAbstractItemView::NoSelection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("Make"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(output);
    layout->addWidget(m_strip);
    layout->addWidget(buttons);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(150);
    connect(m_previewTimer, &QTimer::timeout, this, &TMakeYearDialog::updatePreview);
    connect(m_month, &QComboBox::currentIndexChanged, this, &TMakeYearDialog::schedulePreview);
    connect(m_year, &QSpinBox::valueChanged, this, &TMakeYearDialog::schedulePreview);
    connect(m_count, &QSpinBox::valueChanged, this, &TMakeYearDialog::schedulePreview);
    connect(m_fill, &QCheckBox::toggled, this, &TMakeYearDialog::schedulePreview);
    connect(m_events, &QLineEdit::editingFinished, this, &TMakeYearDialog::schedulePreview);
    connect(eventsBrowse, &QPushButton::clicked, this, &TMakeYearDialog::browseEvents);
    connect(m_browse, &QPushButton::clicked, this, &TMakeYearDialog::browseTarget);
    connect(choices, &QButtonGroup::buttonToggled, this, &TMakeYearDialog::outputChanged);
    connect(m_target, &QLineEdit::textChanged, this, &TMakeYearDialog::outputChanged);
    outputChanged();
    updatePreview();
}

TMakeYearDialog::~TMakeYearDialog() = default;

std::unique_ptr<TPageRun> TMakeYearDialog::MakeRun(QString* error) const
{
    auto run = std::make_unique<TPageRun>();
    *error = run->AddDocumentBytes(m_name.isEmpty() ? QStringLiteral("the open page") : m_name, m_document);
    if (!error->isEmpty())
        return nullptr;
    run->SetMonths(m_month->currentIndex() + 1, m_year->value(), m_count->value());
    run->SetFont(m_font);
    if (m_fill->isChecked()) {
        QStringList lines;
        if (!LoadRecurringDates(lines, error))
            return nullptr;
        run->SetRecurringDates(lines);
    }
    const QString eventsFile = m_events->text().trimmed();
    if (!eventsFile.isEmpty()) {
        const QByteArray events = ReadEventsFile(eventsFile, error);
        if (!error->isEmpty())
            return nullptr;
        run->SetEvents(eventsFile, events);
    }
    return run;
}

std::unique_ptr<TPageOutput> TMakeYearDialog::MakeOutput(const TPageRun& run, QString* error) const
{
    if (m_printer->isChecked())
        return MakePrinterOutput(QString(), 1, run.Title(), error);
    const QString target = m_target->text().trimmed();
    if (m_pdf->isChecked())
        return MakePdfOutput(target, run.Title());
    const QString stem = m_name.isEmpty() ? QStringLiteral("Calendar") : QFileInfo(m_name).completeBaseName();
    return MakeImageOutput(QDir(target).filePath(stem + QStringLiteral("-{month}.png")), 1.0);
}

void TMakeYearDialog::outputChanged()
{
    const bool file = !m_printer->isChecked();
    m_target->setEnabled(file);
    m_browse->setEnabled(file);
    m_ok->setEnabled(!file || !m_target->text().trimmed().isEmpty());
}

void TMakeYearDialog::browseTarget()
{
    QString chosen;
    if (m_pdf->isChecked())
        chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Make Year"), DialogFolder(),
                                              QStringLiteral("PDF File (*.pdf)"));
    else
        chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Make Year"), DialogFolder());
    if (chosen.isEmpty())
        return;
    if (m_pdf->isChecked() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pdf");
    m_target->setText(chosen);
}

void TMakeYearDialog::browseEvents()
{
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Import Events"), DialogFolder(),
                                                        QStringLiteral("iCalendar files (*.ics);;All files (*)"));
    if (chosen.isEmpty())
        return;
    m_events->setText(chosen);
    schedulePreview();
}

void TMakeYearDialog::schedulePreview()
{
    m_previewTimer->start();
}

void TMakeYearDialog::updatePreview()
{
    m_strip->clear();
    QString error;
    const std::unique_ptr<TPageRun> run = MakeRun(&error);
    if (!run) {
        m_strip->addItem(error);
        return;
    }
    for (int index = 0; index < run->Count(); ++index) {
        QStringList warnings;
        const std::unique_ptr<TCalendarPage> page = run->MakePage(index, &error, &warnings);
        if (!page) {
            m_strip->addItem(error);
            return;
        }
        const CalendarGeometry& geometry = page->Model().Geometry();
        const int longer = std::max({geometry.PageWidth, geometry.PageHeight, 1});
        const QImage image = page->RenderAt(float(double(kThumbnail) / longer));
        const CalendarSettings& s = page->Model().Settings();
        m_strip->addItem(new QListWidgetItem(
            QIcon(QPixmap::fromImage(image)),
            QLocale().toString(QDate(s.MainCalYear, s.MainCalMonth, 1), QStringLiteral("MMM yyyy"))));
    }
}

void MakeYear(QWidget* parent, const QByteArray& document, const QString& name, const FontDescription& font,
              bool printersPresent)
{
    TMakeYearDialog dialog(document, name, font, printersPresent, parent);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    std::unique_ptr<TPageRun> run = dialog.MakeRun(&error);
    std::unique_ptr<TPageOutput> output = run ? dialog.MakeOutput(*run, &error) : nullptr;
    if (output)
        RunPagesJobWithProgress(std::move(run), std::move(output), QStringLiteral("Making the pages..."), parent,
                                &error);
    if (!error.isEmpty())
        ShowError(QStringLiteral("The pages cannot be made.\n%1").arg(error));
}
