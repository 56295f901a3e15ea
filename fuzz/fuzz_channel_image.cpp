// The channel table image decoded and encoded again. Input: one flag byte, then
// the image. Flag bit 0 keeps the input's version and length (else 1.00 and
// 2012), bit 1 keeps its CRC words (else the image is sealed, so that decoding
// gets past the check).
//
// What the layout changes on purpose, so that only the second round must
// reproduce itself exactly: a subtone byte outside 1..134 decodes as it stands
// but is written as 0; bytes 12..19 of a record, bit 6 of its flags and the
// fill after the table are written as 0, 0 and 0xFF; a squelch nibble of 0 or
// 9..15 decodes as 1 or 8; power levels decode in ascending order; a record
// whose frequency words are 0 (0 Hz) or 0xFFFF (none) without a real frequency
// is a channel that is not used, written as 20 bytes of 0xFF.

#include "model/channelscontext.h"

#include <cstring>

namespace {

Channel Normalised(Channel c)
{
    if (!c.IsUsed())
        return Channel();
    for (std::int32_t *code : {&c.subtone_rx, &c.subtone_tx}) {
        if (*code < 1 || *code > 134)
            *code = 0;
    }
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    TableImage image;
    image.Fill(0xFF);
    std::memcpy(image.data(), data + 1, std::min<std::size_t>(size - 1, TableImage::Size));
    if (!(flags & 1)) {
        image.SetVersion(ChannelsContext::TableVersion);
        image.SetLength(ChannelsContext::TableLength);
    }
    if (!(flags & 2))
        SealImage(image);

    // A decode that succeeds assigns every channel, so the tables can be reused.
    static ChannelsContext first{QString()};
    static ChannelsContext again{QString()};
    if (!first.DecodeImage(image))
        return 0;
    TableImage second;
    if (!first.EncodeImage(second, ChannelsContext::TableVersion))
        __builtin_trap();  // every decoded frequency is a whole step count
    if (!again.DecodeImage(second))
        __builtin_trap();
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        if (!(again.channels[n] == Normalised(first.channels[n])))
            __builtin_trap();
    }
    TableImage third;
    if (!again.EncodeImage(third, ChannelsContext::TableVersion) || third.bytes != second.bytes)
        __builtin_trap();
    return 0;
}
