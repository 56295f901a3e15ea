// How the worker opens and settles the port, runs its queue block by block with repeats, and hands
// the results and the port back.

#include "link/comthread.h"

#include "link/portdirectory.h"
#include "model/bytes.h"

#include <QSerialPort>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace protocol;

namespace {
constexpr qint32 kBaudRate = 9600;
constexpr int kWriteTimeoutMs = 2000;
constexpr int kSettleSteps = 10;     // 100 ms for the lines to settle before the first run
constexpr int kSettleStepMs = 10;
} // namespace

ComThread::ComThread() : m_owner(QThread::currentThread()) {}

ComThread::~ComThread()
{
    Close();
}

bool ComThread::OpenPort(int number)
{
    if (IsPortOpen())
        return true;
    // One worker serves one job: once it has run and been closed it stays closed.
    if (m_started.load() || number < ports::MinPort || number > ports::MaxPort)
        return false;
    const QString device = ports::DevicePath(number);
    if (device.isEmpty()) {
        m_openProblem = ports::OpenProblem{ports::OpenProblem::NoDevice, number, QString(), QString(), QString()};
        return false;
    }

    m_openProblem = {};
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    if (!port->open(QIODevice::ReadWrite)) {
        m_openProblem = ports::DiagnoseOpenFailure(device, port->error(), port->errorString());
        return false;
    }
    // Stop bits stay as the port reports them. Closing happens with the object.
    if (!port->setBaudRate(kBaudRate) || !port->setDataBits(QSerialPort::Data8)
        || !port->setParity(QSerialPort::NoParity)
        || !port->setFlowControl(QSerialPort::NoFlowControl)) {
        m_openProblem = ports::DiagnoseOpenFailure(device, port->error(), port->errorString());
        return false;
    }
    // A device without modem lines (a pseudo-terminal) refuses these; that is fine.
    const bool dtr = port->setDataTerminalReady(true);
    const bool rts = port->setRequestToSend(true);
    m_settleLines.store(dtr || rts);
    port->clearError();

    m_port.store(port.release());
    m_portNumber.store(number);
    return true;
}

bool ComThread::IsPortOpen() const
{
    const int n = m_portNumber.load();
    return n >= ports::MinPort && n <= ports::MaxPort && Port() != nullptr;
}

void ComThread::SetNotifyWindow(ExchangeNotifyReceiver *window)
{
    m_notify.store(window);
}

void ComThread::SetTraceHook(TraceHook hook, void *context)
{
    m_traceContext.store(context);
    m_trace.store(hook);
}

bool ComThread::IsBusy() const
{
    if (m_terminate.load() || (m_started.load() && isFinished()))
        return false;
    const std::uint32_t p = m_progress.load(std::memory_order_acquire);
    return (p >= 1 && p <= 99) || !m_suspended.load();
}

bool ComThread::ClearQueue()
{
    if (IsBusy())
        return false;
    m_count.store(0);
    return true;
}

bool ComThread::AddRequest(const ExchangeRequest *request)
{
    if (IsBusy() || request == nullptr)
        return false;
    const std::size_t n = m_count.load();
    if (n >= QueueCapacity)
        return false;
    m_queue[n] = *request;
    m_count.store(n + 1, std::memory_order_release);
    return true;
}

bool ComThread::Start()
{
    if (!IsPortOpen() || IsBusy() || m_terminate.load())
        return false;
    m_progress.store(0, std::memory_order_release);
    m_suspended.store(false);
    if (!m_started.exchange(true)) {
        // From here on the port belongs to the worker; it hands it back on exit.
        Port()->moveToThread(this);
        QThread::start();
    } else {
        Wake();
    }
    return true;
}

void ComThread::Wake()
{
    const QMutexLocker lock(&m_wakeMutex);
    m_wake.fetch_add(1);
    m_wakeCondition.wakeAll();
}

void ComThread::WaitForWake(std::uint32_t seen)
{
    QMutexLocker lock(&m_wakeMutex);
    while (m_wake.load() == seen)
        m_wakeCondition.wait(&m_wakeMutex);
}

std::uint32_t ComThread::GetProgress() const
{
    const std::uint32_t p = m_progress.load(std::memory_order_acquire);
    return p == 0 ? 1 : std::min<std::uint32_t>(p, 100);
}

int ComThread::GetErrorCode() const
{
    return m_error.load();
}

void ComThread::RequestStop()
{
    m_stop.store(true);
}

ComThread::RunExtent ComThread::LastRunExtent() const
{
    // Published before progress 100, which the caller has seen.
    return RunExtent{m_requestsDone.load(std::memory_order_acquire), m_blocksSent.load(std::memory_order_acquire)};
}

void ComThread::RequestTerminate()
{
    if (!m_started.load() || isFinished())
        return;
    m_terminate.store(true);
    // An idle worker sleeps on the wake condition, not on the counter.
    Wake();
}

