#pragma once

#include "job/jobrunner.h"

#include <QDateTime>
#include <QString>

// The steps around a write that make it safe to trust: a backup of what the
// radio held before, and a read-back compared byte for byte after. The command
// line and the window both use them: these run one step (safetysteps.h) to its
// end, the window strings the same steps around its write.
namespace safety {

// "KD_<serial>_<yyyyMMdd_HHmmss>.xml"; "none" for a radio without a serial number.
QString RadioFileName(const TInfoContext &info, const QDateTime &when);

struct StepResult
{
    bool ok = false;
    QString path;   // the backup file written
    QString error;  // why it failed, for the user
};

// Makes sure `dir` exists and can take a file, before anything is read.
bool PrepareBackupFolder(const QString &dir, QString &error);

// Reads the radio into scratch records and saves them in `dir` under
// RadioFileName. The write must not go ahead unless this succeeds.
StepResult Backup(const QString &dir, int port, LogView *view, JobObserver *observer, TraceFile *trace);

// Reads both tables back and compares them with the images `written` sent.
// A difference is logged as the comparison error.
StepResult Verify(const ProgrammingJob &written, int port, LogView *view, JobObserver *observer, TraceFile *trace);

} // namespace safety
