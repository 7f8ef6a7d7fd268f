#pragma once
// What a screen reader hears, not only the widget's property: Qt on Linux
// names a combo box after its current item unless told otherwise.

#include <QAccessible>
#include <QWidget>

inline QString heardName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}