bool ComThread::Close()
{
    if (m_started.load()) {
        if (!isFinished()) {
            m_terminate.store(true);
            Wake();
            wait();
        }
        // The worker's last use of the port happens before this flag.
        while (!m_portReleased.load(std::memory_order_acquire))
            QThread::yieldCurrentThread();
    }
    if (QSerialPort *port = m_port.exchange(nullptr)) {
        if (port->isOpen())
            port->close();
        delete port;
    }
    m_portNumber.store(0);
    return true;
}

void ComThread::run()
{
    m_receiver.Reset();
    // Give the radio time after DTR and RTS went up; a device without modem
    // lines has nothing to settle.
    for (int i = 0; m_settleLines.load() && i < kSettleSteps && !Terminated(); ++i)
        QThread::msleep(kSettleStepMs);

    while (!Terminated()) {
        RunQueue();
        // Mark idle before publishing 100, so that a Start that follows at once
        // is never undone by this thread.
        m_suspended.store(true);
        m_progress.store(100, std::memory_order_release);
        Post();
        for (;;) {
            const std::uint32_t seen = m_wake.load();
            if (Terminated() || m_progress.load(std::memory_order_acquire) != 100)
                break;
            WaitForWake(seen);
        }
    }
    m_progress.store(100, std::memory_order_release);
    ShutdownPortInWorker();
    m_portReleased.store(true, std::memory_order_release);
}

void ComThread::ShutdownPortInWorker()
{
    // The port's notifiers live in this thread: close it here, then give the
    // object back so its owner can delete it.
    if (QSerialPort *port = Port()) {
        port->close();
        port->moveToThread(m_owner);
    }
}

void ComThread::RunQueue()
{
    m_done = 0;
    m_partial = 0;
    m_kind.store(0);
    m_error.store(0);
    m_progress.store(1, std::memory_order_release);
    Post();

    const std::size_t count = m_count.load(std::memory_order_acquire);
    m_total = 0;
    for (std::size_t i = 0; i < count; ++i)
        m_total += m_queue[i].size;
    m_requestsDone.store(0, std::memory_order_relaxed);
    m_blocksSent.store(0, std::memory_order_relaxed);

    for (std::size_t i = 0; i < count && !Stopping() && m_error.load() == 0; ++i) {
        const ExchangeRequest &r = m_queue[i];
        m_kind.store(r.kind);
        m_error.store(0);
        m_partial = 0;
        m_blocksSent.store(0, std::memory_order_relaxed);
        const bool known = r.kind == ReadTable || r.kind == WriteTable || r.kind == ReadInfo;
        bool complete = !known;  // an unknown kind has nothing to do
        if (known && r.buffer == nullptr) {
            m_error.store(ErrBufferPointer);
        } else if (r.kind == ReadTable || r.kind == WriteTable) {
            complete = MoveTable(r, r.kind == WriteTable);
        } else if (r.kind == ReadInfo) {
            complete = ReadInfoRequest(r);
        }
        if (complete && m_requestsDone.load(std::memory_order_relaxed) == i)
            m_requestsDone.store(i + 1, std::memory_order_relaxed);
        m_done += r.size;
        m_partial = 0;
        UpdateProgress();
        Post();
    }
}

void ComThread::UpdateProgress()
{
    m_progress.store(ComputeProgress(m_done, m_partial, m_total), std::memory_order_release);
}

void ComThread::Post()
{
    ExchangeNotifyReceiver *receiver = m_notify.load();
    if (!receiver)
        return;
    const std::uint32_t packed = (static_cast<std::uint32_t>(m_portNumber.load()) & 0xFFu)
                               | ((static_cast<std::uint32_t>(m_kind.load()) & 0xFFu) << 8)
                               | ((m_progress.load() & 0xFFu) << 16)
                               | ((static_cast<std::uint32_t>(m_error.load()) & 0xFFu) << 24);
    QMetaObject::invokeMethod(
        receiver, [receiver, packed] { receiver->ExchangeNotify(packed); }, Qt::QueuedConnection);
}

bool ComThread::EnsureBaudRate()
{
    if (Port()->baudRate() == kBaudRate)
        return true;
    return Port()->setBaudRate(kBaudRate);
}

bool ComThread::MoveTable(const ExchangeRequest &request, bool write)
{
    if (!EnsureBaudRate())
        return false;
    const std::uint16_t base = static_cast<std::uint16_t>(request.argument & ~3u);
    Outcome lastFailure = Outcome::NoReply;

    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (Stopping())
            return false;
        // A code recorded by an earlier attempt no longer stands.
        m_error.store(ErrNone);
        m_tableDone = false;
        bool complete = true;
        for (std::uint32_t slot = 0; slot < BlocksPerTable; ++slot) {
            if (!m_tableDone) {
                if (Stopping())
                    return false;
                const std::uint16_t block = static_cast<std::uint16_t>(base + slot);
                if (write) {
                    m_requestLength = BuildWriteRequest(request.buffer, block, m_request.data(), m_tableDone);
                } else {
                    m_request[0] = CmdReadBlock;
                    m_request[1] = 0;
                    setU16le(m_request.data() + 2, block);
                    m_requestLength = 4;
                }
                if (m_blocksSent.load(std::memory_order_relaxed) == slot)
                    m_blocksSent.store(slot + 1, std::memory_order_relaxed);
                const Outcome outcome = Transact(m_requestLength);
                if (DeviceFailed(outcome))
                    return false;
                if (outcome != Outcome::Reply) {
                    lastFailure = outcome;
                    complete = false;
                    break;
                }
                const Check check = write
                    ? CheckWriteReply(m_reply.data(), m_replyLength, block)
                    : CheckReadReply(m_reply.data(), m_replyLength, block, request.buffer, m_tableDone);
                if (!check.ok) {
                    m_error.store(check.code);
                    lastFailure = Outcome::Reply;
                    complete = false;
                    break;
                }
            }
            const std::uint32_t p = std::min<std::uint32_t>(BlockSize * (slot + 1), request.size);
            if (p != m_partial) {
                m_partial = p;
                UpdateProgress();
                Post();
            }
        }
        if (complete)
            return true;
    }
    m_error.store(lastFailure == Outcome::BadCheck ? ErrChecksum : ErrNoReply);
    return false;
}

