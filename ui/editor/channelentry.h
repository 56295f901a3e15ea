// The channel editor's entry rules that need no dialog.
#pragma once

#include <QColor>
#include <QString>
#include <Qt>

#include <cstdint>

class Channel;
class ChannelsContext;
class QPalette;

// The channel editor's entry rules that need no dialog: classification of
// frequencies and call tones, the frequency field's digits, the wheel steps and
// the normalisation of a working copy before it is committed.

enum class EntryClass { Invalid = 0, Marginal = 1, Valid = 2 };

// Reception at 41.9 MHz needs a hardware option; the editor accepts it with a warning.
constexpr std::int32_t OptionRxFrequency = 41900000;
constexpr std::int32_t MinTone = 400;
constexpr std::int32_t MaxTone = 3000;
// What a tone check box puts in when the tone it finds is unusable.
constexpr std::int32_t DefaultTone = 1000;
constexpr int WheelNotch = 120;

// Against the current range of `channels` and the direction's bandwidth
// (true = 25 kHz). Only the receive side knows the 41.9 MHz rule.
EntryClass ClassifyRx(const ChannelsContext &channels, std::int32_t f, bool band25);
EntryClass ClassifyTx(const ChannelsContext &channels, std::int32_t f, bool band25);
EntryClass ClassifyTone(std::int32_t t);

// Why an entry is red or yellow, for its field's tool tip; empty when it is
// valid. A frequency: outside the current range (named), off the 12,5 kHz
// step (with the nearest steps), off the 25 kHz step of a 25 kHz band, the
// 41,9 MHz reception option. A call tone: outside 400..3000 Hz.
QString FrequencyReason(const ChannelsContext &channels, std::int32_t f, bool band25, bool receive);
QString ToneReason(std::int32_t t);

// Background of a frequency or tone field: button face when disabled, else
// the window colour, yellow or red by class.
QColor FieldColour(const QPalette &palette, bool enabled, EntryClass entryClass);

// A frequency field of `digits` (8 or 9) digits ends in a fixed "00": the
// user edits digits - 2 positions at 100 Hz resolution.
constexpr int EditableDigits(int digits)
{
    return digits - 2;
}
// The digit count a field needs to show `f` together with a range of `rangeDigits`.
int FieldDigitsFor(std::int32_t f, int rangeDigits);
// The input pattern of a field with `digits` digits ("999 999 9\0\0"), empty for 0.
QString FrequencyMask(int digits);
// The editable digits for `f` in a field of `digits` digits: f / 100, with
// leading zeros so that it reads back unchanged (41 900 000 in a 9-digit field
// is "0419000").
QString FrequencyFieldText(std::int32_t f, int digits);
// `text` holds the editable positions; a blank or a missing position counts as
// 0. -1 when the text is not a number.
std::int32_t ReadFrequencyField(const QString &text, int digits);

// One wheel step of a frequency (see the editor): a raster step without
// modifiers, 100 kHz with Ctrl, 1 MHz with Shift, from the raster below f.
std::int32_t StepFrequency(Qt::KeyboardModifiers modifiers, int delta, bool band25, std::int32_t f);
// One wheel step of a typed channel number: 10 with Shift, 5 with Ctrl, else 1;
// a number outside 0..99 starts from 0 (up) or 100 (down); the result is 0..99.
int StepChannelNumber(Qt::KeyboardModifiers modifiers, int delta, int number);
// The channel number typed into a copy field; -1 when the text is not one.
int ReadChannelNumber(const QString &text);
constexpr bool IsChannelNumber(int n)
{
    return n >= 0 && n <= 99;
}

// Both directions off: no tones or subtones, 25 kHz, the default properties
// and squelch 1; scan and the power levels stay.
void SwitchOff(Channel &c);

// What the editor's check boxes say about the working copy at commit time.
struct EntrySwitches
{
    bool rx = false;
    bool tx = false;
    bool toneRx = false;
    bool toneTx = false;
};

// Normalises a working copy before it goes into the table: a switched-off
// direction becomes -1, a channel with both off is switched off, an unticked
// call tone becomes 0 and the power levels are put in order. Returns true
// when the channel ended up switched off.
bool NormaliseForCommit(Channel &c, const EntrySwitches &switches);

// Link states derived from a channel as it is loaded.
bool BandsLinkedOnLoad(const Channel &c);
bool FrequenciesLinkedOnLoad(const Channel &c, bool rxTicked, bool txTicked);
bool SubtonesLinkedOnLoad(const Channel &c);
bool TonesLinkedOnLoad(const Channel &c, bool rxTicked, bool txTicked);
