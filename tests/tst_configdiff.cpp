#include "model/configdiff.h"

#include <QTest>

using ConfigDiff::Difference;

class TestConfigDiff : public QObject
{
    Q_OBJECT
private slots:
    void channels_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QList<Difference>>("expected");
        QTest::newRow("same") << 0 << QList<Difference>{};
        QTest::newRow("frequency") << 1 << QList<Difference>{{5, "freq_rx", "150000000", "150012500"}};
        QTest::newRow("power levels in either order") << 2 << QList<Difference>{};
        QTest::newRow("channel emptied") << 3
                                         << QList<Difference>{{5, "freq_rx", "150000000", ""},
                                                              {5, "freq_tx", "150000000", ""}};
        QTest::newRow("off the record's raster") << 4 << QList<Difference>{};
    }
    void channels()
    {
        QFETCH(int, change);
        QFETCH(QList<Difference>, expected);
        ConfigDiff::Channels a;
        a[5].freq_rx = a[5].freq_tx = 150000000;
        a[5].tx_power_low = 1;
        a[5].tx_power_high = 3;
        ConfigDiff::Channels b = a;
        switch (change) {
        case 1: b[5].freq_rx = 150012500; break;
        case 2: std::swap(b[5].tx_power_low, b[5].tx_power_high); break;
        case 3: b[5].Reset(); break;
        case 4: b[5].freq_rx += 100; break;  // the record keeps whole steps only
        }
        QCOMPARE(ConfigDiff::CompareChannels(a, b), expected);
    }

    void settings_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("version");
        QTest::addColumn<QList<Difference>>("expected");
        QTest::newRow("volume") << 1 << 0x0102 << QList<Difference>{{-1, "Volume", "10", "3"}};
        QTest::newRow("program counter") << 2 << 0x0102 << QList<Difference>{};
        QTest::newRow("1.02 field in a 1.00 radio") << 3 << 0x0100 << QList<Difference>{};
        QTest::newRow("1.02 field in a 1.02 radio") << 3 << 0x0102 << QList<Difference>{{-1, "KeyLock", "0", "1"}};
    }
    void settings()
    {
        QFETCH(int, change);
        QFETCH(int, version);
        QFETCH(QList<Difference>, expected);
        SettingsContext a;
        SettingsContext b;
        switch (change) {
        case 1: b.Volume = 3; break;
        case 2: b.ProgramCount = 77; break;
        case 3: b.KeyLock = true; break;
        }
        QCOMPARE(ConfigDiff::CompareSettings(a, b, std::uint16_t(version)), expected);
    }
};

QTEST_GUILESS_MAIN(TestConfigDiff)
#include "tst_configdiff.moc"
