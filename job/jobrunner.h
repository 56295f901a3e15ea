// Running a job outside a window: the records it works on, its trace file, and a stop asked for
// by a signal handler.
#pragma once

#include "job/programmingjob.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"

#include <QString>

#include <memory>

// The three records a job works on, for callers that do not own a window's
// model (the command line, a backup or a read-back). An empty range list path
// keeps the list in memory.
struct JobRecords
{
    explicit JobRecords(const QString &rangeListPath) : channels(rangeListPath) {}
    ChannelsContext channels;
    SettingsContext settings;
    TInfoContext info;
};

// Frames as they cross the line, one per line, time-stamped, in hex.
class TraceFile
{
public:
    TraceFile() = default;
    ~TraceFile();
    TraceFile(const TraceFile &) = delete;
    TraceFile &operator=(const TraceFile &) = delete;

    // Appends to `path`. False when it cannot be opened.
    bool Open(const QString &path);
    bool isOpen() const { return m_file != nullptr; }
    void Attach(ProgrammingJob &job);
    // A line of its own ("# text") between jobs, never while a worker runs.
    void Note(const QString &text);

private:
    static void Write(void *context, bool sent, const std::uint8_t *body, std::size_t length);
    std::FILE *m_file = nullptr;
};

// A stop asked for from outside the event loop, by a signal handler for one:
// async-signal-safe. The job RunJobToEnd is running stops between blocks
// (ProgrammingJob::RequestStop) and ends with its summary; a job it starts
// while the request stands stops at its first step. Callers check
// StopRequested before a further step of their own.
void RequestStop();
bool StopRequested();

// Runs one job to its end in a local event loop: the log goes to `view`, the
// progress to `observer` (either may be null), the frames to `trace` when given.
std::unique_ptr<ProgrammingJob> RunJobToEnd(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                                            ProgrammingJob::Operation operation, int port, LogView *view,
                                            JobObserver *observer, TraceFile *trace);

inline std::unique_ptr<ProgrammingJob> RunJobToEnd(JobRecords &records, ProgrammingJob::Operation operation, int port,
                                                   LogView *view, JobObserver *observer, TraceFile *trace)
{
    return RunJobToEnd(records.channels, records.settings, records.info, operation, port, view, observer, trace);
}

// The radio's own range joins the range list and becomes current, as after a
// read in the main window.
void AdoptRadioRange(ChannelsContext &channels, const TInfoContext &info);
