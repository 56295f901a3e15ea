#include "model/configdocument.h"
#include "link/comthread.h"
#include "link/portdirectory.h"
#include "model/channelscontext.h"
#include "model/settingscontext.h"
#include "simprocess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// A radio memory with some channels inside the default range and changed settings.
void PreloadRadio(const QString &stateDir, std::int32_t firstFrequency)
{
    QDir().mkpath(stateDir);
    ChannelsContext t{QString()};
    for (int n = 0; n < 10; ++n) {
        t.channels[n].freq_rx = firstFrequency + n * 25000;
        t.channels[n].freq_tx = firstFrequency + n * 25000;
        t.channels[n].subtone_rx = n + 1;
    }
    TableImage channels;
    QVERIFY(t.EncodeImage(channels, 0x0100));
    SettingsContext s;
    s.Volume = 3;
    s.ID = 77;
    TableImage settings;
    QVERIFY(s.EncodeImage(settings, 0x0102));
    QVERIFY(WriteAll(stateDir + QStringLiteral("/channels.bin"), QByteArray(reinterpret_cast<const char *>(channels.data()), 2048)));
    QVERIFY(WriteAll(stateDir + QStringLiteral("/settings.bin"), QByteArray(reinterpret_cast<const char *>(settings.data()), 2048)));
}

