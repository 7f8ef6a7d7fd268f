// Renders the program icon SVG to the PNG sizes of the hicolor icon theme, at build time:
//   render-icon SOURCE.svg OUTPUT_FOLDER SIZE...   (writes OUTPUT_FOLDER/SIZExSIZE.png)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: render-icon SOURCE.svg OUTPUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString out = QStringLiteral("%1/%2x%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (size <= 0 || !image.save(out)) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
