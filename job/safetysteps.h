// The steps that keep a write safe, for the window and the command line: a backup read first,
// a read-back compared after.
#pragma once

#include "job/jobsequence.h"

#include <QString>

// The steps a write is made of, for every front-end: the window strings them
// into one sequence, the command line runs the safety steps one at a time.
namespace safety {

// A job on records the caller owns: the window's own read, write or
// information exchange.
class ExchangeStep : public SequenceStep
{
public:
    ExchangeStep(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                 ProgrammingJob::Operation operation);
    bool Conclude(LogView &log) override;
};

// Reads the radio into records of its own, leaving every other record alone.
class RadioReadStep : public SequenceStep
{
public:
    RadioReadStep();
    JobRecords &radio() { return m_radio; }
    const JobRecords &radio() const { return m_radio; }
    bool Conclude(LogView &log) override;

private:
    JobRecords m_radio{QString()};
};

// Reads the radio and saves what it holds in `dir` under RadioFileName. The
// write must not go ahead unless this succeeds.
class BackupStep : public RadioReadStep
{
public:
    explicit BackupStep(const QString &dir) : m_dir(dir) {}
    bool Conclude(LogView &log) override;
    QString OutcomeLine() const override;
    // The write that follows learns where the backup is, for its summary.
    void SetWrite(ProgrammingJob *write) { m_write = write; }
    // The file written.
    QString path;

private:
    QString m_dir;
    ProgrammingJob *m_write = nullptr;
    bool m_readFailed = false;
};

// Reads both tables back and compares them byte for byte with the images
// `written` sent; a difference is logged as the comparison error.
class VerifyStep : public RadioReadStep
{
public:
    explicit VerifyStep(const ProgrammingJob &written) : m_written(written) {}
    bool Conclude(LogView &log) override;
    QString OutcomeLine() const override;
    // The radio answered, and holds something else than was written.
    bool mismatch = false;

private:
    const ProgrammingJob &m_written;
};

} // namespace safety
