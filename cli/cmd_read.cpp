#include "cli/clicommon.h"

#include "model/configdocument.h"

namespace cli {

int RunRead(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("output"), QStringLiteral("Configuration file to save what the radio holds; - for standard output."),
                      QStringLiteral("file")});
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

    // Standard output carries the file; the log moves out of its way.
    const bool toStandardOutput = output == QLatin1String("-");
    if (toStandardOutput)
        SendLogToStandardError();
    QString error;
    // Before the radio is read, not after: a read takes a minute.
    if (!toStandardOutput && !ConfigurationDocument::CheckSaveTarget(output, error)) {
        Error(error);
        return Fail(QStringLiteral("чтение не выполнено: файл %1 не может быть сохранён.").arg(output));
    }

    Records records(FreqRangeList::DefaultPath());
    const auto job = RunJob(records, ProgrammingJob::OpRead, options);
    if (!job)
        return Fail(QStringLiteral("чтение не выполнено: файл трассировки не открыт."));
    if (!job->succeeded())
        return ExitFailed;  // the job's summary is the last line
    AdoptRadioRange(records);
    if (toStandardOutput) {
        const QByteArray data = ConfigurationDocument::Serialize(records.channels, records.settings);
        if (std::fwrite(data.constData(), 1, std::size_t(data.size()), stdout) != std::size_t(data.size()) || std::fflush(stdout) != 0)
            return Fail(QStringLiteral("радиостанция прочитана, но файл не выведен."));
        return ExitOk;
    }
    if (!ConfigurationDocument::Save(output, records.channels, records.settings, error)) {
        Error(error);
        return Fail(QStringLiteral("радиостанция прочитана, но файл %1 не сохранён.").arg(output));
    }
    PrintLine(QStringLiteral("Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
