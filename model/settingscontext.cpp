// The settings image laid out byte by byte per version, the XML element, and the defaults of the
// fields a later version adds.

#include "model/settingscontext.h"

#include "xml/xml_common.h"
#include "model/bytes.h"

#include <QDomDocument>

// Settings image body (little-endian; the u16 at 31 is unaligned):
//
//   12 u32 ProgramCount   16 u8 SpecChannel    17 u8 BeepMax      18 u8 BeepMin
//   19 u8 MinVolume       20 u8 StartChannel   21 u8 TxPower      22 u8 Volume
//   23 u8 squelch byte    24 u8 Intensity      25 u8 flags A      26 u16 TxLimit
//   28 u16 TxPause        30 u8 IntensityKeys  31 u16 ScanPause   33 u8 MicAmp
//   1.01: 34 u16 TxPowerPassword  36 u8 MaxTxPower  37 u8 flags B
//   1.02: 38 u16 ID  40 u8 flags C  41..43 u8 OutputNFunction  44 u8 StartupMode  45 u8 0
namespace {

namespace off {
constexpr int ProgramCount = 12, SpecChannel = 16, BeepMax = 17, BeepMin = 18, MinVolume = 19,
              StartChannel = 20, TxPower = 21, Volume = 22, SquelchByte = 23, Intensity = 24,
              FlagsA = 25, TxLimit = 26, TxPause = 28, IntensityKeys = 30, ScanPause = 31,
              MicAmp = 33, TxPowerPassword = 34, MaxTxPower = 36, FlagsB = 37, ID = 38,
              FlagsC = 40, Output1 = 41, Output2 = 42, Output3 = 43, StartupMode = 44, Spare = 45;
}

// Byte 23: bit 7 set when squelch is off; bits 0..2 the common squelch level.
constexpr std::uint8_t kSquelchOff = 0x80;
constexpr std::uint8_t kSquelchLevelMask = 0x07;
// Byte 25.
constexpr std::uint8_t kAutoVol = 0x08, kExtSpeakerOff = 0x10, kStartLock = 0x20, kSpecLock = 0x40;
// Byte 37.
constexpr std::uint8_t kTampB = 0x01, kTxPowerCommon = 0x02, kSqlCommon = 0x04;
// Byte 40.
constexpr std::uint8_t kKeyLock = 0x01, kTampC = 0x02, kKeyBeep = 0x04, kDigitalDelay = 0x08,
                       kMultiplexed = 0x10, kSqwPolarity = 0x20, kTxVoiceMonitor = 0x40,
                       kDeemphasisOff = 0x80;

std::uint8_t U8(std::int32_t v) { return static_cast<std::uint8_t>(v); }
std::uint16_t U16(std::int32_t v) { return static_cast<std::uint16_t>(v); }
std::uint8_t Bit(bool on, std::uint8_t mask) { return on ? mask : 0; }

} // namespace

std::uint16_t SettingsContext::LengthForVersion(std::uint16_t v)
{
    switch (v) {
    case Version100: return 34;
    case Version101: return 38;
    case Version102: return 46;
    default: return 0;
    }
}

void SettingsContext::Reset()
{
    ProgramCount = 0;
    version = Version100;
    Intensity = 9;
    IntensityKeys = 9;
    Volume = 10;
    MinVolume = 9;
    BeepMin = 3;
    BeepMax = 8;
    TxLimit = 0;
    TxPause = 0;
    StartChannel = 0;
    SpecChannel = 0;
    ScanPause = 5;
    TxPower = false;
    Squelch_On = true;
    SquelchAutoVol_On = true;
    ExtSpeaker_On = true;
    SpecChannelLock = false;
    StartChannelLock = false;
    MicAmp = 1;
    SetVersion101Defaults(2);
    SetVersion102Defaults();
}

void SettingsContext::SetVersion101Defaults(std::int32_t maxTxPower)
{
    TxPowerPassword = 0;
    MaxTxPower = maxTxPower;
    Squelch = 1;
    Tamp = true;
    TxPowerCommon = false;
    SqlCommon = false;
}

void SettingsContext::SetVersion102Defaults()
{
    ID = 1;
    KeyLock = false;
    KeyBeep = true;
    DigitalDelay = true;
    MultiplexedChannel = false;
    SqwMonitorPolarity = false;
    TxVoiceMonitor = true;
    DeemphasisOff = false;
    Output1Function = 0;
    Output2Function = 0;
    Output3Function = 0;
    StartupMode = 0x80;
}

