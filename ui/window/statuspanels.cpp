// The main window's status panels: port, range and progress.

#include "ui/window/statuspanels.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

int StatusPanelAt(int x, const QList<int> &widths)
{
    int total = 0;
    for (int i = 0; i < widths.size(); ++i) {
        total += widths[i];
        if (total > x)
            return i;
    }
    return -1;
}

StatusPanels::StatusPanels(const QList<int> &widths, QWidget *parent) : QWidget(parent), m_widths(widths)
{
    for (int i = 0; i < widths.size(); ++i) {
        m_texts << QString();
        m_tips << QString();
        m_marked << false;
    }
}

void StatusPanels::SetToolTip(int panel, const QString &text)
{
    if (panel >= 0 && panel < m_tips.size())
        m_tips[panel] = text;
}

void StatusPanels::SetMarked(int panel, bool marked)
{
    if (panel < 0 || panel >= m_marked.size() || m_marked[panel] == marked)
        return;
    m_marked[panel] = marked;
    update();
}

QString StatusPanels::toolTipAt(int x) const
{
    const int panel = StatusPanelAt(x, m_widths);
    return panel >= 0 ? m_tips[panel] : QString();
}

bool StatusPanels::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = toolTipAt(help->pos().x());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void StatusPanels::SetText(int panel, const QString &text)
{
    if (panel < 0 || panel >= m_texts.size() || m_texts[panel] == text)
        return;
    m_texts[panel] = text;
    update();
}

QString StatusPanels::text(int panel) const
{
    return panel >= 0 && panel < m_texts.size() ? m_texts[panel] : QString();
}

QSize StatusPanels::sizeHint() const
{
    int width = 0;
    for (int w : m_widths)
        width += w;
    return QSize(width, fontMetrics().height() + 6);
}

void StatusPanels::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    int left = 0;
    for (int i = 0; i < m_widths.size(); ++i) {
        const QRect panel(left, 0, m_widths[i], height());
        left += m_widths[i];
        if (m_marked[i])
            p.fillRect(panel.adjusted(1, 1, -2, 0), QColor(MarkColour));
        // A sunken box per panel, the text clipped to it.
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(panel.topLeft(), panel.topRight() - QPoint(2, 0));
        p.drawLine(panel.topLeft(), panel.bottomLeft());
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(panel.bottomLeft() + QPoint(1, 0), panel.bottomRight() - QPoint(2, 0));
        p.drawLine(panel.topRight() - QPoint(2, 0), panel.bottomRight() - QPoint(2, 0));
        p.setPen(m_marked[i] ? QColor(Qt::black) : palette().color(QPalette::WindowText));
        p.drawText(panel.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, m_texts[i]);
    }
}

void StatusPanels::mousePressEvent(QMouseEvent *event)
{
    const int panel = StatusPanelAt(event->position().toPoint().x(), m_widths);
    if (panel >= 0)
        emit panelPressed(panel);
    QWidget::mousePressEvent(event);
}
