#include "cli/clicommon.h"

#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"

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

    ChannelsContext channels(FreqRangeList::DefaultPath());
    SettingsContext settings;
    TInfoContext info;
    const auto job = RunJob(channels, settings, info, ProgrammingJob::OpInfo, options);
    if (!Succeeded(job))
        return ExitFailed;
    PrintLine(QString());
    Print(info.BuildReport());
    return ExitOk;
}

} // namespace cli
