// The two settings pages' controls: built on first use, each bound to its
// field of the settings table, with their names, notes and tab order.

#include "ui/settings/settingspages.h"

#include "model/settingscontext.h"
#include "ui/app/accessibility.h"
#include "ui/grid/cellpainter.h"
#include "ui/settings/settingsbindings.h"
#include "ui/settings/settingspages_parts.h"
#include "ui/settings/trackbar.h"
#include "ui/settings/volumediagram.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

using namespace settingspages;

namespace {

QLabel *Note(const QString &text)
{
    auto *label = new QLabel(text);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// A level combo's choice; no choice counts as level 1.
std::int32_t ComboLevel(int index, int count)
{
    return index < 0 ? 1 : std::clamp(index + 1, 1, count);
}

} // namespace

// --- Building -------------------------------------------------------------

void SettingsPages::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    m_lockedIcon = QIcon(QStringLiteral(":/icons/settings/lock_closed.svg"));
    m_unlockedIcon = QIcon(QStringLiteral(":/icons/settings/lock_open.svg"));
    BuildPage1();
    BuildPage2();
    for (SliderBinding *b : m_sliders)
        m_bindings << b;
    for (NumberBinding *b : m_numbers)
        m_bindings << b;
    ShowControls();
}

SliderBinding *SettingsPages::AddSlider(const char *name, Qt::Orientation orientation, int minimum,
                                        int maximum, int tickInterval, std::int32_t &field)
{
    auto *box = new QLineEdit;
    box->setObjectName(Name("Edit", name));
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    auto *bar = new TrackBar(orientation);
    bar->setObjectName(Name("TrackBar", name));
    bar->setRange(minimum, maximum);
    bar->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow : QSlider::TicksRight);
    bar->setTickInterval(tickInterval);
    if (orientation == Qt::Vertical) {
        // Position 0 at the top, as the binding's mirrored rule expects: up means more.
        bar->setInvertedAppearance(true);
        bar->setInvertedControls(true);
    }
    auto *binding = new SliderBinding(box, bar, field, this);
    connect(bar, &QSlider::valueChanged, this, [this, binding] { TrackBarChange(binding); });
    return binding;
}

NumberBinding *SettingsPages::AddNumber(const char *name, const QString &caption, int minimum, int maximum,
                                        std::int32_t &field)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(Name("Edit", name));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    auto *binding = new NumberBinding(edit, field, minimum, maximum, this);
    binding->SetCaption(caption);
    // After the binding's own handler has stored a valid number.
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { Edited(edit); });
    return binding;
}

QComboBox *SettingsPages::AddCombo(const char *name, const QStringList &items)
{
    auto *combo = new QComboBox;
    combo->setObjectName(Name("ComboBox", name));
    // A list takes the focus from a turn of the wheel before any filter sees
    // it, and then changes its setting; only a click or Tab focuses it.
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->addItems(items);
    return combo;
}

QCheckBox *SettingsPages::AddCheck(const char *name, const QString &text, bool &field)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(Name("CheckBox", name));
    connect(box, &QCheckBox::toggled, this, [this, box, &field](bool on) {
        if (!updating())
            field = on;
        Edited(box);
    });
    return box;
}

