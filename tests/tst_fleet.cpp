// kd-cli as a fleet of radios needs it: ports, devices by path, exit statuses a
// script can act on, serial-named files, diff, JSON and quiet output, and
// radio after radio with --repeat, all against kd-radio-sim.

#include "cliprogram.h"
#include "link/portdirectory.h"
#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/settingscontext.h"
#include "simprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

struct Result : CliProgram::Result
{
    Result(CliProgram::Result r = {}) : CliProgram::Result(std::move(r)) {}
    QJsonObject Json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

constexpr std::int32_t kFirst = 40000000;

// Ten channels inside the default range and two settings off their defaults.
void Fill(ChannelsContext &t, SettingsContext &s)
{
    for (int n = 0; n < 10; ++n) {
        t.channels[n].freq_rx = kFirst + n * 25000;
        t.channels[n].freq_tx = kFirst + n * 25000;
    }
    s.Volume = 3;
    s.ID = 77;
}

} // namespace

class TestFleet : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    CliProgram m_cli;
    QString m_file;  // the configuration every radio gets

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    Result Cli(const QStringList &args) const { return m_cli.Run(args); }

    // The file with one channel and one setting changed.
    QString ChangedFile()
    {
        const QString file = Path(QStringLiteral("changed.xml"));
        ChannelsContext t{QString()};
        SettingsContext s;
        Fill(t, s);
        t.channels[5].freq_rx = 41000000;
        s.Volume = 6;
        QString error;
        return ConfigurationDocument::Save(file, t, s, error) ? file : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_cli.Install(m_dir.path()));
        m_file = Path(QStringLiteral("fleet.xml"));
        ChannelsContext t{QString()};
        SettingsContext s;
        Fill(t, s);
        QString error;
        QVERIFY(ConfigurationDocument::Save(m_file, t, s, error));
    }

    void portsListsTheMappedSimulator()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(20, {QStringLiteral("--no-pacing")}));
        const QString link = UserSettings().value(QStringLiteral("Ports/COM20")).toString();
        Result r = Cli({QStringLiteral("ports")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.split(QLatin1Char('\n')).contains(QStringLiteral("COM20\t%1\t").arg(link)), qPrintable(r.out));
        r = Cli({QStringLiteral("ports"), QStringLiteral("--json")});
        QCOMPARE(r.code, 0);
        bool found = false;
        for (const QJsonValue &p : r.Json().value(QStringLiteral("ports")).toArray())
            found = found || (p[QStringLiteral("name")] == QStringLiteral("COM20") && p[QStringLiteral("device")] == link);
        QVERIFY2(found, qPrintable(r.out));
    }

    // A device named by its path opens without an entry in the settings: the
    // pseudo-terminal itself gets a number for the run, the mapped link keeps
    // its own.
    void devicePathOpens_data()
    {
        QTest::addColumn<bool>("pseudoTerminal");
        QTest::addColumn<QString>("port");
        QTest::newRow("pseudo-terminal") << true << QStringLiteral("COM255");
        QTest::newRow("mapped link") << false << QStringLiteral("COM21");
    }
    void devicePathOpens()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(bool, pseudoTerminal);
        QFETCH(QString, port);
        SimProcess sim;
        QVERIFY(sim.Start(21, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("4242")}));
        const QString device = pseudoTerminal ? sim.device() : UserSettings().value(QStringLiteral("Ports/COM21")).toString();
        const QByteArray settings = ReadAll(Path(QStringLiteral("cfg/KD_Tune.conf")));
        const Result r = Cli({QStringLiteral("info"), QStringLiteral("--port"), device});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        QVERIFY(r.out.startsWith(QStringLiteral("Порт %1: устройство %2.\nПорт %1 открыт.\n").arg(port, device)));
        QVERIFY(r.out.contains(QStringLiteral("Серийный номер: 4242")));
        QCOMPARE(ReadAll(Path(QStringLiteral("cfg/KD_Tune.conf"))), settings);
    }

    // A script tells a missing port from a silent radio from a refused write.
    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("simArgs");  // empty: no radio
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("lastLine");
        const QStringList fast{QStringLiteral("--no-pacing")};
        QTest::newRow("written") << fast << QStringList{"write", "--input", "FILE"} << 0
                                 << QStringLiteral("Запись выполнена (серийный номер 1234).");
        QTest::newRow("refused: another range") << QStringList{"--no-pacing", "--pair", "0-100"} << QStringList{"write", "--input", "FILE"}
                                                << 1 << QStringLiteral("Итог: запись не выполнена (диапазон частот");
        QTest::newRow("radio silent") << QStringList{"--no-pacing", "--silent-after", "0"} << QStringList{"info"} << 3
                                      << QStringLiteral("Итог: информация о станции не получена (ответ не получен");
        QTest::newRow("port missing") << QStringList{} << QStringList{"read", "--output", "-"} << 4
                                                  << QStringLiteral("Итог: чтение не выполнено (порт COM22 не открыт).");
        QTest::newRow("device missing") << QStringList{} << QStringList{"write", "--input", "FILE", "--port", "/nonexistent/ttyUSB9"} << 4
                                        << QStringLiteral("Итог: запись не выполнена (порт COM255 не открыт).");
    }
    void exitStatuses()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, simArgs);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, lastLine);
        SimProcess sim;
        if (!simArgs.isEmpty())
            QVERIFY(sim.Start(22, simArgs + QStringList{QStringLiteral("--serial"), QStringLiteral("1234")}));
        args.replaceInStrings(QStringLiteral("FILE"), m_file);
        if (!args.contains(QStringLiteral("--port")))
            args << QStringLiteral("--port") << QStringLiteral("COM22");
        const Result r = Cli(args);
        QCOMPARE(r.code, code);
        const QString text = args.contains(QStringLiteral("-")) ? r.err : r.out;
        const QString last = text.trimmed().section(QLatin1Char('\n'), -1);
        QVERIFY2(last.startsWith(lastLine), qPrintable(text));
    }

    // Differences as the radio would hold them; nothing written by diff itself.
    void diffFindsChangesAndNothingAfterAWrite()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(24, {QStringLiteral("--no-pacing")}));
        const QStringList port{QStringLiteral("--port"), QStringLiteral("COM24")};
        QCOMPARE(Cli(QStringList{QStringLiteral("write"), QStringLiteral("--input"), m_file} + port).code, 0);
        const QByteArray written = sim.ReadState(QStringLiteral("channels.bin"));

        const QString changed = ChangedFile();
        Result r = Cli(QStringList{QStringLiteral("diff"), QStringLiteral("--input"), changed} + port);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral("\nКанал 5: freq_rx: в радиостанции 40125000, в файле 41000000\n"
                                               "Настройка Volume: в радиостанции 3, в файле 6\n"
                                               "Отличаются каналов: 1, настроек: 1.\n")),
                 qPrintable(r.out));
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")), written);

        r = Cli(QStringList{QStringLiteral("diff"), QStringLiteral("--input"), changed, QStringLiteral("--json")} + port);
        QCOMPARE(r.code, 1);
        const QJsonArray differences = r.Json().value(QStringLiteral("differences")).toArray();
        QCOMPARE(differences.size(), 2);
        QCOMPARE(differences[0].toObject(), (QJsonObject{{"table", "channels"}, {"channel", 5}, {"field", "freq_rx"},
                                                         {"radio", "40125000"}, {"file", "41000000"}}));
        QCOMPARE(differences[1].toObject(), (QJsonObject{{"table", "settings"}, {"field", "Volume"}, {"radio", "3"}, {"file", "6"}}));

        QCOMPARE(Cli(QStringList{QStringLiteral("write"), QStringLiteral("--input"), changed} + port).code, 0);
        r = Cli(QStringList{QStringLiteral("diff"), QStringLiteral("--input"), changed, QStringLiteral("--quiet")} + port);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Отличий нет: в радиостанции те же каналы и настройки, что и в файле.\n"));
    }

    // One JSON object on standard output, whatever the command; the log goes
    // to standard error.
    void jsonCarriesTheSerialNumber_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("tableState");  // of the channel table; empty: none listed
        QTest::newRow("info") << QStringList{"info"} << QString();
        QTest::newRow("read to a folder") << QStringList{"read", "--output-dir", "DIR"} << QStringLiteral("read");
        QTest::newRow("write") << QStringList{"write", "--input", "FILE", "--verify"} << QStringLiteral("written");
        QTest::newRow("diff") << QStringList{"diff", "--input", "FILE"} << QStringLiteral("read");
    }
    void jsonCarriesTheSerialNumber()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, args);
        QFETCH(QString, tableState);
        SimProcess sim;
        QVERIFY(sim.Start(25, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("31337")}));
        args.replaceInStrings(QStringLiteral("FILE"), m_file).replaceInStrings(QStringLiteral("DIR"), Path(QStringLiteral("reads/new")));
        const Result r = Cli(args + QStringList{QStringLiteral("--port"), QStringLiteral("COM25"), QStringLiteral("--json")});
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(r.out));
        QCOMPARE(o.value(QStringLiteral("operation")).toString(), args.first());
        QCOMPARE(o.value(QStringLiteral("serialNumber")).toInteger(), 31337);
        QCOMPARE(o.value(QStringLiteral("port")).toString(), QStringLiteral("COM25"));
        QCOMPARE(o.value(QStringLiteral("exitStatus")).toInt(), r.code);
        QCOMPARE(o.value(QStringLiteral("errorCode")).toInt(), 0);
        const QJsonArray tables = o.value(QStringLiteral("tables")).toArray();
        QCOMPARE(tables.isEmpty() ? QString() : tables[0][QStringLiteral("state")].toString(), tableState);
        QVERIFY(r.err.contains(QStringLiteral("Порт COM25 закрыт.")));
        if (args.contains(QStringLiteral("--output-dir"))) {  // named by the serial number, as a backup is
            const QStringList saved = QDir(args.last()).entryList({QStringLiteral("KD_31337_????????_??????.xml")});
            QCOMPARE(saved.size(), 1);
            QCOMPARE(o.value(QStringLiteral("file")).toString(), QDir(args.last()).filePath(saved.first()));
        }
    }

    void jsonOfAFailureAndOfACheck()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(26, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("2")}));
        Result r = Cli({QStringLiteral("write"), QStringLiteral("--input"), m_file, QStringLiteral("--port"), QStringLiteral("COM26"),
                        QStringLiteral("--json")});
        QCOMPARE(r.code, 3);
        QJsonObject o = r.Json();
        QCOMPARE(o.value(QStringLiteral("errorCode")).toInt(), 24);
        QCOMPARE(o.value(QStringLiteral("errorMessage")).toString(), QStringLiteral("Ошибка. Ответ не получен за отведенное время!!!"));
        QCOMPARE(o.value(QStringLiteral("tables"))[0][QStringLiteral("state")].toString(), QStringLiteral("partly written"));
        QVERIFY(o.value(QStringLiteral("summary")).toString().startsWith(QStringLiteral("Итог: запись не выполнена")));

        r = Cli({QStringLiteral("check"), QStringLiteral("--input"), m_file, QStringLiteral("--json")});
        QCOMPARE(r.code, 0);
        o = r.Json();
        QCOMPARE(o.value(QStringLiteral("operation")).toString(), QStringLiteral("check"));
        QCOMPARE(o.value(QStringLiteral("channelsUsed")).toInt(), 10);
        QVERIFY(o.value(QStringLiteral("findings")).toArray().isEmpty());
    }

    // --quiet: the job's progress lines go, its error lines and the last line stay.
    void quietKeepsErrorsAndTheLastLine()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(27, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("88")}));
        Result r = Cli({QStringLiteral("write"), QStringLiteral("--input"), m_file, QStringLiteral("--port"), QStringLiteral("COM27"),
                        QStringLiteral("--verify"), QStringLiteral("--quiet")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("Запись выполнена и проверена (серийный номер 88).\n"));
        sim.Kill();
        QVERIFY(sim.Start(27, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("0")}));
        r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM27"), QStringLiteral("--quiet")});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.out, QStringLiteral("Ошибка. Ответ не получен за отведенное время!!!\n"
                                       "Итог: информация о станции не получена (ответ не получен за отведенное время).\n"));
    }

    void versionAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("version") << QStringList{"--version"} << 0;
        QTest::newRow("output and output-dir") << QStringList{"read", "--output", "a.xml", "--output-dir", "d", "--port", "COM28"} << 2;
        QTest::newRow("json with the file on standard output") << QStringList{"read", "--output", "-", "--json", "--port", "COM28"} << 2;
        QTest::newRow("diff without input") << QStringList{"diff", "--port", "COM28"} << 2;
    }
    void versionAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const Result r = Cli(args);
        QCOMPARE(r.code, code);
        if (code == 0)
            QVERIFY2(r.out.startsWith(QStringLiteral("kd-cli ")) && r.out.count(QLatin1Char('.')) == 2, qPrintable(r.out));
        else
            QVERIFY(r.err.startsWith(QStringLiteral("kd-cli: ")) && r.out.isEmpty());
    }

    // Three radios in turn on one port, swapped by restarting the simulator
    // with another serial number; one of them comes back and is skipped. Each
    // gets its backup and its read-back; Ctrl-C ends with the table.
    void repeatWritesRadioAfterRadio()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        const QString backups = Path(QStringLiteral("fleet-backups"));
        QProcess cli;
        m_cli.Start(cli, {QStringLiteral("write"), QStringLiteral("--repeat"), QStringLiteral("--port"), QStringLiteral("COM29"),
                          QStringLiteral("--input"), m_file, QStringLiteral("--backup"), backups, QStringLiteral("--verify"),
                          QStringLiteral("--json")});
        QVERIFY(cli.waitForStarted());
        QByteArray log;  // with --json, on standard error
        auto waitFor = [&](const QString &line) {
            return QTest::qWaitFor([&] {
                cli.waitForReadyRead(20);
                log += cli.readAllStandardError();
                return QString::fromUtf8(log).contains(line);
            }, 30000);
        };
        const struct
        {
            int serial;
            const char *state;
            const char *awaited;
        } radios[] = {{3001, "radio1", "Серийный номер 3001: записана и проверена"},
                      {3002, "radio2", "Серийный номер 3002: записана и проверена"},
                      {3001, "radio1-again", "Радиостанция 3001 уже записана в этом сеансе, пропущена."},
                      {3003, "radio3", "Серийный номер 3003: записана и проверена"}};
        SimProcess sim;
        for (const auto &radio : radios) {
            sim.Kill();
            QVERIFY(sim.Start(29, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QString::number(radio.serial)},
                              Path(QString::fromLatin1(radio.state))));
            QVERIFY2(waitFor(QString::fromUtf8(radio.awaited)), log.constData());
        }
