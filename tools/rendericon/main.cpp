// drawsage-rendericon: renders the program's SVG icon as the PNG sizes an icon theme wants.
//
//   drawsage-rendericon <icon.svg> <size> <out.png>
//
// The build runs it, so the PNG icons always show the SVG as it is.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: drawsage-rendericon <icon.svg> <size> <out.png>\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    if (!renderer.isValid() || size < 1) {
        std::fprintf(stderr, "drawsage-rendericon: cannot render %s at %s pixels\n", argv[1],
                     argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "drawsage-rendericon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
