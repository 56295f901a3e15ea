#include "cli/clicommon.h"

#include "job/writesafety.h"
#include "model/configdocument.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace cli {

int RunRead(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("output"), QStringLiteral("Configuration file to save what the radio holds; - for standard output."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("output-dir"),
                      QStringLiteral("Save the file in <dir>, named by the radio's serial number and the date and time, "
                                     "as a backup is (KD_<serial>_<date>_<time>.xml)."),
                      QStringLiteral("dir")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli read [--port COMn] (--output FILE | --output-dir DIR) [--trace FILE] "
                                                   "[--json] [--quiet]\n"
                                                   "Reads both tables from the radio and saves them as a configuration file.\n"));
    if (parsed >= 0)
        return parsed;
    if (!ReadOutputOptions(parser, true))
        return ExitUsage;
    const bool toDir = parser.isSet(QStringLiteral("output-dir"));
    QString output;
    if (toDir) {
        output = parser.value(QStringLiteral("output-dir"));
        if (output.isEmpty() || parser.isSet(QStringLiteral("output"))) {
            Error(QStringLiteral("read takes either --output FILE or --output-dir DIR"));
            return ExitUsage;
        }
    } else if (!RequireValue(parser, QStringLiteral("output"), "read", output)) {
        return ExitUsage;
    }
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;
    ReportRadio(QStringLiteral("read"), options);

    // Standard output carries the file; the log moves out of its way.
    const bool toStandardOutput = !toDir && output == QLatin1String("-");
    if (toStandardOutput)
        SendLogToStandardError();
    QString error;
    // Before the radio is read, not after: a read takes a minute.
    if (toDir && !safety::PrepareBackupFolder(output, error)) {
        Error(error);
        return Fail(QCoreApplication::translate("kd-cli", "чтение не выполнено: в папку %1 нельзя сохранить файл.").arg(output));
    }
    if (!toDir && !toStandardOutput && !ConfigurationDocument::CheckSaveTarget(output, error)) {
        Error(error);
        return Fail(QStringLiteral("чтение не выполнено: файл %1 не может быть сохранён.").arg(output));
    }

    Records records(FreqRangeList::DefaultPath());
    const auto job = RunJob(records, ProgrammingJob::OpRead, options);
    if (!job)
        return Fail(QStringLiteral("чтение не выполнено: файл трассировки не открыт."));
    ReportJob(*job, records.info);
    Report().insert(QStringLiteral("tables"), ReadTablesJson(*job));
    if (!job->succeeded())
        return ExitFor(*job);  // the job's summary is the last line
    AdoptRadioRange(records);
    if (toStandardOutput) {
        const QByteArray data = ConfigurationDocument::Serialize(records.channels, records.settings);
        if (std::fwrite(data.constData(), 1, std::size_t(data.size()), stdout) != std::size_t(data.size()) || std::fflush(stdout) != 0)
            return Fail(QStringLiteral("радиостанция прочитана, но файл не выведен."));
        return ExitOk;
    }
    if (toDir)
        output = QDir(output).filePath(safety::RadioFileName(records.info, QDateTime::currentDateTime()));
    if (!ConfigurationDocument::Save(output, records.channels, records.settings, error)) {
        Error(error);
        return Fail(QStringLiteral("радиостанция прочитана, но файл %1 не сохранён.").arg(output));
    }
    Report().insert(QStringLiteral("file"), output);
    OutputLine(QStringLiteral("Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
