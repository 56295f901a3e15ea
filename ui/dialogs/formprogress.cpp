// The progress window of a radio job: its log, its bar and the job's end.

#include "ui/dialogs/formprogress.h"

#include "job/safetysteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

void PaintProgressPanel(QPainter &p, const QRect &panel, int percent, const QColor &colour, const QColor &buttonFace)
{
    p.save();
    if (percent < 0 || percent > 100) {
        p.fillRect(panel, buttonFace);
        p.restore();
        return;
    }
    const int left = panel.x();
    const int top = panel.y();
    const int width = panel.width();
    const int height = panel.height();
    const int bar = percent * width / 100;
    const QString text = QStringLiteral("%1 %").arg(percent);
    const QFontMetrics fm = p.fontMetrics();
    const int x = left + width / 2 - fm.horizontalAdvance(text) / 2;
    const int y = top + height / 2 - fm.height() / 2 + fm.ascent();

    const QRect done(left, top, bar, height);
    const QRect rest(left + bar, top, width - bar, height);
    p.setClipRect(done);
    p.fillRect(done, colour);
    p.setPen(Qt::white);
    p.drawText(x, y, text);
    p.setClipRect(rest);
    p.fillRect(rest, buttonFace);
    p.setPen(Qt::black);
    p.drawText(x, y, text);
    p.restore();
}

void PaintFailedPanel(QPainter &p, const QRect &panel, const QString &text)
{
    p.save();
    p.fillRect(panel, QColor(FailedGround));
    p.setPen(QColor(FailedText));
    p.drawRect(panel.adjusted(0, 0, -1, -1));
    p.drawText(panel, Qt::AlignCenter, text);
    p.restore();
}

ProgressPanel::ProgressPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressPanel::SetProgress(int percent, const QColor &colour)
{
    m_percent = percent;
    m_colour = colour;
    update();
}

void ProgressPanel::SetFailed(const QString &text)
{
    m_failedText = text;
    update();
}

void ProgressPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (failed())
        PaintFailedPanel(p, rect(), m_failedText);
    else
        PaintProgressPanel(p, rect(), m_percent, m_colour, palette().color(QPalette::Button));
}

TFormProgress::TFormProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormProgress"));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("MemoLog"));
    m_memo->setAccessibleName(tr("Журнал"));
    m_memo->setReadOnly(true);
    // Long lines wrap: the last one says what failed and what to do, and a
    // line cut at the window's edge would hide that.
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_panel = new ProgressPanel(this);
    m_panel->setObjectName(QStringLiteral("StatusBar"));
    m_panel->setFixedHeight(StatusHeight);
    // Closing during a job stops it; at the end the button takes the focus,
    // so that Enter (or Esc, as always) puts the window away.
    m_closeButton = new QPushButton(tr("Закрыть"), this);
    m_closeButton->setObjectName(QStringLiteral("ButtonClose"));
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 4);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_memo, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_panel);
    resize(ClientWidth, ClientHeight + buttons->sizeHint().height());
}

TFormProgress::~TFormProgress()
{
    // The job ends its exchange before the log it writes into and the trace
    // file go away.
    m_sequence.reset();
    m_trace.reset();
}

void TFormProgress::Prepare(ChannelsContext &channels, SettingsContext &settings, TInfoContext &info,
                            ProgrammingJob::Operation operation, const QString &caption, int percent,
                            const QColor &colour)
{
    m_channels = &channels;
    m_settings = &settings;
    m_info = &info;
    m_operation = operation;
    m_startPercent = percent;
    m_startColour = colour;
    m_prepared.reset();
    m_caption = caption;
    setWindowTitle(caption);
}

void TFormProgress::PrepareSequence(std::unique_ptr<JobSequence> sequence, const QString &caption, int percent,
                                    const QColor &colour)
{
    m_prepared = std::move(sequence);
    m_startPercent = percent;
    m_startColour = colour;
    m_caption = caption;
    setWindowTitle(caption);
}

const ProgrammingJob *TFormProgress::job() const
{
    if (!m_sequence || m_sequence->currentStep() < 0)
        return nullptr;
    return &m_sequence->step(m_sequence->currentStep()).job();
}

void TFormProgress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || (!m_channels && !m_prepared))
        return;
    // A fresh job, with a worker of its own, for every showing.
    m_sequence.reset();
    if (m_prepared) {
        m_sequence = std::move(m_prepared);
    } else {
        m_sequence = std::make_unique<JobSequence>();
        m_sequence->Add(std::make_unique<safety::ExchangeStep>(*m_channels, *m_settings, *m_info, m_operation));
    }
    OpenTrace();
    m_closing = false;
    m_closeButton->setDefault(false);
    m_panel->SetFailed(QString());
    setWindowTitle(m_caption);
    const QColor c = m_startColour;
    m_sequence->SetPort(std::uint32_t(m_port));
    m_sequence->SetStartProgress(m_startPercent,
                                 Rgb{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())});
    m_sequence->SetObserver(this);
    m_sequence->SetTrace(m_trace.get());
    m_panel->SetProgress(m_startPercent, m_startColour);
    m_sequence->Begin(this);
}

void TFormProgress::OpenTrace()
{
    m_trace.reset();
    if (m_tracePath.isEmpty())
        return;
    // The trace holds the last job only.
    QDir().mkpath(QFileInfo(m_tracePath).absolutePath());
    QFile::remove(m_tracePath);
    m_trace = std::make_unique<TraceFile>();
    if (!m_trace->Open(m_tracePath))
        m_trace.reset();
}

void TFormProgress::done(int result)
{
    // Closing during an exchange ends it: the worker is stopped and joined and
    // the port closed before the window goes, and the trace closed after that.
    m_closing = true;
    if (m_sequence)
        m_sequence->Stop();
    m_trace.reset();
    QDialog::done(result);
}

QString TFormProgress::logText() const
{
    return m_memo->toPlainText();
}

void TFormProgress::AppendText(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    // Each call is one log line (which may itself hold blank lines).
    m_memo->appendPlainText(lines);
    m_memo->verticalScrollBar()->setValue(m_memo->verticalScrollBar()->maximum());
}

void TFormProgress::ClearText()
{
    m_memo->clear();
    for (const QString &line : std::as_const(m_notice))
        m_memo->appendPlainText(line);
    m_notice.clear();
}

void TFormProgress::Finished()
{
    if (!m_sequence)
        return;
    // A job that failed must not end looking like one that finished.
    if (!m_sequence->succeeded() && !m_sequence->stopped()) {
        m_panel->SetFailed(tr("Ошибка: операция не выполнена, причина в журнале"));
        QString what = m_caption;
        if (what.endsWith(QLatin1String(" ...")))
            what.chop(4);
        setWindowTitle(tr("%1: не выполнено").arg(what));
    }
    m_closeButton->setDefault(true);
    m_closeButton->setFocus(Qt::OtherFocusReason);
    if (!m_closing)
        emit jobEnded();
}

void TFormProgress::ProgressChanged(int percent, Rgb colour)
{
    m_panel->SetProgress(percent, QColor(colour.r, colour.g, colour.b));
}
