// One read, write or information exchange with a radio, as a state machine on the user-interface
// thread; what it did, and the summary when it failed.
#pragma once

#include "link/comthread.h"
#include "job/logstream.h"
#include "model/tableimage.h"
#include "model/valuecheck.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class ChannelsContext;
class SettingsContext;
class TInfoContext;

struct Rgb
{
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

// Bar colours of the job's phases.
constexpr Rgb InfoColour{0, 192, 192};
constexpr Rgb ReadColour{0, 192, 0};
constexpr Rgb WriteColour{192, 0, 0};

// Receives the job's progress and its end; the progress window repaints its
// panel, a terminal redraws its bar.
class JobObserver
{
public:
    virtual ~JobObserver() = default;
    virtual void ProgressChanged(int percent, Rgb colour) = 0;
    virtual void Finished() {}
};

// One read, write or information operation against a radio: always the radio's
// identification first, then the two tables in the operation's direction. A
// state machine advanced by Step, once at the start and once per notification
// of its worker; everything here runs on the user-interface thread.
class ProgrammingJob : public ExchangeNotifyReceiver
{
    Q_OBJECT
public:
    enum Operation : std::uint32_t { OpRead = 1, OpWrite = 2, OpInfo = 3 };
    enum State : std::uint32_t {
        StateNone = 0,
        StateOpen = 1,
        StateQueueRead = 2,
        StateQueueWrite = 3,
        StateWaitInfo = 4,
        StateClose = 5,
        StateWaitRead = 6,
        StateWaitWrite = 7,
        StateDone = 8,
    };

    static constexpr std::uint32_t ChannelTableSize = 2012;
    static constexpr std::uint32_t SettingsSize = 34;
    static constexpr std::uint32_t SettingsSize101 = 38;

    ProgrammingJob(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info);
    ~ProgrammingJob() override;

    // Set by the caller before Begin.
    void SetPort(std::uint32_t port) { m_port = port; }
    void SetOperation(std::uint32_t operation) { m_operation = operation; }
    void SetProgress(int percent, Rgb colour) { m_percent = percent; m_colour = colour; }
    void SetObserver(JobObserver *observer) { m_observer = observer; }
    void SetTraceHook(ComThread::TraceHook hook, void *context) { m_trace = hook; m_traceContext = context; }
    // Where what the radio held before this write was saved; a write that
    // leaves the radio with part of the tables names it in its summary.
    void SetBackupPath(const QString &path) { m_backupPath = path; }
    // Asked once the radio's information has arrived, before any table is
    // touched: false ends the job there (declined), as a radio that is not the
    // one wanted. For waiting on a port for the next radio of a series.
    using InfoGate = std::function<bool(const TInfoContext &)>;
    void SetInfoGate(InfoGate gate) { m_gate = std::move(gate); }

    // The window is shown: attach the log, clear it and run the first step.
    void Begin(LogView *view);
    // The window closes: end any exchange (without the closing line) and stop.
    void Stop();
    // Stop as soon as the block on the line is done: no further block or phase,
    // the port is closed as usual and the log ends with the summary. Before
    // Begin, the job stops without opening the port. For an interrupt of the
    // command line; a window that closes uses Stop.
    void RequestStop();
    bool stopRequested() const { return m_stopRequested; }
    void Step();
    void ExchangeNotify(std::uint32_t packed) override;

    std::uint32_t port() const { return m_port; }
    std::uint32_t state() const { return m_state; }
    int percent() const { return m_percent; }
    Rgb colour() const { return m_colour; }
    LogStream &log() { return m_log; }
    bool finished() const { return m_state == StateDone; }
    // The operation did all it set out to do: no error code, no refusal, and
    // every table built or read without a fault.
    bool succeeded() const { return m_state == StateDone && m_completed && !m_failed; }
    // Every exchange of the operation ran to its end (a table may still have
    // failed its check).
    bool completed() const { return m_completed; }

