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
    const QList<int> &widths() const { return m_widths; }
    QSize sizeHint() const override;

signals:
    void panelPressed(int panel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<int> m_widths;
    QStringList m_texts;
};
