#include "model/channel.h"
#include "model/subtones.h"

#include <QDomDocument>
#include <QTest>

#include <array>

Q_DECLARE_METATYPE(Channel)

namespace {

using Record = std::array<std::uint8_t, Channel::RecordSize>;

QByteArray Hex(const Record &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), int(r.size())).toHex(' ');
}

Channel Used(std::int32_t rx, std::int32_t tx)
{
    Channel c;
    c.freq_rx = rx;
    c.freq_tx = tx;
    return c;
}

Channel ReadFrom(const QString &xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    Channel c;
    c.freq_rx = 123;  // nothing of the previous content survives
    c.ReadXml(doc.documentElement());
    return c;
}

} // namespace

class TestChannel : public QObject
{
    Q_OBJECT
private slots:
    void encode_data()
    {
        QTest::addColumn<Channel>("channel");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("unused") << Channel() << QByteArray("ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff");
        Channel a = Used(300050000, 300006250);
        QTest::newRow("frequencies") << a << QByteArray("c4 5d c0 5d 00 00 00 00 00 00 a7 31 00 00 00 00 00 00 00 00");
        Channel b = Used(0, 336250000);
        QTest::newRow("tx only") << b << QByteArray("ff ff 14 69 00 00 00 00 00 00 a7 31 00 00 00 00 00 00 00 00");
        Channel c = Used(300050000, 300050000);
        c.tx_power_low = 3;
        c.tx_power_high = 1;
        c.squelch = 5;
        QTest::newRow("power levels exchanged") << c << QByteArray("c4 5d c4 5d 00 00 00 00 00 00 a7 75 00 00 00 00 00 00 00 00");
        Channel d = Used(300050000, 300050000);
        d.squelch = 0;
        d.tx_power_high = 7;  // outside 1..3: bits stay 0
        QTest::newRow("squelch 0 and bad power") << d << QByteArray("c4 5d c4 5d 00 00 00 00 00 00 a7 01 00 00 00 00 00 00 00 00");
        Channel e = Used(300050000, 300050000);
        e.tone_rx = 1750;
        e.tone_tx = -3;
        e.subtone_rx = 135;
        e.subtone_tx = 134;
        e.scan = false;
        e.band_rx = false;
        e.scrambler = true;
        e.tx_limit = true;
        e.tx_busy = false;
        e.active = false;
        e.squelch = 12;
        QTest::newRow("tones, subtones, flags") << e << QByteArray("c4 5d c4 5d d6 06 00 00 00 86 1c 38 00 00 00 00 00 00 00 00");
    }
    void encode()
    {
        QFETCH(Channel, channel);
        QFETCH(QByteArray, record);
        Record r;
        r.fill(0xAA);
        QVERIFY(channel.Encode(r.data()));
        QCOMPARE(Hex(r), record);
    }

    void encodeAdjustsTheChannel()
    {
        Channel c = Used(300050000, 0);
        c.tx_power_low = 3;
        c.tx_power_high = 1;
        c.squelch = 0;
        Record r;
        c.Encode(r.data());
        QCOMPARE(c.tx_power_low, 1);
        QCOMPARE(c.tx_power_high, 3);
        QCOMPARE(c.squelch, 1);
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<Channel>("channel");
        QTest::newRow("unused is reset") << QByteArray("ffffffff0000000000000000000000000000") << Channel();
        Channel a = Used(300000000, 0);
        a.tx_power_high = 0;
        a.squelch = 8;
        a.subtone_rx = 200;
        a.scan = a.band_rx = a.band_tx = a.tx_busy = a.active = false;
        QTest::newRow("rounded rx, squelch nibble 12, subtone 200")
            << QByteArray("c05dffff00000000c800400c0000000000000000") << a;
        Channel b = Used(300050000, 300050000);
        b.tx_power_low = 1;
        b.tx_power_high = 2;
        b.squelch = 1;
        b.tone_tx = 1989;
        b.active = true;
        b.scan = true;
        b.band_rx = b.band_tx = false;
        b.tx_busy = false;
        QTest::newRow("levels in order, bit 6 ignored") << QByteArray("c45dc45d0000c5070000c161ffffffffffffffff") << b;
    }
    void decode()
    {
        QFETCH(QByteArray, record);
        QFETCH(Channel, channel);
        const QByteArray bytes = QByteArray::fromHex(record.leftJustified(40, '0'));
        Channel c = Used(1, 2);
        c.tone_rx = 99;
        QVERIFY(c.Decode(reinterpret_cast<const std::uint8_t *>(bytes.constData())));
        QCOMPARE(c, channel);
    }

