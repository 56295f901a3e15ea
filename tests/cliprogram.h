// kd-cli run from a test, with a range list and per-user settings of the test's own.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// kd-cli as a test runs it: a copy in a folder of its own, so that the range
// list it keeps beside itself (KD_config.xml) is the test's, and the per-user
// settings of the test for the runs and for the test itself.
class CliProgram
{
public:
    struct Result
    {
        int code = -1; // -1: it did not end within a minute; -2: it crashed
        QString out;
        QString err;
    };

    // Copies kd-cli to `dir`/bin and points the per-user settings of this
    // process and of every run at `dir`/cfg.
    bool Install(const QString &dir);

    QString path() const { return m_path; }
    QString configDir() const { return m_config; }
    // The system's environment with the test's settings folder.
    QProcessEnvironment Environment() const;

    // Starts kd-cli with `args` in `process`; nothing comes on its input.
    void Start(QProcess &process, const QStringList &args) const;
    // Runs kd-cli with `args` to its end.
    Result Run(const QStringList &args) const;
    // Starts kd-cli and waits until its output, gathered in `out`, contains
    // `text`; false when it does not within 20 seconds.
    bool StartUntil(QProcess &process, const QStringList &args, const QByteArray &text,
                    QByteArray &out) const;

private:
    QString m_path;
    QString m_config;
};
