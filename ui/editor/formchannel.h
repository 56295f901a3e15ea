// The channel editor dialog: one channel's working copy and its controls.
#pragma once

#include "model/channel.h"
#include "ui/editor/channelentry.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class CellPainter;
class ChannelsContext;
class FrequencyField;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The channel editor: edits a working copy of one channel and writes it back
// on OK, previous/next and save-to-channel. Entries are checked as they are
// typed; an invalid one blocks every button that commits.
class TFormChan : public QDialog
{
    Q_OBJECT
public:
    explicit TFormChan(QWidget *parent = nullptr);
    ~TFormChan() override;

    // Set by the main window before each showing; opens `channelIndex` (power
    // lists from powerWatts, the first and last channel disable their
    // navigation button) so the dialog is ready when it is shown. `selectRow`
    // moves the main window's grid to a row (channel + 1) and repaints it.
    void Prepare(ChannelsContext *channelTable, const CellPainter *painter, int channelIndex,
                 std::function<void(int row)> selectRow);

    int channelIndex() const { return m_channelIndex; }

    // Builds the controls unless that has been done. The editor is created
    // with the main window, but its controls are built on first use (or once
    // the main window has been painted), not while the user waits for the
    // program to start: the control pointers below are null until then, and
    // every function that shows, reads or checks the controls builds them first.
    void EnsureBuilt();
    // Showing builds them too.
    void setVisible(bool visible) override;

    // Watt values of power levels 0-3; the main window copies the radio's.
    std::array<std::int32_t, 4> powerWatts{5, 10, 20, 40};

    // Channel `index` into the working copy and the controls; false outside 0..99.
    bool LoadChannel(int index);
    // The normalised working copy into channel `index`; false outside 0..99.
    bool CommitChannel(int index);
    // The entry gate: false while an enabled entry is invalid.
    bool CheckEntries();
    void ShowCopyControls();
    void ShowSquelch();
    void ShowPower(bool loadMode);
    void ShowBands(bool loadMode);
    void ShowFrequencies(bool loadMode);
    void ShowSubtones(bool loadMode);
    void ShowTones(bool loadMode);

    const Channel &work() const { return m_work; }
    EntryClass rxClass() const { return m_rxClass; }
    EntryClass txClass() const { return m_txClass; }
    EntryClass toneRxClass() const { return m_toneRxClass; }
    EntryClass toneTxClass() const { return m_toneTxClass; }
    bool bandLinked() const { return m_bandLinked; }
    bool freqLinked() const { return m_freqLinked; }
    bool subtoneLinked() const { return m_subtoneLinked; }
    bool toneLinked() const { return m_toneLinked; }
    bool entriesValid() const { return m_entriesValid; }
    int loadIndex() const { return m_loadIndex; }
    int saveIndex() const { return m_saveIndex; }

    // The controls, named by type and role.
    QComboBox *ComboBoxBandRx = nullptr;
    QComboBox *ComboBoxBandTx = nullptr;
    QToolButton *ButtonBandEqual = nullptr;
    QCheckBox *CheckBoxFreqRx = nullptr;
    FrequencyField *MaskEditFreqRx = nullptr;
    QToolButton *ButtonFreqEqual = nullptr;
    QCheckBox *CheckBoxFreqTx = nullptr;
    FrequencyField *MaskEditFreqTx = nullptr;
    QComboBox *ComboBoxSubtoneTypeRx = nullptr;
    QComboBox *ComboBoxSubtoneRx = nullptr;
    QToolButton *ButtonSubtoneEqual = nullptr;
    QComboBox *ComboBoxSubtoneTypeTx = nullptr;
    QComboBox *ComboBoxSubtoneTx = nullptr;
    QCheckBox *CheckBoxToneRx = nullptr;
    QLineEdit *MaskEditToneRx = nullptr;
    QToolButton *ButtonToneEqual = nullptr;
    QCheckBox *CheckBoxToneTx = nullptr;
    QLineEdit *MaskEditToneTx = nullptr;
    QComboBox *ComboBoxSquelch = nullptr;
    QLabel *LabelCommonSquelch = nullptr;
    QLabel *ImageCommonSquelch = nullptr;
    QComboBox *ComboBoxPowerMin = nullptr;
    QComboBox *ComboBoxPowerMax = nullptr;
    QLabel *LabelCommonTxPower = nullptr;
    QLabel *ImageCommonTxPower = nullptr;
    QCheckBox *CheckBoxActive = nullptr;
    QCheckBox *CheckBoxScan = nullptr;
    QCheckBox *CheckBoxScrambler = nullptr;
    QCheckBox *CheckBoxTxLimit = nullptr;
    QCheckBox *CheckBoxTxBusy = nullptr;
    QPushButton *ButtonPrev = nullptr;
    QPushButton *ButtonNext = nullptr;
    QPushButton *ButtonLoad = nullptr;
    QLineEdit *EditChannelLoad = nullptr;
    QPushButton *ButtonSave = nullptr;
    QLineEdit *EditChannelSave = nullptr;
    QPushButton *ButtonErase = nullptr;
    QPushButton *ButtonOK = nullptr;
    QPushButton *ButtonCancel = nullptr;
    QLabel *ImageWarning = nullptr;
    QLineEdit *EditWarning = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Raises updateDepth for the life of a refresh.
    class UpdateGuard;

