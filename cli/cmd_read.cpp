#include "cli/clicommon.h"

#include "model/configdocument.h"

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
    QString output;
    if (!RequireValue(parser, QStringLiteral("output"), "read", output))
        return ExitUsage;
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;

    Records records(FreqRangeList::DefaultPath());
    if (!Succeeded(RunJob(records, ProgrammingJob::OpRead, options))) {
        Error(QStringLiteral("the radio was not read; %1 was not written").arg(output));
        return ExitFailed;
    }
    AdoptRadioRange(records);
    QString error;
    if (!ConfigurationDocument::Save(output, records.channels, records.settings, error)) {
        Error(error);
        return ExitFailed;
    }
    PrintLine(QStringLiteral("Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
