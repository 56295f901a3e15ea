#include "job/writesafety.h"

#include "link/protocol.h"
#include "model/configdocument.h"

#include <QDir>

namespace safety {

QString RadioFileName(const TInfoContext &info, const QDateTime &when)
{
    const QString serial = info.serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(info.serialNumber);
    return QStringLiteral("KD_%1_%2.xml").arg(serial, when.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

StepResult Backup(const QString &dir, int port, LogView *view, JobObserver *observer, TraceFile *trace)
{
    StepResult result;
    JobRecords radio{QString()};
    const auto job = RunJobToEnd(radio, ProgrammingJob::OpRead, port, view, observer, trace);
    if (!job->succeeded()) {
        result.error = QStringLiteral("the radio could not be read for the backup");
        return result;
    }
    AdoptRadioRange(radio.channels, radio.info);
    QDir().mkpath(dir);
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
        result.error = QStringLiteral("the radio could not be read back");
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