    void BuildControls();
    void SetCaption();
    void ShowAll();
    void ShowProperties();
    void ShowLinkPicture(QToolButton *button, bool linked);
    void ColourField(QLineEdit *field, EntryClass entryClass);
    // The field's tip, with why it is red or yellow when `coloured`.
    void ShowEntryTip(QLineEdit *field, bool coloured);
    void ColourFrequencyFields();
    void ShowSubtoneSide(QComboBox *kindList, QComboBox *valueList, std::int32_t code, bool valueEnabled);
    void ShowToneField(QLineEdit *field, bool ticked, std::int32_t tone, bool enabled);
    void WheelOnFrequency(bool receive, Qt::KeyboardModifiers modifiers, int delta);
    void WheelOnChannelNumber(bool load, Qt::KeyboardModifiers modifiers, int delta);
    bool HandleWheel(const QPoint &globalPos, Qt::KeyboardModifiers modifiers, int delta);
    void Navigate(int step);
    bool Busy() const { return m_updateDepth > 0; }

    EntryClass ClassifyRxNow(std::int32_t f) const;
    EntryClass ClassifyTxNow(std::int32_t f) const;
    int DigitsRx() const;
    int DigitsTx() const;

    // Handlers.
    void ComboBoxBandRxChange(int item);
    void ComboBoxBandTxChange(int item);
    void ButtonBandEqualClick();
    void CheckBoxFreqRxClick();
    void CheckBoxFreqTxClick();
    void MaskEditFreqRxChange();
    void MaskEditFreqTxChange();
    void ButtonFreqEqualClick();
    void ComboBoxSubtoneTypeChange(bool receive, int item);
    void ComboBoxSubtoneChange(bool receive, int item);
    void ButtonSubtoneEqualClick();
    void CheckBoxToneClick(bool receive);
    void MaskEditToneChange(bool receive);
    void ButtonToneEqualClick();
    void ComboBoxSquelchChange(int item);
    void ComboBoxPowerMinChange(int item);
    void ComboBoxPowerMaxChange(int item);
    void ButtonEraseClick();
    void ButtonLoadClick();
    void ButtonSaveClick();
    void ButtonOKClick();
    void EditChannelLoadChange();
    void EditChannelSaveChange();

    ChannelsContext *m_channelTable = nullptr;
    const CellPainter *m_painter = nullptr;
    int m_channelIndex = 0;
    std::function<void(int)> m_selectRow;

    Channel m_work;
    EntryClass m_rxClass = EntryClass::Invalid;
    EntryClass m_txClass = EntryClass::Invalid;
    EntryClass m_toneRxClass = EntryClass::Invalid;
    EntryClass m_toneTxClass = EntryClass::Invalid;
    bool m_bandLinked = false;
    bool m_freqLinked = false;
    bool m_subtoneLinked = false;
    bool m_toneLinked = false;
    bool m_entriesValid = false;
    int m_updateDepth = 0;
    int m_loadIndex = -1;
    int m_saveIndex = -1;
    // Modifier keys of the last input event on a navigation button.
    Qt::KeyboardModifiers m_navModifiers;
    // Wheel turn not yet a whole notch (high-resolution wheels).
    int m_wheelRest = 0;
    bool m_built = false;
};
