// What the benchmarks share: a scratch folder for the program measured, the simulated
// radio, the largest write there is, and the wire bytes a trace counts.
#pragma once

#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/settingscontext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>

// Saves a configuration of 100 used channels inside a simulated radio's range:
// the largest write there is.
inline bool SaveFullTable(const QString &path)
{
    ChannelsContext t{QString()};
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        t.channels[n].freq_rx = 33000000 + n * 100000;
        t.channels[n].freq_tx = 33000000 + n * 100000;
    }
    SettingsContext s;
    QString error;
    return ConfigurationDocument::Save(path, t, s, error);
}

// Bytes of every frame in a trace file: "time > c0 .. c1"; "#" lines are notes.
inline std::size_t WireBytes(const QString &trace)
{
    QFile f(trace);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    std::size_t bytes = 0;
    while (!f.atEnd()) {
        const QList<QByteArray> fields = f.readLine().trimmed().split(' ');
        if (fields.size() > 2 && fields[0] != "#")
            bytes += std::size_t(fields.size() - 2);
    }
    return bytes;
}

// A scratch folder in which a program of this build runs as a copy (it keeps
// its range list beside itself) with a settings folder of its own, so that
// nothing of the user's is read or changed.
class BenchScratch
{
public:
    explicit BenchScratch(const QString &program)
    {
        QDir().mkpath(path(QStringLiteral("cfg")));
        QDir().mkpath(path(QStringLiteral("bin")));
        m_program = path(QStringLiteral("bin/") + program);
        QFile::copy(BuildBin() + QLatin1Char('/') + program, m_program);
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("cfg")));
    }

    static QString BuildBin() { return QCoreApplication::applicationDirPath(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    const QString &program() const { return m_program; }
    QProcessEnvironment &env() { return m_env; }

    // The [Ports] group of the scratch settings: "COMn=device" lines.
    bool MapPorts(const QByteArray &lines)
    {
        QFile conf(path(QStringLiteral("cfg/KD_Tune.conf")));
        return conf.open(QIODevice::WriteOnly) && conf.write("[Ports]\n" + lines) >= 0;
    }

private:
    QTemporaryDir m_dir;
    QString m_program;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
};

// Starts this build's kd-radio-sim on a pseudo-terminal behind `link` and waits
// for the line that says it is ready.
inline bool StartRadio(QProcess &sim, const QString &link, const QString &state, const QStringList &extra = {})
{
    sim.start(BenchScratch::BuildBin() + QStringLiteral("/kd-radio-sim"),
              QStringList{QStringLiteral("--link"), link, QStringLiteral("--state"), state} + extra);
    if (!sim.waitForStarted(5000))
        return false;
    while (!sim.canReadLine()) {
        if (!sim.waitForReadyRead(5000))
            return false;
    }
    sim.readLine();
    return true;
}

inline void StopRadio(QProcess &sim)
{
    sim.terminate();
    if (!sim.waitForFinished(5000)) {
        sim.kill();
        sim.waitForFinished();
    }
}
