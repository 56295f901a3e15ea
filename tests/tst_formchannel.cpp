#include "model/channelscontext.h"
#include "ui/editor/formchannel.h"
#include "ui/editor/frequencyfield.h"
#include "ui/grid/cellpainter.h"

#include "editortesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);

// An editor over a table whose range is 33-48.5 and 136-174 MHz both ways.
struct Editor
{
    ChannelsContext table{QString()};
    CellPainter painter;
    TFormChan form;
    QList<int> rows;

    explicit Editor(std::uint32_t txEnd = 174000000)
    {
        FreqRange r;
        r.AddRx(33000000, 48500000);
        r.AddRx(136000000, 174000000);
        r.AddTx(33000000, 48500000);
        r.AddTx(136000000, txEnd);
        table.ranges.Select(table.ranges.Add(&r));
    }
    Channel &Set(int index, std::int32_t rx, std::int32_t tx)
    {
        Channel &c = table.channels[std::size_t(index)];
        c.freq_rx = rx;
        c.freq_tx = tx;
        return c;
    }
    void Open(int index)
    {
        form.Prepare(&table, &painter, index, [this](int row) { rows << row; });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    QColor Base(QWidget *w) const { return w->palette().color(QPalette::Base); }
    QColor Window() const { return form.palette().color(QPalette::Base); }
};
} // namespace

