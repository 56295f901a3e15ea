// Waiting for a job or a sequence in a local event loop, and passing a signal's stop request on to it.
#pragma once

#include "job/jobsequence.h"

#include <QEventLoop>
#include <QTimer>

#include <functional>

// Waiting in a local event loop for a job or a sequence to end, for callers
// that run one operation at a time (the command line, the safety steps).
namespace loopwait {

// Passes progress on to the caller's observer, the end of each job as that
// observer's Finished, and ends the loop with the job or the sequence.
class LoopObserver : public SequenceObserver
{
public:
    LoopObserver(QEventLoop &loop, JobObserver *next, bool sequence) : m_loop(loop), m_next(next), m_sequence(sequence) {}
    void ProgressChanged(int percent, Rgb colour) override
    {
        if (m_next)
            m_next->ProgressChanged(percent, colour);
    }
    void JobEnded() override
    {
        if (m_next)
            m_next->Finished();
    }
    void Finished() override
    {
        if (!m_sequence && m_next)
            m_next->Finished();
        m_loop.quit();
    }

private:
    QEventLoop &m_loop;
    JobObserver *m_next;
    bool m_sequence;
};

// A signal handler cannot touch a job: while this lives, the loop passes a
// RequestStop on to the job `current` names (none: null).
class StopForwarder
{
public:
    // How often the loop looks: well below a block's time on the line.
    static constexpr int PollMs = 50;

    explicit StopForwarder(std::function<ProgrammingJob *()> current) : m_current(std::move(current))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Forward(); });
        m_timer.start(PollMs);
    }
    void Forward()
    {
        ProgrammingJob *job = m_current();
        if (job && StopRequested() && !job->stopRequested())
            job->RequestStop();
    }

private:
    std::function<ProgrammingJob *()> m_current;
    QTimer m_timer;
};

} // namespace loopwait
