#pragma once

#include "job/jobrunner.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace cli {

enum Exit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Output: the job's log and reports go to standard output, UTF-8, one line per
// line (to standard error when standard output carries a file, see
// SendLogToStandardError); messages about the run itself go to standard error.
void Print(const QString &text);       // text as it stands, CR LF shown as line breaks
void PrintLine(const QString &text);
void Error(const QString &text);       // "kd-cli: <text>" on standard error
void SendLogToStandardError();

// Ends a run that failed outside a job with its summary as the last line of the
// log, and gives the exit status. A job that fails writes its own summary.
int Fail(const QString &summary);
// The same for a write: what failed and which tables the radio received.
int FailWrite(const QString &cause, ProgrammingJob::TableWrite channels = ProgrammingJob::TableWrite::None,
              ProgrammingJob::TableWrite settings = ProgrammingJob::TableWrite::None);

// SIGINT and SIGTERM ask the running job to stop between blocks
// (RequestStop); a second one ends the process at once.
void InstallStopHandlers();

// Options every radio command takes.
struct RadioOptions
{
    int port = 0;
    QString trace;
};

// Parses a command's options. Returns -1 to go on, else the exit status (help
// shown, or a usage error reported).
int ParseCommand(QCommandLineParser &parser, const QStringList &arguments, const QString &usage);
// A command's help, as `kd-cli <command> --help` and `kd-cli help <command>` show it.
void PrintHelp(const QCommandLineParser &parser, const QString &usage);

// The value of an option the command cannot do without; a usage error when it
// is missing or empty.
bool RequireValue(const QCommandLineParser &parser, const QString &name, const char *command, QString &value);

using Records = JobRecords;

// Adds --port and --trace to a radio command and reads them after parsing.
void AddRadioOptions(QCommandLineParser &parser);
int ReadRadioOptions(const QCommandLineParser &parser, RadioOptions &options);

// Runs one job to its end with the log on standard output and a progress bar
// on standard error when that is a terminal. Returns the finished job, or null
// when it could not start (the trace file could not be opened).
std::unique_ptr<ProgrammingJob> RunJob(Records &records, ProgrammingJob::Operation operation, const RadioOptions &options);

// True when a job ran and did all it set out to do.
inline bool Succeeded(const std::unique_ptr<ProgrammingJob> &job) { return job && job->succeeded(); }

inline void AdoptRadioRange(Records &records) { ::AdoptRadioRange(records.channels, records.info); }

// The log and a progress bar on standard error when that is a terminal, for
// the job-layer operations that take a view and an observer.
LogView &TerminalView();
JobObserver &TerminalProgress();

// The commands; `kd-cli help <command>` runs one with --help.
int RunInfo(const QStringList &arguments);
int RunRead(const QStringList &arguments);
int RunWrite(const QStringList &arguments);
int RunCheck(const QStringList &arguments);

} // namespace cli
