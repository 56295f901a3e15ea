// Short kd-cli sessions (read, write, write --verify) against kd-radio-sim with
// faults drawn from a fixed seed: echo, noise, lost, corrupted and wrong
// replies, silence, a stored byte changed, the radio killed mid-transfer. Each
// session must end, and end honestly: exit 0 only when the radio holds exactly
// what the file encodes or the file read equals a clean read; otherwise exit 1
// (3 when the radio did not answer, 4 when the port did not open) with the
// summary as the last line, what it says about each table true of the
// radio, and an existing output file untouched.
//
// CTest runs KD_SOAK_SESSIONS (default 300); a long run from the command line:
//   KD_SOAK_SESSIONS=3000 KD_SOAK_SEED=7 build/bin/tst_soak

#include "cliprogram.h"
#include "link/portdirectory.h"
#include "model/configdocument.h"
#include "simprocess.h"
#include "testdata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

// Ports of the concurrent workers: distinct within this process (the settings
// are this test's own).
constexpr int kPorts[] = {226, 227, 228, 229, 232, 233};
constexpr int kSessionTimeoutMs = 60000;

enum class Op { Read, Write, WriteVerify };

struct Session
{
    int index = 0;
    Op op = Op::Read;
    QStringList faults;
    bool storeChanged = false;
    int killAfterMs = -1;  // the radio dies this long after kd-cli starts
    QString Describe() const
    {
        const char *names[] = {"read", "write", "write --verify"};
        return QStringLiteral("session %1 (%2 %3%4)")
            .arg(index)
            .arg(QLatin1String(names[int(op)]), faults.join(QLatin1Char(' ')),
                 killAfterMs >= 0 ? QStringLiteral(" kill after %1 ms").arg(killAfterMs) : QString());
    }
};

// One random session; the seed makes the series repeatable.
Session Draw(QRandomGenerator &rng, int index)
{
    Session s;
    s.index = index;
    s.op = Op(rng.bounded(3));
    const int count = int(rng.bounded(3));  // 0..2 faults
    for (int i = 0; i < count; ++i) {
        switch (rng.bounded(9)) {
        case 0: s.faults << QStringLiteral("--echo"); break;
        case 1: s.faults << QStringLiteral("--junk") << QString::number(1 + rng.bounded(60)); break;
        case 2: s.faults << QStringLiteral("--ignore-first") << QString::number(1 + rng.bounded(2)); break;
        case 3: s.faults << QStringLiteral("--corrupt-every") << QString::number(1 + rng.bounded(6)); break;
        case 4: s.faults << QStringLiteral("--wrong-command") << QString::number(1 + rng.bounded(8)); break;
        case 5: s.faults << QStringLiteral("--wrong-block") << QString::number(1 + rng.bounded(8)); break;
        case 6: s.faults << QStringLiteral("--wrong-length") << QString::number(1 + rng.bounded(8)); break;
        case 7: s.faults << QStringLiteral("--silent-after") << QString::number(rng.bounded(12)); break;
        case 8:
            // A plain write cannot see a changed byte; a read-back can.
            if (s.op != Op::Write && !s.storeChanged) {
                s.storeChanged = true;
                s.faults << QStringLiteral("--store-changed");
            }
            break;
        }
    }
    if (rng.bounded(8) == 0)
        s.killAfterMs = int(rng.bounded(400));
    return s;
}

struct Fixture
{
    QString dir;
    CliProgram cli;
    QByteArray oldChannels, oldSettings;          // what each radio holds at the start
    QByteArray newChannels, newSettings;          // what writing the file must leave
    QString input;                                // the file written
    QByteArray cleanRead;                         // the file a clean read gives
};

// What one session left behind.
struct Outcome
{
    QString error;  // the session could not be run at all
    bool crashed = false, hung = false;
    int code = -1;
    QString lastLine;
    QByteArray output, channels, settings;
};

class Runner
{
public:
    Runner(const Fixture &f, int port) : m_f(f), m_port(port) {}