bool SettingsContext::EncodeImage(TableImage &image, std::uint16_t v)
{
    version = v;
    if ((v >> 8) != 0x01)
        return false;
    image.Fill(0xFF);
    const std::uint16_t length = LengthForVersion(v);
    if (length == 0)
        return false;
    image.SetVersion(v);
    image.SetLength(length);
    image.PrepareCrcWords();

    std::uint8_t *b = image.data();
    setU32le(b + off::ProgramCount, ProgramCount);
    b[off::SpecChannel] = U8(SpecChannel);
    b[off::BeepMax] = U8(BeepMax);
    b[off::BeepMin] = U8(BeepMin);
    b[off::MinVolume] = U8(MinVolume);
    b[off::StartChannel] = U8(StartChannel);
    b[off::TxPower] = TxPower ? 1 : 0;
    b[off::Volume] = U8(Volume);
    b[off::SquelchByte] = Squelch_On ? 0x01 : (kSquelchOff | 0x01);
    b[off::Intensity] = U8(Intensity);
    b[off::FlagsA] = Bit(SquelchAutoVol_On, kAutoVol) | Bit(!ExtSpeaker_On, kExtSpeakerOff)
                   | Bit(StartChannelLock, kStartLock) | Bit(SpecChannelLock, kSpecLock);
    setU16le(b + off::TxLimit, U16(TxLimit));
    setU16le(b + off::TxPause, U16(TxPause));
    b[off::IntensityKeys] = U8(IntensityKeys);
    setU16le(b + off::ScanPause, U16(ScanPause));
    b[off::MicAmp] = U8(MicAmp);

    if (v >= Version101) {
        setU16le(b + off::TxPowerPassword, U16(TxPowerPassword));
        b[off::MaxTxPower] = U8(MaxTxPower);
        b[off::FlagsB] = Bit(Tamp, kTampB) | Bit(TxPowerCommon, kTxPowerCommon) | Bit(SqlCommon, kSqlCommon);
        b[off::SquelchByte] = static_cast<std::uint8_t>((b[off::SquelchByte] & kSquelchOff)
                                                        | (Squelch & kSquelchLevelMask));
    }
    if (v >= Version102) {
        setU16le(b + off::ID, U16(ID));
        b[off::FlagsC] = Bit(KeyLock, kKeyLock) | Bit(Tamp, kTampC) | Bit(KeyBeep, kKeyBeep)
                       | Bit(DigitalDelay, kDigitalDelay) | Bit(MultiplexedChannel, kMultiplexed)
                       | Bit(SqwMonitorPolarity, kSqwPolarity) | Bit(TxVoiceMonitor, kTxVoiceMonitor)
                       | Bit(DeemphasisOff, kDeemphasisOff);
        b[off::Output1] = U8(Output1Function);
        b[off::Output2] = U8(Output2Function);
        b[off::Output3] = U8(Output3Function);
        b[off::StartupMode] = U8(StartupMode);
        b[off::Spare] = 0;
    }
    return SealImage(image);
}

bool SettingsContext::DecodeImage(const TableImage &image)
{
    version = image.version();
    if (!VerifyImageCrc(image))
        return false;
    const std::uint16_t length = LengthForVersion(image.version());
    if (length == 0 || image.length() != length)
        return false;

    const std::uint8_t *b = image.data();
    SpecChannel = b[off::SpecChannel];
    BeepMax = b[off::BeepMax];
    BeepMin = b[off::BeepMin];
    MinVolume = b[off::MinVolume];
    StartChannel = b[off::StartChannel];
    TxPower = b[off::TxPower] != 0;
    Volume = b[off::Volume];
    Squelch_On = (b[off::SquelchByte] & kSquelchOff) == 0;
    Intensity = b[off::Intensity];
    SquelchAutoVol_On = b[off::FlagsA] & kAutoVol;
    ExtSpeaker_On = (b[off::FlagsA] & kExtSpeakerOff) == 0;
    StartChannelLock = b[off::FlagsA] & kStartLock;
    SpecChannelLock = b[off::FlagsA] & kSpecLock;
    TxLimit = getU16le(b + off::TxLimit);
    TxPause = getU16le(b + off::TxPause);
    IntensityKeys = b[off::IntensityKeys];
    ScanPause = getU16le(b + off::ScanPause);
    MicAmp = b[off::MicAmp];

    if (version >= Version101) {
        TxPowerPassword = getU16le(b + off::TxPowerPassword);
        MaxTxPower = b[off::MaxTxPower];
        Squelch = b[off::SquelchByte] & kSquelchLevelMask;
        Tamp = b[off::FlagsB] & kTampB;
        TxPowerCommon = b[off::FlagsB] & kTxPowerCommon;
        SqlCommon = b[off::FlagsB] & kSqlCommon;
    } else {
        // An image without these fields gives the configuration file's defaults.
        SetVersion101Defaults(3);
    }

    if (version == Version102) {
        const std::uint8_t c = b[off::FlagsC];
        ID = getU16le(b + off::ID);
        KeyLock = c & kKeyLock;
        Tamp = c & kTampC;
        KeyBeep = c & kKeyBeep;
        DigitalDelay = c & kDigitalDelay;
        MultiplexedChannel = c & kMultiplexed;
        SqwMonitorPolarity = c & kSqwPolarity;
        TxVoiceMonitor = c & kTxVoiceMonitor;
        DeemphasisOff = c & kDeemphasisOff;
        Output1Function = b[off::Output1];
        Output2Function = b[off::Output2];
        Output3Function = b[off::Output3];
        StartupMode = b[off::StartupMode];
    } else {
        SetVersion102Defaults();
    }
    return true;
}

