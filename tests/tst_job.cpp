#include "job/programmerid.h"
#include "job/programmingjob.h"
#include "link/protocol.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "simprocess.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int kPort = 202;

struct Capture : LogView, JobObserver
{
    QString text;
    QList<int> percents;
    QList<Rgb> colours;
    int finishedCount = 0;
    void AppendText(const QString &t) override { text += t; }
    void ClearText() override { text.clear(); }
    void ProgressChanged(int percent, Rgb colour) override
    {
        percents << percent;
        colours << colour;
    }
    void Finished() override { ++finishedCount; }
    QStringList lines() const { return text.split(QStringLiteral("\r\n")); }
};

// A job with its own records, the way the main window or kd-cli holds them.
struct Fixture
{
    ChannelsContext channels{QString()};
    SettingsContext settings;
    TInfoContext info;
    Capture capture;
    std::unique_ptr<ProgrammingJob> job;
    ProgrammingJob::InfoGate gate;

    bool Run(std::uint32_t operation, std::uint32_t port = kPort)
    {
        job = std::make_unique<ProgrammingJob>(channels, settings, info);
        job->SetInfoGate(gate);
        job->SetPort(port);
        job->SetOperation(operation);
        job->SetProgress(35, Rgb{0, 128, 0});
        job->SetObserver(&capture);
        job->Begin(&capture);
        return QTest::qWaitFor([&] { return job->finished(); }, 30000);
    }
};

QString Lines(std::initializer_list<const char *> lines)
{
    QString s;
    for (const char *l : lines)
        s += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return s;
}

QString Port(const char *format)
{
    return QString::fromUtf8(format).arg(kPort);
}

} // namespace