    Outcome Execute(const Session &s)
    {
        Outcome o;
        QTemporaryDir work(m_f.dir + QStringLiteral("/session-XXXXXX"));
        const QString state = work.filePath(QStringLiteral("state"));
        QDir().mkpath(state);
        WriteAll(state + QStringLiteral("/channels.bin"), m_f.oldChannels);
        WriteAll(state + QStringLiteral("/settings.bin"), m_f.oldSettings);
        const QString output = work.filePath(QStringLiteral("out.xml"));
        WriteAll(output, "precious");

        QProcess sim;
        sim.setProgram(QStringLiteral(KD_SIM_PATH));
        sim.setArguments(QStringList{QStringLiteral("--no-pacing"), QStringLiteral("--link"), Link(), QStringLiteral("--state"), state}
                         + s.faults);
        sim.start();
        if (!sim.waitForStarted(10000) || !WaitLine(sim)) {
            o.error = QStringLiteral("the simulated radio did not start");
            return o;
        }

        QStringList args;
        switch (s.op) {
        case Op::Read: args = {QStringLiteral("read"), QStringLiteral("--output"), output}; break;
        case Op::Write: args = {QStringLiteral("write"), QStringLiteral("--input"), m_f.input}; break;
        case Op::WriteVerify: args = {QStringLiteral("write"), QStringLiteral("--input"), m_f.input, QStringLiteral("--verify")}; break;
        }
        args << QStringLiteral("--port") << ports::PortName(m_port);
        QProcess cli;
        m_f.cli.Start(cli, args);
        if (!cli.waitForStarted(10000)) {
            o.error = QStringLiteral("kd-cli did not start");
            return o;
        }
        if (s.killAfterMs >= 0) {
            cli.waitForFinished(s.killAfterMs);
            sim.kill();
            // A killed radio leaves its link behind, and another worker's radio
            // may get the same pseudo-terminal number: a kd-cli that had not
            // opened the port yet must find no device, not that radio.
            QFile::remove(Link());
        }
        if (cli.state() != QProcess::NotRunning && !cli.waitForFinished(kSessionTimeoutMs)) {
            o.hung = true;
            cli.kill();
            cli.waitForFinished();
        }
        sim.terminate();
        if (!sim.waitForFinished(5000)) {
            sim.kill();
            sim.waitForFinished();
        }
        o.crashed = cli.exitStatus() != QProcess::NormalExit;
        o.code = cli.exitCode();
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        o.lastLine = lines.isEmpty() ? QString() : lines.last();
        o.output = ReadAll(output);
        o.channels = ReadAll(state + QStringLiteral("/channels.bin"));
        o.settings = ReadAll(state + QStringLiteral("/settings.bin"));
        return o;
    }

    // Empty when the session ended as it must; else what went wrong.
    QString Check(const Session &s, const Outcome &o) const
    {
        if (!o.error.isEmpty())
            return o.error;
        if (o.hung)
            return QStringLiteral("kd-cli hung");
        if (o.crashed)
            return QStringLiteral("kd-cli crashed");
        if (o.code == 0) {
            if (o.lastLine.startsWith(QStringLiteral("Итог:")))
                return QStringLiteral("exit 0 after a summary of a failure");
            if (s.op == Op::Read)
                return o.output == m_f.cleanRead ? QString() : QStringLiteral("exit 0, but the file differs from a clean read");
            if (o.channels != m_f.newChannels || o.settings != m_f.newSettings)
                return QStringLiteral("exit 0, but the radio does not hold what the file encodes");
            return QString();
        }
        if (o.code != 1 && o.code != 3 && o.code != 4)
            return QStringLiteral("exit %1").arg(o.code);
        if (!o.lastLine.startsWith(QStringLiteral("Итог: ")))
            return QStringLiteral("exit %1 without the summary as the last line: %2").arg(o.code).arg(o.lastLine);
        if (s.op == Op::Read)
            return o.output == "precious" ? QString() : QStringLiteral("a failed read changed the output file");
        // What the summary says of each table must be true of the radio.
        const struct
        {
            const char *name;
            const QByteArray &stored, &before, &after;
        } tables[] = {{"Таблица каналов", o.channels, m_f.oldChannels, m_f.newChannels},
                      {"таблица настроек", o.settings, m_f.oldSettings, m_f.newSettings}};
        for (const auto &t : tables) {
            const QString name = QString::fromUtf8(t.name);
            if (o.lastLine.contains(name + QStringLiteral(" не записана")) && t.stored != t.before)
                return QStringLiteral("\"%1 не записана\", but the radio's table changed").arg(name);
            if (o.lastLine.contains(name + QStringLiteral(" записана полностью")) && !s.storeChanged && t.stored != t.after)
                return QStringLiteral("\"%1 записана полностью\", but the radio holds something else").arg(name);
        }
        return QString();
    }

private:
    QString Link() const { return m_f.dir + QStringLiteral("/port%1").arg(m_port); }

