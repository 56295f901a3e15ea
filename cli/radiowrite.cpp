// One radio's write as a sequence of steps, its log held back until a gate lets the radio through.

#include "cli/radiowrite.h"

#include "job/safetysteps.h"

#include <QCoreApplication>
#include <QDir>

namespace cli {
namespace {

using TableWrite = ProgrammingJob::TableWrite;

// The log of a step whose radio may yet be turned away: held back until
// Release, then passed on to the terminal as it comes.
class HeldLog : public LogView, public JobObserver
{
public:
    void AppendText(const QString &text) override
    {
        if (m_released)
            TerminalView().AppendText(text);
        else
            m_held += text;
    }
    void ClearText() override {}
    void ProgressChanged(int percent, Rgb colour) override
    {
        if (m_released)
            TerminalProgress().ProgressChanged(percent, colour);
    }
    void Finished() override
    {
        if (m_released)
            TerminalProgress().Finished();
    }
    void Release()
    {
        m_released = true;
        if (!m_held.isEmpty())
            TerminalView().AppendText(m_held);
        m_held.clear();
    }

private:
    QString m_held;
    bool m_released = false;
};

// Runs one step as a sequence of its own, which keeps the step.
template <class Step>
Step &RunStep(JobSequence &sequence, std::unique_ptr<Step> step, const RadioOptions &options, LogView &view,
              JobObserver &observer, TraceFile &trace)
{
    Step &s = *step;
    sequence.Add(std::move(step));
    RunSequenceToEnd(sequence, options.port, &view, &observer, &trace);
    return s;
}

} // namespace

void NoteJob(RadioWrite &out, const ProgrammingJob &job, const TInfoContext &info)
{
    out.status = ExitFor(job);
    out.portNotOpened = job.portNotOpened();
    out.openProblem = job.openProblem();
    out.declined = job.declined();
    out.errorCode = job.errorCode();
    out.errorMessage = job.errorMessage();
    if (info.mainDecoded && !job.declined()) {
        out.admitted = true;
        out.serial = info.serialNumber;
    }
    if (!job.succeeded())
        out.summary = job.Summary();
}

namespace {

void FailOutside(RadioWrite &out, const QString &cause, int status)
{
    out.summary = ProgrammingJob::WriteSummary(QCoreApplication::translate("kd-cli", "запись не выполнена"), cause, out.channels, out.settings, QDir::toNativeSeparators(out.backup));
    PrintLine(out.summary);
    out.status = status;
}

} // namespace

QJsonObject RadioWrite::Json() const
{
    QJsonObject o{{QStringLiteral("serialNumber"),
                   serial && *serial != 0xFFFFFFFFu ? QJsonValue(qint64(*serial)) : QJsonValue()},
                  {QStringLiteral("tables"), WrittenTablesJson(channels, settings)},
                  {QStringLiteral("errorCode"), errorCode},
                  {QStringLiteral("errorMessage"), errorMessage},
                  {QStringLiteral("summary"), summary}};
    if (!backup.isEmpty())
        o.insert(QStringLiteral("backup"), backup);
    if (verified)
        o.insert(QStringLiteral("verified"), *verified);
    return o;
}

RadioWrite WriteRadio(Records &records, const WritePlan &plan, const RadioOptions &options, const ProgrammingJob::InfoGate &gate)
{
    RadioWrite out;
    TraceFile trace;
    if (!options.trace.isEmpty() && !trace.Open(options.trace)) {
        Error(QCoreApplication::translate("kd-cli", "не удалось записать файл трассировки %1").arg(options.trace));
        FailOutside(out, QCoreApplication::translate("kd-cli", "файл трассировки не открыт"), ExitFailed);
        return out;
    }
    // The first step meets the radio: it alone may be turned away.
    HeldLog held;
    LogView *firstView = &TerminalView();
    JobObserver *firstObserver = &TerminalProgress();
    ProgrammingJob::InfoGate firstGate;
    if (gate) {
        firstView = &held;
        firstObserver = &held;
        firstGate = [&gate, &held](const TInfoContext &info) {
            if (!gate(info))
                return false;
            held.Release();
            return true;
        };
    }
    auto line = [](LogView *view, const QString &text) { view->AppendText(text + QStringLiteral("\r\n")); };
    records.info = TInfoContext();

    if (!plan.backupDir.isEmpty()) {
        line(firstView, QCoreApplication::translate("kd-cli", "Резервная копия: чтение радиостанции"));
        JobSequence sequence;
        auto step = std::make_unique<safety::BackupStep>(plan.backupDir);
        step->job().SetInfoGate(firstGate);
        const safety::BackupStep &backup = RunStep(sequence, std::move(step), options, *firstView, *firstObserver, trace);
        NoteJob(out, backup.job(), backup.radio().info);
        if (gate && !out.admitted)
            return out;  // no radio, or one turned away: nothing shown, nothing touched
        if (!backup.ok) {
            Error(QCoreApplication::translate("kd-cli", "резервная копия не сохранена: %1").arg(backup.error));
            FailOutside(out, QCoreApplication::translate("kd-cli", "резервная копия не сохранена"), backup.job().succeeded() ? ExitFailed : out.status);
            return out;
        }
        out.backup = backup.path;
        PrintLine(QCoreApplication::translate("kd-cli", "Резервная копия сохранена: %1").arg(backup.path));
        if (StopRequested()) {
            FailOutside(out, QCoreApplication::translate("kd-cli", "остановлено по запросу"), ExitFailed);
            return out;
        }
        firstView = &TerminalView();
        firstObserver = &TerminalProgress();
        firstGate = nullptr;
    }

    JobSequence writing;
    auto step = std::make_unique<safety::ExchangeStep>(records.channels, records.settings, records.info, ProgrammingJob::OpWrite);
    step->job().SetInfoGate(firstGate);
    step->job().SetBackupPath(QDir::toNativeSeparators(out.backup));
    const safety::ExchangeStep &write = RunStep(writing, std::move(step), options, *firstView, *firstObserver, trace);
    const ProgrammingJob &job = write.job();
    NoteJob(out, job, records.info);
    out.channels = job.channelTableWrite();
    out.settings = job.settingsTableWrite();
    if (!job.succeeded() || !plan.verify)
        return out;  // a failed job's summary is the last line

    if (StopRequested()) {
        out.summary = QCoreApplication::translate("kd-cli", "Итог: обе таблицы записаны полностью, проверка не выполнена (остановлено по запросу).");
        PrintLine(out.summary);
        out.status = ExitFailed;
        return out;
    }
    PrintLine(QCoreApplication::translate("kd-cli", "Проверка: чтение радиостанции"));
    JobSequence checking;
    const safety::VerifyStep &verify =
        RunStep(checking, std::make_unique<safety::VerifyStep>(job), options, TerminalView(), TerminalProgress(), trace);
    out.verified = verify.ok;
    if (verify.ok) {
        PrintLine(QCoreApplication::translate("kd-cli", "Проверка: данные совпадают."));
        return out;
    }
    QString why = QCoreApplication::translate("kd-cli", "прочитанное не совпадает с записанным");
    int status = ExitFailed;
    if (!verify.mismatch) {
        why = verify.error.isEmpty() ? QCoreApplication::translate("kd-cli", "таблицы прочитаны с ошибками") : verify.error;
        out.errorCode = verify.job().errorCode();
        out.errorMessage = verify.job().errorMessage();
        if (const int s = ExitFor(verify.job()); s != ExitOk)
            status = s;
    }
    out.summary = QCoreApplication::translate("kd-cli", "Итог: обе таблицы записаны полностью, но проверка не пройдена (%1).").arg(why);
    PrintLine(out.summary);
    out.status = status;
    return out;
}

} // namespace cli
