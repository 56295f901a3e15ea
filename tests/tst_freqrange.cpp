#include "model/freqrange.h"

#include <QDomDocument>
#include <QTest>

Q_DECLARE_METATYPE(FreqRange)

namespace {

constexpr std::uint32_t MHz = 1000000;

// "rx:a-b,c-d;tx:e-f" in Hz, for compact test tables.
FreqRange R(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> rx,
            std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> tx)
{
    FreqRange r;
    int i = 0;
    for (auto [b, e] : rx) {
        r.rxBegin[i] = b;
        r.rxEnd[i++] = e;
    }
    i = 0;
    for (auto [b, e] : tx) {
        r.txBegin[i] = b;
        r.txEnd[i++] = e;
    }
    return r;
}

FreqRange Same(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> both)
{
    return R(both, both);
}

FreqRange Default()
{
    FreqRange r;
    r.SetDefault();
    return r;
}

} // namespace

class TestFreqRange : public QObject
{
    Q_OBJECT
private slots:
    void formatMHz_data()
    {
        QTest::addColumn<quint32>("hz");
        QTest::addColumn<QString>("text");
        QTest::newRow("three decimals") << 300025000u << "300.025";
        QTest::newRow("one decimal") << 48500000u << "48.5";
        QTest::newRow("whole below 100") << 33000000u << " 33";
        QTest::newRow("whole above 100") << 336000000u << "336";
        QTest::newRow("zero") << 0u << "  0";
        QTest::newRow("six decimals") << 300000001u << "300.000001";
        QTest::newRow("two decimals") << 336250000u << "336.25";
    }
    void formatMHz()
    {
        QFETCH(quint32, hz);
        QFETCH(QString, text);
        QCOMPARE(FormatMHz(hz), text);
    }

