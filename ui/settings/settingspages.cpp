// The settings pages: the rules of their lists, the handlers that store what
// the user changes, showing the table, entries not taken and the mouse wheel.

#include "ui/settings/settingspages.h"

#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "ui/app/accessibility.h"
#include "ui/grid/cellpainter.h"
#include "ui/settings/settingsbindings.h"
#include "ui/settings/settingspages_parts.h"
#include "ui/settings/trackbar.h"
#include "ui/settings/volumediagram.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

using namespace settingspages;

namespace {

// The item for a stored squelch level; the image carries level 8 as 0.
int SquelchItem(std::int32_t level)
{
    if (level == 0)
        return kSquelchLevels - 1;
    return level >= 1 && level <= kSquelchLevels ? level - 1 : -1;
}

} // namespace

SettingsPages::SettingsPages(SettingsContext &settings, const TInfoContext &info, CellPainter &painter,
                             QObject *parent)
    : QObject(parent), m_settings(settings), m_info(info), m_painter(painter), m_page1(new QWidget),
      m_page2(new QWidget)
{
    m_page1->setObjectName(QStringLiteral("TabSheetSettings"));
    m_page2->setObjectName(QStringLiteral("TabSheetSettings2"));
    ShowTableWide();
}

SettingsPages::~SettingsPages()
{
    if (m_page1 && !m_page1->parent())
        delete m_page1;
    if (m_page2 && !m_page2->parent())
        delete m_page2;
}

// --- Rules ----------------------------------------------------------------

QStringList SettingsPages::MaxTxPowerItems(const TInfoContext &info)
{
    QStringList items;
    for (int k = 1; k <= kPowerLevels && info.txPower[k] != 0; ++k)
        items << QString::asprintf(qUtf8Printable(tr("мин: %dВт / макс: %dВт")), int(info.txPower[0]),
                                   int(info.txPower[k]));
    return items;
}

int SettingsPages::StartupModeItem(std::int32_t mode)
{
    switch ((mode >> 6) & 3) {
    case 1:
        return 0;
    case 2:
        return 1;
    default:
        return 2;
    }
}

std::int32_t SettingsPages::StartupModeValue(int item)
{
    switch (item) {
    case 0:
        return 0x40;
    case 1:
        return 0x84;
    default:
        return 0;
    }
}

std::int32_t SettingsPages::PasswordValue(const QString &text)
{
    QString digits = text;
    while (digits.size() < 5)
        digits += QLatin1Char('0');
    digits.replace(QLatin1Char(' '), QLatin1Char('0'));
    bool ok = false;
    const int value = digits.toInt(&ok, 10);
    return ok && value >= 0 ? value : 0;
}

// --- Handlers -------------------------------------------------------------

void SettingsPages::TrackBarChange(SliderBinding *binding)
{
    if (m_changeDepth++ != 0) {
        --m_changeDepth;
        return;
    }
    binding->ReadSlider();
    if (binding != m_sliders[Intensity] && binding != m_sliders[IntensityKeys])
        m_diagram->update();
    if (binding == m_sliders[BeepMin] || binding == m_sliders[BeepMax]) {
        if (m_settings.BeepMax < m_settings.BeepMin) {
            // The bar the user moved drags the other one along.
            if (binding == m_sliders[BeepMin]) {
                m_settings.BeepMax = m_settings.BeepMin;
                m_sliders[BeepMax]->ShowSlider();
            } else {
                m_settings.BeepMin = m_settings.BeepMax;
                m_sliders[BeepMin]->ShowSlider();
            }
        }
        MarkBeepSelection();
    }
    --m_changeDepth;
    Edited(binding->bar());
}

void SettingsPages::Edited(const QObject *control)
{
    if (!updating())
        emit settingsEdited(control->objectName());
}

void SettingsPages::MarkBeepSelection()
{
    m_beepMinBar->SetSelection(m_settings.BeepMin, m_settings.BeepMax);
    m_beepMaxBar->SetSelection(m_settings.BeepMin, m_settings.BeepMax);
}

void SettingsPages::UpdateBeepShown()
{
    m_diagram->SetBeepShown(m_keyBeep->isHidden() || m_keyBeep->isChecked());
}

void SettingsPages::ShowLock(QAbstractButton *button, bool locked)
{
    button->setIcon(locked ? m_lockedIcon : m_unlockedIcon);
    // What the picture says, also to a screen reader.
    button->setToolTip(locked ? tr("Заблокирован") : tr("Не заблокирован"));
    button->setProperty("locked", locked);
}

