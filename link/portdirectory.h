// Serial ports as the user names them (COM1..COM255), the devices behind the names, and the
// per-user settings store.
#pragma once

#include <QList>
#include <QSerialPort>
#include <QSettings>
#include <QString>
#include <QStringList>

// The per-user settings store: the registry key
// HKEY_CURRENT_USER\Software\KD_Tune on Windows (the default port is the value
// DefaultComPort of its subkey Settings), $XDG_CONFIG_HOME/KD_Tune.conf
// elsewhere. On Windows the environment variable KD_TUNE_SETTINGS_FILE may
// name an INI file that stands in for the key: what XDG_CONFIG_HOME does on
// Linux, for tests and trials that must leave the user's settings alone.
class UserSettings : public QSettings
{
public:
    UserSettings();
};

// Ports are named "COM<n>" (n = 1..255) everywhere the user sees them. This is
// the one place that turns such a number into a device and back.
//
// On Linux the group "Ports" of the user settings may map a name to a device
// (COM7=/dev/ttyUSB0); otherwise /dev/ttyS<k> is COM<k+1>, /dev/ttyUSB<k> is
// COM<k+33> and /dev/ttyACM<k> is COM<k+65>, k = 0..31.
namespace ports {

constexpr int MinPort = 1;
constexpr int MaxPort = 255;

struct PortEntry
{
    int number = 0;
    QString device;
    QString description;
};

QString PortName(int number);              // "COM7"
int ParsePortName(const QString &name);    // "COM7" / "com7" -> 7, else 0
QString DevicePath(int number);            // empty for a number outside 1..255
int NumberForDevice(const QString &device); // 0 when the device has no number

// Gives `device` a port number for the rest of this process, leaving the user's
// settings alone, so that a device named by its path (a pseudo-terminal, an
// adapter under /dev/serial/by-id) opens like any port: the number it already
// has, else the highest number that names no device. 0 when none is free.
int NameDeviceForThisRun(const QString &device);

// What two names of one device share: the device with every symbolic link
// resolved (on Windows its port name in upper case). Empty for a number that
// names no device. COM35 and the /dev/ttyUSB2 it stands for give the same.
QString DeviceIdentity(int number);

// Ports present now, ascending by number, one entry per number.
QList<PortEntry> ListPorts();

// The user's default port ("DefaultComPort" in the group "Settings"), as text.
QString StoredDefaultPort();
void StoreDefaultPort(const QString &name);

// The port to use when the user has not chosen one: the stored default when it
// is present, else the first present port; 0 when no port is present.
int ChooseInitialPort();

// "Порт COM7: устройство /dev/ttyUSB0.": which device a port number stands for.
QString DeviceLine(int number, const QString &device);

// When `chosen` was taken because the stored default `stored` is not present:
// the stored port, its device and that it is absent, then the port taken in
// its place. Empty when nothing was replaced (no default stored, or it is the
// port chosen).
QStringList ReplacedDefaultLines(const QString &stored, int chosen);

// Why a port did not open, so that the user learns what to do about it.
struct OpenProblem
{
    enum Kind {
        None,
        NoDevice,      // the number names no device
        Absent,        // the device does not exist (adapter unplugged, wrong name)
        Busy,          // another program holds it
        NoPermission,  // the user may not open it
        Other,
    };
    Kind kind = None;
    int number = 0;    // for NoDevice
    QString device;
    QString group;     // NoPermission: the group that may open the device
    QString detail;    // Other: the system's words
};

// Looks at the device after QSerialPort::open failed with `error`.
OpenProblem DiagnoseOpenFailure(const QString &device, QSerialPort::SerialPortError error, const QString &errorText);

// One line for the log; empty for None.
QString DescribeOpenProblem(const OpenProblem &problem);

} // namespace ports
