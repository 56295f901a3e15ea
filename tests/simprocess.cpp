// kd-radio-sim started and stopped for a test, and per-user folders of the test's own.

#include "simprocess.h"

#include "link/portdirectory.h"

#include <QDir>
#include <QFile>
#include <QSettings>

SimProcess::~SimProcess()
{
    Kill();
}

bool SimProcess::Start(int port, const QStringList &args, const QString &stateDir)
{
    m_stateDir = stateDir.isEmpty() ? m_dir.filePath(QStringLiteral("state")) : stateDir;
    const QString link = m_dir.filePath(QStringLiteral("port"));
    m_process.setProgram(QStringLiteral(KD_SIM_PATH));
    m_process.setArguments(QStringList{QStringLiteral("--link"), link, QStringLiteral("--state"), m_stateDir} + args);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000))
            return false;
    }
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    UserSettings settings;
    settings.setValue(QStringLiteral("Ports/COM%1").arg(port), link);
    settings.sync();
    return !m_device.isEmpty();
}

void SimProcess::Kill()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

QByteArray SimProcess::ReadState(const QString &file) const
{
    QFile f(QDir(m_stateDir).filePath(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray SimProcess::Log()
{
    return m_process.readAllStandardError();
}

void IsolateUserSettings(const QString &dir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
    qputenv("XDG_CONFIG_HOME", dir.toLocal8Bit());
    // The per-user data folder too: backups and traces of the window's writes.
    qputenv("XDG_DATA_HOME", (dir + QStringLiteral("/data")).toLocal8Bit());
#ifdef Q_OS_WIN
    // The registry key gives way to a file there (UserSettings).
    qputenv("KD_TUNE_SETTINGS_FILE", QDir(dir).filePath(QStringLiteral("KD_Tune.ini")).toLocal8Bit());
#endif
}
