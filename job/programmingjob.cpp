// The job's states from opening the port to the summary: tables queued, read ones checked, and
// a write refused while a value would reach the radio as another.

#include "job/programmingjob.h"

#include "job/programmerid.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "model/valuecheck.h"

#include <QCoreApplication>

namespace {

// The texts of this file, for Qt Linguist.
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ProgrammingJob)
};

// A table version as the log shows it: "1.2".
QString Version(std::uint16_t v)
{
    return QString::asprintf("%d.%d", v >> 8, v & 0xFF);
}

// The exchange's error code as the cause in a summary.
QString CodeCause(int code)
{
    switch (code) {
    case protocol::ErrChecksum: return Tr::tr("ошибка контрольной суммы");
    case protocol::ErrBadReply: return Tr::tr("неверный ответ радиостанции");
    case protocol::ErrBlockLength: return Tr::tr("ошибка длины блока");
    case protocol::ErrAccess: return Tr::tr("ошибка доступа к порту");
    case protocol::ErrBaudRate: return Tr::tr("ошибка установки скорости обмена");
    case protocol::ErrBufferPointer: return Tr::tr("ошибка указателя на буфер");
    case protocol::ErrCompare: return Tr::tr("несовпадение данных при сравнении");
    case protocol::ErrNoReply: return Tr::tr("ответ не получен за отведенное время");
    default: return Tr::tr("ошибка обмена (код %1)").arg(code);
    }
}

QString WriteState(ProgrammingJob::TableWrite w)
{
    switch (w) {
    case ProgrammingJob::TableWrite::Complete: return Tr::tr("записана полностью");
    case ProgrammingJob::TableWrite::Partly: return Tr::tr("записана частично");
    case ProgrammingJob::TableWrite::None: break;
    }
    return Tr::tr("не записана");
}

// Translated when used: the language may change between two jobs.
QString Stopped()
{
    return Tr::tr("Процесс остановлен!!!");
}
QString WriteAborted()
{
    return Tr::tr("Запись прервана!!!");
}
QString RangesDiffer()
{
    return Tr::tr("Диапазон частот в станции и файле не совпадают!!!");
}

} // namespace

ProgrammingJob::ProgrammingJob(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info)
    : m_channels(channels), m_settings(settings), m_info(info)
{
}

ProgrammingJob::~ProgrammingJob()
{
    StopExchange();
}

void ProgrammingJob::Begin(LogView *view)
{
    m_log.Attach(view);
    m_log.SetEnabled(true);
    m_log.ClearLog();
    m_completed = false;
    m_failed = false;
    m_cause.clear();
    m_portNotOpened = false;
    m_declined = false;
    m_infoReceived = false;
    m_exchangeError = 0;
    m_openFailure = {};
    m_tableWrite.fill(TableWrite::None);
    m_tableRead.fill(false);
    m_mainReply.fill(0);
    m_extReply.fill(0);
    m_state = StateOpen;
    Step();
}

void ProgrammingJob::Stop()
{
    // Stopped while the tables went out: once the worker has ended, what it
    // sent is what the radio may hold.
    if (m_thread && m_state == StateWaitWrite) {
        m_thread->Close();
        NoteWriteExtent();
        Fail(Tr::tr("остановлено по запросу"));
    }
    StopExchange();
    if (m_state == StateDone || m_state == StateNone) {
        m_state = StateDone;
        return;
    }
    m_failed = true;  // closed before the operation ended
    Finish();
}

void ProgrammingJob::RequestStop()
{
    m_stopRequested = true;
    if (m_thread)
        m_thread->RequestStop();
}

void ProgrammingJob::Fail(const QString &cause)
{
    m_failed = true;
    if (m_cause.isEmpty())
        m_cause = cause;
}

void ProgrammingJob::NoteWriteExtent()
{
    // Requests of the write phase: the channel table, then the settings.
    const ComThread::RunExtent extent = m_thread->LastRunExtent();
    for (std::size_t i = 0; i < m_tableWrite.size(); ++i) {
        if (i < extent.requestsDone)
            m_tableWrite[i] = TableWrite::Complete;
        else if (i == extent.requestsDone && extent.blocksSent > 0)
            m_tableWrite[i] = TableWrite::Partly;  // a block sent may have been stored, replied or not
        else
            m_tableWrite[i] = TableWrite::None;
    }
}

