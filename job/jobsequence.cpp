// How a sequence starts and concludes each step, narrates it, and puts a job's progress on its own bar.

#include "job/jobsequence.h"

#include "job/loopwait.h"

JobSequence::~JobSequence()
{
    // Nobody is told any more: the observer and the view may be going too.
    m_observer = nullptr;
    m_view = nullptr;
    Stop();
}

void JobSequence::Add(std::unique_ptr<SequenceStep> step)
{
    m_steps.push_back(std::move(step));
}

void JobSequence::SetStartProgress(int percent, Rgb colour)
{
    m_hasStart = true;
    m_startPercent = percent;
    m_startColour = colour;
}

int JobSequence::OverallPercent(int index, int count, int percent)
{
    if (count <= 1)
        return percent;
    return (index * 100 + percent) / count;
}

void JobSequence::Begin(LogView *view)
{
    m_view = view;
    m_text.clear();
    if (m_view)
        m_view->ClearText();
    m_current = 0;
    m_failedStep = -1;
    m_stopped = false;
    m_finished = false;
    if (m_hasStart && m_observer)
        m_observer->ProgressChanged(m_startPercent, m_startColour);
    if (m_steps.empty()) {
        Finish();
        return;
    }
    StartStep();
}

void JobSequence::StartStep()
{
    SequenceStep &s = step(m_current);
    if (m_narrated && !s.title.isEmpty()) {
        Log(s.title);
        if (m_trace)
            m_trace->Note(s.title);
    }
    ProgrammingJob &job = s.job();
    job.SetPort(m_port);
    job.SetObserver(this);
    // A job that cannot open its port reports the percent it was given; in a
    // longer sequence that is out of range, and the panel keeps what it shows.
    if (m_steps.size() > 1)
        job.SetProgress(-1, Rgb{});
    else if (m_hasStart)
        job.SetProgress(m_startPercent, m_startColour);
    if (m_trace)
        m_trace->Attach(job);
    m_running = true;
    job.Begin(this);
}

void JobSequence::Finished()
{
    // Called from inside the job's Step: the step concludes, and the next one
    // begins, once that has returned.
    m_running = false;
    if (m_stopped)
        return;
    if (m_observer)
        m_observer->JobEnded();
    QMetaObject::invokeMethod(this, &JobSequence::EndStep, Qt::QueuedConnection);
}

void JobSequence::EndStep()
{
    if (m_stopped || m_finished)
        return;
    SequenceStep &s = step(m_current);
    s.ok = s.Conclude(*this);
    if (m_narrated) {
        const QString line = s.OutcomeLine();
        if (!line.isEmpty())
            Log(line);
    }
    if (!s.ok) {
        m_failedStep = m_current;
        Finish();
        return;
    }
    if (++m_current < count()) {
        StartStep();
        return;
    }
    m_current = count() - 1;
    Finish();
}

void JobSequence::Stop()
{
    if (m_finished)
        return;
    m_stopped = true;
    if (m_running) {
        m_running = false;
        step(m_current).job().Stop();
    }
    Finish();
}

void JobSequence::Finish()
{
    m_finished = true;
    if (m_observer)
        m_observer->Finished();
}

void JobSequence::ProgressChanged(int percent, Rgb colour)
{
    if (m_steps.size() > 1) {
        if (percent < 0 || percent > 100)
            return;
        percent = OverallPercent(m_current, count(), percent);
    }
    if (m_observer)
        m_observer->ProgressChanged(percent, colour);
}

void JobSequence::AppendText(const QString &text)
{
    m_text += text;
    if (m_view)
        m_view->AppendText(text);
}

void JobSequence::Log(const QString &line)
{
    AppendText(line + QStringLiteral("\r\n"));
}

void RunSequenceToEnd(JobSequence &sequence, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    QEventLoop loop;
    loopwait::LoopObserver loopObserver(loop, observer, true);
    // A stop asked for reaches whichever step's job runs; the step then fails
    // and ends the sequence.
    loopwait::StopForwarder stops([&sequence]() -> ProgrammingJob * {
        const int i = sequence.currentStep();
        return i >= 0 && !sequence.finished() ? &sequence.step(i).job() : nullptr;
    });
    sequence.SetPort(std::uint32_t(port));
    sequence.SetObserver(&loopObserver);
    sequence.SetTrace(trace);
    sequence.Begin(view);
    if (!sequence.finished())
        loop.exec();
    sequence.SetObserver(nullptr);
}
