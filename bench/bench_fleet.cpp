// Times a workshop's rack of radios against kd-radio-sim at 9600-baud pacing,
// all in one run:
//  - kd-cli write on four ports at once against the same write on one port
//    (target: at most 1.15 times as long);
//  - kd-cli ports --probe over eight ports (four radios, two silent radios,
//    two device paths that do not exist) against one information exchange
//    plus the probe's time limit (target: at most 1.2 times as long).
// Each figure is the best of a few runs, so that a stray pause of the machine
// does not decide it.

#include "benchcommon.h"
#include "job/portprobe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr int kRadios = 4;
constexpr int kSilent = 2;
constexpr int kAbsent = 2;
constexpr int kFirstPort = 41;
constexpr double kWriteTarget = 1.15;
constexpr double kProbeTarget = 1.2;

struct Timed
{
    double seconds = 1e9;  // the best run
    bool ok = true;
    QByteArray output;
};

Timed Time(const QString &cli, const QProcessEnvironment &env, const QStringList &args, int runs)
{
    Timed t;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        p.start(cli, args);
        const bool ended = p.waitForFinished(120000);
        const double s = double(clock.nsecsElapsed()) / 1e9;
        t.output = p.readAllStandardOutput();
        t.ok = t.ok && ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        t.seconds = std::min(t.seconds, s);
    }
    return t;
}

QString Port(int n)
{
    return QStringLiteral("COM%1").arg(n);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchScratch dir(QStringLiteral("kd-cli"));
    const QString &cli = dir.program();
    const QProcessEnvironment env = dir.env();

    // Four radios, two that never answer, two names whose device is not there.
    QByteArray conf;
    std::vector<std::unique_ptr<QProcess>> sims;
    QStringList all;
    for (int i = 0; i < kRadios + kSilent + kAbsent; ++i) {
        const int n = kFirstPort + i;
        const QString link = dir.path(QStringLiteral("port%1").arg(n));
        conf += Port(n).toUtf8() + '=' + link.toUtf8() + '\n';
        all << Port(n);
        if (i >= kRadios + kSilent)
            continue;
        QStringList extra{QStringLiteral("--serial"), QString::number(7000 + n)};
        if (i >= kRadios)
            extra << QStringLiteral("--silent-after") << QStringLiteral("0");
        sims.push_back(std::make_unique<QProcess>());
        if (!StartRadio(*sims.back(), link, dir.path(QStringLiteral("state%1").arg(n)), extra)) {
            std::fprintf(stderr, "bench_fleet: cannot start kd-radio-sim\n");
            return 1;
        }
    }
    dir.MapPorts(conf);

    const QString full = dir.path(QStringLiteral("full.xml"));
    if (!SaveFullTable(full)) {
        std::fprintf(stderr, "bench_fleet: cannot write %s\n", qPrintable(full));
        return 1;
    }
    const QStringList write{QStringLiteral("write"), QStringLiteral("--input"), full, QStringLiteral("--quiet"),
                            QStringLiteral("--port")};

    std::printf("kd-cli against kd-radio-sim, 9600-baud pacing, best of %d runs each\n", kRuns);
    const Timed one = Time(cli, env, write + QStringList{Port(kFirstPort)}, kRuns);
    const Timed four = Time(cli, env, write + QStringList{all.mid(0, kRadios).join(QLatin1Char(','))}, kRuns);
    const double writeRatio = four.seconds / one.seconds;
    std::printf("  write, one radio on one port:        %.3f s%s\n", one.seconds, one.ok ? "" : "  (FAILED)");
    std::printf("  write, %d radios on %d ports at once:  %.3f s%s\n", kRadios, kRadios, four.seconds, four.ok ? "" : "  (FAILED)");
    std::printf("  ratio %.3f (target <= %.2f): %s\n", writeRatio, kWriteTarget, writeRatio <= kWriteTarget ? "met" : "NOT met");

    const Timed info = Time(cli, env, {QStringLiteral("info"), QStringLiteral("--quiet"), QStringLiteral("--port"), Port(kFirstPort)}, kRuns);
    const Timed probe = Time(cli, env, {QStringLiteral("ports"), QStringLiteral("--probe"), QStringLiteral("--port"), all.join(QLatin1Char(','))}, kRuns);
    const double limit = PortProbe::DefaultLimitMs / 1000.0;
    const double probeRatio = probe.seconds / (info.seconds + limit);
    const int found = int(probe.output.count("радиостанция КОРДАН"));
    std::printf("  info, one radio:                     %.3f s%s; probe time limit %.3f s\n", info.seconds,
                info.ok ? "" : "  (FAILED)", limit);
    std::printf("  ports --probe over %d ports (%d radios, %d silent, %d absent): %.3f s, %d radios found%s\n",
                int(all.size()), kRadios, kSilent, kAbsent, probe.seconds, found, probe.ok ? "" : "  (FAILED)");
    std::printf("  ratio to info + limit %.3f (target <= %.2f): %s\n", probeRatio, kProbeTarget,
                probeRatio <= kProbeTarget ? "met" : "NOT met");

    for (auto &sim : sims)
        StopRadio(*sim);
    return one.ok && four.ok && info.ok && probe.ok && found == kRadios ? 0 : 1;
}
