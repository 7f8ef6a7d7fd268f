#pragma once
// Checks what a screen reader hears, not only the widget's property: Qt on
// Linux names a combo box after its current item unless told otherwise. A
// control with a buddy label must be named by that label's caption, a button
// by its own caption.

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

inline QString heardName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

inline void expectNamedByCaption(QWidget& window)
{
    int checked = 0;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->buddy())
            continue;
        ++checked;
        EXPECT_EQ(heardName(label->buddy()), label->text().remove(u'&').trimmed())
            << label->buddy()->objectName().toStdString() << " (" << label->buddy()->metaObject()->className()
            << ")";
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || button->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++checked;
        EXPECT_EQ(heardName(button), button->text().remove(u'&')) << button->objectName().toStdString();
    }
    EXPECT_GT(checked, 0) << window.objectName().toStdString();
}
