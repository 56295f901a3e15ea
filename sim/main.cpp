// kd-radio-sim: a radio on a pseudo-terminal, for tests, benchmarks and trying
// the programmer without hardware. POSIX only: Windows has no pseudo-terminal
// that a serial port API opens; the Windows programs meet it under Wine.

#include "xml/xml_common.h"
#include "link/framecodec.h"
#include "sim/simradio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

constexpr double kBytesPerSecond = 960.0;  // 9600 baud, 10 bits a byte
constexpr int kSliceBytes = 16;            // what a UART FIFO hands over at once

const char *const kTableFiles[] = {"channels.bin", "settings.bin"};

struct Runtime
{
    int master = -1;
    bool pacing = true;
    bool logFrames = false;
    QString stateDir;
};

void LogFrame(const Runtime &rt, const char *dir, const std::uint8_t *p, std::size_t n)
{
    if (!rt.logFrames)
        return;
    QByteArray hex = QByteArray(reinterpret_cast<const char *>(p), qsizetype(n)).toHex(' ');
    std::fprintf(stderr, "%s %s %s\n", qPrintable(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"))),
                 dir, hex.constData());
}

bool WriteAll(int fd, const char *p, std::size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// Sends bytes as a 9600-baud line would deliver them: each slice when its last
// byte would have arrived.
void Send(const Runtime &rt, const QByteArray &bytes)
{
    if (!rt.pacing) {
        WriteAll(rt.master, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return;
    }
    const auto start = Clock::now();
    qsizetype sent = 0;
    while (sent < bytes.size() && !g_stop) {
        const qsizetype n = std::min<qsizetype>(kSliceBytes, bytes.size() - sent);
        const auto due = start + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>((sent + n) / kBytesPerSecond));
        std::this_thread::sleep_until(due);
        WriteAll(rt.master, bytes.constData() + sent, static_cast<std::size_t>(n));
        sent += n;
    }
}

// The frame of a reply; with breakCheck one body byte is changed after the
// check was computed, so the frame check fails.
QByteArray Frame(const QByteArray &payload, bool breakCheck)
{
    std::array<std::uint8_t, frame::MaxEncoded> out{};
    const std::size_t n = frame::Encode(reinterpret_cast<const std::uint8_t *>(payload.constData()),
                                        static_cast<std::size_t>(payload.size()), out.data(), out.size());
    QByteArray framed(reinterpret_cast<const char *>(out.data()), qsizetype(n));
    for (qsizetype i = 1; breakCheck && i < framed.size() - 1; ++i) {
        const auto b = static_cast<std::uint8_t>(framed[i]);
        const auto c = static_cast<std::uint8_t>(b ^ 0x02);
        // Neither an escape pair nor a byte that would turn into a delimiter.
        if (b != frame::Escape && c != frame::Escape && c != frame::Start && c != frame::End
            && static_cast<std::uint8_t>(framed[i - 1]) != frame::Escape) {
            framed[i] = char(c);
            break;
        }
    }
    return framed;
}

void LoadState(SimRadio &radio, const QString &dir)
{
    for (int t = 0; t < 2; ++t) {
        QFile f(QDir(dir).filePath(QString::fromLatin1(kTableFiles[t])));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = f.read(TableImage::Size);
        if (data.size() == qsizetype(TableImage::Size))
            std::memcpy(radio.image(SimRadio::Table(t)).data(), data.constData(), TableImage::Size);
    }
}

void StoreState(SimRadio &radio, const QString &dir, int table)
{
    QSaveFile f(QDir(dir).filePath(QString::fromLatin1(kTableFiles[table])));
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(reinterpret_cast<const char *>(radio.image(SimRadio::Table(table)).data()), TableImage::Size);
    f.commit();
}

int OpenPty(QString &slavePath, int &slaveFd)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return -1;
    slavePath = QString::fromLocal8Bit(::ptsname(master));
    // Holding the slave open keeps the master readable while no client is attached.
    slaveFd = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    if (slaveFd < 0)
        return -1;
    termios tio{};
    if (::tcgetattr(slaveFd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slaveFd, TCSANOW, &tio);
    }
    return master;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kd-radio-sim"));

    QCommandLineParser cl;
    cl.setApplicationDescription(QStringLiteral(
        "Simulated radio on a pseudo-terminal. Prints the device path on the first line of output.\n"
        "POSIX systems only (Linux); under Wine a COM port can be linked to its device."));
    cl.addHelpOption();
    const QCommandLineOption link({QStringLiteral("link")}, QStringLiteral("Keep a symbolic link to the device at <path>."), QStringLiteral("path"));
    const QCommandLineOption state({QStringLiteral("state")}, QStringLiteral("Folder that holds the radio's table images (default: a new temporary folder)."), QStringLiteral("dir"));
    const QCommandLineOption programmer({QStringLiteral("programmer")}, QStringLiteral("Programmer identifier the radio requires (default KDT10)."), QStringLiteral("id"));
    const QCommandLineOption settingsVersion({QStringLiteral("settings-version")}, QStringLiteral("Settings table version, e.g. 0x0102; 0 reports none."), QStringLiteral("v"));
    const QCommandLineOption txBase({QStringLiteral("tx-base")}, QStringLiteral("Transmit channel base (default 2640)."), QStringLiteral("n"));
    const QCommandLineOption rxBase({QStringLiteral("rx-base")}, QStringLiteral("Receive channel base (default 2640)."), QStringLiteral("n"));
    const QCommandLineOption step({QStringLiteral("step")}, QStringLiteral("Channel step in Hz (default 12500)."), QStringLiteral("hz"));
    const QCommandLineOption pair({QStringLiteral("pair")}, QStringLiteral("Channel pair first-last; up to four (default 0-1240)."), QStringLiteral("a-b"));
    const QCommandLineOption power({QStringLiteral("power")}, QStringLiteral("Power levels P0..P3 in watts (default 5,10,20,40)."), QStringLiteral("list"));
    const QCommandLineOption serial({QStringLiteral("serial")}, QStringLiteral("Serial number, or 'none'."), QStringLiteral("n"));
    const QCommandLineOption count({QStringLiteral("program-count")}, QStringLiteral("Programming attempts so far."), QStringLiteral("n"));
    const QCommandLineOption comment({QStringLiteral("comment")}, QStringLiteral("Comment text."), QStringLiteral("text"));
    const QCommandLineOption noPacing({QStringLiteral("no-pacing")}, QStringLiteral("Answer at once instead of at 9600 baud."));
    const QCommandLineOption echo({QStringLiteral("echo")}, QStringLiteral("Echo every request frame before replying."));
    const QCommandLineOption junk({QStringLiteral("junk")}, QStringLiteral("Send <n> noise bytes before every reply."), QStringLiteral("n"));
    const QCommandLineOption ignoreFirst({QStringLiteral("ignore-first")}, QStringLiteral("Leave the first <n> requests unanswered."), QStringLiteral("n"));
    const QCommandLineOption corrupt({QStringLiteral("corrupt-every")}, QStringLiteral("Break the frame check of every <n>th reply."), QStringLiteral("n"));
    const QCommandLineOption wrongCommand({QStringLiteral("wrong-command")}, QStringLiteral("Every <n>th reply has a wrong command byte."), QStringLiteral("n"));
    const QCommandLineOption wrongBlock({QStringLiteral("wrong-block")}, QStringLiteral("Every <n>th reply has a wrong block number or sub-command."), QStringLiteral("n"));
    const QCommandLineOption wrongLength({QStringLiteral("wrong-length")}, QStringLiteral("Every <n>th reply has a wrong length."), QStringLiteral("n"));
    const QCommandLineOption silentAfter({QStringLiteral("silent-after")}, QStringLiteral("Answer nothing after <n> requests."), QStringLiteral("n"));
    const QCommandLineOption storeChanged({QStringLiteral("store-changed")}, QStringLiteral("Store written tables with one byte changed."));
    const QCommandLineOption staleReply({QStringLiteral("stale-reply")}, QStringLiteral("Send a block reply of an earlier exchange before the first reply."));
    const QCommandLineOption logFrames({QStringLiteral("log-frames")}, QStringLiteral("Log every frame in hex on standard error."));
    cl.addOptions({link, state, programmer, settingsVersion, txBase, rxBase, step, pair, power, serial,
                   count, comment, noPacing, echo, junk, ignoreFirst, corrupt, wrongCommand,
                   wrongBlock, wrongLength, silentAfter, storeChanged, staleReply, logFrames});
    cl.process(app);

    SimOptions opt;
    bool ok = true;
    auto num = [&](const QCommandLineOption &o, auto &target) {
        if (!cl.isSet(o))
            return;
        std::int32_t v = 0;
        if (!ParseNumber(cl.value(o), v)) {
            std::fprintf(stderr, "kd-radio-sim: --%s needs a number\n", qPrintable(o.names().first()));
            ok = false;
            return;
        }
        target = static_cast<std::remove_reference_t<decltype(target)>>(v);
    };
    if (cl.isSet(programmer))
        opt.programmerId = cl.value(programmer);
    num(settingsVersion, opt.settingsVersion);
    num(txBase, opt.txBase);
    num(rxBase, opt.rxBase);
    num(step, opt.step);
    if (cl.isSet(pair)) {
        opt.pairs.clear();
        for (const QString &p : cl.values(pair)) {
            const QStringList ends = p.split(QLatin1Char('-'));
            std::int32_t a = 0, b = 0;
            if (ends.size() != 2 || !ParseNumber(ends[0], a) || !ParseNumber(ends[1], b) || opt.pairs.size() >= 4) {
                std::fprintf(stderr, "kd-radio-sim: --pair takes first-last, at most four times\n");
                return 2;
            }
            opt.pairs.emplace_back(std::uint16_t(a), std::uint16_t(b));
        }
    }
    if (cl.isSet(power)) {
        const QStringList levels = cl.value(power).split(QLatin1Char(','));
        for (int i = 0; i < 4 && i < levels.size(); ++i)
            opt.power[i] = static_cast<std::uint8_t>(levels[i].toInt());
    }
    if (cl.isSet(serial)) {
        if (cl.value(serial) == QLatin1String("none"))
            opt.serial = 0xFFFFFFFFu;
        else
            num(serial, opt.serial);
    }
    num(count, opt.programCount);
    if (cl.isSet(comment))
        opt.comment = cl.value(comment);
    opt.echo = cl.isSet(echo);
    num(junk, opt.junk);
    num(ignoreFirst, opt.ignoreFirst);
    num(corrupt, opt.corruptEvery);
    num(wrongCommand, opt.wrongCommandEvery);
    num(wrongBlock, opt.wrongBlockEvery);
    num(wrongLength, opt.wrongLengthEvery);
    num(silentAfter, opt.silentAfter);
    opt.storeChanged = cl.isSet(storeChanged);
    opt.staleReply = cl.isSet(staleReply);
    if (!ok)
        return 2;

    Runtime rt;
    rt.pacing = !cl.isSet(noPacing);
    rt.logFrames = cl.isSet(logFrames);
    rt.stateDir = cl.isSet(state) ? cl.value(state)
                                  : QDir::temp().filePath(QStringLiteral("kd-radio-sim-%1").arg(QCoreApplication::applicationPid()));
    if (!QDir().mkpath(rt.stateDir)) {
        std::fprintf(stderr, "kd-radio-sim: cannot create state folder %s\n", qPrintable(rt.stateDir));
        return 1;
    }

    SimRadio radio(opt);
    LoadState(radio, rt.stateDir);

    QString slavePath;
    int slaveFd = -1;
    rt.master = OpenPty(slavePath, slaveFd);
    if (rt.master < 0) {
        std::perror("kd-radio-sim: pseudo-terminal");
        return 1;
    }
    const QString linkPath = cl.value(link);
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (!QFile::link(slavePath, linkPath)) {
            std::fprintf(stderr, "kd-radio-sim: cannot create link %s\n", qPrintable(linkPath));
            return 1;
        }
    }

    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::printf("%s\n", qPrintable(slavePath));
    std::fflush(stdout);

    // Request frames are cut out of the stream exactly as the programmer does it.
    QByteArray raw;
    bool inFrame = false;
    Clock::time_point frameStart;
    std::array<std::uint8_t, frame::MaxPayload> payload{};
    char buf[512];

    while (!g_stop) {
        pollfd pfd{rt.master, POLLIN, 0};
        const int pr = ::poll(&pfd, 1, 200);
        if (pr <= 0)
            continue;
        const ssize_t n = ::read(rt.master, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            const auto b = static_cast<std::uint8_t>(buf[i]);
            if (b == frame::Start) {
                inFrame = true;
                raw.clear();
                frameStart = Clock::now();
                continue;
            }
            if (!inFrame)
                continue;
            if (b != frame::End) {
                if (raw.size() < qsizetype(frame::MaxRawBody))
                    raw.append(char(b));
                continue;
            }
            inFrame = false;
            const QByteArray wire = QByteArray(1, char(frame::Start)) + raw + QByteArray(1, char(frame::End));
            LogFrame(rt, "RX", reinterpret_cast<const std::uint8_t *>(wire.constData()), std::size_t(wire.size()));
            std::size_t len = 0;
            if (frame::Decode(reinterpret_cast<const std::uint8_t *>(raw.constData()), std::size_t(raw.size()),
                              payload.data(), len) != frame::DecodeStatus::Ok)
                continue;  // a radio ignores what it cannot read
            const SimRadio::Reply reply = radio.Handle(QByteArray(reinterpret_cast<const char *>(payload.data()), qsizetype(len)));
            if (reply.stored)
                StoreState(radio, rt.stateDir, reply.storedTable);
            if (!reply.answer)
                continue;

            QByteArray out;
            if (opt.staleReply) {
                out += Frame(radio.StaleBlockReply(), false);
                opt.staleReply = false;
            }
            if (opt.echo)
                out += wire;
            for (int j = 0; j < opt.junk; ++j)
                out += char(0x30 + (j * 7) % 0x60);  // never 0xC0
            const QByteArray framed = Frame(reply.payload, reply.breakCheck);
            out += framed;
            if (rt.pacing) {
                // The request's own transfer time passes before the radio answers.
                std::this_thread::sleep_until(frameStart + std::chrono::duration_cast<Clock::duration>(
                                                               std::chrono::duration<double>(wire.size() / kBytesPerSecond)));
            }
            LogFrame(rt, "TX", reinterpret_cast<const std::uint8_t *>(framed.constData()), std::size_t(framed.size()));
            Send(rt, out);
        }
    }

    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    ::close(slaveFd);
    ::close(rt.master);
    return 0;
}