#ifndef Q_OS_WIN
        ::kill(pid_t(cli.processId()), SIGINT);
#endif
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        log += cli.readAllStandardError();
        QVERIFY2(QString::fromUtf8(log).endsWith(QStringLiteral("Записано радиостанций: 3 из 3.\n")), log.constData());

        const QJsonArray written = QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value(QStringLiteral("radios")).toArray();
        QCOMPARE(written.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(written[i][QStringLiteral("serialNumber")].toInteger(), 3001 + i);
            QCOMPARE(written[i][QStringLiteral("result")].toString(), QStringLiteral("written"));
            QVERIFY(written[i][QStringLiteral("verified")].toBool());
        }
        // Each written radio holds the file, and has its own backup; the one
        // that came back was not touched.
        const QByteArray expected = ReadAll(Path(QStringLiteral("radio1/channels.bin")));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ReadAll(Path(QStringLiteral("radio2/channels.bin"))), expected);
        QCOMPARE(ReadAll(Path(QStringLiteral("radio3/channels.bin"))), expected);
        QVERIFY(ReadAll(Path(QStringLiteral("radio1-again/channels.bin"))).isEmpty());
        for (const char *serial : {"3001", "3002", "3003"})
            QCOMPARE(QDir(backups).entryList({QStringLiteral("KD_%1_*.xml").arg(QLatin1String(serial))}).size(), 1);
    }

    // Every kind of port in one probe's words; a port another program holds
    // is reported busy and never sent a byte.
    void probeTellsEachKindOfPort_data()
    {
        QTest::addColumn<QString>("kind");   // radio, silent, absent or held
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("words");
        QTest::newRow("radio") << "radio" << "radio"
                               << QStringLiteral("радиостанция КОРДАН 7К-40БМ, серийный номер 5150, программатор KDT10, таблица настроек 1.2");
        QTest::newRow("silent radio") << "silent" << "no answer" << QStringLiteral("радиостанция не отвечает");
        QTest::newRow("no device") << "absent" << "absent" << QStringLiteral("устройство отсутствует");
        QTest::newRow("held by another program") << "held" << "busy" << QStringLiteral("порт занят другой программой");
    }
    void probeTellsEachKindOfPort()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, kind);
        QFETCH(QString, state);
        QFETCH(QString, words);
        SimProcess sim;
        QStringList simArgs{QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("5150"), QStringLiteral("--log-frames")};
        if (kind == QLatin1String("silent"))
            simArgs << QStringLiteral("--silent-after") << QStringLiteral("0");
        if (kind == QLatin1String("absent"))
            UserSettings().setValue(QStringLiteral("Ports/COM50"), Path(QStringLiteral("no-such-device")));
        else
            QVERIFY(sim.Start(50, simArgs));
        QSerialPort holder(UserSettings().value(QStringLiteral("Ports/COM50")).toString());
        if (kind == QLatin1String("held"))
            QVERIFY(holder.open(QIODevice::ReadWrite));

        Result r = Cli({QStringLiteral("ports"), QStringLiteral("--probe"), QStringLiteral("--port"), QStringLiteral("COM50")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("COM50\t%1\t\t%2").arg(UserSettings().value(QStringLiteral("Ports/COM50")).toString(), words)),
                 qPrintable(r.out));
        r = Cli({QStringLiteral("ports"), QStringLiteral("--probe"), QStringLiteral("--port"), QStringLiteral("COM50"), QStringLiteral("--json")});
        const QJsonObject probe = r.Json().value(QStringLiteral("ports"))[0][QStringLiteral("probe")].toObject();
        QCOMPARE(probe.value(QStringLiteral("state")).toString(), state);
        QCOMPARE(probe.value(QStringLiteral("radio"))[QStringLiteral("serialNumber")].toInteger(), state == QLatin1String("radio") ? 5150 : 0);
        if (kind == QLatin1String("held"))
            QVERIFY(!sim.Log().contains(" RX "));
    }

    // Three radios at once, one of them failing mid-write: the others are
    // written, the table says which failed and what it was left holding, and
    // the exit status says not every radio was written.
    void parallelWriteWithOneFailingRadio_data()
    {
        QTest::addColumn<QStringList>("failing");  // the third radio's faults; empty: its port held
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("result");
        // Seven requests make the backup, two the information; the first
        // block of the channel table is the last one answered.
        QTest::newRow("silent mid-write") << QStringList{"--silent-after", "10"} << QStringLiteral("5153")
                                          << QStringLiteral("запись не выполнена (ответ не получен за отведенное время). "
                                                            "Таблица каналов записана частично, таблица настроек не записана");
        QTest::newRow("port held by another program") << QStringList{} << QStringLiteral("нет")
                                                      << QStringLiteral("запись не выполнена (резервная копия не сохранена). "
                                                                        "Таблица каналов не записана, таблица настроек не записана");
        // Unplugged while its write is on the line (at 9600 baud it lasts).
        QTest::newRow("port vanishes mid-write") << QStringList{"VANISH"} << QStringLiteral("5153")
                                                 << QStringLiteral("запись не выполнена (ошибка доступа к порту). "
                                                                   "Таблица каналов записана частично, таблица настроек не записана");
    }
    void parallelWriteWithOneFailingRadio()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, failing);
        QFETCH(QString, serial);
        QFETCH(QString, result);
        const bool vanish = failing == QStringList{QStringLiteral("VANISH")};
        SimProcess radios[3];
        for (int i = 0; i < 3; ++i) {
            QStringList args{QStringLiteral("--serial"), QString::number(5151 + i)};
            if (i < 2 || !vanish)
                args << QStringLiteral("--no-pacing");
            QVERIFY(radios[i].Start(51 + i, args + (i == 2 && !vanish ? failing : QStringList{})));
        }
        QSerialPort holder(UserSettings().value(QStringLiteral("Ports/COM53")).toString());
        if (failing.isEmpty())
            QVERIFY(holder.open(QIODevice::ReadWrite));
        const QString backups = Path(QStringLiteral("parallel-backups/%1").arg(QTest::currentDataTag()));

        QProcess cli;
        m_cli.Start(cli, {QStringLiteral("write"), QStringLiteral("--input"), m_file, QStringLiteral("--port"),
                          QStringLiteral("COM51,COM52,COM53"), QStringLiteral("--backup"), backups, QStringLiteral("--json")});
        QByteArray log;  // with --json, on standard error
        if (vanish) {
            QVERIFY2(QTest::qWaitFor([&] {
                         cli.waitForReadyRead(20);
                         log += cli.readAllStandardError();
                         return log.contains("[COM53] Запись ...");
                     }, 30000), log.constData());
            QTest::qWait(300);
            radios[2].Kill();
        }
        QVERIFY(cli.waitForFinished(60000));
        Result r;
        r.code = cli.exitCode();
        r.out = QString::fromUtf8(cli.readAllStandardOutput());
        r.err = QString::fromUtf8(log + cli.readAllStandardError());
        QCOMPARE(r.code, 1);
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const qsizetype head = lines.indexOf(QStringLiteral("Порт    Серийный номер  Время, с  Результат"));
        QVERIFY2(head > 0 && lines.size() == head + 6, qPrintable(r.err));
        // Every line of the radios' logs names its port.
        for (const QString &line : lines.mid(0, head))
            QVERIFY2(line.startsWith(QStringLiteral("[COM5")), qPrintable(line));
        const QRegularExpression row(QStringLiteral("^(COM5\\d) +(\\S+) +\\d+,\\d  (.*)$"));
        for (int i = 0; i < 3; ++i) {
            const QRegularExpressionMatch m = row.match(lines[head + 1 + i]);
            QVERIFY2(m.hasMatch(), qPrintable(lines[head + 1 + i]));
            QCOMPARE(m.captured(1), QStringLiteral("COM5%1").arg(1 + i));
            QCOMPARE(m.captured(2), i < 2 ? QString::number(5151 + i) : serial);
            QCOMPARE(m.captured(3), i < 2 ? QStringLiteral("записана") : result);
        }
        QCOMPARE(lines[head + 4], QStringLiteral("Записано радиостанций: 2 из 3."));
        QCOMPARE(lines[head + 5], QStringLiteral("Итог: радиостанции не записаны на портах: COM53."));

        const QJsonArray json = r.Json().value(QStringLiteral("radios")).toArray();
        QCOMPARE(json.size(), 3);
        QCOMPARE(json[2][QStringLiteral("result")].toString(), QStringLiteral("failed"));
        QCOMPARE(r.Json().value(QStringLiteral("exitStatus")).toInt(), 1);
        // The radios written hold the file; each has a backup of its own.
        QCOMPARE(radios[1].ReadState(QStringLiteral("channels.bin")), radios[0].ReadState(QStringLiteral("channels.bin")));
        QVERIFY(!radios[0].ReadState(QStringLiteral("channels.bin")).isEmpty());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(QDir(backups).entryList({QStringLiteral("KD_%1_*.xml").arg(5151 + i)}).size(), 1);
    }

    // Two cables with --repeat: radios move between them, and one that was
    // written comes back on the other cable; it is not written again.
    void repeatOnTwoCablesWritesEachRadioOnce()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QProcess cli;
        m_cli.Start(cli, {QStringLiteral("write"), QStringLiteral("--repeat"), QStringLiteral("--port"), QStringLiteral("COM56,COM57"),
                          QStringLiteral("--input"), m_file, QStringLiteral("--json")});
        QByteArray log;
        auto waitFor = [&](const QString &line) {
            return QTest::qWaitFor([&] {
                cli.waitForReadyRead(20);
                log += cli.readAllStandardError();
                return QString::fromUtf8(log).contains(line);
            }, 30000);
        };
        SimProcess first, second;
        QVERIFY(first.Start(56, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("6001")}, Path(QStringLiteral("moved"))));
        QVERIFY(second.Start(57, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("6002")}));
        QVERIFY2(waitFor(QStringLiteral("[COM56] Серийный номер 6001: записана")), log.constData());
        QVERIFY2(waitFor(QStringLiteral("[COM57] Серийный номер 6002: записана")), log.constData());
        first.Kill();
        second.Kill();
        // 6001 moved to the other cable; a new radio on the first one.
        QVERIFY(second.Start(57, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("6001")}, Path(QStringLiteral("moved"))));
        QVERIFY(first.Start(56, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("6003")}));
        QVERIFY2(waitFor(QStringLiteral("[COM57] Радиостанция 6001 уже записана в этом сеансе, пропущена.")), log.constData());
        QVERIFY2(waitFor(QStringLiteral("[COM56] Серийный номер 6003: записана")), log.constData());
