#include "job/jobsequence.h"
#include "job/safetysteps.h"
#include "simprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records what a sequence shows: its log, its bar (with the step it came in)
// and its ends.
class Recorder : public SequenceObserver, public LogView
{
public:
    explicit Recorder(const JobSequence &sequence) : m_sequence(sequence) {}
    struct Report
    {
        int step;
        int percent;
    };
    QString text;
    QList<Report> reports;
    int jobsEnded = 0;
    int finished = 0;

    void AppendText(const QString &t) override { text += t; }
    void ClearText() override { text.clear(); }
    void ProgressChanged(int percent, Rgb) override { reports.append({m_sequence.currentStep(), percent}); }
    void JobEnded() override { ++jobsEnded; }
    void Finished() override { ++finished; }

private:
    const JobSequence &m_sequence;
};

bool WaitFor(const JobSequence &s)
{
    return QTest::qWaitFor([&s] { return s.finished(); }, 30000);
}

} // namespace

class TestJobSequence : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase() { IsolateUserSettings(m_settingsDir.path()); }

    // Three reads: every report lies in its own step's share of the bar, and
    // the steps' own lines come in order between the titles and outcomes.
    void stepsShareTheBarAndTheLog()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(80, {QStringLiteral("--no-pacing")}));
        JobSequence s;
        for (const char *title : {"first", "second", "third"}) {
            auto step = std::make_unique<safety::RadioReadStep>();
            step->title = QString::fromLatin1(title);
            s.Add(std::move(step));
        }
        s.SetNarrated(true);
        s.SetPort(80);
        Recorder r(s);
        s.SetObserver(&r);
        QTemporaryDir dir;
        TraceFile trace;
        QVERIFY(trace.Open(dir.filePath(QStringLiteral("t.txt"))));
        s.SetTrace(&trace);
        s.Begin(&r);
        QVERIFY(WaitFor(s));
        QVERIFY(s.succeeded());
        QCOMPARE(r.finished, 1);
        QCOMPARE(r.jobsEnded, 3);
        QVERIFY(!r.reports.isEmpty());
        for (const Recorder::Report &report : std::as_const(r.reports)) {
            QVERIFY2(report.percent >= report.step * 100 / 3 && report.percent <= (report.step + 1) * 100 / 3,
                     qPrintable(QStringLiteral("step %1 at %2 %").arg(report.step).arg(report.percent)));
        }
        QCOMPARE(r.reports.last().percent, 100);
        QCOMPARE(r.text.count(QStringLiteral("Порт COM80 закрыт.")), 3);
        QVERIFY(r.text.startsWith(QStringLiteral("first\r\nПорт COM80 открыт.")));
        QVERIFY(r.text.indexOf(QStringLiteral("second")) >
                r.text.indexOf(QStringLiteral("Порт COM80 закрыт.")));
        QCOMPARE(r.text, s.logText());
        QFile t(dir.filePath(QStringLiteral("t.txt")));
        QVERIFY(t.open(QIODevice::ReadOnly));
        const QByteArray frames = t.readAll();
        QVERIFY(frames.startsWith("# first\n"));
        QVERIFY(frames.indexOf("# second\n") > frames.indexOf("> c0 02"));
    }

    // A step that fails ends the sequence: the next job never begins.
    void failedStepEndsTheSequence()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(
            81, {QStringLiteral("--no-pacing"), QStringLiteral("--wrong-command"), QStringLiteral("1")}));
        JobSequence s;
        auto first = std::make_unique<safety::RadioReadStep>();
        auto second = std::make_unique<safety::RadioReadStep>();
        const ProgrammingJob &later = second->job();
        s.Add(std::move(first));
        s.Add(std::move(second));
        s.SetPort(81);
        Recorder r(s);
        s.SetObserver(&r);
        s.Begin(&r);
        QVERIFY(WaitFor(s));
        QCOMPARE(s.failedStep(), 0);
        QVERIFY(!s.succeeded());
        QCOMPARE(later.state(), std::uint32_t(ProgrammingJob::StateNone));
        QCOMPARE(r.finished, 1);
    }

    // Closing the window mid-sequence: the running job is stopped with its
    // worker joined and its port closed, the rest is dropped, and the port can
    // be opened again at once.
    void stopInTheMiddle()
    {
        SKIP_WITHOUT_SIMULATED_RADIO();
        SimProcess sim;
        QVERIFY(sim.Start(82, {})); // paced: a read takes seconds
        JobSequence s;
        auto first = std::make_unique<safety::RadioReadStep>();
        auto second = std::make_unique<safety::RadioReadStep>();
        const ProgrammingJob &running = first->job();
        const ProgrammingJob &later = second->job();
        s.Add(std::move(first));
        s.Add(std::move(second));
        s.SetPort(82);
        Recorder r(s);
        s.SetObserver(&r);
        s.Begin(&r);
        QVERIFY(QTest::qWaitFor([&r] { return r.text.contains(QStringLiteral("Чтение ...")); }, 30000));
        s.Stop();
        QVERIFY(s.finished() && s.stopped() && !s.succeeded());
        QCOMPARE(s.failedStep(), -1);
        QVERIFY(running.finished());
        QCOMPARE(later.state(), std::uint32_t(ProgrammingJob::StateNone));
        QCOMPARE(r.finished, 1);
        QTest::qWait(50); // nothing queued runs on after the stop
        QVERIFY(!r.text.contains(QStringLiteral("закрыт")));

        JobSequence again;
        again.Add(std::make_unique<safety::RadioReadStep>());
        again.SetPort(82);
        again.Begin(nullptr);
        QVERIFY(WaitFor(again));
        QVERIFY(again.succeeded());
    }

    // A port that does not open leaves the panel as the window set it, whether
    // the job is alone or the first of several.
    void portThatDoesNotOpenKeepsTheStartLook_data()
    {
        QTest::addColumn<int>("steps");
        QTest::newRow("alone") << 1;
        QTest::newRow("first of two") << 2;
    }
    void portThatDoesNotOpenKeepsTheStartLook()
    {
        QFETCH(int, steps);
        JobSequence s;
        for (int i = 0; i < steps; ++i)
            s.Add(std::make_unique<safety::RadioReadStep>());
        s.SetPort(0);
        s.SetStartProgress(70, Rgb{255, 0, 0});
        Recorder r(s);
        s.SetObserver(&r);
        s.Begin(&r);
        QVERIFY(WaitFor(s));
        QCOMPARE(s.failedStep(), 0);
        QVERIFY(!r.reports.isEmpty());
        QCOMPARE(r.reports.last().percent, 70);
    }
};

QTEST_GUILESS_MAIN(TestJobSequence)
#include "tst_jobsequence.moc"
