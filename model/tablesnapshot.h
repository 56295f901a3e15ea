// The tables as plain values, for undo and for telling whether anything is left unsaved.
#pragma once

#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/freqrange.h"
#include "model/settingscontext.h"

#include <array>

// The tables a configuration consists of, held as values: the 100 channels,
// the settings and the selected range. Undo keeps one before and after every
// change, and "unsaved" compares the tables with the last one opened, saved,
// read or written.
struct TablesSnapshot
{
    std::array<Channel, ChannelsContext::Count> channels;
    SettingsContext settings;
    FreqRange range;

    static TablesSnapshot Of(const ChannelsContext &table, const SettingsContext &settings);

    // What opening `contents` makes of `current`: the file's channels and
    // settings, its range when that is valid (else the current one stays), and
    // the current programming counter, which no file carries.
    static TablesSnapshot FromFile(const ConfigurationDocument::Contents &contents,
                                   const TablesSnapshot &current);

    // Puts the snapshot into the model; its range joins the range list when
    // the list does not hold it yet, and becomes current.
    void ApplyTo(ChannelsContext &table, SettingsContext &settings) const;

    // Whether a file or the radio would get the same from both. Two empty
    // channels are the same whatever their unused fields hold, power levels
    // count in either order, and the programming counter is left out: every
    // exchange with a radio changes it.
    bool SameTables(const TablesSnapshot &other) const;
};

// Channels as a file or the radio would hold them (see SameTables).
bool SameChannel(const Channel &a, const Channel &b);
