#include "link/portdirectory.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <map>

namespace ports {
namespace {

const QString kPortsGroup = QStringLiteral("Ports");
const QString kDefaultPortKey = QStringLiteral("Settings/DefaultComPort");

struct Family
{
    const char *prefix;
    int first;
};

#ifndef Q_OS_WIN
constexpr Family kFamilies[] = {{"/dev/ttyS", 1}, {"/dev/ttyUSB", 33}, {"/dev/ttyACM", 65}};
constexpr int kPerFamily = 32;

QString MappedDevice(int number)
{
    UserSettings settings;
    settings.beginGroup(kPortsGroup);
    return settings.value(PortName(number)).toString();
}
#endif

} // namespace

QString PortName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

int ParsePortName(const QString &name)
{
    if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int n = name.mid(3).toInt(&ok, 10);
    return ok && n >= MinPort && n <= MaxPort ? n : 0;
}

QString DevicePath(int number)
{
    if (number < MinPort || number > MaxPort)
        return {};
#ifdef Q_OS_WIN
    return PortName(number);
#else
    const QString mapped = MappedDevice(number);
    if (!mapped.isEmpty())
        return mapped;
    for (const Family &f : kFamilies) {
        if (number >= f.first && number < f.first + kPerFamily)
            return QString::fromLatin1(f.prefix) + QString::number(number - f.first);
    }
    return {};
#endif
}

int NumberForDevice(const QString &device)
{
#ifdef Q_OS_WIN
    return ParsePortName(QFileInfo(device).fileName());
#else
    UserSettings settings;
    settings.beginGroup(kPortsGroup);
    for (const QString &key : settings.childKeys()) {
        if (settings.value(key).toString() == device) {
            if (const int n = ParsePortName(key))
                return n;
        }
    }
    for (const Family &f : kFamilies) {
        const QString prefix = QString::fromLatin1(f.prefix);
        if (!device.startsWith(prefix))
            continue;
        bool ok = false;
        const int k = device.mid(prefix.size()).toInt(&ok, 10);
        // A number that the user mapped to another device no longer names this one.
        if (ok && k >= 0 && k < kPerFamily && DevicePath(f.first + k) == device)
            return f.first + k;
    }
    return 0;
#endif
}

QList<PortEntry> ListPorts()
{
    std::map<int, PortEntry> found;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const int n = NumberForDevice(info.systemLocation());
        if (n == 0 || found.count(n))
            continue;
        QString description = info.description();
        if (!info.manufacturer().isEmpty() && !description.contains(info.manufacturer()))
            description = description.isEmpty() ? info.manufacturer()
                                                : description + QStringLiteral(" (") + info.manufacturer() + QLatin1Char(')');
        found[n] = PortEntry{n, info.systemLocation(), description};
    }
#ifndef Q_OS_WIN
    // Devices mapped by hand (a pseudo-terminal, an unusual adapter) are not
    // always reported by the system; list them while they exist.
    UserSettings settings;
    settings.beginGroup(kPortsGroup);
    for (const QString &key : settings.childKeys()) {
        const int n = ParsePortName(key);
        const QString device = settings.value(key).toString();
        if (n && !found.count(n) && QFileInfo::exists(device))
            found[n] = PortEntry{n, device, QString()};
    }
#endif
    QList<PortEntry> out;
    for (auto &[n, entry] : found)
        out.append(entry);
    return out;
}

QString StoredDefaultPort()
{
    return UserSettings().value(kDefaultPortKey).toString();
}

void StoreDefaultPort(const QString &name)
{
    UserSettings().setValue(kDefaultPortKey, name);
}

int ChooseInitialPort()
{
    const QString stored = StoredDefaultPort();
    const QList<PortEntry> present = ListPorts();
    for (const PortEntry &p : present) {
        if (PortName(p.number) == stored)
            return p.number;
    }
    return present.isEmpty() ? 0 : present.first().number;
}

} // namespace ports
