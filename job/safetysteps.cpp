#include "job/safetysteps.h"

#include "job/writesafety.h"
#include "link/protocol.h"
#include "model/configdocument.h"

#include <QDir>

namespace safety {

ExchangeStep::ExchangeStep(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                           ProgrammingJob::Operation operation)
{
    m_job = std::make_unique<ProgrammingJob>(channels, settings, info);
    m_job->SetOperation(operation);
}

bool ExchangeStep::Conclude(LogView &)
{
    return job().succeeded();
}

RadioReadStep::RadioReadStep()
{
    m_job = std::make_unique<ProgrammingJob>(m_radio.channels, m_radio.settings, m_radio.info);
    m_job->SetOperation(ProgrammingJob::OpRead);
}

bool RadioReadStep::Conclude(LogView &)
{
    return job().succeeded();
}

bool BackupStep::Conclude(LogView &)
{
    if (!job().succeeded()) {
        m_readFailed = true;
        error = QStringLiteral("радиостанция не прочитана");
        return false;
    }
    JobRecords &records = radio();
    AdoptRadioRange(records.channels, records.info);
    QDir().mkpath(m_dir);
    path = QDir(m_dir).filePath(RadioFileName(records.info, QDateTime::currentDateTime()));
    return ConfigurationDocument::Save(path, records.channels, records.settings, error);
}

QString BackupStep::OutcomeLine() const
{
    if (ok)
        return QStringLiteral("Резервная копия сохранена: %1").arg(QDir::toNativeSeparators(path));
    // Why the read failed is in the job's own lines above.
    QString lines = QStringLiteral("Ошибка. Резервная копия не сохранена!!!\r\n");
    if (!m_readFailed)
        lines += error + QStringLiteral("\r\n");
    return lines + QStringLiteral("Запись прервана!!!");
}

bool VerifyStep::Conclude(LogView &log)
{
    if (!job().completed()) {
        error = QStringLiteral("радиостанция не прочитана");
        return false;
    }
    if (m_written.channelImage().bytes != job().channelImage().bytes ||
        m_written.settingsImage().bytes != job().settingsImage().bytes) {
        mismatch = true;
        error = protocol::ErrorMessage(protocol::ErrCompare);
        log.AppendText(error + QStringLiteral("\r\n"));
        return false;
    }
    return job().succeeded();
}

QString VerifyStep::OutcomeLine() const
{
    if (ok)
        return QStringLiteral("Проверка: данные совпадают.");
    // A difference has its own line already.
    return mismatch ? QString() : QStringLiteral("Ошибка. Проверка не выполнена!!!");
}

} // namespace safety
