// kd-cli read: both tables of a radio saved as a configuration file.

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
    parser.addOption({QStringLiteral("output"), QCoreApplication::translate("kd-cli", "Файл конфигурации, в который сохранить содержимое радиостанции; - для стандартного вывода."),
                      QCoreApplication::translate("kd-cli", "файл")});
    parser.addOption({QStringLiteral("output-dir"),
                      QCoreApplication::translate("kd-cli", "Сохранить файл в <папку> под именем из серийного номера радиостанции, "
                                                            "даты и времени, как резервную копию (KD_<серийный номер>_<дата>_<время>.xml)."),
                      QCoreApplication::translate("kd-cli", "папка")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QCoreApplication::translate("kd-cli", "Использование: kd-cli read [--port COMn] (--output ФАЙЛ | --output-dir ПАПКА) "
                                                                               "[--trace ФАЙЛ] [--json] [--quiet]\n"
                                                                               "Читает обе таблицы радиостанции и сохраняет их в файл конфигурации.\n"));
    if (parsed >= 0)
        return parsed;
    if (!ReadOutputOptions(parser, true))
        return ExitUsage;
    const bool toDir = parser.isSet(QStringLiteral("output-dir"));
    QString output;
    if (toDir) {
        output = parser.value(QStringLiteral("output-dir"));
        if (output.isEmpty() || parser.isSet(QStringLiteral("output"))) {
            Error(QCoreApplication::translate("kd-cli", "read принимает либо --output ФАЙЛ, либо --output-dir ПАПКА"));
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
        return Fail(QCoreApplication::translate("kd-cli", "чтение не выполнено: файл %1 не может быть сохранён.").arg(output));
    }

    Records records(FreqRangeList::DefaultPath());
    const auto job = RunJob(records, ProgrammingJob::OpRead, options);
    if (!job)
        return Fail(QCoreApplication::translate("kd-cli", "чтение не выполнено: файл трассировки не открыт."));
    ReportJob(*job, records.info);
    Report().insert(QStringLiteral("tables"), ReadTablesJson(*job));
    if (!job->succeeded())
        return ExitFor(*job);  // the job's summary is the last line
    AdoptRadioRange(records);
    if (toStandardOutput) {
        const QByteArray data = ConfigurationDocument::Serialize(records.channels, records.settings);
        if (std::fwrite(data.constData(), 1, std::size_t(data.size()), stdout) != std::size_t(data.size()) || std::fflush(stdout) != 0)
            return Fail(QCoreApplication::translate("kd-cli", "радиостанция прочитана, но файл не выведен."));
        return ExitOk;
    }
    if (toDir)
        output = QDir(output).filePath(safety::RadioFileName(records.info, QDateTime::currentDateTime()));
    if (!ConfigurationDocument::Save(output, records.channels, records.settings, error)) {
        Error(error);
        return Fail(QCoreApplication::translate("kd-cli", "радиостанция прочитана, но файл %1 не сохранён.").arg(output));
    }
    Report().insert(QStringLiteral("file"), output);
    OutputLine(QCoreApplication::translate("kd-cli", "Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
