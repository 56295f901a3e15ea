// Frames encoded and decoded, with the table-driven CRC-16/X-25.

#include "link/framecodec.h"

#include <array>

namespace frame {
namespace {

struct FcsTable
{
    std::array<std::uint16_t, 256> entry{};
    constexpr FcsTable()
    {
        for (unsigned i = 0; i < 256; ++i) {
            unsigned v = i;
            for (int bit = 0; bit < 8; ++bit)
                v = (v & 1u) ? (v >> 1) ^ 0x8408u : (v >> 1);
            entry[i] = static_cast<std::uint16_t>(v);
        }
    }
};

constexpr FcsTable kFcs;

bool NeedsEscape(std::uint8_t b)
{
    return b == Escape || b == Start || b == End;
}

} // namespace

std::uint16_t FcsUpdate(std::uint16_t fcs, const std::uint8_t *p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        fcs = static_cast<std::uint16_t>((fcs >> 8) ^ kFcs.entry[(fcs ^ p[i]) & 0xFFu]);
    return fcs;
}

std::size_t Encode(const std::uint8_t *payload, std::size_t length, std::uint8_t *out,
                   std::size_t capacity)
{
    if (length < MinPayload || length + 2 > MaxPayload)
        return 0;
    const std::uint16_t check = FrameCheck(payload, length);
    const std::uint8_t checkBytes[2] = {static_cast<std::uint8_t>(check),
                                        static_cast<std::uint8_t>(check >> 8)};
    std::size_t n = 0;
    auto put = [&](std::uint8_t b) {
        if (n < capacity)
            out[n] = b;
        ++n;
    };
    auto putEscaped = [&](std::uint8_t b) {
        if (NeedsEscape(b)) {
            put(Escape);
            put(static_cast<std::uint8_t>(b ^ 0x20));
        } else {
            put(b);
        }
    };
    put(Start);
    for (std::size_t i = 0; i < length; ++i)
        putEscaped(payload[i]);
    putEscaped(checkBytes[0]);
    putEscaped(checkBytes[1]);
    put(End);
    return n <= capacity ? n : 0;
}

DecodeStatus Decode(const std::uint8_t *raw, std::size_t rawLength, std::uint8_t *payload,
                    std::size_t &payloadLength)
{
    payloadLength = 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < rawLength; ++i) {
        std::uint8_t b = raw[i];
        if (b == Escape) {
            if (i + 1 >= rawLength)
                return DecodeStatus::BadEscape;
            b = static_cast<std::uint8_t>(raw[++i] ^ 0x20);
            if (!NeedsEscape(b))
                return DecodeStatus::BadEscape;
        } else if (b == Start || b == End) {
            return DecodeStatus::Delimiter;
        }
        if (n >= MaxPayload)
            return DecodeStatus::TooLong;
        payload[n++] = b;
    }
    if (n < 4)
        return DecodeStatus::TooShort;
    if (FcsUpdate(FcsInit, payload, n) != FcsGood)
        return DecodeStatus::BadCheck;
    payloadLength = n - 2;
    return DecodeStatus::Ok;
}

} // namespace frame
