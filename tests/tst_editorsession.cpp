#include "job/jobrunner.h"
#include "ui/editor/formchannel.h"
#include "ui/editor/frequencyfield.h"
#include "ui/grid/cellpainter.h"

#include "editortesting.h"
#include "simprocess.h"
#include "testdata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kPort = 140;

QByteArray Encode(ChannelsContext &table)
{
    TableImage image;
    return table.EncodeImage(image, ChannelsContext::TableVersion) ? ImageBytes(image) : QByteArray();
}

// What a radio may hold: on the raster, both intervals, one-sided channels,
// the last DCS code, every property and power level.
void FillRadioChannels(ChannelsContext &t)
{
    auto set = [&t](int n, std::int32_t rx, std::int32_t tx) -> Channel & {
        Channel &c = t.channels[std::size_t(n)];
        c.freq_rx = rx;
        c.freq_tx = tx;
        return c;
    };
    Channel &a = set(0, 150000000, 150000000);
    a.subtone_rx = a.subtone_tx = 1;
    a.tone_rx = a.tone_tx = 1000;
    Channel &b = set(1, 145012500, 146000000);
    b.band_tx = false;
    b.subtone_rx = 12;
    b.subtone_tx = 60;
    b.tone_rx = 400;
    b.tone_tx = 3000;
    b.scrambler = b.tx_limit = true;
    b.tx_busy = b.active = b.scan = false;
    b.tx_power_low = 1;
    b.tx_power_high = 2;
    b.squelch = 8;
    set(2, 41900000, 0);
    set(3, 0, 44000000);
    Channel &e = set(4, 140000000, 140000000);
    e.subtone_rx = e.subtone_tx = 133;
    Channel &f = set(5, 33000000, 48500000);
    f.band_rx = f.band_tx = false;
    f.squelch = 3;
    f.tx_power_high = 1;
}
} // namespace

class TestEditorSession : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase() { IsolateUserSettings(m_settingsDir.path()); }

    // Channels read from a radio are edited in the dialog, written back and
    // read again: the radio ends up holding exactly the edited table.
    void editWriteReadBack()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        QTemporaryDir stateDir;
        ChannelsContext preload{QString()};
        FillRadioChannels(preload);
        const QByteArray original = Encode(preload);
        QVERIFY(!original.isEmpty());
        QVERIFY(WriteAll(QDir(stateDir.path()).filePath(QStringLiteral("channels.bin")), original));

        SimProcess sim;
        QVERIFY(sim.Start(kPort,
                          {QStringLiteral("--no-pacing"), QStringLiteral("--pair"), QStringLiteral("0-1240"),
                           QStringLiteral("--pair"), QStringLiteral("8240-11280")},
                          stateDir.path()));
        JobRecords radio{QString()};
        QVERIFY(RunJobToEnd(radio, ProgrammingJob::OpRead, kPort, nullptr, nullptr, nullptr)->succeeded());
        AdoptRadioRange(radio.channels, radio.info);
        QCOMPARE(radio.channels.DigitsRx(), 9);

        CellPainter painter;
        TFormChan form;
        QList<int> rows;
        auto open = [&](int n) {
            form.Prepare(&radio.channels, &painter, n, [&rows](int row) { rows << row; });
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        };

        // Opening every channel and pressing OK changes nothing the radio holds.
        for (int n = 0; n < ChannelsContext::Count; ++n) {
            open(n);
            QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
        }
        QCOMPARE(Encode(radio.channels), original);

        // New frequency and a DCS code for a linked pair.
        open(0);
        Type(form.MaskEditFreqRx, QStringLiteral("1375000"));
        form.ComboBoxSubtoneTypeRx->setCurrentIndex(2);
        form.ComboBoxSubtoneRx->setCurrentIndex(82);
        QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
        // Channel 1 copied into 2 with Shift, then 2 erased.
        open(1);
        QTest::mouseClick(form.ButtonNext, Qt::LeftButton, Qt::ShiftModifier);
        QTest::mouseClick(form.ButtonErase, Qt::LeftButton);
        QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
        // The transmit-only channel one raster step up by the wheel.
        open(3);
        Wheel(form.MaskEditFreqTx, 120);
        QTest::mouseClick(form.ButtonOK, Qt::LeftButton);
        // A call tone and a squelch level saved into channel 30, then Cancel.
        open(5);
        QTest::mouseClick(form.CheckBoxToneRx, Qt::LeftButton);
        Type(form.MaskEditToneRx, QStringLiteral("2100"));
        form.ComboBoxSquelch->setFocus();
        QTest::keyClick(form.ComboBoxSquelch, Qt::Key_Down);
        Type(form.EditChannelSave, QStringLiteral("30"));
        QTest::mouseClick(form.ButtonSave, Qt::LeftButton);
        QTest::mouseClick(form.ButtonCancel, Qt::LeftButton);

        const auto &edited = radio.channels.channels;
        QCOMPARE(edited[0].freq_tx, 137500000);
        QCOMPARE(edited[0].subtone_tx, 133);
        QVERIFY(!edited[2].IsUsed());
        QCOMPARE(edited[3].freq_tx, 44025000);
        QCOMPARE(edited[5].tone_rx, 0);
        QCOMPARE(edited[30].tone_rx, 2100);
        QCOMPARE(edited[30].tone_tx, 2100);
        QCOMPARE(edited[30].squelch, 4);
        QCOMPARE(rows, QList<int>{3});

        QVERIFY(RunJobToEnd(radio, ProgrammingJob::OpWrite, kPort, nullptr, nullptr, nullptr)->succeeded());
        JobRecords back{QString()};
        QVERIFY(RunJobToEnd(back, ProgrammingJob::OpRead, kPort, nullptr, nullptr, nullptr)->succeeded());
        const QByteArray written = Encode(radio.channels);
        QCOMPARE(sim.ReadState(QStringLiteral("channels.bin")), written);
        QCOMPARE(Encode(back.channels), written);
    }
};

QTEST_MAIN(TestEditorSession)
#include "tst_editorsession.moc"
