// The channel editor: its working copy of one channel, loaded from and
// committed to the table, navigation, the buttons and the mouse wheel.

#include "ui/editor/formchannel.h"

#include "model/channelscontext.h"
#include "ui/app/accessibility.h"
#include "ui/editor/formchannel_parts.h"
#include "ui/editor/frequencyfield.h"
#include "ui/grid/cellpainter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>

using namespace formchannel;

TFormChan::TFormChan(QWidget *parent) : QDialog(parent)
{
    setFixedSize(kClientWidth, kClientHeight);
    SetCaption();
}

void TFormChan::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    BuildControls();
    // The wheel belongs to the dialog wherever it turns (lists included), and
    // the navigation buttons need the modifier keys of the press that clicks them.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

TFormChan::~TFormChan() = default;

void TFormChan::Prepare(ChannelsContext *channelTable, const CellPainter *painter, int channelIndex,
                        std::function<void(int row)> selectRow)
{
    EnsureBuilt();
    m_channelTable = channelTable;
    m_painter = painter;
    m_channelIndex = channelIndex;
    m_selectRow = std::move(selectRow);

    {
        UpdateGuard guard(*this);
        QStringList items;
        for (std::int32_t watts : powerWatts)
            items << tr("%1 Вт").arg(watts);
        for (QComboBox *c : {ComboBoxPowerMin, ComboBoxPowerMax}) {
            c->clear();
            c->addItems(items);
        }
    }
    if (m_channelIndex <= kFirstChannel) {
        m_channelIndex = kFirstChannel;
        ButtonPrev->setEnabled(false);
    } else if (m_channelIndex >= kLastChannel) {
        m_channelIndex = kLastChannel;
        ButtonNext->setEnabled(false);
    }
    ShowCopyControls();
    LoadChannel(m_channelIndex);
}

void TFormChan::setVisible(bool visible)
{
    // Before the layout is set up for showing.
    if (visible)
        EnsureBuilt();
    QDialog::setVisible(visible);
}

void TFormChan::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ComboBoxBandRx->setFocus();
}

void TFormChan::SetCaption()
{
    setWindowTitle(tr("Канал %1").arg(m_channelIndex));
}

// --- the working copy ------------------------------------------------------

bool TFormChan::LoadChannel(int index)
{
    EnsureBuilt();
    if (!IsChannelNumber(index) || !m_channelTable) {
        SetCaption();
        return false;
    }
    m_work = m_channelTable->channels[std::size_t(index)];
    ShowAll();
    SetCaption();
    return true;
}

void TFormChan::ShowAll()
{
    ShowFrequencies(true);
    ShowBands(true);
    ShowSubtones(true);
    ShowTones(true);
    ShowSquelch();
    ShowPower(true);
    ShowProperties();
}

bool TFormChan::CommitChannel(int index)
{
    EnsureBuilt();
    if (!IsChannelNumber(index) || !m_channelTable) {
        SetCaption();
        return false;
    }
    NormaliseForCommit(m_work, {CheckBoxFreqRx->isChecked(), CheckBoxFreqTx->isChecked(),
                                CheckBoxToneRx->isChecked(), CheckBoxToneTx->isChecked()});
    m_channelTable->channels[std::size_t(index)] = m_work;
    SetCaption();
    return true;
}

bool TFormChan::CheckEntries()
{
    EnsureBuilt();
    const bool invalid = (CheckBoxFreqRx->isChecked() && m_rxClass == EntryClass::Invalid) ||
                         (CheckBoxFreqTx->isChecked() && m_txClass == EntryClass::Invalid) ||
                         (CheckBoxToneRx->isChecked() && m_toneRxClass == EntryClass::Invalid) ||
                         (CheckBoxToneTx->isChecked() && m_toneTxClass == EntryClass::Invalid);
    m_entriesValid = !invalid;
    if (m_entriesValid) {
        ButtonOK->setEnabled(true);
        if (m_channelIndex < kLastChannel)
            ButtonNext->setEnabled(true);
        if (m_channelIndex > kFirstChannel)
            ButtonPrev->setEnabled(true);
    } else {
        ButtonOK->setEnabled(false);
        ButtonNext->setEnabled(false);
        ButtonPrev->setEnabled(false);
    }
    ShowCopyControls();
    return m_entriesValid;
}

