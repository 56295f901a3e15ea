// A channel to and from its image record and its XML element, and the frequencies a built-in plan gives it.

#include "model/channel.h"

#include "xml/xml_common.h"
#include "model/bytes.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint16_t kNoFrequency = 0xFFFF;
constexpr std::uint8_t kScan = 0x01, kBandRx = 0x02, kBandTx = 0x04, kScrambler = 0x08,
                       kTxLimit = 0x10, kTxBusy = 0x20, kActive = 0x80;
constexpr int kPowerHighShift = 4, kPowerLowShift = 6;
constexpr std::uint8_t kSquelchMask = 0x0F;
constexpr std::int32_t kMaxSubtoneInImage = 134;

std::uint16_t FrequencyWord(std::int32_t hz)
{
    return hz > 0 ? static_cast<std::uint16_t>(hz / Channel::FrequencyStep) : kNoFrequency;
}

std::int32_t Frequency(std::uint16_t word)
{
    return word == kNoFrequency ? 0 : std::int32_t(word) * Channel::FrequencyStep;
}

std::uint8_t SubtoneByte(std::int32_t code)
{
    return code >= 1 && code <= kMaxSubtoneInImage ? static_cast<std::uint8_t>(code) : 0;
}

std::uint8_t PowerBits(std::int32_t level, int shift)
{
    return level >= 1 && level <= 3 ? static_cast<std::uint8_t>(level << shift) : 0;
}

} // namespace

void Channel::Reset()
{
    freq_rx = freq_tx = 0;
    tone_rx = tone_tx = 0;
    subtone_rx = subtone_tx = 0;
    tx_power_low = 0;
    tx_power_high = 3;
    scan = true;
    band_rx = band_tx = true;
    scrambler = false;
    tx_limit = false;
    tx_busy = true;
    active = true;
    squelch = 1;
}

bool Channel::FitsRecord() const
{
    auto fits = [](std::int32_t hz) { return hz <= 0 || hz / FrequencyStep <= MaxStepCount; };
    return fits(freq_rx) && fits(freq_tx);
}

void Channel::OrderPowerLevels()
{
    if (tx_power_low > tx_power_high)
        std::swap(tx_power_low, tx_power_high);
}

bool Channel::Encode(std::uint8_t *r)
{
    if (!IsUsed()) {
        std::memset(r, 0xFF, RecordSize);
        return true;
    }
    setU16le(r + 0, FrequencyWord(freq_rx));
    setU16le(r + 2, FrequencyWord(freq_tx));
    setU16le(r + 4, tone_rx > 0 ? static_cast<std::uint16_t>(tone_rx) : 0);
    setU16le(r + 6, tone_tx > 0 ? static_cast<std::uint16_t>(tone_tx) : 0);
    r[8] = SubtoneByte(subtone_rx);
    r[9] = SubtoneByte(subtone_tx);
    r[10] = (scan ? kScan : 0) | (band_rx ? kBandRx : 0) | (band_tx ? kBandTx : 0)
          | (scrambler ? kScrambler : 0) | (tx_limit ? kTxLimit : 0) | (tx_busy ? kTxBusy : 0)
          | (active ? kActive : 0);
    OrderPowerLevels();
    squelch = std::clamp(squelch, 1, 8);
    r[11] = static_cast<std::uint8_t>(PowerBits(tx_power_high, kPowerHighShift)
                                      | PowerBits(tx_power_low, kPowerLowShift) | squelch);
    std::memset(r + 12, 0, 8);
    return true;
}

bool Channel::Decode(const std::uint8_t *r)
{
    const std::uint16_t rx = getU16le(r + 0);
    const std::uint16_t tx = getU16le(r + 2);
    if (rx == kNoFrequency && tx == kNoFrequency) {
        Reset();
        return true;
    }
    freq_rx = Frequency(rx);
    freq_tx = Frequency(tx);
    tone_rx = getU16le(r + 4);
    tone_tx = getU16le(r + 6);
    subtone_rx = r[8];
    subtone_tx = r[9];
    scan = r[10] & kScan;
    band_rx = r[10] & kBandRx;
    band_tx = r[10] & kBandTx;
    scrambler = r[10] & kScrambler;
    tx_limit = r[10] & kTxLimit;
    tx_busy = r[10] & kTxBusy;
    active = r[10] & kActive;
    tx_power_high = (r[11] >> kPowerHighShift) & 3;
    tx_power_low = (r[11] >> kPowerLowShift) & 3;
    OrderPowerLevels();
    squelch = std::clamp(r[11] & kSquelchMask, 1, 8);
    return true;
}

