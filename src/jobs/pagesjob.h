// A many-page job done one page at a time, so that a window can show how far it is and stop it between
// two pages. Stopping is deleting the job: its output is then left unwritten.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class TPageOutput;
class TPageRun;

class TPagesJob
{
public:
    TPagesJob(const TPageRun& run, std::unique_ptr<TPageOutput> output);
    ~TPagesJob();

    // Pages to hand over, each set of copies counted.
    int StepCount() const;
    int StepsDone() const { return m_done; }
    // Makes and hands over the next page, and after the last one writes or sends the output. False when
    // the job failed (Error says why) or was done already.
    bool Step();
    bool Finished() const { return m_finished; }
    QString Error() const { return m_error; }
    // What the pages made so far hold that they cannot show; each warning once.
    QStringList TakeWarnings();
    // Every step; returns the error, or an empty string.
    QString Run();

private:
    const TPageRun& m_run;
    std::unique_ptr<TPageOutput> m_output;
    int m_done = 0;
    bool m_finished = false;
    QString m_error;
    QStringList m_warnings;
};
