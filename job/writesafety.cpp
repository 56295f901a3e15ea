#include "job/writesafety.h"

#include "link/protocol.h"
#include "model/configdocument.h"

#include <QDir>
#include <QFileInfo>

namespace safety {

QString RadioFileName(const TInfoContext &info, const QDateTime &when)
{
    const QString serial = info.serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(info.serialNumber);
    return QStringLiteral("KD_%1_%2.xml").arg(serial, when.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

bool PrepareBackupFolder(const QString &dir, QString &error)
{
    if (dir.isEmpty()) {
        error = QStringLiteral("не указана папка для резервной копии");
        return false;
    }
    const QFileInfo folder(dir);
    if (folder.exists() && !folder.isDir()) {
        error = QStringLiteral("%1 не является папкой").arg(dir);
        return false;
    }
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("не удалось создать папку %1").arg(dir);
        return false;
    }
    if (!QFileInfo(dir).isWritable()) {
        error = QStringLiteral("нет прав на запись в папку %1").arg(dir);
        return false;
    }
    return true;
}

StepResult Backup(const QString &dir, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    StepResult result;
    if (!PrepareBackupFolder(dir, result.error))
        return result;
    JobRecords radio{QString()};
    const auto job = RunJobToEnd(radio, ProgrammingJob::OpRead, port, view, observer, trace);
    if (!job->succeeded()) {
        result.error = QStringLiteral("радиостанция не прочитана");
        return result;
    }
    AdoptRadioRange(radio.channels, radio.info);
    result.path = QDir(dir).filePath(RadioFileName(radio.info, QDateTime::currentDateTime()));
    result.ok = ConfigurationDocument::Save(result.path, radio.channels, radio.settings, result.error);
    return result;
}

StepResult Verify(const ProgrammingJob &written, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    StepResult result;
    JobRecords back{QString()};
    const auto job = RunJobToEnd(back, ProgrammingJob::OpRead, port, view, observer, trace);
    if (!job->completed()) {
        result.error = QStringLiteral("радиостанция не прочитана");
        return result;
    }
    if (written.channelImage().bytes != job->channelImage().bytes
        || written.settingsImage().bytes != job->settingsImage().bytes) {
        const QString message = protocol::ErrorMessage(protocol::ErrCompare);
        result.error = message;
        if (view)
            view->AppendText(message + QStringLiteral("\r\n"));
        return result;
    }
    result.ok = job->succeeded();
    return result;
}

} // namespace safety
