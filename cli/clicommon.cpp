#include "cli/clicommon.h"

#include "link/portdirectory.h"
#include "link/protocol.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <csignal>
#include <unistd.h>

namespace cli {
namespace {

std::FILE *g_log = stdout;
bool g_quiet = false;
bool g_json = false;

// The lines --quiet keeps: the job's errors end in "!!!", a check's and a
// failed step's start with "Ошибка", and the run's summary is its last line.
bool ShownWhenQuiet(const QString &line)
{
    return line.startsWith(QStringLiteral("Итог: ")) || line.endsWith(QLatin1String("!!!"))
        || line.startsWith(QStringLiteral("Ошибка"));
}

// A progress bar redrawn in place on a terminal. Log lines erase it first, so
// that a line never starts behind the bar.
class ProgressBar : public JobObserver
{
public:
    ProgressBar() : m_bar(isatty(STDERR_FILENO) == 1) {}
    void ProgressChanged(int percent, Rgb) override
    {
        if (!m_bar || g_quiet || percent < 0 || percent > 100)
            return;
        const int filled = percent * 30 / 100;
        std::fprintf(stderr, "\r[%s%s] %3d %%", QByteArray(filled, '#').constData(),
                     QByteArray(30 - filled, '.').constData(), percent);
        std::fflush(stderr);
        m_drawn = true;
    }
    void Finished() override { Erase(); }
    void Erase()
    {
        if (!m_drawn)
            return;
        std::fprintf(stderr, "\r%40s\r", "");
        std::fflush(stderr);
        m_drawn = false;
    }

private:
    bool m_bar;
    bool m_drawn = false;
};

ProgressBar &Bar()
{
    static ProgressBar bar;
    return bar;
}

class TerminalLog : public LogView
{
public:
    void AppendText(const QString &text) override { Print(text); }
    void ClearText() override {}
};

void OnStopSignal(int)
{
    // Async-signal-safe: a lock-free store. SA_RESETHAND lets a second signal end the process.
    RequestStop();
}

void Write(const QString &text)
{
    Bar().Erase();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = t.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), g_log);
    std::fflush(g_log);
}

QJsonObject &JsonReport()
{
    static QJsonObject report;
    return report;
}

} // namespace

void Print(const QString &text)
{
    if (!g_quiet) {
        Write(text);
        return;
    }
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString kept;
    for (const QString &line : t.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (ShownWhenQuiet(line))
            kept += line + QLatin1Char('\n');
    }
    if (!kept.isEmpty())
        Write(kept);
}

void PrintLine(const QString &text)
{
    Print(text + QLatin1Char('\n'));
}

void Output(const QString &text)
{
    Write(text);
}

void OutputLine(const QString &text)
{
    Write(text + QLatin1Char('\n'));
}

void Error(const QString &text)
{
    Bar().Erase();
    std::fflush(g_log);
    std::fprintf(stderr, "kd-cli: %s\n", text.toUtf8().constData());
}

void SendLogToStandardError()
{
    g_log = stderr;
}

void AddOutputOptions(QCommandLineParser &parser, bool json)
{
    parser.addOption({QStringLiteral("quiet"), QStringLiteral("Show only the log's errors and its last line, and the result.")});
    if (json)
        parser.addOption({QStringLiteral("json"), QStringLiteral("Print one JSON object on standard output at the end; "
                                                                 "the log goes to standard error.")});
}

bool ReadOutputOptions(const QCommandLineParser &parser, bool json)
{
    g_quiet = parser.isSet(QStringLiteral("quiet"));
    g_json = json && parser.isSet(QStringLiteral("json"));
    if (g_json) {
        if (parser.optionNames().contains(QStringLiteral("output")) && parser.value(QStringLiteral("output")) == QLatin1String("-")) {
            g_json = false;
            Error(QStringLiteral("--json cannot share standard output with --output -"));
            return false;
        }
        SendLogToStandardError();
    }
    return true;
}

bool JsonWanted()
{
    return g_json;
}

QJsonObject &Report()
{
    return JsonReport();
}

int Finish(int status)
{
    if (!g_json)
        return status;
    QJsonObject &report = JsonReport();
    report.insert(QStringLiteral("exitStatus"), status);
    if (!report.contains(QStringLiteral("summary")))
        report.insert(QStringLiteral("summary"), QString());
    const QByteArray bytes = QJsonDocument(report).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
    return status;
}

int Fail(const QString &summary, int status)
{
    PrintLine(QStringLiteral("Итог: ") + summary);
    Report().insert(QStringLiteral("summary"), QStringLiteral("Итог: ") + summary);
    return status;
}

int FailWrite(const QString &cause, ProgrammingJob::TableWrite channels, ProgrammingJob::TableWrite settings)
{
    const QString line = ProgrammingJob::WriteSummary(QStringLiteral("запись не выполнена"), cause, channels, settings);
    PrintLine(line);
    Report().insert(QStringLiteral("summary"), line);
    return ExitFailed;
}

int ExitFor(const ProgrammingJob &job)
{
    if (job.succeeded())
        return ExitOk;
    if (job.portNotOpened())
        return ExitPortNotOpened;
    if (job.exchangeError() == protocol::ErrNoReply)
        return ExitNoAnswer;
    return ExitFailed;
}

