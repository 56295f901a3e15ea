#include "cli/clicommon.h"

#include "model/configdocument.h"
#include "xml/xml_common.h"
#include "model/freqrangelist.h"

namespace cli {

int RunCheck(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("input"), QStringLiteral("Configuration file to check."), QStringLiteral("file")});
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli check --input FILE\n"
                                                   "Reads a configuration file as opening it would, without changing anything,\n"
                                                   "and tells what it holds and what opening or writing would drop.\n"));
    if (parsed >= 0)
        return parsed;
    QString input;
    if (!RequireValue(parser, QStringLiteral("input"), "check", input))
        return ExitUsage;

    ConfigurationDocument::Contents file;
    QString error;
    if (!ConfigurationDocument::Read(input, file, error)) {
        Error(error);
        return ExitFailed;
    }

    // The range the channels would be checked against: the file's own when it
    // is valid, else the one the range list makes current at start.
    FreqRange against = file.range;
    const bool rangeValid = file.range.IsValid();
    if (rangeValid) {
        PrintLine(QStringLiteral("Диапазон: %1%2").arg(file.range.ToText(),
                                                      file.rangeFromFile ? QString() : QStringLiteral(" (в файле нет, по умолчанию)")));
    } else {
        FreqRangeList list;
        list.Load(FreqRangeList::DefaultPath());
        against = list.Current();
        PrintLine(QStringLiteral("Диапазон файла отклонён: %1; проверка по %2").arg(file.range.ToText(), against.ToText()));
    }
    PrintLine(QString::asprintf("Версия таблицы настроек: %d.%d", file.settings.version >> 8, file.settings.version & 0xFF));

    QStringList outside, unwritable;
    int used = 0;
    PrintLine(QStringLiteral("Каналы (приём / передача, Гц):"));
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        const Channel &c = file.channels[n];
        if (!c.IsUsed())
            continue;
        ++used;
        auto hz = [](std::int32_t f) { return f > 0 ? GroupDigits(QString::number(f)) : QStringLiteral("-"); };
        PrintLine(QStringLiteral("  %1: %2 / %3").arg(n, 2).arg(hz(c.freq_rx), hz(c.freq_tx)));
        if ((c.HasRx() && !against.ContainsRx(std::uint32_t(c.freq_rx))) || (c.HasTx() && !against.ContainsTx(std::uint32_t(c.freq_tx))))
            outside << QString::number(n);
        else if (!c.FitsRecord())
            unwritable << QString::number(n);
    }
    PrintLine(QStringLiteral("Используемых каналов: %1").arg(used));
    if (!outside.isEmpty())
        PrintLine(QStringLiteral("При открытии будут удалены каналы вне диапазона: %1").arg(outside.join(QStringLiteral(", "))));
    if (!unwritable.isEmpty())
        PrintLine(QStringLiteral("Частоты не могут быть записаны в радиостанцию, запись будет отклонена: каналы %1")
                      .arg(unwritable.join(QStringLiteral(", "))));
    if (outside.isEmpty() && unwritable.isEmpty())
        PrintLine(QStringLiteral("Замечаний нет."));
    return ExitOk;
}

} // namespace cli
