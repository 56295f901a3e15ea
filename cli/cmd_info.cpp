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
    if (!Succeeded(RunJob(records, ProgrammingJob::OpInfo, options)))
        return ExitFailed;
    PrintLine(QString());
    Print(records.info.BuildReport());
    return ExitOk;
}

} // namespace cli
