#pragma once

#include "cli/clicommon.h"

#include <optional>

namespace cli {

// What `kd-cli write` does around the write itself.
struct WritePlan
{
    QString backupDir;  // empty: no backup
    bool verify = false;
};

// How one radio's write went.
struct RadioWrite
{
    int status = ExitFailed;
    // The radio's information arrived (and a gate let it through): the radio
    // was there, whatever came of the write.
    bool admitted = false;
    // The gate turned the radio away; nothing but its information was read.
    bool declined = false;
    bool portNotOpened = false;
    ports::OpenProblem openProblem;
    std::optional<std::uint32_t> serial;  // as the radio gave it
    QString backup;                       // the backup file, when one was saved
    std::optional<bool> verified;         // when a read-back was asked for and the write succeeded
    ProgrammingJob::TableWrite channels = ProgrammingJob::TableWrite::None;
    ProgrammingJob::TableWrite settings = ProgrammingJob::TableWrite::None;
    int errorCode = 0;
    QString errorMessage;
    QString summary;                      // the "Итог: ..." line of a failure

    bool ok() const { return status == ExitOk; }
    // The fields the JSON report gives for one radio.
    QJsonObject Json() const;
};

// Writes `records` to the radio on options.port: a backup first when planned,
// then the write, then the read-back when planned, each step's log on the
// terminal and a failure ending with its summary line.
//
// With a gate, the first step's job asks it once the radio has answered, and
// that step's log and progress are held back until the gate lets the radio
// through, so that a radio polled and turned away leaves no trace on the
// terminal. The gate may print lines of its own before it returns true.
RadioWrite WriteRadio(Records &records, const WritePlan &plan, const RadioOptions &options,
                      const ProgrammingJob::InfoGate &gate = {});

} // namespace cli
