#include "link/comthread.h"
#include "link/portdirectory.h"
#include "model/bytes.h"
#include "model/settingscontext.h"
#include "model/tableimage.h"
#include "simprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace protocol;

namespace {

constexpr int kPort = 201;

class Recorder : public ExchangeNotifyReceiver
{
public:
    QList<std::uint32_t> words;
    void ExchangeNotify(std::uint32_t packed) override { words.append(packed); }
    bool finished() const { return !words.isEmpty() && ((words.last() >> 16) & 0xFF) == 100; }
    static int Progress(std::uint32_t w) { return int((w >> 16) & 0xFF); }
};

struct Buffers
{
    std::array<std::uint8_t, 2048> main{};
    std::array<std::uint8_t, 2048> ext{};
    TableImage channels;
    TableImage settings;
};

ExchangeRequest Req(std::int32_t kind, std::uint16_t arg, std::uint32_t size, std::uint8_t *buf)
{
    return ExchangeRequest{kind, arg, size, buf};
}

TableImage ChannelImageWithPattern()
{
    TableImage img;
    img.Fill(0xFF);
    img.SetVersion(0x0100);
    img.SetLength(2012);
    img.PrepareCrcWords();
    for (std::size_t i = 12; i < 2012; ++i)
        img.bytes[i] = std::uint8_t((i * 13) ^ 0xC0);  // plenty of bytes to escape
    SealImage(img);
    return img;
}

} // namespace

