#include "cli/clicommon.h"

namespace cli {

int RunInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    const int parsed = ParseCommand(parser, arguments, QStringLiteral("Usage: kd-cli info [--port COMn] [--trace FILE]\n"
                                                                      "Reads the radio's identification and prints its report.\n"));
    if (parsed >= 0)
        return parsed;
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;

    Records records(FreqRangeList::DefaultPath());
    const auto job = RunJob(records, ProgrammingJob::OpInfo, options);
    if (!job)
        return Fail(QStringLiteral("информация о станции не получена: файл трассировки не открыт."));
    if (!job->succeeded())
        return ExitFailed;  // the job's summary is the last line
    PrintLine(QString());
    Print(records.info.BuildReport());
    return ExitOk;
}

} // namespace cli
