#pragma once

#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/settingscontext.h"

#include <QString>

// Saves a configuration of 100 used channels inside a simulated radio's range:
// the largest write there is.
inline bool SaveFullTable(const QString &path)
{
    ChannelsContext t{QString()};
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        t.channels[n].freq_rx = 33000000 + n * 100000;
        t.channels[n].freq_tx = 33000000 + n * 100000;
    }
    SettingsContext s;
    QString error;
    return ConfigurationDocument::Save(path, t, s, error);
}
