// --port as the commands for several radios take it, and the probe's list of ports.
#pragma once

#include "cli/clicommon.h"
#include "job/portprobe.h"

#include <QList>
#include <QStringList>

namespace cli {

// --port as a command for several radios takes it: names separated by commas,
// the option given once or more ("--port COM33,COM34 --port /dev/ttyUSB2").
QStringList PortEntries(const QCommandLineParser &parser);

// "all-probed": every port on which a probe finds a radio.
bool IsAllProbed(const QStringList &entries);

// The port numbers of `entries`, in their order. Two entries that name one
// device (the same name twice, COMn and the device it stands for, two links
// to one device) are refused before anything is touched. -1 to go on, else
// the exit status of the usage error reported.
int ResolvePortList(const QStringList &entries, QList<int> &ports);

// What a probe asks for `numbers`: each device, and its adapter when the
// system lists it.
QList<ports::PortEntry> ProbeEntries(const QList<int> &numbers);

// Probes `entries` and prints one line per port (name, device, adapter, what
// answered, separated by tabs), or nothing with --json; gives the findings and
// their JSON array.
QList<PortFinding> ProbeAndList(const QList<ports::PortEntry> &entries, QJsonArray &json, int chosen = 0);

} // namespace cli
