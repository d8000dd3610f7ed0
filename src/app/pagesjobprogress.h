// Runs a many-page job from the window one page at a time, each page a queued call, so that the
// progress dialog's Cancel is heard between two pages. Cancel drops the job: no output file is written
// and no print job is sent.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;
class TPageOutput;
class TPageRun;
class TPagesJob;

class TPagesJobProgress : public QObject
{
    Q_OBJECT

public:
    TPagesJobProgress(std::unique_ptr<TPageRun> run, std::unique_ptr<TPageOutput> output, const QString& label,
                      QWidget* parent);
    ~TPagesJobProgress() override;

    // Shows the progress dialog and queues the first page.
    void Start();
    QProgressDialog* Progress() const { return m_progress; }

signals:
    // The job ended: done, failed (the error says why) or cancelled (neither).
    void Finished(bool done, const QString& error);

private:
    void step();
    void cancel();

    std::unique_ptr<TPageRun> m_run;
    std::unique_ptr<TPagesJob> m_job;
    QProgressDialog* m_progress;
};

// Runs the job with its progress dialog until it ends; returns whether it was done, and why not when it
// failed (an empty error when it was cancelled).
bool RunPagesJobWithProgress(std::unique_ptr<TPageRun> run, std::unique_ptr<TPageOutput> output, const QString& label,
                             QWidget* parent, QString* error);