bool ComThread::ReadInfoRequest(const ExchangeRequest &request)
{
    if (!EnsureBaudRate())
        return false;
    const std::uint8_t sub = static_cast<std::uint8_t>(request.argument & 0xFFu);
    Outcome lastFailure = Outcome::NoReply;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (Stopping())
            return false;
        m_request[0] = CmdInfo;
        m_request[1] = sub;
        Outcome outcome = Transact(2);
        // A block reply cannot answer this request: it is the rest of an exchange
        // cut short (a job stopped mid-table) that the radio is still sending.
        for (int stale = 0; outcome == Outcome::Reply && stale < kStaleRepliesSkipped && m_replyLength > 0
                            && (m_reply[0] == CmdReadBlock || m_reply[0] == CmdWriteBlock);
             ++stale)
            outcome = ReceivePayload();
        if (DeviceFailed(outcome))
            return false;
        if (outcome == Outcome::Reply) {
            // A reply that fails its checks ends the request at once.
            const Check check = CheckInfoReply(m_reply.data(), m_replyLength, sub, request.buffer);
            if (!check.ok && check.code != ErrNone)
                m_error.store(check.code);
            return check.ok;
        }
        lastFailure = outcome;
    }
    m_error.store(lastFailure == Outcome::BadCheck ? ErrChecksum : ErrNoReply);
    return false;
}

bool ComThread::PortFailed(const QIODevice &device)
{
    const auto *port = qobject_cast<const QSerialPort *>(&device);
    if (!port)
        return false;
    const QSerialPort::SerialPortError e = port->error();
    return e == QSerialPort::ReadError || e == QSerialPort::WriteError || e == QSerialPort::ResourceError
        || e == QSerialPort::NotOpenError;
}

bool ComThread::DeviceFailed(Outcome outcome)
{
    if (outcome != Outcome::DeviceFailed)
        return false;
    m_error.store(ErrAccess);
    return true;
}

ComThread::Outcome ComThread::Transact(std::size_t requestLength)
{
    // Whatever is waiting now (a late reply to an earlier attempt, noise) was sent
    // before this request and cannot be its reply.
    QSerialPort *port = Port();
    port->clearError();  // a time-out of an earlier wait is no failure of the device
    port->clear(QSerialPort::Input);
    while (port->bytesAvailable() > 0)
        port->read(reinterpret_cast<char *>(m_reply.data()), m_reply.size());
    m_receiver.Reset();

    const std::size_t n = frame::Encode(m_request.data(), requestLength, m_frame.data(), m_frame.size());
    if (n == 0)
        return Outcome::NoReply;
    if (TraceHook hook = m_trace.load())
        hook(m_traceContext.load(), true, m_frame.data() + 1, n - 2);
    port->write(reinterpret_cast<const char *>(m_frame.data()), static_cast<qint64>(n));
    port->waitForBytesWritten(kWriteTimeoutMs);
    if (PortFailed(*port))
        return Outcome::DeviceFailed;

    const Outcome first = ReceivePayload();
    if (first != Outcome::Reply)
        return first;
    if (m_replyLength == requestLength && std::memcmp(m_reply.data(), m_request.data(), requestLength) == 0)
        return ReceivePayload();  // that was our own request echoed by the line
    return Outcome::Reply;
}

ComThread::Outcome ComThread::ReceivePayload()
{
    const FrameReceiver::Result received = m_receiver.Receive(*Port(), &m_terminate, &ComThread::PortFailed);
    if (received == FrameReceiver::Result::DeviceFailed)
        return Outcome::DeviceFailed;
    if (received != FrameReceiver::Result::Frame)
        return Outcome::NoReply;
    if (TraceHook hook = m_trace.load())
        hook(m_traceContext.load(), false, m_receiver.raw(), m_receiver.rawLength());
    if (frame::Decode(m_receiver.raw(), m_receiver.rawLength(), m_reply.data(), m_replyLength)
        != frame::DecodeStatus::Ok)
        return Outcome::BadCheck;
    return Outcome::Reply;
}
