#include "screen/NameGrid.h"
#include "screen/ScreenPainter.h"

#include <QPainter>

NameGrid::NameGrid(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NameGrid::setColours(const QColor& background, const QColor& text)
{
    m_state.setColours(background, text);
    update();
}

void NameGrid::setGridFont(int sizeTenths, const QString& face)
{
    m_state.setFont(sizeTenths, face);
    update();
}

void NameGrid::setGrid(int rows, int columns)
{
    m_state.setGrid(rows, columns);
    update();
}

void NameGrid::setTitle(const QString& title)
{
    m_state.setTitle(title);
    update();
}

void NameGrid::setNames(const QStringList& names, int count)
{
    m_state.setNames(names, count);
    update();
}

QImage NameGrid::render() const
{
    return ScreenPainter::renderNameGrid(m_state, size());
}

void NameGrid::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    QImage frame(size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&frame);
        ScreenPainter::paintNameGrid(offscreen, rect(), m_state);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}
