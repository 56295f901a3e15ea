#include "cli/clicommon.h"

#include "link/portdirectory.h"

#include <csignal>
#include <unistd.h>

namespace cli {
namespace {

std::FILE *g_log = stdout;

// A progress bar redrawn in place on a terminal. Log lines erase it first, so
// that a line never starts behind the bar.
class ProgressBar : public JobObserver
{
public:
    ProgressBar() : m_bar(isatty(STDERR_FILENO) == 1) {}
    void ProgressChanged(int percent, Rgb) override
    {
        if (!m_bar || percent < 0 || percent > 100)
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

} // namespace

void Print(const QString &text)
{
    Bar().Erase();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = t.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), g_log);
    std::fflush(g_log);
}

void PrintLine(const QString &text)
{
    Print(text + QLatin1Char('\n'));
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

int Fail(const QString &summary)
{
    PrintLine(QStringLiteral("Итог: ") + summary);
    return ExitFailed;
}

int FailWrite(const QString &cause, ProgrammingJob::TableWrite channels, ProgrammingJob::TableWrite settings)
{
    PrintLine(ProgrammingJob::WriteSummary(QStringLiteral("запись не выполнена"), cause, channels, settings));
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
                      QStringLiteral("Serial port COM1..COM255 (default: the stored default port, else the first port present)."),
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
        options.port = ports::ParsePortName(parser.value(QStringLiteral("port")));
        if (options.port == 0) {
            Error(QStringLiteral("--port takes a name COM1 .. COM255, not \"%1\"").arg(parser.value(QStringLiteral("port"))));
            return ExitUsage;
        }
        return -1;
    }
    options.port = ports::ChooseInitialPort();
    if (options.port == 0) {
        Error(QStringLiteral("no serial port found; name one with --port COMn"));
        return Fail(QStringLiteral("порт не найден, радиостанция не затронута."));
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

bool RequireValue(const QCommandLineParser &parser, const QString &name, const char *command, QString &value)
{
    value = parser.value(name);
    if (!value.isEmpty())
        return true;
    Error(QStringLiteral("%1 needs --%2 FILE").arg(QLatin1String(command), name));
    return false;
}

} // namespace cli
