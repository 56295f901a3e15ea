// What a radio says about itself: its two information replies decoded, and the report made of them.
#pragma once

#include "model/freqrange.h"

#include <QString>

#include <array>
#include <cstdint>

// What a radio says about itself in its two information replies.
//
// Main reply (122 bytes):            Extended reply (104 bytes):
//   0 u32 programCount                 0 u16 bootVersion (major.minor.build = 4.4.8 bits)
//   4 u32 serialNumber (~0 = none)     2 u16 bootWord
//   8 [10] firmwareVersion             4 u32 bootSize      8 u32 bootChecksum
//  18 [5]  programmerVersion          12 u32 firmwareSize 16 u32 firmwareChecksum
//  23 [20] radioType                  20 16 x (u16 tag, u16 value) table versions
//  43 [40] comment                    84 3 x u32 cpuId    96 u32 flashSize
//  83 [15] extraText                 100 4 x u8 txPower P0..P3 (W)
//  98 u16 tx base  100 u16 rx base  104 u16 step  106 4 x (u16 first, u16 last)
class TInfoContext
{
public:
    static constexpr std::size_t MainLength = 122;
    static constexpr std::size_t ExtendedLength = 104;

    TInfoContext();

    void ResetInfo();
    void DecodeMain(const std::uint8_t *data);
    void DecodeExtended(const std::uint8_t *data);
    bool IsComplete() const { return mainDecoded && extDecoded; }
    QString BuildReport() const;

    QString firmwareVersion;
    QString programmerVersion;
    QString radioType;
    QString comment;
    QString extraText;
    std::uint32_t programCount = 0;
    std::uint32_t serialNumber = 0;
    FreqRange range;
    std::uint16_t bootVersion = 0;
    std::uint16_t bootWord = 0;
    std::uint32_t bootSize = 0;
    std::uint32_t bootChecksum = 0;
    std::uint32_t firmwareSize = 0;
    std::uint32_t firmwareChecksum = 0;
    std::uint16_t freqTableVersion = 0;
    std::uint16_t settingsTableVersion = 0;
    std::uint16_t calibTableVersion = 0;
    std::uint16_t tag12Version = 0;
    std::array<std::uint32_t, 3> cpuId{};
    std::uint32_t flashSize = 0;
    std::array<std::int32_t, 5> txPower{};
    bool mainDecoded = false;
    bool extDecoded = false;
};
