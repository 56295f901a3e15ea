// Times kd-cli as a technician runs it: info, read and write against the
// simulated radio at 9600-baud pacing, each against the time its frames need on
// the wire, and check of a full configuration file as a whole process.

#include "benchcommon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>

namespace {

QString g_bin;
QProcessEnvironment g_env;

struct Run
{
    int code = -1;
    double seconds = 0;
};

Run Cli(const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(g_env);
    QElapsedTimer t;
    t.start();
    p.start(g_bin + QStringLiteral("/kd-cli"), args);
    p.waitForFinished(120000);
    Run r;
    r.seconds = double(t.nsecsElapsed()) / 1e9;
    r.code = p.exitCode();
    return r;
}

void Report(const char *what, const Run &r, std::size_t wireBytes)
{
    const double floor = double(wireBytes) * 10.0 / 9600.0;
    std::printf("  %-6s exit %d  wire %5zu B  floor %6.3f s  measured %6.3f s  ratio %.3f (target <= 1.05)\n", what,
                r.code, wireBytes, floor, r.seconds, r.seconds / floor);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchScratch dir(QStringLiteral("kd-cli"));
    g_bin = dir.path(QStringLiteral("bin"));
    g_env = dir.env();
    dir.MapPorts("COM240=" + dir.path(QStringLiteral("port")).toUtf8() + "\n");

    QProcess sim;
    if (!StartRadio(sim, dir.path(QStringLiteral("port")), dir.path(QStringLiteral("state")))) {
        std::fprintf(stderr, "bench_cli: cannot start kd-radio-sim\n");
        return 1;
    }

    // A full table inside the radio's range, to write and to check.
    const QString full = dir.path(QStringLiteral("full.xml"));
    if (!SaveFullTable(full)) {
        std::fprintf(stderr, "bench_cli: cannot write %s\n", qPrintable(full));
        return 1;
    }

    std::printf("kd-cli against kd-radio-sim, 9600-baud pacing (whole processes, best of 3)\n");
    const QString port = QStringLiteral("COM240");
    // Best of three runs; the wire bytes are those of the last run's trace.
    auto traced = [&](const char *name, QStringList args) {
        const QString trace = dir.path(QStringLiteral("%1.trace").arg(QLatin1String(name)));
        args << QStringLiteral("--port") << port << QStringLiteral("--trace") << trace;
        Run best;
        best.seconds = 1e9;
        for (int i = 0; i < 3; ++i) {
            QFile::remove(trace);
            const Run r = Cli(args);
            if (r.code != 0 || r.seconds < best.seconds)
                best = r;
            if (r.code != 0)
                break;
        }
        Report(name, best, WireBytes(trace));
        return best.code;
    };
    int failures = 0;
    failures += traced("info", {QStringLiteral("info")}) != 0;
    failures += traced("read", {QStringLiteral("read"), QStringLiteral("--output"), dir.path(QStringLiteral("out.xml"))}) != 0;
    failures += traced("write", {QStringLiteral("write"), QStringLiteral("--input"), full}) != 0;

    // check: best of several runs of the whole process.
    double best = 1e9;
    for (int i = 0; i < 10; ++i)
        best = std::min(best, Cli({QStringLiteral("check"), QStringLiteral("--input"), full}).seconds);
    std::printf("  check  100 used channels: %.1f ms per process (best of 10; target < 50 ms)\n", best * 1000.0);

    sim.terminate();
    sim.waitForFinished();
    return failures == 0 ? 0 : 1;
}
