// kd-cli: the command-line programmer, for scripts and fleets of radios.

#include "cli/clicommon.h"

#include <QCoreApplication>

namespace cli {
int RunConvert(const QStringList &arguments);
}

namespace {

const char *const kUsage =
    "Usage: kd-cli <command> [options]\n"
    "\n"
    "Commands:\n"
    "  info   read the radio's identification and print its report\n"
    "  read   read both tables and save them as a configuration file\n"
    "  write  write a configuration file to the radio\n"
    "  check  check a configuration file without touching a radio\n"
    "  convert  convert between a configuration file and a CSV channel table\n"
    "\n"
    "kd-cli <command> --help (or kd-cli help <command>) describes a command's options.\n"
    "Exit status: 0 success, 1 the job failed or was refused, 2 usage error.\n"
    "A run that fails ends with a line \"Итог: ...\" that says what failed and, for\n"
    "a write, what the radio received. Ctrl-C stops a job between two blocks.\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("KD_Tune"));
    QCoreApplication::setApplicationName(QStringLiteral("KD_Tune"));

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
    }
    cli::InstallStopHandlers();
    if (command == QLatin1String("info"))
        return cli::RunInfo(args);
    if (command == QLatin1String("read"))
        return cli::RunRead(args);
    if (command == QLatin1String("write"))
        return cli::RunWrite(args);
    if (command == QLatin1String("check"))
        return cli::RunCheck(args);
    if (command == QLatin1String("convert"))
        return cli::RunConvert(args);
    cli::Error(QStringLiteral("unknown command \"%1\"").arg(command));
    std::fputs(kUsage, stderr);
    return cli::ExitUsage;
}
