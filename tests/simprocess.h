// The simulated radio as a child process of a test, mapped to a COM number in the test's settings.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// kd-radio-sim lives on a POSIX pseudo-terminal. On Windows a test that needs
// it skips; the Wine stage of tools/test meets it through a COM port instead.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_SIMULATED_RADIO() QSKIP("needs kd-radio-sim, which runs on a POSIX pseudo-terminal")
#else
#define SKIP_WITHOUT_SIMULATED_RADIO() \
    do {                               \
    } while (false)
#endif

// A kd-radio-sim child process whose pseudo-terminal is mapped to a COM number
// in the user settings (tests point the settings at a temporary folder first).
class SimProcess
{
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the radio with `args` (plus its link and state folder) and maps it
    // to `port`. `stateDir` empty: a fresh folder of its own.
    bool Start(int port, const QStringList &args, const QString &stateDir = QString());
    void Kill();

    QString stateDir() const { return m_stateDir; }
    QString device() const { return m_device; }
    QByteArray ReadState(const QString &file) const;
    QByteArray Log();  // standard error so far

private:
    QProcess m_process;
    QTemporaryDir m_dir;
    QString m_stateDir;
    QString m_device;
};

// Points the per-user settings and data folders of this process at a fresh folder.
void IsolateUserSettings(const QString &dir);
