#include "cli/clicommon.h"

#include "config/configdocument.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"

namespace cli {

int RunRead(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("output"), QStringLiteral("Configuration file to save what the radio holds."), QStringLiteral("file")});
    const int parsed = ParseCommand(parser, arguments, QStringLiteral("Usage: kd-cli read [--port COMn] --output FILE [--trace FILE]\n"
                                                                      "Reads both tables from the radio and saves them as a configuration file.\n"));
    if (parsed >= 0)
        return parsed;
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty()) {
        Error(QStringLiteral("read needs --output FILE"));
        return ExitUsage;
    }
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;

    ChannelsContext channels(FreqRangeList::DefaultPath());
    SettingsContext settings;
    TInfoContext info;
    const auto job = RunJob(channels, settings, info, ProgrammingJob::OpRead, options);
    if (!Succeeded(job)) {
        Error(QStringLiteral("the radio was not read; %1 was not written").arg(output));
        return ExitFailed;
    }
    AdoptRadioRange(channels, info);
    QString error;
    if (!ConfigurationDocument::Save(output, channels, settings, error)) {
        Error(error);
        return ExitFailed;
    }
    PrintLine(QStringLiteral("Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
