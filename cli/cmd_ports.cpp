// kd-cli ports: the serial ports, and with --probe what answers on each.

#include "cli/clicommon.h"
#include "cli/portlist.h"

#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <algorithm>

namespace cli {

int RunPorts(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("probe"),
                      QCoreApplication::translate("kd-cli", "Спросить каждый порт, все сразу, о радиостанции и показать, "
                                                            "какая отвечает на нём или почему нет (занят, нет прав, нет ответа). "
                                                            "Порт, занятый другой программой, не затрагивается.")});
    parser.addOption({QStringLiteral("port"),
                      QCoreApplication::translate("kd-cli", "С --probe: спросить только эти порты (COMn или устройства, через запятую)."),
                      QStringLiteral("COMn,...")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QCoreApplication::translate("kd-cli", "Использование: kd-cli ports [--probe [--port COMn,...]] [--json]\n"
                                                                               "Перечисляет последовательные порты, как окно выбора порта: имя, устройство\n"
                                                                               "и описание через табуляцию, по одному порту в строке; с --probe — ещё и то,\n"
                                                                               "что ответило на порту.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, true);
    const bool probe = parser.isSet(QStringLiteral("probe"));
    if (parser.isSet(QStringLiteral("port")) && !probe) {
        Error(QCoreApplication::translate("kd-cli", "--port у команды ports действует только вместе с --probe"));
        return ExitUsage;
    }

    // The port a radio command takes without --port.
    const int chosen = ports::ChooseInitialPort();
    QJsonArray list;
    Report().insert(QStringLiteral("operation"), QStringLiteral("ports"));
    if (probe) {
        QList<ports::PortEntry> entries = ports::ListPorts();
        if (parser.isSet(QStringLiteral("port"))) {
            QList<int> numbers;
            if (const int r = ResolvePortList(PortEntries(parser), numbers); r >= 0)
                return r;
            entries = ProbeEntries(numbers);
        }
        const QList<PortFinding> findings = ProbeAndList(entries, list, chosen);
        const auto radios = std::count_if(findings.begin(), findings.end(),
                                          [](const PortFinding &f) { return f.kind == PortFinding::Radio; });
        PrintLine(QCoreApplication::translate("kd-cli", "Радиостанций найдено: %1, портов опрошено: %2.").arg(radios).arg(findings.size()));
        Report().insert(QStringLiteral("ports"), list);
        Report().insert(QStringLiteral("radios"), qint64(radios));
        return ExitOk;
    }
    for (const ports::PortEntry &p : ports::ListPorts()) {
        if (!JsonWanted())
            OutputLine(QStringLiteral("%1\t%2\t%3").arg(ports::PortName(p.number), p.device, p.description));
        list.append(QJsonObject{{QStringLiteral("name"), ports::PortName(p.number)},
                                {QStringLiteral("device"), p.device},
                                {QStringLiteral("description"), p.description},
                                {QStringLiteral("default"), p.number == chosen}});
    }
    Report().insert(QStringLiteral("ports"), list);
    return ExitOk;
}

} // namespace cli
