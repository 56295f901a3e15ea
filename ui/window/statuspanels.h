// The main window's status panels: port, range and progress.
#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

// The panel under the pointer: the first whose running total of widths from
// the left exceeds x; -1 past the last.
int StatusPanelAt(int x, const QList<int> &widths);

// The main window's status bar: three panels side by side (port, range, empty)
// of fixed widths; a press reports the panel under the pointer.
class StatusPanels : public QWidget
{
    Q_OBJECT
public:
    explicit StatusPanels(const QList<int> &widths, QWidget *parent = nullptr);

    void SetText(int panel, const QString &text);
    QString text(int panel) const;
    // What a press on the panel does, shown when the pointer rests on it.
    void SetToolTip(int panel, const QString &text);
    // A panel whose content needs the user's attention is drawn on yellow.
    void SetMarked(int panel, bool marked);
    bool marked(int panel) const { return panel >= 0 && panel < m_marked.size() && m_marked[panel]; }
    static constexpr QRgb MarkColour = 0xFFFFFF00;
    // The tip of the panel under x; empty where there is none.
    QString toolTipAt(int x) const;
    const QList<int> &widths() const { return m_widths; }
    QSize sizeHint() const override;

signals:
    void panelPressed(int panel);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<int> m_widths;
    QStringList m_texts;
    QStringList m_tips;
    QList<bool> m_marked;
};
