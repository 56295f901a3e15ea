// kd-cli: the command-line programmer, for scripts and fleets of radios.

#include "cli/clicommon.h"
#include "cli/console.h"
#include "job/language.h"

#include <QCoreApplication>

namespace {

QString Usage()
{
    return QCoreApplication::translate(
        "kd-cli",
        "Использование: kd-cli <команда> [параметры] [--lang en|ru]\n"
        "\n"
        "       kd-cli --version\n"
        "\n"
        "Команды:\n"
        "  ports    список последовательных портов: имя, устройство, описание\n"
        "  info     прочитать сведения о радиостанции и вывести её отчёт\n"
        "  read     прочитать обе таблицы и сохранить их в файл конфигурации\n"
        "  write    записать файл конфигурации в радиостанцию или в одну радиостанцию\n"
        "           за другой (--repeat)\n"
        "  diff     показать, чем радиостанция отличается от того, что записал бы файл\n"
        "  check    проверить файл конфигурации, не обращаясь к радиостанции\n"
        "  convert  преобразовать файл конфигурации в таблицу каналов CSV и обратно\n"
        "\n"
        "kd-cli <команда> --help (или kd-cli help <команда>) описывает параметры команды.\n"
        "--port принимает COM1..COM255 или путь к устройству (/dev/ttyUSB0). --json выводит\n"
        "в конце один объект JSON на стандартный вывод, а журнал — в стандартный поток\n"
        "ошибок; имена и значения в JSON — постоянные английские слова, от языка они\n"
        "не зависят. --quiet показывает только ошибки журнала и его последнюю строку.\n"
        "--lang en|ru — язык сообщений этого запуска, при любой команде; без него\n"
        "действует язык, выбранный в KD_Tune (если не выбран — русский, а в Windows —\n"
        "язык системы). Файлы и радиостанция от языка не зависят.\n"
        "\n"
        "Код завершения:\n"
        "  0  успех (diff: отличий нет)\n"
        "  1  задание не выполнено или отклонено (diff: есть отличия)\n"
        "  2  ошибка в командной строке\n"
        "  3  радиостанция не ответила\n"
        "  4  порт не удалось открыть\n"
        "Неудачный запуск заканчивается строкой \"Итог: ...\": что не удалось и, для\n"
        "записи, что получила радиостанция. Ctrl-C останавливает задание между блоками.\n");
}

void PrintUsage(std::FILE *to)
{
    console::Write(to, Usage());
}

// --lang CODE (or --lang=CODE), anywhere after the program name, for any
// command: taken out of `args` and put in force. Returns -1 to go on, else
// the exit status of a usage error.
int TakeLanguage(QStringList &args)
{
    QString code;
    bool given = false;
    for (qsizetype i = 1; i < args.size();) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--lang")) {
            if (i + 1 >= args.size()) {
                cli::Error(QCoreApplication::translate("kd-cli", "после --lang нужен язык: %1").arg(language::Codes().join(QStringLiteral(", "))));
                return cli::ExitUsage;
            }
            code = args.at(i + 1);
            args.remove(i, 2);
            given = true;
        } else if (a.startsWith(QLatin1String("--lang="))) {
            code = a.mid(7);
            args.removeAt(i);
            given = true;
        } else {
            ++i;
        }
    }
    if (given && !language::Install(code)) {
        cli::Error(QCoreApplication::translate("kd-cli", "неизвестный язык \"%1\"; --lang принимает: %2")
                       .arg(code, language::Codes().join(QStringLiteral(", "))));
        return cli::ExitUsage;
    }
    return -1;
}

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
    cli::Error(QCoreApplication::translate("kd-cli", "неизвестная команда \"%1\"").arg(command));
    PrintUsage(stderr);
    return cli::ExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    console::Prepare();
    QCoreApplication::setOrganizationName(QStringLiteral("KD_Tune"));
    QCoreApplication::setApplicationName(QStringLiteral("KD_Tune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KD_TUNE_VERSION));

    // The language kept for KD_Tune, so that both speak alike; --lang overrides it.
    language::InstallStored();
    QStringList args = QCoreApplication::arguments();
    if (const int status = TakeLanguage(args); status >= 0)
        return status;
    if (args.size() < 2) {
        PrintUsage(stderr);
        return cli::ExitUsage;
    }
    QString command = args.at(1);
    args.removeAt(1);  // the parser wants the program name, then the options
    if (command == QLatin1String("help") && args.size() > 1) {
        // "help write" is "write --help".
        command = args.at(1);
        args = QStringList{args.first(), QStringLiteral("--help")};
    } else if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        PrintUsage(stdout);
        return cli::ExitOk;
    } else if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        console::Write(stdout, QStringLiteral("kd-cli " KD_TUNE_VERSION "\n"));
        return cli::ExitOk;
    }
    cli::InstallStopHandlers();
    return cli::Finish(Dispatch(command, args));
}
