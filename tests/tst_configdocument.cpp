#include "model/configdocument.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

constexpr const char *kRange300 =
    "<FreqRange><rx0 begin='300000000' end='337000000'/><tx0 begin='300000000' end='337000000'/></FreqRange>";

} // namespace

class TestConfigDocument : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString File(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void savedFileLayout()
    {
        ChannelsContext t{QString()};
        t.channels[2].SetPlanFrequencies(300050000, 300050000, false);
        SettingsContext s;
        s.version = 0x0102;
        const QByteArray doc = ConfigurationDocument::Serialize(t, s);
        QVERIFY2(doc.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>\n  <FreqRange>\n"
                                "    <rx0 begin=\"33000000\" end=\"48500000\"/>\n"),
                 doc.constData());
        QVERIFY(doc.contains("  <Channels>\n    <channel id=\"2\">\n      <freq_rx>300050000</freq_rx>\n"
                             "      <freq_tx>300050000</freq_tx>\n      <tone_tx>1989</tone_tx>\n"));
        QVERIFY(doc.contains("  <Settings version=\"0x0102\">\n    <Intensity>9</Intensity>"));
        QVERIFY(doc.indexOf("<FreqRange>") < doc.indexOf("<Channels>"));
        QVERIFY(doc.indexOf("<Channels>") < doc.indexOf("<Settings"));
        for (char c : doc)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }

    void saveAndOpenRoundTrip()
    {
        const QString path = File("round.xml");
        ChannelsContext t{QString()};
        FreqRange r;
        r.AddRx(300000000, 337000000);
        r.AddTx(300000000, 337000000);
        t.ranges.Select(t.ranges.Add(&r));
        t.ApplyFrequencyPlan(false);
        t.channels[9].tone_rx = -4;       // comes back as 0
        t.channels[9].subtone_tx = 200;
        t.channels[9].tx_power_low = 3;
        t.channels[9].tx_power_high = 2;
        Channel &c = t.channels[9];
        c.tone_tx = 1750;
        c.subtone_rx = 60;
        c.squelch = 6;
        for (bool *flag : {&c.scan, &c.band_rx, &c.band_tx, &c.scrambler, &c.tx_limit, &c.tx_busy, &c.active})
            *flag = !*flag;
        // Every setting away from its default, so that a field the reader skips shows.
        SettingsContext s;
        s.version = 0x0101;
        s.TxPowerPassword = 54321;
        s.ProgramCount = 99;
        std::int32_t next = 2;
        for (std::int32_t *value : {&s.Intensity, &s.IntensityKeys, &s.Volume, &s.MinVolume, &s.BeepMin, &s.BeepMax, &s.TxLimit,
                                    &s.TxPause, &s.StartChannel, &s.SpecChannel, &s.ScanPause, &s.MicAmp, &s.MaxTxPower,
                                    &s.Squelch, &s.ID, &s.Output1Function, &s.Output2Function, &s.Output3Function, &s.StartupMode})
            *value = next++;
        for (bool *flag : {&s.TxPower, &s.Squelch_On, &s.SquelchAutoVol_On, &s.ExtSpeaker_On, &s.SpecChannelLock, &s.StartChannelLock,
                           &s.Tamp, &s.TxPowerCommon, &s.SqlCommon, &s.KeyLock, &s.KeyBeep, &s.DigitalDelay, &s.MultiplexedChannel,
                           &s.SqwMonitorPolarity, &s.TxVoiceMonitor, &s.DeemphasisOff})
            *flag = !*flag;
        QString error;
        QVERIFY2(ConfigurationDocument::Save(path, t, s, error), qPrintable(error));

        ChannelsContext u{QString()};
        SettingsContext v;
        v.ProgramCount = 7;
        bool removed = true;
        QVERIFY2(ConfigurationDocument::Open(path, u, v, removed, error), qPrintable(error));
        QVERIFY(!removed);
        QVERIFY(u.ranges.Current().Equals(r));
        QCOMPARE(u.ranges.count(), 2);
        QVERIFY(u.ranges.modified());
        t.channels[9].tone_rx = 0;
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QCOMPARE(u.channels[n], t.channels[n]);
        QCOMPARE(v.ProgramCount, 7u);  // not in the file
        v.ProgramCount = s.ProgramCount;
        QVERIFY(v == s);

        // Opening the same file again adds no range.
        u.ranges.Select(0);
        QVERIFY(ConfigurationDocument::Open(path, u, v, removed, error));
        QCOMPARE(u.ranges.count(), 2);
        QCOMPARE(u.ranges.CurrentIndex(), 1);
    }

    void channelsOutsideTheFilesRangeAreRemoved()
    {
        const QString path = File("outside.xml");
        QVERIFY(WriteAll(path, QByteArray("<root>") + kRange300 +
                                   "<Settings version='0x0100'/><Channels>"
                                   "<channel id='0'><freq_rx>300000000</freq_rx></channel>"
                                   "<channel id='1'><freq_rx>400000000</freq_rx></channel>"
                                   "<channel id='2'><freq_tx>40000000</freq_tx></channel>"
                                   "</Channels></root>"));
        ChannelsContext t{QString()};
        SettingsContext s;
        bool removed = false;
        QString error;
        QVERIFY(ConfigurationDocument::Open(path, t, s, removed, error));
        QVERIFY(removed);
        QVERIFY(t.channels[0].IsUsed());
        QVERIFY(!t.channels[1].IsUsed());
        QVERIFY(!t.channels[2].IsUsed());
    }

    void fileWithoutRangeUsesTheDefault()
    {
        const QString path = File("norange.xml");
        QVERIFY(WriteAll(path, "<root><FreqRange><rx0 begin='x' end='1'/></FreqRange>"
                               "<Channels><channel id='4'><freq_rx>40000000</freq_rx></channel></Channels><Settings/></root>"));
        ChannelsContext t{QString()};
        FreqRange r;
        r.AddRx(300000000, 301000000);
        r.AddTx(300000000, 301000000);
        t.ranges.Select(t.ranges.Add(&r));
        SettingsContext s;
        bool removed = true;
        QString error;
        QVERIFY(ConfigurationDocument::Open(path, t, s, removed, error));
        QCOMPARE(t.ranges.CurrentIndex(), 0);  // the default range, already listed
        QVERIFY(!removed);
        QVERIFY(t.channels[4].IsUsed());
    }

    void invalidRangeKeepsTheCurrentOne()
    {
        const QString path = File("invalid.xml");
        QVERIFY(WriteAll(path, "<root><FreqRange><rx0 begin='5' end='4'/><tx0 begin='5' end='4'/></FreqRange><Channels/><Settings/></root>"));
        ChannelsContext t{QString()};
        SettingsContext s;
        bool removed = false;
        QString error;
        QVERIFY(ConfigurationDocument::Open(path, t, s, removed, error));
        QCOMPARE(t.ranges.count(), 1);
        QCOMPARE(t.ranges.CurrentIndex(), 0);
    }

    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("errorPart");
        // What is wrong for the user first, then the parser's words.
        QTest::newRow("empty") << QByteArray() << QStringLiteral("bad.xml пуст.");
        QTest::newRow("blanks") << QByteArray(" \r\n\t") << QStringLiteral("bad.xml пуст.");
        QTest::newRow("not xml") << QByteArray("this is not xml")
                                 << QStringLiteral("не является файлом настроек радиостанции.\nПодробности: ");
        QTest::newRow("a web page") << QByteArray("<!DOCTYPE html>\n<html><body/></html>")
                                    << QStringLiteral("не является файлом настроек радиостанции.\n"
                                                      "Подробности: Определение типа документа не допускается (строка 1");
        QTest::newRow("binary") << QByteArray("\x00\x9f\x13\xff", 4) << QStringLiteral("не является файлом настроек");
        QTest::newRow("truncated")
            << (QByteArray("<?xml version=\"1.0\"?>\n<root>\n") + kRange300 + "<Channels><channel id='1'><freq_rx>300000000</freq_rx>")
            << QStringLiteral("повреждён: ошибка в строке 3.\nПодробности: ");
        QTest::newRow("value holds an element, late in the file")
            << (QByteArray("<root>\n") + kRange300 + "\n<Channels><channel id='1'><freq_rx>300000000</freq_rx></channel></Channels>\n"
                "<Settings>\n<Volume><b>1</b></Volume></Settings></root>")
            << QStringLiteral("<Volume> (строка 5");
        QTest::newRow("deep nesting") << (QByteArray(5000, 'x').replace("x", "<a>") + QByteArray(5000, 'x').replace("x", "</a>"))
                                      << QStringLiteral("вложенность");
        // Well-formed, but reading it would give an empty table and reset settings.
        QTest::newRow("another document") << QByteArray("<html><body/></html>")
                                          << QStringLiteral("не является файлом настроек радиостанции: корневой элемент <html> вместо <root>");
        QTest::newRow("no channels") << (QByteArray("<root>") + kRange300 + "<Settings/></root>") << QStringLiteral("нет элемента <Channels>");
        QTest::newRow("no settings") << QByteArray("<root><Channels/></root>") << QStringLiteral("нет элемента <Settings>");
        QTest::newRow("channels in another case") << QByteArray("<root><channels/><Settings/></root>") << QStringLiteral("<Channels>");
        QTest::newRow("more channel elements than any file of ours")
            << ("<root><Channels>" + QByteArray(1001, 'x').replace("x", "<channel id='1'/>") + "</Channels><Settings/></root>")
            << QStringLiteral("Слишком много элементов <channel>: больше 1000");
    }
    void badFilesChangeNothing()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, errorPart);
        const QString path = File("bad.xml");
        QVERIFY(WriteAll(path, data));
        ChannelsContext t{QString()};
        t.ApplyFrequencyPlan(false);
        SettingsContext s;
        s.Volume = 2;
        const auto channelsBefore = t.channels;
        bool removed = true;
        QString error;
        QVERIFY(!ConfigurationDocument::Open(path, t, s, removed, error));
        QVERIFY2(error.contains(errorPart), qPrintable(error));
        QVERIFY(error.contains(path));
        QVERIFY(!removed);
        QVERIFY(t.channels == channelsBefore);
        QCOMPARE(s.Volume, 2);
        QCOMPARE(t.ranges.count(), 1);
        QVERIFY(!t.ranges.modified());
    }

    void anyOrderAndNoRange()
    {
        const QString path = File("order.xml");
        QVERIFY(WriteAll(path, QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><root><Settings><Volume>4</Volume></Settings>"
                                          "<Channels><channel id='0'><freq_rx>40000000</freq_rx></channel></Channels></root>")));
        ChannelsContext t{QString()};
        SettingsContext s;
        bool removed = true;
        QString error;
        QVERIFY(ConfigurationDocument::Open(path, t, s, removed, error));
        QCOMPARE(s.Volume, 4);
        QCOMPARE(s.version, std::uint16_t(0x0100));
        QVERIFY(t.channels[0].IsUsed());
    }

    void readLeavesTheModelAlone()
    {
        const QString path = File("read.xml");
        QVERIFY(WriteAll(path, QByteArray("<root>") + kRange300 + "<Channels><channel id='3'><freq_rx>300000000</freq_rx></channel></Channels><Settings/></root>"));
        ConfigurationDocument::Contents c;
        QString error;
        QVERIFY(ConfigurationDocument::Read(path, c, error));
        QVERIFY(c.rangeFromFile);
        QCOMPARE(c.range.rxEnd[0], 337000000u);
        QVERIFY(c.channels[3].IsUsed());
    }

    void missingFileAndUnwritableTarget()
    {
        ChannelsContext t{QString()};
        SettingsContext s;
        bool removed = false;
        QString error;
        QVERIFY(!ConfigurationDocument::Open(File("missing.xml"), t, s, removed, error));
        QVERIFY(error.contains(QStringLiteral("Не удалось открыть файл")));
        // A device that never ends is refused, not read into memory.
        QVERIFY(!ConfigurationDocument::Open(QStringLiteral("/dev/zero"), t, s, removed, error));
        QVERIFY(error.contains(QStringLiteral("слишком велик")));
        QVERIFY(!ConfigurationDocument::Save(File("no/dir/x.xml"), t, s, error));
        QVERIFY(error.contains(QStringLiteral("Не удалось сохранить файл")));
    }

    // Saving over a pipe, a device or a folder would put a regular file in its place.
    void saveRefusesWhatIsNotARegularFile()
    {
        const QString fifo = File("pipe.xml");
        const QString folder = File("folder.xml");
        QVERIFY(QDir().mkpath(folder));
        QStringList targets{folder};
#ifndef Q_OS_WIN  // Windows has no named pipes in the file system
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        targets << fifo;
#endif
        ChannelsContext t{QString()};
        SettingsContext s;
        for (const QString &path : std::as_const(targets)) {
            QString error;
            QVERIFY(!ConfigurationDocument::Save(path, t, s, error));
            QCOMPARE(error, QStringLiteral("Не удалось сохранить файл %1: это не обычный файл").arg(path));
        }
        QVERIFY(!QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo(folder).isDir());
        QString error;
        QVERIFY(ConfigurationDocument::CheckSaveTarget(File("new.xml"), error));
    }
};

QTEST_APPLESS_MAIN(TestConfigDocument)
#include "tst_configdocument.moc"
