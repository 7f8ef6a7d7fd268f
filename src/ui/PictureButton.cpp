#include "ui/PictureButton.h"

#include "ui/BackgroundPicture.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>

PictureButton::PictureButton(QWidget* parent)
    : QAbstractButton(parent), m_captionColour(Skin::captionOnDark())
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::setFaces(const Skin::Faces& faces)
{
    m_faces = faces;
    update();
}

void PictureButton::setGlyph(const QString& name, int size)
{
    m_glyphName = name;
    m_glyphSize = size;
    m_glyph = Skin::icon(name, size, Skin::captionOnDark());
    m_glyphDisabled = Skin::icon(name, size, QColor(0x7a, 0x88, 0x9c));
    update();
}

void PictureButton::setCaption(const QString& caption)
{
    setText(caption);
    setAccessibleName(caption);
    update();
}

void PictureButton::setCaptionColour(const QColor& colour)
{
    m_captionColour = colour;
    update();
}

void PictureButton::setCaptionFont(const QFont& font)
{
    setFont(font);
    update();
}

void PictureButton::setBackdrop(BackgroundPicture* picture)
{
    m_backdrop = picture;
    update();
}

PictureButton::Face PictureButton::currentFace() const
{
    if (!isEnabled())
        return Face::Disabled;
    if (isDown() || isChecked())
        return Face::Pressed;
    if (m_hover)
        return Face::Hover;
    return Face::Normal;
}

QSize PictureButton::sizeHint() const
{
    if (!m_faces.normal.isNull())
        return m_faces.normal.size();
    return QSize(120, 38);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    if (m_backdrop) {
        const QPixmap& picture = m_backdrop->pixmap();
        if (!picture.isNull()) {
            const QPoint origin = mapTo(window(), QPoint(0, 0));
            painter.drawPixmap(QPoint(0, 0), picture, QRect(origin, size()));
        }
    }

    const Face face = currentFace();
    const QPixmap* picture = &m_faces.normal;
    switch (face) {
    case Face::Normal:
        break;
    case Face::Hover:
        picture = &m_faces.hover;
        break;
    case Face::Pressed:
        picture = &m_faces.pressed;
        break;
    case Face::Disabled:
        picture = &m_faces.disabled;
        break;
    }
    if (picture->isNull())
        picture = &m_faces.normal;
    if (!picture->isNull())
        painter.drawPixmap(rect(), *picture);

    // A pressed button sinks by one pixel.
    const QPoint shift = face == Face::Pressed ? QPoint(0, 1) : QPoint(0, 0);
    const QPixmap& glyph = face == Face::Disabled ? m_glyphDisabled : m_glyph;
    const QString caption = text();
    QColor captionColour = m_captionColour;
    if (face == Face::Disabled)
        captionColour.setAlpha(110);

    if (!glyph.isNull() && caption.isEmpty()) {
        const QPoint at = rect().center() - QPoint(glyph.width() / 2, glyph.height() / 2) + QPoint(1, 1);
        painter.drawPixmap(at + shift, glyph);
    } else if (!glyph.isNull()) {
        const int gap = 8;
        const int textWidth = fontMetrics().horizontalAdvance(caption);
        const int total = glyph.width() + gap + textWidth;
        const int left = qMax(6, (width() - total) / 2);
        painter.drawPixmap(QPoint(left, (height() - glyph.height()) / 2) + shift, glyph);
        painter.setPen(captionColour);
        painter.drawText(QRect(left + glyph.width() + gap, 0, width() - left - glyph.width() - gap, height())
                             .translated(shift),
                         Qt::AlignVCenter | Qt::AlignLeft, caption);
    } else if (!caption.isEmpty()) {
        painter.setPen(captionColour);
        painter.drawText(rect().translated(shift), Qt::AlignCenter, caption);
    }

    if (hasFocus() && face != Face::Disabled) {
        QPen pen(Skin::accent());
        pen.setWidthF(1.2);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5), 6, 6);
    }
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_clicksOnEnter && isEnabled()) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
