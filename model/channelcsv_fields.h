// What the CSV table's reading and writing share: the texts' context, the
// columns, and the mapping of numbers and tones to and from their cells.
#pragma once

#include "model/subtones.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cstdint>

namespace ChannelCsv {

// The texts of the CSV files, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ChannelCsv)
};

enum Column {
    ColLocation,
    ColName,
    ColFrequency,
    ColDuplex,
    ColOffset,
    ColTone,
    ColRTone,
    ColCTone,
    ColDtcs,
    ColPolarity,
    ColRxDtcs,
    ColCrossMode,
    ColMode,
    ColTStep,
    ColSkip,
    ColPower,
    ColComment,
    ColUrcall,
    ColRpt1,
    ColRpt2,
    ColDvcode,
    ColumnCount
};

inline constexpr const char *kColumnNames[ColumnCount] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};

inline constexpr qint64 kHzPerMHz = 1000000;

// A cell's text in quotes, for messages.
QString Quoted(const QString &text);
// A decimal with at most `decimals` digits after the point (or comma), scaled
// to a whole number; false for anything else.
bool ParseFixed(const QString &text, int decimals, qint64 &value);
QString MHz(qint64 hertz);
QString Hertz(qint64 hertz);
// The CTCSS tones in tenths of a hertz, in the radio's order.
const std::array<qint64, CtcssCount> &CtcssTenths();
QString CsvTone(std::int32_t code);
// The subtone code of a tone or DCS code; 0 when the radio has none such.
std::int32_t CtcssCodeOf(qint64 tenths);
std::int32_t DcsCodeOf(const QString &text);

} // namespace ChannelCsv
