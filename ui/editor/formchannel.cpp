#include "ui/editor/formchannel.h"

#include "model/channelscontext.h"
#include "model/subtones.h"
#include "ui/app/accessibility.h"
#include "ui/grid/cellpainter.h"
#include "ui/editor/frequencyfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kClientWidth = 874;
constexpr int kClientHeight = 405;
constexpr int kFirstChannel = 0;
constexpr int kLastChannel = 99;
constexpr int kPowerLevels = 4;
constexpr int kSquelchLevels = 8;
constexpr QSize kPictureSize(24, 24);
constexpr QSize kMarkerSize(16, 16);
// The tip an entry field shows while it is valid.
constexpr const char *kHintProperty = "kdHint";

QLabel *Picture(const char *resource, QSize size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QIcon(QString::fromLatin1(resource)).pixmap(size));
    label->setFixedSize(size);
    return label;
}

QToolButton *LinkButton(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIconSize(kPictureSize);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Rewriting an unchanged text would move the cursor while the user types.
void SetText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

class TFormChan::UpdateGuard
{
public:
    explicit UpdateGuard(TFormChan &form) : m_form(form) { ++m_form.m_updateDepth; }
    ~UpdateGuard() { --m_form.m_updateDepth; }
    UpdateGuard(const UpdateGuard &) = delete;
    UpdateGuard &operator=(const UpdateGuard &) = delete;

private:
    TFormChan &m_form;
};

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

void TFormChan::BuildControls()
{
    // The entry fields add to their tip why they are red or yellow.
    auto hint = [](QWidget *w, const QString &text) {
        w->setToolTip(text);
        w->setProperty(kHintProperty, text);
    };

    // The four receive/transmit pairs: receive row, link button, transmit row.
    auto pairGroup = [this](const QString &title, QGroupBox *&box) {
        box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(8, 6, 8, 6);
        grid->setVerticalSpacing(2);
        QLabel *rx = Picture(":/editor_rx.svg", kPictureSize, box);
        QLabel *tx = Picture(":/editor_tx.svg", kPictureSize, box);
        rx->setAccessibleName(tr("Прием"));
        tx->setAccessibleName(tr("Передача"));
        grid->addWidget(rx, 0, 0);
        grid->addWidget(tx, 2, 0);
        return grid;
    };
    auto linkRow = [](QGridLayout *grid, QToolButton *button, int columns) {
        grid->addWidget(button, 1, 1, 1, columns, Qt::AlignHCenter);
    };

    QGroupBox *bandBox = nullptr;
    QGridLayout *band = pairGroup(tr("Полоса"), bandBox);
    ComboBoxBandRx = new QComboBox(bandBox);
    ComboBoxBandTx = new QComboBox(bandBox);
    for (QComboBox *c : {ComboBoxBandRx, ComboBoxBandTx})
        c->addItems({tr("12,5 кГц"), tr("25,0 кГц")});
    hint(ComboBoxBandRx, tr("Полоса приема"));
    hint(ComboBoxBandTx, tr("Полоса передачи"));
    ButtonBandEqual = LinkButton(bandBox);
    band->addWidget(ComboBoxBandRx, 0, 1);
    linkRow(band, ButtonBandEqual, 1);
    band->addWidget(ComboBoxBandTx, 2, 1);

    QGroupBox *freqBox = nullptr;
    QGridLayout *freq = pairGroup(tr("Рабочая частота (Гц)"), freqBox);
    CheckBoxFreqRx = new QCheckBox(freqBox);
    CheckBoxFreqTx = new QCheckBox(freqBox);
    MaskEditFreqRx = new FrequencyField(freqBox);
    MaskEditFreqTx = new FrequencyField(freqBox);
    hint(CheckBoxFreqRx, tr("Разрешить прием на канале"));
    hint(CheckBoxFreqTx, tr("Разрешить передачу на канале"));
    hint(MaskEditFreqRx, tr("Частота приема"));
    hint(MaskEditFreqTx, tr("Частота передачи"));
    for (FrequencyField *f : {MaskEditFreqRx, MaskEditFreqTx})
        f->setMinimumWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000")) + 24);
    ButtonFreqEqual = LinkButton(freqBox);
    freq->addWidget(CheckBoxFreqRx, 0, 1);
    freq->addWidget(MaskEditFreqRx, 0, 2);
    linkRow(freq, ButtonFreqEqual, 2);
    freq->addWidget(CheckBoxFreqTx, 2, 1);
    freq->addWidget(MaskEditFreqTx, 2, 2);

    QGroupBox *subtoneBox = nullptr;
    QGridLayout *subtone = pairGroup(tr("Субтон"), subtoneBox);
    ComboBoxSubtoneTypeRx = new QComboBox(subtoneBox);
    ComboBoxSubtoneTypeTx = new QComboBox(subtoneBox);
    // In kind order: none, CTCSS, DCS.
    for (QComboBox *c : {ComboBoxSubtoneTypeRx, ComboBoxSubtoneTypeTx})
        c->addItems({tr("(нет)"), tr("CTCSS"), tr("DCS")});
    ComboBoxSubtoneRx = new QComboBox(subtoneBox);
    ComboBoxSubtoneTx = new QComboBox(subtoneBox);
    for (QComboBox *c : {ComboBoxSubtoneRx, ComboBoxSubtoneTx}) {
        c->setMinimumContentsLength(8);
        c->setMaxVisibleItems(16);
    }
    hint(ComboBoxSubtoneTypeRx, tr("Вид субтона приема"));
    hint(ComboBoxSubtoneTypeTx, tr("Вид субтона передачи"));
    hint(ComboBoxSubtoneRx, tr("Субтон приема"));
    hint(ComboBoxSubtoneTx, tr("Субтон передачи"));
    ButtonSubtoneEqual = LinkButton(subtoneBox);
    subtone->addWidget(ComboBoxSubtoneTypeRx, 0, 1);
    subtone->addWidget(ComboBoxSubtoneRx, 0, 2);
    linkRow(subtone, ButtonSubtoneEqual, 2);
    subtone->addWidget(ComboBoxSubtoneTypeTx, 2, 1);
    subtone->addWidget(ComboBoxSubtoneTx, 2, 2);

    QGroupBox *toneBox = nullptr;
    QGridLayout *tone = pairGroup(tr("Вызывной тон (Гц)"), toneBox);
    CheckBoxToneRx = new QCheckBox(toneBox);
    CheckBoxToneTx = new QCheckBox(toneBox);
    MaskEditToneRx = new QLineEdit(toneBox);
    MaskEditToneTx = new QLineEdit(toneBox);
    hint(CheckBoxToneRx, tr("Разрешить детектор вызывного тона при приеме"));
    hint(CheckBoxToneTx, tr("Разрешить передачу вызывного тона"));
    hint(MaskEditToneRx, tr("Вызывной тон приема"));
    hint(MaskEditToneTx, tr("Вызывной тон передачи"));
    for (QLineEdit *e : {MaskEditToneRx, MaskEditToneTx}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    }
    ButtonToneEqual = LinkButton(toneBox);
    tone->addWidget(CheckBoxToneRx, 0, 1);
    tone->addWidget(MaskEditToneRx, 0, 2);
    linkRow(tone, ButtonToneEqual, 2);
    tone->addWidget(CheckBoxToneTx, 2, 1);
    tone->addWidget(MaskEditToneTx, 2, 2);

    // Squelch and power: a common value from the settings page replaces the lists.
    auto commonMarker = [this](QWidget *parent, QLabel *&image, QLabel *&label) {
        image = Picture(":/editor_settings.svg", kMarkerSize, parent);
        label = new QLabel(tr("см. Настройки"), parent);
        image->hide();
        label->hide();
        auto *row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(image);
        row->addWidget(label);
        row->addStretch();
        return row;
    };
    auto *squelchBox = new QGroupBox(tr("Порог ШП"), this);
    auto *squelch = new QVBoxLayout(squelchBox);
    ComboBoxSquelch = new QComboBox(squelchBox);
    for (int level = 1; level <= kSquelchLevels; ++level)
        ComboBoxSquelch->addItem(tr("L%1").arg(level));
    squelch->addWidget(ComboBoxSquelch);
    squelch->addLayout(commonMarker(squelchBox, ImageCommonSquelch, LabelCommonSquelch));
    squelch->addStretch();

    auto *powerBox = new QGroupBox(tr("Мощность передатчика"), this);
    auto *power = new QGridLayout(powerBox);
    ComboBoxPowerMin = new QComboBox(powerBox);
    ComboBoxPowerMax = new QComboBox(powerBox);
    power->addWidget(LabelFor(tr("Мин:"), ComboBoxPowerMin), 0, 0);
    power->addWidget(ComboBoxPowerMin, 0, 1);
    power->addWidget(LabelFor(tr("Макс:"), ComboBoxPowerMax), 1, 0);
    power->addWidget(ComboBoxPowerMax, 1, 1);
    power->addLayout(commonMarker(powerBox, ImageCommonTxPower, LabelCommonTxPower), 2, 0, 1, 2);
    power->setRowStretch(3, 1);

    auto *propertyBox = new QGroupBox(this);
    auto *properties = new QVBoxLayout(propertyBox);
    properties->setSpacing(3);
    CheckBoxActive = new QCheckBox(tr("Рабочий канал"), propertyBox);
    CheckBoxScan = new QCheckBox(tr("Сканируемый канал"), propertyBox);
    CheckBoxScrambler = new QCheckBox(tr("УПР (Устройство преобразования речи)"), propertyBox);
    CheckBoxTxLimit = new QCheckBox(tr("Время передачи ограничено"), propertyBox);
    CheckBoxTxBusy = new QCheckBox(tr("Передача на занятом канале разрешена"), propertyBox);
    for (QCheckBox *c : {CheckBoxActive, CheckBoxScan, CheckBoxScrambler, CheckBoxTxLimit, CheckBoxTxBusy})
        properties->addWidget(c);
    properties->addStretch();

    auto *copyBox = new QGroupBox(this);
    auto *copy = new QGridLayout(copyBox);
    ButtonLoad = new QPushButton(tr("Загрузить из канала"), copyBox);
    ButtonSave = new QPushButton(tr("Сохранить в канал"), copyBox);
    EditChannelLoad = new QLineEdit(copyBox);
    EditChannelSave = new QLineEdit(copyBox);
    ButtonErase = new QPushButton(tr("Удалить канал"), copyBox);
    hint(ButtonLoad, tr("Загрузить копию из канала номер ..."));
    hint(ButtonSave, tr("Сохранить копию в канал номер ..."));
    hint(EditChannelLoad, tr("Номер канала для загрузки копии"));
    hint(EditChannelSave, tr("Номер канала для сохранения копии"));
    hint(ButtonErase, tr("Очистить содержимое канала"));
    for (QLineEdit *e : {EditChannelLoad, EditChannelSave}) {
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        e->setAlignment(Qt::AlignCenter);
    }
    copy->addWidget(ButtonLoad, 0, 0);
    copy->addWidget(EditChannelLoad, 0, 1);
    copy->addWidget(ButtonSave, 1, 0);
    copy->addWidget(EditChannelSave, 1, 1);
    copy->addWidget(ButtonErase, 2, 0, 1, 2);
    copy->setRowStretch(3, 1);

    ImageWarning = Picture(":/editor_warning.svg", kPictureSize, this);
    EditWarning = new QLineEdit(this);
    EditWarning->setReadOnly(true);
    EditWarning->setFocusPolicy(Qt::NoFocus);
    for (QWidget *w : std::initializer_list<QWidget *>{ImageWarning, EditWarning}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
        w->hide();
    }

    ButtonPrev = new QPushButton(tr("Предыдущий канал"), this);
    ButtonNext = new QPushButton(tr("Следующий канал"), this);
    hint(ButtonPrev, tr("Сохранить и перейти к предыдущему каналу"));
    hint(ButtonNext, tr("Сохранить и перейти к следующему каналу"));
    ButtonOK = new QPushButton(tr("OK"), this);
    ButtonCancel = new QPushButton(tr("Cancel"), this);
    ButtonOK->setDefault(true);

    auto *pairs = new QHBoxLayout;
    for (QGroupBox *b : {bandBox, freqBox, subtoneBox, toneBox})
        pairs->addWidget(b);
    pairs->setStretch(1, 1);
    pairs->setStretch(2, 1);

    auto *levels = new QVBoxLayout;
    levels->addWidget(squelchBox);
    levels->addWidget(powerBox);
    auto *middle = new QHBoxLayout;
    middle->addLayout(levels);
    middle->addWidget(propertyBox, 1);
    middle->addWidget(copyBox);

    auto *warning = new QHBoxLayout;
    warning->addWidget(ImageWarning);
    warning->addWidget(EditWarning, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonPrev);
    buttons->addWidget(ButtonNext);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);

    auto *top = new QVBoxLayout(this);
    top->addLayout(pairs);
    top->addLayout(middle, 1);
    top->addLayout(warning);
    top->addLayout(buttons);

    connect(ComboBoxBandRx, &QComboBox::currentIndexChanged, this, &TFormChan::ComboBoxBandRxChange);
    connect(ComboBoxBandTx, &QComboBox::currentIndexChanged, this, &TFormChan::ComboBoxBandTxChange);
    connect(ButtonBandEqual, &QToolButton::clicked, this, &TFormChan::ButtonBandEqualClick);
    connect(CheckBoxFreqRx, &QCheckBox::clicked, this, &TFormChan::CheckBoxFreqRxClick);
    connect(CheckBoxFreqTx, &QCheckBox::clicked, this, &TFormChan::CheckBoxFreqTxClick);
    connect(MaskEditFreqRx, &QLineEdit::textEdited, this, &TFormChan::MaskEditFreqRxChange);
    connect(MaskEditFreqTx, &QLineEdit::textEdited, this, &TFormChan::MaskEditFreqTxChange);
    connect(ButtonFreqEqual, &QToolButton::clicked, this, &TFormChan::ButtonFreqEqualClick);
    connect(ComboBoxSubtoneTypeRx, &QComboBox::currentIndexChanged, this,
            [this](int item) { ComboBoxSubtoneTypeChange(true, item); });
    connect(ComboBoxSubtoneTypeTx, &QComboBox::currentIndexChanged, this,
            [this](int item) { ComboBoxSubtoneTypeChange(false, item); });
    connect(ComboBoxSubtoneRx, &QComboBox::currentIndexChanged, this,
            [this](int item) { ComboBoxSubtoneChange(true, item); });
    connect(ComboBoxSubtoneTx, &QComboBox::currentIndexChanged, this,
            [this](int item) { ComboBoxSubtoneChange(false, item); });
    connect(ButtonSubtoneEqual, &QToolButton::clicked, this, &TFormChan::ButtonSubtoneEqualClick);
    connect(CheckBoxToneRx, &QCheckBox::clicked, this, [this] { CheckBoxToneClick(true); });
    connect(CheckBoxToneTx, &QCheckBox::clicked, this, [this] { CheckBoxToneClick(false); });
    connect(MaskEditToneRx, &QLineEdit::textEdited, this, [this] { MaskEditToneChange(true); });
    connect(MaskEditToneTx, &QLineEdit::textEdited, this, [this] { MaskEditToneChange(false); });
    connect(ButtonToneEqual, &QToolButton::clicked, this, &TFormChan::ButtonToneEqualClick);
    // Only a user's choice counts: selecting an item from the model must never
    // write the common squelch or power into the channel.
    connect(ComboBoxSquelch, &QComboBox::activated, this, &TFormChan::ComboBoxSquelchChange);
    connect(ComboBoxPowerMin, &QComboBox::activated, this, &TFormChan::ComboBoxPowerMinChange);
    connect(ComboBoxPowerMax, &QComboBox::activated, this, &TFormChan::ComboBoxPowerMaxChange);
    connect(CheckBoxActive, &QCheckBox::clicked, this, [this](bool on) { m_work.active = on; });
    connect(CheckBoxScan, &QCheckBox::clicked, this, [this](bool on) { m_work.scan = on; });
    connect(CheckBoxScrambler, &QCheckBox::clicked, this, [this](bool on) { m_work.scrambler = on; });
    connect(CheckBoxTxLimit, &QCheckBox::clicked, this, [this](bool on) { m_work.tx_limit = on; });
    connect(CheckBoxTxBusy, &QCheckBox::clicked, this, [this](bool on) { m_work.tx_busy = on; });
    connect(ButtonPrev, &QPushButton::clicked, this, [this] { Navigate(-1); });
    connect(ButtonNext, &QPushButton::clicked, this, [this] { Navigate(+1); });
    connect(ButtonErase, &QPushButton::clicked, this, &TFormChan::ButtonEraseClick);
    connect(ButtonLoad, &QPushButton::clicked, this, &TFormChan::ButtonLoadClick);
    connect(ButtonSave, &QPushButton::clicked, this, &TFormChan::ButtonSaveClick);
    connect(EditChannelLoad, &QLineEdit::textEdited, this, &TFormChan::EditChannelLoadChange);
    connect(EditChannelSave, &QLineEdit::textEdited, this, &TFormChan::EditChannelSaveChange);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormChan::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowLinkPicture(ButtonBandEqual, false);
    ShowLinkPicture(ButtonFreqEqual, false);
    ShowLinkPicture(ButtonSubtoneEqual, false);
    ShowLinkPicture(ButtonToneEqual, false);
    // Controls without a caption of their own are named for screen readers by
    // their hint, the link buttons by what they link. (On Linux Qt names a
    // combo box by its current item; the hint, its description, then tells
    // which list it is.)
    for (QWidget *w : std::initializer_list<QWidget *>{
             ComboBoxBandRx, ComboBoxBandTx, CheckBoxFreqRx, CheckBoxFreqTx, MaskEditFreqRx, MaskEditFreqTx,
             ComboBoxSubtoneTypeRx, ComboBoxSubtoneTypeTx, ComboBoxSubtoneRx, ComboBoxSubtoneTx, CheckBoxToneRx,
             CheckBoxToneTx, MaskEditToneRx, MaskEditToneTx, EditChannelLoad, EditChannelSave})
        w->setAccessibleName(w->toolTip());
    ButtonBandEqual->setAccessibleName(tr("Одинаковая полоса приема и передачи"));
    ButtonFreqEqual->setAccessibleName(tr("Одинаковая частота приема и передачи"));
    ButtonSubtoneEqual->setAccessibleName(tr("Одинаковый субтон приема и передачи"));
    ButtonToneEqual->setAccessibleName(tr("Одинаковый вызывной тон приема и передачи"));
    EditWarning->setAccessibleName(tr("Предупреждение"));

    const std::initializer_list<QWidget *> tabOrder{
        ComboBoxBandRx, ButtonBandEqual, ComboBoxBandTx, CheckBoxFreqRx, MaskEditFreqRx, ButtonFreqEqual,
        CheckBoxFreqTx, MaskEditFreqTx, ComboBoxSubtoneTypeRx, ComboBoxSubtoneRx, ButtonSubtoneEqual,
        ComboBoxSubtoneTypeTx, ComboBoxSubtoneTx, CheckBoxToneRx, MaskEditToneRx, ButtonToneEqual, CheckBoxToneTx,
        MaskEditToneTx, ComboBoxSquelch, ComboBoxPowerMin, ComboBoxPowerMax, CheckBoxActive, CheckBoxScan,
        CheckBoxScrambler, CheckBoxTxLimit, CheckBoxTxBusy, ButtonLoad, EditChannelLoad, ButtonSave,
        EditChannelSave, ButtonErase, ButtonPrev, ButtonNext, ButtonOK, ButtonCancel};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        setTabOrder(*it, *(it + 1));
}

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