void SettingsPages::ShowPassword()
{
    const std::int32_t value = m_settings.TxPowerPassword;
    m_password->setText(QString::asprintf("%05d", int(value)));
    // A stored value the radio cannot hold is shown red and kept as it is.
    m_passwordValid = value >= 0 && value <= MaxPassword;
    MarkInvalid(m_password, !m_passwordValid);
}

void SettingsPages::PasswordChange()
{
    if (updating())
        return;
    // displayText keeps every position; blank ones show as 0.
    const std::int32_t value = PasswordValue(m_password->displayText());
    m_passwordValid = value <= MaxPassword;
    if (m_passwordValid)
        m_settings.TxPowerPassword = value;
    MarkInvalid(m_password, !m_passwordValid);
    Edited(m_password);
}

void SettingsPages::SetPainter(bool commonTxPower, bool commonSquelch, std::int32_t txPowerLevel,
                               std::int32_t squelchLevel)
{
    if (m_painter.CommonTxPower == commonTxPower && m_painter.CommonSquelch == commonSquelch &&
        m_painter.CommonTxPowerLevel == txPowerLevel && m_painter.CommonSquelchLevel == squelchLevel)
        return;
    m_painter.CommonTxPower = commonTxPower;
    m_painter.CommonSquelch = commonSquelch;
    m_painter.CommonTxPowerLevel = txPowerLevel;
    m_painter.CommonSquelchLevel = squelchLevel;
    emit gridRepaintNeeded();
}

// --- Table -> controls ----------------------------------------------------

void SettingsPages::ApplyVisibility()
{
    const std::uint16_t version = m_settings.version;
    if (version <= SettingsContext::Version100) {
        m_squelchCommon->hide();
        m_squelchLevel->hide();
        m_txPowerGroup->hide();
        m_password->hide();
        m_passwordLabel->hide();
        m_maxTxPower->hide();
    }
    if (version < SettingsContext::Version102) {
        m_keyBeep->hide();
        m_digitalDelay->hide();
    }
    if (version > SettingsContext::Version100) {
        m_squelchCommon->setCurrentIndex(m_settings.SqlCommon ? 1 : 0);
        m_txPowerCommon->setCurrentIndex(m_settings.TxPowerCommon ? 1 : 0);
        m_squelchLevel->setCurrentIndex(SquelchItem(m_settings.Squelch));

        m_squelchCommon->show();
        m_txPowerGroup->show();
        m_squelchLevel->setVisible(m_squelchCommon->currentIndex() != 0);
        const bool commonPower = m_txPowerCommon->currentIndex() != 0;
        m_password->setVisible(commonPower);
        m_maxTxPower->setVisible(commonPower);
        m_passwordLabel->setVisible(commonPower);

        m_maxTxPower->clear();
        m_maxTxPower->addItems(MaxTxPowerItems(m_info));
        if (m_maxTxPower->count() > 0)
            m_maxTxPower->setCurrentIndex(
                std::clamp(m_settings.MaxTxPower - 1, 0, m_maxTxPower->count() - 1));

        ShowPassword();
        if (version >= SettingsContext::Version102) {
            m_keyBeep->show();
            m_digitalDelay->show();
        }
    }
}

void SettingsPages::ShowSettings()
{
    if (m_built)
        ShowControls();
    else
        EnsureBuilt();
    ShowTableWide();
}

void SettingsPages::ShowTableWide()
{
    const std::uint16_t version = m_settings.version;
    const bool second = version >= SettingsContext::Version102;
    m_secondPageVisible = second;
    emit secondPageVisibleChanged(second);
    if (version > SettingsContext::Version100) {
        // The grid shows the common values the table holds.
        SetPainter(m_settings.TxPowerCommon, m_settings.SqlCommon, m_settings.MaxTxPower,
                   m_settings.Squelch == 0 ? kSquelchLevels : m_settings.Squelch);
    } else {
        // A 1.00 table has no common values: the channels' own are in force.
        SetPainter(false, false, m_painter.CommonTxPowerLevel, m_painter.CommonSquelchLevel);
    }
}

