// The progress window of a radio job: its log, its bar and the job's end.
#pragma once

#include "job/jobsequence.h"
#include "job/programmingjob.h"

#include <QColor>
#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <memory>

class ChannelsContext;
class QPlainTextEdit;
class QPushButton;
class SettingsContext;
class TInfoContext;

// Draws the progress panel: outside 0..100 only the button face; otherwise the
// bar (percent of the width) in `colour` with "%d %" centred, white over the
// bar and black beyond it.
void PaintProgressPanel(QPainter &painter, const QRect &panel, int percent, const QColor &colour,
                        const QColor &buttonFace);
// The panel of a job that failed: no bar that could pass for a finished one,
// `text` in dark red on a pale red ground, framed.
void PaintFailedPanel(QPainter &painter, const QRect &panel, const QString &text);
// The colours of a failed panel.
constexpr QRgb FailedGround = 0xFFFFD8D8;
constexpr QRgb FailedText = 0xFFA00000;

// The one owner-drawn panel under the log.
class ProgressPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget *parent = nullptr);
    void SetProgress(int percent, const QColor &colour);
    // The job failed: the panel says so in place of the bar; empty text goes
    // back to the bar.
    void SetFailed(const QString &text);
    int percent() const { return m_percent; }
    QColor colour() const { return m_colour; }
    bool failed() const { return !m_failedText.isEmpty(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_percent = -1;
    QColor m_colour;
    QString m_failedText;
};

// The modal window in which a read, write or information job runs: the job's
// log above its progress panel. The job starts when the window is shown; the
// window stays open with the log until the user closes it (close box or Esc),
// and closing it during an exchange ends the exchange first. A job may be a
// sequence of several (a backup, the write, a read-back), shown in one log
// with one bar across them.
class TFormProgress : public QDialog, private LogView, private SequenceObserver
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 641;
    static constexpr int ClientHeight = 172;
    static constexpr int StatusHeight = 19;

    explicit TFormProgress(QWidget *parent = nullptr);
    ~TFormProgress() override;

    // The port the next job opens; 0 = none chosen.
    void SetPort(int port) { m_port = port; }
    int port() const { return m_port; }

    // Everything the next showing needs: the records the job reads from and
    // writes into (not owned), the operation, the caption and the panel's
    // initial percent and colour.
    void Prepare(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                 ProgrammingJob::Operation operation, const QString &caption, int percent, const QColor &colour);

    // Instead of Prepare: the next showing runs `sequence`, its port set by the
    // window.
    void PrepareSequence(std::unique_ptr<JobSequence> sequence, const QString &caption, int percent,
                         const QColor &colour);
    // Where the next showing writes the frames on the line, replacing what the
    // file held; empty for no trace.
    void SetTracePath(const QString &path) { m_tracePath = path; }
    // Lines the log of the next showing starts with (and only that one).
    void SetNotice(const QStringList &lines) { m_notice = lines; }

    // The job running or run last, from its showing until the next one; null
    // before any.
    const ProgrammingJob *job() const;
    // The sequence of the last showing (one step for a plain job); null before any.
    const JobSequence *sequence() const { return m_sequence.get(); }
    JobSequence *sequence() { return m_sequence.get(); }
    // The last showing's sequence has run to its end or was stopped.
    bool finished() const { return m_sequence && m_sequence->finished(); }
    QString logText() const;
    const ProgressPanel *panel() const { return m_panel; }
    QPushButton *closeButton() const { return m_closeButton; }

    // Every way of closing ends here: an exchange still running is ended first.
    void done(int result) override;

signals:
    // The showing's sequence ran to its end by itself (not by closing the
    // window): its results are in the records, the log stays shown.
    void jobEnded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void AppendText(const QString &text) override;
    void ClearText() override;
    void ProgressChanged(int percent, Rgb colour) override;
    void Finished() override;
    void OpenTrace();

    QPlainTextEdit *m_memo = nullptr;
    ProgressPanel *m_panel = nullptr;
    QPushButton *m_closeButton = nullptr;
    QString m_caption;
    QStringList m_notice;
    bool m_closing = false;
    std::unique_ptr<JobSequence> m_prepared;
    std::unique_ptr<JobSequence> m_sequence;
    // Open from the showing until the window closes, after its sequence stopped.
    std::unique_ptr<TraceFile> m_trace;
    QString m_tracePath;
    int m_port = 0;

    ChannelsContext *m_channels = nullptr;
    SettingsContext *m_settings = nullptr;
    TInfoContext *m_info = nullptr;
    ProgrammingJob::Operation m_operation = ProgrammingJob::OpInfo;
    int m_startPercent = 0;
    QColor m_startColour;
};