class TestJob : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private slots:
    // A write's last word: rewrite advice only when the radio holds neither
    // its old tables nor the new ones, with the backup when there is one.
    void writeSummary_data()
    {
        using W = ProgrammingJob::TableWrite;
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("settings");
        QTest::addColumn<QString>("backup");
        QTest::addColumn<QString>("expected");
        const QString head = QStringLiteral("Итог: запись не выполнена (обрыв). ");
        QTest::newRow("untouched") << int(W::None) << int(W::None) << "b.xml"
                                   << head + "Таблица каналов не записана, таблица настроек не записана.";
        QTest::newRow("both written") << int(W::Complete) << int(W::Complete) << "b.xml"
                                      << head + "Таблица каналов записана полностью, таблица настроек записана полностью.";
        QTest::newRow("channels partly") << int(W::Partly) << int(W::None) << "b.xml"
                                         << head + "Таблица каналов записана частично, таблица настроек не записана. "
                                                   "Запишите радиостанцию ещё раз. Резервная копия того, что в ней было: b.xml";
        QTest::newRow("settings missing, no backup") << int(W::Complete) << int(W::None) << ""
                                                     << head + "Таблица каналов записана полностью, таблица настроек не записана. "
                                                               "Запишите радиостанцию ещё раз.";
    }
    void writeSummary()
    {
        QFETCH(int, channels);
        QFETCH(int, settings);
        QFETCH(QString, backup);
        QFETCH(QString, expected);
        QCOMPARE(ProgrammingJob::WriteSummary(QStringLiteral("запись не выполнена"), QStringLiteral("обрыв"),
                                              ProgrammingJob::TableWrite(channels), ProgrammingJob::TableWrite(settings), backup),
                 expected);
    }

    void initTestCase()
    {
        IsolateUserSettings(m_settingsDir.path());
    }

    void programmerIdIsFiveCharacters()
    {
        QCOMPARE(ProgrammerId().size(), 5);
        QCOMPARE(ProgrammerId(), ProgrammerId());
    }

    void portZeroTouchesNothing()
    {
        Fixture f;
        QVERIFY(f.Run(ProgrammingJob::OpRead, 0));
        QCOMPARE(f.capture.text, Lines({"Не удалось открыть порт COM0 !!!", "Процесс остановлен!!!", "Порт не выбран.",
                                        "Итог: чтение не выполнено (порт COM0 не открыт)."}));
        QCOMPARE(f.job->percent(), 35);
        QCOMPARE(f.job->colour(), (Rgb{0, 128, 0}));
        QVERIFY(!f.job->succeeded());
        QVERIFY(f.job->portNotOpened());
        QCOMPARE(f.job->exchangeError(), 0);
        QCOMPARE(f.capture.finishedCount, 1);
    }

    void stepBeforeBeginDoesNothing()
    {
        Fixture f;
        f.job = std::make_unique<ProgrammingJob>(f.channels, f.settings, f.info);
        f.job->Step();
        f.job->ExchangeNotify(0);
        QCOMPARE(f.job->state(), std::uint32_t(ProgrammingJob::StateNone));
        QVERIFY(f.capture.text.isEmpty());
    }

    void infoSequence()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--program-count"), QStringLiteral("41")}));
        Fixture f;
        QVERIFY(f.Run(ProgrammingJob::OpInfo));
        QCOMPARE(f.capture.text, Port("Порт COM%1 открыт.\r\nИнформация о станции получена.\r\nПорт COM%1 закрыт.\r\n"));
        QVERIFY(f.job->succeeded());
        QVERIFY(f.info.IsComplete());
        QCOMPARE(f.settings.ProgramCount, 42u);
        QCOMPARE(f.capture.colours.first(), InfoColour);
        QCOMPARE(f.capture.percents.first(), 0);
        QCOMPARE(f.capture.percents.last(), 100);
        // Notifications that arrive after the end change nothing.
        f.job->ExchangeNotify(0);
        QCOMPARE(f.capture.finishedCount, 1);
    }

    void infoWarnsAboutRangeAndProgrammer()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--programmer"), QStringLiteral("ZZ999"),
                                  QStringLiteral("--pair"), QStringLiteral("0-100")}));
        Fixture f;
        QVERIFY(f.Run(ProgrammingJob::OpInfo));
        QCOMPARE(f.capture.text,
                 Port("Порт COM%1 открыт.\r\nИнформация о станции получена.\r\n"
                      "\r\nДиапазон частот в станции и файле не совпадают!!!\r\n\r\n"
                      "\r\nДля программирования радиостанции необходим другой программатор [ZZ999]\r\n\r\n"
                      "Порт COM%1 закрыт.\r\n"));
        QVERIFY(f.job->succeeded());
    }

    void infoPhaseWithoutReply()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("0")}));
        Fixture f;
        f.settings.ProgramCount = 5;
        QVERIFY(f.Run(ProgrammingJob::OpRead));
        QCOMPARE(f.capture.text, Port("Порт COM%1 открыт.\r\nОшибка. Ответ не получен за отведенное время!!!\r\nПорт COM%1 закрыт.\r\n"
                                      "Итог: чтение не выполнено (ответ не получен за отведенное время).\r\n"));
        QVERIFY(!f.info.mainDecoded);
        QCOMPARE(f.settings.ProgramCount, 5u);
        QVERIFY(!f.job->succeeded());
        QCOMPARE(f.job->exchangeError(), int(protocol::ErrNoReply));
        QVERIFY(!f.job->portNotOpened());
    }

    void readSequenceAndDecode()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--programmer"), QStringLiteral("ZZ999")}));
        Fixture f;
        f.channels.channels[0].freq_rx = 40000000;  // replaced by what the radio holds
        QVERIFY(f.Run(ProgrammingJob::OpRead));
        QCOMPARE(f.capture.text,
                 Port("Порт COM%1 открыт.\r\nИнформация о станции получена.\r\n"
                      "\r\nДля программирования радиостанции необходим другой программатор [ZZ999]\r\n\r\n"
                      "Чтение ...\r\nТаблица каналов прочитана (версия 1.0).\r\nТаблица настроек прочитана (версия 1.2).\r\n"
                      "Порт COM%1 закрыт.\r\n"));
        QVERIFY(f.job->succeeded());
        QVERIFY(f.job->channelTableRead() && f.job->settingsTableRead());
        QVERIFY(!f.channels.channels[0].IsUsed());
        QCOMPARE(f.settings.version, std::uint16_t(0x0102));
        QVERIFY(f.capture.colours.contains(ReadColour));
    }

    void writeThenReadBack()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing")}));
        Fixture w;
        w.channels.ApplyFrequencyPlan(false);
        for (Channel &c : w.channels.channels) {  // the plan lies outside the default range
            if (c.IsUsed()) {
                c.freq_rx = 40000000;
                c.freq_tx = 45000000;
            }
        }
        w.settings.Volume = 4;
        QVERIFY(w.Run(ProgrammingJob::OpWrite));
        QCOMPARE(w.capture.text,
                 Port("Порт COM%1 открыт.\r\nИнформация о станции получена.\r\n"
                      "Таблица каналов сформирована (версия 1.0).\r\nТаблица настроек сформирована (версия 1.2).\r\nЗапись ...\r\n"
                      "Таблица каналов записана.\r\nТаблица настроек записана.\r\nПорт COM%1 закрыт.\r\n"));
        QVERIFY(w.job->succeeded());
        QVERIFY(w.capture.colours.contains(WriteColour));

        Fixture r;
        QVERIFY(r.Run(ProgrammingJob::OpRead));
        QVERIFY(r.job->succeeded());
        QVERIFY(r.channels.channels == w.channels.channels);
        QCOMPARE(r.settings.Volume, 4);
        QCOMPARE(r.settings.ProgramCount, 8u);
    }

    void settingsVersionDecidesImageAndWeight_data()
    {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<int>("imageVersion");
        QTest::addColumn<int>("percentAfterTwoBlocks");  // 50 with weight 34, 49 with 38
        QTest::newRow("none reported") << "0" << 0x0100 << 50;
        QTest::newRow("1.01") << "0x0101" << 0x0101 << 49;
        QTest::newRow("1.02") << "0x0102" << 0x0102 << 50;
    }
    void settingsVersionDecidesImageAndWeight()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, reported);
        QFETCH(int, imageVersion);
        QFETCH(int, percentAfterTwoBlocks);
        // Paced, so that each notification is seen while its progress stands.
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--settings-version"), reported}));
        Fixture w;
        QVERIFY(w.Run(ProgrammingJob::OpWrite));
        QVERIFY(w.job->succeeded());
        const QByteArray stored = sim.ReadState(QStringLiteral("settings.bin"));
        QCOMPARE(stored.size(), 2048);
        QCOMPARE(int(std::uint8_t(stored[0]) | (std::uint8_t(stored[1]) << 8)), imageVersion);
        QVERIFY2(w.capture.percents.contains(percentAfterTwoBlocks), qPrintable(QDebug::toString(w.capture.percents)));
        QVERIFY(!w.capture.percents.contains(99 - percentAfterTwoBlocks));
    }

    void writeRefusedOnBothMismatches()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--programmer"), QStringLiteral("ZZ999"),
                                  QStringLiteral("--pair"), QStringLiteral("0-100")}));
        Fixture w;
        QVERIFY(w.Run(ProgrammingJob::OpWrite));
        QCOMPARE(w.capture.text,
                 Port("Порт COM%1 открыт.\r\nИнформация о станции получена.\r\n"
                      "\r\nДиапазон частот в станции и файле не совпадают!!!\r\nЗапись прервана!!!\r\n\r\n"
                      "\r\nДля программирования радиостанции необходим другой программатор [ZZ999]\r\n\r\n"
                      "Порт COM%1 закрыт.\r\n"
                      "Итог: запись не выполнена (диапазон частот в станции и файле не совпадают). "
                      "Таблица каналов не записана, таблица настроек не записана.\r\n"));
        QVERIFY(!w.job->succeeded());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
    }

    // Nothing is sent when a table cannot be built or a value would reach the
    // radio as another one; the log names each value.
    void tablesThatCannotBeBuiltWriteNothing_data()
    {
        QTest::addColumn<QString>("settingsVersion");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("unsupported settings version") << "0x0105" << "" << 0
                                                      << QStringLiteral("Ошибка. Таблица настроек версии 1.5 не может быть сформирована!!!");
        QTest::newRow("frequency the record cannot carry")
            << "0x0102" << "freq_rx" << 900000000
            << QStringLiteral("Канал 7: freq_rx = 900 000 000 Гц выше наибольшей частоты таблицы каналов 819 175 000 Гц");
        QTest::newRow("frequency off the raster")
            << "0x0102" << "freq_rx" << 40006000
            << QStringLiteral("Канал 7: freq_rx = 40 006 000 Гц не кратна шагу 12 500 Гц (в радиостанцию попало бы 40 000 000 Гц)");
        QTest::newRow("call tone wider than its field")
            << "0x0102" << "tone_tx" << 99999 << QStringLiteral("Канал 7: tone_tx = 99999 вне пределов поля 0..65535 (в радиостанцию попало бы 34463)");
        QTest::newRow("volume wider than its field")
            << "0x0100" << "Volume" << 300 << QStringLiteral("Настройка Volume = 300 вне пределов поля 0..255 (в радиостанцию попало бы 44)");
        QTest::newRow("startup mode in the radio's version")
            << "0x0102" << "StartupMode" << 300
            << QStringLiteral("Настройка StartupMode = 300 вне пределов поля 0..255 (в радиостанцию попало бы 44)");
    }
    void tablesThatCannotBeBuiltWriteNothing()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, settingsVersion);
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(QString, line);
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--settings-version"), settingsVersion}));
        Fixture w;
        Channel &c = w.channels.channels[7];
        c.freq_rx = 40000000;
        if (field == QLatin1String("freq_rx"))
            c.freq_rx = value;  // beyond the steps: inside no real range, but a range list entry could hold it
        else if (field == QLatin1String("tone_tx"))
            c.tone_tx = value;
        else if (field == QLatin1String("Volume"))
            w.settings.Volume = value;
        else if (field == QLatin1String("StartupMode"))
            w.settings.StartupMode = value;
        QVERIFY(w.Run(ProgrammingJob::OpWrite));
        QVERIFY2(w.capture.text.contains(line + QStringLiteral("\r\nЗапись прервана!!!\r\nПорт COM")), qPrintable(w.capture.text));
        QVERIFY(w.capture.lines().at(w.capture.lines().size() - 2).endsWith(
            QStringLiteral("Таблица каналов не записана, таблица настроек не записана.")));
        QVERIFY(!w.capture.text.contains(QStringLiteral("Запись ...")));
        QVERIFY(!w.job->succeeded());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
        QVERIFY(sim.ReadState(QStringLiteral("settings.bin")).isEmpty());
    }

    void damagedTableIsReportedAndTheOtherDecoded()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {QStringLiteral("--no-pacing"), QStringLiteral("--store-changed")}));
        Fixture w;
        QVERIFY(w.Run(ProgrammingJob::OpWrite));
        // The radio stored both tables with a byte changed: both fail their check.
        Fixture r;
        r.settings.Volume = 1;
        QVERIFY(r.Run(ProgrammingJob::OpRead));
        QVERIFY(r.capture.text.contains(QStringLiteral("Ошибки в таблице каналов!!!\r\nОшибки в таблице настроек!!!\r\n")));
        QCOMPARE(r.settings.Volume, 1);
        QVERIFY(!r.job->succeeded());
        QVERIFY(r.job->completed());
        QVERIFY(!r.job->channelTableRead() && !r.job->settingsTableRead());
    }

    // The gate sees the radio's information before any table is touched; a
    // radio it turns away keeps its memory.
    void infoGateDecidesBeforeAnyTable_data()
    {
        QTest::addColumn<bool>("admit");
        QTest::newRow("turned away") << false;
        QTest::newRow("let through") << true;
    }
    void infoGateDecidesBeforeAnyTable()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(bool, admit);
        constexpr int port = 20;
        SimProcess sim;
        QVERIFY(sim.Start(port, {QStringLiteral("--no-pacing"), QStringLiteral("--serial"), QStringLiteral("777")}));
        Fixture f;
        QList<std::uint32_t> asked;
        f.gate = [&](const TInfoContext &info) {
            asked << info.serialNumber;
            return admit;
        };
        QVERIFY(f.Run(ProgrammingJob::OpWrite, port));
        QCOMPARE(asked, QList<std::uint32_t>{777});
        QCOMPARE(f.job->declined(), !admit);
        QCOMPARE(f.job->succeeded(), admit);
        QCOMPARE(f.capture.text.contains(QStringLiteral("Запись ...")), admit);
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")).isEmpty(), !admit);
    }

    // A stop between blocks: the block on the line finishes, nothing more is
    // sent, the port is closed and the last line says what the radio holds.
    void stopRequestedInsideTheChannelTable()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {}));  // paced, so that the stop lands inside the channel table
        struct StopAfterFirstBlock : Capture
        {
            ProgrammingJob *job = nullptr;
            void ProgressChanged(int percent, Rgb colour) override
            {
                Capture::ProgressChanged(percent, colour);
                if (colour == WriteColour && percent >= 25 && !job->stopRequested())
                    job->RequestStop();
            }
        } capture;
        ChannelsContext channels{QString()};
        channels.channels[1].freq_rx = 40000000;
        SettingsContext settings;
        TInfoContext info;
        ProgrammingJob job(channels, settings, info);
        capture.job = &job;
        job.SetPort(kPort);
        job.SetOperation(ProgrammingJob::OpWrite);
        job.SetObserver(&capture);
        job.Begin(&capture);
        QVERIFY(QTest::qWaitFor([&] { return job.finished(); }, 30000));
        QVERIFY2(capture.text.endsWith(Port("Запись ...\r\nПроцесс остановлен!!!\r\nПорт COM%1 закрыт.\r\n"
                                             "Итог: запись не выполнена (остановлено по запросу). "
                                             "Таблица каналов записана частично, таблица настроек не записана. "
                                             "Запишите радиостанцию ещё раз.\r\n")),
                 qPrintable(capture.text));
        QCOMPARE(job.channelTableWrite(), ProgrammingJob::TableWrite::Partly);
        QVERIFY(!job.succeeded());
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());  // the radio keeps a table only when it is whole
    }

    void stopRequestedBeforeBeginOpensNothing()
    {
        Fixture f;
        f.job = std::make_unique<ProgrammingJob>(f.channels, f.settings, f.info);
        f.job->SetPort(kPort);  // no radio there: opening would fail with another line
        f.job->SetOperation(ProgrammingJob::OpWrite);
        f.job->RequestStop();
        f.job->Begin(&f.capture);
        QVERIFY(f.job->finished());
        QCOMPARE(f.capture.text, Lines({"Процесс остановлен!!!", "Итог: запись не выполнена (остановлено по запросу). "
                                        "Таблица каналов не записана, таблица настроек не записана."}));
    }

    void stopDuringExchangeAndStartAgain()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(kPort, {}));  // paced: the read takes seconds
        Fixture f;
        f.job = std::make_unique<ProgrammingJob>(f.channels, f.settings, f.info);
        f.job->SetPort(kPort);
        f.job->SetOperation(ProgrammingJob::OpRead);
        f.job->Begin(&f.capture);
        QTest::qWait(600);
        f.job->Stop();
        QVERIFY(f.job->finished());
        QVERIFY(!f.capture.text.contains(QStringLiteral("закрыт")));
        QVERIFY(!f.job->succeeded());
        // Showing the window again starts a fresh job with a new worker.
        f.job->SetOperation(ProgrammingJob::OpInfo);
        f.job->Begin(&f.capture);
        QVERIFY(QTest::qWaitFor([&] { return f.job->finished(); }, 10000));
        QVERIFY(f.job->succeeded());
        QVERIFY(f.capture.text.startsWith(Port("Порт COM%1 открыт.")));
    }
};

QTEST_GUILESS_MAIN(TestJob)
#include "tst_job.moc"
