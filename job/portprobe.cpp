// Each port asked by a worker of its own, given up on at the time limit without waiting for it;
// and the findings as the user and the JSON report read them.

#include "job/portprobe.h"

#include "link/comthread.h"
#include "link/protocol.h"
#include "model/tableimage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>

#include <array>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(PortProbe)
};

constexpr std::uint32_t kNoSerial = 0xFFFFFFFFu;

PortFinding::Kind KindOf(const ports::OpenProblem &problem)
{
    switch (problem.kind) {
    case ports::OpenProblem::Busy: return PortFinding::Busy;
    case ports::OpenProblem::NoPermission: return PortFinding::NoPermission;
    case ports::OpenProblem::NoDevice:
    case ports::OpenProblem::Absent: return PortFinding::Absent;
    case ports::OpenProblem::None:
    case ports::OpenProblem::Other: break;
    }
    return PortFinding::Failed;
}

} // namespace

QString FindingText(const PortFinding &f)
{
    switch (f.kind) {
    case PortFinding::Asking: return Tr::tr("опрос ...");
    case PortFinding::Radio: {
        const TInfoContext &i = f.info;
        const QString serial = i.serialNumber == kNoSerial ? Tr::tr("нет") : QString::number(i.serialNumber);
        return Tr::tr("радиостанция %1, серийный номер %2, программатор %3, таблица настроек %4, диапазон %5")
            .arg(i.radioType, serial, i.programmerVersion,
                 QString::asprintf("%d.%d", i.settingsTableVersion >> 8, i.settingsTableVersion & 0xFF), i.range.ToText());
    }
    case PortFinding::NoAnswer: return Tr::tr("радиостанция не отвечает");
    case PortFinding::Busy: return Tr::tr("порт занят другой программой");
    case PortFinding::NoPermission: return Tr::tr("нет прав на устройство");
    case PortFinding::Absent: return Tr::tr("устройство отсутствует");
    case PortFinding::Failed: return Tr::tr("ошибка: %1").arg(f.detail);
    }
    return QString();
}

QString FindingState(PortFinding::Kind kind)
{
    switch (kind) {
    case PortFinding::Asking: return QStringLiteral("asking");
    case PortFinding::Radio: return QStringLiteral("radio");
    case PortFinding::NoAnswer: return QStringLiteral("no answer");
    case PortFinding::Busy: return QStringLiteral("busy");
    case PortFinding::NoPermission: return QStringLiteral("no permission");
    case PortFinding::Absent: return QStringLiteral("absent");
    case PortFinding::Failed: break;
    }
    return QStringLiteral("failed");
}

int OnlyRadioElsewhere(int chosen, const QList<PortFinding> &findings)
{
    int found = 0;
    for (const PortFinding &f : findings) {
        if (f.kind != PortFinding::Radio)
            continue;
        if (f.port == chosen || found != 0)
            return 0;
        found = f.port;
    }
    return found;
}

// One port being asked: its own worker, which the probe gives up on at the
// time limit without waiting for it.
class PortProbe::Ask : public ExchangeNotifyReceiver
{
public:
    Ask(PortProbe &probe, int index) : m_probe(probe), m_index(index) {}
    ~Ask() override { Release(); }

    void Begin(int port)
    {
        m_thread = std::make_unique<ComThread>();
        if (!m_thread->OpenPort(port)) {
            const ports::OpenProblem problem = m_thread->LastOpenProblem();
            m_thread.reset();
            Settle(KindOf(problem), ports::DescribeOpenProblem(problem));
            return;
        }
        // The port is closed as soon as the worker has ended, however it ended.
        connect(m_thread.get(), &QThread::finished, this, [this] { Close(); }, Qt::QueuedConnection);
        m_thread->SetNotifyWindow(this);
        const ExchangeRequest main{ReadInfo, 0, TInfoContext::MainLength, m_main.data()};
        const ExchangeRequest ext{ReadInfo, 1, TInfoContext::ExtendedLength, m_ext.data()};
        m_thread->AddRequest(&main);
        m_thread->AddRequest(&ext);
        m_thread->Start();
    }

    void ExchangeNotify(std::uint32_t) override
    {
        if (m_settled || !m_thread || m_thread->GetProgress() != 100)
            return;
        const int code = m_thread->GetErrorCode();
        if (code == 0) {
            PortFinding &f = m_probe.m_findings[m_index];
            f.info.DecodeMain(m_main.data());
            f.info.DecodeExtended(m_ext.data());
            Settle(PortFinding::Radio);
        } else if (code == protocol::ErrNoReply) {
            Settle(PortFinding::NoAnswer);
        } else {
            // Something answered, but not as a radio does, or the device failed.
            Settle(PortFinding::Failed, protocol::ErrorMessage(code));
        }
        Close();
    }

