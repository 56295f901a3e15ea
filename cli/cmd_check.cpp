// kd-cli check: a configuration file read as opening it would read it, and what opening or
// writing it would remove or refuse.

#include "cli/clicommon.h"

#include "model/configdocument.h"
#include "model/freqrangelist.h"
#include "model/valuecheck.h"
#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace cli {

int RunCheck(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("input"), QCoreApplication::translate("kd-cli", "Файл конфигурации для проверки."), QCoreApplication::translate("kd-cli", "файл")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QCoreApplication::translate("kd-cli", "Использование: kd-cli check --input ФАЙЛ [--json] [--quiet]\n"
                                                                               "Читает файл конфигурации так же, как при открытии, ничего не меняя, и сообщает,\n"
                                                                               "что в нём, и что при открытии или записи будет удалено или отклонено.\n"
                                                                               "Код завершения 1, если файл не открывается или его запись будет отклонена.\n"));
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
        return Fail(QCoreApplication::translate("kd-cli", "файл %1 не может быть открыт.").arg(input));
    }

    // The range the channels would be checked against: the file's own when it
    // is valid, else the one the range list makes current at start.
    FreqRange against = file.range;
    const bool rangeValid = file.range.IsValid();
    if (rangeValid) {
        PrintLine(QCoreApplication::translate("kd-cli", "Диапазон: %1%2")
                      .arg(file.range.ToText(),
                           file.rangeFromFile ? QString() : QCoreApplication::translate("kd-cli", " (в файле нет, по умолчанию)")));
    } else {
        FreqRangeList list;
        list.Load(FreqRangeList::DefaultPath());
        against = list.Current();
        PrintLine(QCoreApplication::translate("kd-cli", "Диапазон файла отклонён: %1; проверка по %2").arg(file.range.ToText(), against.ToText()));
    }
    const QString version = QString::asprintf("%d.%d", file.settings.version >> 8, file.settings.version & 0xFF);
    PrintLine(QCoreApplication::translate("kd-cli", "Версия таблицы настроек: %1").arg(version));
    report.insert(QStringLiteral("range"), against.ToText());
    report.insert(QStringLiteral("settingsVersion"), version);

    QStringList outside;
    QJsonArray outsideJson;
    std::array<Channel, ChannelsContext::Count> kept = file.channels;  // as opening leaves them
    int used = 0;
    PrintLine(QCoreApplication::translate("kd-cli", "Каналы (приём / передача, Гц):"));
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
            kept[std::size_t(n)].Reset();
        }
    }
    report.insert(QStringLiteral("channelsUsed"), used);
    report.insert(QStringLiteral("channelsOutsideRange"), outsideJson);
    PrintLine(QCoreApplication::translate("kd-cli", "Используемых каналов: %1").arg(used));
    if (!outside.isEmpty())
        PrintLine(QCoreApplication::translate("kd-cli", "При открытии будут удалены каналы вне диапазона: %1").arg(outside.join(QStringLiteral(", "))));

    // The channels that stay, and the settings fields of the version the file
    // carries: a 1.00 table has no StartupMode to refuse.
    const QList<ValueFinding> findings = CheckValues(kept, file.settings, file.settings.version);
    int refused = 0;
    QJsonArray findingsJson;
    for (const ValueFinding &f : findings) {
        const bool error = f.severity == ValueFinding::Refused;
        refused += error;
        PrintLine(FindingLine(f));
        findingsJson.append(QJsonObject{{QStringLiteral("severity"), error ? QStringLiteral("error") : QStringLiteral("warning")},
                                        {QStringLiteral("text"), f.text}});
    }
    report.insert(QStringLiteral("findings"), findingsJson);
    if (refused > 0)
        return Fail(QCoreApplication::translate("kd-cli", "запись этого файла будет отклонена: значений, которые радиостанция не примет без изменения: %1.")
                        .arg(refused));
    if (outside.isEmpty() && findings.isEmpty())
        OutputLine(QCoreApplication::translate("kd-cli", "Замечаний нет."));
    return ExitOk;
}

} // namespace cli
