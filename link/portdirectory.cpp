// Port names mapped to devices per platform, the ports present, the default port, and why a port
// would not open.

#include "link/portdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSerialPortInfo>

#include <map>

#ifndef Q_OS_WIN
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
namespace {
QString SettingsFile()
{
    return qEnvironmentVariable("KD_TUNE_SETTINGS_FILE");
}
} // namespace

// Not QSettings(organization): without an application name it would keep
// everything under the subkey OrganizationDefaults.
UserSettings::UserSettings()
    : QSettings(SettingsFile().isEmpty() ? QStringLiteral("HKEY_CURRENT_USER\\Software\\KD_Tune") : SettingsFile(),
                SettingsFile().isEmpty() ? QSettings::NativeFormat : QSettings::IniFormat)
{
}
#else
UserSettings::UserSettings() : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("KD_Tune")) {}
#endif

namespace ports {
namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(PortDirectory)
};

const QString kPortsGroup = QStringLiteral("Ports");
const QString kDefaultPortKey = QStringLiteral("Settings/DefaultComPort");

// Devices named for this process only (NameDeviceForThisRun).
struct RunNames
{
    QMutex mutex;
    std::map<int, QString> devices;
};

RunNames &Named()
{
    static RunNames names;
    return names;
}

QString NamedDevice(int number)
{
    RunNames &n = Named();
    const QMutexLocker lock(&n.mutex);
    const auto it = n.devices.find(number);
    return it == n.devices.end() ? QString() : it->second;
}

int NamedNumber(const QString &device)
{
    RunNames &n = Named();
    const QMutexLocker lock(&n.mutex);
    for (const auto &[number, path] : n.devices) {
        if (path == device)
            return number;
    }
    return 0;
}

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
    if (const QString named = NamedDevice(number); !named.isEmpty())
        return named;
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
    if (const int named = NamedNumber(device))
        return named;
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

int NameDeviceForThisRun(const QString &device)
{
    if (device.isEmpty())
        return 0;
    if (const int n = NumberForDevice(device))
        return n;
    for (int n = MaxPort; n >= MinPort; --n) {
        if (DevicePath(n).isEmpty()) {
            RunNames &names = Named();
            const QMutexLocker lock(&names.mutex);
            names.devices[n] = device;
            return n;
        }
    }
    return 0;
}

QString DeviceIdentity(int number)
{
    const QString device = DevicePath(number);
    if (device.isEmpty())
        return {};
#ifdef Q_OS_WIN
    QString name = device;
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name.remove(0, 4);
    return name.toUpper();
#else
    const QFileInfo info(device);
    const QString canonical = info.canonicalFilePath();
    // A device that is not there (yet) is known by its path alone.
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
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

QString DeviceLine(int number, const QString &device)
{
    return Tr::tr("Порт %1: устройство %2.").arg(PortName(number), device);
}

QStringList ReplacedDefaultLines(const QString &stored, int chosen)
{
    if (stored.isEmpty() || chosen == 0 || ParsePortName(stored) == chosen)
        return {};
    const int number = ParsePortName(stored);
    const QString device = DevicePath(number);
    QStringList lines;
    if (number == 0) {
        // Not a port name at all: nothing to say about a device.
    } else if (device.isEmpty()) {
        lines << DescribeOpenProblem(OpenProblem{OpenProblem::NoDevice, number, {}, {}, {}});
    } else {
        lines << DeviceLine(number, device);
        lines << DescribeOpenProblem(OpenProblem{OpenProblem::Absent, number, device, {}, {}});
    }
    lines << Tr::tr("Вместо порта %1, выбранного по умолчанию, взят первый имеющийся порт %2.").arg(stored, PortName(chosen));
    return lines;
}

OpenProblem DiagnoseOpenFailure(const QString &device, QSerialPort::SerialPortError error, const QString &errorText)
{
    OpenProblem p;
    p.device = device;
#ifdef Q_OS_WIN
    // A COM port is no file to look at; the error tells.
    const bool absent = error == QSerialPort::DeviceNotFoundError;
#else
    const bool absent = error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(device);
#endif
    if (absent) {
        p.kind = OpenProblem::Absent;
        return p;
    }
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        p.kind = OpenProblem::NoPermission;
        struct stat st {};
        if (::stat(path.constData(), &st) == 0) {
            if (const group *g = ::getgrgid(st.st_gid))
                p.group = QString::fromLocal8Bit(g->gr_name);
        }
        return p;
    }
#endif
    if (error == QSerialPort::PermissionError) {
        // The device may be opened by this user, so it is held: by another
        // program's lock file or an exclusive open.
        p.kind = OpenProblem::Busy;
        return p;
    }
    p.kind = OpenProblem::Other;
    p.detail = errorText;
    return p;
}

QString DescribeOpenProblem(const OpenProblem &p)
{
    switch (p.kind) {
    case OpenProblem::None:
        return QString();
    case OpenProblem::NoDevice:
        return Tr::tr("Порту %1 не соответствует ни одно устройство (его можно указать в группе [Ports] файла %2).")
            .arg(PortName(p.number), UserSettings().fileName());
    case OpenProblem::Absent:
        return Tr::tr("Устройство %1 отсутствует: адаптер не подключён или порт выбран неверно.").arg(p.device);
    case OpenProblem::Busy:
        return Tr::tr("Устройство %1 занято другой программой.").arg(p.device);
    case OpenProblem::NoPermission: {
#ifdef Q_OS_WIN
        return Tr::tr("Нет прав на устройство %1.").arg(p.device);
#else
        QString user = qEnvironmentVariable("USER");
        if (const passwd *pw = ::getpwuid(::getuid()))
            user = QString::fromLocal8Bit(pw->pw_name);
        if (p.group.isEmpty())
            return Tr::tr("Нет прав на устройство %1.").arg(p.device);
        return Tr::tr("Нет прав на устройство %1: его открывают члены группы %2. Добавьте пользователя в группу "
                              "командой \"sudo usermod -a -G %2 %3\" и войдите в систему заново.")
            .arg(p.device, p.group, user);
#endif
    }
    case OpenProblem::Other:
        return Tr::tr("Устройство %1 не открылось: %2.").arg(p.device, p.detail);
    }
    return QString();
}

} // namespace ports
