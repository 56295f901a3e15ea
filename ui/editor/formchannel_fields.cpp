// The channel editor's fields: the receive/transmit pairs (band, frequency,
// subtone, call tone) with their colours and links, squelch and power.

#include "ui/editor/formchannel.h"

#include "model/channelscontext.h"
#include "model/subtones.h"
#include "ui/editor/formchannel_parts.h"
#include "ui/editor/frequencyfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace formchannel;

// --- the four receive/transmit pairs ---------------------------------------

EntryClass TFormChan::ClassifyRxNow(std::int32_t f) const
{
    return m_channelTable ? ClassifyRx(*m_channelTable, f, m_work.band_rx) : EntryClass::Invalid;
}

EntryClass TFormChan::ClassifyTxNow(std::int32_t f) const
{
    return m_channelTable ? ClassifyTx(*m_channelTable, f, m_work.band_tx) : EntryClass::Invalid;
}

int TFormChan::DigitsRx() const
{
    return m_channelTable ? m_channelTable->DigitsRx() : 9;
}

int TFormChan::DigitsTx() const
{
    return m_channelTable ? m_channelTable->DigitsTx() : 9;
}

void TFormChan::ShowLinkPicture(QToolButton *button, bool linked)
{
    button->setIcon(QIcon(linked ? QStringLiteral(":/editor_linked.svg") : QStringLiteral(":/editor_unlinked.svg")));
    // What the picture says, also to a screen reader.
    button->setToolTip(linked ? tr("Прием и передача связаны") : tr("Прием и передача не связаны"));
}

void TFormChan::ColourField(QLineEdit *field, EntryClass entryClass)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, FieldColour(palette(), field->isEnabled(), entryClass));
    field->setPalette(p);
    ShowEntryTip(field, field->isEnabled() && entryClass != EntryClass::Valid);
}

void TFormChan::ShowEntryTip(QLineEdit *field, bool coloured)
{
    QString reason;
    if (coloured && m_channelTable) {
        if (field == MaskEditFreqRx)
            reason = FrequencyReason(*m_channelTable, m_work.freq_rx, m_work.band_rx, true);
        else if (field == MaskEditFreqTx)
            reason = FrequencyReason(*m_channelTable, m_work.freq_tx, m_work.band_tx, false);
        else if (field == MaskEditToneRx)
            reason = ToneReason(m_work.tone_rx);
        else if (field == MaskEditToneTx)
            reason = ToneReason(m_work.tone_tx);
    }
    const QString hint = field->property(kHintProperty).toString();
    field->setToolTip(reason.isEmpty() ? hint : hint + QLatin1Char('\n') + reason);
}

void TFormChan::ColourFrequencyFields()
{
    ColourField(MaskEditFreqRx, m_rxClass);
    // A linked transmit field is disabled only because it mirrors the receive
    // field; when the mirrored value cannot be transmitted it shows why OK is
    // blocked.
    if (m_freqLinked && CheckBoxFreqTx->isChecked() && m_txClass == EntryClass::Invalid) {
        QPalette p = MaskEditFreqTx->palette();
        p.setColor(QPalette::Base, FieldColour(palette(), true, m_txClass));
        MaskEditFreqTx->setPalette(p);
        ShowEntryTip(MaskEditFreqTx, true);
    } else {
        ColourField(MaskEditFreqTx, m_txClass);
    }
}

void TFormChan::ShowBands(bool loadMode)
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    if (loadMode)
        m_bandLinked = BandsLinkedOnLoad(m_work);
    if (m_bandLinked)
        m_work.band_tx = m_work.band_rx;
    ComboBoxBandTx->setEnabled(!m_bandLinked);
    ShowLinkPicture(ButtonBandEqual, m_bandLinked);
    ComboBoxBandRx->setCurrentIndex(m_work.band_rx ? 1 : 0);
    ComboBoxBandTx->setCurrentIndex(m_work.band_tx ? 1 : 0);
    if (!loadMode) {
        m_rxClass = ClassifyRxNow(m_work.freq_rx);
        m_txClass = ClassifyTxNow(m_work.freq_tx);
        ColourFrequencyFields();
    }
}

