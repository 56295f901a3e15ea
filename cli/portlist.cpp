// Port lists split and resolved, two names of one device refused, and the probe's lines and JSON.

#include "cli/portlist.h"

#include <QCoreApplication>
#include <QHash>

namespace cli {
namespace {

QJsonValue RadioJson(const TInfoContext &info)
{
    return QJsonObject{{QStringLiteral("type"), info.radioType},
                       {QStringLiteral("serialNumber"), SerialJson(info)},
                       {QStringLiteral("programmerVersion"), info.programmerVersion},
                       {QStringLiteral("settingsTableVersion"),
                        QString::asprintf("%d.%d", info.settingsTableVersion >> 8, info.settingsTableVersion & 0xFF)},
                       {QStringLiteral("range"), info.range.ToText()}};
}

} // namespace

QStringList PortEntries(const QCommandLineParser &parser)
{
    QStringList entries;
    for (const QString &value : parser.values(QStringLiteral("port"))) {
        for (const QString &entry : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
            entries << entry.trimmed();
    }
    return entries;
}

bool IsAllProbed(const QStringList &entries)
{
    return entries.size() == 1 && entries.first() == QLatin1String("all-probed");
}

int ResolvePortList(const QStringList &entries, QList<int> &numbers)
{
    numbers.clear();
    QHash<QString, QString> named;  // device -> the entry that named it first
    for (const QString &entry : entries) {
        int port = 0;
        if (const int r = ResolvePortName(entry, port); r >= 0)
            return r;
        const QString device = ports::DeviceIdentity(port);
        if (const auto it = named.constFind(device); it != named.constEnd()) {
            Error(QCoreApplication::translate("kd-cli", "--port: %1 и %2 — одно и то же устройство (%3); ничего не начато")
                      .arg(it.value(), entry, device));
            return ExitUsage;
        }
        named.insert(device, entry);
        numbers << port;
    }
    return -1;
}

QList<ports::PortEntry> ProbeEntries(const QList<int> &numbers)
{
    QHash<int, QString> adapters;
    for (const ports::PortEntry &p : ports::ListPorts())
        adapters.insert(p.number, p.description);
    QList<ports::PortEntry> entries;
    for (const int n : numbers)
        entries.append(ports::PortEntry{n, ports::DevicePath(n), adapters.value(n)});
    return entries;
}

QList<PortFinding> ProbeAndList(const QList<ports::PortEntry> &entries, QJsonArray &json, int chosen)
{
    const QList<PortFinding> findings = ProbePorts(entries);
    for (const PortFinding &f : findings) {
        if (!JsonWanted())
            OutputLine(QStringLiteral("%1\t%2\t%3\t%4").arg(ports::PortName(f.port), f.device, f.adapter, FindingText(f)));
        QJsonObject probe{{QStringLiteral("state"), FindingState(f.kind)}, {QStringLiteral("message"), FindingText(f)}};
        if (f.kind == PortFinding::Radio)
            probe.insert(QStringLiteral("radio"), RadioJson(f.info));
        json.append(QJsonObject{{QStringLiteral("name"), ports::PortName(f.port)},
                                {QStringLiteral("device"), f.device},
                                {QStringLiteral("description"), f.adapter},
                                {QStringLiteral("default"), f.port == chosen},
                                {QStringLiteral("probe"), probe}});
    }
    return findings;
}

} // namespace cli
