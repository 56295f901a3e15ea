#pragma once

#include "job/jobrunner.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace cli {

enum Exit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Output: standard output carries the job's log and reports, UTF-8, one line
// per line; messages about the run itself go to standard error.
void Print(const QString &text);       // text as it stands, CR LF shown as line breaks
void PrintLine(const QString &text);
void Error(const QString &text);       // "kd-cli: <text>" on standard error

// Options every radio command takes.
struct RadioOptions
{
    int port = 0;
    QString trace;
};

// Parses a command's options. Returns -1 to go on, else the exit status (help
// shown, or a usage error reported).
int ParseCommand(QCommandLineParser &parser, const QStringList &arguments, const QString &usage);

// The value of an option the command cannot do without; a usage error when it
// is missing.
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

// The log on standard output and a progress bar on standard error when that is
// a terminal, for the job-layer operations that take a view and an observer.
LogView &TerminalView();
JobObserver &TerminalProgress();

int RunInfo(const QStringList &arguments);
int RunRead(const QStringList &arguments);
int RunWrite(const QStringList &arguments);
int RunCheck(const QStringList &arguments);

} // namespace cli
