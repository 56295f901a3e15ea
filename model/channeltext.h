// Channels through the clipboard: tab-separated text that a spreadsheet takes and gives back.
#pragma once

#include "model/channel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class ChannelsContext;

// Whole channels as tab-separated text with a header line: the form in which
// a spreadsheet takes rows from the clipboard and gives them back.
//
//   channel  freq_rx    freq_tx    tone_rx ... active
//   5        150125000  150125000  0       ... 1
//
// Every field is a whole number as the configuration file writes it (hertz,
// codes, levels, flags 0/1), so no decimal separator of any locale gets in the
// way. An empty channel is its number with blank fields.
namespace ChannelText {

// "channel", then the channel's fields by their element names.
QStringList Columns();

// The header, then one line per channel number in `numbers` (each 0..99).
QString Format(const std::array<Channel, 100> &channels, const QList<int> &numbers);

struct Parsed
{
    QList<Channel> channels;
    int errorLine = 0; // 1-based line of the first bad cell; 0 when all is well
    QString errorColumn;
    bool ok() const { return errorLine == 0; }
};

// Reads lines of tab-separated cells. A first line that names freq_rx or
// freq_tx is the header and says where each field is, in any order; without
// one the columns are those of Format. The channel number is not used, but
// must be blank or 0..99, so that text that is no table is refused; unknown
// columns are ignored; a missing or blank field takes an empty channel's
// value; blank lines are skipped. A cell that is not a whole number the record
// can carry stops the reading at that line.
Parsed Parse(const QString &text);

struct PasteResult
{
    int pasted = 0;  // channels written, from `first` on
    int removed = 0; // of those, emptied for lying outside the current range
    int dropped = 0; // rows left over after channel 99
};

// Writes `rows` into consecutive channels from `first`. A pasted channel
// outside the current range is removed as opening a file removes it: its
// place ends up empty.
PasteResult Paste(ChannelsContext &table, int first, const QList<Channel> &rows);

} // namespace ChannelText
