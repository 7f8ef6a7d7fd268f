// Renders the shipped background pictures from the SVG sources beside it:
//   make-pictures <source folder> <share/System/photo folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

static bool renderTo(const QString& svg, const QString& out, const QSize& size, const char* format)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(svg));
        return false;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    if (!image.save(out, format)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-pictures <source folder> <photo folder>\n");
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const bool ok = renderTo(in + "/main.svg", out + "/main.png", QSize(1024, 741), "PNG") &&
                    renderTo(in + "/logo.svg", out + "/logo.png", QSize(520, 150), "PNG") &&
                    renderTo(in + "/login.svg", out + "/NeterBmp.bmp", QSize(1024, 741), "BMP") &&
                    renderTo(in + "/seat.svg", out + "/seat.png", QSize(800, 600), "PNG");
    return ok ? 0 : 1;
}
