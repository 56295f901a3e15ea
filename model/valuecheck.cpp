// Channels and settings checked field by field against what their images carry, and each
// finding's line for the user.

#include "model/valuecheck.h"

#include "xml/xml_common.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ValueCheck)
};

QString Hz(std::int64_t hz)
{
    const QString digits = GroupDigits(QString::number(hz < 0 ? -hz : hz));
    return (hz < 0 ? QStringLiteral("-") : QString()) + digits + Tr::tr(" Гц");
}

QString Subject(int channel, const QString &field, const QString &value)
{
    if (channel >= 0)
        return Tr::tr("Канал %1: %2 = %3").arg(channel).arg(field, value);
    return Tr::tr("Настройка %1 = %2").arg(field, value);
}

ValueFinding Finding(ValueFinding::Severity severity, int channel, const char *field, std::int64_t value,
                     std::int64_t written, const QString &text)
{
    return ValueFinding{severity, channel, QLatin1String(field), value, written, text};
}

// A number that travels as its low `bits`, unsigned.
void CheckWidth(QList<ValueFinding> &out, int channel, const char *field, std::int32_t value, int bits)
{
    const std::int64_t max = (std::int64_t(1) << bits) - 1;
    if (value >= 0 && value <= max)
        return;
    const std::int64_t written = std::int64_t(std::uint32_t(value) & std::uint32_t(max));
    out << Finding(ValueFinding::Refused, channel, field, value, written,
                   Subject(channel, QLatin1String(field), QString::number(value))
                       + Tr::tr(" вне пределов поля 0..%1 (в радиостанцию попало бы %2)").arg(max).arg(written));
}

void CheckFrequency(QList<ValueFinding> &out, int channel, const char *field, std::int32_t hz)
{
    // -1 is how the editor switches a direction off; any other negative
    // number came from a file and the radio gets no frequency for it either.
    if (hz < -1)
        out << Finding(ValueFinding::Normalised, channel, field, hz, 0,
                       Subject(channel, QLatin1String(field), Hz(hz)) + Tr::tr(" будет записано как 0 (нет частоты)"));
    if (hz <= 0)
        return;  // none
    const std::int64_t steps = hz / Channel::FrequencyStep;
    const QString subject = Subject(channel, QLatin1String(field), Hz(hz));
    if (steps > Channel::MaxStepCount) {
        const std::int64_t word = steps & 0xFFFF;
        const std::int64_t written = word == 0xFFFF ? 0 : word * Channel::FrequencyStep;
        out << Finding(ValueFinding::Refused, channel, field, hz, written,
                       subject + Tr::tr(" выше наибольшей частоты таблицы каналов %1")
                                     .arg(Hz(std::int64_t(Channel::MaxStepCount) * Channel::FrequencyStep)));
    } else if (hz % Channel::FrequencyStep != 0) {
        const std::int64_t written = steps * Channel::FrequencyStep;
        out << Finding(ValueFinding::Refused, channel, field, hz, written,
                       subject + Tr::tr(" не кратна шагу %1 (в радиостанцию попало бы %2)")
                                     .arg(Hz(Channel::FrequencyStep), Hz(written)));
    }
}

void Normalised(QList<ValueFinding> &out, int channel, const char *field, std::int32_t value, std::int32_t written)
{
    out << Finding(ValueFinding::Normalised, channel, field, value, written,
                   Subject(channel, QLatin1String(field), QString::number(value))
                       + Tr::tr(" будет записано как %1").arg(written));
}

void CheckChannel(QList<ValueFinding> &out, int n, const Channel &c)
{
    CheckFrequency(out, n, "freq_rx", c.freq_rx);
    CheckFrequency(out, n, "freq_tx", c.freq_tx);
    for (const auto &[field, tone] : {std::pair{"tone_rx", c.tone_rx}, std::pair{"tone_tx", c.tone_tx}}) {
        if (tone < 0)
            Normalised(out, n, field, tone, 0);
        else
            CheckWidth(out, n, field, tone, 16);
    }
    for (const auto &[field, code] : {std::pair{"subtone_rx", c.subtone_rx}, std::pair{"subtone_tx", c.subtone_tx}}) {
        if (code < 0 || code > 134)
            Normalised(out, n, field, code, 0);
    }
    if (c.tx_power_low > c.tx_power_high) {
        out << Finding(ValueFinding::Normalised, n, "tx_power_low", c.tx_power_low, c.tx_power_high,
                       Tr::tr("Канал %1: tx_power_low = %2 больше tx_power_high = %3, уровни будут переставлены")
                           .arg(n)
                           .arg(c.tx_power_low)
                           .arg(c.tx_power_high));
    }
    for (const auto &[field, level] : {std::pair{"tx_power_low", c.tx_power_low}, std::pair{"tx_power_high", c.tx_power_high}}) {
        if (level < 0 || level > 3)
            Normalised(out, n, field, level, 0);
    }
    if (c.squelch < 1 || c.squelch > 8)
        Normalised(out, n, "squelch", c.squelch, std::clamp(c.squelch, 1, 8));
}