class TestFormChan : public QObject
{
    Q_OBJECT
private slots:
    void opening_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("opened");
        QTest::addColumn<bool>("prev");
        QTest::addColumn<bool>("next");
        QTest::newRow("first") << 0 << 0 << false << true;
        QTest::newRow("last") << 99 << 99 << true << false;
        QTest::newRow("below") << -5 << 0 << false << true;
        QTest::newRow("middle") << 42 << 42 << true << true;
    }
    void opening()
    {
        QFETCH(int, index);
        QFETCH(int, opened);
        QFETCH(bool, prev);
        QFETCH(bool, next);
        Editor e;
        e.Open(index);
        QCOMPARE(e.form.channelIndex(), opened);
        QCOMPARE(e.form.windowTitle(), QStringLiteral("Канал %1").arg(opened));
        QCOMPARE(e.form.ButtonPrev->isEnabled(), prev);
        QCOMPARE(e.form.ButtonNext->isEnabled(), next);
        QCOMPARE(e.form.size(), QSize(874, 405));
        QCOMPARE(QApplication::focusWidget(), e.form.ComboBoxBandRx);
        QCOMPARE(e.form.ComboBoxPowerMax->itemText(3), QStringLiteral("40 Вт"));
    }

    // The controls are built on first use; showing the editor before anything
    // else has used it must not show an empty window.
    void showingBuildsTheControls()
    {
        TFormChan form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.ComboBoxBandRx && form.ComboBoxBandRx->isVisible());
        QVERIFY(form.ButtonOK && form.ButtonOK->isVisible());
        QCOMPARE(form.size(), QSize(874, 405));
        QCOMPARE(QApplication::focusWidget(), form.ComboBoxBandRx);
    }

    // Tab goes through each pair as it is laid out: receive, link, transmit.
    void tabOrder()
    {
        Editor e;
        Channel &c = e.Set(3, 150000000, 151000000);
        c.band_tx = false;
        c.subtone_rx = 1;
        c.subtone_tx = 51;
        c.tone_rx = 1000;
        c.tone_tx = 2000;
        e.Open(3);
        TFormChan &f = e.form;
        const QList<QWidget *> expected{
            f.ComboBoxBandRx, f.ButtonBandEqual, f.ComboBoxBandTx, f.CheckBoxFreqRx, f.MaskEditFreqRx,
            f.ButtonFreqEqual, f.CheckBoxFreqTx, f.MaskEditFreqTx, f.ComboBoxSubtoneTypeRx, f.ComboBoxSubtoneRx,
            f.ButtonSubtoneEqual, f.ComboBoxSubtoneTypeTx, f.ComboBoxSubtoneTx, f.CheckBoxToneRx, f.MaskEditToneRx,
            f.ButtonToneEqual, f.CheckBoxToneTx, f.MaskEditToneTx, f.ComboBoxSquelch};
        QList<QWidget *> visited{QApplication::focusWidget()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(visited.last(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, expected);
    }

    // A typed frequency is classified and coloured at once; red blocks every commit.
    void typedFrequency_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<bool>("band25");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("why");  // the tip's reason for the colour
        QTest::newRow("12.5 raster in 25 band") << true << true << "1500125" << "yellow" << false
                                                << "не кратна шагу 25 кГц полосы 25,0 кГц";
        QTest::newRow("12.5 raster in 12.5 band") << true << false << "1500125" << "window" << false << "";
        QTest::newRow("off raster") << true << false << "1500100" << "red" << false
                                    << "ближайшие допустимые: 150 000 000 и 150 012 500 Гц";
        QTest::newRow("41.9 receive") << true << false << "0419000" << "yellow" << true << "опцией №25";
        QTest::newRow("41.9 transmit") << false << true << "0419000" << "window" << false << "";
        QTest::newRow("outside on raster") << true << true << "1000000" << "red" << false
                                           << "100 000 000 Гц вне диапазона";
    }
    void typedFrequency()
    {
        QFETCH(bool, receive);
        QFETCH(bool, band25);
        QFETCH(QString, digits);
        QFETCH(QString, colour);
        QFETCH(bool, warning);
        QFETCH(QString, why);
        Editor e;
        Channel &c = e.Set(3, 150000000, 150000000);
        c.band_rx = c.band_tx = band25;
        e.table.channels[7] = c;
        e.Open(3);
        Type(e.form.EditChannelLoad, QStringLiteral("7"));
        Type(e.form.EditChannelSave, QStringLiteral("8"));
        if (!receive)
            QTest::mouseClick(e.form.ButtonFreqEqual, Qt::LeftButton);
        FrequencyField *field = receive ? e.form.MaskEditFreqRx : e.form.MaskEditFreqTx;
        Type(field, digits);

        const QColor expected = colour == "yellow" ? Yellow : colour == "red" ? Red : e.Window();
        QCOMPARE(e.Base(field), expected);
        // The colour is what the field really paints.
        QCOMPARE(field->grab().toImage().pixelColor(4, field->height() / 2), expected);
        // Its tip says why it is red or yellow.
        const QString tip = field->toolTip();
        QVERIFY2(why.isEmpty() ? !tip.contains(QLatin1Char('\n')) : tip.contains(why), qPrintable(tip));
        // A linked transmit field that may transmit is just a disabled mirror.
        if (receive)
            QCOMPARE(e.Base(e.form.MaskEditFreqTx), e.form.palette().color(QPalette::Button));
        const bool valid = colour != "red";
        QCOMPARE(e.form.ButtonOK->isEnabled(), valid);
        QCOMPARE(e.form.ButtonNext->isEnabled(), valid);
        QCOMPARE(e.form.ButtonPrev->isEnabled(), valid);
        QCOMPARE(e.form.ButtonLoad->isEnabled(), valid);
        QCOMPARE(e.form.ButtonSave->isEnabled(), valid);
        QCOMPARE(e.form.EditChannelLoad->text(), valid ? QStringLiteral("7") : QString());
        QCOMPARE(e.form.EditChannelSave->text(), valid ? QStringLiteral("8") : QString());
        QCOMPARE(e.form.EditWarning->isVisible(), warning);
        QCOMPARE(e.form.ImageWarning->isVisible(), warning);
        if (warning)
            QCOMPARE(e.form.EditWarning->text(),
                     QStringLiteral("Внимание!!! Корректный прием на частоте 41.9МГц обеспечивается только с "
                                    "аппаратной опцией №25!"));
    }

    void transmitBandRecoloursAtOnce()
    {
        Editor e;
        Channel &c = e.Set(3, 150012500, 150012500);
        c.band_rx = true;
        c.band_tx = false;
        e.Open(3);
        QTest::mouseClick(e.form.ButtonFreqEqual, Qt::LeftButton);  // unlink the frequencies
        QCOMPARE(e.Base(e.form.MaskEditFreqTx), e.Window());
        e.form.ComboBoxBandTx->setCurrentIndex(1);
        QCOMPARE(e.form.txClass(), EntryClass::Marginal);
        QCOMPARE(e.Base(e.form.MaskEditFreqTx), Yellow);
        QVERIFY(e.form.ButtonOK->isEnabled());
    }

    void linkRules()
    {
        Editor e;
        e.Set(3, 150000000, 150000000);
        e.Open(3);
        QVERIFY(e.form.bandLinked() && e.form.freqLinked() && e.form.subtoneLinked() && e.form.toneLinked());
        QVERIFY(!e.form.ComboBoxBandTx->isEnabled());
        QVERIFY(!e.form.MaskEditFreqTx->isEnabled());

        // Unlinking two 25 kHz bands gives the transmit side 12,5 kHz.
        QTest::mouseClick(e.form.ButtonBandEqual, Qt::LeftButton);
        QVERIFY(!e.form.work().band_tx);
        QCOMPARE(e.form.ComboBoxBandTx->currentText(), QStringLiteral("12,5 кГц"));
        QVERIFY(e.form.ComboBoxBandTx->isEnabled());

        // A linked transmit frequency follows what is typed for reception.
        Type(e.form.MaskEditFreqRx, QStringLiteral("1450000"));
        QCOMPARE(e.form.work().freq_tx, 145000000);
        QCOMPARE(e.form.MaskEditFreqTx->displayText(), QStringLiteral("145 000 000"));

        // DCS for reception with the pair linked: code 51 on both rows.
        e.form.ComboBoxSubtoneTypeRx->setCurrentIndex(2);
        QCOMPARE(e.form.work().subtone_rx, 51);
        QCOMPARE(e.form.work().subtone_tx, 51);
        QCOMPARE(e.form.ComboBoxSubtoneRx->currentText(), QStringLiteral("023"));
        QCOMPARE(e.form.ComboBoxSubtoneTx->currentText(), QStringLiteral("023"));
        QCOMPARE(e.form.ComboBoxSubtoneTypeTx->currentText(), QStringLiteral("DCS"));

        // Ticking the receive tone with none stored fills in 1000 on both sides.
        QTest::mouseClick(e.form.CheckBoxToneRx, Qt::LeftButton);
        QCOMPARE(e.form.work().tone_rx, 1000);
        QCOMPARE(e.form.work().tone_tx, 1000);
        QVERIFY(e.form.CheckBoxToneTx->isChecked());
        QCOMPARE(e.form.MaskEditToneTx->text(), QStringLiteral("1000"));
    }

    void linkedFrequencyOutsideTransmitRange()
    {
        Editor e(150000000);
        e.Set(3, 145000000, 145000000);
        e.Open(3);
        QVERIFY(e.form.freqLinked());
        Type(e.form.MaskEditFreqRx, QStringLiteral("1600000"));
        QCOMPARE(e.form.rxClass(), EntryClass::Valid);
        QCOMPARE(e.form.txClass(), EntryClass::Invalid);
        QCOMPARE(e.Base(e.form.MaskEditFreqTx), Red);
        QVERIFY(!e.form.ButtonOK->isEnabled());
    }

    void typedTone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("399") << "399" << false;
        QTest::newRow("400") << "400" << true;
        QTest::newRow("3000") << "3000" << true;
        QTest::newRow("3001") << "3001" << false;
        QTest::newRow("not a number") << "1k" << false;
    }
    void typedTone()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        Editor e;
        Channel &c = e.Set(3, 150000000, 150000000);
        c.tone_rx = 1000;
        c.tone_tx = 2000;
        e.Open(3);
        QVERIFY(!e.form.toneLinked());
        Type(e.form.MaskEditToneTx, text);
        QCOMPARE(e.Base(e.form.MaskEditToneTx), valid ? e.Window() : Red);
        QCOMPARE(e.form.ButtonOK->isEnabled(), valid);
    }

    void tickingRestoresDefaultFrequency()
    {
        Editor e;
        e.Set(3, 60000000, 150000000);  // receive outside the range: opens switched off
        e.Open(3);
        QVERIFY(!e.form.CheckBoxFreqRx->isChecked());
        QVERIFY(!e.form.MaskEditFreqRx->isEnabled());
        QTest::mouseClick(e.form.CheckBoxFreqRx, Qt::LeftButton);
        QCOMPARE(e.form.work().freq_rx, 33000000);
        QCOMPARE(e.form.MaskEditFreqRx->displayText(), QStringLiteral("033 000 000"));
    }

    void okWithBothDirectionsOff()
    {
        Editor e;
        Channel &c = e.Set(3, 150000000, 150000000);
        c.tone_rx = c.tone_tx = 1000;
        c.subtone_rx = c.subtone_tx = 20;
        c.band_rx = c.band_tx = false;
        c.scrambler = c.tx_limit = true;
        c.tx_busy = c.active = c.scan = false;
        c.squelch = 5;
        c.tx_power_low = 1;
        c.tx_power_high = 2;
        e.Open(3);
        QTest::mouseClick(e.form.ButtonFreqEqual, Qt::LeftButton);
        QTest::mouseClick(e.form.CheckBoxFreqRx, Qt::LeftButton);
        QTest::mouseClick(e.form.CheckBoxFreqTx, Qt::LeftButton);
        QTest::mouseClick(e.form.ButtonOK, Qt::LeftButton);
        QCOMPARE(e.form.result(), int(QDialog::Accepted));
        Channel expected;
        expected.freq_rx = expected.freq_tx = -1;
        expected.scan = false;
        expected.tx_power_low = 1;
        expected.tx_power_high = 2;
        QCOMPARE(e.table.channels[3], expected);
        QVERIFY(!e.table.channels[3].IsUsed());
    }

    void nextWithAndWithoutShift_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("plain") << false << false;
        QTest::newRow("shift") << true << false;
        // Shift+Tab onto the button, then Enter: the Shift is long released.
        QTest::newRow("enter after shift+tab") << false << true;
        QTest::newRow("shift+enter") << true << true;
    }
    void nextWithAndWithoutShift()
    {
        QFETCH(bool, shift);
        QFETCH(bool, keyboard);
        Editor e;
        e.Set(10, 150000000, 150000000);
        const Channel eleven = e.Set(11, 140000000, 140000000);
        e.Open(10);
        Type(e.form.MaskEditFreqRx, QStringLiteral("1450000"));
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        if (keyboard) {
            e.form.ButtonNext->setFocus(Qt::BacktabFocusReason);
            QTest::keyRelease(e.form.ButtonNext, Qt::Key_Shift, Qt::ShiftModifier);
            QTest::keyClick(e.form.ButtonNext, Qt::Key_Return, modifiers);
        } else {
            QTest::mouseClick(e.form.ButtonNext, Qt::LeftButton, modifiers);
        }
        QCOMPARE(e.table.channels[10].freq_rx, 145000000);  // committed first either way
        QCOMPARE(e.table.channels[11], shift ? e.table.channels[10] : eleven);
        QCOMPARE(e.form.work().freq_rx, shift ? 145000000 : 140000000);
        QCOMPARE(e.form.channelIndex(), 11);
        QCOMPARE(e.form.windowTitle(), QStringLiteral("Канал 11"));
        QCOMPARE(e.rows, QList<int>{12});
    }

    void shiftCopyOfSwitchedOffChannelShowsIt()
    {
        Editor e;
        Channel &c = e.Set(10, 150000000, 150000000);
        c.subtone_rx = c.subtone_tx = 20;
        e.Open(10);
        QTest::mouseClick(e.form.CheckBoxFreqRx, Qt::LeftButton);  // linked: both off
        QTest::mouseClick(e.form.ButtonNext, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(e.table.channels[11].subtone_rx, 0);
        QCOMPARE(e.form.ComboBoxSubtoneTypeRx->currentText(), QStringLiteral("(нет)"));
    }

    void cancelAfterSaveKeepsTheCopy()
    {
        Editor e;
        const Channel ten = e.Set(10, 150000000, 150000000);
        e.Open(10);
        Type(e.form.EditChannelSave, QStringLiteral("20"));
        QTest::mouseClick(e.form.CheckBoxToneRx, Qt::LeftButton);
        Type(e.form.MaskEditToneRx, QStringLiteral("x"));  // a red tone blocks saving...
        QCOMPARE(e.form.EditChannelSave->text(), QString());
        QVERIFY(!e.form.ButtonSave->isEnabled());
        Type(e.form.MaskEditToneRx, QStringLiteral("1500"));  // ...until it is corrected
        QCOMPARE(e.form.EditChannelSave->text(), QStringLiteral("20"));
        QTest::mouseClick(e.form.ButtonSave, Qt::LeftButton);
        Type(e.form.MaskEditFreqRx, QStringLiteral("1450000"));
        QTest::mouseClick(e.form.ButtonCancel, Qt::LeftButton);
        QCOMPARE(e.form.result(), int(QDialog::Rejected));
        QCOMPARE(e.table.channels[10], ten);
        QCOMPARE(e.table.channels[20].freq_rx, 150000000);
        QCOMPARE(e.table.channels[20].tone_rx, 1500);
        QCOMPARE(e.table.channels[20].tone_tx, 1500);
    }

    void loadFromChannel()
    {
        Editor e;
        e.Set(10, 150000000, 150000000);
        Channel &seven = e.Set(7, 140000000, 145000000);
        seven.subtone_tx = 134;  // no such code: opens as none
        e.Open(10);
        Type(e.form.EditChannelLoad, QStringLiteral("7"));
        QTest::mouseClick(e.form.ButtonLoad, Qt::LeftButton);
        QCOMPARE(e.form.work().freq_tx, 145000000);
        QCOMPARE(e.form.work().subtone_tx, 0);
        QVERIFY(!e.form.freqLinked());
        QCOMPARE(e.form.windowTitle(), QStringLiteral("Канал 10"));
        QCOMPARE(QApplication::focusWidget(), e.form.EditChannelLoad);
    }

    void copyFieldNumbers()
    {
        Editor e;
        e.Open(10);
        Type(e.form.EditChannelLoad, QStringLiteral("150"));
        QCOMPARE(e.form.EditChannelLoad->text(), QString());
        QVERIFY(!e.form.ButtonLoad->isEnabled());
        Wheel(e.form.EditChannelLoad, 120);
        QCOMPARE(e.form.EditChannelLoad->text(), QStringLiteral("1"));
        QVERIFY(e.form.ButtonLoad->isEnabled());
        Type(e.form.EditChannelLoad, QStringLiteral("150"));
        Wheel(e.form.EditChannelLoad, -120);
        QCOMPARE(e.form.EditChannelLoad->text(), QStringLiteral("99"));
        Wheel(e.form.EditChannelSave, 120, Qt::ShiftModifier);
        QCOMPARE(e.form.EditChannelSave->text(), QStringLiteral("10"));
        QCOMPARE(QApplication::focusWidget(), e.form.EditChannelSave);
    }

    void wheelOnFrequency_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("shown");
        const Qt::KeyboardModifiers none, ctrl(Qt::ControlModifier);
        QTest::newRow("raster step") << 150012500 << none << 120 << "150 025 000";
        QTest::newRow("across the gap up") << 48500000 << none << 120 << "136 000 000";
        QTest::newRow("across the gap down") << 136000000 << ctrl << -120 << "048 500 000";
        QTest::newRow("past the top") << 174000000 << none << 120 << "174 000 000";
    }
    void wheelOnFrequency()
    {
        QFETCH(int, start);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, delta);
        QFETCH(QString, shown);
        Editor e;
        e.Set(3, start, start);
        e.Open(3);
        Wheel(e.form.MaskEditFreqRx, delta, modifiers);
        QCOMPARE(e.form.MaskEditFreqRx->displayText(), shown);
        QCOMPARE(e.form.work().freq_rx, e.form.MaskEditFreqRx->Frequency());
        QCOMPARE(e.form.work().freq_tx, e.form.work().freq_rx);
        QCOMPARE(QApplication::focusWidget(), e.form.MaskEditFreqRx);
    }

    // Over a list, or over a switched-off field while another one has the focus.
    void wheelElsewhereChangesNothing()
    {
        Editor e;
        e.Set(3, 150000000, -1).squelch = 4;
        e.Open(3);
        Wheel(e.form.ComboBoxSquelch, -120);
        QCOMPARE(e.form.ComboBoxSquelch->currentIndex(), 3);
        e.form.MaskEditFreqRx->setFocus();
        Wheel(e.form.MaskEditFreqTx, 120);
        QCOMPARE(e.form.work().freq_rx, 150000000);
        QCOMPARE(e.form.work().freq_tx, -1);
    }

    void commonSquelchAndPowerAreOnlyShown()
    {
        Editor e;
        Channel &c = e.Set(3, 150000000, 150000000);
        c.tx_power_low = 1;
        c.tx_power_high = 2;
        c.squelch = 3;
        e.painter.CommonTxPower = true;
        e.painter.CommonTxPowerLevel = 4;
        e.painter.CommonSquelch = true;
        e.painter.CommonSquelchLevel = 8;
        e.Open(3);
        QVERIFY(!e.form.ComboBoxPowerMin->isEnabled());
        QVERIFY(!e.form.ComboBoxPowerMax->isEnabled());
        QCOMPARE(e.form.ComboBoxPowerMin->currentIndex(), 0);
        QCOMPARE(e.form.ComboBoxPowerMax->currentIndex(), 3);
        QVERIFY(e.form.LabelCommonTxPower->isVisible());
        QCOMPARE(e.form.LabelCommonTxPower->text(), QStringLiteral("см. Настройки"));
        QCOMPARE(e.form.ComboBoxSquelch->currentText(), QStringLiteral("L8"));
        QVERIFY(e.form.ImageCommonSquelch->isVisible());
        QTest::mouseClick(e.form.ButtonOK, Qt::LeftButton);
        QCOMPARE(e.table.channels[3].tx_power_low, 1);
        QCOMPARE(e.table.channels[3].tx_power_high, 2);
        QCOMPARE(e.table.channels[3].squelch, 3);
    }

    void eightDigitFrequencyInNineDigitField()
    {
        Editor e;
        e.Set(3, 41900000, 41900000);
        e.Set(4, 44000000, 44000000);
        e.Open(3);
        QCOMPARE(e.form.MaskEditFreqRx->displayText(), QStringLiteral("041 900 000"));
        QTest::mouseClick(e.form.ButtonNext, Qt::LeftButton);
        QCOMPARE(e.table.channels[3].freq_rx, 41900000);
        QCOMPARE(e.table.channels[3].freq_tx, 41900000);
        Type(e.form.MaskEditFreqRx, QStringLiteral("0441250"));
        QTest::mouseClick(e.form.ButtonOK, Qt::LeftButton);
        QCOMPARE(e.table.channels[4].freq_rx, 44125000);
    }

};

QTEST_MAIN(TestFormChan)
#include "tst_formchannel.moc"
