#include "ui/ColourCombo.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

namespace {

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x55, 0x5d, 0x6b));
    painter.setBrush(colour);
    painter.drawRect(QRect(1, 1, 15, 15));
    return QIcon(pixmap);
}

} // namespace

ColourCombo::ColourCombo(const QList<Named>& colours, const QString& moreText, QWidget* parent)
    : QComboBox(parent), m_named(colours)
{
    for (const Named& named : m_named)
        addItem(swatch(named.colour), named.name, named.colour);
    addItem(moreText);
    m_chooser = [this](const QColor& current) { return QColorDialog::getColor(current, this); };
    connect(this, &QComboBox::activated, this, &ColourCombo::onActivated);
}

void ColourCombo::setColour(const QColor& colour)
{
    m_colour = colour;
    showColour();
}

void ColourCombo::onActivated(int index)
{
    const QVariant data = itemData(index);
    QColor chosen = data.value<QColor>();
    if (!data.isValid()) {
        chosen = m_chooser(m_colour);
        if (!chosen.isValid()) {
            showColour();
            return;
        }
    }
    m_colour = chosen;
    showColour();
    emit colourChosen(m_colour);
}

void ColourCombo::showColour()
{
    const QSignalBlocker quiet(this);
    // The extra entry of a colour outside the list comes and goes with it.
    if (count() > m_named.size() + 1)
        removeItem(0);
    for (int i = 0; i < m_named.size(); ++i) {
        if (m_named[i].colour.rgb() == m_colour.rgb()) {
            setCurrentIndex(i);
            return;
        }
    }
    insertItem(0, swatch(m_colour), m_colour.name().toUpper(), m_colour);
    setCurrentIndex(0);
}
