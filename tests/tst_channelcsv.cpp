#include "model/channelcsv.h"
#include "model/freqrange.h"

#include <QTest>

namespace {

const QByteArray kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                           "DtcsPolarity,RxDtcsCode,CrossMode,"
                           "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

// Written by hand in the older layout (no RxDtcsCode, CrossMode, Power), as
// such files come from the other programmer: repeater offsets both ways, a
// split, a receive-only channel, tone, tone squelch, DCS and a cross tone.
const QByteArray kOlderLayout =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,"
    "Comment,URCALL,RPT1CALL,RPT2CALL\r\n"
    "1,SIMPLEX,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,,,,\r\n"
    "2,RPT-TONE,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,W1AW,,,\r\n"
    "3,RPT-TSQL,147.300000,+,0.600000,TSQL,88.5,127.3,023,NN,NFM,12.50,S,,,,\r\n"
    "4,DCS,145.500000,,0.000000,DTCS,88.5,88.5,754,NN,FM,5.00,,,,,\r\n"
    "5,SPLIT,150.000000,split,156.000000,,88.5,88.5,023,NN,NFM,12.50,,,,,\r\n"
    "6,WX,162.550000,off,0.000000,,88.5,88.5,023,NN,FM,5.00,S,,,,\r\n"
    "7,CROSS,147.000000,+,0.600000,Cross,110.9,88.5,023,NN,FM,5.00,,,,,\r\n";

// The current layout: every cross mode, and power levels by watts.
const QByteArray kCurrentLayout =
    kHeader + "10,X1,146.000000,,0.000000,Cross,88.5,88.5,023,NN,754,DTCS->DTCS,FM,5.00,,50W,,,,,\r\n"
              "11,X2,146.100000,,0.000000,Cross,67.0,88.5,065,NN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,\r\n"
              "12,X3,146.200000,,0.000000,Cross,254.1,88.5,023,NN,131,Tone->DTCS,FM,5.00,,High,,,,,\r\n"
              "13,X4,146.300000,,0.000000,Cross,88.5,203.5,023,NN,023,->Tone,NFM,5.00,,20W,,,,,\r\n"
              "14,X5,146.400000,,0.000000,Cross,88.5,88.5,023,NN,365,->DTCS,FM,5.00,,,,,,,\r\n"
              "15,X6,146.500000,,0.000000,Cross,88.5,88.5,712,NN,023,DTCS->,FM,5.00,,,,,,,\r\n";

ChannelCsv::ImportResult Import(const QByteArray &csv)
{
    ChannelCsv::ImportResult result;
    QString error;
    if (!ChannelCsv::Parse(csv, ChannelCsv::DefaultPowerWatts, result, error))
        qWarning("not parsed: %s", qPrintable(error));
    return result;
}

// Every channel the layout can carry: each pair of subtone kinds, same and
// different codes, every duplex, both bands, scanned or not, each maximum
// power; every tenth channel unused.
ChannelCsv::Channels Carriable()
{
    const std::int32_t codes[] = {0, 1, 13, 50, 51, 100, 133};
    ChannelCsv::Channels table;
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        if (n % 10 == 9)
            continue;
        Channel &c = table[std::size_t(n)];
        c.freq_rx = 300000000 + n * 12500;
        switch (n % 4) {
        case 0:
            c.freq_tx = c.freq_rx;
            break;
        case 1:
            c.freq_tx = c.freq_rx + 600000;
            break;
        case 2:
            c.freq_tx = c.freq_rx - 36000000;
            break;
        default:
            c.freq_tx = 0;
            break;
        }
        c.subtone_rx = codes[n % 7];
        c.subtone_tx = codes[(n / 7) % 7];
        c.band_rx = c.band_tx = n % 3 != 0;
        c.scan = n % 5 != 0;
        c.tx_power_high = n % 4;
    }
    return table;
}

bool Mentions(const QStringList &report, const QString &text)
{
    for (const QString &line : report)
        if (line.contains(text))
            return true;
    return false;
}

} // namespace

class TestChannelCsv : public QObject
{
    Q_OBJECT

private slots:
    void exportThenImportGivesTheSameTable()
    {
        const ChannelCsv::Channels table = Carriable();
        const ChannelCsv::ExportResult out = ChannelCsv::Export(table);
        QCOMPARE(out.notes, QStringList());
        QCOMPARE(out.written, 90);
        const ChannelCsv::ImportResult in = Import(out.data);
        QCOMPARE(in.Report(), QStringList());
        QCOMPARE(in.carried, 90);
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QVERIFY2(in.channels[std::size_t(n)] == table[std::size_t(n)], qPrintable(QString::number(n)));
    }

