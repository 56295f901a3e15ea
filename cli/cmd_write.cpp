#include "cli/radiowrite.h"

#include "job/writesafety.h"
#include "model/configdocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QThread>

namespace cli {
namespace {

constexpr std::uint32_t kNoSerial = 0xFFFFFFFFu;
// How long to wait before asking again while no radio is there, or while the
// one that was just written is still attached. A poll that reaches a radio
// costs its information exchange, about a quarter of a second, besides.
constexpr int kPollPauseMs = 100;

QString SerialText(std::optional<std::uint32_t> serial)
{
    return serial && *serial != kNoSerial ? QString::number(*serial) : QCoreApplication::translate("kd-cli", "нет");
}

QString Seconds(double s)
{
    return QString::number(s, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

// An open problem waiting does not cure: no device behind the number, no
// permission, a fault of the device itself.
bool PortWillNotOpen(const RadioWrite &w)
{
    using K = ports::OpenProblem::Kind;
    const K kind = w.openProblem.kind;
    return kind != K::Absent && kind != K::Busy;
}

void Pause()
{
    for (int waited = 0; waited < kPollPauseMs && !StopRequested(); waited += 20)
        QThread::msleep(20);
}

struct Row
{
    RadioWrite write;
    double seconds = 0;
};

QString ResultText(const RadioWrite &w)
{
    if (w.ok())
        return w.verified.value_or(false) ? QCoreApplication::translate("kd-cli", "записана и проверена") : QCoreApplication::translate("kd-cli", "записана");
    // The summary without its "Итог: " and final full stop: a cell, and the
    // head of a line that goes on.
    QString s = w.summary;
    if (s.startsWith(QStringLiteral("Итог: ")))
        s.remove(0, 6);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

// Radio after radio on one port until a stop is asked for; a radio is written
// once per run, and again only after it was taken away, when it failed.
int WriteRepeatedly(Records &records, const WritePlan &plan, const RadioOptions &options)
{
    QList<Row> rows;
    QSet<std::uint32_t> written;
    // The radio on the port that was last handled or turned away; unset once
    // the port showed no radio. A radio is not handled twice while it stays.
    std::optional<std::uint32_t> attached;
    ports::OpenProblem::Kind lastProblem = ports::OpenProblem::None;
    QJsonArray radios;
    int aborted = -1;

    PrintLine(QCoreApplication::translate("kd-cli", "Ожидание радиостанции на порту %1 (Ctrl-C — завершить) ...").arg(ports::PortName(options.port)));
    while (!StopRequested()) {
        QElapsedTimer clock;
        clock.start();
        const auto gate = [&](const TInfoContext &info) {
            const std::uint32_t serial = info.serialNumber;
            if (attached && *attached == serial)
                return false;
            attached = serial;
            if (serial != kNoSerial && written.contains(serial)) {
                PrintLine(QCoreApplication::translate("kd-cli", "Радиостанция %1 уже записана в этом сеансе, пропущена.").arg(serial));
                return false;
            }
            PrintLine(QCoreApplication::translate("kd-cli", "Радиостанция %1, серийный номер %2").arg(rows.size() + 1).arg(SerialText(serial)));
            return true;
        };
        RadioWrite w = WriteRadio(records, plan, options, gate);
        if (w.declined) {
            Pause();
            continue;
        }
        if (!w.admitted) {
            attached.reset();  // no radio answered
            if (w.portNotOpened) {
                if (PortWillNotOpen(w)) {
                    PrintLine(QCoreApplication::translate("kd-cli", "Не удалось открыть порт %1 !!!").arg(ports::PortName(options.port)));
                    PrintLine(ports::DescribeOpenProblem(w.openProblem));
                    aborted = ExitPortNotOpened;
                    break;
                }
                if (w.openProblem.kind != lastProblem && w.openProblem.kind == ports::OpenProblem::Busy)
                    PrintLine(ports::DescribeOpenProblem(w.openProblem));
                lastProblem = w.openProblem.kind;
                Pause();
            }
            continue;
        }
        lastProblem = ports::OpenProblem::None;
        const double seconds = double(clock.elapsed()) / 1000.0;
        if (w.ok() && w.serial && *w.serial != kNoSerial)
            written.insert(*w.serial);
        OutputLine(QCoreApplication::translate("kd-cli", "Серийный номер %1: %2, %3 с.").arg(SerialText(w.serial), ResultText(w), Seconds(seconds)));
        QJsonObject radio = w.Json();
        radio.insert(QStringLiteral("result"), w.ok() ? QStringLiteral("written") : QStringLiteral("failed"));
        radio.insert(QStringLiteral("seconds"), seconds);
        radios.append(radio);
        rows.append({w, seconds});
        if (!StopRequested())
            PrintLine(QCoreApplication::translate("kd-cli", "Ожидание следующей радиостанции (Ctrl-C — завершить) ..."));
    }

    int ok = 0;
    OutputLine(QString());
    OutputLine(QCoreApplication::translate("kd-cli", "Серийный номер  Время, с  Результат"));
    for (const Row &r : std::as_const(rows)) {
        ok += r.write.ok();
        OutputLine(QStringLiteral("%1  %2  %3").arg(SerialText(r.write.serial), 14).arg(Seconds(r.seconds), 8).arg(ResultText(r.write)));
    }
    OutputLine(QCoreApplication::translate("kd-cli", "Записано радиостанций: %1 из %2.").arg(ok).arg(rows.size()));
    Report().insert(QStringLiteral("radios"), radios);
    Report().insert(QStringLiteral("written"), ok);
    if (aborted >= 0)
        return Fail(QCoreApplication::translate("kd-cli", "порт %1 не открыт, ожидание прекращено.").arg(ports::PortName(options.port)), aborted);
    return ok == rows.size() ? ExitOk : ExitFailed;
}

} // namespace

int RunWrite(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    parser.addOption({QStringLiteral("input"), QStringLiteral("Configuration file to write to the radio."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("verify"), QStringLiteral("Read both tables back after writing and compare them.")});
    parser.addOption({QStringLiteral("backup"), QStringLiteral("First save what the radio holds in <dir>; write nothing if that fails."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("repeat"),
                      QStringLiteral("After each radio wait for the next one on the same port and write it too, until Ctrl-C; "
                                     "a radio whose serial number was written in this run is skipped. Ends with a table of "
                                     "serial number, time and result per radio.")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QStringLiteral("Usage: kd-cli write [--port COMn] --input FILE [--verify] [--backup DIR] [--repeat] "
                                                   "[--trace FILE] [--json] [--quiet]\n"
                                                   "Writes a configuration file to the radio.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, true);
    QString input;
    if (!RequireValue(parser, QStringLiteral("input"), "write", input))
        return ExitUsage;
    WritePlan plan;
    plan.verify = parser.isSet(QStringLiteral("verify"));
    const bool backup = parser.isSet(QStringLiteral("backup"));
    plan.backupDir = parser.value(QStringLiteral("backup"));
    if (backup && plan.backupDir.isEmpty()) {
        Error(QStringLiteral("--backup needs a folder"));
        return ExitUsage;
    }
    const bool repeat = parser.isSet(QStringLiteral("repeat"));
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;
    ReportRadio(QStringLiteral("write"), options);
    Report().insert(QStringLiteral("repeat"), repeat);

    Records records(FreqRangeList::DefaultPath());
    bool removed = false;
    QString error;
    if (!ConfigurationDocument::Open(input, records.channels, records.settings, removed, error)) {
        Error(error);
        return FailWrite(QStringLiteral("файл %1 не открыт").arg(input));
    }
    if (removed)
        PrintLine(QStringLiteral("При загрузке файла были удалены каналы, не соответствующие диапазону частот."));
    // The folder is checked before the radio is read for it.
    if (backup && !safety::PrepareBackupFolder(plan.backupDir, error)) {
        Error(QStringLiteral("резервная копия не сохранена: %1").arg(error));
        return FailWrite(QStringLiteral("резервная копия не сохранена"));
    }
    if (repeat)
        return WriteRepeatedly(records, plan, options);

    const RadioWrite w = WriteRadio(records, plan, options);
    const QJsonObject radio = w.Json();
    for (auto it = radio.begin(); it != radio.end(); ++it)
        Report().insert(it.key(), it.value());
    if (w.ok())
        OutputLine(w.verified.value_or(false) ? QCoreApplication::translate("kd-cli", "Запись выполнена и проверена (серийный номер %1).").arg(SerialText(w.serial))
                              : QCoreApplication::translate("kd-cli", "Запись выполнена (серийный номер %1).").arg(SerialText(w.serial)));
    return w.status;
}

} // namespace cli
