#include "ui/BackgroundPicture.h"

#include "ui/Skin.h"

#include <QPainter>

void BackgroundPicture::setFile(const QString& path)
{
    m_file = path;
    m_resource.clear();
    m_loaded = false;
    m_pixmap = QPixmap();
}

void BackgroundPicture::setResource(const QString& name, const QSize& size)
{
    m_resource = name;
    m_size = size;
    m_file.clear();
    m_loaded = false;
    m_pixmap = QPixmap();
}

const QPixmap& BackgroundPicture::pixmap()
{
    if (!m_loaded) {
        m_loaded = true;
        if (!m_file.isEmpty())
            m_pixmap.load(m_file);
        else if (!m_resource.isEmpty())
            m_pixmap = Skin::picture(m_resource, m_size);
    }
    return m_pixmap;
}

void BackgroundPicture::paint(QPainter& painter, const QSize& size)
{
    const QPixmap& picture = pixmap();
    if (picture.isNull())
        return;
    const QRect source(QPoint(0, 0), size.boundedTo(picture.size()));
    painter.drawPixmap(source.topLeft(), picture, source);
}