class TestComThread : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;

    // Runs the queue to its end; returns the error code.
    int Run(ComThread &t, Recorder &rec, const QList<ExchangeRequest> &queue, int timeoutMs = 20000)
    {
        t.SetNotifyWindow(&rec);
        if (!t.ClearQueue())
            return -1;
        for (const ExchangeRequest &r : queue) {
            if (!t.AddRequest(&r))
                return -2;
        }
        rec.words.clear();
        if (!t.Start())
            return -3;
        if (!QTest::qWaitFor([&] { return rec.finished(); }, timeoutMs))
            return -4;
        return t.GetErrorCode();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        IsolateUserSettings(m_settingsDir.path());
    }

    void portNames_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("device");
        QTest::newRow("first ttyS") << 1 << "/dev/ttyS0";
        QTest::newRow("last ttyS") << 32 << "/dev/ttyS31";
        QTest::newRow("first ttyUSB") << 33 << "/dev/ttyUSB0";
        QTest::newRow("ttyACM") << 66 << "/dev/ttyACM1";
        QTest::newRow("beyond the families") << 200 << "";
        QTest::newRow("mapped by the user") << 7 << "/tmp/somewhere/radio";
    }
    void portNames()
    {
#ifdef Q_OS_WIN
        QSKIP("Linux device names; on Windows a port is its own device");
#endif
        QFETCH(int, number);
        QFETCH(QString, device);
        UserSettings().setValue(QStringLiteral("Ports/COM7"), QStringLiteral("/tmp/somewhere/radio"));
        QCOMPARE(ports::DevicePath(number), device);
        if (!device.isEmpty())
            QCOMPARE(ports::NumberForDevice(device), number);
        // The user's mapping takes the number away from the family device.
        QCOMPARE(ports::NumberForDevice(QStringLiteral("/dev/ttyS6")), 0);
        QCOMPARE(ports::ParsePortName(ports::PortName(number)), number);
        UserSettings().remove(QStringLiteral("Ports/COM7"));
    }

    void portNameParsing()
    {
        QCOMPARE(ports::ParsePortName(QStringLiteral("com4")), 4);
        QCOMPARE(ports::ParsePortName(QStringLiteral("COM0")), 0);
        QCOMPARE(ports::ParsePortName(QStringLiteral("COM256")), 0);
        QCOMPARE(ports::ParsePortName(QStringLiteral("COMX")), 0);
        QCOMPARE(ports::DevicePath(0), QString());
        QCOMPARE(ports::DevicePath(256), QString());
    }

    void defaultPortChoice()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess a, b;
        QVERIFY(a.Start(230, {QStringLiteral("--no-pacing")}));
        QVERIFY(b.Start(231, {QStringLiteral("--no-pacing")}));
        // Mapped devices are listed while they exist.
        QList<int> listed;
        for (const ports::PortEntry &p : ports::ListPorts())
            listed << p.number;
        QVERIFY(listed.contains(230) && listed.contains(231));
        QVERIFY(std::is_sorted(listed.begin(), listed.end()));
        ports::StoreDefaultPort(QStringLiteral("COM231"));
        QCOMPARE(ports::ChooseInitialPort(), 231);
        ports::StoreDefaultPort(QStringLiteral("COM9"));  // no longer present: the first port
        QCOMPARE(ports::ChooseInitialPort(), listed.first());
        UserSettings().remove(QStringLiteral("Settings/DefaultComPort"));
    }

    void openPortRules()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        ComThread t;
        QVERIFY(!t.OpenPort(0));
        QVERIFY(!t.OpenPort(256));
        QVERIFY(!t.IsPortOpen());
        QVERIFY(!t.Start());
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing")}));
        QVERIFY(t.OpenPort(kPort));
        QVERIFY(t.IsPortOpen());
        QVERIFY(t.OpenPort(77));  // already open: true, and still the same port
        QCOMPARE(t.PortNumber(), kPort);
        // The port is exclusive, and the one left out learns why.
        ComThread other;
        QVERIFY(!other.OpenPort(kPort));
        QCOMPARE(other.LastOpenProblem().kind, ports::OpenProblem::Busy);
        QCOMPARE(ports::DescribeOpenProblem(other.LastOpenProblem()),
                 QStringLiteral("Устройство %1 занято другой программой.").arg(ports::DevicePath(kPort)));
        QVERIFY(t.Close());
        QVERIFY(!t.IsPortOpen());
    }

    void openProblems()
    {
#ifdef Q_OS_WIN
        QSKIP("Linux devices, mappings and groups");
#endif
        ComThread t;
        UserSettings().setValue(QStringLiteral("Ports/COM7"), QStringLiteral("/tmp/no-such-adapter"));
        QVERIFY(!t.OpenPort(7));
        QCOMPARE(ports::DescribeOpenProblem(t.LastOpenProblem()),
                 QStringLiteral("Устройство /tmp/no-such-adapter отсутствует: адаптер не подключён или порт выбран неверно."));
        UserSettings().remove(QStringLiteral("Ports/COM7"));
        QVERIFY(!t.OpenPort(99));  // no family covers it and nothing maps it
        QVERIFY(ports::DescribeOpenProblem(t.LastOpenProblem()).startsWith(QStringLiteral("Порту COM99 не соответствует ни одно устройство")));
        // As root every device opens, so the permission case is checked on its words.
        const QString text = ports::DescribeOpenProblem(
            ports::OpenProblem{ports::OpenProblem::NoPermission, 33, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), QString()});
        QVERIFY2(text.startsWith(QStringLiteral("Нет прав на устройство /dev/ttyUSB0: его открывают члены группы dialout. "
                                                "Добавьте пользователя в группу командой \"sudo usermod -a -G dialout ")),
                 qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("\" и войдите в систему заново.")));
    }

    // The log's words when the stored default port was replaced at start.
    void replacedDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QStringList>("lines");
        const QString instead = QStringLiteral("Вместо порта %1, выбранного по умолчанию, взят первый имеющийся порт COM1.");
        QTest::newRow("nothing stored") << QString() << 1 << QStringList();
        QTest::newRow("the stored port chosen") << QStringLiteral("COM7") << 7 << QStringList();
        QTest::newRow("its adapter unplugged")
            << QStringLiteral("COM7") << 1
            << QStringList{QStringLiteral("Порт COM7: устройство /tmp/no-such-adapter."),
                           QStringLiteral("Устройство /tmp/no-such-adapter отсутствует: адаптер не подключён или порт выбран неверно."),
                           instead.arg(QStringLiteral("COM7"))};
        QTest::newRow("not a port name") << QStringLiteral("ttyUSB0") << 1 << QStringList{instead.arg(QStringLiteral("ttyUSB0"))};
    }
    void replacedDefault()
    {
#ifdef Q_OS_WIN
        QSKIP("Linux devices and mappings");
#endif
        QFETCH(QString, stored);
        QFETCH(int, chosen);
        QFETCH(QStringList, lines);
        UserSettings().setValue(QStringLiteral("Ports/COM7"), QStringLiteral("/tmp/no-such-adapter"));
        QCOMPARE(ports::ReplacedDefaultLines(stored, chosen), lines);
        UserSettings().remove(QStringLiteral("Ports/COM7"));
    }

    // Two names for one device are one device: a link and its target alike.
    void deviceIdentity()
    {
#ifdef Q_OS_WIN
        QSKIP("Linux devices, mappings and links");
#endif
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("tty"));
        const QString link = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile(device).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(device, link));
        UserSettings().setValue(QStringLiteral("Ports/COM7"), device);
        UserSettings().setValue(QStringLiteral("Ports/COM8"), link);
        UserSettings().setValue(QStringLiteral("Ports/COM9"), dir.filePath(QStringLiteral("gone/../absent")));
        QCOMPARE(ports::DeviceIdentity(8), ports::DeviceIdentity(7));
        QCOMPARE(ports::DeviceIdentity(9), dir.filePath(QStringLiteral("absent")));
        QVERIFY(ports::DeviceIdentity(7) != ports::DeviceIdentity(9));
        QCOMPARE(ports::DeviceIdentity(200), QString());
        for (const char *key : {"Ports/COM7", "Ports/COM8", "Ports/COM9"})
            UserSettings().remove(QLatin1String(key));
    }

    void queueLimits()
    {
        ComThread t;
        std::uint8_t buf[2048];
        const ExchangeRequest r = Req(ReadInfo, 0, 122, buf);
        for (std::size_t i = 0; i < ComThread::QueueCapacity; ++i)
            QVERIFY(t.AddRequest(&r));
        QVERIFY(!t.AddRequest(&r));
        QVERIFY(!t.AddRequest(nullptr));
        QVERIFY(t.ClearQueue());
        QVERIFY(t.AddRequest(&r));
    }

    void infoAndTablesRead()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("4242")}));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        Buffers b;
        b.channels.Fill(0xFF);
        b.settings.Fill(0xFF);
        QCOMPARE(Run(t, rec, {Req(ReadInfo, 0, 122, b.main.data()), Req(ReadInfo, 1, 104, b.ext.data()),
                              Req(ReadTable, 0, 2012, b.channels.data()), Req(ReadTable, 4, 34, b.settings.data())}),
                 0);
        QCOMPARE(getU32le(b.main.data() + 4), 4242u);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.main.data() + 18), 5), QByteArray("KDT10"));
        QCOMPARE(b.ext[100], std::uint8_t(5));
        QCOMPARE(b.ext[106], std::uint8_t(0));  // bytes beyond the 104 stay as they were
        QCOMPARE(b.channels.length(), std::uint16_t(2012));
        QVERIFY(VerifyImageCrc(b.channels));
        QCOMPARE(b.settings.version(), std::uint16_t(0x0102));
        QVERIFY(VerifyImageCrc(b.settings));

        // Notifications: the first announces the run, the last its end; every
        // word carries the port, and progress never goes back within a request.
        QVERIFY(rec.words.size() >= 6);
        QCOMPARE(rec.words.first(), std::uint32_t(kPort) | (1u << 16));
        QCOMPARE(Recorder::Progress(rec.words.last()), 100);
        for (std::uint32_t w : rec.words)
            QCOMPARE(int(w & 0xFF), kPort);
        QCOMPARE(t.GetProgress(), 100u);
        QVERIFY(!t.IsBusy());
    }

    void writeThenReadBackIdentical()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing")}));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        TableImage channels = ChannelImageWithPattern();
        SettingsContext s;
        s.Volume = 3;
        s.ID = 254;
        TableImage settings;
        QVERIFY(s.EncodeImage(settings, 0x0102));
        QCOMPARE(Run(t, rec, {Req(WriteTable, 0, 2012, channels.data()), Req(WriteTable, 4, 46, settings.data())}), 0);
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")),
                 QByteArray(reinterpret_cast<const char *>(channels.data()), 2048));

        // The same worker runs a second queue.
        TableImage back1, back2;
        back1.Fill(0xFF);
        back2.Fill(0xFF);
        QCOMPARE(Run(t, rec, {Req(ReadTable, 0, 2012, back1.data()), Req(ReadTable, 4, 46, back2.data())}), 0);
        QCOMPARE(back1.bytes, channels.bytes);
        QCOMPARE(back2.bytes, settings.bytes);
    }

    void faults_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("what");   // 0 info pair, 1 info and channel table, 2 three settings reads, 3 channel write, 4 channel table
        QTest::addColumn<int>("code");
        QTest::newRow("echo") << QStringList{"--echo"} << 1 << 0;
        QTest::newRow("echo on write") << QStringList{"--echo"} << 3 << 0;
        QTest::newRow("junk before reply") << QStringList{"--junk", "40"} << 1 << 0;
        QTest::newRow("first request ignored") << QStringList{"--ignore-first", "1"} << 0 << 0;
        QTest::newRow("every 2nd reply corrupt") << QStringList{"--corrupt-every", "2"} << 0 << 0;
        QTest::newRow("every reply corrupt") << QStringList{"--corrupt-every", "1"} << 0 << int(ErrChecksum);
        QTest::newRow("info wrong command") << QStringList{"--wrong-command", "1"} << 0 << int(ErrBadReply);
        QTest::newRow("info wrong sub-command") << QStringList{"--wrong-block", "1"} << 0 << int(ErrBadReply);
        QTest::newRow("stale block reply before info") << QStringList{"--stale-reply"} << 1 << 0;
        QTest::newRow("info wrong length") << QStringList{"--wrong-length", "1"} << 0 << int(ErrBlockLength);
        QTest::newRow("table wrong block every time") << QStringList{"--wrong-block", "1"} << 4 << int(ErrNoReply);
        QTest::newRow("write reply of five bytes") << QStringList{"--wrong-length", "1"} << 3 << int(ErrNoReply);
        QTest::newRow("one bad reply is retried") << QStringList{"--wrong-command", "3"} << 2 << 0;
        QTest::newRow("silent after info") << QStringList{"--silent-after", "2"} << 1 << int(ErrNoReply);
        QTest::newRow("silent from the start") << QStringList{"--silent-after", "0"} << 0 << int(ErrNoReply);
    }
    void faults()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, args);
        QFETCH(int, what);
        QFETCH(int, code);
        SimProcess sim;
        QVERIFY(sim.Start(kPort, QStringList{QStringLiteral("--no-pacing")} + args));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        Buffers b;
        b.channels.Fill(0xFF);
        b.settings.Fill(0xFF);
        TableImage source = ChannelImageWithPattern();
        QList<ExchangeRequest> queue;
        switch (what) {
        case 0: queue = {Req(ReadInfo, 0, 122, b.main.data()), Req(ReadInfo, 1, 104, b.ext.data())}; break;
        case 1: queue = {Req(ReadInfo, 0, 122, b.main.data()), Req(ReadInfo, 1, 104, b.ext.data()),
                         Req(ReadTable, 0, 2012, b.channels.data())}; break;
        case 2: queue = {Req(ReadTable, 4, 34, b.settings.data()), Req(ReadTable, 4, 34, b.settings.data()),
                         Req(ReadTable, 4, 34, b.settings.data())}; break;
        case 3: queue = {Req(WriteTable, 0, 2012, source.data())}; break;
        case 4: queue = {Req(ReadTable, 0, 2012, b.channels.data())}; break;
        }
        QCOMPARE(Run(t, rec, queue), code);
        if (code == 0 && what == 1)
            QVERIFY(VerifyImageCrc(b.channels));
        if (code == 0 && what == 0)
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.main.data() + 18), 5), QByteArray("KDT10"));
        if (code == 0 && what == 2) {
            // All three requests ran (a slot and an end for each, then the run's
            // end), and the retried attempt's code was never reported.
            QList<int> kinds;
            for (std::uint32_t w : rec.words) {
                kinds.append(int((w >> 8) & 0xFF));
                QCOMPARE(w >> 24, 0u);
            }
            QCOMPARE(kinds.count(ReadTable), 7);
        }
        if (code == 0 && what == 3)
            QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")), QByteArray(reinterpret_cast<const char *>(source.data()), 2048));
    }

    void shortTableReachesItsWeight()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--settings-version"), QStringLiteral("0x0100")}));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        TableImage img;
        img.Fill(0xFF);
        QCOMPARE(Run(t, rec, {Req(ReadTable, 4, 34, img.data())}), 0);
        QCOMPARE(img.length(), std::uint16_t(34));
        // start (1), after its only slot (99), after the request (99), end (100)
        QList<int> progress;
        for (std::uint32_t w : rec.words)
            progress.append(Recorder::Progress(w));
        QCOMPARE(progress, (QList<int>{1, 99, 99, 100}));
    }

    void storedChangeShowsOnReadBack()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--store-changed")}));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        TableImage src = ChannelImageWithPattern();
        TableImage back;
        back.Fill(0xFF);
        QCOMPARE(Run(t, rec, {Req(WriteTable, 0, 2012, src.data()), Req(ReadTable, 0, 2012, back.data())}), 0);
        QVERIFY(back.bytes != src.bytes);
        QVERIFY(!VerifyImageCrc(back));
    }

    void closeDuringExchange()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {}));  // paced: a table read takes over two seconds
        auto *t = new ComThread;
        Recorder rec;
        QVERIFY(t->OpenPort(kPort));
        TableImage img;
        img.Fill(0xFF);
        const ExchangeRequest r = Req(ReadTable, 0, 2012, img.data());
        t->SetNotifyWindow(&rec);
        QVERIFY(t->AddRequest(&r));
        QVERIFY(t->Start());
        QTest::qWait(400);
        QVERIFY(t->IsBusy());
        QVERIFY(!t->AddRequest(&r));
        QVERIFY(!t->ClearQueue());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(t->Close());
        // Close ends the exchange within one short wait for bytes, not after the table.
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!t->IsPortOpen());
        QVERIFY(!t->IsBusy());
        delete t;
        QCoreApplication::processEvents();  // notifications still queued must not reach a dead worker
        // The port is free again.
        ComThread again;
        QVERIFY(again.OpenPort(kPort));
    }

    void radioVanishesMidTable()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        auto *sim = new SimProcess;
        QVERIFY(sim->Start(kPort, {}));
        ComThread t;
        Recorder rec;
        QVERIFY(t.OpenPort(kPort));
        TableImage img;
        img.Fill(0xFF);
        t.SetNotifyWindow(&rec);
        const ExchangeRequest r = Req(ReadTable, 0, 2012, img.data());
        QVERIFY(t.AddRequest(&r));
        QVERIFY(t.Start());
        QTest::qWait(300);
        delete sim;
        QVERIFY(QTest::qWaitFor([&] { return rec.finished(); }, 10000));
        // A port that failed ends the run with the access error, without the
        // attempts a silent radio gets.
        QCOMPARE(t.GetErrorCode(), int(ErrAccess));
    }
};

QTEST_GUILESS_MAIN(TestComThread)
#include "tst_comthread.moc"
