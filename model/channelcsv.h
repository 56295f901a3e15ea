// Channels to and from other programs: the channel table as the CSV file the common radio
// programmers read and write, and the report of what could not be carried.
#pragma once

#include "model/channel.h"
#include "model/channelscontext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The channel table as CSV in the layout of the widely used open-source radio
// programmers: one row per memory, a header row naming the columns
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,
//   RPT1CALL,RPT2CALL,DVCODE
//
// Reading finds the columns by name (any case, any order), so files of the
// older layout without RxDtcsCode, CrossMode, Power and DVCODE read too; a
// file saved by a spreadsheet with ";" between the cells and decimal commas
// reads as well. What both sides know:
//
//   Location        channel number 0..99
//   Frequency       receive frequency in MHz ("146.520000")
//   Duplex, Offset  transmit frequency: "" the same as receive, "+"/"-" receive
//                   plus/minus Offset, "split" Offset is the transmit
//                   frequency, "off" no transmit frequency
//   Tone ...        the subtone code of each direction, below
//   Mode            "FM" 25,0 kHz, "NFM" 12,5 kHz, both directions
//   Skip            "" scanned, "S" not scanned ("P", priority, reads as scanned)
//   Power           watts of the maximum power level ("40W"), matched against
//                   the radio's four levels
//
// Tone modes, transmit side first: "" none; "Tone" rToneFreq / none; "TSQL"
// cToneFreq / cToneFreq; "DTCS" DtcsCode / DtcsCode; "Cross" by CrossMode:
// "Tone->Tone" rToneFreq / cToneFreq, "Tone->DTCS" rToneFreq / RxDtcsCode,
// "DTCS->Tone" DtcsCode / cToneFreq, "DTCS->DTCS" DtcsCode / RxDtcsCode,
// "DTCS->" DtcsCode / none, "->Tone" none / cToneFreq, "->DTCS" none /
// RxDtcsCode. DtcsPolarity holds the transmit then the receive polarity; only
// "N" (normal) exists here. A tone or code must be one of the radio's lists.
//
// The layout has no column for call tones, squelch, minimum power, scrambler,
// transmit limit, busy-channel transmit and the working flag: exported they
// are lost, imported channels take the values of a reset channel.
namespace ChannelCsv {

using Channels = std::array<Channel, ChannelsContext::Count>;
using PowerLevels = std::array<std::int32_t, 4>;
inline constexpr PowerLevels DefaultPowerWatts{5, 10, 20, 40};

// The header row as written.
QStringList Columns();

struct ExportResult
{
    QByteArray data;   // UTF-8, CR LF line ends
    int written = 0;   // channel rows
    QStringList notes; // channels and fields the layout could not take
};

// Every used channel with a receive frequency, in channel order.
ExportResult Export(const Channels &channels, const PowerLevels &watts = DefaultPowerWatts);
// The same into a file, through a temporary so a failure leaves an older file whole.
bool Save(const QString &path, const Channels &channels, const PowerLevels &watts, ExportResult &result,
          QString &error);
// One line on what the layout never carries, for the export's report.
QString ExportLimits();

struct ImportResult
{
    Channels channels;                                // reset where no row set them
    std::array<int, ChannelsContext::Count> lineOf{}; // file line that set each channel; 0 none
    int rows = 0;                                     // data rows in the file
    int carried = 0;                                  // channels set by the rows

    struct Note
    {
        int line; // of the file
        QString text;
    };
    QList<Note> notes;       // rows and fields not carried
    QStringList columnNotes; // columns not carried, counted over the rows

    QString Summary() const;
    // The notes in file order, then the column notes.
    QStringList Report() const;
};

// Reads CSV text. False, with `error`, only when the text is not such a table
// (no header with Location and Frequency); rows that cannot be carried are
// named in the result instead.
bool Parse(const QByteArray &data, const PowerLevels &watts, ImportResult &result, QString &error);
bool Read(const QString &path, const PowerLevels &watts, ImportResult &result, QString &error);

// Puts the imported channels into `table` in place of all its channels, then
// removes those outside its current range as opening a configuration file
// does; each removed channel is named in `result.notes` and no longer counted
// as carried. Returns true when none was removed.
bool Adopt(ImportResult &result, ChannelsContext &table);

// True for a file name that ends in ".csv" (any case).
bool IsCsvPath(const QString &path);

} // namespace ChannelCsv
