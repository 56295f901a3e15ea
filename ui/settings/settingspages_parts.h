// What the settings pages' source files share: the order of the bindings and
// the sizes of the lists.
#pragma once

#include <QLatin1String>
#include <QString>

namespace settingspages {

// Binding order; the wheel asks them in this order.
enum Slider { Intensity, IntensityKeys, Volume, MinVolume, BeepMin, BeepMax };
enum Number { StartChannel, SpecChannel, TxLimit, TxPause, ScanPause, ID };

inline constexpr int kOutputFunctions = 9;
inline constexpr int kSquelchLevels = 8;
inline constexpr int kPowerLevels = 4;

inline QString Name(const char *prefix, const char *role)
{
    return QLatin1String(prefix) + QLatin1String(role);
}

} // namespace settingspages
