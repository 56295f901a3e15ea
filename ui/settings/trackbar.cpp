// A slider that can mark a range of its scale.

#include "ui/settings/trackbar.h"

#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

TrackBar::TrackBar(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent)
{
    setPageStep(1);
}

void TrackBar::SetSelection(int start, int end)
{
    if (start > end)
        std::swap(start, end);
    if (start == m_selStart && end == m_selEnd)
        return;
    m_selStart = start;
    m_selEnd = end;
    update();
}

void TrackBar::paintEvent(QPaintEvent *)
{
    // Groove and ticks first, the selection band beside the groove, the handle on top.
    QPainter painter(this);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const bool horizontal = orientation() == Qt::Horizontal;

    QStyleOptionSlider groove = opt;
    groove.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != NoTicks)
        groove.subControls |= QStyle::SC_SliderTickmarks;
    if (!horizontal) {
        // A vertical bar reads as a level: the groove fills from its bottom end
        // up to the handle, whichever end its minimum position is at. Mirroring
        // both the position and the direction leaves the handle where it is.
        groove.sliderPosition = minimum() + maximum() - opt.sliderPosition;
        groove.sliderValue = minimum() + maximum() - opt.sliderValue;
        groove.upsideDown = !opt.upsideDown;
    }
    style()->drawComplexControl(QStyle::CC_Slider, &groove, &painter, this);

    if (hasSelection()) {
        const QRect grooveRect =
            style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
        const int span =
            horizontal ? grooveRect.width() - handle.width() : grooveRect.height() - handle.height();
        auto at = [&](int v) {
            const int offset = QStyle::sliderPositionFromValue(
                minimum(), maximum(), std::clamp(v, minimum(), maximum()), span, opt.upsideDown);
            return (horizontal ? grooveRect.left() + handle.width() / 2
                               : grooveRect.top() + handle.height() / 2) +
                   offset;
        };
        const int a = at(m_selStart);
        const int b = at(m_selEnd);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Highlight));
        if (horizontal) {
            const int y = grooveRect.bottom() + 2;
            painter.drawRect(QRect(QPoint(std::min(a, b), y), QPoint(std::max(a, b), y + 2)));
            painter.drawPolygon(QPolygon({QPoint(a - 3, y + 6), QPoint(a + 3, y + 6), QPoint(a, y + 2)}));
            painter.drawPolygon(QPolygon({QPoint(b - 3, y + 6), QPoint(b + 3, y + 6), QPoint(b, y + 2)}));
        } else {
            const int x = grooveRect.right() + 2;
            painter.drawRect(QRect(QPoint(x, std::min(a, b)), QPoint(x + 2, std::max(a, b))));
        }
    }

    opt.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &opt, &painter, this);
}
