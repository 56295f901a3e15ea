// The start-up benchmark's probe: the moment of the main window's first paint.

#include "ui/app/firstpaintprobe.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(QWidget *window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched == m_window) {
            m_seen = true;
            // Queued: the paint of the whole window and its flush finish first.
            QTimer::singleShot(0, this, &FirstPaintProbe::Report);
        }
        return false;
    }

private:
    void Report()
    {
        // The steady clock is the system's monotonic clock, the same in every process.
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-paint %lld %ld %d %d\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    ResidentKilobytes(), m_window->width(), m_window->height());
        std::fflush(stdout);
        // Nothing after the first paint is measured: end here, without the
        // tear-down (and without touching any file the program would write).
        std::_Exit(0);
    }

    QWidget *m_window;
    bool m_seen = false;
};

} // namespace

void InstallFirstPaintProbe(QWidget *window)
{
    window->installEventFilter(new FirstPaintProbe(window));
}