    static bool WaitLine(QProcess &p)
    {
        while (!p.canReadLine()) {
            if (!p.waitForReadyRead(10000))
                return false;
        }
        p.readLine();
        return true;
    }

    const Fixture &m_f;
    int m_port;
};

int EnvInt(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    Fixture m_f;

private slots:
    void initTestCase()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QVERIFY(m_dir.isValid());
        m_f.dir = m_dir.path();
        QVERIFY(m_f.cli.Install(m_f.dir));
        {
            UserSettings settings;
            for (int port : kPorts)
                settings.setValue(QStringLiteral("Ports/COM%1").arg(port), m_f.dir + QStringLiteral("/port%1").arg(port));
        }

        // The radio at the start: a few channels and changed settings.
        ChannelsContext old{QString()};
        for (int n = 0; n < 8; ++n)
            old.channels[n].freq_rx = old.channels[n].freq_tx = 40000000 + n * 25000;
        SettingsContext oldSettings;
        oldSettings.Volume = 3;
        TableImage image;
        QVERIFY(old.EncodeImage(image, ChannelsContext::TableVersion));
        m_f.oldChannels = ImageBytes(image);
        QVERIFY(oldSettings.EncodeImage(image, SettingsContext::Version102));
        m_f.oldSettings = ImageBytes(image);

        // The file written, and the images it must leave in the radio (whose
        // programming counter is 7: the job writes 8).
        ChannelsContext file{QString()};
        for (int n = 10; n < 40; ++n) {
            Channel &c = file.channels[n];
            c.freq_rx = 33000000 + n * 12500 * 7;
            c.freq_tx = c.freq_rx + 125000;
            c.subtone_rx = n;
            c.tone_tx = 1750;
        }
        SettingsContext fileSettings;
        fileSettings.Volume = 12;
        fileSettings.ID = 42;
        m_f.input = m_dir.filePath(QStringLiteral("input.xml"));
        QString error;
        QVERIFY(ConfigurationDocument::Save(m_f.input, file, fileSettings, error));
        QVERIFY(file.EncodeImage(image, ChannelsContext::TableVersion));
        m_f.newChannels = ImageBytes(image);
        fileSettings.ProgramCount = 8;
        QVERIFY(fileSettings.EncodeImage(image, SettingsContext::Version102));
        m_f.newSettings = ImageBytes(image);

        // A clean read of the starting radio, as every good read must give it.
        const Outcome clean = Runner(m_f, kPorts[0]).Execute(Session());
        QCOMPARE(clean.code, 0);
        m_f.cleanRead = clean.output;
        QVERIFY(m_f.cleanRead.startsWith("<?xml"));
    }

    void sessions()
    {
        const int total = EnvInt("KD_SOAK_SESSIONS", 300);
        const quint32 seed = quint32(EnvInt("KD_SOAK_SEED", 20261209));
        QRandomGenerator rng(seed);
        QList<Session> all;
        for (int i = 0; i < total; ++i)
            all << Draw(rng, i);

        std::atomic<int> next{0};
        QMutex mutex;
        QStringList failures;
        int exits[2] = {0, 0};
        std::vector<std::unique_ptr<QThread>> workers;
        QElapsedTimer clock;
        clock.start();
        for (int port : kPorts) {
            workers.emplace_back(QThread::create([&, port] {
                Runner runner(m_f, port);
                for (int i = next++; i < total; i = next++) {
                    const Outcome o = runner.Execute(all[i]);
                    const QString what = runner.Check(all[i], o);
                    QMutexLocker lock(&mutex);
                    if (o.code >= 0)
                        ++exits[o.code == 0 ? 0 : 1];
                    if (!what.isEmpty())
                        failures << all[i].Describe() + QStringLiteral(": ") + what;
                }
            }));
            workers.back()->start();
        }
        for (auto &w : workers)
            w->wait();
        qInfo("%d sessions (seed %u) in %.1f s: %d ended with exit 0, %d with a failure (exit 1, 3 or 4)", total, seed,
              double(clock.elapsed()) / 1000.0, exits[0], exits[1]);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
