// The terminal or console kd-cli runs in: bytes out unchanged, Russian shown right, Ctrl-C caught.
#pragma once

#include <QString>

#include <cstdio>

// What kd-cli needs of the terminal or console it runs in, per platform.
namespace console {

// Called once at start: standard output carries bytes exactly as written (a
// configuration file sent there must arrive unchanged, on Windows too).
void Prepare();

// True when `stream` (stdout or stderr) is a terminal or console window.
bool IsTerminal(std::FILE *stream);

// Writes `text` to `stream`: to a Windows console as its own characters, so
// that Russian shows right whatever the console's code page; anywhere else as
// UTF-8, line breaks as "\n".
void Write(std::FILE *stream, const QString &text);

// Ctrl-C (SIGINT, and on Windows Ctrl-Break) and SIGTERM call `stop` once, on
// a thread or in a signal handler, so it must only set a flag; a second one
// ends the process at once.
void OnStop(void (*stop)());

} // namespace console
