// The program's SVG pictures rendered for the screen.

#include "ui/grid/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QImage RenderImage(QSvgRenderer &renderer, const QSize &size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p);
    p.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

QPixmap Render(QSvgRenderer &renderer, const QSize &size, qreal ratio)
{
    return QPixmap::fromImage(RenderImage(renderer, size, ratio));
}

qreal ScreenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

QPixmap SvgPixmap(const QString &resource, const QSize &size)
{
    QSvgRenderer renderer(resource);
    return Render(renderer, size, ScreenRatio());
}

QImage SvgImage(const QString &resource, const QSize &size)
{
    QSvgRenderer renderer(resource);
    return RenderImage(renderer, size, ScreenRatio());
}

QIcon SvgIcon(const QString &resource, int size)
{
    QSvgRenderer renderer(resource);
    return QIcon(Render(renderer, QSize(size, size), ScreenRatio()));
}
