// Times a read of a radio's identification and both tables against the simulated
// radio at 9600-baud pacing and compares it with what the wire itself needs.

#include "link/comthread.h"
#include "link/portdirectory.h"
#include "model/tableimage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kPort = 250;

struct Counter : ExchangeNotifyReceiver
{
    bool finished = false;
    void ExchangeNotify(std::uint32_t packed) override { finished = ((packed >> 16) & 0xFF) == 100; }
};

std::atomic<std::size_t> g_wireBytes{0};

void CountFrame(void *, bool, const std::uint8_t *, std::size_t length)
{
    g_wireBytes += length + 2;  // the body plus its two delimiters
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());

    QProcess sim;
    const QString link = dir.filePath(QStringLiteral("port"));
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kd-radio-sim"),
              {QStringLiteral("--link"), link, QStringLiteral("--state"), dir.filePath(QStringLiteral("state"))});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_link: cannot start kd-radio-sim\n");
        return 1;
    }
    UserSettings().setValue(QStringLiteral("Ports/COM%1").arg(kPort), link);

    ComThread t;
    Counter counter;
    if (!t.OpenPort(kPort)) {
        std::fprintf(stderr, "bench_link: cannot open the simulated port\n");
        return 1;
    }
    t.SetNotifyWindow(&counter);
    t.SetTraceHook(CountFrame, nullptr);

    std::array<std::uint8_t, 2048> mainInfo{}, extInfo{};
    TableImage channels, settings;
    channels.Fill(0xFF);
    settings.Fill(0xFF);
    const ExchangeRequest queue[] = {
        {ReadInfo, 0, 122, mainInfo.data()},
        {ReadInfo, 1, 104, extInfo.data()},
        {ReadTable, 0, 2012, channels.data()},
        {ReadTable, 4, 34, settings.data()},
    };
    for (const ExchangeRequest &r : queue)
        t.AddRequest(&r);

    const double cpu0 = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    t.Start();
    while (!counter.finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double wall = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = CpuSeconds() - cpu0;
    const int error = t.GetErrorCode();
    t.Close();
    sim.terminate();
    sim.waitForFinished();

    const double floor = double(g_wireBytes.load()) * 10.0 / 9600.0;
    std::printf("link read (info 0, info 1, channel table, settings table), 9600-baud pacing\n");
    std::printf("  error code     %d\n", error);
    std::printf("  wire bytes     %zu\n", g_wireBytes.load());
    std::printf("  wire floor     %.3f s\n", floor);
    std::printf("  measured       %.3f s\n", wall);
    std::printf("  ratio          %.3f (target <= 1.05)\n", wall / floor);
    std::printf("  cpu / wall     %.2f %% (target < 2 %%)\n", 100.0 * cpu / wall);
    return error == 0 ? 0 : 1;
}