QString ProgrammingJob::Summary() const
{
    QString what;
    switch (m_operation) {
    case OpInfo: what = Tr::tr("информация о станции не получена"); break;
    case OpRead: what = m_completed ? Tr::tr("таблицы прочитаны с ошибками") : Tr::tr("чтение не выполнено"); break;
    case OpWrite: what = Tr::tr("запись не выполнена"); break;
    default: what = Tr::tr("операция не выполнена"); break;
    }
    if (m_operation == OpWrite)
        return WriteSummary(what, m_cause, m_tableWrite[0], m_tableWrite[1], m_backupPath);
    return Tr::tr("Итог: %1 (%2).").arg(what, m_cause);
}

int ProgrammingJob::errorCode() const
{
    return m_portNotOpened ? protocol::ErrAccess : m_exchangeError;
}

QString ProgrammingJob::errorMessage() const
{
    if (m_portNotOpened) {
        const QString line = Tr::tr("Не удалось открыть порт COM%1 !!!").arg(m_port);
        return m_openProblem.isEmpty() ? line : line + QLatin1Char(' ') + m_openProblem;
    }
    return m_exchangeError ? protocol::ErrorMessage(m_exchangeError) : QString();
}

QStringList ProgrammingJob::RefusalLines(const QList<ValueFinding> &findings)
{
    QStringList lines{Tr::tr("Ошибка. Радиостанция получила бы другие значения, чем заданы:")};
    for (const ValueFinding &f : findings) {
        if (f.severity == ValueFinding::Refused)
            lines << f.text;
    }
    lines << WriteAborted();
    return lines;
}

QString ProgrammingJob::WriteSummary(const QString &what, const QString &cause, TableWrite channels, TableWrite settings,
                                     const QString &backupPath)
{
    return Tr::tr("Итог: %1 (%2). Таблица каналов %3, таблица настроек %4.")
               .arg(what, cause, WriteState(channels), WriteState(settings))
         + PartialWriteAdvice(channels, settings, backupPath);
}

QString ProgrammingJob::PartialWriteAdvice(TableWrite channels, TableWrite settings, const QString &backupPath)
{
    // The radio holds neither what it had nor what was meant for it.
    const bool untouched = channels == TableWrite::None && settings == TableWrite::None;
    const bool whole = channels == TableWrite::Complete && settings == TableWrite::Complete;
    if (untouched || whole)
        return QString();
    QString advice = Tr::tr(" Запишите радиостанцию ещё раз.");
    if (!backupPath.isEmpty())
        advice += Tr::tr(" Резервная копия того, что в ней было: %1").arg(backupPath);
    return advice;
}

void ProgrammingJob::Finish()
{
    m_state = StateDone;
    if (m_observer)
        m_observer->Finished();
}

void ProgrammingJob::ExchangeNotify(std::uint32_t)
{
    // The packed word is not needed: Step asks the worker for its state.
    Step();
}

bool ProgrammingJob::OpenExchange()
{
    m_openProblem.clear();
    if (m_thread)
        return false;
    if (m_port == 0) {
        m_openProblem = Tr::tr("Порт не выбран.");
        return false;
    }
    m_thread = std::make_unique<ComThread>();
    if (!m_thread->OpenPort(int(m_port))) {
        m_openFailure = m_thread->LastOpenProblem();
        m_openProblem = ports::DescribeOpenProblem(m_openFailure);
        StopExchange();
        return false;
    }
    m_thread->SetNotifyWindow(this);
    if (m_trace)
        m_thread->SetTraceHook(m_trace, m_traceContext);
    return true;
}

void ProgrammingJob::StopExchange()
{
    if (m_thread) {
        m_thread->Close();
        m_thread.reset();
    }
}

void ProgrammingJob::Repaint()
{
    if (m_observer)
        m_observer->ProgressChanged(m_percent, m_colour);
}

ProgrammingJob::Phase ProgrammingJob::EndOfPhase()
{
    if (!m_thread)
        return Phase::Running;
    const std::uint32_t progress = m_thread->GetProgress();
    if (progress != 100) {
        m_percent = int(progress);
        Repaint();
        return Phase::Running;
    }
    m_percent = 100;
    Repaint();
    if (m_state == StateWaitWrite)
        NoteWriteExtent();
    if (const int code = m_thread->GetErrorCode()) {
        m_exchangeError = code;
        LogLine(protocol::ErrorMessage(code));
        Fail(CodeCause(code));
        m_state = StateClose;
        return Phase::Failed;
    }
    // Every phase queues two requests; a stop may have come after both were done.
    if (m_stopRequested && m_thread->LastRunExtent().requestsDone < 2) {
        LogLine(Stopped());
        Fail(Tr::tr("остановлено по запросу"));
        m_state = StateClose;
        return Phase::Failed;
    }
    return Phase::Done;
}