void InstallStopHandlers()
{
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void PrintHelp(const QCommandLineParser &parser, const QString &usage)
{
    // The parser's own text starts with its usage line; ours replaces it.
    const QStringList lines = parser.helpText().split(QLatin1Char('\n'));
    const qsizetype options = lines.indexOf(QStringLiteral("Options:"));
    Print(usage + QLatin1Char('\n'));
    for (const QString &line : lines.mid(options < 0 ? 0 : options)) {
        if (!line.isEmpty())
            PrintLine(line);
    }
}

int ParseCommand(QCommandLineParser &parser, const QStringList &arguments, const QString &usage)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        Error(parser.errorText());
        std::fprintf(stderr, "%s", usage.toUtf8().constData());
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        PrintHelp(parser, usage);
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Error(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
        std::fprintf(stderr, "%s", usage.toUtf8().constData());
        return ExitUsage;
    }
    return -1;
}

void AddRadioOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Serial port COM1..COM255, or a device such as /dev/ttyUSB0 (default: the stored "
                                     "default port, else the first port present)."),
                      QStringLiteral("COMn")});
    parser.addOption({QStringLiteral("trace"), QStringLiteral("Write every frame sent and received, time-stamped, in hex to <file>."),
                      QStringLiteral("file")});
}

int ReadRadioOptions(const QCommandLineParser &parser, RadioOptions &options)
{
    options.trace = parser.value(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("trace")) && options.trace.isEmpty()) {
        Error(QStringLiteral("--trace needs a file name"));
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("port"))) {
        const QString name = parser.value(QStringLiteral("port"));
        options.port = ports::ParsePortName(name);
        if (options.port != 0)
            return -1;
        // A path names a device; anything else is a mistyped port name.
        if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))) {
            Error(QStringLiteral("--port takes a name COM1 .. COM255 or a device path, not \"%1\"").arg(name));
            return ExitUsage;
        }
        options.port = ports::NameDeviceForThisRun(name);
        if (options.port == 0) {
            Error(QStringLiteral("no free port number left for %1").arg(name));
            return ExitUsage;
        }
        PrintLine(QCoreApplication::translate("kd-cli", "Порт %1: устройство %2.").arg(ports::PortName(options.port), name));
        return -1;
    }
    options.port = ports::ChooseInitialPort();
    if (options.port == 0) {
        Error(QStringLiteral("no serial port found; name one with --port COMn or --port DEVICE"));
        return Fail(QStringLiteral("порт не найден, радиостанция не затронута."), ExitPortNotOpened);
    }
    return -1;
}

LogView &TerminalView()
{
    static TerminalLog view;
    return view;
}

JobObserver &TerminalProgress()
{
    return Bar();
}

std::unique_ptr<ProgrammingJob> RunJob(Records &records, ProgrammingJob::Operation operation, const RadioOptions &options)
{
    TraceFile trace;
    if (!options.trace.isEmpty() && !trace.Open(options.trace)) {
        Error(QStringLiteral("cannot write the trace file %1").arg(options.trace));
        return nullptr;
    }
    return RunJobToEnd(records, operation, options.port, &TerminalView(), &TerminalProgress(), &trace);
}

void ReportRadio(const QString &operation, const RadioOptions &options)
{
    QJsonObject &r = Report();
    r.insert(QStringLiteral("operation"), operation);
    r.insert(QStringLiteral("port"), options.port ? QJsonValue(ports::PortName(options.port)) : QJsonValue());
    r.insert(QStringLiteral("device"), options.port ? QJsonValue(ports::DevicePath(options.port)) : QJsonValue());
}

QJsonValue SerialJson(const TInfoContext &info)
{
    if (!info.mainDecoded || info.serialNumber == 0xFFFFFFFFu)
        return QJsonValue();
    return qint64(info.serialNumber);
}

void ReportJob(const ProgrammingJob &job, const TInfoContext &info)
{
    QJsonObject &r = Report();
    r.insert(QStringLiteral("serialNumber"), SerialJson(info));
    r.insert(QStringLiteral("errorCode"), job.exchangeError());
    r.insert(QStringLiteral("errorMessage"), job.exchangeError() ? protocol::ErrorMessage(job.exchangeError()) : QString());
    r.insert(QStringLiteral("summary"), job.succeeded() ? QString() : job.Summary());
}

namespace {

QJsonArray TablesJson(const QString &channels, const QString &settings)
{
    return QJsonArray{QJsonObject{{QStringLiteral("table"), QStringLiteral("channels")}, {QStringLiteral("state"), channels}},
                      QJsonObject{{QStringLiteral("table"), QStringLiteral("settings")}, {QStringLiteral("state"), settings}}};
}

QString ReadState(const ProgrammingJob &job, bool read)
{
    if (read)
        return QStringLiteral("read");
    return job.completed() ? QStringLiteral("faulty") : QStringLiteral("not read");
}

QString WriteState(ProgrammingJob::TableWrite state)
{
    switch (state) {
    case ProgrammingJob::TableWrite::Complete: return QStringLiteral("written");
    case ProgrammingJob::TableWrite::Partly: return QStringLiteral("partly written");
    case ProgrammingJob::TableWrite::None: break;
    }
    return QStringLiteral("not written");
}

} // namespace

QJsonArray ReadTablesJson(const ProgrammingJob &job)
{
    return TablesJson(ReadState(job, job.channelTableRead()), ReadState(job, job.settingsTableRead()));
}

QJsonArray WrittenTablesJson(ProgrammingJob::TableWrite channels, ProgrammingJob::TableWrite settings)
{
    return TablesJson(WriteState(channels), WriteState(settings));
}

bool RequireValue(const QCommandLineParser &parser, const QString &name, const char *command, QString &value)
{
    value = parser.value(name);
    if (!value.isEmpty())
        return true;
    Error(QStringLiteral("%1 needs --%2 FILE").arg(QLatin1String(command), name));
    return false;
}

} // namespace cli