namespace {

// One table drives both directions of the XML form, in the file's element order
// (it differs from the declaration order only in the place of ScanPause).
struct XmlField
{
    const char *name;
    std::int32_t SettingsContext::*number;
    bool SettingsContext::*flag;
    std::int32_t xmlDefault;
};

#define KD_INT(n, d) XmlField{#n, &SettingsContext::n, nullptr, d}
#define KD_BOOL(n, d) XmlField{#n, nullptr, &SettingsContext::n, d}
const XmlField kXmlOrder[] = {
    KD_INT(Intensity, 9), KD_INT(IntensityKeys, 9), KD_INT(Volume, 10), KD_INT(MinVolume, 9),
    KD_INT(BeepMin, 3), KD_INT(BeepMax, 8), KD_INT(TxLimit, 0), KD_INT(TxPause, 0),
    KD_INT(StartChannel, 0), KD_INT(SpecChannel, 0), KD_BOOL(TxPower, 0), KD_BOOL(Squelch_On, 1),
    KD_BOOL(SquelchAutoVol_On, 1), KD_BOOL(ExtSpeaker_On, 1), KD_BOOL(SpecChannelLock, 0),
    KD_BOOL(StartChannelLock, 0), KD_INT(ScanPause, 5), KD_INT(MicAmp, 1),
    KD_INT(TxPowerPassword, 0), KD_INT(MaxTxPower, 3), KD_INT(Squelch, 1), KD_BOOL(Tamp, 1),
    KD_BOOL(TxPowerCommon, 0), KD_BOOL(SqlCommon, 0), KD_INT(ID, 1), KD_BOOL(KeyLock, 0),
    KD_BOOL(KeyBeep, 1), KD_BOOL(DigitalDelay, 1), KD_BOOL(MultiplexedChannel, 0),
    KD_BOOL(SqwMonitorPolarity, 0), KD_BOOL(TxVoiceMonitor, 1), KD_BOOL(DeemphasisOff, 0),
    KD_INT(Output1Function, 0), KD_INT(Output2Function, 0), KD_INT(Output3Function, 0),
    KD_INT(StartupMode, 128),
};
#undef KD_INT
#undef KD_BOOL

} // namespace

void SettingsContext::WriteXml(QDomElement &settings) const
{
    settings.setAttribute(QStringLiteral("version"),
                          QStringLiteral("0x") + QString::number(version, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    for (const XmlField &f : kXmlOrder) {
        if (f.number)
            WriteChildInt(settings, QLatin1String(f.name), this->*(f.number));
        else
            WriteChildBool(settings, QLatin1String(f.name), this->*(f.flag));
    }
}

XmlOutline SettingsContext::Outline()
{
    XmlOutline settings(QStringLiteral("Settings"));
    for (const XmlField &f : kXmlOrder)
        settings.Add(XmlOutline(QLatin1String(f.name), XmlOutline::Value));
    return settings;
}

void SettingsContext::ReadXml(const QDomElement &settings)
{
    std::int32_t v = 256;
    ReadAttrInt(v, settings, QStringLiteral("version"), 256);
    version = static_cast<std::uint16_t>(v);
    for (const XmlField &f : kXmlOrder) {
        if (f.number)
            ReadChildInt(this->*(f.number), settings, QLatin1String(f.name), f.xmlDefault);
        else
            ReadChildBool(this->*(f.flag), settings, QLatin1String(f.name), f.xmlDefault != 0);
    }
}
