// The frame codec on any bytes: a body the receiver cut out is decoded, and
// whatever decodes is encoded again and must come back unchanged. The same
// bytes taken as a payload must survive Encode and Decode.

#include "link/framecodec.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> payload(frame::MaxPayload);
    std::vector<std::uint8_t> wire(frame::MaxEncoded);
    std::vector<std::uint8_t> again(frame::MaxPayload);

    std::size_t n = 0;
    if (frame::Decode(data, size, payload.data(), n) == frame::DecodeStatus::Ok) {
        if (n + 2 > frame::MaxPayload)
            __builtin_trap();
        // A body that decodes was what Encode makes, less its delimiters.
        const std::size_t w = frame::Encode(payload.data(), n, wire.data(), wire.size());
        if (n >= frame::MinPayload && (w != size + 2 || std::memcmp(wire.data() + 1, data, size) != 0))
            __builtin_trap();
    }

    const std::size_t w = frame::Encode(data, size, wire.data(), wire.size());
    if (w == 0) {
        if (size >= frame::MinPayload && size + 2 <= frame::MaxPayload && size * 2 + 6 <= frame::MaxEncoded)
            __builtin_trap();  // refused although it fits
        return 0;
    }
    if (wire[0] != frame::Start || wire[w - 1] != frame::End)
        __builtin_trap();
    for (std::size_t i = 1; i + 1 < w; ++i) {
        if (wire[i] == frame::Start || wire[i] == frame::End)
            __builtin_trap();  // a delimiter inside the body
    }
    std::size_t m = 0;
    if (frame::Decode(wire.data() + 1, w - 2, again.data(), m) != frame::DecodeStatus::Ok || m != size
        || std::memcmp(again.data(), data, size) != 0)
        __builtin_trap();
    return 0;
}
