// The channel editor's entry rules that need no dialog.

#include "ui/editor/channelentry.h"

#include "model/channelscontext.h"
#include "xml/xml_common.h"

#include <QCoreApplication>
#include <QPalette>

#include <algorithm>
#include <utility>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ChannelEntry)
};

QString Hz(std::int64_t hz)
{
    return GroupDigits(QString::number(hz));
}

constexpr std::int32_t kRaster25 = 25000;
constexpr std::int32_t kRaster12 = 12500;
constexpr std::int32_t kShiftStep = 1000000;
constexpr std::int32_t kCtrlStep = 100000;
constexpr std::int32_t kNineDigits = 100000000;

EntryClass ClassifyOnRaster(std::int32_t f, bool band25)
{
    if (f % kRaster12 != 0)
        return EntryClass::Invalid;
    if (!band25 || f % kRaster25 == 0)
        return EntryClass::Valid;
    return EntryClass::Marginal;
}

} // namespace

EntryClass ClassifyRx(const ChannelsContext &channels, std::int32_t f, bool band25)
{
    // A negative frequency (a switched-off direction) is never in a range.
    if (f <= 0 || !channels.ContainsRx(std::uint32_t(f)))
        return EntryClass::Invalid;
    if (f == OptionRxFrequency)
        return EntryClass::Marginal;
    return ClassifyOnRaster(f, band25);
}

EntryClass ClassifyTx(const ChannelsContext &channels, std::int32_t f, bool band25)
{
    if (f <= 0 || !channels.ContainsTx(std::uint32_t(f)))
        return EntryClass::Invalid;
    return ClassifyOnRaster(f, band25);
}

EntryClass ClassifyTone(std::int32_t t)
{
    return t >= MinTone && t <= MaxTone ? EntryClass::Valid : EntryClass::Invalid;
}

QString FrequencyReason(const ChannelsContext &channels, std::int32_t f, bool band25, bool receive)
{
    const EntryClass entryClass = receive ? ClassifyRx(channels, f, band25) : ClassifyTx(channels, f, band25);
    if (entryClass == EntryClass::Valid)
        return QString();
    if (f <= 0 || !(receive ? channels.ContainsRx(std::uint32_t(f)) : channels.ContainsTx(std::uint32_t(f)))) {
        QString range;
        channels.ranges.CurrentText(range);
        return (receive ? Tr::tr("Частота приема %1 Гц вне диапазона %2.") : Tr::tr("Частота передачи %1 Гц вне диапазона %2."))
            .arg(Hz(std::max(f, 0)), range.trimmed());
    }
    if (receive && f == OptionRxFrequency)
        return Tr::tr("Прием на частоте 41,9 МГц возможен только с аппаратной опцией №25.");
    const std::int32_t step = entryClass == EntryClass::Invalid ? kRaster12 : kRaster25;
    const std::int32_t below = f / step * step;
    return (entryClass == EntryClass::Invalid
                ? Tr::tr("Частота %1 Гц не кратна шагу 12,5 кГц; ближайшие допустимые: %2 и %3 Гц.")
                : Tr::tr("Частота %1 Гц не кратна шагу 25 кГц полосы 25,0 кГц; допустима, ближайшие кратные: %2 и %3 Гц."))
        .arg(Hz(f), Hz(below), Hz(below + step));
}

QString ToneReason(std::int32_t t)
{
    if (ClassifyTone(t) == EntryClass::Valid)
        return QString();
    return Tr::tr("Вызывной тон %1 Гц вне пределов от %2 до %3 Гц.").arg(t).arg(MinTone).arg(MaxTone);
}

QColor FieldColour(const QPalette &palette, bool enabled, EntryClass entryClass)
{
    if (!enabled)
        return palette.color(QPalette::Active, QPalette::Button);
    switch (entryClass) {
    case EntryClass::Valid: return palette.color(QPalette::Active, QPalette::Base);
    case EntryClass::Marginal: return QColor(255, 255, 0);
    case EntryClass::Invalid: break;
    }
    return QColor(255, 0, 0);
}