void SettingsPages::ShowControls()
{
    ++m_updating;
    const std::uint16_t version = m_settings.version;

    ++m_changeDepth; // the bars are set one by one; no drag between them
    for (int i = Intensity; i <= BeepMax; ++i)
        m_sliders[i]->ShowSlider();
    --m_changeDepth;
    for (int i = StartChannel; i <= ScanPause; ++i)
        m_numbers[i]->ShowNumber();
    MarkBeepSelection();

    ApplyVisibility();
    m_diagram->update();

    (m_settings.TxPower ? m_txMax : m_txMin)->setChecked(true);
    m_squelchOn->setChecked(m_settings.Squelch_On);
    m_squelchAutoVolume->setChecked(m_settings.SquelchAutoVol_On);
    m_extSpeaker->setChecked(m_settings.ExtSpeaker_On);
    ShowLock(m_specLock, m_settings.SpecChannelLock);
    ShowLock(m_startLock, m_settings.StartChannelLock);
    if (QAbstractButton *gain = m_micAmp->button(m_settings.MicAmp)) {
        gain->setChecked(true);
    } else {
        // A gain the list does not have selects nothing.
        m_micAmp->setExclusive(false);
        for (QAbstractButton *b : m_micAmp->buttons())
            b->setChecked(false);
        m_micAmp->setExclusive(true);
    }

    if (version > SettingsContext::Version100) {
        m_squelchCommon->setCurrentIndex(m_settings.SqlCommon ? 1 : 0);
        m_txPowerCommon->setCurrentIndex(m_settings.TxPowerCommon ? 1 : 0);
        m_tamp->setChecked(m_settings.Tamp);
    }

    if (version >= SettingsContext::Version102) {
        m_numbers[ID]->ShowNumber();
        m_keyLock->setChecked(m_settings.KeyLock);
        m_keyBeep->setChecked(m_settings.KeyBeep);
        m_txVoiceMonitor->setChecked(m_settings.TxVoiceMonitor);
        m_deemphasisOff->setChecked(m_settings.DeemphasisOff);
        m_muxChannel->setChecked(m_settings.MultiplexedChannel);
        m_digitalDelay->setChecked(m_settings.DigitalDelay);
        m_startupMode->setCurrentIndex(StartupModeItem(m_settings.StartupMode));
        std::int32_t *const outputs[] = {&m_settings.Output1Function, &m_settings.Output2Function,
                                         &m_settings.Output3Function};
        for (int i = 0; i < 3; ++i) {
            // A function the list does not have shows as the first item, and
            // is stored as what is shown.
            if (*outputs[i] < 0 || *outputs[i] >= kOutputFunctions)
                *outputs[i] = 0;
            m_outputs[i]->setCurrentIndex(*outputs[i]);
        }
        m_sqwPolarity->setCurrentIndex(m_settings.SqwMonitorPolarity ? 1 : 0);
    }
    UpdateBeepShown();
    --m_updating;
}

// --- Entries not taken -----------------------------------------------------

SettingsPages::InvalidEntry SettingsPages::FirstInvalidEntry() const
{
    if (!m_built)
        return {};
    for (const NumberBinding *b : m_numbers) {
        // The identifier is on the second page, which a table before 1.02 has not.
        if (!b->isValid() && (b != m_numbers[ID] || m_secondPageVisible))
            return {b->edit(), b->caption(), b->edit()->text(), b->minimum(), b->maximum()};
    }
    if (!m_passwordValid && !m_password->isHidden() && !m_txPowerGroup->isHidden())
        return {m_password, m_txPowerGroup->title() + QStringLiteral(": ") + m_passwordLabel->text(),
                m_password->displayText(), 0, MaxPassword};
    return {};
}

void SettingsPages::RevertInvalidEntries()
{
    if (!m_built)
        return;
    for (NumberBinding *b : m_numbers)
        b->RevertIfInvalid();
    if (!m_passwordValid) {
        // As a number edit: what stays shown is what is stored.
        m_settings.TxPowerPassword = m_passwordEntered;
        ShowPassword();
    }
}

bool SettingsPages::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_password && UserFocusChange(event)) {
        if (event->type() == QEvent::FocusIn)
            m_passwordEntered = m_settings.TxPowerPassword;
        else
            RevertInvalidEntries();
    }
    return QObject::eventFilter(watched, event);
}

// --- Mouse wheel ----------------------------------------------------------

bool SettingsPages::HandleWheel(const QPoint &globalPos, int delta)
{
    if (delta == 0)
        return false;
    const int step = delta > 0 ? 1 : -1;
    for (SettingsBinding *b : m_bindings) {
        if (b->IsUnder(globalPos)) {
            b->Wheel(step, true);
            return true;
        }
    }
    for (SettingsBinding *b : m_bindings) {
        if (b->HasFocus()) {
            b->Wheel(step, false);
            return true;
        }
    }
    return false;
}
