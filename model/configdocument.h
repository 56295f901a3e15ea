#pragma once

#include "model/channelscontext.h"
#include "model/freqrange.h"
#include "model/settingscontext.h"

#include <QString>

#include <array>

// A configuration file: root element "root" (its name is not checked on
// reading) with FreqRange, Channels and Settings, declared windows-1251.
namespace ConfigurationDocument {

// Everything a file holds, read into fresh records.
struct Contents
{
    FreqRange range;          // the file's range, or the default when it has none usable
    bool rangeFromFile = false;
    std::array<Channel, ChannelsContext::Count> channels;
    SettingsContext settings;
};

// Reads a whole file without touching any model. On failure `error` says why,
// with line and column where the parser or a value element gives them.
bool Read(const QString &path, Contents &contents, QString &error);

// Opens a file all-or-nothing: only a file read without an error changes the
// model. Then its range (when valid) joins the range list and becomes current,
// the channels and settings take the file's values (ProgramCount stays), and
// channels outside the current range are removed; `removed` says whether any was.
bool Open(const QString &path, ChannelsContext &channels, SettingsContext &settings, bool &removed,
          QString &error);

// The document as saved; channels may reorder their power levels.
QByteArray Serialize(ChannelsContext &channels, const SettingsContext &settings);

// Saves through a temporary file, so the previous file stays intact until the
// new one is complete.
bool Save(const QString &path, ChannelsContext &channels, const SettingsContext &settings, QString &error);

} // namespace ConfigurationDocument