    const TableImage &channelImage() const { return m_channelImage; }
    const TableImage &settingsImage() const { return m_settingsImage; }

    // How far a write got with each table.
    enum class TableWrite { None, Partly, Complete };
    TableWrite channelTableWrite() const { return m_tableWrite[0]; }
    TableWrite settingsTableWrite() const { return m_tableWrite[1]; }
    // A read: the table arrived and passed its checks.
    bool channelTableRead() const { return m_tableRead[0]; }
    bool settingsTableRead() const { return m_tableRead[1]; }

    // What ended a job that failed, for callers that tell causes apart (the
    // command line's exit status): the exchange's error code (0: none), a port
    // that did not open and why, and a radio the information gate turned away.
    int exchangeError() const { return m_exchangeError; }
    bool portNotOpened() const { return m_portNotOpened; }
    // For reports: the exchange's error code, or the access error when the
    // port did not open, and its message (with why it did not open); 0 and
    // empty when neither happened.
    int errorCode() const;
    QString errorMessage() const;
    const ports::OpenProblem &openProblem() const { return m_openFailure; }
    bool declined() const { return m_declined; }
    // The radio's information arrived: a radio answered on the port, whatever
    // came of the rest.
    bool infoReceived() const { return m_infoReceived; }

    // The last line of the log of a job that failed: what failed and, for a
    // write, which tables the radio received completely, partly or not at all;
    // when it holds part of them, that it must be written again and where the
    // backup of what it held is.
    QString Summary() const;
    // The same line for a write that failed around the job (a file, a backup,
    // a read-back), so that every front-end ends a failed write alike.
    static QString WriteSummary(const QString &what, const QString &cause, TableWrite channels, TableWrite settings,
                                const QString &backupPath = QString());
    // What ends such a line when the radio holds part of the tables (write it
    // again, the backup); empty otherwise. A table cell leaves it out.
    static QString PartialWriteAdvice(TableWrite channels, TableWrite settings, const QString &backupPath);
    // The lines a write is refused with when values would reach the radio as
    // other values: a heading, one line per value, "Запись прервана!!!".
    static QStringList RefusalLines(const QList<ValueFinding> &findings);

private:
    bool OpenExchange();
    void StopExchange();
    void Repaint();
    void LogLine(const QString &text) { m_log.WriteLine(text); }
    // Common head of the wait states. Failed: the worker ended with an error
    // code, which is logged, and the state is already StateClose.
    enum class Phase { Running, Failed, Done };
    Phase EndOfPhase();
    void QueueWrite();
    bool RefuseValues(std::uint16_t settingsVersion);
    void Fail(const QString &cause);
    void NoteWriteExtent();
    void Finish();

    ChannelsContext &m_channels;
    SettingsContext &m_settings;
    TInfoContext &m_info;
    std::unique_ptr<ComThread> m_thread;
    LogStream m_log;
    JobObserver *m_observer = nullptr;
    ComThread::TraceHook m_trace = nullptr;
    void *m_traceContext = nullptr;
    InfoGate m_gate;

    std::uint32_t m_port = 0;
    std::uint32_t m_operation = 0;
    std::uint32_t m_state = StateNone;
    int m_percent = 0;
    Rgb m_colour;
    bool m_completed = false;
    bool m_failed = false;
    bool m_stopRequested = false;
    QString m_cause;  // what failed first, for the summary
    QString m_backupPath;
    QString m_openProblem;  // why the port did not open
    ports::OpenProblem m_openFailure;
    bool m_portNotOpened = false;
    bool m_declined = false;
    bool m_infoReceived = false;
    int m_exchangeError = 0;
    std::array<TableWrite, 2> m_tableWrite{TableWrite::None, TableWrite::None};
    std::array<bool, 2> m_tableRead{false, false};

    std::array<std::uint8_t, TableImage::Size> m_mainReply{};
    std::array<std::uint8_t, TableImage::Size> m_extReply{};
    TableImage m_channelImage;
    TableImage m_settingsImage;
};
