#include "pagesjobprogress.h"

#include "jobs/pageoutput.h"
#include "jobs/pagerun.h"
#include "jobs/pagesjob.h"

#include <QEventLoop>
#include <QProgressDialog>

TPagesJobProgress::TPagesJobProgress(std::unique_ptr<TPageRun> run, std::unique_ptr<TPageOutput> output,
                                     const QString& label, QWidget* parent)
    : QObject(parent), m_run(std::move(run)), m_progress(new QProgressDialog(parent))
{
    m_job = std::make_unique<TPagesJob>(*m_run, std::move(output));
    m_progress->setObjectName(QStringLiteral("PagesJobProgress"));
    m_progress->setWindowTitle(QStringLiteral("Almarin"));
    m_progress->setLabelText(label);
    m_progress->setRange(0, m_job->StepCount());
    m_progress->setMinimumDuration(0);
    m_progress->setAutoReset(false);
    m_progress->setAutoClose(false);
    m_progress->setWindowModality(Qt::WindowModal);
    connect(m_progress, &QProgressDialog::canceled, this, &TPagesJobProgress::cancel);
}

TPagesJobProgress::~TPagesJobProgress()
{
    delete m_progress;
}

void TPagesJobProgress::Start()
{
    m_progress->setValue(0);
    m_progress->show();
    QMetaObject::invokeMethod(this, &TPagesJobProgress::step, Qt::QueuedConnection);
}

void TPagesJobProgress::step()
{
    if (!m_job)
        return;
    if (m_job->Step() && !m_job->Finished()) {
        // A modal progress dialog hears its Cancel while it shows the new value; the next page is queued
        // only after that.
        m_progress->setValue(m_job->StepsDone());
        if (m_job)
            QMetaObject::invokeMethod(this, &TPagesJobProgress::step, Qt::QueuedConnection);
        return;
    }
    const bool done = m_job->Finished();
    const QString error = m_job->Error();
    m_job.reset();
    m_progress->hide();
    emit Finished(done, error);
}

void TPagesJobProgress::cancel()
{
    if (!m_job)
        return;
    // The output goes with the job, unwritten.
    m_job.reset();
    m_progress->hide();
    emit Finished(false, QString());
}

bool RunPagesJobWithProgress(std::unique_ptr<TPageRun> run, std::unique_ptr<TPageOutput> output, const QString& label,
                             QWidget* parent, QString* error)
{
    TPagesJobProgress progress(std::move(run), std::move(output), label, parent);
    QEventLoop loop;
    bool done = false;
    QObject::connect(&progress, &TPagesJobProgress::Finished, &loop, [&](bool finished, const QString& why) {
        done = finished;
        *error = why;
        loop.quit();
    });
    progress.Start();
    loop.exec();
    return done;
}