void ProgrammingJob::Step()
{
    // One call runs states until one starts the worker or the job is done.
    for (;;) {
        switch (m_state) {
        case StateOpen: {
            if (m_stopRequested) {
                // Stopped before it began: the port is not even opened.
                LogLine(Stopped());
                Fail(Tr::tr("остановлено по запросу"));
                LogLine(Summary());
                Repaint();
                Finish();
                return;
            }
            if (!OpenExchange()) {
                m_portNotOpened = true;
                LogLine(Tr::tr("Не удалось открыть порт COM%1 !!!").arg(m_port));
                LogLine(Stopped());
                if (!m_openProblem.isEmpty())
                    LogLine(m_openProblem);
                Fail(Tr::tr("порт COM%1 не открыт").arg(m_port));
                LogLine(Summary());
                Repaint();
                Finish();
                return;
            }
            m_thread->ClearQueue();
            const ExchangeRequest main{ReadInfo, 0, 122, m_mainReply.data()};
            const ExchangeRequest ext{ReadInfo, 1, 104, m_extReply.data()};
            m_thread->AddRequest(&main);
            m_thread->AddRequest(&ext);
            m_colour = InfoColour;
            m_percent = 0;
            LogLine(Tr::tr("Порт COM%1 открыт.").arg(m_port));
            Repaint();
            m_thread->Start();
            m_state = StateWaitInfo;
            return;
        }
        case StateQueueRead: {
            m_colour = ReadColour;
            LogLine(Tr::tr("Чтение ..."));
            m_thread->ClearQueue();
            m_channelImage.Fill(0xFF);
            m_settingsImage.Fill(0xFF);
            const ExchangeRequest channels{ReadTable, 0, ChannelTableSize, m_channelImage.data()};
            const ExchangeRequest settings{ReadTable, 4, SettingsSize, m_settingsImage.data()};
            m_thread->AddRequest(&channels);
            m_thread->AddRequest(&settings);
            m_thread->Start();
            m_state = StateWaitRead;
            return;
        }
        case StateQueueWrite:
            QueueWrite();
            if (m_state == StateWaitWrite)
                return;
            continue;
        case StateWaitInfo: {
            if (const Phase phase = EndOfPhase(); phase != Phase::Done) {
                if (phase == Phase::Failed)
                    continue;
                return;
            }
            LogLine(Tr::tr("Информация о станции получена."));
            m_infoReceived = true;
            m_info.DecodeMain(m_mainReply.data());
            m_info.DecodeExtended(m_extReply.data());
            const bool versionsMatch = m_info.programmerVersion == ProgrammerId();
            const bool rangesMatch = m_info.range.Equals(m_channels.ranges.Current());
            m_settings.ProgramCount = m_info.programCount + 1;
            if (m_gate && !m_gate(m_info)) {
                m_declined = true;
                Fail(Tr::tr("радиостанция пропущена"));
                m_state = StateClose;
                continue;
            }
            const QString programmerLine =
                QStringLiteral("\r\n")
                + Tr::tr("Для программирования радиостанции необходим другой программатор [%1]").arg(m_info.programmerVersion)
                + QStringLiteral("\r\n");
            if (m_stopRequested && m_operation != OpInfo) {
                // The information is in; the tables are not begun.
                LogLine(Stopped());
                Fail(Tr::tr("остановлено по запросу"));
                m_state = StateClose;
                continue;
            }
            switch (m_operation) {
            case OpInfo:
                if (!rangesMatch)
                    LogLine(QStringLiteral("\r\n") + RangesDiffer() + QStringLiteral("\r\n"));
                if (!versionsMatch)
                    LogLine(programmerLine);
                m_completed = true;
                m_state = StateClose;
                break;
            case OpRead:
                if (!versionsMatch)
                    LogLine(programmerLine);
                m_state = StateQueueRead;
                break;
            case OpWrite:
                if (versionsMatch && rangesMatch) {
                    m_state = StateQueueWrite;
                    break;
                }
                if (!rangesMatch) {
                    LogLine(QStringLiteral("\r\n") + RangesDiffer() + QStringLiteral("\r\n") + WriteAborted()
                            + QStringLiteral("\r\n"));
                    Fail(Tr::tr("диапазон частот в станции и файле не совпадают"));
                }
                if (!versionsMatch) {
                    LogLine(programmerLine);
                    Fail(Tr::tr("нужен другой программатор [%1]").arg(m_info.programmerVersion));
                }
                m_state = StateClose;
                break;
            default:
                m_state = StateClose;
                break;
            }
            continue;
        }
        case StateClose:
            StopExchange();
            LogLine(Tr::tr("Порт COM%1 закрыт.").arg(m_port));
            if (m_failed)
                LogLine(Summary());
            m_percent = 100;
            Repaint();
            Finish();
            return;
        case StateWaitRead:
            if (const Phase phase = EndOfPhase(); phase != Phase::Done) {
                if (phase == Phase::Failed)
                    continue;
                return;
            }
            if (m_channels.DecodeImage(m_channelImage)) {
                m_tableRead[0] = true;
                LogLine(Tr::tr("Таблица каналов прочитана (версия %1).").arg(Version(m_channels.tableVersion)));
            } else {
                LogLine(Tr::tr("Ошибки в таблице каналов!!!"));
                Fail(Tr::tr("ошибки в таблице каналов"));
            }
            if (m_settings.DecodeImage(m_settingsImage)) {
                m_tableRead[1] = true;
                LogLine(Tr::tr("Таблица настроек прочитана (версия %1).").arg(Version(m_settings.version)));
            } else {
                LogLine(Tr::tr("Ошибки в таблице настроек!!!"));
                Fail(Tr::tr("ошибки в таблице настроек"));
            }
            m_completed = true;
            m_state = StateClose;
            continue;
        case StateWaitWrite:
            if (const Phase phase = EndOfPhase(); phase != Phase::Done) {
                if (phase == Phase::Failed)
                    continue;
                return;
            }
            LogLine(Tr::tr("Таблица каналов записана."));
            LogLine(Tr::tr("Таблица настроек записана."));
            m_completed = true;
            m_state = StateClose;
            continue;
        default:
            // Done, not begun, or a state that does not exist: nothing to do.
            return;
        }
    }
}