#ifndef Q_OS_WIN
        ::kill(pid_t(cli.processId()), SIGINT);
#endif
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 0);
        log += cli.readAllStandardError();
        QVERIFY2(QString::fromUtf8(log).endsWith(QStringLiteral("Записано радиостанций: 3 из 3.\n")), log.constData());
        QStringList serials;
        for (const QJsonValue &radio : QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value(QStringLiteral("radios")).toArray())
            serials << QString::number(radio[QStringLiteral("serialNumber")].toInteger());
        serials.sort();
        QCOMPARE(serials, (QStringList{QStringLiteral("6001"), QStringLiteral("6002"), QStringLiteral("6003")}));
    }

    // Two entries that name one device are refused before any port is opened.
    void sameDeviceTwiceIsRefused_data()
    {
        QTest::addColumn<QString>("second");  // LINK: the mapped link, DEVICE: the terminal behind it
        QTest::addColumn<QStringList>("command");
        QTest::newRow("one name twice") << QStringLiteral("COM54") << QStringList{"write", "--input", "FILE"};
        QTest::newRow("a name and its device") << QStringLiteral("LINK") << QStringList{"write", "--input", "FILE"};
        QTest::newRow("a name and the terminal behind its link") << QStringLiteral("DEVICE") << QStringList{"write", "--input", "FILE"};
        QTest::newRow("probe: a name and its device") << QStringLiteral("LINK") << QStringList{"ports", "--probe"};
    }
    void sameDeviceTwiceIsRefused()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, second);
        QFETCH(QStringList, command);
        SimProcess a, b;
        QVERIFY(a.Start(54, {QStringLiteral("--no-pacing"), QStringLiteral("--log-frames")}));
        QVERIFY(b.Start(55, {QStringLiteral("--no-pacing"), QStringLiteral("--log-frames")}));
        second.replace(QStringLiteral("LINK"), UserSettings().value(QStringLiteral("Ports/COM54")).toString())
            .replace(QStringLiteral("DEVICE"), a.device());
        command.replaceInStrings(QStringLiteral("FILE"), m_file);
        const Result r = Cli(command + QStringList{QStringLiteral("--port"), QStringLiteral("COM55,COM54,") + second});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("kd-cli: --port: COM54 и %1 — одно и то же устройство").arg(second)), qPrintable(r.err));
        QVERIFY2(!r.out.contains(QStringLiteral("открыт")), qPrintable(r.out));
        QVERIFY(!a.Log().contains(" RX "));
        QVERIFY(!b.Log().contains(" RX "));
    }
};

QTEST_GUILESS_MAIN(TestFleet)
#include "tst_fleet.moc"
