// Snapshots taken, applied to the model and compared as a file or the radio would hold them.

#include "model/tablesnapshot.h"

#include <utility>

TablesSnapshot TablesSnapshot::Of(const ChannelsContext &table, const SettingsContext &settings)
{
    return TablesSnapshot{table.channels, settings, table.ranges.Current()};
}

TablesSnapshot TablesSnapshot::FromFile(const ConfigurationDocument::Contents &contents,
                                        const TablesSnapshot &current)
{
    TablesSnapshot s{contents.channels, contents.settings,
                     contents.range.IsValid() ? contents.range : current.range};
    s.settings.ProgramCount = current.settings.ProgramCount;
    return s;
}

void TablesSnapshot::ApplyTo(ChannelsContext &table, SettingsContext &target) const
{
    table.channels = channels;
    target = settings;
    if (!range.Equals(table.ranges.Current()))
        table.ranges.Select(table.ranges.Add(&range));
}

bool SameChannel(const Channel &a, const Channel &b)
{
    if (!a.IsUsed() && !b.IsUsed())
        return true;
    Channel x = a;
    Channel y = b;
    for (Channel *c : {&x, &y}) {
        if (c->tx_power_low > c->tx_power_high)
            std::swap(c->tx_power_low, c->tx_power_high);
    }
    return x == y;
}

bool TablesSnapshot::SameTables(const TablesSnapshot &other) const
{
    if (!range.Equals(other.range))
        return false;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (!SameChannel(channels[i], other.channels[i]))
            return false;
    }
    SettingsContext a = settings;
    a.ProgramCount = other.settings.ProgramCount;
    return a == other.settings;
}
