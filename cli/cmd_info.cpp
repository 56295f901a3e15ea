// kd-cli info: the radio's information read and shown as its report.

#include "cli/clicommon.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace cli {
namespace {

QString VersionText(std::uint16_t v)
{
    return QString::asprintf("%d.%d", v >> 8, v & 0xFF);
}

QJsonObject RadioJson(const TInfoContext &info)
{
    QJsonArray watts;
    for (int i = 0; i < 4; ++i)
        watts.append(info.txPower[std::size_t(i)]);
    return QJsonObject{{QStringLiteral("type"), info.radioType},
                       {QStringLiteral("serialNumber"), SerialJson(info)},
                       {QStringLiteral("programCount"), qint64(info.programCount)},
                       {QStringLiteral("programmerVersion"), info.programmerVersion},
                       {QStringLiteral("firmwareVersion"), info.firmwareVersion},
                       {QStringLiteral("comment"), info.comment},
                       {QStringLiteral("range"), info.range.ToText()},
                       {QStringLiteral("settingsTableVersion"), VersionText(info.settingsTableVersion)},
                       {QStringLiteral("powerWatts"), watts},
                       {QStringLiteral("report"), info.BuildReport().replace(QStringLiteral("\r\n"), QStringLiteral("\n"))}};
}

} // namespace

int RunInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    AddRadioOptions(parser);
    AddOutputOptions(parser, true);
    const int parsed = ParseCommand(parser, arguments, QCoreApplication::translate("kd-cli", "Использование: kd-cli info [--port COMn] [--trace ФАЙЛ] [--json] [--quiet]\n"
                                                                                          "Читает сведения о радиостанции и выводит её отчёт.\n"));
    if (parsed >= 0)
        return parsed;
    ReadOutputOptions(parser, true);
    RadioOptions options;
    if (const int r = ReadRadioOptions(parser, options); r >= 0)
        return r;
    ReportRadio(QStringLiteral("info"), options);
    Report().insert(QStringLiteral("tables"), QJsonArray());

    Records records(FreqRangeList::DefaultPath());
    const auto job = RunJob(records, ProgrammingJob::OpInfo, options);
    if (!job)
        return Fail(QCoreApplication::translate("kd-cli", "информация о станции не получена: файл трассировки не открыт."));
    ReportJob(*job, records.info);
    if (!job->succeeded())
        return ExitFor(*job);  // the job's summary is the last line
    Report().insert(QStringLiteral("radio"), RadioJson(records.info));
    PrintLine(QString());
    Output(records.info.BuildReport());
    return ExitOk;
}

} // namespace cli