void ProgrammingJob::QueueWrite()
{
    m_colour = WriteColour;
    m_thread->ClearQueue();

    std::uint16_t version = m_info.settingsTableVersion;
    if (version == 0)
        version = SettingsContext::Version100;
    // Nothing is queued while a value would reach the radio as another one.
    if (RefuseValues(version))
        return;

    // Both images are built before anything is queued: a table that cannot be
    // built stops the write, and one table is never written alone.
    if (!m_channels.EncodeImage(m_channelImage, ChannelsContext::TableVersion)) {
        LogLine(Tr::tr("Ошибка. Таблица каналов не сформирована!!!"));
        LogLine(WriteAborted());
        Fail(Tr::tr("таблица каналов не сформирована"));
        m_state = StateClose;
        return;
    }
    LogLine(Tr::tr("Таблица каналов сформирована (версия %1).").arg(Version(ChannelsContext::TableVersion)));

    if (!m_settings.EncodeImage(m_settingsImage, version)) {
        LogLine(Tr::tr("Ошибка. Таблица настроек версии %1 не может быть сформирована!!!").arg(Version(version)));
        LogLine(WriteAborted());
        Fail(Tr::tr("таблица настроек версии %1 не может быть сформирована").arg(Version(version)));
        m_state = StateClose;
        return;
    }
    LogLine(Tr::tr("Таблица настроек сформирована (версия %1).").arg(Version(version)));
    LogLine(Tr::tr("Запись ..."));

    const ExchangeRequest channels{WriteTable, 0, ChannelTableSize, m_channelImage.data()};
    const ExchangeRequest settings{WriteTable, 4, version == SettingsContext::Version101 ? SettingsSize101 : SettingsSize,
                                   m_settingsImage.data()};
    m_thread->AddRequest(&channels);
    m_thread->AddRequest(&settings);
    m_thread->Start();
    m_state = StateWaitWrite;
}

bool ProgrammingJob::RefuseValues(std::uint16_t settingsVersion)
{
    const QList<ValueFinding> findings = CheckValues(m_channels.channels, m_settings, settingsVersion);
    if (!HasRefused(findings)) {
        // What the layout changes on purpose is said before it is sent.
        for (const ValueFinding &f : findings)
            LogLine(FindingLine(f));
        return false;
    }
    for (const QString &line : RefusalLines(findings))
        LogLine(line);
    Fail(Tr::tr("значения, которые радиостанция не примет без изменения"));
    m_state = StateClose;
    return true;
}