void TFormChan::ComboBoxBandRxChange(int item)
{
    if (Busy() || item < 0)
        return;
    m_work.band_rx = item != 0;
    if (m_bandLinked) {
        m_work.band_tx = m_work.band_rx;
        UpdateGuard guard(*this);
        ComboBoxBandTx->setCurrentIndex(m_work.band_tx ? 1 : 0);
    }
    ShowFrequencies(false);
}

void TFormChan::ComboBoxBandTxChange(int item)
{
    if (Busy() || item < 0)
        return;
    m_work.band_tx = item != 0;
    // The colour follows at once; a bandwidth cannot make a frequency invalid,
    // so the entry gate stands.
    m_txClass = ClassifyTxNow(m_work.freq_tx);
    ColourFrequencyFields();
}

void TFormChan::ButtonBandEqualClick()
{
    m_bandLinked = !m_bandLinked;
    if (!m_bandLinked)
        m_work.band_tx = !m_work.band_rx;
    ShowBands(false);
}

void TFormChan::ShowFrequencies(bool loadMode)
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    CheckBoxFreqRx->setEnabled(true);
    m_rxClass = ClassifyRxNow(m_work.freq_rx);
    m_txClass = ClassifyTxNow(m_work.freq_tx);
    if (loadMode) {
        CheckBoxFreqRx->setChecked(m_rxClass != EntryClass::Invalid);
        CheckBoxFreqTx->setChecked(m_txClass != EntryClass::Invalid);
    }

    bool warn = false;
    if (CheckBoxFreqRx->isChecked()) {
        MaskEditFreqRx->ShowFrequency(m_work.freq_rx, DigitsRx());
        MaskEditFreqRx->setEnabled(true);
        warn = m_work.freq_rx == OptionRxFrequency;
    } else {
        MaskEditFreqRx->ShowNothing();
        MaskEditFreqRx->setEnabled(false);
    }
    if (warn)
        EditWarning->setText(tr("Внимание!!! Корректный прием на частоте 41.9МГц обеспечивается только с "
                                "аппаратной опцией №25!"));
    EditWarning->setVisible(warn);
    ImageWarning->setVisible(warn);

    if (loadMode)
        m_freqLinked = FrequenciesLinkedOnLoad(m_work, CheckBoxFreqRx->isChecked(), CheckBoxFreqTx->isChecked());
    ShowLinkPicture(ButtonFreqEqual, m_freqLinked);
    if (m_freqLinked) {
        MaskEditFreqTx->setEnabled(false);
        CheckBoxFreqTx->setEnabled(false);
        m_work.freq_tx = m_work.freq_rx;
        // Checked against the transmit range: a receive frequency outside it
        // must not be written as the transmit frequency.
        m_txClass = ClassifyTxNow(m_work.freq_tx);
        CheckBoxFreqTx->setChecked(CheckBoxFreqRx->isChecked());
        if (CheckBoxFreqTx->isChecked())
            MaskEditFreqTx->ShowFrequency(m_work.freq_rx, DigitsTx());
        else
            MaskEditFreqTx->ShowNothing();
    } else {
        CheckBoxFreqTx->setEnabled(true);
        if (CheckBoxFreqTx->isChecked()) {
            MaskEditFreqTx->ShowFrequency(m_work.freq_tx, DigitsTx());
            MaskEditFreqTx->setEnabled(true);
        } else {
            MaskEditFreqTx->ShowNothing();
            MaskEditFreqTx->setEnabled(false);
        }
    }
    ColourFrequencyFields();
    CheckEntries();
}