    void imageRoundTripKeepsUsedChannels()
    {
        Channel c = Used(336275000, 300275000);
        c.tone_rx = 1750;
        c.tone_tx = 2100;
        c.subtone_rx = 50;
        c.subtone_tx = 133;
        c.tx_power_low = 1;
        c.tx_power_high = 2;
        c.squelch = 7;
        c.scrambler = true;
        Record r;
        c.Encode(r.data());
        Channel back;
        back.Decode(r.data());
        QCOMPARE(back, c);
    }

    void representableFrequencies_data()
    {
        QTest::addColumn<int>("rx");
        QTest::addColumn<int>("tx");
        QTest::addColumn<bool>("fits");
        QTest::newRow("normal") << 300050000 << 336250000 << true;
        QTest::newRow("highest") << 819187499 << 0 << true;   // quotient 65534 + remainder
        QTest::newRow("wraps") << 819187500 << 0 << false;    // quotient 65535 = "none"
        QTest::newRow("tx wraps") << 0 << 900000000 << false;
        QTest::newRow("negative is none") << -5 << 300000000 << true;
    }
    void representableFrequencies()
    {
        QFETCH(int, rx);
        QFETCH(int, tx);
        QFETCH(bool, fits);
        QCOMPARE(Used(rx, tx).FitsRecord(), fits);
    }

