#include "job/writesafety.h"

#include "job/safetysteps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(WriteSafety)
};

} // namespace

namespace safety {

QString RadioFileName(const TInfoContext &info, const QDateTime &when)
{
    const QString serial = info.serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(info.serialNumber);
    return QStringLiteral("KD_%1_%2.xml").arg(serial, when.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

bool PrepareBackupFolder(const QString &dir, QString &error)
{
    if (dir.isEmpty()) {
        error = Tr::tr("не указана папка для резервной копии");
        return false;
    }
    const QFileInfo folder(dir);
    if (folder.exists() && !folder.isDir()) {
        error = Tr::tr("%1 не является папкой").arg(dir);
        return false;
    }
    if (!QDir().mkpath(dir)) {
        error = Tr::tr("не удалось создать папку %1").arg(dir);
        return false;
    }
    if (!QFileInfo(dir).isWritable()) {
        error = Tr::tr("нет прав на запись в папку %1").arg(dir);
        return false;
    }
    return true;
}

StepResult Backup(const QString &dir, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    if (QString error; !PrepareBackupFolder(dir, error))
        return {false, QString(), error};
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