void TFormChan::ShowCopyControls()
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    for (QWidget *w : std::initializer_list<QWidget *>{ButtonLoad, ButtonSave, EditChannelLoad, EditChannelSave,
                                                       ButtonErase})
        w->setVisible(true);
    auto show = [this](int index, QLineEdit *edit, QPushButton *button) {
        const bool usable = IsChannelNumber(index) && m_entriesValid;
        SetText(edit, usable ? QString::number(index) : QString());
        button->setEnabled(usable);
    };
    show(m_loadIndex, EditChannelLoad, ButtonLoad);
    show(m_saveIndex, EditChannelSave, ButtonSave);
}

void TFormChan::ShowProperties()
{
    UpdateGuard guard(*this);
    CheckBoxActive->setChecked(m_work.active);
    CheckBoxScan->setChecked(m_work.scan);
    CheckBoxScrambler->setChecked(m_work.scrambler);
    CheckBoxTxLimit->setChecked(m_work.tx_limit);
    CheckBoxTxBusy->setChecked(m_work.tx_busy);
}

void TFormChan::ShowSquelch()
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    m_work.squelch = std::clamp(m_work.squelch, 1, kSquelchLevels);
    const bool common = m_painter && m_painter->CommonSquelch;
    ComboBoxSquelch->setEnabled(!common);
    ImageCommonSquelch->setVisible(common);
    LabelCommonSquelch->setVisible(common);
    const int level = common ? std::clamp(m_painter->CommonSquelchLevel, 1, kSquelchLevels) : m_work.squelch;
    ComboBoxSquelch->setCurrentIndex(level - 1);
}

void TFormChan::ShowPower(bool loadMode)
{
    EnsureBuilt();
    UpdateGuard guard(*this);
    auto isLevel = [](std::int32_t l) { return l >= 0 && l < kPowerLevels; };
    if (loadMode) {
        if (!isLevel(m_work.tx_power_low))
            m_work.tx_power_low = 0;
        if (!isLevel(m_work.tx_power_high))
            m_work.tx_power_high = kPowerLevels - 1;
    }
    if (m_work.tx_power_high < m_work.tx_power_low)
        std::swap(m_work.tx_power_low, m_work.tx_power_high);
    // A common power is only displayed: the channel keeps its own levels.
    const bool common = m_painter && m_painter->CommonTxPower;
    ComboBoxPowerMin->setEnabled(!common);
    ComboBoxPowerMax->setEnabled(!common);
    ImageCommonTxPower->setVisible(common);
    LabelCommonTxPower->setVisible(common);
    if (common) {
        ComboBoxPowerMin->setCurrentIndex(0);
        ComboBoxPowerMax->setCurrentIndex(std::clamp(m_painter->CommonTxPowerLevel, 0, kPowerLevels - 1));
    } else {
        ComboBoxPowerMin->setCurrentIndex(m_work.tx_power_low);
        ComboBoxPowerMax->setCurrentIndex(m_work.tx_power_high);
    }
}

// --- buttons -----------------------------------------------------------------

void TFormChan::Navigate(int step)
{
    const Qt::KeyboardModifiers modifiers = std::exchange(m_navModifiers, Qt::NoModifier);
    if (!IsChannelNumber(m_channelIndex + step))
        return;
    CommitChannel(m_channelIndex);
    m_channelIndex += step;
    if (modifiers & Qt::ShiftModifier) {
        CommitChannel(m_channelIndex);
        // A switched-off copy was reset by the commit; show what was written.
        if (!CheckBoxFreqRx->isChecked() && !CheckBoxFreqTx->isChecked())
            ShowAll();
    } else {
        LoadChannel(m_channelIndex);
    }
    if (m_selectRow)
        m_selectRow(m_channelIndex + 1);
    if (m_channelIndex <= kFirstChannel) {
        m_channelIndex = kFirstChannel;
        ButtonPrev->setEnabled(false);
    } else if (m_channelIndex < kLastChannel) {
        ButtonPrev->setEnabled(true);
        ButtonNext->setEnabled(true);
    } else {
        m_channelIndex = kLastChannel;
        ButtonNext->setEnabled(false);
    }
}

void TFormChan::ButtonEraseClick()
{
    SwitchOff(m_work);
    ShowAll();
}

void TFormChan::ButtonLoadClick()
{
    if (!IsChannelNumber(m_loadIndex))
        return;
    LoadChannel(m_loadIndex);
    EditChannelLoad->setFocus();
}

void TFormChan::ButtonSaveClick()
{
    if (!IsChannelNumber(m_saveIndex))
        return;
    CommitChannel(m_saveIndex);
    if (!CheckBoxFreqRx->isChecked() && !CheckBoxFreqTx->isChecked())
        ShowAll();
    EditChannelSave->setFocus();
}

