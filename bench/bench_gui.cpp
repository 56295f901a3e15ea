// Times the desktop program where a user waits for it: from process start to
// the first painted main window (with the resident memory then), against an
// empty Qt main window of the same size as the floor; a repaint of the channel
// grid at 1280 x 800; and a resize of the grid with its re-measuring.
//
// Run it on a display, e.g. `xvfb-run -a build/bin/bench_gui`.

#include "benchcommon.h"
#include "model/channelscontext.h"
#include "ui/app/application.h"
#include "ui/grid/cellpainter.h"
#include "ui/grid/channelgrid.h"
#include "ui/window/mainwindow.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kStartRuns = 15;
constexpr int kPaintRuns = 200;

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long long SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct StartFigure
{
    double milliseconds = 0;
    double megabytes = 0;
    QSize window;
    bool ok = false;
};

// Starts `program` with the first-paint probe and reads what it reports.
StartFigure StartOnce(const QString &program, const QProcessEnvironment &env, const QStringList &args = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    const long long started = SteadyNanoseconds();
    p.start(program, args);
    StartFigure f;
    if (!p.waitForFinished(30000))
        return f;
    const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 5 || fields[0] != "first-paint")
        return f;
    f.milliseconds = double(fields[1].toLongLong() - started) / 1e6;
    f.megabytes = double(fields[2].toLong()) / 1024.0;
    f.window = QSize(fields[3].toInt(), fields[4].toInt());
    f.ok = true;
    return f;
}

// Both programs in turn, so that a busy machine slows them alike; the median
// and the fastest run of each.
struct StartFigures
{
    StartFigure median;
    StartFigure fastest;
};

bool StartBoth(const QString &floorProgram, const QString &program, const QProcessEnvironment &env,
               StartFigures &floor, StartFigures &tune)
{
    std::vector<double> ms[2];
    std::vector<double> mb[2];
    // The first runs warm the file cache; kd-tune's also tells the size it
    // opens with, which the empty window then takes.
    const StartFigure first = StartOnce(program, env);
    if (!first.ok)
        return false;
    const QStringList floorArgs{QString::number(first.window.width()), QString::number(first.window.height())};
    StartOnce(floorProgram, env, floorArgs);
    for (int i = 0; i < kStartRuns; ++i) {
        for (int k = 0; k < 2; ++k) {
            const StartFigure f = k == 0 ? StartOnce(floorProgram, env, floorArgs) : StartOnce(program, env);
            if (!f.ok)
                return false;
            ms[k].push_back(f.milliseconds);
            mb[k].push_back(f.megabytes);
        }
    }
    for (int k = 0; k < 2; ++k) {
        StartFigures &out = k == 0 ? floor : tune;
        out.median = StartFigure{Median(ms[k]), Median(mb[k]), first.window, true};
        out.fastest = StartFigure{*std::min_element(ms[k].begin(), ms[k].end()),
                                  *std::min_element(mb[k].begin(), mb[k].end()), first.window, true};
    }
    return true;
}

// A full table: every channel used, with both sides, subtones and tones.
void FillChannels(ChannelsContext &channels)
{
    for (int n = 0; n < ChannelsContext::Count; ++n) {
        Channel &c = channels.channels[std::size_t(n)];
        c.freq_rx = 33000000 + n * 125000;
        c.freq_tx = n % 3 ? c.freq_rx : c.freq_rx + 1000000;
        c.band_rx = n % 2;
        c.band_tx = n % 4 < 2;
        c.subtone_rx = 1 + n % 120;
        c.subtone_tx = n % 5 ? c.subtone_rx : 60;
        c.tone_rx = 1000 + n;
        c.tone_tx = n % 7 ? c.tone_rx : 2100;
        c.tx_power_low = 0;
        c.tx_power_high = n % 4;
        c.squelch = 1 + n % 8;
        c.scan = n % 2;
        c.active = n % 9;
        c.tx_busy = n % 3;
    }
}

} // namespace

