// One channel of the radio: its fields, its 20-byte image record and its element in a configuration file.
#pragma once

#include "xml/xmloutline.h"

#include <QDomElement>

#include <cstddef>
#include <cstdint>

// One of the radio's 100 channels.
//
// Image record (20 bytes, little-endian):
//   0  u16  freq_rx / 12500 (0xFFFF: none)     8  u8  subtone_rx (1..134, else 0)
//   2  u16  freq_tx / 12500 (0xFFFF: none)     9  u8  subtone_tx
//   4  u16  tone_rx in Hz (0: none)           10  u8  flags, see below
//   6  u16  tone_tx in Hz                     11  u8  squelch 0..3, power high 4..5, power low 6..7
//  12  8 bytes of 0
// Flags: bit 0 scan, 1 band_rx, 2 band_tx, 3 scrambler, 4 tx_limit, 5 tx_busy, 7 active.
class Channel
{
public:
    static constexpr std::size_t RecordSize = 20;
    static constexpr std::int32_t FrequencyStep = 12500;
    // The largest quotient a record can carry; 0xFFFF means "none".
    static constexpr std::int32_t MaxStepCount = 65534;

    Channel() { Reset(); }

    void Reset();
    bool IsUsed() const { return freq_rx > 0 || freq_tx > 0; }
    bool IsActive() const { return active; }
    bool HasRx() const { return freq_rx >= 1; }
    bool HasTx() const { return freq_tx >= 1; }
    bool HasRxAndTx() const { return HasRx() && HasTx(); }
    // True when the record can carry both frequencies unchanged in their steps.
    bool FitsRecord() const;

    bool Encode(std::uint8_t *record);
    bool Decode(const std::uint8_t *record);
    bool ReadXml(const QDomElement &element);
    // The "channel" element as ReadXml reads it; `maxCount` as in XmlOutline.
    static XmlOutline Outline(int maxCount);
    bool WriteXml(QDomElement &element);
    void SetPlanFrequencies(std::int32_t shipRx, std::int32_t shipTx, bool shore);

    bool operator==(const Channel &) const = default;

    std::int32_t freq_rx;
    std::int32_t freq_tx;
    std::int32_t tone_rx;
    std::int32_t tone_tx;
    std::int32_t subtone_rx;
    std::int32_t subtone_tx;
    std::int32_t tx_power_low;
    std::int32_t tx_power_high;
    bool scan;
    bool band_rx;
    bool band_tx;
    bool scrambler;
    bool tx_limit;
    bool tx_busy;
    bool active;
    std::int32_t squelch;

private:
    void OrderPowerLevels();
};
