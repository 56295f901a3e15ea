// kd-cli write: a file into one radio, radio after radio on one port with --repeat, or handed
// on to several ports; and the cells of the table that ends it.

#include "cli/portlist.h"
#include "cli/radiowrite.h"

#include "job/language.h"
#include "job/writesafety.h"
#include "model/configdocument.h"
#include "model/valuecheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QThread>

namespace cli {

QString SerialText(std::optional<std::uint32_t> serial)
{
    return serial && *serial != kNoSerial ? QString::number(*serial) : QCoreApplication::translate("kd-cli", "нет");
}

// A decimal comma in Russian, a point in English.
QString Seconds(double s)
{
    const QString text = QString::number(s, 'f', 1);
    return language::Current() == QLatin1String("ru") ? QString(text).replace(QLatin1Char('.'), QLatin1Char(',')) : text;
}

bool PortWillNotOpen(const RadioWrite &w)
{
    using K = ports::OpenProblem::Kind;
    const K kind = w.openProblem.kind;
    return kind != K::Absent && kind != K::Busy;
}

QString ResultText(const RadioWrite &w)
{
    if (w.ok())
        return w.verified.value_or(false) ? QCoreApplication::translate("kd-cli", "записана и проверена") : QCoreApplication::translate("kd-cli", "записана");
    // The summary without its "Итог: " and final full stop: a cell, and the
    // head of a line that goes on.
    QString s = w.summary;
    if (s.startsWith(SummaryPrefix()))
        s.remove(0, SummaryPrefix().size());
    // The advice to write again stays in the log.
    const QString advice = ProgrammingJob::PartialWriteAdvice(w.channels, w.settings, QDir::toNativeSeparators(w.backup));
    if (!advice.isEmpty() && s.endsWith(advice))
        s.chop(advice.size());
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

namespace {

// How long to wait before asking again while no radio is there, or while the
// one that was just written is still attached. A poll that reaches a radio
// costs its information exchange, about a quarter of a second, besides.
constexpr int kPollPauseMs = 100;

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
    parser.addOption({QStringLiteral("input"), QCoreApplication::translate("kd-cli", "Файл конфигурации для записи в радиостанцию."), QCoreApplication::translate("kd-cli", "файл")});
    parser.addOption({QStringLiteral("verify"), QCoreApplication::translate("kd-cli", "После записи прочитать обе таблицы и сравнить с записанным.")});
    parser.addOption({QStringLiteral("backup"), QCoreApplication::translate("kd-cli", "Сначала сохранить содержимое радиостанции в <папку>; если не удалось, "
                                                                              "ничего не записывать."),
                      QCoreApplication::translate("kd-cli", "папка")});
    parser.addOption({QStringLiteral("repeat"),
                      QCoreApplication::translate("kd-cli", "После каждой радиостанции ждать следующую на том же порту и записывать "
                                                            "и её, до Ctrl-C; радиостанция, серийный номер которой уже записан в этом "
                                                            "сеансе, пропускается. В конце — таблица: серийный номер, время и результат "
                                                            "по каждой радиостанции.")});
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments,
                                    QCoreApplication::translate("kd-cli", "Использование: kd-cli write [--port COMn[,COMn...] | --port all-probed] --input ФАЙЛ "
                                                                               "[--verify] [--backup ПАПКА] [--repeat] [--trace ФАЙЛ] [--json] [--quiet]\n"
                                                                               "Записывает файл конфигурации в радиостанцию. С несколькими портами (через запятую,\n"
                                                                               "или all-probed — все, где опрос нашёл радиостанцию) записывает все радиостанции\n"
                                                                               "сразу и в конце выводит таблицу: порт, серийный номер, время, результат.\n"));
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
        Error(QCoreApplication::translate("kd-cli", "для --backup нужна папка"));
        return ExitUsage;
    }
    const bool repeat = parser.isSet(QStringLiteral("repeat"));
    RadioOptions options;
    const QStringList entries = PortEntries(parser);
    QList<int> lanes;
    const bool several = entries.size() > 1 || IsAllProbed(entries);
    if (several) {
        if (const int r = ReadSeveralPorts(parser, entries, options, lanes); r >= 0)
            return r;
    } else {
        if (const int r = ReadRadioOptions(parser, options); r >= 0)
            return r;
        ReportRadio(QStringLiteral("write"), options);
    }
    Report().insert(QStringLiteral("repeat"), repeat);

    Records records(FreqRangeList::DefaultPath());
    bool removed = false;
    QString error;
    QList<int> removedChannels;
    if (!ConfigurationDocument::Open(input, records.channels, records.settings, removed, error, &removedChannels)) {
        Error(error);
        return FailWrite(QCoreApplication::translate("kd-cli", "файл %1 не открыт").arg(input));
    }
    if (removed)
        PrintLine(ConfigurationDocument::RemovedMessage(removedChannels));
    // Values that no radio would take as they are: refused before any radio is read.
    if (const QList<ValueFinding> findings = CheckValues(records.channels.channels, records.settings, SettingsContext::Version100);
        HasRefused(findings)) {
        for (const QString &line : ProgrammingJob::RefusalLines(findings))
            PrintLine(line);
        return FailWrite(QCoreApplication::translate("kd-cli", "значения, которые радиостанция не примет без изменения"));
    }
    // The folder is checked before the radio is read for it.
    if (backup && !safety::PrepareBackupFolder(plan.backupDir, error)) {
        Error(QCoreApplication::translate("kd-cli", "резервная копия не сохранена: %1").arg(error));
        return FailWrite(QCoreApplication::translate("kd-cli", "резервная копия не сохранена"));
    }
    if (several)
        return WriteOnSeveralPorts(records, plan, options, lanes, repeat);
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