void SettingsPages::BuildPage1()
{
    SettingsContext &s = m_settings;
    m_sliders[Intensity] = AddSlider("Intensity", Qt::Horizontal, 0, 9, 1, s.Intensity);
    m_sliders[IntensityKeys] = AddSlider("IntensityKeys", Qt::Horizontal, 0, 9, 1, s.IntensityKeys);
    m_sliders[Volume] = AddSlider("Volume", Qt::Horizontal, 0, VolumeDiagram::MaxVolume, 2, s.Volume);
    m_sliders[MinVolume] =
        AddSlider("MinVolume", Qt::Vertical, 0, VolumeDiagram::MaxMinVolume, 1, s.MinVolume);
    m_sliders[BeepMin] =
        AddSlider("BeepMin", Qt::Horizontal, VolumeDiagram::MinBeep, VolumeDiagram::MaxBeep, 2, s.BeepMin);
    m_sliders[BeepMax] =
        AddSlider("BeepMax", Qt::Horizontal, VolumeDiagram::MinBeep, VolumeDiagram::MaxBeep, 2, s.BeepMax);
    m_beepMinBar = static_cast<TrackBar *>(m_sliders[BeepMin]->bar());
    m_beepMaxBar = static_cast<TrackBar *>(m_sliders[BeepMax]->bar());
    // Messages name an edit by its group and label: two are "Длительность паузы".
    auto caption = [](const QString &group, const QString &label) { return group + QStringLiteral(": ") + label; };
    m_numbers[StartChannel] = AddNumber("StartChannel", caption(tr("Канал"), tr("Стартовый")), 0, 99, s.StartChannel);
    m_numbers[SpecChannel] =
        AddNumber("SpecChannel", caption(tr("Канал"), tr("Приоритетный")), 0, 99, s.SpecChannel);
    const QString txLimitGroup = tr("Ограничение времени непрерывной передачи");
    m_numbers[TxLimit] = AddNumber("TxLimit", caption(txLimitGroup, tr("Длительность передачи")), 0, 900, s.TxLimit);
    m_numbers[TxPause] = AddNumber("TxPause", caption(txLimitGroup, tr("Длительность паузы")), 0, 900, s.TxPause);
    m_numbers[ScanPause] =
        AddNumber("ScanPause", caption(tr("Сканирование"), tr("Длительность паузы")), 0, 60, s.ScanPause);
    // A slider's label names its bar and the number box beside it.
    auto sliderLabel = [this](const QString &text, Slider slider) {
        return LabelFor(text, m_sliders[slider]->bar(), m_sliders[slider]->box());
    };

    // Column 1: brightness, channels, transmit time limit, scanning.
    auto *brightness = new QGroupBox(tr("Яркость"));
    auto *bl = new QGridLayout(brightness);
    bl->addWidget(sliderLabel(tr("Индикация"), Intensity), 0, 0);
    bl->addWidget(m_sliders[Intensity]->box(), 0, 1);
    bl->addWidget(m_sliders[Intensity]->bar(), 0, 2);
    bl->addWidget(sliderLabel(tr("Подсветка кнопок"), IntensityKeys), 1, 0);
    bl->addWidget(m_sliders[IntensityKeys]->box(), 1, 1);
    bl->addWidget(m_sliders[IntensityKeys]->bar(), 1, 2);
    bl->setColumnStretch(2, 1);

    auto lockButton = [this](const char *name, bool &field) {
        auto *button = new QToolButton;
        button->setObjectName(QLatin1String(name));
        button->setIconSize(QSize(20, 20));
        connect(button, &QToolButton::clicked, this, [this, button, &field] {
            field = !field;
            ShowLock(button, field);
            Edited(button);
        });
        return button;
    };
    m_startLock = lockButton("ButtonStartChannelLock", s.StartChannelLock);
    m_specLock = lockButton("ButtonSpecChannelLock", s.SpecChannelLock);
    auto *channel = new QGroupBox(tr("Канал"));
    auto *cl = new QGridLayout(channel);
    cl->addWidget(LabelFor(tr("Стартовый"), m_numbers[StartChannel]->edit()), 0, 0);
    cl->addWidget(m_numbers[StartChannel]->edit(), 0, 1);
    cl->addWidget(m_startLock, 0, 2);
    cl->addWidget(LabelFor(tr("Приоритетный"), m_numbers[SpecChannel]->edit()), 1, 0);
    cl->addWidget(m_numbers[SpecChannel]->edit(), 1, 1);
    cl->addWidget(m_specLock, 1, 2);
    cl->addWidget(Note(tr("От 0 до 99")), 2, 0, 1, 3);
    cl->setColumnStretch(3, 1);

    auto *txLimit = new QGroupBox(txLimitGroup);
    auto *tl = new QGridLayout(txLimit);
    tl->addWidget(LabelFor(tr("Длительность передачи"), m_numbers[TxLimit]->edit()), 0, 0);
    tl->addWidget(m_numbers[TxLimit]->edit(), 0, 1);
    tl->addWidget(LabelFor(tr("Длительность паузы"), m_numbers[TxPause]->edit()), 1, 0);
    tl->addWidget(m_numbers[TxPause]->edit(), 1, 1);
    tl->addWidget(Note(tr("От 0 до 900 секунд")), 2, 0, 1, 2);
    tl->setColumnStretch(2, 1);

    auto *scan = new QGroupBox(tr("Сканирование"));
    auto *sl = new QGridLayout(scan);
    sl->addWidget(LabelFor(tr("Длительность паузы"), m_numbers[ScanPause]->edit()), 0, 0);
    sl->addWidget(m_numbers[ScanPause]->edit(), 0, 1);
    sl->addWidget(Note(tr("От 0 до 60 секунд")), 1, 0, 1, 2);
    sl->setColumnStretch(2, 1);

    // Column 2: volumes, key clicks and the diagram.
    m_diagram = new VolumeDiagram(m_settings);
    m_keyBeep = AddCheck("KeyBeep", QString(), s.KeyBeep);
    connect(m_keyBeep, &QCheckBox::toggled, this, &SettingsPages::UpdateBeepShown);
    m_extSpeaker = AddCheck("ExtSpeaker", tr("Включить внешний динамик"), s.ExtSpeaker_On);

    auto *volume = new QGroupBox(tr("Громкость"));
    auto *current = new QHBoxLayout;
    current->addWidget(sliderLabel(tr("Текущий уровень громкости"), Volume));
    current->addWidget(m_sliders[Volume]->box());
    current->addWidget(m_sliders[Volume]->bar(), 1);
    // The minimum volume bar stands beside the diagram's level axis.
    auto *minVolume = new QVBoxLayout;
    minVolume->addWidget(m_sliders[MinVolume]->box(), 0, Qt::AlignHCenter);
    minVolume->addWidget(m_sliders[MinVolume]->bar(), 1, Qt::AlignHCenter);
    auto *diagram = new QHBoxLayout;
    diagram->addLayout(minVolume);
    diagram->addWidget(m_diagram);
    diagram->addStretch(1);
    auto *beepTitle = new QHBoxLayout;
    beepTitle->addWidget(LabelFor(tr("Звук нажатия кнопок"), m_keyBeep));
    beepTitle->addWidget(m_keyBeep);
    beepTitle->addStretch(1);
    auto *beep = new QGridLayout;
    beep->addWidget(sliderLabel(tr("Мин"), BeepMin), 0, 0);
    beep->addWidget(m_sliders[BeepMin]->box(), 0, 1);
    beep->addWidget(m_sliders[BeepMin]->bar(), 0, 2);
    beep->addWidget(sliderLabel(tr("Макс"), BeepMax), 1, 0);
    beep->addWidget(m_sliders[BeepMax]->box(), 1, 1);
    beep->addWidget(m_sliders[BeepMax]->bar(), 1, 2);
    beep->setColumnStretch(2, 1);
    auto *vl = new QVBoxLayout(volume);
    vl->addLayout(current);
    vl->addLayout(diagram);
    vl->addLayout(beepTitle);
    vl->addLayout(beep);
    vl->addWidget(m_extSpeaker);

    // Column 3: transmit power, squelch, the power group of 1.01 and the microphone.
    auto *txCurrent = new QGroupBox(tr("Текущая мощность передачи"));
    auto *xl = new QVBoxLayout(txCurrent);
    m_txMax = new QRadioButton(tr("Максимальная"));
    m_txMax->setObjectName(QStringLiteral("RadioButtonTxMax"));
    m_txMin = new QRadioButton(tr("Минимальная"));
    m_txMin->setObjectName(QStringLiteral("RadioButtonTxMin"));
    xl->addWidget(m_txMax);
    xl->addWidget(m_txMin);
    connect(m_txMax, &QRadioButton::toggled, this, [this](bool on) {
        if (!updating())
            m_settings.TxPower = on;
        Edited(m_txMax);
    });

    m_squelchOn = AddCheck("SquelchOn", tr("Включен"), s.Squelch_On);
    m_squelchAutoVolume = AddCheck("SquelchAutoVolume", tr("Адаптивная громкость"), s.SquelchAutoVol_On);
    m_squelchCommon = AddCombo("SquelchCommon", {tr("Индивидуально по каналам"), tr("Общий на все каналы")});
    static const char *const levelNames[kSquelchLevels] = {
        QT_TR_NOOP("L1"), QT_TR_NOOP("L2"), QT_TR_NOOP("L3"), QT_TR_NOOP("L4"),
        QT_TR_NOOP("L5"), QT_TR_NOOP("L6"), QT_TR_NOOP("L7"), QT_TR_NOOP("L8")};
    QStringList levels;
    for (const char *name : levelNames)
        levels << tr(name);
    m_squelchLevel = AddCombo("SquelchLevel", levels);
    m_digitalDelay = AddCheck("DigitalDelay", tr("Цифровой режим"), s.DigitalDelay);
    auto *squelch = new QGroupBox(tr("Шумоподавитель"));
    auto *ql = new QGridLayout(squelch);
    ql->addWidget(m_squelchOn, 0, 0);
    ql->addWidget(m_digitalDelay, 0, 1);
    ql->addWidget(m_squelchAutoVolume, 1, 0, 1, 2);
    auto *common = new QHBoxLayout;
    common->addWidget(m_squelchCommon);
    common->addWidget(m_squelchLevel);
    common->addStretch(1);
    ql->addLayout(common, 2, 0, 1, 2);
    ql->setColumnStretch(2, 1);
    connect(m_squelchCommon, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating())
            return;
        m_settings.SqlCommon = index > 0;
        m_squelchLevel->setVisible(m_settings.SqlCommon);
        SetPainter(m_painter.CommonTxPower, m_settings.SqlCommon, m_painter.CommonTxPowerLevel,
                   m_painter.CommonSquelchLevel);
        Edited(m_squelchCommon);
    });
    connect(m_squelchLevel, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating())
            return;
        m_settings.Squelch = ComboLevel(index, kSquelchLevels);
        SetPainter(m_painter.CommonTxPower, m_painter.CommonSquelch, m_painter.CommonTxPowerLevel,
                   m_settings.Squelch);
        Edited(m_squelchLevel);
    });

    m_txPowerCommon = AddCombo("TxPowerCommon", {tr("Индивидуально по каналам"), tr("Общая на все каналы")});
    // Replaced by the radio's levels at the first showing of a 1.01 table.
    m_maxTxPower =
        AddCombo("MaxTxPower", {tr("1Вт / 10Вт"), tr("1Вт / 15Вт"), tr("1Вт / 20Вт"), tr("1Вт / 35Вт")});
    m_passwordLabel = new QLabel(tr("Пароль"));
    m_passwordLabel->setObjectName(QStringLiteral("LabelPassword"));
    m_password = new QLineEdit;
    m_password->setObjectName(QStringLiteral("MaskEditPassword"));
    // Five optional digits whose blank positions show as 0.
    m_password->setInputMask(QStringLiteral("00000;0"));
    m_password->setFixedWidth(m_password->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    m_passwordLabel->setBuddy(m_password);
    m_tamp = AddCheck("Tamp", tr("Защита от перегрева передатчика"), s.Tamp);
    m_tamp->setToolTip(tr("Автоматически снижает мощность при перегреве выше 70 градусов"));
    m_txPowerGroup = new QGroupBox(tr("Мощность передатчика"));
    m_txPowerGroup->setObjectName(QStringLiteral("GroupBoxTxPower"));
    auto *pl = new QGridLayout(m_txPowerGroup);
    pl->addWidget(m_txPowerCommon, 0, 0, 1, 2);
    pl->addWidget(m_maxTxPower, 1, 0, 1, 2);
    pl->addWidget(m_passwordLabel, 2, 0);
    pl->addWidget(m_password, 2, 1, Qt::AlignLeft);
    pl->addWidget(m_tamp, 3, 0, 1, 2);
    pl->setColumnStretch(1, 1);
    connect(m_txPowerCommon, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating())
            return;
        m_settings.TxPowerCommon = index > 0;
        m_passwordLabel->setVisible(m_settings.TxPowerCommon);
        m_password->setVisible(m_settings.TxPowerCommon);
        m_maxTxPower->setVisible(m_settings.TxPowerCommon);
        SetPainter(m_settings.TxPowerCommon, m_painter.CommonSquelch, m_painter.CommonTxPowerLevel,
                   m_painter.CommonSquelchLevel);
        Edited(m_txPowerCommon);
    });
    connect(m_maxTxPower, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating())
            return;
        m_settings.MaxTxPower = ComboLevel(index, kPowerLevels);
        SetPainter(m_painter.CommonTxPower, m_painter.CommonSquelch, m_settings.MaxTxPower,
                   m_painter.CommonSquelchLevel);
        Edited(m_maxTxPower);
    });
    connect(m_password, &QLineEdit::textChanged, this, &SettingsPages::PasswordChange);
    m_password->installEventFilter(this);

    m_micAmpGroup = new QGroupBox(tr("Чувствительность микрофона гарнитуры (мВ)"));
    m_micAmpGroup->setObjectName(QStringLiteral("RadioGroupMicAmp"));
    m_micAmp = new QButtonGroup(this);
    auto *ml = new QHBoxLayout(m_micAmpGroup);
    static const char *const gains[] = {QT_TR_NOOP("10.0"), QT_TR_NOOP("5.0"), QT_TR_NOOP("3.2"),
                                        QT_TR_NOOP("2.5")};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(tr(gains[i]));
        button->setObjectName(QStringLiteral("RadioButtonMicAmp%1").arg(i));
        m_micAmp->addButton(button, i);
        ml->addWidget(button);
    }
    connect(m_micAmp, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !updating()) {
            m_settings.MicAmp = id;
            Edited(m_micAmpGroup);
        }
    });

    // Volume on the left; the short groups in the middle; the long ones on the right.
    auto *column1 = new QVBoxLayout;
    column1->addWidget(volume);
    column1->addStretch(1);
    auto *column2 = new QVBoxLayout;
    column2->addWidget(brightness);
    column2->addWidget(channel);
    column2->addWidget(scan);
    column2->addWidget(txCurrent);
    column2->addStretch(1);
    auto *column3 = new QVBoxLayout;
    column3->addWidget(txLimit);
    column3->addWidget(squelch);
    column3->addWidget(m_txPowerGroup);
    column3->addWidget(m_micAmpGroup);
    column3->addStretch(1);
    auto *page = new QHBoxLayout(m_page1);
    page->setContentsMargins(6, 6, 6, 6);
    page->addLayout(column1, 0);
    page->addLayout(column2, 1);
    page->addLayout(column3, 1);

    // Controls without a label of their own are named for screen readers.
    for (QWidget *w : std::initializer_list<QWidget *>{m_sliders[MinVolume]->bar(), m_sliders[MinVolume]->box()})
        w->setAccessibleName(tr("Минимальный уровень громкости"));
    m_startLock->setAccessibleName(tr("Блокировка стартового канала"));
    m_specLock->setAccessibleName(tr("Блокировка приоритетного канала"));
    m_squelchCommon->setAccessibleName(tr("Порог ШП"));
    m_squelchLevel->setAccessibleName(tr("Общий порог ШП"));
    m_txPowerCommon->setAccessibleName(tr("Мощность передатчика"));
    m_maxTxPower->setAccessibleName(tr("Общая мощность передатчика"));
    m_diagram->setAccessibleName(tr("Диаграмма громкости"));

    // Tab goes down each column, the columns from the left.
    QList<QWidget *> order{m_sliders[Volume]->bar(), m_sliders[MinVolume]->bar(), m_keyBeep,
                           m_sliders[BeepMin]->bar(), m_sliders[BeepMax]->bar(), m_extSpeaker,
                           m_sliders[Intensity]->bar(), m_sliders[IntensityKeys]->bar(),
                           m_numbers[StartChannel]->edit(), m_startLock, m_numbers[SpecChannel]->edit(), m_specLock,
                           m_numbers[ScanPause]->edit(), m_txMax, m_txMin, m_numbers[TxLimit]->edit(),
                           m_numbers[TxPause]->edit(), m_squelchOn, m_digitalDelay, m_squelchAutoVolume,
                           m_squelchCommon, m_squelchLevel, m_txPowerCommon, m_maxTxPower, m_password, m_tamp};
    for (QAbstractButton *b : m_micAmp->buttons())
        order << b;
    SetTabOrder(order);
}