    void readXml_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<Channel>("channel");
        Channel empty;
        empty.scan = false;
        QTest::newRow("no children") << "<channel/>" << empty;
        QTest::newRow("both negative resets") << "<channel><freq_rx>-1</freq_rx><freq_tx>-1</freq_tx><scan>0</scan></channel>" << Channel();
        Channel oneNegative = empty;
        oneNegative.freq_rx = -1;
        oneNegative.freq_tx = 300000000;
        QTest::newRow("one negative stays") << "<channel><freq_rx>-1</freq_rx><freq_tx>300000000</freq_tx></channel>" << oneNegative;
        Channel levels = empty;
        levels.tx_power_low = 1;
        levels.tx_power_high = 2;
        levels.squelch = 12;
        levels.subtone_rx = 500;
        QTest::newRow("levels ordered, nothing clamped")
            << "<channel><tx_power_low>2</tx_power_low><tx_power_high>1</tx_power_high><squelch>12</squelch><subtone_rx>500</subtone_rx></channel>"
            << levels;
        QTest::newRow("non-numbers give defaults")
            << "<channel><freq_rx>abc</freq_rx><tx_power_high>x</tx_power_high><band_rx>?</band_rx><scan>2</scan></channel>"
            << [] { Channel c; c.scan = true; return c; }();
        Channel flags = empty;
        flags.band_rx = false;
        flags.tx_busy = false;
        flags.active = false;
        flags.scrambler = true;
        QTest::newRow("flags") << "<channel><band_rx>0</band_rx><tx_busy>0</tx_busy><active>0</active><scrambler>7</scrambler></channel>" << flags;
    }
    void readXml()
    {
        QFETCH(QString, xml);
        QFETCH(Channel, channel);
        QCOMPARE(ReadFrom(xml), channel);
    }

    void writeXml()
    {
        Channel c = Used(300050000, 0);
        c.tone_tx = 1989;
        c.tone_rx = -5;
        c.subtone_tx = 51;
        c.tx_power_low = 3;
        c.tx_power_high = 0;
        QDomDocument doc;
        QDomElement e = doc.createElement(QStringLiteral("channel"));
        doc.appendChild(e);
        c.WriteXml(e);
        QCOMPARE(doc.toString(-1), QStringLiteral(
            "<channel><freq_rx>300050000</freq_rx><tone_tx>1989</tone_tx><subtone_tx>51</subtone_tx>"
            "<tx_power_low>0</tx_power_low><tx_power_high>3</tx_power_high><squelch>1</squelch>"
            "<scan>1</scan><band_rx>1</band_rx><band_tx>1</band_tx><scrambler>0</scrambler>"
            "<tx_limit>0</tx_limit><tx_busy>1</tx_busy><active>1</active></channel>"));
        QCOMPARE(c.tx_power_low, 0);  // the channel itself now holds the ordered levels
        QCOMPARE(c.tx_power_high, 3);
    }

    void planFrequencies()
    {
        Channel c;
        c.subtone_rx = 7;
        c.scan = false;
        c.tx_power_low = 2;
        c.SetPlanFrequencies(336250000, 300250000, false);
        QCOMPARE(c.freq_rx, 336250000);
        QCOMPARE(c.freq_tx, 300250000);
        QCOMPARE(c.tone_tx, 1989);
        QCOMPARE(c.tx_power_low, 0);
        QCOMPARE(c.subtone_rx, 7);
        QVERIFY(!c.scan);
        c.SetPlanFrequencies(336250000, 300250000, true);
        QCOMPARE(c.freq_rx, 300250000);
        QCOMPARE(c.freq_tx, 336250000);
    }

    void subtones_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("label");
        QTest::newRow("none") << 0 << int(SubtoneKind::None) << -1 << "" << "" << "";
        QTest::newRow("negative") << -4 << int(SubtoneKind::None) << -1 << "" << "" << "";
        QTest::newRow("first ctcss") << 1 << int(SubtoneKind::Ctcss) << 0 << QStringLiteral(" 67,0 Гц") << " 67,0" << "CTCSS:";
        QTest::newRow("97.4") << 12 << int(SubtoneKind::Ctcss) << 11 << QStringLiteral(" 97,4 Гц") << " 97,4" << "CTCSS:";
        QTest::newRow("100.0") << 13 << int(SubtoneKind::Ctcss) << 12 << QStringLiteral("100,0 Гц") << "100,0" << "CTCSS:";
        QTest::newRow("last ctcss") << 50 << int(SubtoneKind::Ctcss) << 49 << QStringLiteral("254,1 Гц") << "254,1" << "CTCSS:";
        QTest::newRow("first dcs") << 51 << int(SubtoneKind::Dcs) << 0 << "023" << "023" << "DCS:";
        QTest::newRow("last dcs") << 133 << int(SubtoneKind::Dcs) << 82 << "754" << "754" << "DCS:";
        QTest::newRow("one past dcs") << 134 << int(SubtoneKind::None) << -1 << "" << "" << "DCS:";
        QTest::newRow("far beyond") << 200 << int(SubtoneKind::None) << -1 << "" << "" << "";
    }
    void subtones()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(QString, editor);
        QFETCH(QString, grid);
        QFETCH(QString, label);
        QCOMPARE(int(SubtoneKindOf(code)), kind);
        QCOMPARE(SubtoneListIndex(code), index);
        QCOMPARE(SubtoneEditorText(code), editor);
        QCOMPARE(SubtoneGridText(code), grid);
        QCOMPARE(SubtoneGridLabel(code), label);
        if (index >= 0)
            QCOMPARE(SubtoneCodeOf(SubtoneKind(kind), index), code);
    }

    void subtoneLists()
    {
        QCOMPARE(SubtoneCodeOf(SubtoneKind::None, 0), 0);
        QCOMPARE(SubtoneCodeOf(SubtoneKind::Ctcss, 0), 1);
        QCOMPARE(SubtoneCodeOf(SubtoneKind::Dcs, 0), 51);
        const QStringList ctcss = FillSubtoneList(SubtoneKind::Ctcss);
        QCOMPARE(ctcss.size(), 50);
        QVERIFY(std::is_sorted(ctcss.begin(), ctcss.end()));  // right-aligned texts sort as numbers
        QStringList dcs = FillSubtoneList(SubtoneKind::Dcs);
        QCOMPARE(dcs.size(), 83);
        QVERIFY(std::is_sorted(dcs.begin(), dcs.end()));
        QCOMPARE(dcs.removeDuplicates(), qsizetype(0));
        QVERIFY(FillSubtoneList(SubtoneKind::None).isEmpty());
        QCOMPARE(SubtoneKindText(SubtoneKind::None), QStringLiteral("(нет)"));
    }
};

QTEST_APPLESS_MAIN(TestChannel)
#include "tst_channel.moc"