    // The time is up: the worker is told to end, and the port closes when it has.
    void GiveUp()
    {
        if (!m_settled)
            Settle(PortFinding::NoAnswer);
        if (m_thread)
            m_thread->RequestTerminate();
    }

    void Terminate()
    {
        m_settled = true;
        if (m_thread)
            m_thread->RequestTerminate();
    }

    void Close()
    {
        if (m_thread)
            m_thread->Close();
    }

    // Ends the worker for good. One held in a device call that never returns
    // (a port without hardware behind its driver) is left to end on its own,
    // so that closing a dialog or ending a command never hangs on it.
    void Release()
    {
        if (!m_thread)
            return;
        m_thread->SetNotifyWindow(nullptr);
        m_thread->RequestTerminate();
        if (m_thread->wait(kReleaseWaitMs)) {
            m_thread->Close();
            return;
        }
        ComThread *stray = m_thread.release();
        QObject::connect(stray, &QThread::finished, stray, &QObject::deleteLater);
        if (stray->isFinished())
            stray->deleteLater();
    }

    bool settled() const { return m_settled; }

private:
    // A worker told to end stops within one wait for bytes; far more than that
    // means it is held below Qt.
    static constexpr unsigned long kReleaseWaitMs = 1000;

    void Settle(PortFinding::Kind kind, const QString &detail = QString())
    {
        m_settled = true;
        m_probe.Settle(m_index, kind, detail);
    }

    PortProbe &m_probe;
    const int m_index;
    bool m_settled = false;
    std::unique_ptr<ComThread> m_thread;
    std::array<std::uint8_t, TableImage::Size> m_main{};
    std::array<std::uint8_t, TableImage::Size> m_ext{};
};

PortProbe::PortProbe(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PortProbe::TimeUp);
}

PortProbe::~PortProbe()
{
    Stop();
}

void PortProbe::Start(const QList<ports::PortEntry> &entries)
{
    Stop();
    m_asks.clear();
    m_findings.clear();
    for (const ports::PortEntry &e : entries)
        m_findings.append(PortFinding{e.number, e.device, e.description, PortFinding::Asking, TInfoContext(), QString()});
    m_pending = int(m_findings.size());
    if (m_pending == 0) {
        emit Finished();
        return;
    }
    m_timer.start(m_limitMs);
    // Two names of one device would put two exchanges on one line.
    QHash<QString, int> seen;
    for (int i = 0; i < m_findings.size(); ++i) {
        m_asks.push_back(std::make_unique<Ask>(*this, i));
        const QString identity = ports::DeviceIdentity(m_findings[i].port);
        if (!identity.isEmpty() && seen.contains(identity)) {
            Settle(i, PortFinding::Failed, Tr::tr("то же устройство, что и %1").arg(ports::PortName(seen.value(identity))));
            continue;
        }
        seen.insert(identity, m_findings[i].port);
        m_asks.back()->Begin(m_findings[i].port);
    }
}

void PortProbe::Stop()
{
    m_timer.stop();
    // All are told first, so that they end together; then each is waited for.
    for (auto &ask : m_asks)
        ask->Terminate();
    for (auto &ask : m_asks)
        ask->Release();
    m_pending = 0;
}

void PortProbe::TimeUp()
{
    for (auto &ask : m_asks)
        ask->GiveUp();
}

void PortProbe::Settle(int index, PortFinding::Kind kind, const QString &detail)
{
    if (index < 0 || index >= m_findings.size() || m_findings[index].settled() || m_pending == 0)
        return;
    m_findings[index].kind = kind;
    m_findings[index].detail = detail;
    --m_pending;
    emit Found(index);
    if (m_pending == 0) {
        m_timer.stop();
        emit Finished();
    }
}

QList<PortFinding> ProbePorts(const QList<ports::PortEntry> &entries, int limitMs)
{
    PortProbe probe;
    probe.SetLimit(limitMs);
    QEventLoop loop;
    QObject::connect(&probe, &PortProbe::Finished, &loop, &QEventLoop::quit);
    probe.Start(entries);
    // A window waiting here takes no clicks meanwhile.
    if (probe.running())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return probe.findings();
}
