// Times `kd-cli write --repeat` as a fleet session runs it: one kd-cli waits on
// a port while simulated radios with different serial numbers are swapped in
// one after another at 9600-baud pacing. For each radio, the time from the
// radio appearing on the port to kd-cli reporting it written, less the wire
// floor of one write (its frames' bytes at 9600 baud, from a traced single
// write), is what waiting radio after radio adds.

#include "benchcommon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

constexpr int kRadios = 5;
constexpr double kTargetSeconds = 0.5;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchScratch dir(QStringLiteral("kd-cli"));
    const QString &cli = dir.program();
    const QProcessEnvironment env = dir.env();
    const QString link = dir.path(QStringLiteral("port"));
    dir.MapPorts("COM39=" + link.toUtf8() + "\n");

    const QString full = dir.path(QStringLiteral("full.xml"));
    if (!SaveFullTable(full)) {
        std::fprintf(stderr, "bench_repeat: cannot write %s\n", qPrintable(full));
        return 1;
    }
    const QStringList writeArgs{QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM39"),
                                QStringLiteral("--input"), full};

    // The wire floor of one write, from a traced single write.
    const QString trace = dir.path(QStringLiteral("write.trace"));
    double single = 0;
    {
        QProcess sim;
        if (!StartRadio(sim, link, dir.path(QStringLiteral("state0")), {QStringLiteral("--serial"), QStringLiteral("1000")})) {
            std::fprintf(stderr, "bench_repeat: cannot start kd-radio-sim\n");
            return 1;
        }
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(cli, writeArgs + QStringList{QStringLiteral("--trace"), trace});
        p.waitForFinished(120000);
        single = double(t.nsecsElapsed()) / 1e9;
        StopRadio(sim);
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "bench_repeat: the single write failed\n");
            return 1;
        }
    }
    const std::size_t wire = WireBytes(trace);
    const double floor = double(wire) * 10.0 / 9600.0;

    std::printf("kd-cli write --repeat against kd-radio-sim swapped between radios, 9600-baud pacing\n");
    std::printf("  one write: wire %zu B, floor %.3f s, single kd-cli write %.3f s (ratio %.3f)\n", wire, floor, single,
                single / floor);

    QProcess repeat;
    repeat.setProcessEnvironment(env);
    repeat.start(cli, writeArgs + QStringList{QStringLiteral("--repeat")});
    if (!repeat.waitForStarted(5000)) {
        std::fprintf(stderr, "bench_repeat: cannot start kd-cli\n");
        return 1;
    }
    QByteArray output;
    double worst = 0, sum = 0;
    int failures = 0;
    for (int k = 1; k <= kRadios; ++k) {
        const int serial = 1000 + k;
        QProcess sim;
        if (!StartRadio(sim, link, dir.path(QStringLiteral("state%1").arg(k)), {QStringLiteral("--serial"), QString::number(serial)})) {
            std::fprintf(stderr, "bench_repeat: cannot start kd-radio-sim\n");
            return 1;
        }
        QElapsedTimer t;
        t.start();  // the radio is on the port
        const QByteArray done = "Серийный номер " + QByteArray::number(serial) + ": ";
        bool seen = false;
        while (!seen && t.elapsed() < 60000) {
            repeat.waitForReadyRead(20);
            output += repeat.readAllStandardOutput();
            seen = output.contains(done);
        }
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        const bool written = seen && output.contains(done + "записана");
        failures += !written;
        const double added = seconds - floor;
        worst = std::max(worst, added);
        sum += added;
        std::printf("  radio %d (serial %d): %s in %.3f s, %+.3f s over the floor\n", k, serial,
                    written ? "written" : "NOT written", seconds, added);
        StopRadio(sim);
    }
    ::kill(pid_t(repeat.processId()), SIGINT);
    repeat.waitForFinished(20000);
    output += repeat.readAllStandardOutput();
    failures += repeat.exitCode() != 0 || !output.contains("Записано радиостанций: " + QByteArray::number(kRadios));

    std::printf("  added per radio: mean %.3f s, worst %.3f s; worst / target %.2f (target <= %.1f s, ratio <= 1)\n",
                sum / kRadios, worst, worst / kTargetSeconds, kTargetSeconds);
    return failures == 0 ? 0 : 1;
}
