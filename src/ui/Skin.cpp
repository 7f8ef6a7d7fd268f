#include "ui/Skin.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QPixmap render(const QString& resource, const QSize& size)
{
    if (!QFile::exists(resource) || size.isEmpty())
        return QPixmap();
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return QPixmap();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QString prefix(Skin::FaceKind kind)
{
    switch (kind) {
    case Skin::FaceKind::Tile:
        return QStringLiteral(":/ui/tile-");
    case Skin::FaceKind::Push:
        return QStringLiteral(":/ui/push-");
    case Skin::FaceKind::PushLight:
        return QStringLiteral(":/ui/light-");
    }
    return QString();
}

} // namespace

namespace Skin {

Faces faces(FaceKind kind, const QSize& size)
{
    const QString base = prefix(kind);
    return {render(base + QStringLiteral("normal.svg"), size),
            render(base + QStringLiteral("hover.svg"), size),
            render(base + QStringLiteral("pressed.svg"), size),
            render(base + QStringLiteral("disabled.svg"), size)};
}

QPixmap icon(const QString& name, int size, const QColor& colour)
{
    QPixmap shape = render(QStringLiteral(":/ui/icon-%1.svg").arg(name), QSize(size, size));
    if (shape.isNull())
        return shape;
    // The icons are drawn in white; the colour replaces it and keeps the alpha.
    QPainter painter(&shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shape.rect(), colour);
    return shape;
}

QPixmap picture(const QString& name, const QSize& size)
{
    return render(QStringLiteral(":/ui/%1.svg").arg(name), size);
}

QIcon programIcon()
{
    QIcon result;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        result.addPixmap(render(QStringLiteral(":/ui/app-icon.svg"), QSize(size, size)));
    return result;
}

QColor accent()
{
    return QColor(0x7f, 0xd0, 0xff);
}

QColor captionOnDark()
{
    return QColor(0xee, 0xf5, 0xff);
}

void paintDialogShade(QPainter& painter, const QRect& area)
{
    QLinearGradient shade(area.topLeft(), area.bottomLeft());
    shade.setColorAt(0, QColor(0x1a, 0x2b, 0x44));
    shade.setColorAt(1, QColor(0x0c, 0x15, 0x23));
    painter.fillRect(area, shade);
}

QString darkStyleSheet()
{
    return QStringLiteral(
        "QLabel { color: #eef5ff; background: transparent; }"
        "QLineEdit { color: #eef5ff; background: rgba(10,20,34,200); border: 1px solid #4d6f98;"
        "  border-radius: 6px; padding: 3px 8px; selection-background-color: #3d79c2; }"
        "QLineEdit:focus { border-color: #7fd0ff; }"
        "QProgressBar { color: transparent; background: rgba(10,20,34,200); border: 1px solid #4d6f98;"
        "  border-radius: 6px; height: 12px; }"
        "QProgressBar::chunk { border-radius: 5px; background: qlineargradient(x1:0,y1:0,x2:1,y2:0,"
        "  stop:0 #3d79c2, stop:1 #7fd0ff); }"
        "QTableWidget { color: #dfe9f7; background: rgba(12,22,38,215); alternate-background-color:"
        "  rgba(26,42,66,215); gridline-color: #2f4563; border: 1px solid #4d6f98; border-radius: 6px;"
        "  selection-background-color: #2d5a8f; selection-color: #ffffff; }"
        "QHeaderView::section { color: #cfe4ff; background: #1f3452; border: none;"
        "  border-right: 1px solid #2f4563; border-bottom: 1px solid #4d6f98; padding: 3px; }"
        "QTableCornerButton::section { background: #1f3452; border: none; }");
}

} // namespace Skin
