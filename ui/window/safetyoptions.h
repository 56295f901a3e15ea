// The options that guard a write, kept in the per-user settings.
#pragma once

#include "job/jobsequence.h"

#include <QString>

#include <memory>

class ChannelsContext;
class SettingsContext;
class TInfoContext;

namespace safety {
class ExchangeStep;
class BackupStep;
class VerifyStep;
} // namespace safety

// The choices under "Установки" that guard a write, kept in the per-user
// settings (group "Settings").
struct SafetyOptions
{
    bool backup = true;        // back the radio up before every write
    bool verify = true;        // read both tables back after every write
    bool trace = false;        // keep the frames of the last exchange
    bool compareFirst = false; // show the comparison before every write

    static SafetyOptions Load();
    void Store() const;
    bool operator==(const SafetyOptions &) const = default;
};

// The program's per-user folder ($XDG_DATA_HOME/KD_Tune, %LOCALAPPDATA%\KD_Tune)
// and what it keeps: the backups and the trace of the last exchange.
QString UserDataFolder();
QString BackupFolder();
QString TraceFilePath();

// A write as the options make it: a backup first, the write of the window's
// records, a read-back after; one step each, narrated in the log.
struct WriteSequence
{
    std::unique_ptr<JobSequence> sequence;
    safety::BackupStep *backup = nullptr; // null when not asked for
    safety::ExchangeStep *write = nullptr;
    safety::VerifyStep *verify = nullptr; // null when not asked for
};
WriteSequence MakeWriteSequence(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                                const SafetyOptions &options, const QString &backupFolder);
