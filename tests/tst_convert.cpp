#include "cliprogram.h"
#include "model/configdocument.h"
#include "model/freqrangelist.h"
#include "testdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// kd-cli convert, run as a program beside a range list of its own: the default
// range first, then 146-174 MHz.
class TestConvert : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    CliProgram m_cli;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    int Convert(const QString &input, const QString &output, QString *out = nullptr)
    {
        const CliProgram::Result r = m_cli.Run({QStringLiteral("convert"), QStringLiteral("--input"), input,
                                                QStringLiteral("--output"), output});
        if (out)
            *out = r.out;
        return r.code;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_cli.Install(m_dir.path()));
        FreqRangeList list;
        const FreqRange vhf = VhfRange();
        list.Add(&vhf);
        QVERIFY(list.Save(Path(QStringLiteral("bin/KD_config.xml"))));
    }

    void configurationToCsvAndBack()
    {
        ChannelsContext table{QString()};
        const FreqRange vhf = VhfRange();
        table.ranges.Select(table.ranges.Add(&vhf));
        for (int n : {0, 7, 99}) {
            Channel &c = table.channels[std::size_t(n)];
            c.freq_rx = 150000000 + n * 12500;
            c.freq_tx = c.freq_rx + 600000;
            c.subtone_rx = 1 + n % 50;
            c.subtone_tx = 51 + n % 83;
            c.band_rx = c.band_tx = n != 7;
            c.scan = n != 99;
        }
        const QString xml = Path(QStringLiteral("a.xml"));
        QVERIFY(WriteAll(xml, ConfigurationDocument::Serialize(table, SettingsContext())));

        const QString csv = Path(QStringLiteral("a.csv"));
        QString out;
        QCOMPARE(Convert(xml, csv, &out), 0);
        QVERIFY(out.contains(QStringLiteral("Выгружено каналов: 3")));
        const QList<QByteArray> lines = ReadAll(csv).split('\n');
        QCOMPARE(lines.size(), 5); // header, three channels, the final line end
        QVERIFY(lines[2].startsWith("7,,150.087500,+,0.600000,Cross,"));

        // Back again: the list's range that holds every channel is chosen.
        const QString back = Path(QStringLiteral("b.xml"));
        QCOMPARE(Convert(csv, back, &out), 0);
        ConfigurationDocument::Contents contents;
        QString error;
        QVERIFY2(ConfigurationDocument::Read(back, contents, error), qPrintable(error));
        QVERIFY(contents.range.Equals(vhf));
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QVERIFY2(contents.channels[std::size_t(n)] == table.channels[std::size_t(n)],
                     qPrintable(QString::number(n)));
    }

    void csvWithoutACommonRangeLosesWhatTheCurrentOneLacks()
    {
        const QString csv = Path(QStringLiteral("mixed.csv"));
        QVERIFY(WriteAll(csv, "Location,Frequency\r\n1,41.9\r\n2,150.0\r\n"));
        QString out;
        QCOMPARE(Convert(csv, Path(QStringLiteral("mixed.xml")), &out), 0);
        QVERIFY(out.contains(
            QStringLiteral("Строка 3 (Location 2): частоты вне выбранного диапазона ( 33-48.5 МГц)")));
        ConfigurationDocument::Contents contents;
        QString error;
        QVERIFY(ConfigurationDocument::Read(Path(QStringLiteral("mixed.xml")), contents, error));
        QCOMPARE(contents.channels[1].freq_rx, 41900000);
        QVERIFY(!contents.channels[2].IsUsed());
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("code");
        QTest::newRow("unknown extension") << "a.xml"
                                           << "a.txt" << 2;
        QTest::newRow("missing input") << "none.csv"
                                       << "none.xml" << 1;
        QTest::newRow("no channel to carry") << "am.csv"
                                             << "am.xml" << 1;
    }

    void refusals()
    {
        QVERIFY(WriteAll(Path(QStringLiteral("am.csv")), "Location,Frequency,Mode\r\n1,41.9,AM\r\n"));
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(int, code);
        QCOMPARE(Convert(Path(input), Path(output)), code);
        QVERIFY(!QFile::exists(Path(output)));
    }
};

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