int main(int argc, char **argv)
{
    KdApplication app(argc, argv);
    const QString bin = BenchScratch::BuildBin();
    BenchScratch dir(QStringLiteral("kd-tune"));
    const QString &tune = dir.program();
    QProcessEnvironment env = dir.env();
    env.insert(QStringLiteral("KD_TUNE_FIRST_PAINT_PROBE"), QStringLiteral("1"));

    std::printf("bench_gui on the \"%s\" platform\n", qPrintable(QGuiApplication::platformName()));
    StartFigures floor;
    StartFigures program;
    if (!StartBoth(bin + QStringLiteral("/bench_gui_floor"), tune, env, floor, program)) {
        std::printf("start-up: a program did not report its first paint\n");
        return 1;
    }
    std::printf("start to first paint, %d x %d window (%d runs each, in turn):\n", program.median.window.width(),
                program.median.window.height(), kStartRuns);
    std::printf("                                             median              fastest\n");
    std::printf("  empty main window                      %7.1f ms %6.1f MB  %7.1f ms\n", floor.median.milliseconds,
                floor.median.megabytes, floor.fastest.milliseconds);
    std::printf("  kd-tune                                %7.1f ms %6.1f MB  %7.1f ms\n",
                program.median.milliseconds, program.median.megabytes, program.fastest.milliseconds);
    std::printf("  ratio %.2f median, %.2f fastest (target <= 1.5); memory %.1f MB (target <= 45)\n",
                program.median.milliseconds / floor.median.milliseconds,
                program.fastest.milliseconds / floor.fastest.milliseconds, program.median.megabytes);

    ProgramWindows windows = CreateProgramWindows(QString());
    TForm1 &main = *windows.main;
    FillChannels(main.channels());
    main.resize(1280, 800);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        std::printf("(the window was not exposed; figures are of painting without a screen)\n");
    QCoreApplication::processEvents();
    ChannelGrid &grid = *main.grid();

    std::vector<double> paint;
    for (int i = 0; i < kPaintRuns; ++i) {
        grid.setCurrentRow(1 + i % 10);
        QElapsedTimer t;
        t.start();
        grid.viewport()->repaint();
        paint.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    // Every cell of the table at once, into an image as tall as the table.
    const GridMetrics &m = grid.metrics();
    QImage all(grid.viewport()->width(), m.headerHeight + 100 * m.rowHeight, QImage::Format_RGB32);
    std::vector<double> table;
    for (int i = 0; i < 20; ++i) {
        QPainter p(&all);
        p.setFont(grid.font());
        QElapsedTimer t;
        t.start();
        int y = 0;
        for (int row = 0; row < CellPainter::Rows; ++row) {
            const int h = row == 0 ? m.headerHeight : m.rowHeight;
            int x = 0;
            for (int c = 0; c < CellPainter::Columns; ++c) {
                const int w = m.columnWidths[std::size_t(c)];
                DrawCell(main.channels(), main.painter(), &p, QRect(x, y, w, h), c, row,
                         row == 0 || c == 0 ? CellPainter::Fixed : 0);
                x += w;
            }
            y += h;
        }
        table.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    std::vector<double> resize;
    const QSize base = grid.size();
    for (int i = 0; i < kPaintRuns; ++i) {
        QElapsedTimer t;
        t.start();
        grid.resize(base.width() - 1 - i % 2, base.height());
        resize.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    std::printf("channel grid at %d x %d (%d channel rows in view):\n", grid.viewport()->width(),
                grid.viewport()->height(), grid.visibleRows());
    std::printf("  repaint            %7.3f ms median (target <= 4)\n", Median(paint));
    std::printf("  resize, re-measure %7.3f ms median (target <= 2)\n", Median(resize));
    std::printf("  all 101 x 12 cells %7.3f ms median, into an image\n", Median(table));
    return 0;
}
