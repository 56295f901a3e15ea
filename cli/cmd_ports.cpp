#include "cli/clicommon.h"

#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace cli {

int RunPorts(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QCoreApplication::translate("kd-cli", "Использование: kd-cli ports [--json]\n"
                                                                               "Перечисляет последовательные порты, как окно выбора порта: имя, устройство\n"
                                                                               "и описание через табуляцию, по одному порту в строке.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, true);

    // The port a radio command takes without --port.
    const int chosen = ports::ChooseInitialPort();
    QJsonArray list;
    for (const ports::PortEntry &p : ports::ListPorts()) {
        if (!JsonWanted())
            OutputLine(QStringLiteral("%1\t%2\t%3").arg(ports::PortName(p.number), p.device, p.description));
        list.append(QJsonObject{{QStringLiteral("name"), ports::PortName(p.number)},
                                {QStringLiteral("device"), p.device},
                                {QStringLiteral("description"), p.description},
                                {QStringLiteral("default"), p.number == chosen}});
    }
    Report().insert(QStringLiteral("operation"), QStringLiteral("ports"));
    Report().insert(QStringLiteral("ports"), list);
    return ExitOk;
}

} // namespace cli
