#include "model/tablesnapshot.h"

#include <QTest>

class TestTablesSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void sameTables_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("same");
        QTest::newRow("nothing") << 0 << true;
        QTest::newRow("programming counter") << 1 << true;
        QTest::newRow("unused fields of an empty channel") << 2 << true;
        QTest::newRow("power levels swapped") << 3 << true;
        QTest::newRow("a used channel's flag") << 4 << false;
        QTest::newRow("a setting") << 5 << false;
        QTest::newRow("the range") << 6 << false;
        QTest::newRow("settings version") << 7 << false;
    }

    void sameTables()
    {
        QFETCH(int, change);
        QFETCH(bool, same);
        ChannelsContext table{QString()};
        SettingsContext settings;
        table.channels[4].freq_rx = table.channels[4].freq_tx = 41000000;
        table.channels[4].tx_power_low = 1;
        table.channels[4].tx_power_high = 3;
        const TablesSnapshot a = TablesSnapshot::Of(table, settings);
        TablesSnapshot b = a;
        switch (change) {
        case 1:
            b.settings.ProgramCount += 5;
            break;
        case 2:
            b.channels[9].freq_rx = -1;
            b.channels[9].scan = false;
            b.channels[9].squelch = 7;
            break;
        case 3:
            std::swap(b.channels[4].tx_power_low, b.channels[4].tx_power_high);
            break;
        case 4:
            b.channels[4].scrambler = !b.channels[4].scrambler;
            break;
        case 5:
            b.settings.Volume += 1;
            break;
        case 6:
            b.range.AddRx(146000000, 174000000);
            break;
        case 7:
            b.settings.version = SettingsContext::Version102;
            break;
        }
        QCOMPARE(a.SameTables(b), same);
        QCOMPARE(b.SameTables(a), same);
    }

    void applyingSelectsTheRangeAndAddsItOnce()
    {
        ChannelsContext table{QString()};
        SettingsContext settings;
        TablesSnapshot s = TablesSnapshot::Of(table, settings);
        s.range.Clear();
        s.range.AddRx(146000000, 174000000);
        s.range.AddTx(146000000, 174000000);
        s.channels[2].freq_rx = 150000000;
        s.settings.ID = 42;
        s.ApplyTo(table, settings);
        s.ApplyTo(table, settings);
        QCOMPARE(table.ranges.count(), 2);
        QVERIFY(table.ranges.Current().Equals(s.range));
        QVERIFY(table.channels == s.channels);
        QVERIFY(settings == s.settings);
    }
};

QTEST_GUILESS_MAIN(TestTablesSnapshot)
#include "tst_tablesnapshot.moc"