    void exportNamesWhatItCannotCarry()
    {
        ChannelCsv::Channels table;
        table[3].freq_tx = 300000000; // transmit only
        table[4].freq_rx = table[4].freq_tx = 300000000;
        table[4].band_tx = false;  // the layout has one band
        table[4].subtone_rx = 134; // one past the list
        const ChannelCsv::ExportResult out = ChannelCsv::Export(table);
        QCOMPARE(out.written, 1);
        QCOMPARE(out.notes.size(), 3);
        QVERIFY(out.notes[0].startsWith(QStringLiteral("Канал 03: нет частоты приёма")));
        QVERIFY(out.notes[1].contains(QStringLiteral("выгружена полоса приёма")));
        QVERIFY(out.notes[2].contains(QStringLiteral("код субтона приёма 134 не определён")));
        QVERIFY(
            out.data.contains("\r\n4,,300.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,40W,"));
    }

    void otherProgrammersFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("location");
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::addColumn<int>("subtoneRx");
        QTest::addColumn<int>("subtoneTx");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<int>("powerHigh");
        auto row = [](const char *name, const QByteArray &file, int location, int rx, int tx, int srx,
                      int stx, bool wide, bool scan, int power) {
            QTest::newRow(name) << file << location << rx << tx << srx << stx << wide << scan << power;
        };
        row("simplex", kOlderLayout, 1, 146520000, 146520000, 0, 0, true, true, 3);
        row("minus offset, tone", kOlderLayout, 2, 146940000, 146340000, 0, 13, true, true, 3);
        row("plus offset, tone squelch", kOlderLayout, 3, 147300000, 147900000, 20, 20, false, false, 3);
        row("DCS both ways", kOlderLayout, 4, 145500000, 145500000, 133, 133, true, true, 3);
        row("split", kOlderLayout, 5, 150000000, 156000000, 0, 0, false, true, 3);
        row("receive only", kOlderLayout, 6, 162550000, 0, 0, 0, true, false, 3);
        row("cross without a mode column", kOlderLayout, 7, 147000000, 147600000, 9, 16, true, true, 3);
        row("DTCS->DTCS", kCurrentLayout, 10, 146000000, 146000000, 133, 51, true, true, 3);
        row("DTCS->Tone, 5 W", kCurrentLayout, 11, 146100000, 146100000, 9, 60, true, true, 0);
        row("Tone->DTCS", kCurrentLayout, 12, 146200000, 146200000, 69, 50, true, true, 3);
        row("->Tone, 20 W", kCurrentLayout, 13, 146300000, 146300000, 41, 0, false, true, 2);
        row("->DTCS", kCurrentLayout, 14, 146400000, 146400000, 99, 0, true, true, 3);
        row("DTCS->", kCurrentLayout, 15, 146500000, 146500000, 0, 127, true, true, 3);
    }

    void otherProgrammersFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, location);
        const ChannelCsv::ImportResult in = Import(file);
        const Channel &c = in.channels[std::size_t(location)];
        QTEST(c.freq_rx, "rx");
        QTEST(c.freq_tx, "tx");
        QTEST(c.subtone_rx, "subtoneRx");
        QTEST(c.subtone_tx, "subtoneTx");
        QTEST(c.band_rx, "wide");
        QTEST(c.band_tx, "wide");
        QTEST(c.scan, "scan");
        QTEST(c.tx_power_high, "powerHigh");
        QCOMPARE(c.tx_power_low, 0);
        QCOMPARE(c.tone_tx, 0);
    }

    void otherProgrammersFileReport()
    {
        const ChannelCsv::ImportResult older = Import(kOlderLayout);
        QCOMPARE(older.carried, 7);
        const QStringList report = older.Report();
        QVERIFY(report.endsWith(QStringLiteral("Столбец Comment не переносится (заполненных строк: 1).")));
        QVERIFY(Mentions(report, QStringLiteral("Столбец Name не переносится (заполненных строк: 7).")));
        // 146,52 MHz lies on a 5 kHz step, not on the radio's 12,5 kHz.
        QVERIFY(Mentions(
            report, QStringLiteral("Строка 2 (Location 1): частота 146 520 000 Гц не кратна шагу 12,5 кГц")));
        QVERIFY(!Mentions(report, QStringLiteral("Location 5")));
        const ChannelCsv::ImportResult current = Import(kCurrentLayout);
        QVERIFY(Mentions(current.Report(),
                         QStringLiteral("Power: мощности, которой нет среди уровней радиостанции "
                                        "(5, 10, 20, 40 Вт), в строках 2, 4")));
    }

    void reportNamesWhatIsNotCarried_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("carried");
        QTest::addColumn<QString>("note");
        auto row = [](const char *name, const char *cells, bool carried, const char *note) {
            QTest::newRow(name) << QByteArray(cells) << carried << QString::fromUtf8(note);
        };
        row("tone not in the list", "1,,146.0,,0,Tone,69.4,88.5,023,NN,023,,FM,5.00,,,,,,,", true,
            "Строка 2 (Location 1): тона 69.4 Гц (rToneFreq) нет в списке CTCSS — субтон передачи не "
            "перенесён.");
        row("tone squelch not in the list", "1,,146.0,,0,TSQL,88.5,69.4,023,NN,023,,FM,5.00,,,,,,,", true,
            "тона 69.4 Гц (cToneFreq) нет в списке CTCSS — субтон приёма и передачи не перенесён.");
        row("DCS code not in the list", "1,,146.0,,0,DTCS,88.5,88.5,017,NN,023,,FM,5.00,,,,,,,", true,
            "кода DCS \"017\" (DtcsCode) нет в списке DCS — субтон приёма и передачи не перенесён.");
        row("reversed transmit polarity", "1,,146.0,,0,DTCS,88.5,88.5,023,RN,023,,FM,5.00,,,,,,,", true,
            "полярность DCS \"RN\" (DtcsPolarity) не поддерживается, только NN — субтон передачи не "
            "перенесён.");
        row("reversed tone squelch", "1,,146.0,,0,TSQL-R,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", true,
            "Tone \"TSQL-R\" не поддерживается — субтоны не перенесены.");
        row("unknown cross mode", "1,,146.0,,0,Cross,88.5,88.5,023,NN,023,Tone=>DTCS,FM,5.00,,,,,,,", true,
            "CrossMode \"Tone=>DTCS\" неизвестен");
        row("priority scan", "1,,146.0,,0,,88.5,88.5,023,NN,023,,FM,5.00,P,,,,,,", true,
            "Skip \"P\" (приоритетный канал) перенесён как сканируемый канал.");
        row("off the 12,5 kHz step", "1,,146.5225,,0,,88.5,88.5,023,NN,023,,FM,2.50,,,,,,,", true,
            "частота 146 522 500 Гц не кратна шагу 12,5 кГц");
        row("AM", "1,,118.0,,0,,88.5,88.5,023,NN,023,,AM,5.00,,,,,,,", false,
            "Строка 2 (Location 1): Mode \"AM\": радиостанция работает только в FM и NFM — строка "
            "пропущена.");
        row("location beyond 99", "100,,146.0,,0,,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", false,
            "Строка 2: Location 100 вне 0–99 — строка пропущена.");
        row("location not a number", "A1,,146.0,,0,,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", false,
            "Строка 2: Location \"A1\" не номер канала — строка пропущена.");
        row("no frequency", "1,,,,0,,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", false,
            "Frequency \"\" не частота — строка пропущена.");
        row("unknown duplex", "1,,146.0,x,0.6,,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", false,
            "Duplex \"x\" неизвестен — строка пропущена.");
        row("transmit below zero", "1,,0.5,-,1.0,,88.5,88.5,023,NN,023,,FM,5.00,,,,,,,", false,
            "Duplex \"-\" с Offset \"1.0\" не дают частоты передачи — строка пропущена.");
    }

    void reportNamesWhatIsNotCarried()
    {
        QFETCH(QByteArray, row);
        QFETCH(bool, carried);
        QFETCH(QString, note);
        const ChannelCsv::ImportResult in = Import(kHeader + row + "\r\n");
        QCOMPARE(in.rows, 1);
        QCOMPARE(in.carried, carried ? 1 : 0);
        QCOMPARE(in.channels[1].IsUsed(), carried);
        QVERIFY2(Mentions(in.Report(), note), qPrintable(in.Report().join(QLatin1Char('\n'))));
    }

    void droppedSubtoneLeavesTheOtherDirection()
    {
        const ChannelCsv::ImportResult in =
            Import(kHeader + "1,,146.0,,0,DTCS,88.5,88.5,023,RN,023,,FM,5.00,,,,,,,");
        QCOMPARE(in.channels[1].subtone_tx, 0);
        QCOMPARE(in.channels[1].subtone_rx, 51);
    }

    void laterRowOfALocationWins()
    {
        const ChannelCsv::ImportResult in = Import(kHeader + "4,,146.0,,0,,,,,,,,FM,,,,,,,,\r\n"
                                                             "4,,147.0,,0,,,,,,,,FM,,,,,,,,\r\n");
        QCOMPARE(in.carried, 1);
        QCOMPARE(in.channels[4].freq_rx, 147000000);
        QCOMPARE(in.Report(),
                 QStringList{"Строка 3 (Location 4): канал уже задан строкой 2 — действует строка 3."});
    }

    void spellingsOfTheSameTable_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("spreadsheet with semicolons and decimal commas, a blank line first") << QByteArray(
            "\r\nLocation;Frequency;Duplex;Offset;Tone;rToneFreq;Mode\n3;146,52;+;0,6;Tone;100,0;NFM\n");
        QTest::newRow("quoted cells, a line break in a name")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode\r\n"
                          "\"3\",\"Club, \"\"North\"\"\nrepeater\",\"146.52\",+,0.6,Tone,100.0,NFM\r\n");
        QTest::newRow("byte order mark, other case and order, blank lines")
            << QByteArray("\xEF\xBB\xBFmode,FREQUENCY,location,rtonefreq,tone,offset,duplex\r\n\r\n"
                          "NFM,146.520,3,100,tone,0.600,+\r\n\r\n");
    }

    void spellingsOfTheSameTable()
    {
        QFETCH(QByteArray, file);
        const ChannelCsv::ImportResult in = Import(file);
        QCOMPARE(in.carried, 1);
        const Channel &c = in.channels[3];
        QCOMPARE(c.freq_rx, 146520000);
        QCOMPARE(c.freq_tx, 147120000);
        QCOMPARE(c.subtone_tx, 13);
        QCOMPARE(c.band_rx, false);
    }

    void textThatIsNoChannelTable_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("blank lines") << QByteArray("\r\n\r\n");
        QTest::newRow("no Location column") << QByteArray("Name,Frequency\r\nA,146.52\r\n");
        QTest::newRow("a configuration file") << QByteArray("<?xml version=\"1.0\"?>\n<root/>\n");
    }

    void textThatIsNoChannelTable()
    {
        QFETCH(QByteArray, file);
        ChannelCsv::ImportResult result;
        QString error;
        QVERIFY(!ChannelCsv::Parse(file, ChannelCsv::DefaultPowerWatts, result, error));
        QVERIFY(!error.isEmpty());
    }

    void adoptRemovesChannelsOutsideTheRangeAsOpeningDoes()
    {
        ChannelCsv::ImportResult in = Import(kHeader + "1,,150.0,,0,,,,,,,,FM,,,,,,,,\r\n"
                                                       "2,,300.0,,0,,,,,,,,FM,,,,,,,,\r\n"
                                                       "3,,151.0,,0,,,,,,,,FM,,P,,,,,,\r\n");
        ChannelsContext table{QString()};
        FreqRange vhf;
        vhf.AddRx(146000000, 174000000);
        vhf.AddTx(146000000, 174000000);
        table.ranges.Select(table.ranges.Add(&vhf));
        table.channels[50].freq_rx = 160000000; // replaced, not merged

        QVERIFY(!ChannelCsv::Adopt(in, table));
        QCOMPARE(table.channels[1].freq_rx, 150000000);
        QVERIFY(!table.channels[2].IsUsed());
        QCOMPARE(table.channels[3].freq_rx, 151000000);
        QVERIFY(!table.channels[50].IsUsed());
        QCOMPARE(in.carried, 2);
        const QStringList report = in.Report();
        QCOMPARE(report.size(), 2);
        QVERIFY(
            report[0].startsWith(QStringLiteral("Строка 3 (Location 2): частоты вне выбранного диапазона")));
        QVERIFY(report[1].startsWith(QStringLiteral("Строка 4 (Location 3): Skip")));
    }
};

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
