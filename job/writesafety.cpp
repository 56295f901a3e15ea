#include "job/writesafety.h"

#include "job/safetysteps.h"

namespace safety {

QString RadioFileName(const TInfoContext &info, const QDateTime &when)
{
    const QString serial = info.serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(info.serialNumber);
    return QStringLiteral("KD_%1_%2.xml").arg(serial, when.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

StepResult Backup(const QString &dir, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    JobSequence sequence;
    auto step = std::make_unique<BackupStep>(dir);
    const BackupStep &backup = *step;
    sequence.Add(std::move(step));
    RunSequenceToEnd(sequence, port, view, observer, trace);
    return {backup.ok, backup.path, backup.error};
}

StepResult Verify(const ProgrammingJob &written, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    JobSequence sequence;
    auto step = std::make_unique<VerifyStep>(written);
    const VerifyStep &verify = *step;
    sequence.Add(std::move(step));
    RunSequenceToEnd(sequence, port, view, observer, trace);
    return {verify.ok, QString(), verify.error};
}

} // namespace safety
