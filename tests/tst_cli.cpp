#include "cliprogram.h"
#include "job/language.h"
#include "link/comthread.h"
#include "link/portdirectory.h"
#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/settingscontext.h"
#include "simprocess.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

using Result = CliProgram::Result;

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
    QVERIFY(WriteAll(stateDir + QStringLiteral("/channels.bin"), ImageBytes(channels)));
    QVERIFY(WriteAll(stateDir + QStringLiteral("/settings.bin"), ImageBytes(settings)));
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
    CliProgram m_cli;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    // A configuration with one channel inside the default range.
    QString PlainFile()
    {
        const QString file = Path(QStringLiteral("plain.xml"));
        ChannelsContext t{QString()};
        t.channels[3].freq_rx = 41000000;
        SettingsContext s;
        QString error;
        return ConfigurationDocument::Save(file, t, s, error) ? file : QString();
    }

    Result Cli(const QStringList &args) { return m_cli.Run(args); }

    // Starts writing PlainFile() to the paced radio on `port` and returns
    // inside the channel table; the output so far is in `out`.
    bool StartWriteIntoTheChannelTable(QProcess &p, int port, QByteArray &out)
    {
        const QStringList args{QStringLiteral("write"), QStringLiteral("--port"),
                               QStringLiteral("COM%1").arg(port), QStringLiteral("--input"), PlainFile()};
        if (!m_cli.StartUntil(p, args, "Запись ...", out))
            return false;
        QTest::qWait(300);
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_cli.Install(m_dir.path()));
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
            QVERIFY(r.out.contains(QStringLiteral("Использование: kd-cli")));
    }

    // kd-cli's own texts in the language asked for, else in the one kept for
    // KD_Tune; the radio's texts stay as it sends them.
    void ownTextsInTheLanguage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("stored");  // the language kept in the user settings
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");   // one of kd-cli's own lines
        QTest::addColumn<bool>("english");    // and none left in Russian
        const QString file = PlainFile();
        const QStringList info{"info", "--port", "COM40"};
        QTest::newRow("usage, en") << QStringList{"--lang", "en", "read", "--port", "COM41"} << "" << 2
                                   << "kd-cli: read needs --output FILE" << true;
        QTest::newRow("usage, ru over en kept") << QStringList{"read", "--port", "COM41", "--lang=ru"} << "en" << 2
                                                << "kd-cli: для read нужен --output ФАЙЛ" << false;
        QTest::newRow("Qt's parser error, ru") << QStringList{"info", "--fast"} << "" << 2
                                               << "kd-cli: неизвестный параметр 'fast'" << false;
        QTest::newRow("Qt's parser error, en") << QStringList{"info", "--port", "--lang", "en"} << "" << 2
                                               << "kd-cli: '--port' needs a value" << true;
        QTest::newRow("help, en") << QStringList{"help", "write", "--lang", "en"} << "" << 0 << "Options:" << true;
        QTest::newRow("check, en kept") << QStringList{"check", "--input", file} << "en" << 0 << "Channels in use: 1" << true;
        QTest::newRow("check, ru") << QStringList{"--lang", "ru", "check", "--input", file} << "en" << 0
                                   << "Используемых каналов: 1" << false;
        QTest::newRow("info, en") << QStringList{"--lang", "en"} + info << "" << 0 << "Port COM40 closed." << true;
        QTest::newRow("no port, en, quiet") << QStringList{"--lang", "en", "info", "--port", "COM42", "--quiet"} << "" << 4
                                            << "Result: radio information not received (port COM42 not opened)." << true;
        QTest::newRow("info, ru") << info + QStringList{"--lang", "ru"} << "" << 0 << "Порт COM40 закрыт." << false;
        QTest::newRow("unknown language") << QStringList{"--lang", "de", "check", "--input", file} << "" << 2
                                          << "kd-cli: неизвестный язык \"de\"; --lang принимает: ru, en" << false;
        QTest::newRow("no language") << QStringList{"check", "--lang"} << "en" << 2 << "kd-cli: --lang needs a language: ru, en" << true;
    }
    void ownTextsInTheLanguage()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QStringList, args);
        QFETCH(QString, stored);
        QFETCH(int, code);
        QFETCH(QString, shown);
        QFETCH(bool, english);
        const auto restore = qScopeGuard([] { language::Store(QStringLiteral("ru")); });
        if (!stored.isEmpty())
            language::Store(stored);
        SimProcess sim;
        if (args.contains(QStringLiteral("COM40")))
            QVERIFY(sim.Start(40, {QStringLiteral("--no-pacing")}));
        const Result r = Cli(args);
        QCOMPARE(r.code, code);
        QString text = r.out + r.err;
        QVERIFY2(text.split(QLatin1Char('\n')).contains(shown), qPrintable(text));
        if (english) {
            text.remove(QStringLiteral("КОРДАН 7К-40БМ"));  // the radio's type, as it sends it
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]"))), qPrintable(text));
        }
    }

    void commandHelp_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("write --help") << QStringList{"write", "--help"};
        QTest::newRow("help write") << QStringList{"help", "write"};
    }
    void commandHelp()
    {
        QFETCH(QStringList, args);
        const Result r = Cli(args);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("Использование: kd-cli write ")), qPrintable(r.out));
        QCOMPARE(r.out.count(QStringLiteral("Параметры:")), 1);
        QVERIFY(r.out.contains(QStringLiteral("--backup <папка>")));
    }

    void programmerIdIsNotPlainText() { QVERIFY(!ReadAll(m_cli.path()).contains("KDT10")); }

    void readOneRadioWriteAnother()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
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
        SKIP_WITHOUT_SIMULATED_RADIO();
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
        SKIP_WITHOUT_SIMULATED_RADIO();
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
        SKIP_WITHOUT_SIMULATED_RADIO();
        const QString state = Path(QStringLiteral("radioD"));
        PreloadRadio(state, 42000000);
        const QByteArray before = ReadAll(state + QStringLiteral("/channels.bin"));
        SimProcess sim;
        QVERIFY(sim.Start(214, {QStringLiteral("--no-pacing"), QStringLiteral("--wrong-length"), QStringLiteral("3")}, state));
        const QString file = Path(QStringLiteral("fromA.xml"));
        const QString backups = Path(QStringLiteral("backups-failed"));
        const Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM214"), QStringLiteral("--input"),
                              file, QStringLiteral("--backup"), backups});
        QCOMPARE(r.code, 3);  // the broken replies end as no reply in time
        QVERIFY(QDir(backups).entryList(QDir::Files).isEmpty());
        QVERIFY(!r.out.contains(QStringLiteral("Запись ...")));
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")), before);
    }

    void failedReadLeavesTheOutputAlone()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(215, {QStringLiteral("--no-pacing"), QStringLiteral("--silent-after"), QStringLiteral("0")}));
        const QString out = Path(QStringLiteral("keep.xml"));
        QVERIFY(WriteAll(out, "precious"));
        const Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM215"), QStringLiteral("--output"), out});
        QCOMPARE(r.code, 3);  // the radio did not answer
        QVERIFY(r.out.endsWith(QStringLiteral("Ошибка. Ответ не получен за отведенное время!!!\nПорт COM215 закрыт.\n"
                                              "Итог: чтение не выполнено (ответ не получен за отведенное время).\n")));
        QCOMPARE(ReadAll(out), QByteArray("precious"));
    }

    // An output that cannot take the file is refused before the radio is read:
    // a folder that is missing, and a pipe or device, which saving would
    // replace by a regular file.
    void unwritableOutput_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing folder") << Path(QStringLiteral("no/such/dir/out.xml")) << QStringLiteral("не существует");
        QTest::newRow("pipe") << Path(QStringLiteral("fifo.xml")) << QStringLiteral("это не обычный файл");
        QTest::newRow("folder") << Path(QStringLiteral("cfg")) << QStringLiteral("это не обычный файл");
    }
    void unwritableOutput()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, output);
        QFETCH(QString, why);