int FieldDigitsFor(std::int32_t f, int rangeDigits)
{
    return f >= kNineDigits ? 9 : rangeDigits;
}

QString FrequencyMask(int digits)
{
    // The last two digits are fixed zeros; unfilled positions show and read as 0.
    switch (digits) {
    case 9: return QStringLiteral("999 999 9\\0\\0;0");
    case 8: return QStringLiteral("99 999 9\\0\\0;0");
    default: return QString();
    }
}

QString FrequencyFieldText(std::int32_t f, int digits)
{
    return QString::number(std::max(f, 0) / 100).rightJustified(EditableDigits(digits), QLatin1Char('0'));
}

std::int32_t ReadFrequencyField(const QString &text, int digits)
{
    QString s = text;
    while (s.size() < digits)
        s += QLatin1Char('0');
    s.replace(QLatin1Char(' '), QLatin1Char('0'));
    if (s.isEmpty() || !std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c.isDigit(); }))
        return -1;
    bool ok = false;
    const int value = s.toInt(&ok);
    return ok ? value : -1;
}

std::int32_t StepFrequency(Qt::KeyboardModifiers modifiers, int delta, bool band25, std::int32_t f)
{
    const std::int32_t raster = band25 ? kRaster25 : kRaster12;
    const bool up = delta >= 0;
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
        const std::int32_t s = (modifiers & Qt::ShiftModifier) ? kShiftStep : kCtrlStep;
        return f / raster * raster + (up ? s : -s);
    }
    if (up)
        return f / raster * raster + raster;
    return f % raster != 0 ? f / raster * raster : f - raster;
}

int StepChannelNumber(Qt::KeyboardModifiers modifiers, int delta, int number)
{
    int step = (modifiers & Qt::ShiftModifier) ? 10 : (modifiers & Qt::ControlModifier) ? 5 : 1;
    if (delta < 0)
        step = -step;
    if (!IsChannelNumber(number))
        number = step < 0 ? 100 : 0;
    return std::clamp(number + step, 0, 99);
}

int ReadChannelNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    return ok ? n : -1;
}

void SwitchOff(Channel &c)
{
    c.freq_rx = -1;
    c.freq_tx = -1;
    c.tone_rx = 0;
    c.tone_tx = 0;
    c.subtone_rx = 0;
    c.subtone_tx = 0;
    c.band_rx = true;
    c.band_tx = true;
    c.scrambler = false;
    c.tx_limit = false;
    c.tx_busy = true;
    c.active = true;
    c.squelch = 1;
}

bool NormaliseForCommit(Channel &c, const EntrySwitches &switches)
{
    if (!switches.rx)
        c.freq_rx = -1;
    if (!switches.tx)
        c.freq_tx = -1;
    if (c.freq_rx == -1 && c.freq_tx == -1) {
        SwitchOff(c);
        return true;
    }
    if (!switches.toneRx)
        c.tone_rx = 0;
    if (!switches.toneTx)
        c.tone_tx = 0;
    if (c.tx_power_high < c.tx_power_low)
        std::swap(c.tx_power_low, c.tx_power_high);
    return false;
}

bool BandsLinkedOnLoad(const Channel &c)
{
    return c.band_rx == c.band_tx;
}

bool FrequenciesLinkedOnLoad(const Channel &c, bool rxTicked, bool txTicked)
{
    return (!rxTicked && !txTicked) || (rxTicked && txTicked && c.freq_rx == c.freq_tx);
}

bool SubtonesLinkedOnLoad(const Channel &c)
{
    return c.subtone_rx == c.subtone_tx;
}

bool TonesLinkedOnLoad(const Channel &c, bool rxTicked, bool txTicked)
{
    return (!rxTicked && !txTicked) || (rxTicked && txTicked && c.tone_rx == c.tone_tx);
}
