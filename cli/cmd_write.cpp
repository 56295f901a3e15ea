#include "cli/clicommon.h"

#include "job/writesafety.h"
#include "link/protocol.h"
#include "model/configdocument.h"


namespace cli {
namespace {

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
        Error(r.error + QStringLiteral("; nothing was written"));
        return false;
    }
    PrintLine(QStringLiteral("Резервная копия сохранена: %1").arg(r.path));
    return true;
}

bool Verify(const ProgrammingJob &written, const RadioOptions &options)
{
    TraceFile trace;
    if (!OpenTrace(options, trace))
        return false;
    PrintLine(QStringLiteral("Проверка: чтение радиостанции"));
    const safety::StepResult r = safety::Verify(written, options.port, &TerminalView(), &TerminalProgress(), &trace);
    if (!r.ok) {
        if (r.error != protocol::ErrorMessage(protocol::ErrCompare) && !r.error.isEmpty())
            Error(r.error);
        return false;
    }
    PrintLine(QStringLiteral("Проверка: данные совпадают."));
    return true;
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
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;

    Records records(FreqRangeList::DefaultPath());
    bool removed = false;
    QString error;
    if (!ConfigurationDocument::Open(input, records.channels, records.settings, removed, error)) {
        Error(error);
        return ExitFailed;
    }
    if (removed)
        PrintLine(QStringLiteral("При загрузке файла были удалены каналы, не соответствующие диапазону частот."));

    if (parser.isSet(QStringLiteral("backup")) && !Backup(parser.value(QStringLiteral("backup")), options))
        return ExitFailed;

    const auto job = RunJob(records, ProgrammingJob::OpWrite, options);
    if (!Succeeded(job))
        return ExitFailed;
    if (parser.isSet(QStringLiteral("verify")) && !Verify(*job, options))
        return ExitFailed;
    return ExitOk;
}

} // namespace cli
