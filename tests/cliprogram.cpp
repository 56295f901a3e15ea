// A copy of kd-cli installed for a test, and runs of it with the test's settings folder.

#include "cliprogram.h"

#include "simprocess.h"

#include <QDir>
#include <QFile>
#include <QTest>

#ifdef Q_OS_WIN
#define KD_EXE_SUFFIX ".exe"
#else
#define KD_EXE_SUFFIX ""
#endif

bool CliProgram::Install(const QString &dir)
{
    m_config = QDir(dir).filePath(QStringLiteral("cfg"));
    m_path = QDir(dir).filePath(QStringLiteral("bin/kd-cli" KD_EXE_SUFFIX));
    if (!QDir().mkpath(m_config) || !QDir().mkpath(QDir(dir).filePath(QStringLiteral("bin"))))
        return false;
    IsolateUserSettings(m_config);
    return QFile::copy(QStringLiteral(KD_BIN_DIR "/kd-cli" KD_EXE_SUFFIX), m_path);
}

QProcessEnvironment CliProgram::Environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config);
    return env;
}

void CliProgram::Start(QProcess &process, const QStringList &args) const
{
    process.setProcessEnvironment(Environment());
    process.start(m_path, args);
    process.closeWriteChannel();
}

CliProgram::Result CliProgram::Run(const QStringList &args) const
{
    QProcess p;
    Start(p, args);
    Result r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool CliProgram::StartUntil(QProcess &process, const QStringList &args, const QByteArray &text,
                            QByteArray &out) const
{
    Start(process, args);
    return QTest::qWaitFor(
        [&] {
            process.waitForReadyRead(50);
            out += process.readAllStandardOutput();
            return out.contains(text);
        },
        20000);
}