void TFormChan::CheckBoxFreqRxClick()
{
    if (Busy() || !m_channelTable)
        return;
    m_rxClass = ClassifyRxNow(m_work.freq_rx);
    if (m_rxClass == EntryClass::Invalid) {
        m_work.freq_rx = std::int32_t(m_channelTable->DefaultRx());
        m_rxClass = ClassifyRxNow(m_work.freq_rx);
    }
    ShowFrequencies(false);
}

void TFormChan::CheckBoxFreqTxClick()
{
    if (Busy() || !m_channelTable)
        return;
    m_txClass = ClassifyTxNow(m_work.freq_tx);
    if (m_txClass == EntryClass::Invalid) {
        m_work.freq_tx = std::int32_t(m_channelTable->DefaultTx());
        m_txClass = ClassifyTxNow(m_work.freq_tx);
    }
    ShowFrequencies(false);
}

void TFormChan::MaskEditFreqRxChange()
{
    if (Busy())
        return;
    // Read with the field's own digit count: what it shows is what is stored.
    const std::int32_t f = MaskEditFreqRx->Frequency();
    m_rxClass = ClassifyRxNow(f);
    m_work.freq_rx = f;
    if (m_rxClass != EntryClass::Invalid)
        ShowFrequencies(false);
    else
        CheckEntries();
    ColourField(MaskEditFreqRx, m_rxClass);
}

void TFormChan::MaskEditFreqTxChange()
{
    if (Busy())
        return;
    const std::int32_t f = MaskEditFreqTx->Frequency();
    m_txClass = ClassifyTxNow(f);
    m_work.freq_tx = f;
    if (m_txClass != EntryClass::Invalid)
        ShowFrequencies(false);
    else
        CheckEntries();
    ColourField(MaskEditFreqTx, m_txClass);
}

void TFormChan::ButtonFreqEqualClick()
{
    m_freqLinked = !m_freqLinked;
    ShowFrequencies(false);
}

void TFormChan::ShowSubtoneSide(QComboBox *kindList, QComboBox *valueList, std::int32_t code, bool valueEnabled)
{
    const SubtoneKind kind = SubtoneKindOf(code);
    kindList->setCurrentIndex(int(kind));
    if (kind == SubtoneKind::None) {
        valueList->clear();
        valueList->setCurrentIndex(-1);
        valueList->setEnabled(false);
        return;
    }
    const QStringList items = FillSubtoneList(kind);
    if (valueList->count() != items.size() || valueList->itemText(0) != items.first()) {
        valueList->clear();
        valueList->addItems(items);
    }
    valueList->setCurrentIndex(SubtoneListIndex(code));
    valueList->setEnabled(valueEnabled);
}

void TFormChan::ShowSubtones(bool loadMode)
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    if (loadMode) {
        // Codes above the DCS list have no meaning; they open as none.
        if (m_work.subtone_rx > LastDcsCode)
            m_work.subtone_rx = 0;
        if (m_work.subtone_tx > LastDcsCode)
            m_work.subtone_tx = 0;
        m_subtoneLinked = SubtonesLinkedOnLoad(m_work);
    }
    if (m_subtoneLinked)
        m_work.subtone_tx = m_work.subtone_rx;
    ShowLinkPicture(ButtonSubtoneEqual, m_subtoneLinked);
    ComboBoxSubtoneTypeTx->setEnabled(!m_subtoneLinked);
    ComboBoxSubtoneTx->setEnabled(!m_subtoneLinked);
    ShowSubtoneSide(ComboBoxSubtoneTypeRx, ComboBoxSubtoneRx, m_work.subtone_rx, true);
    ShowSubtoneSide(ComboBoxSubtoneTypeTx, ComboBoxSubtoneTx, m_work.subtone_tx, !m_subtoneLinked);
}

void TFormChan::ComboBoxSubtoneTypeChange(bool receive, int item)
{
    if (Busy() || item < 0)
        return;
    (receive ? m_work.subtone_rx : m_work.subtone_tx) = SubtoneCodeOf(SubtoneKind(item), 0);
    ShowSubtones(false);
}

