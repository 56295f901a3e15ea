#include "cli/clicommon.h"

#include "link/portdirectory.h"

#include <QJsonArray>

namespace cli {

int RunPorts(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli ports [--json]\n"
                                                   "Lists the serial ports as the port dialog does: name, device and\n"
                                                   "description, separated by tabs, one port a line.\n"));
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
