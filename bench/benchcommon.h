// What the benchmarks share: the largest write there is, and the wire bytes a trace counts.
#pragma once

#include "model/channelscontext.h"
#include "model/configdocument.h"
#include "model/settingscontext.h"

#include <QFile>
#include <QList>
#include <QString>

#include <cstddef>

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

// Bytes of every frame in a trace file: "time > c0 .. c1"; "#" lines are notes.
inline std::size_t WireBytes(const QString &trace)
{
    QFile f(trace);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    std::size_t bytes = 0;
    while (!f.atEnd()) {
        const QList<QByteArray> fields = f.readLine().trimmed().split(' ');
        if (fields.size() > 2 && fields[0] != "#")
            bytes += std::size_t(fields.size() - 2);
    }
    return bytes;
}
