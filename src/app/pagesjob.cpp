#include "pagesjob.h"

#include "pageoutput.h"
#include "pagerun.h"

#include "document/pagedocument.h"
#include "render/calendarpage.h"

TPagesJob::TPagesJob(const TPageRun& run, std::unique_ptr<TPageOutput> output) : m_run(run), m_output(std::move(output))
{
}

TPagesJob::~TPagesJob() = default;

int TPagesJob::StepCount() const
{
    return m_run.Count() * m_output->Passes();
}

bool TPagesJob::Step()
{
    if (m_finished || !m_error.isEmpty())
        return false;
    const int count = m_run.Count();
    if (count == 0) {
        m_error = QStringLiteral("there are no pages");
        return false;
    }
    QStringList warnings;
    const std::unique_ptr<TCalendarPage> page = m_run.MakePage(m_done % count, &m_error, &warnings);
    // Copies of the set bring the same warnings again.
    if (m_done < count)
        m_warnings += warnings;
    if (!page)
        return false;
    m_error = m_output->AddPage(*page);
    if (!m_error.isEmpty())
        return false;
    if (++m_done == StepCount()) {
        m_error = m_output->Finish();
        m_finished = m_error.isEmpty();
        return m_finished;
    }
    return true;
}

QStringList TPagesJob::TakeWarnings()
{
    return std::exchange(m_warnings, {});
}

QString TPagesJob::Run()
{
    while (!m_finished && Step()) {
    }
    return m_error;
}
