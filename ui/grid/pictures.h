// The program's SVG pictures rendered for the screen.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures are SVG files in its resources. They are rendered
// here with QSvgRenderer, which is linked in, rather than through the icon
// engine plugin, whose loading would cost a noticeable part of the start-up.

// `resource` (":/name") at `size` logical pixels for the screen's pixel ratio.
QPixmap SvgPixmap(const QString &resource, const QSize &size);
// The same as an image, which may outlive the application object.
QImage SvgImage(const QString &resource, const QSize &size);

// An icon with the picture at `size` logical pixels.
QIcon SvgIcon(const QString &resource, int size);
