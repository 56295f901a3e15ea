#include "model/channelscontext.h"
#include "model/channeltext.h"

#include <QTest>

namespace {

using Channels = std::array<Channel, 100>;

// Every field away from its default, and the edges the record can carry.
Channels Sample()
{
    Channels c;
    c[0].freq_rx = 41000000;
    c[0].freq_tx = 41012500;
    c[0].tone_rx = 1750;
    c[0].tone_tx = 65535;
    c[0].subtone_rx = 12;
    c[0].subtone_tx = 134;
    c[0].tx_power_low = 1;
    c[0].tx_power_high = 2;
    c[0].squelch = 8;
    c[0].scan = false;
    c[0].band_rx = false;
    c[0].scrambler = true;
    c[0].tx_limit = true;
    c[0].tx_busy = false;
    c[0].active = false;
    c[1].freq_rx = 33000000; // receive only; the editor marks the other side -1
    c[1].freq_tx = -1;
    c[3].freq_tx = 48500000; // transmit only
    return c;
}

} // namespace

class TestChannelText : public QObject
{
    Q_OBJECT
private slots:
    void formatThenParseGivesTheChannels()
    {
        const Channels sample = Sample();
        const QString text = ChannelText::Format(sample, {0, 1, 2, 3});
        QCOMPARE(text.section(QLatin1Char('\n'), 0, 0), ChannelText::Columns().join(QLatin1Char('\t')));
        // The empty channel is its number and blank fields.
        QCOMPARE(text.section(QLatin1Char('\n'), 3, 3), QStringLiteral("2") + QString(16, QLatin1Char('\t')));
        const ChannelText::Parsed parsed = ChannelText::Parse(text);
        QVERIFY(parsed.ok());
        QCOMPARE(parsed.channels.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY2(parsed.channels[i] == sample[std::size_t(i)], qPrintable(QString::number(i)));
    }

    void layoutsASpreadsheetMayGive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("freqTx"); // of the first row
        QTest::addColumn<bool>("scan");
        QTest::newRow("columns reordered, some missing")
            << "scan\tfreq_tx\tname\tfreq_rx\n0\t41025000\tПорт\t41000000\n"
            << 1 << 41025000 << false;
        QTest::newRow("no header") << "5\t41000000\t41012500\n" << 1 << 41012500 << true;
        QTest::newRow("CR LF, quotes, blank lines")
            << "\r\nchannel\tfreq_rx\tfreq_tx\r\n\r\n1\t\"41000000\"\t 41000000 \r\n2\t\t\r\n"
            << 2 << 41000000 << true;
    }

    void layoutsASpreadsheetMayGive()
    {
        QFETCH(QString, text);
        QFETCH(int, rows);
        QFETCH(int, freqTx);
        QFETCH(bool, scan);
        const ChannelText::Parsed parsed = ChannelText::Parse(text);
        QVERIFY(parsed.ok());
        QCOMPARE(parsed.channels.size(), rows);
        QCOMPARE(parsed.channels[0].freq_rx, 41000000);
        QCOMPARE(parsed.channels[0].freq_tx, freqTx);
        QCOMPARE(parsed.channels[0].scan, scan);
        // Missing fields are an empty channel's.
        QCOMPARE(parsed.channels[0].tx_power_high, 3);
        QVERIFY(parsed.channels.last().IsUsed() || parsed.channels.last() == Channel());
    }

    void cellsTheRecordCannotCarryStopTheReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("column");
        const QString head = QStringLiteral("channel\tfreq_rx\ttx_power_low\tsquelch\tscan\tsubtone_rx\n");
        QTest::newRow("decimal comma") << head + "1\t41,0125\t0\t1\t1\t0\n" << 2 << "freq_rx";
        QTest::newRow("power level 4") << head + "1\t41000000\t0\t1\t1\t0\n2\t41000000\t4\t1\t1\t0\n"
                                       << 3 << "tx_power_low";
        QTest::newRow("flag 2") << head + "1\t41000000\t0\t1\t2\t0\n" << 2 << "scan";
        QTest::newRow("subtone above a byte") << head + "1\t41000000\t0\t1\t1\t256\n" << 2 << "subtone_rx";
        QTest::newRow("words") << QStringLiteral("частота\t41 МГц\n") << 1 << "freq_rx";
        // Text without a tab is no table: it must not paste as empty channels.
        QTest::newRow("a word") << QStringLiteral("hello\n") << 1 << "channel";
        QTest::newRow("a frequency") << QStringLiteral("150125000") << 1 << "channel";
        QTest::newRow("channel number 100") << head + "100\t41000000\t0\t1\t1\t0\n" << 2 << "channel";
    }

    void cellsTheRecordCannotCarryStopTheReading()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, column);
        const ChannelText::Parsed parsed = ChannelText::Parse(text);
        QVERIFY(!parsed.ok());
        QCOMPARE(parsed.errorLine, line);
        QCOMPARE(parsed.errorColumn, column);
        QVERIFY(parsed.channels.isEmpty());
    }

    void pasteRemovesWhatTheRangeRefusesAndStopsAt99()
    {
        ChannelsContext table{QString()}; // 33-48.5 MHz
        for (Channel &c : table.channels)
            c.freq_rx = c.freq_tx = 40000000;
        QList<Channel> rows(4);
        rows[0].freq_rx = rows[0].freq_tx = 41000000;
        rows[1].freq_rx = 150000000; // outside
        rows[2].freq_tx = 20000000;  // outside
        rows[3].freq_rx = -1;        // empty

        ChannelText::PasteResult r = ChannelText::Paste(table, 10, rows);
        QCOMPARE(r.pasted, 4);
        QCOMPARE(r.removed, 2);
        QCOMPARE(r.dropped, 0);
        QCOMPARE(table.channels[10].freq_rx, 41000000);
        for (int n : {11, 12, 13})
            QVERIFY(table.channels[std::size_t(n)] == Channel());
        QCOMPARE(table.channels[14].freq_rx, 40000000);

        r = ChannelText::Paste(table, 98, rows);
        QCOMPARE(r.pasted, 2);
        QCOMPARE(r.dropped, 2);
        QCOMPARE(table.channels[98].freq_rx, 41000000);
        QVERIFY(!table.channels[99].IsUsed());
    }
};

QTEST_GUILESS_MAIN(TestChannelText)
#include "tst_channeltext.moc"
