// What every kd-cli command shares: output, exit statuses, options, running a job, the JSON report.
#pragma once

#include "job/jobrunner.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace cli {

// kd-cli's own texts are translated in the context "kd-cli", written out in
// each call (QCoreApplication::translate("kd-cli", ...)) so that lupdate finds
// them; the JSON report's names and values never are: scripts parse them.

// 3 and 4 let a script tell a missing radio or port from a refused write.
enum Exit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitNoAnswer = 3, ExitPortNotOpened = 4 };

// Output: the job's log and reports go to standard output, UTF-8, one line per
// line (to standard error when standard output carries a file or the JSON
// report, see SendLogToStandardError); messages about the run itself go to
// standard error.
void Print(const QString &text);       // log text as it stands, CR LF shown as line breaks
void PrintLine(const QString &text);
// Log text of one of several radios at work together: every line that is not
// blank starts with `tag` ("[COM33]"); --quiet keeps what it keeps of Print.
void PrintTagged(const QString &tag, const QString &text);
// A command's result (a report, a list of differences, a closing line): shown
// with --quiet too.
void Output(const QString &text);
void OutputLine(const QString &text);
void Error(const QString &text);       // "kd-cli: <text>" on standard error
void SendLogToStandardError();

// --quiet and --json, for the commands that take them. With --quiet the log
// shows only its error lines (those ending in "!!!" or starting "Ошибка") and
// its "Итог: ..." line; results still show. With --json the log and the
// results go to standard error and standard output carries one JSON object,
// printed by Finish.
void AddOutputOptions(QCommandLineParser &parser, bool json);
// False (a usage error reported) for --json with standard output taken.
bool ReadOutputOptions(const QCommandLineParser &parser, bool json);
bool JsonWanted();
QJsonObject &Report();
// Ends a command: the JSON report with its exit status when --json was given.
int Finish(int status);

// "Итог: " in the language in force: how the last line of a failed run starts.
QString SummaryPrefix();

// Ends a run that failed outside a job with its summary as the last line of the
// log, and gives the exit status. A job that fails writes its own summary.
int Fail(const QString &summary, int status = ExitFailed);
// The same for a write: what failed and which tables the radio received.
int FailWrite(const QString &cause, ProgrammingJob::TableWrite channels = ProgrammingJob::TableWrite::None,
              ProgrammingJob::TableWrite settings = ProgrammingJob::TableWrite::None);

// The exit status of a job: 0 when it did all it set out to do, 4 when the port
// did not open, 3 when the radio did not answer, else 1.
int ExitFor(const ProgrammingJob &job);

// Ctrl-C (SIGINT; on Windows also Ctrl-Break) and SIGTERM ask the running job
// to stop between blocks (RequestStop); a second one ends the process at once.
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
// --port takes COM1..COM255 or a device path; a device without a number of
// its own gets one for this run (ports::NameDeviceForThisRun).
void AddRadioOptions(QCommandLineParser &parser);
int ReadRadioOptions(const QCommandLineParser &parser, RadioOptions &options);
// One name as --port takes it (COMn, or a device path, which gets a number for
// this run); -1 to go on, else the exit status of the usage error reported.
int ResolvePortName(const QString &name, int &port);

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

// The JSON report's common part for a radio command: operation, port, device.
void ReportRadio(const QString &operation, const RadioOptions &options);
// The radio's serial number (null when it has none or none arrived), the
// exchange's error and the run's summary, from a job that ran.
void ReportJob(const ProgrammingJob &job, const TInfoContext &info);
QJsonValue SerialJson(const TInfoContext &info);
// The two tables and their states: after a read "read", "faulty" (it failed
// its checks) or "not read"; after a write "written", "partly written" or
// "not written".
QJsonArray ReadTablesJson(const ProgrammingJob &job);
QJsonArray WrittenTablesJson(ProgrammingJob::TableWrite channels, ProgrammingJob::TableWrite settings);

// The commands; `kd-cli help <command>` runs one with --help.
int RunPorts(const QStringList &arguments);
int RunInfo(const QStringList &arguments);
int RunRead(const QStringList &arguments);
int RunWrite(const QStringList &arguments);
int RunCheck(const QStringList &arguments);
int RunDiff(const QStringList &arguments);
int RunConvert(const QStringList &arguments);

} // namespace cli
