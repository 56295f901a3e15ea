#include "job/jobrunner.h"
#include "model/bytes.h"
#include "model/infocontext.h"
#include "xml/cp1251.h"

#include <QTest>

#include <array>
#include <cstring>

namespace {

using Main = std::array<std::uint8_t, TInfoContext::MainLength>;
using Ext = std::array<std::uint8_t, TInfoContext::ExtendedLength>;

void Put(std::uint8_t *at, const QByteArray &bytes)
{
    std::memcpy(at, bytes.constData(), std::size_t(bytes.size()));
}

QByteArray Cp1251(const QString &s)
{
    return cp1251::Encode(s);
}

Main SampleMain()
{
    Main d{};
    setU32le(&d[0], 12);
    setU32le(&d[4], 100234);
    Put(&d[8], "V2.10\0\0\0\0\0");
    Put(&d[18], "KDT10");
    Put(&d[23], Cp1251(QStringLiteral("  КОРДАН 7К-40БМ   ")));
    Put(&d[43], Cp1251(QStringLiteral("Борт 12")));
    Put(&d[83], "extra");
    setU16le(&d[98], 2640);
    setU16le(&d[100], 2640);
    setU16le(&d[104], 12500);
    setU16le(&d[106], 0);
    setU16le(&d[108], 1240);
    return d;
}

Ext SampleExt()
{
    Ext d{};
    setU16le(&d[0], 0x1203);
    setU16le(&d[2], 0xBEEF);
    setU32le(&d[4], 8192);
    setU32le(&d[8], 0x00ABCDEF);
    setU32le(&d[12], 118784);
    setU32le(&d[16], 0xDEADBEEF);
    const std::uint16_t list[][2] = {{0, 0x0100}, {4, 0x0101}, {8, 0x0102}, {12, 0x0300}, {4, 0x0102}, {99, 0x0505}};
    for (int i = 0; i < 16; ++i) {
        setU16le(&d[20 + 4 * i], i < 6 ? list[i][0] : 0xFFFF);
        setU16le(&d[22 + 4 * i], i < 6 ? list[i][1] : 0);
    }
    setU32le(&d[84], 0x00000001);
    setU32le(&d[88], 0x00000002);
    setU32le(&d[92], 0x00000003);
    setU32le(&d[96], 131072);
    d[100] = 1; d[101] = 5; d[102] = 12; d[103] = 25;
    return d;
}

} // namespace

class TestInfoContext : public QObject
{
    Q_OBJECT
private slots:
    void freshRecord()
    {
        TInfoContext info;
        QVERIFY(!info.IsComplete());
        QCOMPARE(info.txPower, (std::array<std::int32_t, 5>{5, 10, 20, 40, 0}));
        QVERIFY(info.range.Equals(FreqRange()));
    }

    void wholeReport()
    {
        TInfoContext info;
        const Main m = SampleMain();
        const Ext e = SampleExt();
        info.DecodeMain(m.data());
        QVERIFY(!info.IsComplete());
        info.DecodeExtended(e.data());
        QVERIFY(info.IsComplete());
        QCOMPARE(info.settingsTableVersion, std::uint16_t(0x0102));  // later tag 4 wins
        QCOMPARE(info.tag12Version, std::uint16_t(0x0300));
        QCOMPARE(info.extraText, QStringLiteral("extra"));
        QCOMPARE(info.bootWord, std::uint16_t(0xBEEF));
        FreqRange def;
        def.SetDefault();
        QVERIFY(info.range.Equals(def));

        const QString expected = QStringLiteral(
            "Тип радиостанции: КОРДАН 7К-40БМ\r\n\r\n"
            "Серийный номер: 100234\r\n\r\n"
            "Количество попыток программирования: 12\r\n\r\n"
            "Микроконтроллер.\r\n\tCPUID: 00000003 00000002 00000001\r\n\tFLASH:128K\r\n\r\n"
            "Мощность передачи:\r\n\tP0=1 Вт\r\n\tP1=5 Вт\r\n\tP2=12 Вт\r\n\tP3=25 Вт\r\n\r\n"
            "Диапазон рабочих частот (МГц):\r\n"
            "\tПрием:      ( 33-48.5)\r\n"
            "\tПередача:   ( 33-48.5)\r\n\r\n"
            "Коменнтарий: Борт 12\r\n\r\n"
            "Версия программатора: KDT10\r\n\r\n"
            "Программное обеспечение:\r\n\tВерсия: V2.10\r\n\tРазмер: 118784\r\n\tКонтрольная сумма: 0XDEADBEEF\r\n\r\n"
            "Загрузчик:\r\n\tВерсия: 1.2.3\r\n\tРазмер: 8192\r\n\tКонтрольная сумма: 0X00ABCDEF\r\n\r\n"
            "Таблица частот:      Версия 1.0\r\n"
            "Таблица настроек:    Версия 1.2\r\n"
            "Таблица калибровок:  Версия 1.2\r\n");
        QCOMPARE(info.BuildReport(), expected);
    }