    void toText_data()
    {
        QTest::addColumn<FreqRange>("range");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << Default() << QStringLiteral("( 33-48.5 МГц)");
        QTest::newRow("separate") << R({{33 * MHz, 48500000}}, {{300025000, 336250000}})
                                  << QStringLiteral("Rx:( 33-48.5 МГц) Tx:(300.025-336.25 МГц)");
        QTest::newRow("two equal intervals") << Same({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}})
                                             << QStringLiteral("(300-301,336-337 МГц)");
        QTest::newRow("single frequency") << Same({{300 * MHz, 300 * MHz}}) << QStringLiteral("(300 МГц)");
        QTest::newRow("second rx without tx shows first only")
            << R({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}}, {{300 * MHz, 301 * MHz}})
            << QStringLiteral("(300-301 МГц)");
        QTest::newRow("differs in second slot")
            << R({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}}, {{300 * MHz, 301 * MHz}, {340 * MHz, 341 * MHz}})
            << QStringLiteral("Rx:(300-301,336-337 МГц) Tx:(300-301,340-341 МГц)");
        QTest::newRow("empty") << FreqRange() << QStringLiteral("( МГц)");
    }
    void toText()
    {
        QFETCH(FreqRange, range);
        QFETCH(QString, text);
        QCOMPARE(range.ToText(), text);
    }

    void validity_data()
    {
        QTest::addColumn<FreqRange>("range");
        QTest::addColumn<bool>("valid");
        QTest::newRow("default") << Default() << true;
        QTest::newRow("empty") << FreqRange() << false;
        QTest::newRow("two rx one tx") << R({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}}, {{300 * MHz, 301 * MHz}}) << false;
        QTest::newRow("one rx two tx") << R({{300 * MHz, 301 * MHz}}, {{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}}) << true;
        QTest::newRow("tx out of order") << R({{300 * MHz, 301 * MHz}}, {{336 * MHz, 337 * MHz}, {300 * MHz, 301 * MHz}}) << false;
        QTest::newRow("touching") << Same({{300 * MHz, 301 * MHz}, {301 * MHz, 302 * MHz}}) << false;
        QTest::newRow("begin equals end") << Same({{300 * MHz, 300 * MHz}}) << true;
        QTest::newRow("reversed interval") << Same({{301 * MHz, 300 * MHz}}) << false;
        QTest::newRow("1 GHz") << Same({{300 * MHz, 1000 * MHz}}) << false;
        QTest::newRow("just below 1 GHz") << Same({{300 * MHz, 999999999}}) << true;
        QTest::newRow("hole") << Same({{300 * MHz, 301 * MHz}, {0, 0}, {336 * MHz, 337 * MHz}}) << false;
        QTest::newRow("empty slot 0") << Same({{0, 0}, {336 * MHz, 337 * MHz}}) << false;
        QTest::newRow("half-empty slot") << Same({{300 * MHz, 301 * MHz}, {0, 5}}) << false;
        QTest::newRow("four intervals")
            << Same({{100 * MHz, 101 * MHz}, {200 * MHz, 201 * MHz}, {300 * MHz, 301 * MHz}, {400 * MHz, 401 * MHz}}) << true;
        QTest::newRow("four rx four tx different")
            << R({{100 * MHz, 101 * MHz}, {200 * MHz, 201 * MHz}, {300 * MHz, 301 * MHz}, {400 * MHz, 401 * MHz}},
                 {{110 * MHz, 111 * MHz}, {210 * MHz, 211 * MHz}, {310 * MHz, 311 * MHz}, {410 * MHz, 411 * MHz}}) << true;
        QTest::newRow("negative read as huge") << Same({{300 * MHz, 0xFFFFFFFFu}}) << false;
    }
    void validity()
    {
        QFETCH(FreqRange, range);
        QFETCH(bool, valid);
        QCOMPARE(range.IsValid(), valid);
    }

    void membership_data()
    {
        QTest::addColumn<quint32>("f");
        QTest::addColumn<bool>("inside");
        QTest::newRow("begin") << 300 * MHz << true;
        QTest::newRow("end") << 301 * MHz << true;
        QTest::newRow("end + 1") << 301 * MHz + 1 << false;
        QTest::newRow("begin - 1") << 300 * MHz - 1 << false;
        QTest::newRow("second interval") << 336500000u << true;
        QTest::newRow("gap") << 310 * MHz << false;
        QTest::newRow("zero") << 0u << false;
    }
    void membership()
    {
        QFETCH(quint32, f);
        QFETCH(bool, inside);
        const FreqRange r = R({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}}, {{300 * MHz, 301 * MHz}});
        QCOMPARE(r.ContainsRx(f), inside);
        // The tx list has only the first interval.
        QCOMPARE(r.ContainsTx(f), inside && f <= 301 * MHz);
    }

    void snap_data()
    {
        QTest::addColumn<quint32>("f");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<quint32>("result");
        QTest::newRow("gap up") << 310 * MHz << 1 << true << 336 * MHz;
        QTest::newRow("gap down") << 310 * MHz << -1 << true << 301 * MHz;
        QTest::newRow("gap none") << 310 * MHz << 0 << true << 337 * MHz;
        QTest::newRow("below down") << 299 * MHz << -1 << true << 300 * MHz;
        QTest::newRow("below up") << 299 * MHz << 1 << true << 300 * MHz;
        QTest::newRow("above") << 400 * MHz << 1 << true << 337 * MHz;
        QTest::newRow("inside") << 300500000u << -1 << false << 300500000u;
        QTest::newRow("on an edge") << 336 * MHz << 0 << false << 336 * MHz;
    }
    void snap()
    {
        QFETCH(quint32, f);
        QFETCH(int, direction);
        QFETCH(bool, moved);
        QFETCH(quint32, result);
        const FreqRange r = Same({{300 * MHz, 301 * MHz}, {336 * MHz, 337 * MHz}});
        std::uint32_t v = f;
        QCOMPARE(r.SnapRx(v, direction), moved);
        QCOMPARE(v, result);
        std::uint32_t w = f;
        QCOMPARE(r.SnapTx(w, direction), moved);
        QCOMPARE(w, result);
    }

    void snapFourIntervalsAbove()
    {
        const FreqRange r = Same({{100 * MHz, 101 * MHz}, {200 * MHz, 201 * MHz}, {300 * MHz, 301 * MHz}, {400 * MHz, 401 * MHz}});
        std::uint32_t f = 500 * MHz;
        QVERIFY(r.SnapRx(f, 1));
        QCOMPARE(f, 401 * MHz);
        std::uint32_t g = 10;
        QVERIFY(!FreqRange().SnapRx(g, 1));  // nothing to snap to
        QCOMPARE(g, 10u);
    }

    void digitsAndDefaults()
    {
        QCOMPARE(Default().DigitsRx(), 8);
        QCOMPARE(Same({{200 * MHz, 300 * MHz}}).DigitsTx(), 9);
        QCOMPARE(Same({{33 * MHz, 99999999}}).DigitsRx(), 8);
        QCOMPARE(FreqRange().DigitsRx(), 9);
        QCOMPARE(FreqRange().DefaultRx(), 33000000u);
        QCOMPARE(R({{300 * MHz, 301 * MHz}}, {{150 * MHz, 151 * MHz}}).DefaultTx(), 150 * MHz);
    }

    void addAndEquals()
    {
        FreqRange r;
        for (int i = 0; i < 4; ++i)
            QVERIFY(r.AddRx(100 + i, 200 + i));
        QVERIFY(!r.AddRx(1, 2));
        QCOMPARE(r.rxBegin[3], 103u);
        FreqRange a = Default(), b = Default();
        QVERIFY(a.Equals(b));
        b.rxEnd[2] = 5;  // looks empty (begin 0), still differs
        QVERIFY(!a.Equals(b));
    }

    void xmlRoundTrip_data()
    {
        QTest::addColumn<FreqRange>("range");
        QTest::newRow("default") << Default();
        QTest::newRow("separate") << R({{33 * MHz, 48500000}}, {{300025000, 336250000}});
        QTest::newRow("four") << Same({{100 * MHz, 101 * MHz}, {200 * MHz, 201 * MHz}, {300 * MHz, 301 * MHz}, {400 * MHz, 401 * MHz}});
        QTest::newRow("top bit") << Same({{0x80000000u, 0xFFFFFFF0u}});
    }
    void xmlRoundTrip()
    {
        QFETCH(FreqRange, range);
        QDomDocument doc;
        QDomElement root = doc.createElement(QStringLiteral("root"));
        doc.appendChild(root);
        QVERIFY(range.WriteXml(root));
        QDomDocument back;
        QVERIFY(back.setContent(doc.toString()));
        FreqRange read;
        QVERIFY(read.ReadXml(back.documentElement().firstChildElement(QStringLiteral("FreqRange"))));
        QVERIFY(read.Equals(range));
    }

    void writeXmlNeedsParent()
    {
        QDomNode none;
        QVERIFY(!Default().WriteXml(none));
    }

    void readXmlShapes_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<quint32>("rx0End");
        QTest::newRow("any child order") << "<FreqRange><tx0 end='2' begin='1'/><rx0 begin='3' end='4'/></FreqRange>" << true << 4u;
        QTest::newRow("missing end") << "<FreqRange><rx0 begin='3'/></FreqRange>" << false << 0u;
        QTest::newRow("non-numeric") << "<FreqRange><rx0 begin='a' end='4'/></FreqRange>" << false << 0u;
        QTest::newRow("zero end") << "<FreqRange><rx0 begin='3' end='0'/></FreqRange>" << false << 0u;
        QTest::newRow("rx2 without rx1 not reached") << "<FreqRange><rx0 begin='3' end='4'/><rx2 begin='5' end='6'/></FreqRange>" << true << 4u;
        QTest::newRow("bad tx keeps rx") << "<FreqRange><rx0 begin='3' end='4'/><tx0 begin='x' end='4'/></FreqRange>" << false << 4u;
        QTest::newRow("hex and blanks") << "<FreqRange><rx0 begin=' 0x10' end='$20'/></FreqRange>" << true << 32u;
        QTest::newRow("huge number") << "<FreqRange><rx0 begin='1' end='99999999999999'/></FreqRange>" << false << 0u;
        QTest::newRow("negative") << "<FreqRange><rx0 begin='1' end='-1'/></FreqRange>" << true << 0xFFFFFFFFu;
        QTest::newRow("nested junk") << "<FreqRange><a><b><c><rx0 begin='1' end='2'/></c></b></a></FreqRange>" << true << 0u;
    }
    void readXmlShapes()
    {
        QFETCH(QString, xml);
        QFETCH(bool, ok);
        QFETCH(quint32, rx0End);
        QDomDocument doc;
        QVERIFY(doc.setContent(xml));
        FreqRange r = Default();
        QCOMPARE(r.ReadXml(doc.documentElement()), ok);
        QCOMPARE(r.rxEnd[0], rx0End);
    }

    void readXmlAbsent()
    {
        FreqRange r = Default();
        QVERIFY(!r.ReadXml(QDomElement()));
        QVERIFY(r.Equals(FreqRange()));
    }
};

QTEST_APPLESS_MAIN(TestFreqRange)
#include "tst_freqrange.moc"
