// The radio's commands, the checks its replies must pass, and the exchange's error codes.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Commands the radio answers, and the checks a reply must pass.
//
//   command         request payload                    good reply payload
//   CmdInfo 0x01    01 sub                             01 sub data(122 | 104)
//   CmdReadBlock    02 00 block(u16)                   02 xx block(u16) data(0..512)
//   CmdWriteBlock   03 00 block(u16) data(..512)       03 xx block(u16)
namespace protocol {

constexpr std::uint8_t CmdInfo = 0x01;
constexpr std::uint8_t CmdReadBlock = 0x02;
constexpr std::uint8_t CmdWriteBlock = 0x03;

constexpr std::size_t BlockSize = 512;
constexpr std::size_t BlocksPerTable = 4;
constexpr std::size_t InfoMainLength = 122;
constexpr std::size_t InfoExtendedLength = 104;

// Data bytes of an info reply for a sub-command; 0 for an unknown one.
std::size_t InfoDataLength(std::uint8_t subCommand);

// Error codes the exchange reports (0 = none).
enum ErrorCode : int {
    ErrNone = 0,
    ErrChecksum = 17,
    ErrBadReply = 18,
    ErrBlockLength = 19,
    ErrAccess = 20,
    ErrBaudRate = 21,
    ErrBufferPointer = 22,
    ErrCompare = 23,
    ErrNoReply = 24,
};

// The user's message for an error code.
QString ErrorMessage(int code);

// Outcome of a reply check: the error code to record (0 when the reply is good)
// and, for a check that fails without a code, ok = false with code 0.
struct Check
{
    bool ok = false;
    int code = ErrNone;
    static Check Good() { return {true, ErrNone}; }
    static Check Bad(int code) { return {false, code}; }
};

// Info reply to `subCommand`; on success copies the data to `out`.
Check CheckInfoReply(const std::uint8_t *payload, std::size_t length, std::uint8_t subCommand,
                     std::uint8_t *out);

// Read-block reply for `block`; on success copies the data into the 2048-byte
// image `image` at the block's slot and sets `done` when the image is complete.
Check CheckReadReply(const std::uint8_t *payload, std::size_t length, std::uint16_t block,
                     std::uint8_t *image, bool &done);

// Write-block reply for `block`.
Check CheckWriteReply(const std::uint8_t *payload, std::size_t length, std::uint16_t block);

// Builds the write-block request for `block` from the 2048-byte image; returns
// the payload length and sets `done` when this block carries the image's end.
std::size_t BuildWriteRequest(const std::uint8_t *image, std::uint16_t block, std::uint8_t *out,
                              bool &done);

// Progress of a run: weights done D, partial p, total W, in 1..99.
std::uint32_t ComputeProgress(std::uint32_t done, std::uint32_t partial, std::uint32_t total);

} // namespace protocol
