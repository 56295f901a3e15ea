// Frames cut out of the serial byte stream, so that noise, silence or a broken frame spoil no other.
#pragma once

#include "link/framecodec.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

class QIODevice;

// Cuts frames out of a byte stream by their delimiters. It keeps what it read
// past a frame's end for the next call, and after any failure it hunts for the
// next 0xC0 again, so one broken frame never spoils the ones after it.
class FrameReceiver
{
public:
    enum class Result {
        Frame,      // raw() holds a complete escaped body
        Silence,    // no byte for MaxWaits waits in a row
        ReadError,  // the device refused to read
        Aborted,    // the abort flag was raised
        Broken,     // 0xC0 inside a frame, an over-long body, or endless noise
        DeviceFailed,  // the device reports that it failed (unplugged, I/O error)
    };

    static constexpr std::size_t ChunkSize = 256;
    static constexpr int WaitMs = 50;
    static constexpr int MaxWaits = 20;
    // Bytes one reception may scan without completing a frame; bounds the time a
    // stream of noise can hold the line.
    static constexpr std::size_t MaxScan = 3 * frame::MaxRawBody;

    // Asked after every read that brought nothing: whether the device itself
    // has failed, so that a vanished port ends the reception at once.
    using FailureCheck = bool (*)(const QIODevice &device);

    Result Receive(QIODevice &device, const std::atomic<bool> *abort = nullptr, FailureCheck failed = nullptr);

    // Forgets buffered bytes and any partial frame.
    void Reset();

    const std::uint8_t *raw() const { return m_raw.data(); }
    std::size_t rawLength() const { return m_rawLength; }
    bool hunting() const { return m_hunting; }

private:
    Result Fail(Result why);

    std::array<std::uint8_t, ChunkSize> m_chunk{};
    std::size_t m_fill = 0;
    std::size_t m_pos = 0;
    std::array<std::uint8_t, frame::MaxRawBody> m_raw{};
    std::size_t m_rawLength = 0;
    bool m_hunting = true;
    bool m_inFrame = false;
};
