// One radio's write as kd-cli makes it, with backup and read-back, and what writes on several ports
// share with it.
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

// What a job that ended tells about the radio and the port.
void NoteJob(RadioWrite &out, const ProgrammingJob &job, const TInfoContext &info);

// The serial number a radio reports when it has none.
constexpr std::uint32_t kNoSerial = 0xFFFFFFFFu;

// The cells of a write's table (cmd_write.cpp): the serial number ("нет" for
// none), seconds with the language's decimal mark, the result in a few words.
QString SerialText(std::optional<std::uint32_t> serial);
QString Seconds(double s);
QString ResultText(const RadioWrite &w);
// An open problem waiting does not cure: no device behind the number, no
// permission, a fault of the device itself.
bool PortWillNotOpen(const RadioWrite &w);

// Several radios at once, one per port (parallelwrite.cpp). --port names the
// ports ("COM33,COM34" or "all-probed"); each gets its own job, backup and
// read-back as planned, its log lines tagged with the port, its own trace
// file. Refuses two names of one device. -1 to go on, else the exit status.
int ReadSeveralPorts(const QCommandLineParser &parser, const QStringList &entries, RadioOptions &options,
                     QList<int> &lanes);
// Writes `records` on every port of `lanes` at once (none: on every port where
// a probe finds a radio), and with `repeat` takes the next radio on each port
// as soon as the one before is done. Ends with one table: port, serial number,
// time, result.
int WriteOnSeveralPorts(const Records &records, const WritePlan &plan, const RadioOptions &options,
                        QList<int> lanes, bool repeat);

} // namespace cli
