// What a write would change in a radio, channel by channel and setting by setting.
#pragma once

#include "model/configdiff.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// What a write would change in a radio, channel by channel and setting by
// setting, in the words of the grid and the settings pages: the radio's value
// beside the program's. Differences come from ConfigDiff, so both sides are
// taken as the radio would hold them.
namespace comparison {

// The channel columns, in the order the dialog shows them; each is one
// element of the channel record.
int ColumnCount();
QString ColumnField(int column);   // "freq_rx"
QString ColumnCaption(int column); // "Частота приема (Гц)"
// Columns always shown, so that a channel can be recognised by its frequencies.
bool ColumnAlwaysShown(int column);

// A channel's value in a column, as the radio would hold it; `watts` are the
// radio's power levels. An unused channel shows "нет" for its frequencies and
// nothing else.
QString ChannelText(const Channel &channel, int column, const std::array<std::int32_t, 4> &watts);

// A setting's caption and a value of it as the configuration file writes it
// ("1"), in the words of the settings pages ("да").
QString SettingCaption(const QString &field);
QString SettingText(const QString &field, const QString &value);

struct ChannelRow
{
    int channel = 0; // 0..99
    QStringList radio;
    QStringList program;
    QList<bool> changed; // per column
};

struct SettingRow
{
    QString field;
    QString caption;
    QString radio;
    QString program;
};

struct Comparison
{
    QList<ChannelRow> channels;
    QList<SettingRow> settings;

    bool IsEmpty() const { return channels.isEmpty() && settings.isEmpty(); }
    // The columns worth showing: the frequencies and every column that changed.
    QList<int> VisibleColumns() const;
    // One line for the top of the dialog.
    QString Summary() const;
};

// The radio's tables against the program's. `version` is the settings version
// the radio takes (0: the radio reports none, 1.00 is written).
Comparison Compare(const ConfigDiff::Channels &radio, const ConfigDiff::Channels &program,
                   const SettingsContext &radioSettings, const SettingsContext &programSettings,
                   std::uint16_t version, const std::array<std::int32_t, 4> &watts);

} // namespace comparison
