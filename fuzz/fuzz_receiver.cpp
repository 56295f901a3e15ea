// The receiver fed by a device that hands out short reads, silence, waits that
// claim data which never comes, and read errors, as the input scripts it. Every
// reception must end (in a frame or a failure) and a frame's body must fit.
//
// Script: records of one control byte and data. Control bits 6..7: 0 a chunk of
// (bits 0..5) data bytes that the next wait delivers, 1 a silent wait, 2 a wait
// that reports data but delivers none, 3 a read that fails.

#include "link/framereceiver.h"

#include <QIODevice>

#include <cstring>
#include <deque>
#include <vector>

namespace {

class ScriptDevice : public QIODevice
{
public:
    struct Step
    {
        int kind;
        std::vector<char> bytes;
    };

    explicit ScriptDevice(std::deque<Step> steps) : m_steps(std::move(steps))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    int reads = 0;
    qint64 bytesAvailable() const override { return qint64(m_pending.size()) + QIODevice::bytesAvailable(); }
    bool waitForReadyRead(int) override
    {
        if (m_steps.empty())
            return false;
        Step s = std::move(m_steps.front());
        m_steps.pop_front();
        switch (s.kind) {
        case 0: m_pending.insert(m_pending.end(), s.bytes.begin(), s.bytes.end()); return !s.bytes.empty();
        case 2: return true;
        case 3: m_fail = true; return true;
        default: return false;
        }
    }
    bool exhausted() const { return m_steps.empty() && m_pending.empty(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        ++reads;
        if (m_fail) {
            m_fail = false;
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, qint64(m_pending.size()));
        if (n > 0)
            std::memcpy(data, m_pending.data(), std::size_t(n));
        m_pending.erase(m_pending.begin(), m_pending.begin() + n);
        return n;
    }
    qint64 writeData(const char *, qint64 size) override { return size; }

private:
    std::deque<Step> m_steps;
    std::vector<char> m_pending;
    bool m_fail = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::deque<ScriptDevice::Step> steps;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t control = data[i++];
        ScriptDevice::Step s{control >> 6, {}};
        if (s.kind == 0) {
            const std::size_t n = std::min<std::size_t>(control & 0x3F, size - i);
            s.bytes.assign(data + i, data + i + n);
            i += n;
        }
        steps.push_back(std::move(s));
    }
    const std::size_t scripted = steps.size();
    ScriptDevice device(std::move(steps));
    FrameReceiver rx;
    std::vector<std::uint8_t> payload(frame::MaxPayload);
    // Each reception consumes at least one step or ends after MaxWaits empty
    // waits, so this many receptions always reach the end of the script.
    for (std::size_t round = 0; round <= scripted + 1; ++round) {
        const int readsBefore = device.reads;
        const FrameReceiver::Result r = rx.Receive(device);
        // Bounded work per reception: reads of a chunk, plus the empty ones.
        if (device.reads - readsBefore > int(FrameReceiver::MaxScan) + 4 * FrameReceiver::MaxWaits + int(scripted) + 8)
            __builtin_trap();
        if (r == FrameReceiver::Result::Frame) {
            if (rx.rawLength() > frame::MaxRawBody)
                __builtin_trap();
            std::size_t n = 0;
            frame::Decode(rx.raw(), rx.rawLength(), payload.data(), n);
        }
        if (device.exhausted() && r == FrameReceiver::Result::Silence)
            break;
    }
    return 0;
}