void TFormChan::ComboBoxSubtoneChange(bool receive, int item)
{
    if (Busy() || item < 0)
        return;
    const QComboBox *kindList = receive ? ComboBoxSubtoneTypeRx : ComboBoxSubtoneTypeTx;
    (receive ? m_work.subtone_rx : m_work.subtone_tx) = SubtoneCodeOf(SubtoneKind(kindList->currentIndex()), item);
    ShowSubtones(false);
}

void TFormChan::ButtonSubtoneEqualClick()
{
    m_subtoneLinked = !m_subtoneLinked;
    ShowSubtones(false);
}

void TFormChan::ShowToneField(QLineEdit *field, bool ticked, std::int32_t tone, bool enabled)
{
    SetText(field, ticked ? QString::number(tone) : QString());
    field->setEnabled(ticked && enabled);
}

void TFormChan::ShowTones(bool loadMode)
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    m_toneRxClass = ClassifyTone(m_work.tone_rx);
    m_toneTxClass = ClassifyTone(m_work.tone_tx);
    if (loadMode) {
        CheckBoxToneRx->setChecked(m_toneRxClass == EntryClass::Valid);
        CheckBoxToneTx->setChecked(m_toneTxClass == EntryClass::Valid);
        m_toneLinked = TonesLinkedOnLoad(m_work, CheckBoxToneRx->isChecked(), CheckBoxToneTx->isChecked());
    }
    ShowToneField(MaskEditToneRx, CheckBoxToneRx->isChecked(), m_work.tone_rx, true);
    ShowLinkPicture(ButtonToneEqual, m_toneLinked);
    CheckBoxToneTx->setEnabled(!m_toneLinked);
    if (m_toneLinked) {
        m_work.tone_tx = m_work.tone_rx;
        m_toneTxClass = m_toneRxClass;
        CheckBoxToneTx->setChecked(CheckBoxToneRx->isChecked());
    }
    ShowToneField(MaskEditToneTx, CheckBoxToneTx->isChecked(), m_work.tone_tx, !m_toneLinked);
    ColourField(MaskEditToneRx, m_toneRxClass);
    ColourField(MaskEditToneTx, m_toneTxClass);
    CheckEntries();
}

void TFormChan::CheckBoxToneClick(bool receive)
{
    if (Busy())
        return;
    std::int32_t &tone = receive ? m_work.tone_rx : m_work.tone_tx;
    if (ClassifyTone(tone) == EntryClass::Invalid)
        tone = DefaultTone;
    ShowTones(false);
}

void TFormChan::MaskEditToneChange(bool receive)
{
    if (Busy())
        return;
    QLineEdit *field = receive ? MaskEditToneRx : MaskEditToneTx;
    bool ok = false;
    const int typed = field->text().toInt(&ok, 10);
    std::int32_t &tone = receive ? m_work.tone_rx : m_work.tone_tx;
    EntryClass &toneClass = receive ? m_toneRxClass : m_toneTxClass;
    tone = ok ? typed : 0;
    toneClass = ClassifyTone(tone);
    if (toneClass == EntryClass::Valid)
        ShowTones(false);
    else
        CheckEntries();
    ColourField(field, toneClass);
}

void TFormChan::ButtonToneEqualClick()
{
    m_toneLinked = !m_toneLinked;
    ShowTones(false);
}

// --- squelch, power ---------------------------------------------------------

void TFormChan::ComboBoxSquelchChange(int item)
{
    if (item >= 0)
        m_work.squelch = item + 1;
}

void TFormChan::ComboBoxPowerMinChange(int item)
{
    if (item < 0)
        return;
    m_work.tx_power_low = item;
    ShowPower(false);
}

void TFormChan::ComboBoxPowerMaxChange(int item)
{
    if (item < 0)
        return;
    m_work.tx_power_high = item;
    ShowPower(false);
}
