// Radio jobs run one after another on one port, as a write runs with its backup and read-back.
#pragma once

#include "job/jobrunner.h"
#include "job/programmingjob.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// Told about a sequence: its bar, each job's end and its own end (Finished).
class SequenceObserver : public JobObserver
{
public:
    virtual void JobEnded() {}
};

// One radio job of a sequence and what is made of it once it has run: a
// backup saved, a read-back compared, or simply the job's own outcome.
class SequenceStep
{
public:
    virtual ~SequenceStep() = default;

    // After the job has run to its end (never after a stop). False fails the
    // step and ends the sequence; lines meant for every front-end go to `log`.
    virtual bool Conclude(LogView &log) = 0;

    // The step's job, made by the step on the records it works on.
    ProgrammingJob &job() { return *m_job; }
    const ProgrammingJob &job() const { return *m_job; }

    // Narration, logged only by a sequence that narrates (the window's; the
    // command line prints its own): a line before the step and one after it.
    QString title;
    virtual QString OutcomeLine() const { return QString(); }

    // What came of the step: set when it has concluded; `error` says why not.
    bool ok = false;
    QString error;

protected:
    std::unique_ptr<ProgrammingJob> m_job;
};

// Runs its steps' jobs one after another on one port, each to its end, the
// next begun once the one before has concluded; a step that fails ends the
// sequence. Event-driven like the job itself: a modal window drives it through
// its log and panel, the command line waits for it in RunSequenceToEnd.
class JobSequence : public QObject, private JobObserver, private LogView
{
    Q_OBJECT
public:
    JobSequence() = default;
    ~JobSequence() override;

    void Add(std::unique_ptr<SequenceStep> step);
    void SetPort(std::uint32_t port) { m_port = port; }
    void SetObserver(SequenceObserver *observer) { m_observer = observer; }
    void SetTrace(TraceFile *trace) { m_trace = trace; }
    void SetNarrated(bool narrated) { m_narrated = narrated; }
    // The panel before any job reports. A single job starts with it, so that a
    // port that does not open leaves it standing; a longer sequence shows it
    // until its first job has opened the port.
    void SetStartProgress(int percent, Rgb colour);

    // Clears `view` and begins the first step. The view must outlive the run.
    void Begin(LogView *view);
    // Ends the running job (its worker joined, its port closed) and drops the
    // steps not yet run. Finished afterwards.
    void Stop();

    bool finished() const { return m_finished; }
    // Every step ran and concluded well.
    bool succeeded() const { return m_finished && m_failedStep < 0 && !m_stopped; }
    bool stopped() const { return m_stopped; }
    // Index of the step that failed; -1 when none did.
    int failedStep() const { return m_failedStep; }
    // Index of the step running or last run; -1 before Begin.
    int currentStep() const { return m_current; }
    int count() const { return int(m_steps.size()); }
    SequenceStep &step(int index) { return *m_steps[std::size_t(index)]; }
    const SequenceStep &step(int index) const { return *m_steps[std::size_t(index)]; }
    // Everything logged since Begin.
    const QString &logText() const { return m_text; }

    // A job's percent of step `index` of `count` as the sequence's whole bar.
    static int OverallPercent(int index, int count, int percent);

private:
    void ProgressChanged(int percent, Rgb colour) override;
    void Finished() override;
    void AppendText(const QString &text) override;
    void ClearText() override {} // a job's Begin clears only its own log

    void StartStep();
    void EndStep();
    void Log(const QString &line);
    void Finish();

    std::vector<std::unique_ptr<SequenceStep>> m_steps;
    LogView *m_view = nullptr;
    SequenceObserver *m_observer = nullptr;
    TraceFile *m_trace = nullptr;
    std::uint32_t m_port = 0;
    bool m_narrated = false;
    bool m_hasStart = false;
    int m_startPercent = 0;
    Rgb m_startColour;

    int m_current = -1;
    int m_failedStep = -1;
    bool m_running = false; // a job of the current step has begun and not ended
    bool m_stopped = false;
    bool m_finished = false;
    QString m_text;
};

// Runs `sequence` to its end in a local event loop, as RunJobToEnd runs a job.
void RunSequenceToEnd(JobSequence &sequence, int port, LogView *view, JobObserver *observer,
                      TraceFile *trace);