SettingsContext DecodeSettings(const QByteArray &bytes)
{
    TableImage img;
    std::memcpy(img.data(), bytes.constData(), qMin<std::size_t>(2048, std::size_t(bytes.size())));
    SettingsContext s;
    s.DecodeImage(img);
    return s;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_cli;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    Result Cli(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("cfg")));
        p.setProcessEnvironment(env);
        p.start(m_cli, args);
        p.closeWriteChannel();
        Result r;
        if (!p.waitForFinished(60000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(Path(QStringLiteral("cfg")));
        QDir().mkpath(Path(QStringLiteral("bin")));
        IsolateUserSettings(Path(QStringLiteral("cfg")));
        // A copy of its own, so that its KD_config.xml lives in this folder.
        m_cli = Path(QStringLiteral("bin/kd-cli"));
        QVERIFY(QFile::copy(QStringLiteral(KD_BIN_DIR "/kd-cli"), m_cli));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"flash"} << 2;
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("command help") << QStringList{"write", "--help"} << 0;
        QTest::newRow("read without output") << QStringList{"read", "--port", "COM5"} << 2;
        QTest::newRow("write without input") << QStringList{"write"} << 2;
        QTest::newRow("check without input") << QStringList{"check"} << 2;
        QTest::newRow("port zero") << QStringList{"info", "--port", "COM0"} << 2;
        QTest::newRow("port 256") << QStringList{"info", "--port", "COM256"} << 2;
        QTest::newRow("not a port") << QStringList{"info", "--port", "LPT1"} << 2;
        QTest::newRow("unknown option") << QStringList{"info", "--fast"} << 2;
        QTest::newRow("stray argument") << QStringList{"check", "--input", "a.xml", "b.xml"} << 2;
    }
    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const Result r = Cli(args);
        QCOMPARE(r.code, code);
        if (code == 2)
            QVERIFY(!r.err.isEmpty());
        else
            QVERIFY(r.out.contains(QStringLiteral("Usage: kd-cli")));
    }

    void programmerIdIsNotPlainText()
    {
        QVERIFY(!ReadAll(m_cli).contains("KDT10"));
    }

    void readOneRadioWriteAnother()
    {
        const QString stateA = Path(QStringLiteral("radioA"));
        PreloadRadio(stateA, 40000000);
        SimProcess a, b;
        QVERIFY(a.Start(210, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("555")}, stateA));
        QVERIFY(b.Start(211, {QStringLiteral("--no-pacing")}));
        const QString file = Path(QStringLiteral("fromA.xml"));
        const QString trace = Path(QStringLiteral("trace.txt"));
        Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM210"), QStringLiteral("--output"), file,
                        QStringLiteral("--trace"), trace});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        QVERIFY(r.out.contains(QStringLiteral("Таблица каналов прочитана (версия 1.0).\nТаблица настроек прочитана (версия 1.2).\nПорт COM210 закрыт.\n")));
        QVERIFY(!r.out.contains(QLatin1Char('\r')));
        QVERIFY(ReadAll(trace).contains("> c0 01 00 9f 16 c1"));

        r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM211"), QStringLiteral("--input"), file,
                 QStringLiteral("--verify")});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        QVERIFY(r.out.contains(QStringLiteral("Проверка: данные совпадают.")));
        QCOMPARE(b.ReadState(QStringLiteral("channels.bin")), a.ReadState(QStringLiteral("channels.bin")));
        SettingsContext sa = DecodeSettings(a.ReadState(QStringLiteral("settings.bin")));
        SettingsContext sb = DecodeSettings(b.ReadState(QStringLiteral("settings.bin")));
        QCOMPARE(sb.Volume, 3);
        QCOMPARE(sb.ID, 77);
        sb.ProgramCount = sa.ProgramCount;
        QVERIFY(sa == sb);
    }

    void verifyCatchesAChangedByte()
    {
        SimProcess sim;
        QVERIFY(sim.Start(212, {QStringLiteral("--no-pacing"), QStringLiteral("--store-changed")}));
        const QString file = Path(QStringLiteral("plain.xml"));
        ChannelsContext t{QString()};
        t.channels[3].freq_rx = 41000000;
        SettingsContext s;
        QString error;
        QVERIFY(ConfigurationDocument::Save(file, t, s, error));
        const Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM212"), QStringLiteral("--input"),
                              file, QStringLiteral("--verify")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral("Ошибка. Несовпадение данных при сравнении!!!")), qPrintable(r.out));
    }

    void backupComesFirst()
    {
        const QString state = Path(QStringLiteral("radioC"));
        PreloadRadio(state, 42000000);
        const QByteArray before = ReadAll(state + QStringLiteral("/channels.bin"));
        SimProcess sim;
        QVERIFY(sim.Start(213, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("9876")}, state));
        const QString file = Path(QStringLiteral("new.xml"));
        ChannelsContext t{QString()};
        t.channels[50].freq_rx = 45000000;
        SettingsContext s;
        QString error;
        QVERIFY(ConfigurationDocument::Save(file, t, s, error));
        const QString backups = Path(QStringLiteral("backups"));
        const Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM213"), QStringLiteral("--input"),
                              file, QStringLiteral("--backup"), backups});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
        const QStringList saved = QDir(backups).entryList({QStringLiteral("KD_9876_*.xml")});
        QCOMPARE(saved.size(), 1);
        QVERIFY(r.out.indexOf(QStringLiteral("Резервная копия сохранена")) < r.out.indexOf(QStringLiteral("Запись ...")));
        // The backup holds what the radio held before; the radio holds the file.
        ConfigurationDocument::Contents c;
        QVERIFY(ConfigurationDocument::Read(QDir(backups).filePath(saved.first()), c, error));
        QCOMPARE(c.channels[0].freq_rx, 42000000);
        QVERIFY(!c.channels[50].IsUsed());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")) != before);
    }

    void failedBackupWritesNothing()
    {
        const QString state = Path(QStringLiteral("radioD"));
        PreloadRadio(state, 42000000);
        const QByteArray before = ReadAll(state + QStringLiteral("/channels.bin"));
        SimProcess sim;
        QVERIFY(sim.Start(214, {QStringLiteral("--no-pacing"), QStringLiteral("--wrong-length"), QStringLiteral("3")}, state));
        const QString file = Path(QStringLiteral("fromA.xml"));
        const QString backups = Path(QStringLiteral("backups-failed"));
        const Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM214"), QStringLiteral("--input"),
                              file, QStringLiteral("--backup"), backups});
        QCOMPARE(r.code, 1);
        QVERIFY(QDir(backups).entryList(QDir::Files).isEmpty());
        QVERIFY(!r.out.contains(QStringLiteral("Запись ...")));
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")), before);
    }

    void failedReadLeavesTheOutputAlone()
    {
        SimProcess sim;
        QVERIFY(sim.Start(215, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("0")}));
        const QString out = Path(QStringLiteral("keep.xml"));
        QVERIFY(WriteAll(out, "precious"));
        const Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM215"), QStringLiteral("--output"), out});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains(QStringLiteral("Ошибка. Ответ не получен за отведенное время!!!")));
        QCOMPARE(ReadAll(out), QByteArray("precious"));
    }

    void unwritableOutput()
    {
        SimProcess sim;
        QVERIFY(sim.Start(216, {QStringLiteral("--no-pacing")}));
        const Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM216"), QStringLiteral("--output"),
                              Path(QStringLiteral("no/such/dir/out.xml"))});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("Не удалось сохранить файл")));
    }

    void missingAndBusyPorts()
    {
        Result r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM99")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("Не удалось открыть порт COM99 !!!\nПроцесс остановлен!!!\n"));

        SimProcess sim;
        QVERIFY(sim.Start(217, {QStringLiteral("--no-pacing")}));
        ComThread holder;
        QVERIFY(holder.OpenPort(217));
        r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM217")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains(QStringLiteral("Не удалось открыть порт COM217 !!!")));
    }

    void defaultPortAndRadioRange()
    {
        SimProcess sim;
        QVERIFY(sim.Start(218, {QStringLiteral("--no-pacing"), QStringLiteral("--pair"), QStringLiteral("0-100")}));
        ports::StoreDefaultPort(QStringLiteral("COM218"));
        Result r = Cli({QStringLiteral("info")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Порт COM218 открыт.\n")));
        QVERIFY(r.out.contains(QStringLiteral("Диапазон частот в станции и файле не совпадают!!!")));
        QVERIFY(r.out.contains(QStringLiteral("Тип радиостанции: КОРДАН 7К-40БМ")));
        // Only a read adopts the radio's range into the list beside the program.
        QVERIFY(!ReadAll(Path(QStringLiteral("bin/KD_config.xml"))).contains("34250000"));
        r = Cli({QStringLiteral("read"), QStringLiteral("--output"), Path(QStringLiteral("narrow.xml"))});
        QCOMPARE(r.code, 0);
        QVERIFY(ReadAll(Path(QStringLiteral("bin/KD_config.xml"))).contains("<rx0 begin=\"33000000\" end=\"34250000\"/>"));
        QVERIFY(ReadAll(Path(QStringLiteral("narrow.xml"))).contains("end=\"34250000\""));
        UserSettings().remove(QStringLiteral("Settings/DefaultComPort"));
    }

    void badInputFile()
    {
        const QString file = Path(QStringLiteral("broken.xml"));
        QVERIFY(WriteAll(file, "<root>\n<Channels>\n<channel id='1'>"));
        Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM219"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("строка")), qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("Порт")));  // the radio was never touched
        r = Cli({QStringLiteral("check"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 1);
        r = Cli({QStringLiteral("check"), QStringLiteral("--input"), Path(QStringLiteral("missing.xml"))});
        QCOMPARE(r.code, 1);
    }

    void checkReportsWhatOpeningWouldDrop()
    {
        const QString file = Path(QStringLiteral("check.xml"));
        QVERIFY(WriteAll(file, "<root><FreqRange><rx0 begin='33000000' end='48500000'/><tx0 begin='33000000' end='48500000'/></FreqRange>"
                               "<Channels><channel id='1'><freq_rx>40000000</freq_rx></channel>"
                               "<channel id='2'><freq_rx>300000000</freq_rx></channel></Channels>"
                               "<Settings version='0x0101'/></root>"));
        const QByteArray before = ReadAll(Path(QStringLiteral("bin/KD_config.xml")));
        const Result r = Cli({QStringLiteral("check"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("Диапазон: ( 33-48.5 МГц)")));
        QVERIFY(r.out.contains(QStringLiteral("Версия таблицы настроек: 1.1")));
        QVERIFY(r.out.contains(QStringLiteral("   1: 40 000 000 / -")));
        QVERIFY(r.out.contains(QStringLiteral("Используемых каналов: 2")));
        QVERIFY(r.out.contains(QStringLiteral("При открытии будут удалены каналы вне диапазона: 2")));
        QCOMPARE(ReadAll(Path(QStringLiteral("bin/KD_config.xml"))), before);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
