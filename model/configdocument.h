// The configuration file: read all or nothing, opened into the model, and saved so that a failure
// leaves the old file whole.
#pragma once

#include "model/channelscontext.h"
#include "model/freqrange.h"
#include "model/settingscontext.h"

#include <QString>

#include <array>

// A configuration file: root element "root" with FreqRange, Channels and
// Settings, declared windows-1251. A file without the range is read with the
// default range; one without "root", "Channels" or "Settings" is refused, since
// reading it would give an empty table and reset settings that a write would
// then put into the radio.
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
// In time linear in the file's size: see XmlOutline.
bool Read(const QString &path, Contents &contents, QString &error);
// The same for a file's bytes; `source` names the file in messages.
bool Parse(const QByteArray &data, const QString &source, Contents &contents, QString &error);

// Opens a file all-or-nothing: only a file read without an error changes the
// model. Then its range (when valid) joins the range list and becomes current,
// the channels and settings take the file's values (ProgramCount stays), and
// channels outside the current range are removed; `removed` says whether any was.
// `removedChannels`, when given, receives the numbers of the channels removed.
bool Open(const QString &path, ChannelsContext &channels, SettingsContext &settings, bool &removed,
          QString &error, QList<int> *removedChannels = nullptr);

// The warning after opening removed channels outside the range, naming them.
QString RemovedMessage(const QList<int> &channels);

// The document as saved; channels may reorder their power levels.
QByteArray Serialize(ChannelsContext &channels, const SettingsContext &settings);

// Whether `path` can take a saved file: an existing path must be a regular file
// (a device, a pipe or a folder would be replaced by one), and its folder must
// exist and be writable. Callers that first read a radio check before reading.
bool CheckSaveTarget(const QString &path, QString &error);

// Saves through a temporary file, so the previous file stays intact until the
// new one is complete. Refuses what CheckSaveTarget refuses.
bool Save(const QString &path, ChannelsContext &channels, const SettingsContext &settings, QString &error);

} // namespace ConfigurationDocument