void SettingsPages::BuildPage2()
{
    SettingsContext &s = m_settings;
    m_keyLock = AddCheck("KeyLock", tr("Блокировать кнопки панели управления"), s.KeyLock);
    m_txVoiceMonitor =
        AddCheck("TxVoiceMonitor", tr("Прослушивание передаваемого сигнала"), s.TxVoiceMonitor);
    m_deemphasisOff =
        AddCheck("DeemphasisOff", tr("Отключение посткоррекции принимаемого сигнала"), s.DeemphasisOff);

    m_numbers[ID] = AddNumber("ID", tr("Идентификатор станции"), 0, 254, s.ID);
    QLineEdit *id = m_numbers[ID]->edit();
    id->setAlignment(Qt::AlignRight);
    id->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), id));

    m_startupMode = AddCombo("StartupMode", {tr("Выключить станцию"), tr("Включить станцию в режим приема"),
                                             tr("Восстановить состояние")});
    connect(m_startupMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!updating())
            m_settings.StartupMode = StartupModeValue(index);
        Edited(m_startupMode);
    });

    auto *general = new QGridLayout;
    general->addWidget(m_keyLock, 0, 0, 1, 2);
    general->addWidget(m_txVoiceMonitor, 1, 0, 1, 2);
    general->addWidget(m_deemphasisOff, 2, 0, 1, 2);
    general->addWidget(LabelFor(tr("Идентификатор станции"), id), 3, 0);
    general->addWidget(id, 3, 1, Qt::AlignLeft);
    general->addWidget(LabelFor(tr("При подаче питания"), m_startupMode), 4, 0);
    general->addWidget(m_startupMode, 4, 1, Qt::AlignLeft);
    general->setColumnStretch(2, 1);

    m_muxChannel = AddCheck("MuxChannel", tr("Мультиплексированный канал управления"), s.MultiplexedChannel);
    m_sqwPolarity = AddCombo("SqwMonitorPolarity",
                             {tr("+5В: НЕТ   принимаемого сигнала"), tr("+5В: ЕСТЬ принимаемый  сигнал")});
    connect(m_sqwPolarity, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!updating())
            m_settings.SqwMonitorPolarity = index == 1;
        Edited(m_sqwPolarity);
    });
    const QStringList functions{tr("Пассивен всегда"),
                                tr("Активен всегда"),
                                tr("Активен при приеме полезного сигнала"),
                                tr("Активен при недостаточной мощности"),
                                tr("Активен при рассогласовании антенны"),
                                tr("Активен при срыве ФАПЧ"),
                                tr("Активен при перегреве передатчика"),
                                tr("Активен при готовности передатчика"),
                                tr("Активен при готовности приемника")};
    std::array<std::int32_t *, 3> outputFields{&s.Output1Function, &s.Output2Function, &s.Output3Function};
    const char *outputNames[] = {"Output1Function", "Output2Function", "Output3Function"};
    for (int i = 0; i < 3; ++i) {
        m_outputs[i] = AddCombo(outputNames[i], functions);
        connect(m_outputs[i], &QComboBox::currentIndexChanged, this,
                [this, field = outputFields[i], combo = m_outputs[i]](int index) {
                    if (!updating())
                        *field = index >= 0 && index < kOutputFunctions ? index : 0;
                    Edited(combo);
                });
    }

    auto *k58 = new QGroupBox(tr("Плата расширения K58"));
    auto *kl = new QGridLayout(k58);
    kl->addWidget(m_muxChannel, 0, 0, 1, 2);
    kl->addWidget(LabelFor(tr("Вывод DB15.14"), m_sqwPolarity), 1, 0);
    kl->addWidget(m_sqwPolarity, 1, 1);
    kl->addWidget(LabelFor(tr("Вывод Output1 (DB15.6)"), m_outputs[0]), 2, 0);
    kl->addWidget(m_outputs[0], 2, 1);
    kl->addWidget(LabelFor(tr("Вывод Output2 (DB15.1)"), m_outputs[1]), 3, 0);
    kl->addWidget(m_outputs[1], 3, 1);
    kl->addWidget(LabelFor(tr("Вывод Output3 (DB15.5)"), m_outputs[2]), 4, 0);
    kl->addWidget(m_outputs[2], 4, 1);
    kl->setColumnStretch(2, 1);

    auto *page = new QVBoxLayout(m_page2);
    page->addLayout(general);
    page->addWidget(k58);
    page->addStretch(1);

    SetTabOrder({m_keyLock, m_txVoiceMonitor, m_deemphasisOff, id, m_startupMode, m_muxChannel, m_sqwPolarity,
                 m_outputs[0], m_outputs[1], m_outputs[2]});
}
