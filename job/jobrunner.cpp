// The trace file's lines, the stop flag a signal handler may set, and a job run in a local event loop.

#include "job/jobrunner.h"

#include "job/loopwait.h"

#include <QDateTime>
#include <QFile>

#include <atomic>

namespace {

std::atomic<bool> g_stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "RequestStop must be safe in a signal handler");

class NullLog : public LogView
{
public:
    void AppendText(const QString &) override {}
    void ClearText() override {}
};

} // namespace

TraceFile::~TraceFile()
{
    if (m_file)
        std::fclose(m_file);
}

bool TraceFile::Open(const QString &path)
{
    if (m_file)
        std::fclose(m_file);
    m_file = std::fopen(QFile::encodeName(path).constData(), "a");
    return m_file != nullptr;
}

void TraceFile::Attach(ProgrammingJob &job)
{
    if (m_file)
        job.SetTraceHook(&TraceFile::Write, m_file);
}

void TraceFile::Note(const QString &text)
{
    if (!m_file)
        return;
    std::fprintf(m_file, "# %s\n", text.toUtf8().constData());
    std::fflush(m_file);
}

void TraceFile::Write(void *context, bool sent, const std::uint8_t *body, std::size_t length)
{
    auto *file = static_cast<std::FILE *>(context);
    const QByteArray hex = QByteArray(reinterpret_cast<const char *>(body), qsizetype(length)).toHex(' ');
    std::fprintf(file, "%s %s c0%s%s c1\n",
                 QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz")).toLatin1().constData(),
                 sent ? ">" : "<", length ? " " : "", hex.constData());
    std::fflush(file);
}

void RequestStop()
{
    g_stopRequested.store(true);
}

bool StopRequested()
{
    return g_stopRequested.load();
}

std::unique_ptr<ProgrammingJob> RunJobToEnd(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                                            ProgrammingJob::Operation operation, int port, LogView *view,
                                            JobObserver *observer, TraceFile *trace)
{
    QEventLoop loop;
    loopwait::LoopObserver loopObserver(loop, observer, false);
    NullLog nullLog;
    auto job = std::make_unique<ProgrammingJob>(channels, settings, info);
    job->SetPort(std::uint32_t(port));
    job->SetOperation(operation);
    job->SetObserver(&loopObserver);
    if (trace)
        trace->Attach(*job);
    loopwait::StopForwarder stops([&job] { return job.get(); });
    stops.Forward();
    job->Begin(view ? view : &nullLog);
    if (!job->finished())
        loop.exec();
    job->SetObserver(nullptr);
    job->log().Attach(nullptr);
    return job;
}

void AdoptRadioRange(ChannelsContext &channels, const TInfoContext &info)
{
    if (info.range.IsValid())
        channels.ranges.Select(channels.ranges.Add(&info.range));
}
