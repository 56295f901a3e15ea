#include "cli/clicommon.h"

#include "job/writesafety.h"
#include "link/protocol.h"
#include "model/configdocument.h"

namespace cli {
namespace {

using TableWrite = ProgrammingJob::TableWrite;

// Opens the trace for one of the safety steps; reports when it cannot.
bool OpenTrace(const RadioOptions &options, TraceFile &trace)
{
    if (options.trace.isEmpty() || trace.Open(options.trace))
        return true;
    Error(QStringLiteral("cannot write the trace file %1").arg(options.trace));
    return false;
}

bool Backup(const QString &dir, const RadioOptions &options)
{
    TraceFile trace;
    if (!OpenTrace(options, trace))
        return false;
    PrintLine(QStringLiteral("Резервная копия: чтение радиостанции"));
    const safety::StepResult r = safety::Backup(dir, options.port, &TerminalView(), &TerminalProgress(), &trace);
    if (!r.ok) {
        Error(QStringLiteral("резервная копия не сохранена: %1").arg(r.error));
        return false;
    }
    PrintLine(QStringLiteral("Резервная копия сохранена: %1").arg(r.path));
    return true;
}

// Empty when the radio holds what was written; else why not.
QString Verify(const ProgrammingJob &written, const RadioOptions &options)
{
    TraceFile trace;
    if (!OpenTrace(options, trace))
        return QStringLiteral("файл трассировки не открыт");
    PrintLine(QStringLiteral("Проверка: чтение радиостанции"));
    const safety::StepResult r = safety::Verify(written, options.port, &TerminalView(), &TerminalProgress(), &trace);
    if (r.ok) {
        PrintLine(QStringLiteral("Проверка: данные совпадают."));
        return QString();
    }
    if (r.error == protocol::ErrorMessage(protocol::ErrCompare))
        return QStringLiteral("прочитанное не совпадает с записанным");
    return r.error.isEmpty() ? QStringLiteral("таблицы прочитаны с ошибками") : r.error;
}

} // namespace

int RunWrite(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("input"), QStringLiteral("Configuration file to write to the radio."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("verify"), QStringLiteral("Read both tables back after writing and compare them.")});
    parser.addOption({QStringLiteral("backup"), QStringLiteral("First save what the radio holds in <dir>; write nothing if that fails."),
                      QStringLiteral("dir")});
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli write [--port COMn] --input FILE [--verify] [--backup DIR] [--trace FILE]\n"
                                                   "Writes a configuration file to the radio.\n"));
    if (parsed >= 0)
        return parsed;
    QString input;
    if (!RequireValue(parser, QStringLiteral("input"), "write", input))
        return ExitUsage;
    const bool backup = parser.isSet(QStringLiteral("backup"));
    const QString backupDir = parser.value(QStringLiteral("backup"));
    if (backup && backupDir.isEmpty()) {
        Error(QStringLiteral("--backup needs a folder"));
        return ExitUsage;
    }
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;

    Records records(FreqRangeList::DefaultPath());
    bool removed = false;
    QString error;
    if (!ConfigurationDocument::Open(input, records.channels, records.settings, removed, error)) {
        Error(error);
        return FailWrite(QStringLiteral("файл %1 не открыт").arg(input));
    }
    if (removed)
        PrintLine(QStringLiteral("При загрузке файла были удалены каналы, не соответствующие диапазону частот."));

    if (backup) {
        // The folder is checked before the radio is read for it.
        if (!safety::PrepareBackupFolder(backupDir, error)) {
            Error(QStringLiteral("резервная копия не сохранена: %1").arg(error));
            return FailWrite(QStringLiteral("резервная копия не сохранена"));
        }
        if (!Backup(backupDir, options))
            return FailWrite(QStringLiteral("резервная копия не сохранена"));
    }
    if (StopRequested())
        return FailWrite(QStringLiteral("остановлено по запросу"));

    const auto job = RunJob(records, ProgrammingJob::OpWrite, options);
    if (!job)
        return FailWrite(QStringLiteral("файл трассировки не открыт"));
    if (!job->succeeded())
        return ExitFailed;  // the job's summary is the last line
    if (!parser.isSet(QStringLiteral("verify")))
        return ExitOk;
    if (StopRequested())
        return Fail(QStringLiteral("обе таблицы записаны полностью, проверка не выполнена (остановлено по запросу)."));
    if (const QString why = Verify(*job, options); !why.isEmpty())
        return Fail(QStringLiteral("обе таблицы записаны полностью, но проверка не пройдена (%1).").arg(why));
    return ExitOk;
}

} // namespace cli