void TFormChan::ButtonOKClick()
{
    CommitChannel(m_channelIndex);
    accept();
}

void TFormChan::EditChannelLoadChange()
{
    if (Busy())
        return;
    m_loadIndex = ReadChannelNumber(EditChannelLoad->text());
    ShowCopyControls();
}

void TFormChan::EditChannelSaveChange()
{
    if (Busy())
        return;
    m_saveIndex = ReadChannelNumber(EditChannelSave->text());
    ShowCopyControls();
}

// --- the mouse wheel -----------------------------------------------------------

void TFormChan::WheelOnFrequency(bool receive, Qt::KeyboardModifiers modifiers, int delta)
{
    if (!m_channelTable)
        return;
    std::int32_t &f = receive ? m_work.freq_rx : m_work.freq_tx;
    const std::int32_t stepped = StepFrequency(modifiers, delta, receive ? m_work.band_rx : m_work.band_tx, f);
    std::uint32_t snapped = std::uint32_t(std::max(stepped, 0));
    const int direction = delta >= 0 ? 1 : -1;
    if (receive)
        m_channelTable->SnapRx(snapped, direction);
    else
        m_channelTable->SnapTx(snapped, direction);
    f = std::int32_t(snapped);
    // Reclassifies and recolours both fields.
    ShowFrequencies(false);
    (receive ? MaskEditFreqRx : MaskEditFreqTx)->deselect();
}

void TFormChan::WheelOnChannelNumber(bool load, Qt::KeyboardModifiers modifiers, int delta)
{
    int &index = load ? m_loadIndex : m_saveIndex;
    index = StepChannelNumber(modifiers, delta, index);
    ShowCopyControls();
}

bool TFormChan::HandleWheel(const QPoint &globalPos, Qt::KeyboardModifiers modifiers, int delta)
{
    const std::array<QWidget *, 4> targets{MaskEditFreqRx, MaskEditFreqTx, EditChannelLoad, EditChannelSave};
    int target = -1;
    for (int i = 0; i < int(targets.size()) && target < 0; ++i) {
        QWidget *w = targets[std::size_t(i)];
        if (w->isVisible() && w->rect().contains(w->mapFromGlobal(globalPos))) {
            // A disabled field under the pointer cannot take the focus, and a
            // step there would change a value nobody sees; nor may the turn go
            // to the focused field elsewhere.
            if (!w->isEnabled())
                return true;
            target = i;
            w->setFocus(Qt::MouseFocusReason);
        }
    }
    for (int i = 0; i < int(targets.size()) && target < 0; ++i) {
        if (targets[std::size_t(i)]->hasFocus())
            target = i;
    }
    if (target < 0)
        return true;

    // One step per notch; high-resolution wheels send parts of a notch.
    if ((m_wheelRest < 0) != (delta < 0))
        m_wheelRest = 0;
    m_wheelRest += delta;
    while (std::abs(m_wheelRest) >= WheelNotch) {
        const int notch = m_wheelRest > 0 ? WheelNotch : -WheelNotch;
        m_wheelRest -= notch;
        if (target < 2)
            WheelOnFrequency(target == 0, modifiers, notch);
        else
            WheelOnChannelNumber(target == 2, modifiers, notch);
    }
    return true;
}

void TFormChan::wheelEvent(QWheelEvent *event)
{
    EnsureBuilt();
    const QPoint d = event->angleDelta();
    HandleWheel(event->globalPosition().toPoint(), event->modifiers(), d.y() != 0 ? d.y() : d.x());
    event->accept();
}

bool TFormChan::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && (watched == EditChannelLoad || watched == EditChannelSave)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !static_cast<QLineEdit *>(watched)->text().isEmpty()) {
            // Enter after a channel number means that channel: as OK it would
            // close the dialog with the copy not made.
            QPushButton *button = watched == EditChannelLoad ? ButtonLoad : ButtonSave;
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint d = wheel->angleDelta();
        HandleWheel(wheel->globalPosition().toPoint(), wheel->modifiers(), d.y() != 0 ? d.y() : d.x());
        return true;
    }
    // A button clicks on a mouse or Space release, or on an Enter press; every
    // press and release is recorded so that a Shift let go before that press
    // (after Shift+Tab onto the button) does not count.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == ButtonPrev || watched == ButtonNext)
            m_navModifiers = static_cast<QInputEvent *>(event)->modifiers();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