struct SettingsField
{
    const char *name;
    std::int32_t SettingsContext::*member;
    int bits;
    std::uint16_t since;
};

constexpr SettingsField kFields[] = {
    {"Intensity", &SettingsContext::Intensity, 8, SettingsContext::Version100},
    {"IntensityKeys", &SettingsContext::IntensityKeys, 8, SettingsContext::Version100},
    {"Volume", &SettingsContext::Volume, 8, SettingsContext::Version100},
    {"MinVolume", &SettingsContext::MinVolume, 8, SettingsContext::Version100},
    {"BeepMin", &SettingsContext::BeepMin, 8, SettingsContext::Version100},
    {"BeepMax", &SettingsContext::BeepMax, 8, SettingsContext::Version100},
    {"TxLimit", &SettingsContext::TxLimit, 16, SettingsContext::Version100},
    {"TxPause", &SettingsContext::TxPause, 16, SettingsContext::Version100},
    {"StartChannel", &SettingsContext::StartChannel, 8, SettingsContext::Version100},
    {"SpecChannel", &SettingsContext::SpecChannel, 8, SettingsContext::Version100},
    {"ScanPause", &SettingsContext::ScanPause, 16, SettingsContext::Version100},
    {"MicAmp", &SettingsContext::MicAmp, 8, SettingsContext::Version100},
    {"TxPowerPassword", &SettingsContext::TxPowerPassword, 16, SettingsContext::Version101},
    {"MaxTxPower", &SettingsContext::MaxTxPower, 8, SettingsContext::Version101},
    {"ID", &SettingsContext::ID, 16, SettingsContext::Version102},
    {"Output1Function", &SettingsContext::Output1Function, 8, SettingsContext::Version102},
    {"Output2Function", &SettingsContext::Output2Function, 8, SettingsContext::Version102},
    {"Output3Function", &SettingsContext::Output3Function, 8, SettingsContext::Version102},
    {"StartupMode", &SettingsContext::StartupMode, 8, SettingsContext::Version102},
};

} // namespace

QString FindingLine(const ValueFinding &finding)
{
    return (finding.severity == ValueFinding::Refused ? Tr::tr("Ошибка: %1") : Tr::tr("Предупреждение: %1"))
        .arg(finding.text);
}

QList<ValueFinding> ChangedSettings(const SettingsContext &before, const SettingsContext &after)
{
    QList<ValueFinding> out;
    for (const SettingsField &f : kFields) {
        const std::int32_t was = before.*(f.member);
        const std::int32_t now = after.*(f.member);
        if (was != now)
            Normalised(out, -1, f.name, was, now);
    }
    return out;
}

QList<ValueFinding> CheckValues(const std::array<Channel, ChannelsContext::Count> &channels,
                                const SettingsContext &settings, std::uint16_t settingsVersion)
{
    QList<ValueFinding> out;
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        if (channels[n].IsUsed())
            CheckChannel(out, n, channels[n]);
    }
    for (const SettingsField &f : kFields) {
        if (settingsVersion >= f.since)
            CheckWidth(out, -1, f.name, settings.*(f.member), f.bits);
    }
    // The common squelch level has three bits; level 8 travelling as 0 is the
    // layout's own rule, anything else outside 0..8 would arrive as another level.
    if (settingsVersion >= SettingsContext::Version101 && (settings.Squelch < 0 || settings.Squelch > 8)) {
        const std::int32_t written = settings.Squelch & 7;
        out << Finding(ValueFinding::Refused, -1, "Squelch", settings.Squelch, written,
                       Subject(-1, QStringLiteral("Squelch"), QString::number(settings.Squelch))
                           + Tr::tr(" вне пределов 0..8 (в радиостанцию попало бы %1)").arg(written));
    }
    return out;
}
