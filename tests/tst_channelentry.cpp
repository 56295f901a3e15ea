#include "model/channelscontext.h"
#include "ui/editor/channelentry.h"
#include "ui/editor/frequencyfield.h"

#include <QApplication>
#include <QTest>

Q_DECLARE_METATYPE(EntryClass)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

// Receive and transmit 33-48.5 MHz and 136-174 MHz: nine display digits.
void SelectTwoBands(ChannelsContext &t)
{
    FreqRange r;
    r.AddRx(33000000, 48500000);
    r.AddRx(136000000, 174000000);
    r.AddTx(33000000, 48500000);
    r.AddTx(136000000, 174000000);
    t.ranges.Select(t.ranges.Add(&r));
}

} // namespace

class TestChannelEntry : public QObject
{
    Q_OBJECT
private slots:
    void classify_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("f");
        QTest::addColumn<bool>("band25");
        QTest::addColumn<EntryClass>("expected");
        const auto V = EntryClass::Valid, M = EntryClass::Marginal, I = EntryClass::Invalid;
        QTest::newRow("12.5 raster in 25 band") << true << 150012500 << true << M;
        QTest::newRow("12.5 raster in 12.5 band") << true << 150012500 << false << V;
        QTest::newRow("off raster 25") << true << 150010000 << true << I;
        QTest::newRow("off raster 12.5") << true << 150010000 << false << I;
        QTest::newRow("41.9 rx 25") << true << 41900000 << true << M;
        QTest::newRow("41.9 rx 12.5") << true << 41900000 << false << M;
        QTest::newRow("41.9 tx") << false << 41900000 << true << V;
        QTest::newRow("gap on raster") << true << 100000000 << true << I;
        QTest::newRow("interval end") << false << 174000000 << true << V;
        QTest::newRow("past interval end") << false << 174025000 << true << I;
        QTest::newRow("switched off") << true << -1 << true << I;
        QTest::newRow("none") << false << 0 << false << I;
    }
    void classify()
    {
        QFETCH(bool, receive);
        QFETCH(int, f);
        QFETCH(bool, band25);
        QFETCH(EntryClass, expected);
        ChannelsContext t{QString()};
        SelectTwoBands(t);
        QCOMPARE(receive ? ClassifyRx(t, f, band25) : ClassifyTx(t, f, band25), expected);
    }

    void stepFrequency_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("delta");
        QTest::addColumn<bool>("band25");
        QTest::addColumn<int>("f");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier);
        QTest::newRow("up to the raster") << none << 120 << true << 150012500 << 150025000;
        QTest::newRow("down to the raster") << none << -120 << true << 150012500 << 150000000;
        QTest::newRow("down from the raster") << none << -120 << true << 150000000 << 149975000;
        QTest::newRow("12.5 up") << none << 120 << false << 150012500 << 150025000;
        QTest::newRow("12.5 down") << none << -120 << false << 150012500 << 150000000;
        QTest::newRow("ctrl down") << ctrl << -120 << true << 150000000 << 149900000;
        QTest::newRow("ctrl up off raster") << ctrl << 120 << true << 150012500 << 150100000;
        QTest::newRow("shift up") << shift << 120 << false << 150012500 << 151012500;
        QTest::newRow("shift beats ctrl") << (shift | ctrl) << -120 << true << 150000000 << 149000000;
    }
    void stepFrequency()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, delta);
        QFETCH(bool, band25);
        QFETCH(int, f);
        QFETCH(int, expected);
        QCOMPARE(StepFrequency(modifiers, delta, band25, f), expected);
    }

    void stepChannelNumber_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier);
        QTest::newRow("150 up starts at 0") << none << 120 << 150 << 1;
        QTest::newRow("150 down starts at 100") << none << -120 << 150 << 99;
        QTest::newRow("none up by shift") << shift << 120 << -1 << 10;
        QTest::newRow("clamped at 99") << shift << 120 << 95 << 99;
        QTest::newRow("clamped at 0") << ctrl << -120 << 3 << 0;
        QTest::newRow("plain down") << none << -120 << 50 << 49;
    }
    void stepChannelNumber()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, delta);
        QFETCH(int, number);
        QFETCH(int, expected);
        QCOMPARE(StepChannelNumber(modifiers, delta, number), expected);
    }

    // What a field shows must read back as the same frequency, whatever its digits.
    void frequencyField_data()
    {
        QTest::addColumn<int>("f");
        QTest::addColumn<int>("rangeDigits");
        QTest::addColumn<QString>("shown");
        QTest::newRow("9 in 9") << 150125000 << 9 << QStringLiteral("150 125 000");
        QTest::newRow("8 in 8") << 41900000 << 8 << QStringLiteral("41 900 000");
        QTest::newRow("8 in 9") << 41900000 << 9 << QStringLiteral("041 900 000");
        QTest::newRow("9 in 8 widens") << 150125000 << 8 << QStringLiteral("150 125 000");
        QTest::newRow("100 Hz") << 33000100 << 8 << QStringLiteral("33 000 100");
    }
    void frequencyField()
    {
        QFETCH(int, f);
        QFETCH(int, rangeDigits);
        QFETCH(QString, shown);
        FrequencyField field;
        field.ShowFrequency(f, rangeDigits);
        QCOMPARE(field.displayText(), shown);
        QCOMPARE(field.Frequency(), f);
        QCOMPARE(ReadFrequencyField(FrequencyFieldText(f, field.digits()), field.digits()), f);
    }

    void frequencyFieldTyping()
    {
        FrequencyField field;
        field.ShowFrequency(41900000, 9);
        field.setFocus();
        field.setCursorPosition(0);
        QTest::keyClicks(&field, QStringLiteral("1501250"));
        QCOMPARE(field.displayText(), QStringLiteral("150 125 000"));
        QCOMPARE(field.Frequency(), 150125000);
        // A cleared position reads as 0.
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.Frequency(), 150125000);
        field.setCursorPosition(2);
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.Frequency(), 100125000);
        field.ShowNothing();
        QCOMPARE(field.displayText(), QString());
        QCOMPARE(field.Frequency(), -1);
    }

    void readFrequencyField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("expected");
        QTest::newRow("full") << QStringLiteral("1501250") << 9 << 150125000;
        QTest::newRow("short fills with zeros") << QStringLiteral("15") << 9 << 150000000;
        QTest::newRow("blanks are zeros") << QStringLiteral("4 9 ") << 8 << 40900000;
        QTest::newRow("not a number") << QStringLiteral("1-2") << 9 << -1;
    }
    void readFrequencyField()
    {
        QFETCH(QString, text);
        QFETCH(int, digits);
        QFETCH(int, expected);
        QCOMPARE(ReadFrequencyField(text, digits), expected);
    }

    void normaliseOneSide()
    {
        Channel c;
        c.freq_rx = 150000000;
        c.freq_tx = 150000000;
        c.tone_rx = c.tone_tx = 1000;
        c.tx_power_low = 3;
        c.tx_power_high = 1;
        QVERIFY(!NormaliseForCommit(c, {true, false, false, true}));
        QCOMPARE(c.freq_rx, 150000000);
        QCOMPARE(c.freq_tx, -1);
        QCOMPARE(c.tone_rx, 0);
        QCOMPARE(c.tone_tx, 1000);
        QCOMPARE(c.tx_power_low, 1);
        QCOMPARE(c.tx_power_high, 3);
    }
};

QTEST_MAIN(TestChannelEntry)
#include "tst_channelentry.moc"