    void reportOptionalLines_data()
    {
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("absent");
        QTest::newRow("no serial") << 0xFFFFFFFFu << QByteArray("c") << QStringLiteral("Коменнтарий: c") << QStringLiteral("Серийный");
        QTest::newRow("serial zero") << 0u << QByteArray("c") << QStringLiteral("Серийный номер: 0\r\n") << QString();
        QTest::newRow("empty comment") << 1u << QByteArray() << QStringLiteral("Серийный номер: 1\r\n") << QStringLiteral("Коменнтарий");
        QTest::newRow("blank comment") << 1u << QByteArray("     ") << QString() << QStringLiteral("Коменнтарий");
    }
    void reportOptionalLines()
    {
        QFETCH(quint32, serial);
        QFETCH(QByteArray, comment);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        Main m = SampleMain();
        setU32le(&m[4], serial);
        std::memset(&m[43], 0, 40);
        Put(&m[43], comment);
        TInfoContext info;
        info.DecodeMain(m.data());
        info.DecodeExtended(SampleExt().data());
        const QString report = info.BuildReport();
        if (!present.isEmpty())
            QVERIFY(report.contains(present));
        if (!absent.isEmpty())
            QVERIFY(!report.contains(absent));
    }

    void rangeFromChannelPairs()
    {
        Main m = SampleMain();
        setU16le(&m[98], 24000);   // tx base: 300 MHz
        setU16le(&m[100], 26880);  // rx base: 336 MHz
        const std::uint16_t pairs[4][2] = {{0, 80}, {5, 5}, {100, 120}, {0, 0}};
        for (int i = 0; i < 4; ++i) {
            setU16le(&m[106 + 4 * i], pairs[i][0]);
            setU16le(&m[108 + 4 * i], pairs[i][1]);
        }
        TInfoContext info;
        info.DecodeMain(m.data());
        // The pair (5, 5) adds nothing; the next pair takes the next free slot.
        QCOMPARE(info.range.rxBegin[0], 336000000u);
        QCOMPARE(info.range.rxEnd[0], 337000000u);
        QCOMPARE(info.range.rxBegin[1], 337250000u);
        QCOMPARE(info.range.rxEnd[1], 337500000u);
        QCOMPARE(info.range.rxBegin[2], 0u);
        QCOMPARE(info.range.txBegin[0], 300000000u);
        QCOMPARE(info.range.txEnd[1], 301500000u);
        QVERIFY(info.range.IsValid());
        info.DecodeExtended(SampleExt().data());
        QVERIFY(info.BuildReport().contains(QStringLiteral("\tПрием:      (336-337), (337.25-337.5)\r\n")));
    }

    // (base + channel) x step reaches 2^33; a range past 32 bits must not pass
    // for a real one (in 32 bits the first row wraps to 299.95..300.02 MHz).
    void rangeBeyond32BitsIsInvalid_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("step");
        QTest::addColumn<QList<int>>("pairs");
        QTest::newRow("wraps to a plausible range") << 4580 << 65535 << QList<int>{65534, 65535};
        QTest::newRow("one good pair, one past 32 bits") << 2640 << 65535 << QList<int>{0, 1240, 65000, 65535};
        QTest::newRow("both ends past 32 bits") << 65535 << 65535 << QList<int>{1, 2};
    }
    void rangeBeyond32BitsIsInvalid()
    {
        QFETCH(int, base);
        QFETCH(int, step);
        QFETCH(QList<int>, pairs);
        Main m = SampleMain();
        setU16le(&m[98], std::uint16_t(base));
        setU16le(&m[100], std::uint16_t(base));
        setU16le(&m[104], std::uint16_t(step));
        for (int i = 0; i < 4; ++i) {
            setU16le(&m[106 + 4 * i], std::uint16_t(2 * i < pairs.size() ? pairs[2 * i] : 0));
            setU16le(&m[108 + 4 * i], std::uint16_t(2 * i < pairs.size() ? pairs[2 * i + 1] : 0));
        }
        TInfoContext info;
        info.DecodeMain(m.data());
        QVERIFY(!info.range.IsValid());
        ChannelsContext table{QString()};
        const FreqRange before = table.ranges.Current();
        AdoptRadioRange(table, info);
        QCOMPARE(table.ranges.count(), 1);
        QVERIFY(table.ranges.Current().Equals(before));
    }

    void texts_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero padded") << QByteArray("AB\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20) << QStringLiteral("AB");
        QTest::newRow("blank padded") << QByteArray("  AB                ") << QStringLiteral("AB");
        QTest::newRow("full width no zero") << QByteArray("ABCDEFGHIJKLMNOPQRST") << QStringLiteral("ABCDEFGHIJKLMNOPQRST");
        QTest::newRow("control characters trimmed") << QByteArray("\x01\x1f" "AB\t\r\n", 7) << QStringLiteral("AB");
        QTest::newRow("stops at first zero") << QByteArray("AB\0CD", 5) << QStringLiteral("AB");
    }
    void texts()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        Main m = SampleMain();
        std::memset(&m[23], 0, 20);
        Put(&m[23], field);
        TInfoContext info;
        info.DecodeMain(m.data());
        QCOMPARE(info.radioType, text);
        QCOMPARE(info.comment, QStringLiteral("Борт 12"));  // the neighbour is untouched
    }

    void versionListWithoutSettingsTag()
    {
        Ext e = SampleExt();
        for (int i = 0; i < 16; ++i)
            setU16le(&e[20 + 4 * i], i == 0 ? 0 : 77);
        TInfoContext info;
        info.settingsTableVersion = 0x0102;
        info.DecodeExtended(e.data());
        QCOMPARE(info.settingsTableVersion, std::uint16_t(0));
        QCOMPARE(info.freqTableVersion, std::uint16_t(0x0100));
    }
};

QTEST_APPLESS_MAIN(TestInfoContext)
#include "tst_infocontext.moc"
