// The volume diagram of the settings page.

#include "ui/settings/volumediagram.h"

#include "model/settingscontext.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
constexpr int kPicture = 16;

} // namespace

VolumeDiagram::VolumeDiagram(const SettingsContext &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings),
      m_volumePicture(QStringLiteral(":/icons/settings/volume_marker.svg")),
      m_beepPicture(QStringLiteral(":/icons/settings/keybeep_marker.svg"))
{
    setObjectName(QStringLiteral("PaintBoxVolume"));
    setFixedSize(Side, Side);
}

void VolumeDiagram::SetBeepShown(bool shown)
{
    if (shown == m_beepShown)
        return;
    m_beepShown = shown;
    update();
}

void VolumeDiagram::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Render(painter);
}

// Integer pixels throughout; every division truncates toward zero, which is
// what C++ integer division does for the negative terms below as well.
void VolumeDiagram::Render(QPainter &painter) const
{
    const int W = width() - 8;
    const int H = height() - 16;
    const int right = W - 8; // x of the loudest level
    const int top = 8;       // y of the loudest level
    const int floor = H - 8; // the x axis

    // A table just read may still hold levels its bars have not clamped yet
    // (a message box can repaint the page before the bars are set); draw them
    // as the bars will show them, which also keeps the products below in range.
    const int volume = std::clamp(m_settings.Volume, 0, MaxVolume);
    const int minVolume = std::clamp(m_settings.MinVolume, 0, MaxMinVolume);
    const int beepMin = std::clamp(m_settings.BeepMin, MinBeep, MaxBeep);
    const int beepMax = std::clamp(m_settings.BeepMax, MinBeep, MaxBeep);

    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.fillRect(QRect(QPoint(0, top), QPoint(right - 1, floor - 1)), Qt::white);

    // Volume line: from the minimum volume at level 0 up to the top right.
    const int y0 = H - minVolume * H / 18 - 8;
    painter.setPen(QPen(kGreen, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(0, y0, right, top);

    // Key click span on the volume line, levels BeepMin..BeepMax of 16.
    const int b1 = beepMin - 1;
    const int b2 = beepMax - 1;
    const QPoint p1(right * b1 / 15, b1 * (top - y0) / 15 + y0);
    const QPoint p2(right * b2 / 15, b2 * (top - y0) / 15 + y0);
    if (m_beepShown) {
        painter.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(p1, p2);
    }

    if (volume != 0) {
        const int v = volume - 1;
        const int xv = right * v / 15;
        const int yv = y0 + v * (top - y0) / 15;
        painter.setPen(QPen(kGreen, 1, Qt::DashLine));
        painter.drawLine(xv, floor, xv, yv);
        painter.drawLine(xv, yv, right, yv);
        m_volumePicture.render(&painter, QRectF(right, yv - 8, kPicture, kPicture));

        if (m_beepShown) {
            const int xb = v * (p2.x() - p1.x()) / 15 + p1.x();
            const int yb = p1.y() + v * (p2.y() - p1.y()) / 15;
            painter.setPen(QPen(kRed, 1, Qt::DashLine));
            painter.drawLine(xv + 1, floor, xb + 1, yb + 1);
            painter.drawLine(xb + 1, yb + 1, right, yb + 1);
            m_beepPicture.render(&painter, QRectF(right, yb - 8, kPicture, kPicture));
        }
    }

    if (m_beepShown) {
        painter.setPen(QPen(kRed, 1, Qt::DotLine));
        painter.drawLine(p1.x(), top, p1.x(), p1.y());
        painter.drawLine(p2.x(), top, p2.x(), p2.y());
    }
}
