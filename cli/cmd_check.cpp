#include "cli/clicommon.h"

#include "model/configdocument.h"
#include "model/freqrangelist.h"
#include "model/valuecheck.h"
#include "xml/xml_common.h"

#include <QJsonArray>

namespace cli {

int RunCheck(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("input"), QStringLiteral("Configuration file to check."), QStringLiteral("file")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli check --input FILE [--json] [--quiet]\n"
                                                   "Reads a configuration file as opening it would, without changing anything,\n"
                                                   "and tells what it holds and what opening or writing would drop or refuse.\n"
                                                   "Exit status 1 when the file cannot be opened or a write of it would be refused.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, true);
    QString input;
    if (!RequireValue(parser, QStringLiteral("input"), "check", input))
        return ExitUsage;
    QJsonObject &report = Report();
    report.insert(QStringLiteral("operation"), QStringLiteral("check"));
    report.insert(QStringLiteral("file"), input);

    ConfigurationDocument::Contents file;
    QString error;
    if (!ConfigurationDocument::Read(input, file, error)) {
        Error(error);
        return Fail(QStringLiteral("файл %1 не может быть открыт.").arg(input));
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
    const QString version = QString::asprintf("%d.%d", file.settings.version >> 8, file.settings.version & 0xFF);
    PrintLine(QStringLiteral("Версия таблицы настроек: ") + version);
    report.insert(QStringLiteral("range"), against.ToText());
    report.insert(QStringLiteral("settingsVersion"), version);

    QStringList outside;
    QJsonArray outsideJson;
    int used = 0;
    PrintLine(QStringLiteral("Каналы (приём / передача, Гц):"));
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        const Channel &c = file.channels[n];
        if (!c.IsUsed())
            continue;
        ++used;
        auto hz = [](std::int32_t f) { return f > 0 ? GroupDigits(QString::number(f)) : QStringLiteral("-"); };
        PrintLine(QStringLiteral("  %1: %2 / %3").arg(n, 2).arg(hz(c.freq_rx), hz(c.freq_tx)));
        if ((c.HasRx() && !against.ContainsRx(std::uint32_t(c.freq_rx))) || (c.HasTx() && !against.ContainsTx(std::uint32_t(c.freq_tx)))) {
            outside << QString::number(n);
            outsideJson.append(n);
        }
    }
    report.insert(QStringLiteral("channelsUsed"), used);
    report.insert(QStringLiteral("channelsOutsideRange"), outsideJson);
    PrintLine(QStringLiteral("Используемых каналов: %1").arg(used));
    if (!outside.isEmpty())
        PrintLine(QStringLiteral("При открытии будут удалены каналы вне диапазона: %1").arg(outside.join(QStringLiteral(", "))));

    // Every field a table can carry: the radio's settings version is not known here.
    const QList<ValueFinding> findings = CheckValues(file.channels, file.settings, SettingsContext::Version102);
    int refused = 0;
    QJsonArray findingsJson;
    for (const ValueFinding &f : findings) {
        const bool error = f.severity == ValueFinding::Refused;
        refused += error;
        PrintLine((error ? QStringLiteral("Ошибка: ") : QStringLiteral("Предупреждение: ")) + f.text);
        findingsJson.append(QJsonObject{{QStringLiteral("severity"), error ? QStringLiteral("error") : QStringLiteral("warning")},
                                        {QStringLiteral("text"), f.text}});
    }
    report.insert(QStringLiteral("findings"), findingsJson);
    if (refused > 0)
        return Fail(QStringLiteral("запись этого файла будет отклонена: значений, которые радиостанция не примет без изменения: %1.")
                        .arg(refused));
    if (outside.isEmpty() && findings.isEmpty())
        OutputLine(QStringLiteral("Замечаний нет."));
    return ExitOk;
}

} // namespace cli
