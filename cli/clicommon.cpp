// kd-cli's output and --quiet, its progress bar, options and help, the stop handlers and the
// JSON report.

#include "cli/clicommon.h"

#include "cli/console.h"
#include "link/portdirectory.h"
#include "link/protocol.h"

#include <QCoreApplication>
#include <QJsonDocument>

namespace cli {
namespace {

std::FILE *g_log = stdout;
bool g_quiet = false;
bool g_json = false;

// The lines --quiet keeps: the job's errors end in "!!!", a check's and a
// failed step's start with "Ошибка", and the run's summary is its last line;
// each in the language in force.
bool ShownWhenQuiet(const QString &line)
{
    return line.startsWith(SummaryPrefix()) || line.endsWith(QLatin1String("!!!"))
        || line.startsWith(QCoreApplication::translate("kd-cli", "Ошибка"));
}

// Qt's own messages about the command line, which it gives in English, said
// in the language in force; one it does not know here stays as Qt words it.
QString ParserError(const QCommandLineParser &parser)
{
    struct Known
    {
        const char *qt;
        const char *ours;
    };
    static const Known known[] = {
        {"Unknown option '%1'.", QT_TRANSLATE_NOOP("kd-cli", "неизвестный параметр '%1'")},
        {"Unknown options: %1.", QT_TRANSLATE_NOOP("kd-cli", "неизвестные параметры: %1")},
        {"Missing value after '%1'.", QT_TRANSLATE_NOOP("kd-cli", "после '%1' нужно значение")},
        {"Unexpected value after '%1'.", QT_TRANSLATE_NOOP("kd-cli", "'%1' не принимает значения")},
    };
    const QString error = parser.errorText();
    for (const Known &k : known) {
        const QStringList parts = QCoreApplication::translate("QCommandLineParser", k.qt).split(QStringLiteral("%1"));
        if (parts.size() != 2 || error.size() < parts[0].size() + parts[1].size() || !error.startsWith(parts[0])
            || !error.endsWith(parts[1]))
            continue;
        const QString names = error.mid(parts[0].size(), error.size() - parts[0].size() - parts[1].size());
        return QCoreApplication::translate("kd-cli", k.ours).arg(names);
    }
    return error;
}

// A progress bar redrawn in place on a terminal. Log lines erase it first, so
// that a line never starts behind the bar.
class ProgressBar : public JobObserver
{
public:
    ProgressBar() : m_bar(console::IsTerminal(stderr)) {}
    void ProgressChanged(int percent, Rgb) override
    {
        if (!m_bar || g_quiet || percent < 0 || percent > 100)
            return;
        const int filled = percent * 30 / 100;
        console::Write(stderr, QString::asprintf("\r[%s%s] %3d %%", QByteArray(filled, '#').constData(),
                                                 QByteArray(30 - filled, '.').constData(), percent));
        m_drawn = true;
    }
    void Finished() override { Erase(); }
    void Erase()
    {
        if (!m_drawn)
            return;
        console::Write(stderr, QString::asprintf("\r%40s\r", ""));
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

void Write(const QString &text)
{
    Bar().Erase();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    console::Write(g_log, t);
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

void PrintTagged(const QString &tag, const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString kept;
    for (const QString &line : t.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!g_quiet || ShownWhenQuiet(line))
            kept += tag + QLatin1Char(' ') + line + QLatin1Char('\n');
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

QString SummaryPrefix()
{
    return QCoreApplication::translate("kd-cli", "Итог: %1").arg(QString());
}

void Error(const QString &text)
{
    Bar().Erase();
    std::fflush(g_log);
    console::Write(stderr, QStringLiteral("kd-cli: ") + text + QLatin1Char('\n'));
}

void SendLogToStandardError()
{
    g_log = stderr;
}

void AddOutputOptions(QCommandLineParser &parser, bool json)
{
    parser.addOption({QStringLiteral("quiet"), QCoreApplication::translate("kd-cli", "Показать только ошибки журнала, его последнюю строку и результат.")});
    if (json)
        parser.addOption({QStringLiteral("json"), QCoreApplication::translate("kd-cli", "В конце вывести один объект JSON на стандартный вывод; "
                                                                                     "журнал идёт в стандартный поток ошибок.")});
}

bool ReadOutputOptions(const QCommandLineParser &parser, bool json)
{
    g_quiet = parser.isSet(QStringLiteral("quiet"));
    g_json = json && parser.isSet(QStringLiteral("json"));
    if (g_json) {
        if (parser.optionNames().contains(QStringLiteral("output")) && parser.value(QStringLiteral("output")) == QLatin1String("-")) {
            g_json = false;
            Error(QCoreApplication::translate("kd-cli", "--json и --output - не могут вместе занимать стандартный вывод"));
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
    const QString line = QCoreApplication::translate("kd-cli", "Итог: %1").arg(summary);
    PrintLine(line);
    Report().insert(QStringLiteral("summary"), line);
    return status;
}

int FailWrite(const QString &cause, ProgrammingJob::TableWrite channels, ProgrammingJob::TableWrite settings)
{
    const QString line = ProgrammingJob::WriteSummary(QCoreApplication::translate("kd-cli", "запись не выполнена"), cause, channels, settings);
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
    // RequestStop only stores a flag, as a signal handler must.
    console::OnStop(&RequestStop);
}

void PrintHelp(const QCommandLineParser &parser, const QString &usage)
{
    // The parser's own text starts with its usage line; ours replaces it, and
    // its heading of the options, which Qt gives in English, is ours too.
    const QStringList lines = parser.helpText().split(QLatin1Char('\n'));
    static const char kHeading[] = "Options:";  // Qt's text, not one of ours for lupdate
    const qsizetype options = lines.indexOf(QCoreApplication::translate("QCommandLineParser", kHeading));
    Print(usage + QLatin1Char('\n'));
    PrintLine(QCoreApplication::translate("kd-cli", "Параметры:"));
    for (const QString &line : lines.mid(options + 1)) {
        if (!line.isEmpty())
            PrintLine(line);
    }
}

int ParseCommand(QCommandLineParser &parser, const QStringList &arguments, const QString &usage)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("kd-cli", "Показать эту справку."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        Error(ParserError(parser));
        console::Write(stderr, usage);
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        PrintHelp(parser, usage);
        return ExitOk;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Error(QCoreApplication::translate("kd-cli", "лишний аргумент %1").arg(parser.positionalArguments().first()));
        console::Write(stderr, usage);
        return ExitUsage;
    }
    return -1;
}

void AddRadioOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("port"),
                      QCoreApplication::translate("kd-cli", "Последовательный порт COM1..COM255 или устройство, например "
                                                            "/dev/ttyUSB0 (по умолчанию — порт, выбранный по умолчанию, "
                                                            "иначе первый имеющийся)."),
                      QStringLiteral("COMn")});
    parser.addOption({QStringLiteral("trace"),
                      QCoreApplication::translate("kd-cli", "Записать в <файл> каждый отправленный и принятый кадр, "
                                                            "шестнадцатеричными байтами, с отметкой времени."),
                      QCoreApplication::translate("kd-cli", "файл")});
}

int ResolvePortName(const QString &name, int &port)
{
    port = ports::ParsePortName(name);
    if (port != 0)
        return -1;
    // A path names a device; anything else is a mistyped port name.
    if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))) {
        Error(QCoreApplication::translate("kd-cli", "--port принимает имя COM1 .. COM255 или путь к устройству, а не \"%1\"").arg(name));
        return ExitUsage;
    }
    port = ports::NameDeviceForThisRun(name);
    if (port == 0) {
        Error(QCoreApplication::translate("kd-cli", "для %1 не осталось свободного номера порта").arg(name));
        return ExitUsage;
    }
    PrintLine(ports::DeviceLine(port, name));
    return -1;
}

int ReadRadioOptions(const QCommandLineParser &parser, RadioOptions &options)
{
    options.trace = parser.value(QStringLiteral("trace"));
    if (parser.isSet(QStringLiteral("trace")) && options.trace.isEmpty()) {
        Error(QCoreApplication::translate("kd-cli", "для --trace нужно имя файла"));
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("port")))
        return ResolvePortName(parser.value(QStringLiteral("port")), options.port);
    options.port = ports::ChooseInitialPort();
    if (options.port == 0) {
        Error(QCoreApplication::translate("kd-cli", "последовательный порт не найден; укажите его: --port COMn или --port УСТРОЙСТВО"));
        return Fail(QCoreApplication::translate("kd-cli", "порт не найден, радиостанция не затронута."), ExitPortNotOpened);
    }
    for (const QString &line : ports::ReplacedDefaultLines(ports::StoredDefaultPort(), options.port))
        PrintLine(line);
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
        Error(QCoreApplication::translate("kd-cli", "не удалось записать файл трассировки %1").arg(options.trace));
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
    r.insert(QStringLiteral("errorCode"), job.errorCode());
    r.insert(QStringLiteral("errorMessage"), job.errorMessage());
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
    Error(QCoreApplication::translate("kd-cli", "для %1 нужен --%2 ФАЙЛ").arg(QLatin1String(command), name));
    return false;
}

} // namespace cli
