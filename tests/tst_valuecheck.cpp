#include "model/valuecheck.h"

#include <QTest>

#include <map>

namespace {

using Severity = ValueFinding::Severity;

// Sets one field by its element name: a channel field of channel 5, or a setting.
bool Set(std::array<Channel, ChannelsContext::Count> &channels, SettingsContext &s, const QString &field, int value)
{
    Channel &c = channels[5];
    c.freq_rx = 40000000;
    c.tx_power_high = 2;
    const std::map<QString, std::int32_t *> fields = {
        {"freq_rx", &c.freq_rx}, {"freq_tx", &c.freq_tx}, {"tone_rx", &c.tone_rx}, {"tone_tx", &c.tone_tx},
        {"subtone_rx", &c.subtone_rx}, {"squelch", &c.squelch}, {"tx_power_high", &c.tx_power_high},
        {"tx_power_low", &c.tx_power_low}, {"Volume", &s.Volume}, {"TxLimit", &s.TxLimit},
        {"StartupMode", &s.StartupMode}, {"Squelch", &s.Squelch}, {"TxPowerPassword", &s.TxPowerPassword},
        {"ID", &s.ID}};
    const auto it = fields.find(field);
    if (it == fields.end())
        return false;
    *it->second = value;
    return true;
}

} // namespace

class TestValueCheck : public QObject
{
    Q_OBJECT
private slots:
    void findings_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("severity");  // -1: nothing to say
        QTest::addColumn<int>("written");
        const int none = -1, refused = Severity::Refused, normalised = Severity::Normalised;
        QTest::newRow("frequency on the raster") << "freq_rx" << 40012500 << 0x0102 << none << 0;
        QTest::newRow("frequency off the raster") << "freq_rx" << 40006000 << 0x0102 << refused << 40000000;
        QTest::newRow("largest frequency") << "freq_tx" << 819175000 << 0x0102 << none << 0;
        QTest::newRow("frequency past the steps") << "freq_tx" << 819187500 << 0x0102 << refused << 0;
        QTest::newRow("frequency that wraps") << "freq_tx" << 900000000 << 0x0102 << refused << 80800000;
        QTest::newRow("negative frequency is none") << "freq_tx" << -1 << 0x0102 << none << 0;
        QTest::newRow("largest tone") << "tone_rx" << 65535 << 0x0102 << none << 0;
        QTest::newRow("tone that wraps") << "tone_rx" << 70000 << 0x0102 << refused << 4464;
        QTest::newRow("five-digit tone") << "tone_tx" << 99999 << 0x0102 << refused << 34463;
        QTest::newRow("negative tone") << "tone_rx" << -5 << 0x0102 << normalised << 0;
        QTest::newRow("subtone 134") << "subtone_rx" << 134 << 0x0102 << none << 0;
        QTest::newRow("subtone 135") << "subtone_rx" << 135 << 0x0102 << normalised << 0;
        QTest::newRow("negative subtone") << "subtone_rx" << -1 << 0x0102 << normalised << 0;
        QTest::newRow("squelch 0") << "squelch" << 0 << 0x0102 << normalised << 1;
        QTest::newRow("squelch 12") << "squelch" << 12 << 0x0102 << normalised << 8;
        QTest::newRow("power level 5") << "tx_power_high" << 5 << 0x0102 << normalised << 0;
        QTest::newRow("power levels swapped") << "tx_power_low" << 3 << 0x0102 << normalised << 2;
        QTest::newRow("volume 255") << "Volume" << 255 << 0x0100 << none << 0;
        QTest::newRow("volume 300") << "Volume" << 300 << 0x0100 << refused << 44;
        QTest::newRow("negative volume") << "Volume" << -1 << 0x0100 << refused << 255;
        QTest::newRow("transmit limit 70000") << "TxLimit" << 70000 << 0x0100 << refused << 4464;
        QTest::newRow("startup mode 300") << "StartupMode" << 300 << 0x0102 << refused << 44;
        QTest::newRow("startup mode 300, not in 1.01") << "StartupMode" << 300 << 0x0101 << none << 0;
        QTest::newRow("password 99999") << "TxPowerPassword" << 99999 << 0x0101 << refused << 34463;
        QTest::newRow("identifier 70000") << "ID" << 70000 << 0x0102 << refused << 4464;
        QTest::newRow("common squelch 8 travels as 0") << "Squelch" << 8 << 0x0102 << none << 0;
        QTest::newRow("common squelch 9") << "Squelch" << 9 << 0x0102 << refused << 1;
        QTest::newRow("common squelch 9, not in 1.00") << "Squelch" << 9 << 0x0100 << none << 0;
    }
    void findings()
    {
        QFETCH(QString, field);
        QFETCH(int, value);
        QFETCH(int, version);
        QFETCH(int, severity);
        QFETCH(int, written);
        ChannelsContext table{QString()};
        SettingsContext settings;
        QVERIFY(Set(table.channels, settings, field, value));
        const QList<ValueFinding> found = CheckValues(table.channels, settings, std::uint16_t(version));
        if (severity < 0) {
            QVERIFY2(found.isEmpty(), qPrintable(found.value(0).text));
            return;
        }
        QCOMPARE(found.size(), 1);
        const ValueFinding &f = found.first();
        QCOMPARE(int(f.severity), severity);
        QCOMPARE(f.field, field);
        QCOMPARE(f.channel, field.front().isLower() ? 5 : -1);
        QCOMPARE(f.value, std::int64_t(value));
        QCOMPARE(f.written, std::int64_t(written));
        QCOMPARE(HasRefused(found), severity == Severity::Refused);
    }

    void textsNameTheValue()
    {
        ChannelsContext table{QString()};
        table.channels[7].freq_rx = 40006000;
        table.channels[3].SetPlanFrequencies(300050000, 300050000, false);  // used, nothing wrong
        table.channels[9].freq_tx = 40000000;  // not used: nothing written, nothing to say
        table.channels[9].freq_rx = -1;
        table.channels[9].tone_rx = 70000;
        table.channels[9].freq_tx = 0;
        SettingsContext settings;
        settings.Volume = 300;
        const QList<ValueFinding> found = CheckValues(table.channels, settings, 0x0102);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[0].text, QStringLiteral("Канал 7: freq_rx = 40 006 000 Гц не кратна шагу 12 500 Гц "
                                               "(в радиостанцию попало бы 40 000 000 Гц)"));
        QCOMPARE(found[1].text, QStringLiteral("Настройка Volume = 300 вне пределов поля 0..255 (в радиостанцию попало бы 44)"));
    }
};

QTEST_APPLESS_MAIN(TestValueCheck)
#include "tst_valuecheck.moc"
