// Renders the program's SVG icon at build time, so that no picture of it can
// drift from the SVG:
//   kd-svgtopng ICON.svg OUTDIR SIZE...        OUTDIR/<name>-<SIZE>.png, the
//                                              sizes icon themes look for
//   kd-svgtopng --ico ICON.svg FILE.ico SIZE...  one Windows icon holding a PNG
//                                              picture of each size (at most 256)

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

QImage Render(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

QByteArray Png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void PutU16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void PutU32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// The icon file: a directory of entries, then each picture as a whole PNG file
// (which Windows reads since Vista). A size of 256 is written as 0.
QByteArray IcoFile(const QList<QPair<int, QByteArray>> &pictures)
{
    QByteArray out;
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // an icon, not a cursor
    PutU16(out, quint16(pictures.size()));
    quint32 offset = quint32(6 + 16 * pictures.size());
    for (const auto &[size, png] : pictures) {
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(size >= 256 ? 0 : size));
        out.append(char(0));  // no palette
        out.append(char(0));
        PutU16(out, 1);   // planes
        PutU16(out, 32);  // bits per pixel
        PutU32(out, quint32(png.size()));
        PutU32(out, offset);
        offset += quint32(png.size());
    }
    for (const auto &picture : pictures)
        out += picture.second;
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    const bool ico = argc > 1 && qstrcmp(argv[1], "--ico") == 0;
    const int first = ico ? 2 : 1;
    if (argc < first + 3) {
        std::fprintf(stderr, "usage: %s ICON.svg OUTDIR SIZE...\n       %s --ico ICON.svg FILE.ico SIZE...\n", argv[0], argv[0]);
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[first]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a usable SVG file\n", argv[first]);
        return 1;
    }
    const QString target = QString::fromLocal8Bit(argv[first + 1]);
    const QString base = target + QLatin1Char('/') + QFileInfo(svg).completeBaseName();
    QList<QPair<int, QByteArray>> pictures;
    for (int i = first + 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > (ico ? 256 : 1024)) {
            std::fprintf(stderr, "%s: not a size\n", argv[i]);
            return 2;
        }
        const QImage image = Render(renderer, size);
        if (ico) {
            pictures.append({size, Png(image)});
            continue;
        }
        const QString out = base + QLatin1Char('-') + QString::number(size) + QStringLiteral(".png");
        if (!image.save(out, "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(out));
            return 1;
        }
    }
    if (ico) {
        QFile file(target);
        const QByteArray bytes = IcoFile(pictures);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(target));
            return 1;
        }
    }
    return 0;
}
