#include "model/channelscontext.h"

#include "model/settingscontext.h"

#include <QDomDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QDomElement Parse(QDomDocument &doc, const QString &xml)
{
    doc.setContent(xml);
    return doc.documentElement();
}

void SetRange(ChannelsContext &t, std::uint32_t rxB, std::uint32_t rxE, std::uint32_t txB, std::uint32_t txE)
{
    FreqRange r;
    r.AddRx(rxB, rxE);
    r.AddTx(txB, txE);
    QVERIFY(t.ranges.Select(t.ranges.Add(&r)));
}

} // namespace

class TestChannelTable : public QObject
{
    Q_OBJECT
private slots:
    void emptyTableImage()
    {
        ChannelsContext t{QString()};
        TableImage img;
        QVERIFY(t.EncodeImage(img, 0x0100));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(img.data()), 12).toHex(' '),
                 QByteArray("00 01 dc 07 0b 10 ae cd b3 32 cc 0f"));
        QVERIFY(std::all_of(img.bytes.begin() + 12, img.bytes.end(), [](std::uint8_t b) { return b == 0xFF; }));
        QDomDocument doc;
        QDomElement e = doc.createElement(QStringLiteral("Channels"));
        doc.appendChild(e);
        t.WriteXml(e);
        QVERIFY(!e.hasChildNodes());
    }

    void imageRoundTrip()
    {
        ChannelsContext t{QString()};
        t.ApplyFrequencyPlan(false);
        t.channels[99].freq_rx = 336000000;
        t.channels[99].squelch = 4;
        TableImage img;
        QVERIFY(t.EncodeImage(img, 0x0100));
        ChannelsContext back{QString()};
        QVERIFY(back.DecodeImage(img));
        QCOMPARE(back.tableVersion, std::uint16_t(0x0100));
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QVERIFY2(back.channels[n] == t.channels[n], qPrintable(QString::number(n)));
    }

    void refusedEncodings()
    {
        ChannelsContext t{QString()};
        TableImage img;
        img.Fill(0x22);
        QVERIFY(!t.EncodeImage(img, 0x0101));
        QCOMPARE(t.tableVersion, std::uint16_t(0x0101));
        QCOMPARE(img.bytes[0], std::uint8_t(0x22));
        // A frequency the record cannot carry would wrap to another one.
        t.channels[7].freq_tx = 900000000;
        QVERIFY(!t.EncodeImage(img, 0x0100));
        QCOMPARE(img.bytes[0], std::uint8_t(0x22));
        QCOMPARE(t.UnrepresentableChannels(), QList<int>{7});
    }

    void decodeRejections_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("breakCrc");
        QTest::addColumn<int>("tableVersion");
        QTest::newRow("length 2000") << 0x0100 << 2000 << false << 0x0100;
        QTest::newRow("version 1.01") << 0x0101 << 2012 << false << 0x0101;
        QTest::newRow("crc") << 0x0100 << 2012 << true << 0;
    }
    void decodeRejections()
    {
        QFETCH(int, version);
        QFETCH(int, length);
        QFETCH(bool, breakCrc);
        QFETCH(int, tableVersion);
        ChannelsContext src{QString()};
        src.ApplyFrequencyPlan(true);
        TableImage img;
        QVERIFY(src.EncodeImage(img, 0x0100));
        img.SetVersion(std::uint16_t(version));
        img.SetLength(std::uint16_t(length));
        img.PrepareCrcWords();
        SealImage(img);
        if (breakCrc)
            img.bytes[2040] = 0;
        ChannelsContext t{QString()};
        t.channels[0].freq_rx = 1;
        QVERIFY(!t.DecodeImage(img));
        QCOMPARE(int(t.tableVersion), tableVersion);
        QCOMPARE(t.channels[0].freq_rx, 1);
        QVERIFY(!t.channels[2].IsUsed());
    }

    void randomImagesDecodeOrAreRejected()
    {
        // Any bytes with a sound CRC: each table decodes them or refuses them,
        // and a decoded channel table encodes again.
        QRandomGenerator rng(99);
        int decoded = 0;
        for (int round = 0; round < 300; ++round) {
            TableImage img;
            for (auto &b : img.bytes)
                b = std::uint8_t(rng.bounded(256));
            img.SetVersion(round % 3 == 0 ? 0x0100 : std::uint16_t(rng.bounded(0x0300)));
            img.SetLength(round % 2 == 0 ? 2012 : std::uint16_t(rng.bounded(65536)));
            img.PrepareCrcWords();
            QVERIFY(SealImage(img));
            ChannelsContext t{QString()};
            if (t.DecodeImage(img)) {
                ++decoded;
                for (const Channel &c : t.channels) {
                    QVERIFY(c.squelch >= 1 && c.squelch <= 8);
                    QVERIFY(c.tx_power_low <= c.tx_power_high);
                }
                TableImage again;
                QVERIFY(t.EncodeImage(again, 0x0100));
            }
            SettingsContext s;
            s.DecodeImage(img);
        }
        QVERIFY(decoded > 0);
    }

    void readXmlIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("channel");  // -1: ignored
        QTest::newRow("plain") << "5" << 5;
        QTest::newRow("leading blank") << " 7" << 7;
        QTest::newRow("hex") << "0x0A" << 10;
        QTest::newRow("100") << "100" << -1;
        QTest::newRow("-1") << "-1" << -1;
        QTest::newRow("text") << "five" << -1;
        QTest::newRow("huge") << "99999999999" << -1;
        QTest::newRow("missing") << QString() << -1;
    }
    void readXmlIds()
    {
        QFETCH(QString, id);
        QFETCH(int, channel);
        const QString attr = id.isNull() ? QString() : QStringLiteral(" id='%1'").arg(id);
        QDomDocument doc;
        ChannelsContext t{QString()};
        t.channels[50].freq_rx = 5;  // reset by reading
        t.ReadXml(Parse(doc, QStringLiteral("<Channels><channel%1><freq_rx>300000000</freq_rx></channel></Channels>").arg(attr)));
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QCOMPARE(t.channels[n].IsUsed(), n == channel);
    }

    void readXmlOtherNodesAndDuplicates()
    {
        QDomDocument doc;
        ChannelsContext t{QString()};
        t.ReadXml(Parse(doc, QStringLiteral(
            "<Channels>text<!-- c --><Channel id='1'><freq_rx>300000000</freq_rx></Channel>"
            "<channel id='3'><freq_rx>300000000</freq_rx></channel>"
            "<channel id='3'><freq_tx>336000000</freq_tx></channel></Channels>")));
        QVERIFY(!t.channels[1].IsUsed());
        QCOMPARE(t.channels[3].freq_rx, 0);  // the later element wins whole
        QCOMPARE(t.channels[3].freq_tx, 336000000);
        ChannelsContext absent{QString()};
        absent.channels[4].freq_rx = 1;
        absent.ReadXml(QDomElement());
        QVERIFY(!absent.channels[4].IsUsed());
    }

    void xmlRoundTrip()
    {
        ChannelsContext t{QString()};
        t.ApplyFrequencyPlan(true);
        t.channels[3].subtone_rx = 133;
        t.channels[3].tx_power_low = 2;
        t.channels[3].tx_power_high = 1;
        QDomDocument doc;
        QDomElement e = doc.createElement(QStringLiteral("Channels"));
        doc.appendChild(e);
        t.WriteXml(e);
        QCOMPARE(e.firstChildElement().attribute(QStringLiteral("id")), QStringLiteral("2"));
        ChannelsContext back{QString()};
        QDomDocument doc2;
        back.ReadXml(Parse(doc2, doc.toString()));
        for (int n = 0; n < ChannelsContext::Count; ++n)
            QCOMPARE(back.channels[n], t.channels[n]);
        QCOMPARE(back.channels[3].tx_power_low, 1);
    }

    void frequencyPlans()
    {
        ChannelsContext t{QString()};
        for (Channel &c : t.channels)
            c.freq_rx = 1;  // every channel used, so resets are visible
        t.channels[6].subtone_rx = 9;
        t.ApplyFrequencyPlan(true);
        QCOMPARE(t.channels[6].freq_rx, 300250000);
        QCOMPARE(t.channels[6].freq_tx, 336250000);
        QCOMPARE(t.channels[6].subtone_rx, 9);
        QCOMPARE(t.channels[11].freq_tx, 336500000);
        QCOMPARE(t.channels[50].freq_rx, 300475000);
        QCOMPARE(t.channels[42].freq_rx, 300075000);
        QCOMPARE(t.channels[65].freq_rx, 336225000);
        QList<int> used, simplex;
        for (int n = 0; n < ChannelsContext::Count; ++n) {
            if (t.channels[n].IsUsed())
                used << n;
            if (t.channels[n].IsUsed() && t.channels[n].freq_rx == t.channels[n].freq_tx)
                simplex << n;
        }
        QCOMPARE(used, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 22, 23, 24, 25, 41, 42, 43, 46, 47, 48, 49, 50, 61, 62, 63, 64, 65}));
        QCOMPARE(simplex, (QList<int>{2, 3, 4, 5, 22, 23, 24, 25, 41, 42, 43, 61, 62, 63, 64, 65}));
        t.ApplyFrequencyPlan(false);
        QCOMPARE(t.channels[6].freq_rx, 336250000);
        QCOMPARE(t.channels[2].freq_rx, 300050000);
        QCOMPARE(t.channels[2].tone_tx, 1989);
    }

    void removeOutOfRange()
    {
        ChannelsContext t{QString()};
        SetRange(t, 300000000, 301000000, 336000000, 337000000);
        t.channels[1].freq_rx = 300500000;   // rx only, inside
        t.channels[2].freq_tx = 336500000;   // tx only, inside
        t.channels[3].freq_rx = 300500000;   // rx inside, tx outside
        t.channels[3].freq_tx = 300500000;
        t.channels[4].freq_rx = 300000000;   // both edges
        t.channels[4].freq_tx = 337000000;
        t.channels[5].freq_tx = 200000000;   // tx only, outside
        QVERIFY(!t.RemoveOutOfRange());
        QVERIFY(t.channels[1].IsUsed());
        QVERIFY(t.channels[2].IsUsed());
        QVERIFY(!t.channels[3].IsUsed());
        QVERIFY(t.channels[4].IsUsed());
        QVERIFY(!t.channels[5].IsUsed());
        QVERIFY(t.RemoveOutOfRange());  // nothing left to remove
    }

    void rangeListFileFollowsTheTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KD_config.xml"));
        {
            ChannelsContext t(path);  // no file yet: default range, written at exit
            QCOMPARE(t.ranges.count(), 1);
        }
        QVERIFY(QFile::exists(path));
        {
            ChannelsContext t(path);
            QVERIFY(!t.ranges.modified());
            SetRange(t, 300000000, 301000000, 300000000, 301000000);
        }
        ChannelsContext again(path);
        QCOMPARE(again.ranges.count(), 2);
    }
};

QTEST_APPLESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
