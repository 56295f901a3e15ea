#include "job/programmingjob.h"

#include "job/programmerid.h"
#include "model/channelscontext.h"
#include "model/infocontext.h"
#include "model/settingscontext.h"

namespace {

QString VersionArgs(const char *format, std::uint16_t v)
{
    return QString::asprintf(format, v >> 8, v & 0xFF);
}

QString PortLine(const char *format, std::uint32_t port)
{
    return QString::asprintf(format, port);
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
    m_mainReply.fill(0);
    m_extReply.fill(0);
    m_state = StateOpen;
    Step();
}

void ProgrammingJob::Stop()
{
    StopExchange();
    if (m_state == StateDone || m_state == StateNone) {
        m_state = StateDone;
        return;
    }
    m_failed = true;  // closed before the operation ended
    Finish();
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
    if (m_thread || m_port == 0)
        return false;
    m_thread = std::make_unique<ComThread>();
    if (!m_thread->OpenPort(int(m_port))) {
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
    if (const int code = m_thread->GetErrorCode()) {
        LogLine(protocol::ErrorMessage(code));
        m_failed = true;
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
            if (!OpenExchange()) {
                LogLine(PortLine("Не удалось открыть порт COM%u !!!", m_port));
                LogLine(QStringLiteral("Процесс остановлен!!!"));
                m_failed = true;
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
            LogLine(PortLine("Порт COM%u открыт.", m_port));
            Repaint();
            m_thread->Start();
            m_state = StateWaitInfo;
            return;
        }
        case StateQueueRead: {
            m_colour = ReadColour;
            LogLine(QStringLiteral("Чтение ..."));
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
            LogLine(QStringLiteral("Информация о станции получена."));
            m_info.DecodeMain(m_mainReply.data());
            m_info.DecodeExtended(m_extReply.data());
            const bool versionsMatch = m_info.programmerVersion == ProgrammerId();
            const bool rangesMatch = m_info.range.Equals(m_channels.ranges.Current());
            m_settings.ProgramCount = m_info.programCount + 1;
            const QString programmerLine =
                QStringLiteral("\r\nДля программирования радиостанции необходим другой программатор [%1]\r\n")
                    .arg(m_info.programmerVersion);
            switch (m_operation) {
            case OpInfo:
                if (!rangesMatch)
                    LogLine(QStringLiteral("\r\nДиапазон частот в станции и файле не совпадают!!!\r\n"));
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
                if (!rangesMatch)
                    LogLine(QStringLiteral("\r\nДиапазон частот в станции и файле не совпадают!!!\r\nЗапись прервана!!!\r\n"));
                if (!versionsMatch)
                    LogLine(programmerLine);
                m_failed = true;
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
            LogLine(PortLine("Порт COM%u закрыт.", m_port));
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
                LogLine(VersionArgs("Таблица каналов прочитана (версия %d.%d).", m_channels.tableVersion));
            } else {
                LogLine(QStringLiteral("Ошибки в таблице каналов!!!"));
                m_failed = true;
            }
            if (m_settings.DecodeImage(m_settingsImage)) {
                LogLine(VersionArgs("Таблица настроек прочитана (версия %d.%d).", m_settings.version));
            } else {
                LogLine(QStringLiteral("Ошибки в таблице настроек!!!"));
                m_failed = true;
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
            LogLine(QStringLiteral("Таблица каналов записана."));
            LogLine(QStringLiteral("Таблица настроек записана."));
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

    // Both images are built before anything is queued: a table that cannot be
    // built stops the write, and one table is never written alone.
    if (!m_channels.EncodeImage(m_channelImage, ChannelsContext::TableVersion)) {
        QStringList numbers;
        for (int n : m_channels.UnrepresentableChannels())
            numbers << QString::number(n);
        LogLine(QStringLiteral("Ошибка. Таблица каналов не сформирована: частоты каналов %1 не могут быть записаны!!!")
                    .arg(numbers.join(QStringLiteral(", "))));
        LogLine(QStringLiteral("Запись прервана!!!"));
        m_failed = true;
        m_state = StateClose;
        return;
    }
    LogLine(VersionArgs("Таблица каналов сформирована (версия %d.%d).", ChannelsContext::TableVersion));

    std::uint16_t version = m_info.settingsTableVersion;
    if (version == 0)
        version = SettingsContext::Version100;
    if (!m_settings.EncodeImage(m_settingsImage, version)) {
        LogLine(VersionArgs("Ошибка. Таблица настроек версии %d.%d не может быть сформирована!!!", version));
        LogLine(QStringLiteral("Запись прервана!!!"));
        m_failed = true;
        m_state = StateClose;
        return;
    }
    LogLine(VersionArgs("Таблица настроек сформирована (версия %d.%d).", version));
    LogLine(QStringLiteral("Запись ..."));

    const ExchangeRequest channels{WriteTable, 0, ChannelTableSize, m_channelImage.data()};
    const ExchangeRequest settings{WriteTable, 4, version == SettingsContext::Version101 ? SettingsSize101 : SettingsSize,
                                   m_settingsImage.data()};
    m_thread->AddRequest(&channels);
    m_thread->AddRequest(&settings);
    m_thread->Start();
    m_state = StateWaitWrite;
}
