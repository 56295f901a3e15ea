// The backup's file name and the check of its folder, shared by every front-end that writes.
#pragma once

#include "job/jobrunner.h"

#include <QDateTime>
#include <QString>

// What the steps around a write (safetysteps.h) share with their callers: the
// name a radio's file is saved under, and the check of the backup folder made
// before the radio is read for it.
namespace safety {

// "KD_<serial>_<yyyyMMdd_HHmmss>.xml"; "none" for a radio without a serial number.
QString RadioFileName(const TInfoContext &info, const QDateTime &when);

// Makes sure `dir` exists and can take a file, before anything is read.
bool PrepareBackupFolder(const QString &dir, QString &error);

} // namespace safety
