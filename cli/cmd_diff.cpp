// kd-cli diff: how the radio differs from what a file would write into it; nothing is written.

#include "cli/clicommon.h"

#include "model/configdiff.h"
#include "model/configdocument.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <set>

namespace cli {
namespace {

QString Shown(const QString &value)
{
    return value.isEmpty() ? QCoreApplication::translate("kd-cli", "нет") : value;
}

QJsonObject DifferenceJson(const QString &table, const ConfigDiff::Difference &d)
{
    QJsonObject o{{QStringLiteral("table"), table},
                  {QStringLiteral("field"), d.field},
                  {QStringLiteral("radio"), d.left},
                  {QStringLiteral("file"), d.right}};
    if (d.channel >= 0)
        o.insert(QStringLiteral("channel"), d.channel);
    return o;
}

} // namespace

int RunDiff(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("input"), QCoreApplication::translate("kd-cli", "Файл конфигурации, с которым сравнить радиостанцию."), QCoreApplication::translate("kd-cli", "файл")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(
        parser, arguments,
        QCoreApplication::translate("kd-cli",
                                    "Использование: kd-cli diff [--port COMn] --input ФАЙЛ [--trace ФАЙЛ] [--json] [--quiet]\n"
                                    "Читает радиостанцию и перечисляет, канал за каналом и настройку за настройкой, чем\n"
                                    "радиостанция отличается от того, что записал бы ФАЙЛ, в том виде, в каком их хранит\n"
                                    "радиостанция. Ничего не записывается. Код завершения 0, если отличий нет, 1, если\n"
                                    "они есть (или радиостанцию не удалось прочитать; тогда последняя строка \"Итог: ...\").\n"));
    if (parsed >= 0)
        return parsed;
    if (!ReadOutputOptions(parser, true))
        return ExitUsage;
    QString input;
    if (!RequireValue(parser, QStringLiteral("input"), "diff", input))
        return ExitUsage;
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;
    ReportRadio(QStringLiteral("diff"), options);

    // The file as a write would open it; the range list stays in memory, since
    // a comparison changes nothing.
    Records file{QString()};
    file.channels.ranges.Load(FreqRangeList::DefaultPath());
    bool removed = false;
    QString error;
    QList<int> removedChannels;
    if (!ConfigurationDocument::Open(input, file.channels, file.settings, removed, error, &removedChannels)) {
        Error(error);
        return Fail(QCoreApplication::translate("kd-cli", "сравнение не выполнено (файл %1 не открыт).").arg(input));
    }
    if (removed)
        PrintLine(ConfigurationDocument::RemovedMessage(removedChannels));

    Records radio{QString()};
    const auto job = RunJob(radio, ProgrammingJob::OpRead, options);
    if (!job)
        return Fail(QCoreApplication::translate("kd-cli", "сравнение не выполнено: файл трассировки не открыт."));
    ReportJob(*job, radio.info);
    Report().insert(QStringLiteral("tables"), ReadTablesJson(*job));
    if (!job->succeeded())
        return ExitFor(*job);  // the job's summary is the last line

    QJsonArray differences;
    std::set<int> channels;
    for (const ConfigDiff::Difference &d : ConfigDiff::CompareChannels(radio.channels.channels, file.channels.channels)) {
        channels.insert(d.channel);
        OutputLine(QCoreApplication::translate("kd-cli", "Канал %1: %2: в радиостанции %3, в файле %4").arg(d.channel).arg(d.field, Shown(d.left), Shown(d.right)));
        differences.append(DifferenceJson(QStringLiteral("channels"), d));
    }
    // The version the radio takes, as a write would build it.
    const std::uint16_t version = radio.info.settingsTableVersion ? radio.info.settingsTableVersion : SettingsContext::Version100;
    const QList<ConfigDiff::Difference> settings = ConfigDiff::CompareSettings(radio.settings, file.settings, version);
    for (const ConfigDiff::Difference &d : settings) {
        OutputLine(QCoreApplication::translate("kd-cli", "Настройка %1: в радиостанции %2, в файле %3").arg(d.field, Shown(d.left), Shown(d.right)));
        differences.append(DifferenceJson(QStringLiteral("settings"), d));
    }
    // A write of this file would be refused: worth saying, and a difference.
    const FreqRange fileRange = file.channels.ranges.Current();
    const bool rangeDiffers = !radio.info.range.Equals(fileRange);
    if (rangeDiffers) {
        OutputLine(QCoreApplication::translate("kd-cli", "Диапазон частот: в радиостанции %1, в файле %2 (запись будет отклонена)")
                       .arg(radio.info.range.ToText(), fileRange.ToText()));
        differences.append(DifferenceJson(QStringLiteral("range"), {-1, QStringLiteral("FreqRange"), radio.info.range.ToText(),
                                                                    fileRange.ToText()}));
    }
    Report().insert(QStringLiteral("differences"), differences);
    Report().insert(QStringLiteral("differs"), !differences.isEmpty());
    if (differences.isEmpty()) {
        OutputLine(QCoreApplication::translate("kd-cli", "Отличий нет: в радиостанции те же каналы и настройки, что и в файле."));
        return ExitOk;
    }
    OutputLine(QCoreApplication::translate("kd-cli", "Отличаются каналов: %1, настроек: %2.%3")
                   .arg(channels.size())
                   .arg(settings.size())
                   .arg(rangeDiffers ? QCoreApplication::translate("kd-cli", " Диапазон частот не совпадает.") : QString()));
    return ExitFailed;
}

} // namespace cli
