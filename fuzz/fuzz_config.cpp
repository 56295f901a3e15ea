// A configuration file opened and saved: any bytes are read or refused, and a
// file that is read is saved, read again and saved again. The second file must
// equal the first, and the records what the first read gave, less what the
// format drops on purpose: channels that are not used are not written, and
// frequencies, tones and subtone codes of 0 or less are written as none.

#include "model/configdocument.h"

namespace {

Channel Normalised(Channel c)
{
    if (!c.IsUsed())
        return Channel();
    for (std::int32_t *v : {&c.freq_rx, &c.freq_tx, &c.tone_rx, &c.tone_tx, &c.subtone_rx, &c.subtone_tx}) {
        if (*v < 0)
            *v = 0;
    }
    return c;
}

QByteArray Save(const ConfigurationDocument::Contents &contents)
{
    ChannelsContext table{QString()};
    if (contents.range.IsValid())
        table.ranges.Select(table.ranges.Add(&contents.range));
    table.channels = contents.channels;
    return ConfigurationDocument::Serialize(table, contents.settings);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ConfigurationDocument::Contents first;
    QString error;
    if (!ConfigurationDocument::Parse(bytes, QStringLiteral("fuzz"), first, error)) {
        if (error.isEmpty())
            __builtin_trap();  // a refusal always says why
        return 0;
    }
    const QByteArray saved = Save(first);
    ConfigurationDocument::Contents again;
    if (!ConfigurationDocument::Parse(saved, QStringLiteral("saved"), again, error))
        __builtin_trap();
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        if (!(again.channels[n] == Normalised(first.channels[n])))
            __builtin_trap();
    }
    FreqRange expected;
    expected.SetDefault();
    if (first.range.IsValid())
        expected = first.range;
    if (!(again.settings == first.settings) || !again.range.Equals(expected) || Save(again) != saved)
        __builtin_trap();
    return 0;
}
