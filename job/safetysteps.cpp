// What each step makes of its job once it has run: the backup saved, the read-back compared.

#include "job/safetysteps.h"

#include "job/writesafety.h"
#include "link/protocol.h"
#include "model/configdocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SafetySteps)
};

} // namespace

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
        error = Tr::tr("радиостанция не прочитана");
        return false;
    }
    JobRecords &records = radio();
    AdoptRadioRange(records.channels, records.info);
    QDir().mkpath(m_dir);
    const QString name = RadioFileName(records.info, QDateTime::currentDateTime());
    path = QDir(m_dir).filePath(name);
    // Radios backed up side by side in one second (without serial numbers, or
    // one radio twice) each keep their own file.
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(m_dir).filePath(QFileInfo(name).completeBaseName() + QStringLiteral("_%1.xml").arg(n));
    if (!ConfigurationDocument::Save(path, records.channels, records.settings, error))
        return false;
    if (m_write)
        m_write->SetBackupPath(QDir::toNativeSeparators(path));
    return true;
}

QString BackupStep::OutcomeLine() const
{
    if (ok)
        return Tr::tr("Резервная копия сохранена: %1").arg(QDir::toNativeSeparators(path));
    // Why the read failed is in the job's own lines above.
    QString lines = Tr::tr("Ошибка. Резервная копия не сохранена!!!") + QStringLiteral("\r\n");
    if (!m_readFailed)
        lines += error + QStringLiteral("\r\n");
    return lines + Tr::tr("Запись прервана!!!");
}

bool VerifyStep::Conclude(LogView &log)
{
    if (!job().completed()) {
        error = Tr::tr("радиостанция не прочитана");
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
        return Tr::tr("Проверка: данные совпадают.");
    // A difference has its own line already.
    if (mismatch)
        return QString();
    // The last summary above is the read-back's; the write itself went through.
    return Tr::tr("Ошибка. Проверка не выполнена!!!") + QStringLiteral("\r\n") +
           Tr::tr("Итог: таблицы записаны, но не проверены. Сравните их с радиостанцией "
                  "(\"Сравнить с радиостанцией\") или запишите ещё раз.");
}

} // namespace safety