bool Channel::WriteXml(QDomElement &e)
{
    const std::pair<const char *, std::int32_t> optional[] = {
        {"freq_rx", freq_rx}, {"freq_tx", freq_tx}, {"tone_rx", tone_rx},
        {"tone_tx", tone_tx}, {"subtone_rx", subtone_rx}, {"subtone_tx", subtone_tx}};
    for (const auto &[name, value] : optional) {
        if (value > 0)
            WriteChildInt(e, QLatin1String(name), value);
    }
    OrderPowerLevels();
    WriteChildInt(e, QStringLiteral("tx_power_low"), tx_power_low);
    WriteChildInt(e, QStringLiteral("tx_power_high"), tx_power_high);
    WriteChildInt(e, QStringLiteral("squelch"), squelch);
    WriteChildBool(e, QStringLiteral("scan"), scan);
    WriteChildBool(e, QStringLiteral("band_rx"), band_rx);
    WriteChildBool(e, QStringLiteral("band_tx"), band_tx);
    WriteChildBool(e, QStringLiteral("scrambler"), scrambler);
    WriteChildBool(e, QStringLiteral("tx_limit"), tx_limit);
    WriteChildBool(e, QStringLiteral("tx_busy"), tx_busy);
    WriteChildBool(e, QStringLiteral("active"), active);
    return true;
}

XmlOutline Channel::Outline(int maxCount)
{
    XmlOutline channel(QStringLiteral("channel"), XmlOutline::Elements, maxCount);
    for (const char *name : {"freq_rx", "freq_tx", "tone_rx", "tone_tx", "subtone_rx", "subtone_tx", "tx_power_low",
                             "tx_power_high", "squelch", "scan", "band_rx", "band_tx", "scrambler", "tx_limit",
                             "tx_busy", "active"})
        channel.Add(XmlOutline(QLatin1String(name), XmlOutline::Value));
    return channel;
}

bool Channel::ReadXml(const QDomElement &e)
{
    ReadChildInt(freq_rx, e, QStringLiteral("freq_rx"), 0);
    ReadChildInt(freq_tx, e, QStringLiteral("freq_tx"), 0);
    ReadChildInt(tone_rx, e, QStringLiteral("tone_rx"), 0);
    ReadChildInt(tone_tx, e, QStringLiteral("tone_tx"), 0);
    ReadChildInt(subtone_rx, e, QStringLiteral("subtone_rx"), 0);
    ReadChildInt(subtone_tx, e, QStringLiteral("subtone_tx"), 0);
    ReadChildInt(tx_power_low, e, QStringLiteral("tx_power_low"), 0);
    ReadChildInt(tx_power_high, e, QStringLiteral("tx_power_high"), 3);
    OrderPowerLevels();
    ReadChildInt(squelch, e, QStringLiteral("squelch"), 1);
    ReadChildBool(scan, e, QStringLiteral("scan"), false);
    ReadChildBool(band_rx, e, QStringLiteral("band_rx"), true);
    ReadChildBool(band_tx, e, QStringLiteral("band_tx"), true);
    ReadChildBool(scrambler, e, QStringLiteral("scrambler"), false);
    ReadChildBool(tx_limit, e, QStringLiteral("tx_limit"), false);
    ReadChildBool(tx_busy, e, QStringLiteral("tx_busy"), true);
    ReadChildBool(active, e, QStringLiteral("active"), true);
    if (freq_rx < 0 && freq_tx < 0)
        Reset();
    return true;
}

void Channel::SetPlanFrequencies(std::int32_t shipRx, std::int32_t shipTx, bool shore)
{
    freq_rx = shore ? shipTx : shipRx;
    freq_tx = shore ? shipRx : shipTx;
    tone_tx = 1989;
    tx_power_low = 0;
}
