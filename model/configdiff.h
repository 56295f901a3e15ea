// What a write would change in a radio, as the images carry it: field by field, channels and settings.
#pragma once

#include "model/channel.h"
#include "model/settingscontext.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// What differs between two configurations as a radio would hold them. Both
// sides pass through the table images first, so a difference means the radio
// would end up holding something else, and normalisations the image makes
// (power levels in order, out-of-range codes) are not reported as changes.
namespace ConfigDiff {

struct Difference
{
    int channel = -1;  // 0..99, or -1 for a setting
    QString field;     // the element name: "freq_rx", "Volume"
    QString left;      // the value as the configuration file writes it; empty: none
    QString right;
    bool operator==(const Difference &) const = default;
};

using Channels = std::array<Channel, 100>;

// The channel as its image record gives it back, as the comparison sees it; a
// channel the record refuses stays as it is.
Channel ThroughRecord(const Channel &channel);

QList<Difference> CompareChannels(const Channels &left, const Channels &right);
// Compared in the image of `version`, the one the radio takes; the programming
// counter is left out, since every write changes it.
QList<Difference> CompareSettings(const SettingsContext &left, const SettingsContext &right, std::uint16_t version);

} // namespace ConfigDiff
