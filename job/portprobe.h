// Finding which ports have a radio on them: every port asked at once, each within a time limit.
#pragma once

#include "link/portdirectory.h"
#include "model/infocontext.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

// What one port answered when asked for the radio's information.
struct PortFinding
{
    enum Kind {
        Asking,        // no answer yet, time not up
        Radio,         // a radio answered; `info` holds what it said
        NoAnswer,      // the port opened, nothing answered in time
        Busy,          // another program holds the port: left alone
        NoPermission,  // the user may not open it
        Absent,        // no device behind the name
        Failed,        // something else; `detail` says what
    };
    int port = 0;
    QString device;
    QString adapter;
    Kind kind = Asking;
    TInfoContext info;
    QString detail;  // a line for the user when the port gave trouble

    bool settled() const { return kind != Asking; }
};

// The finding as a few words for a list: the radio (model, serial number,
// programmer identifier, settings version, range) or why there is none.
QString FindingText(const PortFinding &finding);
// The finding's kind as the JSON report names it: "radio", "no answer", ...
QString FindingState(PortFinding::Kind kind);

// The port of the one radio found elsewhere than on `chosen`, when `chosen`
// is none (0) or a port without a radio; 0 when no other port or more than
// one has a radio, or the chosen port has one itself.
int OnlyRadioElsewhere(int chosen, const QList<PortFinding> &findings);

// Asks every port at once for the radio's information, each within a time
// limit, and settles one finding per port as its answer comes. A port that
// another program holds is found busy and never touched. Event-driven on the
// caller's thread: a window fills in its list as Found comes, a command waits
// in ProbePorts.
class PortProbe : public QObject
{
    Q_OBJECT
public:
    // Room for one information exchange (a quarter of a second on the line)
    // with a repeat after a garbled first reply; a silent port costs this.
    static constexpr int DefaultLimitMs = 1500;

    explicit PortProbe(QObject *parent = nullptr);
    ~PortProbe() override;

    void SetLimit(int ms) { m_limitMs = ms; }
    int limit() const { return m_limitMs; }

    // Drops the findings of an earlier run (stopping it) and asks `entries`.
    void Start(const QList<ports::PortEntry> &entries);
    // Gives up on the ports still asked and closes every port before it
    // returns (a few tens of milliseconds), so that they are free at once.
    void Stop();
    bool running() const { return m_pending > 0; }
    const QList<PortFinding> &findings() const { return m_findings; }

signals:
    void Found(int index);  // findings()[index] has settled
    void Finished();        // every finding has

private:
    class Ask;
    friend class Ask;
    void Settle(int index, PortFinding::Kind kind, const QString &detail = QString());
    void TimeUp();

    std::vector<std::unique_ptr<Ask>> m_asks;
    QList<PortFinding> m_findings;
    QTimer m_timer;
    int m_limitMs = DefaultLimitMs;
    int m_pending = 0;
};

// Runs a probe of `entries` to its end in a local event loop.
QList<PortFinding> ProbePorts(const QList<ports::PortEntry> &entries, int limitMs = PortProbe::DefaultLimitMs);
