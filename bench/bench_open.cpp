// Times opening the two kinds of XML file the program reads from outside, for
// files of every shape the size limits let through: configurations (16 MB) and
// range lists (4 MB). Each shape is measured at three sizes; the figure is the
// time per megabyte, which stays flat when the time is linear in the size.
// Target: at most 50 ms per MB, opened or refused. The verdict goes by the
// processor time the opening takes, which a busy machine does not inflate as
// it does the elapsed time (printed beside it).

#include "model/configdocument.h"
#include "model/freqrangelist.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr qint64 MB = 1024 * 1024;

// A document of about `size` bytes: head, the unit repeated, tail.
QByteArray Fill(const QByteArray &head, const QByteArray &unit, const QByteArray &tail, qint64 size)
{
    QByteArray out = head;
    out.reserve(size + unit.size());
    while (out.size() + unit.size() + tail.size() <= size)
        out += unit;
    return out + tail;
}

QByteArray Attributes(int count)
{
    QByteArray a;
    for (int i = 0; i < count; ++i)
        a += " a" + QByteArray::number(i) + "=\"1\"";
    return a;
}

const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>\n"
                         "<FreqRange><rx0 begin=\"33000000\" end=\"48500000\"/><tx0 begin=\"33000000\" end=\"48500000\"/></FreqRange>\n";
const QByteArray kChannel = "<channel id=\"7\"><freq_rx>40000000</freq_rx><freq_tx>40000000</freq_tx><tone_tx>1750</tone_tx>"
                            "<tx_power_low>0</tx_power_low><tx_power_high>3</tx_power_high><squelch>1</squelch><scan>1</scan>"
                            "<band_rx>1</band_rx><band_tx>1</band_tx><scrambler>0</scrambler><tx_limit>0</tx_limit>"
                            "<tx_busy>1</tx_busy><active>1</active></channel>\n";

struct Shape
{
    const char *name;
    bool rangeList;
    std::function<QByteArray(qint64)> make;
};

QList<Shape> Shapes()
{
    const QByteArray settings = "<Settings version=\"0x0102\"><Volume>3</Volume></Settings></root>\n";
    const QByteArray channelsTail = "</Channels>" + settings;
    const QByteArray range = "<FreqRange><rx0 begin=\"300000000\" end=\"337000000\"/><tx0 begin=\"300000000\" end=\"337000000\"/></FreqRange>\n";
    return {
        {"config: channel elements (refused past 1000)", false,
         [=](qint64 n) { return Fill(kHead + "<Channels>", kChannel, channelsTail, n); }},
        {"config: unknown small elements", false, [=](qint64 n) { return Fill(kHead + "<Channels>", "<a/>", channelsTail, n); }},
        {"config: 32 attributes per element", false,
         [=](qint64 n) { return Fill(kHead + "<Channels>", "<a" + Attributes(32) + "/>", channelsTail, n); }},
        {"config: one element, all attributes (refused)", false,
         [=](qint64 n) { return Fill(kHead + "<Channels><a", " b=\"1\"", "/>" + channelsTail, n); }},
        {"config: nesting at the depth limit", false,
         [=](qint64 n) {
             return Fill(kHead + "<Channels>", QByteArray(250, 'x').replace("x", "<a>") + QByteArray(250, 'x').replace("x", "</a>"),
                         channelsTail, n);
         }},
        {"config: one long value", false,
         [=](qint64 n) { return Fill(kHead + "<Channels/><Settings><Volume>", "1234567890", "</Volume></Settings></root>", n); }},
        {"config: character references in a value", false,
         [=](qint64 n) { return Fill(kHead + "<Channels/><Settings><Volume>", "&amp;&#x31;", "</Volume></Settings></root>", n); }},
        {"config: comments", false, [=](qint64 n) { return Fill(kHead + "<Channels>", "<!-- c -->", channelsTail, n); }},
        {"range list: ranges (refused past 1000)", true,
         [=](qint64 n) { return Fill("<root><FreqRangeList>", range, "</FreqRangeList></root>", n); }},
        {"range list: unknown small elements", true,
         [=](qint64 n) { return Fill("<root><FreqRangeList>", "<b/>", "</FreqRangeList></root>", n); }},
        {"range list: 32 attributes per element", true,
         [=](qint64 n) { return Fill("<root><FreqRangeList>", "<b" + Attributes(32) + "/>", "</FreqRangeList></root>", n); }},
    };
}

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Times
{
    double wall = 1e30;
    double cpu = 1e30;
};

// Best of three, in milliseconds.
Times TimeOpen(const QString &path, bool rangeList)
{
    Times best;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const double cpu = CpuMs();
        if (rangeList) {
            FreqRangeList list;
            list.Load(path);
        } else {
            ConfigurationDocument::Contents contents;
            QString error;
            ConfigurationDocument::Read(path, contents, error);
        }
        best.cpu = std::min(best.cpu, CpuMs() - cpu);
        best.wall = std::min(best.wall, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.xml"));

    std::printf("%-48s %8s %8s %8s %8s %8s\n", "shape", "size MB", "cpu ms", "cpu/MB", "linear", "wall/MB");
    double worst = 0;
    for (const Shape &s : Shapes()) {
        const qint64 limit = s.rangeList ? 4 * MB : 16 * MB;
        double first = 0;
        for (qint64 size : {limit / 16, limit / 4, limit - 1024}) {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(s.make(size)) < 0)
                return 1;
            f.close();
            const double mb = double(QFile(path).size()) / double(MB);
            const Times t = TimeOpen(path, s.rangeList);
            const double perMb = t.cpu / mb;
            if (first == 0)
                first = perMb;
            worst = std::max(worst, perMb);
            // Time per MB against that of the smallest size: near 1 when linear.
            std::printf("%-48s %8.2f %8.1f %8.1f %8.2f %8.1f\n", s.name, mb, t.cpu, perMb, perMb / first, t.wall / mb);
        }
    }
    std::printf("\nworst: %.1f ms of processor time per MB (target at most 50)\n", worst);
    return worst <= 50 ? 0 : 1;
}
