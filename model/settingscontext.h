// The radio-wide settings in their three table versions: image, XML element and defaults.
#pragma once

#include "model/tableimage.h"

#include "xml/xmloutline.h"

#include <QDomElement>

#include <cstdint>

// The radio-wide settings table, in format versions 1.00, 1.01 and 1.02; each
// later version appends fields to the one before.
class SettingsContext
{
public:
    static constexpr std::uint16_t Version100 = 0x0100;
    static constexpr std::uint16_t Version101 = 0x0101;
    static constexpr std::uint16_t Version102 = 0x0102;

    // Image length for a version; 0 for one this table cannot hold.
    static std::uint16_t LengthForVersion(std::uint16_t version);

    SettingsContext() { Reset(); }

    void Reset();
    bool EncodeImage(TableImage &image, std::uint16_t version);
    bool DecodeImage(const TableImage &image);
    void ReadXml(const QDomElement &settings);
    void WriteXml(QDomElement &settings) const;
    // The "Settings" element as ReadXml reads it.
    static XmlOutline Outline();

    bool operator==(const SettingsContext &) const = default;

    std::uint32_t ProgramCount;
    std::uint16_t version;
    std::int32_t Intensity;
    std::int32_t IntensityKeys;
    std::int32_t Volume;
    std::int32_t MinVolume;
    std::int32_t BeepMin;
    std::int32_t BeepMax;
    std::int32_t TxLimit;
    std::int32_t TxPause;
    std::int32_t StartChannel;
    std::int32_t SpecChannel;
    std::int32_t ScanPause;
    bool TxPower;
    bool Squelch_On;
    bool SquelchAutoVol_On;
    bool ExtSpeaker_On;
    bool SpecChannelLock;
    bool StartChannelLock;
    std::int32_t MicAmp;
    // 1.01
    std::int32_t TxPowerPassword;
    std::int32_t MaxTxPower;
    std::int32_t Squelch;
    bool Tamp;
    bool TxPowerCommon;
    bool SqlCommon;
    // 1.02
    std::int32_t ID;
    bool KeyLock;
    bool KeyBeep;
    bool DigitalDelay;
    bool MultiplexedChannel;
    bool SqwMonitorPolarity;
    bool TxVoiceMonitor;
    bool DeemphasisOff;
    std::int32_t Output1Function;
    std::int32_t Output2Function;
    std::int32_t Output3Function;
    std::int32_t StartupMode;

private:
    void SetVersion101Defaults(std::int32_t maxTxPower);
    void SetVersion102Defaults();
};
