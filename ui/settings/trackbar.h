// A slider that can mark a range of its scale.
#pragma once

#include <QSlider>

// A slider that can also mark a range of its scale as selected, the way the
// key-click bars show the span from their minimum to their maximum level.
class TrackBar : public QSlider
{
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // Marks [start, end] (in either order); an empty mark when start = end = -1.
    void SetSelection(int start, int end);
    void ClearSelection() { SetSelection(-1, -1); }
    int selectionStart() const { return m_selStart; }
    int selectionEnd() const { return m_selEnd; }
    bool hasSelection() const { return m_selStart >= 0; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_selStart = -1;
    int m_selEnd = -1;
};
