// kd-cli write on several ports at once: one lane per cable, each with its own
// job, records, backup, read-back and trace, all driven by one event loop.

#include "cli/portlist.h"
#include "cli/radiowrite.h"

#include "job/safetysteps.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>

namespace cli {
namespace {

// As for one port: the pause before asking again while no radio is there.
constexpr int kPollPauseMs = 100;
constexpr int kStopPollMs = 50;

QString Tag(int port)
{
    return QStringLiteral("[%1]").arg(ports::PortName(port));
}

// One trace file per port, named after it: "w.trace" gives "w-COM33.trace".
QString TracePathFor(const QString &trace, int port)
{
    const QFileInfo info(trace);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? trace : trace.left(trace.size() - suffix.size() - 1);
    return base + QLatin1Char('-') + ports::PortName(port) + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

struct Row
{
    int port = 0;
    RadioWrite write;
    double seconds = 0;
};

// What all lanes share: the radios taken and written, so that no radio is
// written twice however it moves between cables, and the table.
struct Session
{
    QSet<std::uint32_t> written;
    QHash<std::uint32_t, int> taken;  // serial -> the port writing it now
    QList<Row> rows;
    int admitted = 0;
    int running = 0;
    QList<int> abandoned;  // ports that stopped opening for good
};

// One cable: radio after radio with --repeat, else the one radio on it.
class Lane : public QObject, private SequenceObserver, private LogView
{
public:
    Lane(int port, Session &session, const Records &file, const WritePlan &plan, bool repeat, std::function<void()> ended)
        : m_port(port), m_session(session), m_file(file), m_plan(plan), m_repeat(repeat), m_ended(std::move(ended))
    {
    }

    bool OpenTrace(const QString &trace)
    {
        return trace.isEmpty() || m_trace.Open(TracePathFor(trace, m_port));
    }

    void Begin()
    {
        ++m_session.running;
        if (m_repeat)
            PrintTagged(Tag(m_port), QCoreApplication::translate("kd-cli", "Ожидание радиостанции на порту %1 (Ctrl-C — завершить) ...").arg(ports::PortName(m_port)));
        BeginRadio();
    }

    // Ctrl-C: every job of the lane stops between two blocks, one not begun
    // at its first step.
    void Stop()
    {
        m_stopping = true;
        if (!m_sequence || m_sequence->finished())
            return;
        for (int i = 0; i < m_sequence->count(); ++i) {
            ProgrammingJob &job = m_sequence->step(i).job();
            if (!job.stopRequested())
                job.RequestStop();
        }
    }

private:
    void BeginRadio()
    {
        // The steps refer to the records: they go first.
        m_sequence.reset();
        m_backup = nullptr;
        m_verify = nullptr;
        // Each radio its own copy of the file's tables: a job sets the
        // programming counter of the radio it writes in them.
        m_radio = std::make_unique<JobRecords>(QString());
        m_radio->channels.channels = m_file.channels.channels;
        m_radio->channels.tableVersion = m_file.channels.tableVersion;
        m_radio->channels.ranges = m_file.channels.ranges;
        m_radio->settings = m_file.settings;

        m_sequence = std::make_unique<JobSequence>();
        if (!m_plan.backupDir.isEmpty()) {
            auto step = std::make_unique<safety::BackupStep>(m_plan.backupDir);
            step->title = QCoreApplication::translate("kd-cli", "Резервная копия: чтение радиостанции");
            m_backup = step.get();
            m_sequence->Add(std::move(step));
        }
        auto write = std::make_unique<safety::ExchangeStep>(m_radio->channels, m_radio->settings, m_radio->info,
                                                            ProgrammingJob::OpWrite);
        m_write = write.get();
        m_sequence->Add(std::move(write));
        if (m_plan.verify) {
            auto step = std::make_unique<safety::VerifyStep>(m_write->job());
            step->title = QCoreApplication::translate("kd-cli", "Проверка: чтение радиостанции");
            m_verify = step.get();
            m_sequence->Add(std::move(step));
        }
        // With --repeat the first job meets the radio and may turn it away; its
        // log waits until it does not, so that polling leaves no trace.
        m_held = m_repeat;
        m_heldText.clear();
        m_serial.reset();
        if (m_repeat)
            m_sequence->step(0).job().SetInfoGate([this](const TInfoContext &info) { return Admit(info); });
        if (m_stopping || StopRequested())
            m_sequence->step(0).job().RequestStop();
        m_sequence->SetNarrated(true);
        m_sequence->SetPort(std::uint32_t(m_port));
        m_sequence->SetObserver(this);
        m_sequence->SetTrace(m_trace.isOpen() ? &m_trace : nullptr);
        m_clock.start();
        m_sequence->Begin(this);
    }

    bool Admit(const TInfoContext &info)
    {
        const std::uint32_t serial = info.serialNumber;
        if (m_attached && *m_attached == serial)
            return false;
        if (serial != kNoSerial) {
            if (m_session.written.contains(serial)) {
                m_attached = serial;
                PrintTagged(Tag(m_port), QCoreApplication::translate("kd-cli", "Радиостанция %1 уже записана в этом сеансе, пропущена.").arg(serial));
                return false;
            }
            // Moved here while another cable still has it: taken once that
            // cable lets it go, unless it was written there.
            if (const int other = m_session.taken.value(serial); other != 0) {
                if (m_waitingFor != serial)
                    PrintTagged(Tag(m_port), QCoreApplication::translate("kd-cli", "Радиостанция %1 ещё записывается на порту %2, ожидание.")
                                                 .arg(serial).arg(ports::PortName(other)));
                m_waitingFor = serial;
                return false;
            }
            m_session.taken.insert(serial, m_port);
        }
        m_attached = serial;
        m_waitingFor.reset();
        m_serial = serial;
        PrintTagged(Tag(m_port), QCoreApplication::translate("kd-cli", "Радиостанция %1, серийный номер %2")
                                     .arg(++m_session.admitted).arg(SerialText(serial)));
        m_held = false;
        if (!m_heldText.isEmpty())
            PrintTagged(Tag(m_port), m_heldText);
        m_heldText.clear();
        return true;
    }

    // SequenceObserver. The sequence calls from inside itself: it is looked
    // at, and replaced, once that call has returned.
    void ProgressChanged(int, Rgb) override {}
    void Finished() override
    {
        QMetaObject::invokeMethod(this, [this] { SequenceEnded(); }, Qt::QueuedConnection);
    }

    // LogView.
    void AppendText(const QString &text) override
    {
        if (m_held)
            m_heldText += text;
        else
            PrintTagged(Tag(m_port), text);
    }
    void ClearText() override {}

    void Say(const QString &line) { PrintTagged(Tag(m_port), line); }

    // What came of the radio, as a write on one port tells it.
    RadioWrite Outcome()
    {
        RadioWrite out;
        const int failed = m_sequence->failedStep();
        int index = 0;
        if (m_backup) {
            NoteJob(out, m_backup->job(), m_backup->radio().info);
            if (m_repeat && !out.admitted)
                return out;  // no radio, or one turned away: nothing shown, nothing touched
            if (!m_backup->ok) {
                out.summary = ProgrammingJob::WriteSummary(QCoreApplication::translate("kd-cli", "запись не выполнена"),
                                                           QCoreApplication::translate("kd-cli", "резервная копия не сохранена"),
                                                           out.channels, out.settings);
                Say(out.summary);
                if (m_backup->job().succeeded())
                    out.status = ExitFailed;
                return out;
            }
            out.backup = m_backup->path;
            ++index;
        }
        NoteJob(out, m_write->job(), m_radio->info);
        out.channels = m_write->job().channelTableWrite();
        out.settings = m_write->job().settingsTableWrite();
        if (m_backup)
            out.admitted = true;  // the backup met the radio; the write had no gate
        if (failed == index || !m_verify)
            return out;  // a failed job's summary is its log's last line
        ++index;
        const safety::VerifyStep &verify = *m_verify;
        out.verified = verify.ok;
        if (verify.ok)
            return out;
        QString why = QCoreApplication::translate("kd-cli", "прочитанное не совпадает с записанным");
        out.status = ExitFailed;
        if (!verify.mismatch) {
            why = verify.error.isEmpty() ? QCoreApplication::translate("kd-cli", "таблицы прочитаны с ошибками") : verify.error;
            out.errorCode = verify.job().exchangeError();
            if (const int s = ExitFor(verify.job()); s != ExitOk)
                out.status = s;
        }
        out.summary = QCoreApplication::translate("kd-cli", "Итог: обе таблицы записаны полностью, но проверка не пройдена (%1).").arg(why);
        Say(out.summary);
        return out;
    }

    void SequenceEnded()
    {
        const double seconds = double(m_clock.elapsed()) / 1000.0;
        const RadioWrite w = Outcome();
        if (m_serial && *m_serial != kNoSerial) {
            m_session.taken.remove(*m_serial);
            if (w.ok())
                m_session.written.insert(*m_serial);
        }
        if (m_repeat && !w.admitted) {
            if (!w.declined)
                m_attached.reset();  // no radio answered
            if (w.portNotOpened) {
                if (PortWillNotOpen(w)) {
                    m_held = false;
                    Say(QCoreApplication::translate("kd-cli", "Не удалось открыть порт %1 !!!").arg(ports::PortName(m_port)));
                    Say(ports::DescribeOpenProblem(w.openProblem));
                    m_session.abandoned << m_port;
                    End();
                    return;
                }
                if (w.openProblem.kind != m_lastProblem && w.openProblem.kind == ports::OpenProblem::Busy)
                    Say(ports::DescribeOpenProblem(w.openProblem));
                m_lastProblem = w.openProblem.kind;
            }
            Next();
            return;
        }
        m_lastProblem = ports::OpenProblem::None;
        m_session.rows.append(Row{m_port, w, seconds});
        OutputLine(Tag(m_port) + QLatin1Char(' ')
                   + QCoreApplication::translate("kd-cli", "Серийный номер %1: %2, %3 с.").arg(SerialText(w.serial), ResultText(w), Seconds(seconds)));
        if (!m_repeat) {
            End();
            return;
        }
        if (!m_stopping && !StopRequested())
            Say(QCoreApplication::translate("kd-cli", "Ожидание следующей радиостанции (Ctrl-C — завершить) ..."));
        Next();
    }

    void Next()
    {
        if (m_stopping || StopRequested()) {
            End();
            return;
        }
        QTimer::singleShot(kPollPauseMs, this, [this] {
            if (m_stopping || StopRequested())
                End();
            else
                BeginRadio();
        });
    }

    void End()
    {
        if (m_done)
            return;
        m_done = true;
        --m_session.running;
        m_ended();
    }

    const int m_port;
    Session &m_session;
    const Records &m_file;
    const WritePlan m_plan;
    const bool m_repeat;
    std::function<void()> m_ended;
    TraceFile m_trace;

    std::unique_ptr<JobRecords> m_radio;
    std::unique_ptr<JobSequence> m_sequence;
    safety::BackupStep *m_backup = nullptr;
    safety::ExchangeStep *m_write = nullptr;
    safety::VerifyStep *m_verify = nullptr;
    QElapsedTimer m_clock;

    bool m_held = false;
    QString m_heldText;
    std::optional<std::uint32_t> m_serial;    // the radio being written
    std::optional<std::uint32_t> m_attached;  // handled or turned away; unset once the port showed no radio
    std::optional<std::uint32_t> m_waitingFor;
    ports::OpenProblem::Kind m_lastProblem = ports::OpenProblem::None;
    bool m_stopping = false;
    bool m_done = false;
};

// The ports where a probe finds a radio; the probe's list is printed first.
QList<int> ProbedRadios()
{
    QJsonArray json;
    QList<int> found;
    for (const PortFinding &f : ProbeAndList(ports::ListPorts(), json)) {
        if (f.kind == PortFinding::Radio)
            found << f.port;
    }
    Report().insert(QStringLiteral("probed"), json);
    return found;
}

} // namespace

int ReadSeveralPorts(const QCommandLineParser &parser, const QStringList &entries, RadioOptions &options, QList<int> &lanes)
{
    options.trace = parser.value(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("trace")) && options.trace.isEmpty()) {
        Error(QCoreApplication::translate("kd-cli", "для --trace нужно имя файла"));
        return ExitUsage;
    }
    lanes.clear();
    if (IsAllProbed(entries))
        return -1;
    return ResolvePortList(entries, lanes);
}

int WriteOnSeveralPorts(const Records &records, const WritePlan &plan, const RadioOptions &options, QList<int> lanes, bool repeat)
{
    Report().insert(QStringLiteral("operation"), QStringLiteral("write"));
    Report().insert(QStringLiteral("port"), QJsonValue());
    if (lanes.isEmpty()) {
        lanes = ProbedRadios();
        if (lanes.isEmpty())
            return Fail(QCoreApplication::translate("kd-cli", "запись не выполнена: радиостанция не найдена ни на одном порту."), ExitNoAnswer);
    }
    QJsonArray names;
    for (const int port : std::as_const(lanes))
        names.append(ports::PortName(port));
    Report().insert(QStringLiteral("ports"), names);

    Session session;
    QEventLoop loop;
    std::vector<std::unique_ptr<Lane>> all;
    for (const int port : std::as_const(lanes)) {
        all.push_back(std::make_unique<Lane>(port, session, records, plan, repeat, [&session, &loop] {
            if (session.running == 0)
                loop.quit();
        }));
        if (!all.back()->OpenTrace(options.trace)) {
            Error(QCoreApplication::translate("kd-cli", "не удалось записать файл трассировки %1").arg(TracePathFor(options.trace, port)));
            return FailWrite(QCoreApplication::translate("kd-cli", "файл трассировки не открыт"));
        }
    }
    // Ctrl-C reaches every lane.
    QTimer stops;
    QObject::connect(&stops, &QTimer::timeout, [&all] {
        if (StopRequested()) {
            for (auto &lane : all)
                lane->Stop();
        }
    });
    stops.start(kStopPollMs);
    for (auto &lane : all)
        lane->Begin();
    if (session.running > 0)
        loop.exec();
    stops.stop();

    // One write per port: the table lists them in the order given. Radio
    // after radio: in the order they were done.
    if (!repeat) {
        std::stable_sort(session.rows.begin(), session.rows.end(),
                         [&lanes](const Row &a, const Row &b) { return lanes.indexOf(a.port) < lanes.indexOf(b.port); });
    }
    int ok = 0;
    QStringList failed;
    QJsonArray radios;
    OutputLine(QString());
    OutputLine(QCoreApplication::translate("kd-cli", "Порт    Серийный номер  Время, с  Результат"));
    for (const Row &r : std::as_const(session.rows)) {
        ok += r.write.ok();
        if (!r.write.ok() && !failed.contains(ports::PortName(r.port)))
            failed << ports::PortName(r.port);
        OutputLine(QStringLiteral("%1  %2  %3  %4")
                       .arg(ports::PortName(r.port), -6)
                       .arg(SerialText(r.write.serial), 14)
                       .arg(Seconds(r.seconds), 8)
                       .arg(ResultText(r.write)));
        QJsonObject radio = r.write.Json();
        radio.insert(QStringLiteral("port"), ports::PortName(r.port));
        radio.insert(QStringLiteral("device"), ports::DevicePath(r.port));
        radio.insert(QStringLiteral("result"), r.write.ok() ? QStringLiteral("written") : QStringLiteral("failed"));
        radio.insert(QStringLiteral("seconds"), r.seconds);
        radios.append(radio);
    }
    OutputLine(QCoreApplication::translate("kd-cli", "Записано радиостанций: %1 из %2.").arg(ok).arg(session.rows.size()));
    Report().insert(QStringLiteral("radios"), radios);
    Report().insert(QStringLiteral("written"), ok);
    if (!session.abandoned.isEmpty()) {
        QStringList names;
        for (const int port : std::as_const(session.abandoned))
            names << ports::PortName(port);
        return Fail(QCoreApplication::translate("kd-cli", "порт %1 не открыт, ожидание прекращено.").arg(names.join(QStringLiteral(", "))),
                    ExitPortNotOpened);
    }
    if (!failed.isEmpty())
        return Fail(QCoreApplication::translate("kd-cli", "радиостанции не записаны на портах: %1.").arg(failed.join(QStringLiteral(", "))));
    return ExitOk;
}

} // namespace cli
