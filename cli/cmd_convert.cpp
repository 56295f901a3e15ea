// kd-cli convert: a configuration file to a CSV channel table and back, by the files' extensions.

#include "cli/clicommon.h"

#include "model/channelcsv.h"
#include "model/configdocument.h"
#include "model/freqrangelist.h"

#include <QCoreApplication>

namespace cli {
namespace {

enum class Format { Unknown, Config, Csv };

Format FormatOf(const QString &path)
{
    if (ChannelCsv::IsCsvPath(path))
        return Format::Csv;
    if (path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        return Format::Config;
    return Format::Unknown;
}

bool Fits(const ChannelCsv::Channels &channels, const FreqRange &range)
{
    for (const Channel &c : channels)
        if ((c.HasRx() && !range.ContainsRx(std::uint32_t(c.freq_rx))) ||
            (c.HasTx() && !range.ContainsTx(std::uint32_t(c.freq_tx))))
            return false;
    return true;
}

// Reads a configuration file as opening it would leave the table: its range
// becomes current when valid, channels outside the current range are removed.
bool ReadConfig(const QString &path, ChannelsContext &table, SettingsContext &settings)
{
    ConfigurationDocument::Contents contents;
    QString error;
    if (!ConfigurationDocument::Read(path, contents, error)) {
        Error(error);
        return false;
    }
    if (contents.range.IsValid())
        table.ranges.Select(table.ranges.Add(&contents.range));
    table.channels = contents.channels;
    settings = contents.settings;
    const ChannelCsv::Channels read = table.channels;
    if (!table.RemoveOutOfRange()) {
        QString range;
        table.ranges.CurrentText(range);
        for (int n = 0; n < ChannelsContext::Count; ++n)
            if (read[std::size_t(n)].IsUsed() && !table.channels[std::size_t(n)].IsUsed())
                PrintLine(QCoreApplication::translate(
                              "kd-cli", "Канал %1: частоты вне диапазона %2 — канал удалён, как при открытии файла.")
                              .arg(n, 2, 10, QLatin1Char('0'))
                              .arg(range));
    }
    return true;
}

// Reads a CSV table against the first range of the range list that holds all
// its channels; when none does, against the current one, which removes those
// outside it.
bool ReadCsv(const QString &path, ChannelsContext &table)
{
    ChannelCsv::ImportResult result;
    QString error;
    if (!ChannelCsv::Read(path, ChannelCsv::DefaultPowerWatts, result, error)) {
        Error(error);
        return false;
    }
    for (int i = 0; i < table.ranges.count(); ++i) {
        if (Fits(result.channels, table.ranges.at(i))) {
            table.ranges.Select(i);
            break;
        }
    }
    ChannelCsv::Adopt(result, table);
    for (const QString &line : result.Report())
        PrintLine(line);
    PrintLine(result.Summary());
    return result.carried > 0;
}

} // namespace

int RunConvert(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("input"), QCoreApplication::translate("kd-cli", "Файл для чтения (.xml или .csv)."), QCoreApplication::translate("kd-cli", "файл")});
    parser.addOption(
        {QStringLiteral("output"), QCoreApplication::translate("kd-cli", "Файл для записи (.xml или .csv)."), QCoreApplication::translate("kd-cli", "файл")});
    AddOutputOptions(parser, false);
    const int parsed = ParseCommand(
        parser, arguments,
        QCoreApplication::translate(
            "kd-cli",
            "Использование: kd-cli convert --input ФАЙЛ --output ФАЙЛ [--quiet]\n"
            "Преобразует файл конфигурации (.xml) в таблицу каналов в формате CSV распространённых\n"
            "программаторов радиостанций (.csv) и обратно, по расширению каждого файла, и сообщает,\n"
            "что перенести не удалось. Таблица CSV получает первый диапазон из списка диапазонов,\n"
            "в который входят все её каналы, и настройки по умолчанию.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, false);
    QString input, output;
    if (!RequireValue(parser, QStringLiteral("input"), "convert", input) ||
        !RequireValue(parser, QStringLiteral("output"), "convert", output))
        return ExitUsage;
    const Format from = FormatOf(input);
    const Format to = FormatOf(output);
    if (from == Format::Unknown || to == Format::Unknown) {
        Error(QCoreApplication::translate("kd-cli", "convert принимает файлы *.xml или *.csv, а не \"%1\"")
                  .arg(from == Format::Unknown ? input : output));
        return ExitUsage;
    }

    // The range list stays in memory: converting never changes the stored one.
    ChannelsContext table{QString()};
    table.ranges.Load(FreqRangeList::DefaultPath());
    SettingsContext settings;
    const bool read = from == Format::Csv ? ReadCsv(input, table) : ReadConfig(input, table, settings);
    if (!read) {
        Error(QCoreApplication::translate("kd-cli", "%1 не записан").arg(output));
        return ExitFailed;
    }
    QString range;
    table.ranges.CurrentText(range);
    PrintLine(QCoreApplication::translate("kd-cli", "Диапазон: %1").arg(range));

    QString error;
    if (to == Format::Csv) {
        ChannelCsv::ExportResult result;
        if (!ChannelCsv::Save(output, table.channels, ChannelCsv::DefaultPowerWatts, result, error)) {
            Error(error);
            return ExitFailed;
        }
        for (const QString &line : result.notes)
            PrintLine(line);
        PrintLine(ChannelCsv::ExportLimits());
        PrintLine(QCoreApplication::translate("kd-cli", "Выгружено каналов: %1").arg(result.written));
    } else if (!ConfigurationDocument::Save(output, table, settings, error)) {
        Error(error);
        return ExitFailed;
    }
    OutputLine(QCoreApplication::translate("kd-cli", "Файл сохранён: %1").arg(output));
    return ExitOk;
}

} // namespace cli
