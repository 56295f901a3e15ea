#include "ui/formprogress.h"

#include <QPainter>
#include <QPlainTextEdit>
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

void ProgressPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    PaintProgressPanel(p, rect(), m_percent, m_colour, palette().color(QPalette::Button));
}

TFormProgress::TFormProgress(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormProgress"));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("MemoLog"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_panel = new ProgressPanel(this);
    m_panel->setObjectName(QStringLiteral("StatusBar"));
    m_panel->setFixedHeight(StatusHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_memo, 1);
    layout->addWidget(m_panel);
    resize(ClientWidth, ClientHeight);
}

TFormProgress::~TFormProgress()
{
    // The job ends its exchange before the log it writes into goes away.
    m_job.reset();
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
    setWindowTitle(caption);
}

void TFormProgress::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || !m_channels)
        return;
    // A fresh job, with a worker of its own, for every showing.
    m_job.reset();
    m_job = std::make_unique<ProgrammingJob>(*m_channels, *m_settings, *m_info);
    m_job->SetPort(std::uint32_t(m_port));
    m_job->SetOperation(m_operation);
    const QColor c = m_startColour;
    m_job->SetProgress(m_startPercent, Rgb{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())});
    m_job->SetObserver(this);
    m_panel->SetProgress(m_startPercent, m_startColour);
    m_job->Begin(this);
}

void TFormProgress::done(int result)
{
    // Closing during an exchange ends it: the worker is stopped and joined and
    // the port closed before the window goes.
    if (m_job)
        m_job->Stop();
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
}

void TFormProgress::ProgressChanged(int percent, Rgb colour)
{
    m_panel->SetProgress(percent, QColor(colour.r, colour.g, colour.b));
}
