// Frames of the radio's line protocol: delimiters, escapes and the CRC-16 check.
#pragma once

#include <cstddef>
#include <cstdint>

// Frames on the line: 0xC0, the payload and its CRC-16/X-25 check (low byte
// first), with 0x7D / 0xC0 / 0xC1 escaped as 0x7D followed by the byte XOR 0x20,
// then 0xC1.
namespace frame {

constexpr std::uint8_t Start = 0xC0;
constexpr std::uint8_t End = 0xC1;
constexpr std::uint8_t Escape = 0x7D;

constexpr std::size_t MaxPayload = 4096;  // decoded bytes, check bytes included
constexpr std::size_t MinPayload = 2;     // request or reply payload: a command byte and one more
constexpr std::size_t MaxRawBody = 8192;  // escaped bytes between Start and End
constexpr std::size_t MaxEncoded = 8192;  // a whole frame as sent

constexpr std::uint16_t FcsInit = 0xFFFF;
constexpr std::uint16_t FcsGood = 0xF0B8;

// RFC 1662 register update (reflected 0x8408); no final complement.
std::uint16_t FcsUpdate(std::uint16_t fcs, const std::uint8_t *p, std::size_t n);

// The check value sent after a payload: the complemented register.
inline std::uint16_t FrameCheck(const std::uint8_t *p, std::size_t n)
{
    return static_cast<std::uint16_t>(~FcsUpdate(FcsInit, p, n));
}

// Encodes a payload into `out`; returns the frame length, or 0 when the payload
// is shorter than MinPayload or longer than MaxPayload - 2 (Decode would refuse
// the frame) or the frame would not fit into `capacity`.
std::size_t Encode(const std::uint8_t *payload, std::size_t length, std::uint8_t *out,
                   std::size_t capacity);

enum class DecodeStatus { Ok, BadEscape, Delimiter, TooLong, TooShort, BadCheck };

// Decodes a raw (escaped) body taken between Start and End; an unescaped Start
// or End inside it is refused, as Encode never sends one. On Ok, `payload`
// holds the decoded bytes less the two check bytes and `payloadLength` their
// count. `payload` must hold MaxPayload bytes.
DecodeStatus Decode(const std::uint8_t *raw, std::size_t rawLength, std::uint8_t *payload,
                    std::size_t &payloadLength);

} // namespace frame
