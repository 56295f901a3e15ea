#include "cli/clicommon.h"

#include "config/configdocument.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>

namespace cli {
namespace {

// Reads the radio into scratch records and saves them in `dir` under a name
// carrying its serial number and the time.
bool Backup(const QString &dir, const RadioOptions &options)
{
    Records radio{QString()};
    PrintLine(QStringLiteral("Резервная копия: чтение радиостанции"));
    if (!Succeeded(RunJob(radio, ProgrammingJob::OpRead, options))) {
        Error(QStringLiteral("the radio could not be read for the backup; nothing was written"));
        return false;
    }
    AdoptRadioRange(radio);
    const std::uint32_t serialNumber = radio.info.serialNumber;
    const QString serial = serialNumber == 0xFFFFFFFFu ? QStringLiteral("none") : QString::number(serialNumber);
    const QString name = QStringLiteral("KD_%1_%2.xml")
                             .arg(serial, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name);
    QString error;
    if (!ConfigurationDocument::Save(path, radio.channels, radio.settings, error)) {
        Error(error + QStringLiteral("; nothing was written"));
        return false;
    }
    PrintLine(QStringLiteral("Резервная копия сохранена: %1").arg(path));
    return true;
}

// Reads both tables back and compares them with what was sent.
bool Verify(const ProgrammingJob &written, const RadioOptions &options)
{
    Records back{QString()};
    PrintLine(QStringLiteral("Проверка: чтение радиостанции"));
    const auto job = RunJob(back, ProgrammingJob::OpRead, options);
    if (!job || !job->completed()) {
        Error(QStringLiteral("the radio could not be read back"));
        return false;
    }
    const bool same = written.channelImage().bytes == job->channelImage().bytes
                   && written.settingsImage().bytes == job->settingsImage().bytes;
    if (!same) {
        PrintLine(protocol::ErrorMessage(protocol::ErrCompare));
        return false;
    }
    if (!job->succeeded())
        return false;
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
