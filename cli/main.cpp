// kd-cli: the command-line programmer, for scripts and fleets of radios.

#include "cli/clicommon.h"

#include <QCoreApplication>

namespace {

const char *const kUsage =
    "Usage: kd-cli <command> [options]\n"
    "\n"
    "       kd-cli --version\n"
    "\n"
    "Commands:\n"
    "  ports  list the serial ports: name, device, description\n"
    "  info   read the radio's identification and print its report\n"
    "  read   read both tables and save them as a configuration file\n"
    "  write  write a configuration file to the radio, or to radio after radio (--repeat)\n"
    "  diff   list what differs between the radio and what a file would write\n"
    "  check  check a configuration file without touching a radio\n"
    "  convert  convert between a configuration file and a CSV channel table\n"
    "\n"
    "kd-cli <command> --help (or kd-cli help <command>) describes a command's options.\n"
    "--port takes COM1..COM255 or a device path (/dev/ttyUSB0). --json prints one\n"
    "JSON object on standard output at the end and the log on standard error;\n"
    "--quiet shows only the log's errors and its last line.\n"
    "\n"
    "Exit status:\n"
    "  0  success (diff: nothing differs)\n"
    "  1  the job failed or was refused (diff: something differs)\n"
    "  2  usage error\n"
    "  3  the radio did not answer\n"
    "  4  the port could not be opened\n"
    "A run that fails ends with a line \"Итог: ...\" that says what failed and, for\n"
    "a write, what the radio received. Ctrl-C stops a job between two blocks.\n";

int Dispatch(const QString &command, const QStringList &args)
{
    if (command == QLatin1String("ports"))
        return cli::RunPorts(args);
    if (command == QLatin1String("info"))
        return cli::RunInfo(args);
    if (command == QLatin1String("read"))
        return cli::RunRead(args);
    if (command == QLatin1String("write"))
        return cli::RunWrite(args);
    if (command == QLatin1String("diff"))
        return cli::RunDiff(args);
    if (command == QLatin1String("check"))
        return cli::RunCheck(args);
    if (command == QLatin1String("convert"))
        return cli::RunConvert(args);
    cli::Error(QStringLiteral("unknown command \"%1\"").arg(command));
    std::fputs(kUsage, stderr);
    return cli::ExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("KD_Tune"));
    QCoreApplication::setApplicationName(QStringLiteral("KD_Tune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KD_TUNE_VERSION));

    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fputs(kUsage, stderr);
        return cli::ExitUsage;
    }
    QString command = args.at(1);
    args.removeAt(1);  // the parser wants the program name, then the options
    if (command == QLatin1String("help") && args.size() > 1) {
        // "help write" is "write --help".
        command = args.at(1);
        args = QStringList{args.first(), QStringLiteral("--help")};
    } else if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return cli::ExitOk;
    } else if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        std::printf("kd-cli %s\n", KD_TUNE_VERSION);
        return cli::ExitOk;
    }
    cli::InstallStopHandlers();
    return cli::Finish(Dispatch(command, args));
}
