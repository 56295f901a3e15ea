// The worker thread that talks to the radio on the serial port, working through a queue of exchanges.
#pragma once

#include "link/framereceiver.h"
#include "link/portdirectory.h"
#include "link/protocol.h"

#include <QMutex>
#include <QObject>
#include <QThread>
#include <QWaitCondition>

#include <array>
#include <atomic>
#include <cstdint>

class QSerialPort;

// One queued exchange. The buffer stays owned by the caller and must live until
// the run is over.
struct ExchangeRequest
{
    std::int32_t kind = 0;       // ReadTable, WriteTable or ReadInfo; others are skipped
    std::uint16_t argument = 0;  // base block (low two bits ignored) or info sub-command
    std::uint32_t size = 0;      // progress weight in bytes
    std::uint8_t *buffer = nullptr;
};

enum RequestKind : std::int32_t { ReadTable = 1, WriteTable = 2, ReadInfo = 3 };

// Receives the worker's notifications on its own (user-interface) thread, one
// queued call per notification.
class ExchangeNotifyReceiver : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // packed: bits 0..7 port, 8..15 current kind, 16..23 progress, 24..31 error code
    virtual void ExchangeNotify(std::uint32_t packed) = 0;
};

// The worker that talks to the radio. The user-interface thread sets up the port
// and the queue while the worker is idle, starts a run and reads the results once
// it has seen progress 100; every field both threads touch is atomic, and the
// request buffers are handed over by the release/acquire pair on the progress.
class ComThread : public QThread
{
    Q_OBJECT
public:
    static constexpr std::size_t QueueCapacity = 1024;
    static constexpr int Attempts = 3;
    // Block replies of an interrupted exchange let pass before an information reply.
    static constexpr int kStaleRepliesSkipped = 4;

    ComThread();
    ~ComThread() override;

    bool OpenPort(int number);
    bool IsPortOpen() const;
    void SetNotifyWindow(ExchangeNotifyReceiver *window);
    bool IsBusy() const;
    bool ClearQueue();
    bool AddRequest(const ExchangeRequest *request);
    bool Start();
    std::uint32_t GetProgress() const;
    int GetErrorCode() const;
    bool Close();
    // Asks the worker to end and returns at once: for giving up on a port
    // without holding the caller's thread. Close afterwards finds it ended
    // (or waits the little that is left) and closes the port.
    void RequestTerminate();

    int PortNumber() const { return m_portNumber.load(); }

    // Why the last OpenPort failed: the device and what stood in the way.
    const ports::OpenProblem &LastOpenProblem() const { return m_openProblem; }

    // Ends the run between two blocks: the block being exchanged finishes (or
    // fails), no further block or request is sent, and the run ends without an
    // error code. Unlike Close it never cuts a block off on the line.
    void RequestStop();
    bool StopRequested() const { return m_stop.load(); }

    // How far the last run got, read once it has ended: the requests it
    // completed, and how many blocks of the next one it sent (in any attempt).
    struct RunExtent
    {
        std::size_t requestsDone = 0;
        std::uint32_t blocksSent = 0;
    };
    RunExtent LastRunExtent() const;

    // Every frame sent or received, for tracing; called on the worker thread.
    using TraceHook = void (*)(void *context, bool sent, const std::uint8_t *frame, std::size_t length);
    void SetTraceHook(TraceHook hook, void *context);

protected:
    void run() override;

private:
    // DeviceFailed: the port itself failed (unplugged, I/O error); nothing
    // more can be sent, so the run ends at once with ErrAccess.
    enum class Outcome { Reply, NoReply, BadCheck, DeviceFailed };

    void RunQueue();
    bool EnsureBaudRate();
    bool MoveTable(const ExchangeRequest &request, bool write);
    bool ReadInfoRequest(const ExchangeRequest &request);
    Outcome Transact(std::size_t requestLength);
    Outcome ReceivePayload();
    void Post();
    void UpdateProgress();
    bool Terminated() const { return m_terminate.load(std::memory_order_relaxed); }
    bool Stopping() const { return Terminated() || m_stop.load(std::memory_order_relaxed); }
    bool DeviceFailed(Outcome outcome);
    static bool PortFailed(const QIODevice &device);
    void ShutdownPortInWorker();

    QSerialPort *Port() const { return m_port.load(std::memory_order_relaxed); }

    // Set up by the user-interface thread while the worker is idle (or before it
    // exists) and used by the worker during a run.
    std::atomic<QSerialPort *> m_port{nullptr};
    std::atomic<bool> m_settleLines{false};
    QThread *const m_owner;
    std::atomic<int> m_portNumber{0};
    std::atomic<ExchangeNotifyReceiver *> m_notify{nullptr};
    std::atomic<TraceHook> m_trace{nullptr};
    std::atomic<void *> m_traceContext{nullptr};

    std::array<ExchangeRequest, QueueCapacity> m_queue{};
    std::atomic<std::size_t> m_count{0};

    std::atomic<std::uint32_t> m_progress{0};
    std::atomic<int> m_error{0};
    std::atomic<std::int32_t> m_kind{0};
    std::atomic<bool> m_terminate{false};
    std::atomic<bool> m_stop{false};
    // Set by run() as its last act: the port is back with its owner. Close acquires
    // it before it deletes the port, which orders the worker's last use before.
    std::atomic<bool> m_portReleased{false};
    std::atomic<std::size_t> m_requestsDone{0};
    std::atomic<std::uint32_t> m_blocksSent{0};
    ports::OpenProblem m_openProblem;  // user-interface thread only
    std::atomic<bool> m_suspended{true};
    std::atomic<bool> m_started{false};
    // Counts the wake-ups of an idle worker. The worker sleeps on the condition,
    // not in m_wake.wait(): MinGW's libstdc++ 12 (no futex on Windows) signals
    // such a wait without its lock and can lose the wake-up, which left a job
    // hanging between its information and table phases.
    std::atomic<std::uint32_t> m_wake{0};
    QMutex m_wakeMutex;
    QWaitCondition m_wakeCondition;
    void Wake();
    void WaitForWake(std::uint32_t seen);

    // Worker-only state.
    std::uint32_t m_total = 0;
    std::uint32_t m_done = 0;
    std::uint32_t m_partial = 0;
    bool m_tableDone = false;
    FrameReceiver m_receiver;
    std::array<std::uint8_t, frame::MaxPayload> m_request{};
    std::size_t m_requestLength = 0;
    std::array<std::uint8_t, frame::MaxEncoded> m_frame{};
    std::array<std::uint8_t, frame::MaxPayload> m_reply{};
    std::size_t m_replyLength = 0;
};