#ifndef Q_OS_WIN
        if (output.endsWith(QLatin1String("fifo.xml")) && !QFileInfo::exists(output))
            QCOMPARE(::mkfifo(QFile::encodeName(output).constData(), 0600), 0);
#endif
        SimProcess sim;
        QVERIFY(sim.Start(216, {QStringLiteral("--no-pacing")}));
        const Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM216"), QStringLiteral("--output"), output});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Не удалось сохранить файл")) && r.err.contains(why), qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("Порт")));  // the radio was never touched
        QVERIFY(r.out.endsWith(QStringLiteral(" не может быть сохранён.\n")));
        QVERIFY(!QFileInfo(output).isFile());
    }

    void readToStandardOutput()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(220, {QStringLiteral("--no-pacing")}));
        const Result r = Cli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("COM220"), QStringLiteral("--output"),
                              QStringLiteral("-")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>")));
        QVERIFY(r.out.endsWith(QStringLiteral("</root>\n")));
        QVERIFY(r.err.contains(QStringLiteral("Таблица каналов прочитана")));  // the log moves to standard error
    }

    void missingAndBusyPorts()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        Result r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM99")});
        QCOMPARE(r.code, 4);  // the port could not be opened
        QVERIFY2(r.out.startsWith(QStringLiteral("Не удалось открыть порт COM99 !!!\nПроцесс остановлен!!!\n"
                                                 "Порту COM99 не соответствует ни одно устройство (его можно указать в группе [Ports] файла ")),
                 qPrintable(r.out));
        QVERIFY(r.out.endsWith(QStringLiteral("KD_Tune.conf).\nИтог: информация о станции не получена (порт COM99 не открыт).\n")));

        SimProcess sim;
        QVERIFY(sim.Start(217, {QStringLiteral("--no-pacing")}));
        ComThread holder;
        QVERIFY(holder.OpenPort(217));
        r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM217")});
        QCOMPARE(r.code, 4);
        QVERIFY(r.out.contains(QStringLiteral("Не удалось открыть порт COM217 !!!\nПроцесс остановлен!!!\nУстройство %1 занято другой программой.\n")
                                   .arg(ports::DevicePath(217))));
    }

    void defaultPortAndRadioRange()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
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

    // Well-formed XML that is not a configuration must not reach the radio as
    // an empty table and reset settings.
    void otherDocumentWritesNothing()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(221, {QStringLiteral("--no-pacing")}));
        const QString file = Path(QStringLiteral("page.xml"));
        QVERIFY(WriteAll(file, "<html><body/></html>\n"));
        Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM221"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("не является файлом настроек радиостанции")));
        QCOMPARE(r.out, QStringLiteral("Итог: запись не выполнена (файл %1 не открыт). "
                                       "Таблица каналов не записана, таблица настроек не записана.\n").arg(file));
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
        r = Cli({QStringLiteral("check"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 1);
        QVERIFY(!r.out.contains(QStringLiteral("Замечаний нет.")));
    }

    void checkListsRefusedAndNormalisedValues()
    {
        const QString file = Path(QStringLiteral("values.xml"));
        QVERIFY(WriteAll(file, "<root><Channels><channel id='3'><freq_rx>40006000</freq_rx><subtone_rx>200</subtone_rx></channel>"
                               "</Channels><Settings version='0x0102'><StartupMode>300</StartupMode></Settings></root>"));
        const Result r = Cli({QStringLiteral("check"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral("Ошибка: Канал 3: freq_rx = 40 006 000 Гц не кратна шагу 12 500 Гц "
                                               "(в радиостанцию попало бы 40 000 000 Гц)\n"
                                               "Предупреждение: Канал 3: subtone_rx = 200 будет записано как 0\n"
                                               "Ошибка: Настройка StartupMode = 300 вне пределов поля 0..255 (в радиостанцию попало бы 44)\n")),
                 qPrintable(r.out));
        QVERIFY(r.out.endsWith(QStringLiteral("Итог: запись этого файла будет отклонена: значений, которые радиостанция "
                                              "не примет без изменения: 2.\n")));
    }

    // `check` judges what a write of the file would send: the settings of the
    // version the file carries, the channels opening keeps.
    void checkJudgesWhatAWriteWouldSend_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("unsaid");
        QTest::newRow("1.00 file without a start-up mode")
            << QByteArray("<Channels/><Settings version='0x0100'><StartupMode>350</StartupMode></Settings>") << 0
            << QStringLiteral("Замечаний нет.") << QStringLiteral("StartupMode");
        QTest::newRow("channel opening removes")
            << QByteArray("<Channels><channel id='2'><freq_rx>300000010</freq_rx></channel></Channels><Settings/>") << 0
            << QStringLiteral("При открытии будут удалены каналы вне диапазона: 2") << QStringLiteral("Канал 2:");
        QTest::newRow("negative transmit frequency")
            << QByteArray("<Channels><channel id='1'><freq_rx>40000000</freq_rx><freq_tx>-5</freq_tx></channel></Channels>"
                          "<Settings/>")
            << 0 << QStringLiteral("Предупреждение: Канал 1: freq_tx = -5 Гц будет записано как 0 (нет частоты)")
            << QStringLiteral("Ошибка");
    }
    void checkJudgesWhatAWriteWouldSend()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, code);
        QFETCH(QString, said);
        QFETCH(QString, unsaid);
        const QString file = Path(QStringLiteral("judged.xml"));
        QVERIFY(WriteAll(file, "<root>" + body + "</root>"));
        const Result r = Cli({QStringLiteral("check"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, code);
        QVERIFY2(r.out.contains(said) && !r.out.contains(unsaid), qPrintable(r.out));
    }

    // The JSON report of a port that did not open says which error and why.
    void jsonNamesAPortThatDidNotOpen()
    {
        const Result r = Cli({QStringLiteral("info"), QStringLiteral("--port"), QStringLiteral("COM98"), QStringLiteral("--json")});
        QCOMPARE(r.code, 4);
        QVERIFY2(r.out.contains(QStringLiteral("\"errorCode\":20,")), qPrintable(r.out));
#ifdef Q_OS_WIN
        const QString why = QStringLiteral("Устройство COM98 отсутствует");  // the system has no such port
#else
        const QString why = QStringLiteral("Порту COM98 не соответствует");  // no device is mapped to it
#endif
        QVERIFY2(r.out.contains(QStringLiteral("\"errorMessage\":\"Не удалось открыть порт COM98 !!! ") + why), qPrintable(r.out));
    }

    // A write says what the table layout changes before it sends it, and a
    // value no radio takes is refused before the radio is read for a backup.
    void writeSaysWhatItChangesAndRefusesBeforeTheBackup()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(224, {QStringLiteral("--no-pacing")}));
        const QString file = Path(QStringLiteral("normalised.xml"));
        QVERIFY(WriteAll(file, "<root><Channels><channel id='3'><freq_rx>40000000</freq_rx><subtone_rx>200</subtone_rx>"
                               "</channel></Channels><Settings/></root>"));
        Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM224"), QStringLiteral("--input"), file});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QStringLiteral("Предупреждение: Канал 3: subtone_rx = 200 будет записано как 0\nТаблица каналов сформирована")),
                 qPrintable(r.out));

        QVERIFY(WriteAll(file, "<root><Channels><channel id='3'><freq_rx>40006000</freq_rx></channel></Channels>"
                               "<Settings/></root>"));
        const QString backups = Path(QStringLiteral("backups-refused"));
        r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM224"), QStringLiteral("--input"), file,
                 QStringLiteral("--backup"), backups});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.startsWith(QStringLiteral("Ошибка. Радиостанция получила бы другие значения, чем заданы:\n"
                                                 "Канал 3: freq_rx = 40 006 000 Гц не кратна шагу")),
                 qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("Порт COM224")));
        QVERIFY(QDir(backups).entryList(QDir::Files).isEmpty());
    }

    // The manual page names every command, gives each the options its help
    // lists, and lists no option the program does not have.
    void manualPageFollowsTheHelp()
    {
        const QString page = QString::fromUtf8(ReadAll(QFINDTESTDATA("../dist/kd-cli.1")));
        QVERIFY(!page.isEmpty());
        auto section = [&page](const char *name) {
            const qsizetype at = page.indexOf(QStringLiteral(".SH ") + QLatin1String(name));
            return page.mid(at, page.indexOf(QStringLiteral("\n.SH "), at + 1) - at);
        };
        const QString synopsis = section("SYNOPSIS");
        const QString commands = section("COMMANDS");
        const QString options = section("OPTIONS");
        auto roff = [](QString option) { return QStringLiteral("\\-\\-") + option.replace(QLatin1Char('-'), QStringLiteral("\\-")); };

        const Result usage = Cli({QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("en")});
        const QString listed = usage.out.section(QStringLiteral("Commands:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
        QStringList all{QStringLiteral("lang"), QStringLiteral("version"), QStringLiteral("help")};
        static const QRegularExpression commandLine(QStringLiteral("^  ([a-z]+) "), QRegularExpression::MultilineOption);
        static const QRegularExpression optionLine(QStringLiteral("^  (?:-\\w, )?--([a-z-]+)"), QRegularExpression::MultilineOption);
        int count = 0;
        for (const QRegularExpressionMatch &c : commandLine.globalMatch(listed)) {
            const QString command = c.captured(1);
            ++count;
            QVERIFY2(commands.contains(QStringLiteral(".B ") + command + QLatin1Char('\n')), qPrintable(command));
            const qsizetype at = synopsis.indexOf(QStringLiteral(".B kd-cli ") + command + QLatin1Char('\n'));
            QVERIFY2(at >= 0, qPrintable(command));
            const QString line = synopsis.mid(at, synopsis.indexOf(QStringLiteral(".br"), at) - at);
            const Result help = Cli({command, QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("en")});
            for (const QRegularExpressionMatch &o : optionLine.globalMatch(help.out)) {
                const QString option = o.captured(1);
                all << option;
                QVERIFY2(option == QLatin1String("help") || line.contains(roff(option)), qPrintable(command + QStringLiteral(" --") + option));
                QVERIFY2(options.contains(roff(option)), qPrintable(QStringLiteral("--") + option));
            }
        }
        QCOMPARE(count, 7);
        static const QRegularExpression onPage(QStringLiteral("\\\\-\\\\-([a-z]+(?:\\\\-[a-z]+)*)"));
        for (const QRegularExpressionMatch &m : onPage.globalMatch(page)) {
            const QString option = m.captured(1).replace(QStringLiteral("\\-"), QStringLiteral("-"));
            QVERIFY2(all.contains(option), qPrintable(QStringLiteral("--") + option));
        }
    }

    // Ctrl-C or a termination during a write: the block on the line finishes,
    // the port is closed and the last line says what the radio now holds.
    void interruptedWriteSaysWhatTheRadioHolds_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
    }
    void interruptedWriteSaysWhatTheRadioHolds()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(int, signal);
        SimProcess sim;
        QVERIFY(sim.Start(222, {})); // paced: the channel table takes over two seconds
        QProcess p;
        QByteArray out;
        QVERIFY(StartWriteIntoTheChannelTable(p, 222, out));
#ifdef Q_OS_WIN
        Q_UNUSED(signal);
#else
        ::kill(pid_t(p.processId()), signal);
#endif
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString text = QString::fromUtf8(out + p.readAllStandardOutput());
        QVERIFY2(text.endsWith(QStringLiteral("Процесс остановлен!!!\nПорт COM222 закрыт.\n"
                                              "Итог: запись не выполнена (остановлено по запросу). "
                                              "Таблица каналов записана частично, таблица настроек не записана. "
                                              "Запишите радиостанцию ещё раз.\n")),
                 qPrintable(text));
    }

    // A radio that vanishes in the middle of a table ends the run at once with
    // the access error, and the run says what the radio may hold.
    void radioVanishesDuringWrite()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        auto *sim = new SimProcess;
        QVERIFY(sim->Start(223, {}));
        QProcess p;
        QByteArray out;
        QVERIFY(StartWriteIntoTheChannelTable(p, 223, out));
        delete sim;
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 1);
        const QString text = QString::fromUtf8(out + p.readAllStandardOutput());
        QVERIFY2(text.endsWith(QStringLiteral("Ошибка доступа!!!\nПорт COM223 закрыт.\n"
                                              "Итог: запись не выполнена (ошибка доступа к порту). "
                                              "Таблица каналов записана частично, таблица настроек не записана. "
                                              "Запишите радиостанцию ещё раз.\n")),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Ответ не получен")));
    }

    void backupFolderIsCheckedFirst_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << 2 << QStringLiteral("для --backup нужна папка");
        QTest::newRow("below a file") << Path(QStringLiteral("plain.xml/backups")) << 1 << QStringLiteral("не удалось создать папку");
        QTest::newRow("a file") << Path(QStringLiteral("plain.xml")) << 1 << QStringLiteral("не является папкой");
    }
    void backupFolderIsCheckedFirst()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QFETCH(QString, folder);
        QFETCH(int, code);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY(sim.Start(224, {QStringLiteral("--no-pacing")}));
        const Result r = Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM224"), QStringLiteral("--input"),
                              PlainFile(), QStringLiteral("--backup"), folder});
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("Порт")));  // the radio was never touched
        QVERIFY(!r.err.contains(QStringLiteral("QFSFileEngine")));
        QVERIFY(sim.ReadState(QStringLiteral("channels.bin")).isEmpty());
    }

    // On a terminal the progress bar is erased before a log line, so no line
    // starts behind it ("100 %Информация ...").
    void progressBarLeavesLogLinesWhole()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script(1) is not installed");
        SimProcess sim;
        QVERIFY(sim.Start(225, {QStringLiteral("--no-pacing")}));
        QProcess p;
        p.setProcessEnvironment(m_cli.Environment());
        p.start(script, {QStringLiteral("-qec"), m_cli.path() + QStringLiteral(" info --port COM225"),
                         QStringLiteral("/dev/null")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("] 100 %")), qPrintable(text));  // the bar was drawn
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            const QString shown = line.mid(line.lastIndexOf(QLatin1Char('\r')) + 1).trimmed();  // what a terminal shows
            QVERIFY2(!shown.contains(QStringLiteral("%") + QStringLiteral("И")) && !shown.startsWith(QLatin1Char('[')), qPrintable(line));
        }
        QVERIFY(text.contains(QStringLiteral("Информация о станции получена.")));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
