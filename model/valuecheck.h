// Values the images would not carry as they stand: refused before a write, or normalised and said so.
#pragma once

#include "model/channelscontext.h"
#include "model/settingscontext.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// Values the table images cannot carry as they stand.
//
// Refused: the radio would receive another value than the record's: a number
// wider than its field (only its low bits travel), a frequency off the 12 500 Hz
// raster (the remainder is dropped) or beyond the largest step count. A write
// stops before anything is sent when there is one.
//
// Normalised: the image layout maps the value on purpose, and what the radio
// receives is what the editor would show after a read: a channel squelch
// clamped to 1..8, a subtone code outside 0..134 written as 0, power levels
// swapped or outside 0..3 (written as 0), a negative call tone written as none,
// a negative frequency written as none (-1 is the editor's own "none").
struct ValueFinding
{
    enum Severity { Refused, Normalised };

    Severity severity = Refused;
    int channel = -1;            // 0..99, or -1 for a setting
    QString field;               // the element name in a configuration file
    std::int64_t value = 0;      // as the record holds it
    std::int64_t written = 0;    // what would reach the radio
    QString text;                // one line for the user
};

// Every finding for the used channels and, of the settings, the fields that a
// table of `settingsVersion` carries. Channels first, in number order.
QList<ValueFinding> CheckValues(const std::array<Channel, ChannelsContext::Count> &channels,
                                const SettingsContext &settings, std::uint16_t settingsVersion);

// One finding as the user reads it: "Ошибка: ..." or "Предупреждение: ...".
QString FindingLine(const ValueFinding &finding);

// The number fields of the settings that differ between `before` and
// `after`, as normalisations from the one value to the other: what showing a
// table changed (a track bar's clamp, a list's fallback).
QList<ValueFinding> ChangedSettings(const SettingsContext &before, const SettingsContext &after);

inline bool HasRefused(const QList<ValueFinding> &findings)
{
    for (const ValueFinding &f : findings) {
        if (f.severity == ValueFinding::Refused)
            return true;
    }
    return false;
}
