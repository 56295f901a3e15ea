// The channel editor's controls: built once, on first use, in the layout of
// the dialog, with their names, hints and tab order.

#include "ui/editor/formchannel.h"

#include "ui/app/accessibility.h"
#include "ui/editor/formchannel_parts.h"
#include "ui/editor/frequencyfield.h"
#include "ui/grid/cellpainter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace formchannel;

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
    // Receive controls on row 0, the link centred below them, transmit on row 2.
    auto placePair = [](QGridLayout *grid, QList<QWidget *> rx, QToolButton *link, QList<QWidget *> tx) {
        for (int i = 0; i < rx.size(); ++i) {
            grid->addWidget(rx[i], 0, 1 + i);
            grid->addWidget(tx[i], 2, 1 + i);
        }
        grid->addWidget(link, 1, 1, 1, int(rx.size()), Qt::AlignHCenter);
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
    placePair(band, {ComboBoxBandRx}, ButtonBandEqual, {ComboBoxBandTx});

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
    placePair(freq, {CheckBoxFreqRx, MaskEditFreqRx}, ButtonFreqEqual, {CheckBoxFreqTx, MaskEditFreqTx});

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
    placePair(subtone, {ComboBoxSubtoneTypeRx, ComboBoxSubtoneRx}, ButtonSubtoneEqual,
              {ComboBoxSubtoneTypeTx, ComboBoxSubtoneTx});

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
    placePair(tone, {CheckBoxToneRx, MaskEditToneRx}, ButtonToneEqual, {CheckBoxToneTx, MaskEditToneTx});

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
