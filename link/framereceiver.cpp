// The receiver's loop: reading chunks, hunting for a frame's start, and bounding silence and noise.

#include "link/framereceiver.h"

#include <QIODevice>

void FrameReceiver::Reset()
{
    m_fill = m_pos = 0;
    m_rawLength = 0;
    m_hunting = true;
    m_inFrame = false;
}

FrameReceiver::Result FrameReceiver::Fail(Result why)
{
    m_hunting = true;
    m_inFrame = false;
    m_rawLength = 0;
    return why;
}

FrameReceiver::Result FrameReceiver::Receive(QIODevice &device, const std::atomic<bool> *abort, FailureCheck failed)
{
    if (m_hunting)
        m_rawLength = 0;
    int silentWaits = 0;
    std::size_t scanned = 0;

    for (;;) {
        if (m_pos >= m_fill) {
            if (abort && abort->load(std::memory_order_relaxed))
                return Fail(Result::Aborted);
            const qint64 n = device.read(reinterpret_cast<char *>(m_chunk.data()), ChunkSize);
            if (n < 0)
                return Fail(Result::ReadError);
            m_pos = 0;
            m_fill = static_cast<std::size_t>(n);
            if (n == 0) {
                if (failed && failed(device))
                    return Fail(Result::DeviceFailed);
                // Every read that brought nothing counts, whatever the wait before
                // it said: a device whose wait reports data that never comes
                // must not hold the loop. The wait itself ends the moment bytes
                // arrive, so a live line resets the count on the next read.
                if (silentWaits++ >= MaxWaits)
                    return Fail(Result::Silence);
                device.waitForReadyRead(WaitMs);
                continue;
            }
            silentWaits = 0;
        }

        while (m_pos < m_fill) {
            const std::uint8_t b = m_chunk[m_pos++];
            if (++scanned > MaxScan)
                return Fail(Result::Broken);
            if (m_hunting) {
                if (b == frame::Start) {
                    m_hunting = false;
                    m_inFrame = true;
                    m_rawLength = 0;
                }
                continue;
            }
            if (b == frame::End) {
                m_inFrame = false;
                m_hunting = true;
                return Result::Frame;
            }
            if (b == frame::Start) {
                // Most likely the start of the next frame: leave it to be found.
                --m_pos;
                return Fail(Result::Broken);
            }
            if (m_rawLength >= m_raw.size())
                return Fail(Result::Broken);
            m_raw[m_rawLength++] = b;
        }
    }
}
