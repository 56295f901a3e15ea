// The console per platform: Windows' console API and binary standard output; elsewhere UTF-8 and signals.

#include "cli/console.h"

#include <QByteArray>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace console {

#ifdef Q_OS_WIN

namespace {

void (*g_stop)() = nullptr;
volatile LONG g_stopsSeen = 0;

HANDLE ConsoleOf(std::FILE *stream)
{
    const HANDLE h = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    // Only a console answers GetConsoleMode; a pipe or a file does not.
    return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode) ? h : nullptr;
}

BOOL WINAPI OnControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The first asks the job to stop; the next goes to the default handler,
    // which ends the process.
    if (InterlockedIncrement(&g_stopsSeen) > 1 || !g_stop)
        return FALSE;
    g_stop();
    return TRUE;
}

} // namespace

void Prepare()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool IsTerminal(std::FILE *stream)
{
    return ConsoleOf(stream) != nullptr;
}

void Write(std::FILE *stream, const QString &text)
{
    if (const HANDLE console = ConsoleOf(stream)) {
        std::fflush(stream);
        const auto *p = reinterpret_cast<const wchar_t *>(text.utf16());
        DWORD left = DWORD(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(console, p, left, &written, nullptr) || written == 0)
                break;
            p += written;
            left -= written;
        }
        return;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void OnStop(void (*stop)())
{
    g_stop = stop;
    SetConsoleCtrlHandler(OnControl, TRUE);
}

#else

namespace {

void (*g_stop)() = nullptr;

void OnSignal(int)
{
    // Async-signal-safe as long as `stop` only stores a flag; SA_RESETHAND lets
    // a second signal end the process.
    if (g_stop)
        g_stop();
}

} // namespace

void Prepare() {}

bool IsTerminal(std::FILE *stream)
{
    return isatty(fileno(stream)) == 1;
}

void Write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void OnStop(void (*stop)())
{
    g_stop = stop;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

#endif

} // namespace console
